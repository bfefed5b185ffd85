#include "document/MatchTables.h"
#include "document/Statistics.h"
#include "engine/GlobuleView.h"

#include <string>
#include <utility>

void CGlobuleView::OnLButtonDown(unsigned /*nFlags*/, CPoint point) {
    if (IgnoresInput()) {
        return;
    }
    UpdateCaption();
    if (m_nScreen == match::kScreenHome) {
        return;
    }
    const int x = point.x;
    const int y = point.y;

    const CRect& firstName = m_arcTableCell[0];
    const CRect& lastName = m_arcTableCell[30];
    if (m_nScreen == match::kScreenScore && x > firstName.left && x < lastName.right &&
        y > firstName.top && y < firstName.bottom) {
        m_bShowJackpot = 0;
        {
            CDC dc = ClientDC();
            dc.FillRect(m_rcJackpotArea, m_brPaleGreen);
        }
        for (m_nHitIndex = 0; m_nHitIndex < match::kPlayers; ++m_nHitIndex) {
            const CRect& cell = m_arcTableCell[6 * m_nHitIndex];
            if (x > cell.left && x < cell.right) {
                // A loaded match may carry several active flags; the clicked player must end
                // up the only one, or a stale flag further right would win at the next draw.
                for (int p = 0; p < match::kPlayers; ++p) {
                    m_document.m_lActive[p] = 0;
                }
                m_nActivePlayer = m_nHitIndex;
                m_document.m_lActive[m_nHitIndex] = 1;
                break;
            }
        }
        DrawScoreScreen();
        return;
    }

    const CRect* caption = m_arcRowCaption;
    if (m_nScreen == match::kScreenScore && x > caption[0].left && x < caption[0].right &&
        y > caption[0].top && y < caption[5].bottom) {
        // The gap under a caption belongs to the caption above it.
        if (y > caption[5].top) {
            SortByBestGame();
        } else if (y > caption[4].top) {
            SortByAverage();
        } else if (y > caption[3].top) {
            SortByNumGames();
        } else if (y > caption[2].top) {
            SortByAllGames();
        } else if (y <= caption[1].top) {
            SortByName();
        } else {
            SortByLastGame();
        }
        DrawScoreScreen();
    }
}

void CGlobuleView::SortByName() {
    SortByValues(nullptr, 1);
}
void CGlobuleView::SortByLastGame() {
    SortByValues(m_document.m_lLastGame, 2);
}
void CGlobuleView::SortByAllGames() {
    SortByValues(m_document.m_lAllGames, 3);
}
void CGlobuleView::SortByNumGames() {
    SortByValues(m_document.m_lNumGames, 4);
}
void CGlobuleView::SortByAverage() {
    SortByValues(m_document.m_lAverage, 5);
}
void CGlobuleView::SortByBestGame() {
    SortByValues(m_document.m_lBestGame, 6);
}

// Statistics sort high to low, names low to high; names compare as bytes, so "Zed" comes
// before "abe". Without values only the names count.
bool CGlobuleView::OutOfOrder(const std::int32_t* values, int i, int j) const {
    const std::string* names = m_document.m_strPlayerName;
    if (values == nullptr) {
        return names[i] > names[j];
    }
    return values[i] < values[j] || (values[i] == values[j] && names[i] > names[j]);
}

// `values` points into the record, so every comparison sees the columns as they stand.
void CGlobuleView::SortByValues(const std::int32_t* values, int sortRow) {
    for (m_nSortPass = 0; m_nSortPass < match::kPlayers - 1; ++m_nSortPass) {
        for (m_nSortIndex = m_nSortPass + 1; m_nSortIndex < match::kPlayers; ++m_nSortIndex) {
            if (OutOfOrder(values, m_nSortPass, m_nSortIndex)) {
                SwapPlayers(m_nSortPass, m_nSortIndex);
            }
        }
    }
    m_document.m_nSortRow = sortRow;
}

void CGlobuleView::SwapPlayers(int i, int j) {
    constexpr int t = match::kSwapSlot;
    CGlobuleDoc& doc = m_document;
    // Through the swap slot, which keeps the last value moved through it; a name of a loaded
    // match may be megabytes, so only the last step copies.
    auto exchange = [&](auto* column) {
        column[t] = std::move(column[i]);
        column[i] = std::move(column[j]);
        column[j] = column[t];
    };
    exchange(doc.m_strPlayerName);
    exchange(doc.m_lBestGame);
    exchange(doc.m_lAllGames);
    exchange(doc.m_lLastGame);
    exchange(doc.m_lAverage);
    exchange(doc.m_lActive);
    exchange(doc.m_lNumGames);
    if (m_nJackpotColumn == i) {
        m_nJackpotColumn = j;
    } else if (m_nJackpotColumn == j) {
        m_nJackpotColumn = i;
    }
}

void CGlobuleView::PrepareScoreTable() {
    CGlobuleDoc& doc = m_document;
    // A game that timed out, was given up or won the pot has changed a total or a count
    // without its average: bring the averages up to date first, so a table sorted by
    // Average is sorted by the numbers it shows.
    for (int p = 0; p < match::kPlayers; ++p) {
        if (doc.m_lNumGames[p] > 0) {
            doc.m_lAverage[p] = match::RoundedAverage(doc.m_lAllGames[p], doc.m_lNumGames[p]);
        }
    }
    switch (doc.m_nSortRow) {
    case 1:
        SortByName();
        break;
    case 2:
        SortByLastGame();
        break;
    case 3:
        SortByAllGames();
        break;
    case 4:
        SortByNumGames();
        break;
    case 5:
        SortByAverage();
        break;
    case 6:
        SortByBestGame();
        break;
    default:
        break;
    }

    // The highest flagged column wins; with none flagged the last active column stays.
    for (int p = 0; p < match::kPlayers; ++p) {
        if (doc.m_lActive[p] == 1) {
            m_nActivePlayer = p;
        }
    }

    // The table's cells, which clicks are tested against, from the client width alone.
    const int W = m_rcClient.right;
    const int CW = (W - 223) / 7;
    m_rcTableBand = CRect(0, 2, W, 110);
    for (int p = 0; p < match::kPlayers; ++p) {
        const int left = W - 100 - (6 - p) * CW;
        for (int r = 0; r < 6; ++r) {
            m_arcTableCell[6 * p + r] = CRect(left, 21 * r + 5, left + CW - 3, 21 * r + 23);
        }
    }
    for (int r = 0; r < 6; ++r) {
        m_arcRowCaption[r] = CRect(103, 21 * r + 5, m_arcTableCell[r].left - 3, 21 * r + 23);
    }
}

void CGlobuleView::DrawScoreScreen() {
    CDC dc = ClientDC();
    PrepareScoreTable();
    PaintScoreScreen(dc);
}
