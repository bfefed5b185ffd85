// libFuzzer target for the match-file loader: any bytes must load or be refused cleanly, and
// whatever loads must store back to bytes that load to the same record.
#include "document/GlobuleDoc.h"
#include "document/MatchFormat.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool SameRecord(const CGlobuleDoc& a, const CGlobuleDoc& b) {
    for (int i = 0; i < 6; ++i) {
        if (a.m_strPlayerName[i] != b.m_strPlayerName[i] || a.m_lLastGame[i] != b.m_lLastGame[i] ||
            a.m_lAllGames[i] != b.m_lAllGames[i] || a.m_lNumGames[i] != b.m_lNumGames[i] ||
            a.m_lAverage[i] != b.m_lAverage[i] || a.m_lBestGame[i] != b.m_lBestGame[i] ||
            a.m_lActive[i] != b.m_lActive[i]) {
            return false;
        }
    }
    return a.m_strSpeed == b.m_strSpeed && a.m_lPot == b.m_lPot && a.m_nSortRow == b.m_nSortRow &&
           a.m_nSpeedIndex == b.m_nSpeedIndex && a.m_nTimerInterval == b.m_nTimerInterval;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CGlobuleDoc loaded;
    loaded.OnNewDocument();
    if (!matchfile::Load(bytes, loaded)) {
        return 0;
    }
    CGlobuleDoc again;
    if (!matchfile::Load(matchfile::Store(loaded), again) || !SameRecord(loaded, again)) {
        std::abort();
    }
    return 0;
}
