#include "platform/sound/Wave.h"

#include <cstdint>
#include <cstring>

namespace {

std::uint32_t ReadU32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

std::uint16_t ReadU16(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

bool IsTag(const char* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint32_t kFmtMinimumSize = 16;

} // namespace

std::optional<WaveFormat> ParseWave(const QByteArray& image) {
    const char* const bytes = image.constData();
    // Sizes are compared in 64 bits so that no 32-bit field can wrap an offset.
    const qint64 size = image.size();
    if (size < 12 || !IsTag(bytes, "RIFF") || !IsTag(bytes + 8, "WAVE")) {
        return std::nullopt;
    }
    const qint64 riffEnd = 8 + static_cast<qint64>(ReadU32(bytes + 4));
    if (riffEnd > size) {
        return std::nullopt;
    }

    WaveFormat wave;
    bool haveFormat = false;
    qint64 dataOffset = -1;
    qint64 dataSize = 0;
    std::uint16_t blockAlign = 0;
    qint64 pos = 12;
    while (pos < riffEnd) {
        if (riffEnd - pos < 8) {
            return std::nullopt;
        }
        const char* header = bytes + pos;
        const qint64 chunkSize = ReadU32(header + 4);
        const qint64 body = pos + 8;
        if (chunkSize > riffEnd - body) {
            return std::nullopt;
        }
        if (IsTag(header, "fmt ")) {
            if (haveFormat || chunkSize < kFmtMinimumSize) {
                return std::nullopt;
            }
            const char* fmt = bytes + body;
            const std::uint16_t formatTag = ReadU16(fmt);
            const std::uint16_t channels = ReadU16(fmt + 2);
            const std::uint32_t sampleRate = ReadU32(fmt + 4);
            const std::uint32_t byteRate = ReadU32(fmt + 8);
            blockAlign = ReadU16(fmt + 12);
            const std::uint16_t bits = ReadU16(fmt + 14);
            if (formatTag != kFormatPcm || (channels != 1 && channels != 2) ||
                (bits != 8 && bits != 16) || sampleRate == 0 || sampleRate > 192000 ||
                blockAlign != channels * bits / 8 || byteRate != sampleRate * blockAlign) {
                return std::nullopt;
            }
            wave.channels = channels;
            wave.sampleRate = static_cast<int>(sampleRate);
            wave.bitsPerSample = bits;
            haveFormat = true;
        } else if (IsTag(header, "data")) {
            if (dataOffset >= 0) {
                return std::nullopt;
            }
            dataOffset = body;
            dataSize = chunkSize;
        }
        // Chunks are padded to even sizes; a missing pad after the last chunk is tolerated.
        pos = body + chunkSize + (chunkSize & 1);
    }

    if (!haveFormat || dataOffset < 0 || dataSize % blockAlign != 0) {
        return std::nullopt;
    }
    wave.samples = image.mid(dataOffset, dataSize);
    return wave;
}

WaveFormat ToSigned16(WaveFormat wave) {
    if (wave.bitsPerSample != 8) {
        return wave;
    }
    const QByteArray unsignedSamples = wave.samples;
    wave.samples = QByteArray(unsignedSamples.size() * 2, Qt::Uninitialized);
    char* out = wave.samples.data();
    for (const char byte : unsignedSamples) {
        // 128 is silence; each step of the 8-bit scale is 256 of the 16-bit one, little-endian.
        const int sample = (static_cast<unsigned char>(byte) - 128) * 256;
        *out++ = static_cast<char>(sample & 0xFF);
        *out++ = static_cast<char>((sample >> 8) & 0xFF);
    }
    wave.bitsPerSample = 16;
    return wave;
}
