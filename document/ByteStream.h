#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Little-endian reading and writing of the match file's items. The reader never reads past
// its end: a read that would do so fails and leaves the position where it was.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t Remaining() const { return m_bytes.size() - m_pos; }

    bool ReadU8(std::uint8_t& value) {
        if (Remaining() < 1) {
            return false;
        }
        value = static_cast<std::uint8_t>(m_bytes[m_pos++]);
        return true;
    }
    bool ReadU16(std::uint16_t& value) {
        if (Remaining() < 2) {
            return false;
        }
        value = static_cast<std::uint16_t>(Byte(0) | (Byte(1) << 8));
        m_pos += 2;
        return true;
    }
    bool ReadU32(std::uint32_t& value) {
        if (Remaining() < 4) {
            return false;
        }
        value = Byte(0) | (Byte(1) << 8) | (Byte(2) << 16) | (Byte(3) << 24);
        m_pos += 4;
        return true;
    }
    bool ReadI32(std::int32_t& value) {
        std::uint32_t raw = 0;
        if (!ReadU32(raw)) {
            return false;
        }
        value = static_cast<std::int32_t>(raw);
        return true;
    }
    // Takes `count` bytes; fails without allocating when fewer are left.
    bool ReadBytes(std::uint64_t count, std::string_view& out) {
        if (count > Remaining()) {
            return false;
        }
        out = m_bytes.substr(m_pos, static_cast<std::size_t>(count));
        m_pos += static_cast<std::size_t>(count);
        return true;
    }

private:
    std::uint32_t Byte(std::size_t offset) const {
        return static_cast<std::uint8_t>(m_bytes[m_pos + offset]);
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

inline void WriteU8(std::string& out, std::uint8_t value) {
    out += static_cast<char>(value);
}

inline void WriteU16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>(value >> 8);
}

inline void WriteU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((value >> shift) & 0xff);
    }
}

inline void WriteI32(std::string& out, std::int32_t value) {
    WriteU32(out, static_cast<std::uint32_t>(value));
}
