#pragma once

#include <QByteArray>
#include <optional>

// The playable part of a RIFF/WAVE image: uncompressed PCM, 1 or 2 channels, 8 or 16 bits.
struct WaveFormat {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    // Interleaved frames as stored: 8-bit is unsigned around 128, 16-bit signed little-endian.
    QByteArray samples;

    int BytesPerFrame() const { return channels * bitsPerSample / 8; }
    qint64 FrameCount() const { return samples.size() / BytesPerFrame(); }
};

// Walks the image's chunks and returns its format and samples, or nothing when the image is
// truncated, malformed or in a format the game does not play.
std::optional<WaveFormat> ParseWave(const QByteArray& image);

// The same sound in signed 16-bit samples, the format every sound is played in: a sound server
// that pads a starved stream with zero bytes pads an 8-bit one at full scale, not in silence.
WaveFormat ToSigned16(WaveFormat wave);
