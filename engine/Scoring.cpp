#include "document/MatchTables.h"
#include "document/Statistics.h"
#include "engine/GlobuleView.h"

int CGlobuleView::CountRedPixels(int left, int top, int right, int bottom, CDC& dc) const {
    constexpr std::uint32_t kRed = RGB(255, 0, 0);
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        if (y < 0 || y >= dc.Height()) {
            continue;
        }
        const std::uint32_t* row = dc.ConstScanLine(y);
        for (int x = left < 0 ? 0 : left; x < right && x < dc.Width(); ++x) {
            count += (row[x] & 0x00FFFFFFu) == kRed;
        }
    }
    return count;
}

// Quarters top-left, top-right, bottom-right, bottom-left of (x, y); the pixels on column x
// and row y belong to the right and lower quarters.
void CGlobuleView::CountQuarters(int x, int y, int* quarters, CDC& dc) const {
    const int L = m_rcBlob.left;
    const int T = m_rcBlob.top;
    const int R = m_rcBlob.right;
    const int B = m_rcBlob.bottom;
    quarters[0] = CountRedPixels(L, T, x, y, dc);
    quarters[1] = CountRedPixels(x, T, R, y, dc);
    quarters[2] = CountRedPixels(x, y, R, B, dc);
    quarters[3] = CountRedPixels(L, y, x, B, dc);
}

void CGlobuleView::StopGame() {
    const int p = m_nActivePlayer;
    const int s = m_nCrossStep;
    CGlobuleDoc& doc = m_document;

    m_host.KillTimer(kPlayTimer);
    m_bShowJackpot = 0;
    PlaySoundAsync(kSoundStop);
    doc.m_lPot = match::WrapAdd(doc.m_lPot, 50);
    {
        CDC dc = ClientDC();
        EraseCrossHairs(s, dc);
        m_nPinX = CrossX(s);
        m_nPinY = CrossY(s);
        CountQuarters(m_nPinX, m_nPinY, m_aPinQuarter, dc);
        m_nCentreScreenX = m_rcBlob.left + m_nCentreX;
        m_nCentreScreenY = m_rcBlob.top + m_nCentreY;
        CountQuarters(m_nCentreScreenX, m_nCentreScreenY, m_aCentreQuarter, dc);
    }

    m_fPinMinQuarter = 999999.0f;
    m_fCentreMinQuarter = 999999.0f;
    for (int q = 0; q < 4; ++q) {
        if (static_cast<float>(m_aPinQuarter[q]) < m_fPinMinQuarter) {
            m_fPinMinQuarter = static_cast<float>(m_aPinQuarter[q]);
        }
        if (static_cast<float>(m_aCentreQuarter[q]) < m_fCentreMinQuarter) {
            m_fCentreMinQuarter = static_cast<float>(m_aCentreQuarter[q]);
        }
    }
    // Without a centre quarter there is nothing to measure against: the game scores 0.
    m_fScore = m_fCentreMinQuarter > 0.0f
                   ? static_cast<float>(
                         double{m_fPinMinQuarter} / double{m_fCentreMinQuarter} * 1000.0 + 0.5)
                   : 0.0f;
    doc.m_lLastGame[p] = static_cast<CGlobuleDoc::LONG>(m_fScore);

    m_bJackpotWon = 0;
    if (doc.m_lLastGame[p] > 1000) {
        m_bShowJackpot = 1;
        m_bJackpotWon = 1;
    }
    doc.m_lAllGames[p] = match::WrapAdd(doc.m_lAllGames[p], doc.m_lLastGame[p]);
    if (doc.m_lLastGame[p] > doc.m_lBestGame[p]) {
        doc.m_lBestGame[p] = doc.m_lLastGame[p];
    }
    doc.m_lNumGames[p] = match::WrapAdd(doc.m_lNumGames[p], 1);
    if (doc.m_lNumGames[p] > 0) {
        doc.m_lAverage[p] = match::RoundedAverage(doc.m_lAllGames[p], doc.m_lNumGames[p]);
    }
    doc.m_bUnsavedResults = 1;
    // Taken now: the Score screen's sort may move the player to another column.
    const ScoredGame game{doc.m_lLastGame[p],
                          doc.m_strPlayerName[p].substr(0, ScoredGame::kNameBytes), PlayInterval()};
    if (m_bShowCentre) {
        ShowCentre(true);
    }

    // The Score screen re-sorts the table, and a loaded match may flag no player as active or
    // several: the pot follows the player who won it through the sort, not a column number.
    m_nJackpotColumn = m_bJackpotWon == 1 ? p : -1;
    SetScreen(match::kScreenHome);
    EnterScoreScreen();

    if (m_bJackpotWon == 1) {
        PlaySoundSync(kSoundJackpotFirst);
        PlaySoundSync(kSoundJackpotSecond);
        const int winner = m_nJackpotColumn;
        doc.m_lAllGames[winner] = match::WrapAdd(doc.m_lAllGames[winner], doc.m_lPot);
        doc.m_lPot = 0;
        DrawScoreScreen();
        m_bJackpotWon = 0;
        m_nJackpotColumn = -1;
    }
    if (m_scoredGameListener) {
        m_scoredGameListener(game);
    }
}
