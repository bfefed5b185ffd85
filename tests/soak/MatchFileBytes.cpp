#include "MatchFileBytes.h"

namespace soakfile {

namespace {

void PutU8(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
}
void PutU16(std::string& out, unsigned value) {
    PutU8(out, value);
    PutU8(out, value >> 8);
}
void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutLength(std::string& out, std::size_t n) {
    if (n < 255) {
        PutU8(out, static_cast<unsigned>(n));
    } else if (n < 0xFFFE) {
        PutU8(out, 0xFF);
        PutU16(out, static_cast<unsigned>(n));
    } else {
        PutU8(out, 0xFF);
        PutU16(out, 0xFFFF);
        PutU32(out, static_cast<std::uint32_t>(n));
    }
}

void PutString(std::string& out, const std::string& text, bool wide) {
    if (!wide) {
        PutLength(out, text.size());
        out += text;
        return;
    }
    PutU8(out, 0xFF);
    PutU16(out, 0xFFFE);
    PutLength(out, text.size());
    for (const char c : text) {
        PutU16(out, static_cast<unsigned char>(c));
    }
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    bool U8(std::uint32_t& value) { return Take(1, value); }
    bool U16(std::uint32_t& value) { return Take(2, value); }
    bool U32(std::uint32_t& value) { return Take(4, value); }
    bool I32(std::int32_t& value) {
        std::uint32_t raw = 0;
        if (!U32(raw)) {
            return false;
        }
        value = static_cast<std::int32_t>(raw);
        return true;
    }
    bool Bytes(std::size_t n, std::string_view& out) {
        if (n > m_bytes.size() - m_at) {
            return false;
        }
        out = m_bytes.substr(m_at, n);
        m_at += n;
        return true;
    }

private:
    bool Take(std::size_t n, std::uint32_t& value) {
        if (n > m_bytes.size() - m_at) {
            return false;
        }
        value = 0;
        for (std::size_t i = 0; i < n; ++i) {
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(m_bytes[m_at + i]))
                     << (8 * i);
        }
        m_at += n;
        return true;
    }
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

// A length after the first byte 0xFF has been read: 16 bits, or 0xFFFF and 32 bits.
bool LongLength(Reader& in, std::uint32_t& n) {
    std::uint32_t word = 0;
    if (!in.U16(word)) {
        return false;
    }
    if (word != 0xFFFF) {
        n = word;
        return true;
    }
    return in.U32(n);
}

bool Length(Reader& in, std::uint32_t& n) {
    std::uint32_t first = 0;
    if (!in.U8(first)) {
        return false;
    }
    if (first != 0xFF) {
        n = first;
        return true;
    }
    return LongLength(in, n);
}

bool GetString(Reader& in, std::string& text) {
    std::uint32_t first = 0;
    if (!in.U8(first)) {
        return false;
    }
    std::uint32_t n = first;
    bool wide = false;
    if (first == 0xFF) {
        std::uint32_t word = 0;
        if (!in.U16(word)) {
            return false;
        }
        if (word == 0xFFFE) {
            wide = true;
            if (!Length(in, n)) {
                return false;
            }
        } else if (word != 0xFFFF) {
            n = word;
        } else if (!in.U32(n)) {
            return false;
        }
    }
    std::string_view raw;
    if (!in.Bytes(wide ? 2 * std::size_t{n} : n, raw)) {
        return false;
    }
    if (!wide) {
        text = std::string(raw);
        return true;
    }
    // The soak writes wide strings of ASCII only; anything else stands out as '?'.
    text.clear();
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        const unsigned unit = static_cast<unsigned char>(raw[i]) |
                              static_cast<unsigned>(static_cast<unsigned char>(raw[i + 1])) << 8;
        text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return true;
}

} // namespace

std::string Encode(const FileRecord& record, const Spelling& spelling) {
    std::string out;
    for (const PlayerBlock& p : record.players) {
        for (const std::int32_t v :
             {p.allGames, p.lastGame, p.numGames, p.average, p.bestGame, p.active}) {
            PutU32(out, static_cast<std::uint32_t>(v));
        }
    }
    for (const std::int32_t v : {record.sortRow, record.pot, record.speedIndex, record.interval}) {
        PutU32(out, static_cast<std::uint32_t>(v));
    }
    for (std::size_t i = 0; i < 6; ++i) {
        PutString(out, record.names[i], spelling.wide[i]);
    }
    PutString(out, record.label, spelling.wide[6]);
    return out + spelling.trailing;
}

std::optional<FileRecord> Decode(std::string_view bytes) {
    Reader in(bytes);
    FileRecord record;
    for (PlayerBlock& p : record.players) {
        for (std::int32_t* v :
             {&p.allGames, &p.lastGame, &p.numGames, &p.average, &p.bestGame, &p.active}) {
            if (!in.I32(*v)) {
                return std::nullopt;
            }
        }
    }
    for (std::int32_t* v : {&record.sortRow, &record.pot, &record.speedIndex, &record.interval}) {
        if (!in.I32(*v)) {
            return std::nullopt;
        }
    }
    for (std::string& name : record.names) {
        if (!GetString(in, name)) {
            return std::nullopt;
        }
    }
    if (!GetString(in, record.label)) {
        return std::nullopt;
    }
    return record;
}

} // namespace soakfile
