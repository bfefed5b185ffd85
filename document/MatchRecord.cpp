#include "document/GlobuleDoc.h"

#include "document/MatchTables.h"

CGlobuleDoc::CGlobuleDoc()
    : m_strSpeed(match::kSpeeds[match::kDefaultSpeedIndex].label), m_szFileName(match::kNoFile),
      m_lLastGame{}, m_lAllGames{}, m_lNumGames{}, m_lAverage{}, m_lBestGame{}, m_lActive{},
      m_lPot(0), m_nViewScreen(match::kScreenHome), m_nSortRow(0), m_bNothingLoaded(1),
      m_bUnsavedResults(0), m_nSpeedIndex(match::kDefaultSpeedIndex),
      m_nTimerInterval(match::kSpeeds[match::kDefaultSpeedIndex].intervalMs) {
    // The statistics are always set by a reset or a load before use, except after an empty
    // file named at start-up; give them a defined start with player 0 active.
    m_lActive[0] = 1;
}

bool CGlobuleDoc::OnNewDocument() {
    m_strPathName.clear();
    for (int i = 0; i < match::kPlayers; ++i) {
        m_lAllGames[i] = 0;
        m_lLastGame[i] = 0;
        m_lNumGames[i] = 0;
        m_lAverage[i] = 0;
        m_lBestGame[i] = 0;
        m_lActive[i] = 0;
    }
    m_lActive[0] = 1;
    m_nSortRow = 0;
    m_lPot = 0;
    m_nSpeedIndex = match::kDefaultSpeedIndex;
    m_nTimerInterval = match::kSpeeds[match::kDefaultSpeedIndex].intervalMs;
    for (int i = 0; i < match::kPlayers; ++i) {
        m_strPlayerName[i] = match::kDefaultNames[i];
    }
    m_strSpeed = match::kSpeeds[match::kDefaultSpeedIndex].label;
    m_szFileName = match::kNoFile;
    return true;
}
