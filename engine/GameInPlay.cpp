#include "document/MatchTables.h"
#include "document/Statistics.h"
#include "engine/GlobuleView.h"

#include <cstdlib>

namespace {

constexpr int kOffsets[11] = {20, 16, 12, 8, 4, 0, -4, -8, -12, -16, -20};
constexpr int kPositions = 11;

} // namespace

void CGlobuleView::StartGame() {
    m_host.KillTimer(kPollTimer);
    m_bShowJackpot = 0;
    SetScreen(match::kScreenPlay);
    m_rcTableBand = CRect(0, 2, m_rcClient.right, 110);
    {
        CDC dc = ClientDC();
        dc.FillRect(m_rcTableBand, m_brPaleGreen);
    }
    BuildCrossHairOrder();
    FindCentre();
    m_nCrossStep = 0;
    m_host.SetTimer(kPlayTimer, kFirstTickMs);
}

void CGlobuleView::BuildCrossHairOrder() {
    auto removeEntry = [this](int r, int& n) {
        for (int m = r; m < n - 1; ++m) {
            m_aOffsetPool[m] = m_aOffsetPool[m + 1];
        }
        --n;
    };
    auto fillPool = [this] {
        for (int k = 0; k < kPositions; ++k) {
            m_aOffsetPool[k] = kOffsets[k];
        }
    };

    // First axis: a random order with the centre (0) never first or last.
    do {
        fillPool();
        int n = kPositions;
        for (int p = 1; p <= kPositions; ++p) {
            const int r = std::rand() % n;
            m_aCrossDx[p] = m_aOffsetPool[r];
            m_aCrossDy[p] = m_aOffsetPool[r];
            removeEntry(r, n);
        }
    } while (m_aCrossDx[1] == 0 || m_aCrossDx[kPositions] == 0);

    // Second axis: zero exactly where the first axis is zero, the other ten in an order of
    // their own.
    fillPool();
    int n = kPositions;
    int p = 1;
    while (p <= kPositions) {
        const int r = std::rand() % n;
        const int x = m_aCrossDx[p];
        const int pick = m_aOffsetPool[r];
        if ((x != 0) == (pick != 0)) {
            m_aCrossDy[p] = pick;
            removeEntry(r, n);
            ++p;
        } else if (x != 0) {
            removeEntry(r, n); // the zero leaves the pool
        } else {
            ++p; // keeps the 0 set by the first axis
        }
    }
}

namespace {

// The count index that halves `area` in the running sums: the nearest index, and the upper
// one on a tie.
int MedianIndex(const int* cumul, int area, int& half, int& over, int& under) {
    half = (area + 1) / 2;
    int i = 0;
    while (i < 479 && cumul[i] < half) {
        ++i;
    }
    if (cumul[i] == half) {
        return i;
    }
    over = cumul[i] - half;
    under = half - (i > 0 ? cumul[i - 1] : 0);
    return under < over && i > 0 ? i - 1 : i;
}

} // namespace

void CGlobuleView::FindCentre() {
    m_nCentreX =
        MedianIndex(m_aColumnCumul, m_nBlobAreaCopy, m_nHalfArea, m_nMedianOver, m_nMedianUnder);
    m_nCentreY =
        MedianIndex(m_aRowCumul, m_nBlobAreaCopy, m_nHalfArea, m_nMedianOver, m_nMedianUnder);
}

void CGlobuleView::OnPlayTick() {
    const int s = m_nCrossStep;
    CDC dc = ClientDC();
    if (s > 0) {
        ShowPinCenterLegend(dc);
        EraseCrossHairs(s, dc);
        PlaySoundAsync(s < 10 ? kSoundTick : s == 10 ? kSoundDoubleTick : kSoundTimeOut);
    }
    if (s == 0) {
        dc.FillRect(m_rcClient, m_brPaleGreen);
        DrawPlayScreen();
        ShowPinCenterLegend(dc);
    }
    if (s < kPositions) {
        DrawCrossHairs(s + 1, dc);
        DrawTickCounter(10 - s, dc);
    }
    if (s == 0) {
        m_host.KillTimer(kPlayTimer);
        if (m_host.SetTimer(kPlayTimer, PlayInterval())) {
            m_nCrossStep = 1;
        }
        return;
    }
    if (++m_nCrossStep > kPositions) {
        // Timed out: the game counts, with no points.
        m_host.KillTimer(kPlayTimer);
        if (m_bShowCentre) {
            ShowCentre(false);
        }
        SetScreen(match::kScreenHome);
        m_document.m_lNumGames[m_nActivePlayer] =
            match::WrapAdd(m_document.m_lNumGames[m_nActivePlayer], 1);
        m_document.m_bUnsavedResults = 1;
        EnterScoreScreen();
    }
}

int CGlobuleView::PlayInterval() const {
    // A match file may carry any interval; the timer needs a positive one.
    return m_document.m_nTimerInterval > 0 ? m_document.m_nTimerInterval : 2990;
}

void CGlobuleView::SaveUnderCrossHairs(int entry, CDC& dc) {
    const int x = CrossX(entry);
    const int y = CrossY(entry);
    // Both lines are saved before either is drawn, so the crossing keeps its true colour.
    for (int n = 0; n < 480; ++n) {
        m_aSavedRow[n] = dc.GetPixel(m_rcBlob.left + n, y);
        m_aSavedColumn[n] = dc.GetPixel(x, m_rcBlob.top + n);
    }
}

void CGlobuleView::DrawCrossHairs(int entry, CDC& dc) {
    SaveUnderCrossHairs(entry, dc);
    PaintCrossHairs(entry, dc);
}
