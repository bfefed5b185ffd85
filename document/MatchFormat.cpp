#include "document/MatchFormat.h"

#include "document/ByteStream.h"
#include "document/CountedString.h"
#include "document/MatchTables.h"

namespace matchfile {

std::string Store(const CGlobuleDoc& doc) {
    std::string out;
    out.reserve(kFixedPartBytes + 64);
    for (int i = 0; i < match::kPlayers; ++i) {
        // All Games comes before Last Game here, unlike the table's rows.
        WriteI32(out, doc.m_lAllGames[i]);
        WriteI32(out, doc.m_lLastGame[i]);
        WriteI32(out, doc.m_lNumGames[i]);
        WriteI32(out, doc.m_lAverage[i]);
        WriteI32(out, doc.m_lBestGame[i]);
        WriteI32(out, doc.m_lActive[i]);
    }
    WriteI32(out, doc.m_nSortRow);
    WriteI32(out, doc.m_lPot);
    WriteI32(out, doc.m_nSpeedIndex);
    WriteI32(out, doc.m_nTimerInterval);
    for (int i = 0; i < match::kPlayers; ++i) {
        WriteCountedString(out, doc.m_strPlayerName[i]);
    }
    WriteCountedString(out, doc.m_strSpeed);
    return out;
}

bool Load(std::string_view bytes, CGlobuleDoc& doc) {
    ByteReader in(bytes);
    for (int i = 0; i < match::kPlayers; ++i) {
        if (!in.ReadI32(doc.m_lAllGames[i]) || !in.ReadI32(doc.m_lLastGame[i]) ||
            !in.ReadI32(doc.m_lNumGames[i]) || !in.ReadI32(doc.m_lAverage[i]) ||
            !in.ReadI32(doc.m_lBestGame[i]) || !in.ReadI32(doc.m_lActive[i])) {
            return false;
        }
    }
    if (!in.ReadI32(doc.m_nSortRow) || !in.ReadI32(doc.m_lPot) || !in.ReadI32(doc.m_nSpeedIndex) ||
        !in.ReadI32(doc.m_nTimerInterval)) {
        return false;
    }
    for (int i = 0; i < match::kPlayers; ++i) {
        if (!ReadCountedString(in, doc.m_strPlayerName[i])) {
            return false;
        }
    }
    return ReadCountedString(in, doc.m_strSpeed);
}

} // namespace matchfile
