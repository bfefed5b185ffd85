#include "document/CountedString.h"

#include "platform/CodePage.h"

namespace {

constexpr std::uint8_t kByteEscape = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kWordEscape = 0xFFFF;

bool ReadLength(ByteReader& in, std::uint64_t& length, bool& wide) {
    std::uint8_t shortLength = 0;
    if (!in.ReadU8(shortLength)) {
        return false;
    }
    if (shortLength < kByteEscape) {
        length = shortLength;
        return true;
    }
    std::uint16_t wordLength = 0;
    if (!in.ReadU16(wordLength)) {
        return false;
    }
    if (wordLength == kWideMarker) {
        // The wide form repeats the whole length encoding after its marker.
        wide = true;
        if (!in.ReadU8(shortLength)) {
            return false;
        }
        if (shortLength < kByteEscape) {
            length = shortLength;
            return true;
        }
        if (!in.ReadU16(wordLength)) {
            return false;
        }
    }
    if (wordLength < kWordEscape) {
        length = wordLength;
        return true;
    }
    std::uint32_t longLength = 0;
    if (!in.ReadU32(longLength)) {
        return false;
    }
    length = longLength;
    return true;
}

} // namespace

void WriteCountedString(std::string& out, const std::string& text) {
    const std::size_t n = text.size();
    if (n < kByteEscape) {
        WriteU8(out, static_cast<std::uint8_t>(n));
    } else if (n < kWideMarker) {
        WriteU8(out, kByteEscape);
        WriteU16(out, static_cast<std::uint16_t>(n));
    } else {
        WriteU8(out, kByteEscape);
        WriteU16(out, kWordEscape);
        WriteU32(out, static_cast<std::uint32_t>(n));
    }
    out += text;
}

bool ReadCountedString(ByteReader& in, std::string& text) {
    std::uint64_t length = 0;
    bool wide = false;
    if (!ReadLength(in, length, wide)) {
        return false;
    }
    std::string_view bytes;
    if (!in.ReadBytes(wide ? 2 * length : length, bytes)) {
        return false;
    }
    text = wide ? codepage::FromUtf16Le(bytes) : std::string(bytes);
    return true;
}
