#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"
#include "platform/DrawContext.h"
#include "platform/FakeViewHost.h"
#include "support/ScoreScreenFixture.h"
#include "support/ViewFixture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

constexpr COLORREF kPaleGreen = RGB(220, 255, 220);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kPalePink = RGB(255, 240, 240);
constexpr COLORREF kHintGreen = RGB(0, 128, 64);
constexpr COLORREF kHintNavy = RGB(0, 0, 128);
constexpr COLORREF kSaveHintText = RGB(255, 128, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr unsigned kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned kRightAligned = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned kWrapped = DT_CENTER | DT_WORDBREAK;
constexpr const char* kNewFileHint = "New File. To Save It, Select 'Save As' Under The File Menu.";
constexpr const char* kOldFileHint = "\nOld File. To Update It, Press The Ctrl and S Keys.";
constexpr const char* kOpenHint = "Need To Open A File? Click On File.";
constexpr COLORREF kColumnColour[6] = {RGB(255, 128, 64), RGB(0, 160, 160), RGB(200, 64, 200),
                                       RGB(128, 255, 64), RGB(255, 64, 64), RGB(64, 128, 255)};

class ScoreScreen : public ScoreScreenFixture {
protected:
    COLORREF Pixel(int x, int y) const { return host->ClientImage().pixel(x, y) & 0xFFFFFFu; }

    int Count(const CRect& rect, COLORREF colour) const {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                n += Pixel(x, y) == colour;
            }
        }
        return n;
    }

    // Top row of `rect` holding a pixel of `colour`, or -1.
    int TopRowOf(const CRect& rect, COLORREF colour) const {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (Pixel(x, y) == colour) {
                    return y;
                }
            }
        }
        return -1;
    }

    // Draws `text` as a table cell or label shows it, on the plain colour the screen has at
    // the rectangle's corner, and compares the whole rectangle with the screen.
    bool Shows(const std::string& text, const CRect& rect, const CFont& font,
               COLORREF colour = kBlack) const {
        QImage expected(host->ClientImage().size(), QImage::Format_RGB32);
        CDC dc(expected);
        CBrush plain;
        plain.CreateSolidBrush(Pixel(rect.left, rect.top));
        dc.FillRect(rect, plain);
        dc.SetBkMode(TRANSPARENT);
        dc.SelectObject(font);
        dc.SetTextColor(colour);
        dc.DrawText(text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if ((expected.pixel(x, y) & 0xFFFFFFu) != Pixel(x, y)) {
                    return false;
                }
            }
        }
        return true;
    }

    // Black, or the hint's text colour laid over black (its letters may cover the point).
    bool OnBlackFill(int x, int y, COLORREF text) const {
        const COLORREF p = Pixel(x, y);
        const int pc[3] = {GetRValue(p), GetGValue(p), GetBValue(p)};
        const int tc[3] = {GetRValue(text), GetGValue(text), GetBValue(text)};
        const double share = double(std::max({pc[0], pc[1], pc[2]})) / 255.0;
        for (int i = 0; i < 3; ++i) {
            if (std::abs(pc[i] - share * tc[i]) > 2.0) {
                return false;
            }
        }
        return true;
    }

    const CRect& Cell(int player, int row) const { return view->m_arcTableCell[6 * player + row]; }
};

using ScoreScreenLayout = ScoreScreen;
using ScoreScreenColours = ScoreScreen;
using ScoreScreenNumbers = ScoreScreen;
using ScoreScreenJackpot = ScoreScreen;
using ScoreScreenFileHint = ScoreScreen;

struct Grid {
    int firstLeft;
    int columnWidth;
    int captionRight;
};

void ExpectGrid(const CGlobuleView& view, int width, const Grid& grid) {
    EXPECT_EQ(view.m_rcTableBand, CRect(0, 2, width, 110));
    for (int p = 0; p < 6; ++p) {
        const int left = grid.firstLeft + p * grid.columnWidth;
        for (int r = 0; r < 6; ++r) {
            EXPECT_EQ(view.m_arcTableCell[6 * p + r],
                      CRect(left, 21 * r + 5, left + grid.columnWidth - 3, 21 * r + 23))
                << "player " << p << ", row " << r;
        }
    }
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(view.m_arcRowCaption[r], CRect(103, 21 * r + 5, grid.captionRight, 21 * r + 23))
            << "row " << r;
    }
}

TEST_F(ScoreScreenLayout, CellsCaptionsAndGridAt1024) {
    Open(1024, 710);
    ExpectGrid(*view, 1024, {240, 114, 237});
    EXPECT_EQ(view->m_arcTableCell[0].Width(), 111);
    EXPECT_EQ(view->m_arcRowCaption[0].Width(), 134);

    // Each line has one blank pixel on either side before a cell or the caption column.
    for (const int x : {238, 352, 466, 580, 694, 808}) {
        for (const int y : {4, 15, 100, 128}) {
            EXPECT_EQ(Pixel(x, y), kBlack) << "line at " << x << ", " << y;
        }
        EXPECT_EQ(Pixel(x - 1, 15), kPaleGreen) << x;
        EXPECT_EQ(Pixel(x + 1, 15), kPaleGreen) << x;
    }
    for (const int y : {24, 45, 66, 87, 108}) {
        EXPECT_EQ(Pixel(102, y), kBlack) << y;
        EXPECT_EQ(Pixel(921, y), kBlack) << y;
        EXPECT_EQ(Pixel(300, y - 1), kPaleGreen) << y;
        EXPECT_EQ(Pixel(300, y + 1), kPaleGreen) << y;
    }
    for (const CPoint p : {CPoint{100, 2}, CPoint{923, 2}, CPoint{923, 130}, CPoint{100, 130},
                           CPoint{500, 2}, CPoint{500, 130}, CPoint{100, 60}, CPoint{923, 60}}) {
        EXPECT_EQ(Pixel(p.x, p.y), kMagenta) << p.x << ", " << p.y;
    }
    for (const CPoint p : {CPoint{101, 3}, CPoint{922, 3}, CPoint{922, 129}, CPoint{101, 129},
                           CPoint{500, 3}, CPoint{500, 129}, CPoint{101, 60}, CPoint{922, 60}}) {
        EXPECT_EQ(Pixel(p.x, p.y), kBlack) << p.x << ", " << p.y;
    }
    EXPECT_EQ(Pixel(99, 60), kPaleGreen);
    EXPECT_EQ(Pixel(924, 60), kPaleGreen);
    EXPECT_EQ(Pixel(500, 131), kPaleGreen);
}

TEST_F(ScoreScreenLayout, CellsCaptionsAndGridAt1600) {
    Open(1600, 900);
    // (1600 - 223) / 7 = 196, so the columns are 193 wide and start at 1500 - 6 * 196.
    ExpectGrid(*view, 1600, {324, 196, 321});
    for (const int x : {322, 518, 714, 910, 1106, 1302}) {
        EXPECT_EQ(Pixel(x, 15), kBlack) << x;
        EXPECT_EQ(Pixel(x + 1, 15), kPaleGreen) << x;
    }
    EXPECT_EQ(Pixel(1499, 2), kMagenta);
    EXPECT_EQ(Pixel(1499, 130), kMagenta);
    EXPECT_EQ(Pixel(1498, 3), kBlack);
    EXPECT_EQ(Pixel(1497, 24), kBlack);
}

TEST_F(ScoreScreenColours, EveryColumnHasItsColourAndTheActiveOneIsPalePink) {
    Open();
    for (int active = 0; active < 6; ++active) {
        for (int p = 0; p < 6; ++p) {
            doc.m_lActive[p] = p == active ? 1 : 0;
        }
        view->DrawScoreScreen();
        ASSERT_EQ(view->m_nActivePlayer, active);
        for (int p = 0; p < 6; ++p) {
            const COLORREF want = p == active ? kPalePink : kColumnColour[p];
            for (int r = 0; r < 6; ++r) {
                const CRect& c = Cell(p, r);
                EXPECT_EQ(Pixel(c.left + 1, c.top + 1), want)
                    << "active " << active << ", player " << p << ", row " << r;
                EXPECT_EQ(Pixel(c.right - 2, c.bottom - 2), want)
                    << "active " << active << ", player " << p << ", row " << r;
            }
        }
        for (int r = 1; r < 6; ++r) {
            EXPECT_EQ(Pixel(105, view->m_arcRowCaption[r].top + 1), kCyan) << r;
        }
        const CRect& players = view->m_arcRowCaption[0];
        EXPECT_GT(Count(players, kBlack), players.Width() * players.Height() / 2);
    }
}

TEST_F(ScoreScreenColours, PlayersCaptionIsRedUnlessSortedByAStatistic) {
    Open();
    for (int sortRow = 0; sortRow <= 6; ++sortRow) {
        doc.m_nSortRow = sortRow;
        view->DrawScoreScreen();
        const CRect& caption = view->m_arcRowCaption[0];
        const COLORREF colour = sortRow < 2 ? kRed : kWhite;
        EXPECT_TRUE(ShowsText(host->ClientImage(), "Players>>>", caption, view->m_fontMedium,
                              kRightAligned, colour))
            << "sort row " << sortRow;
        EXPECT_EQ(Count(caption, colour == kRed ? kWhite : kRed), 0) << "sort row " << sortRow;
    }
}

TEST_F(ScoreScreenColours, OnlyTheSortRowCaptionIsRed) {
    const char* const kCaptions[] = {"",        "Last Game", "All Games",
                                     "# Games", "Average",   "Best Game"};
    Open();
    for (int sortRow = 0; sortRow <= 6; ++sortRow) {
        doc.m_nSortRow = sortRow;
        view->DrawScoreScreen();
        for (int r = 1; r < 6; ++r) {
            const CRect& caption = view->m_arcRowCaption[r];
            const COLORREF colour = r + 1 == sortRow ? kRed : kBlack;
            EXPECT_TRUE(ShowsText(host->ClientImage(), kCaptions[r], caption, view->m_fontMedium,
                                  kCentred, colour))
                << "sort row " << sortRow << ", row " << r;
            EXPECT_EQ(Count(caption, colour == kRed ? kBlack : kRed), 0)
                << "sort row " << sortRow << ", row " << r;
        }
    }
}

TEST_F(ScoreScreenColours, ActivePlayerInBlackOthersInGrey) {
    Open();
    doc.m_lActive[0] = 0;
    doc.m_lActive[2] = 1;
    view->DrawScoreScreen();
    for (int p = 0; p < 6; ++p) {
        for (const int r : {0, 1}) {
            if (p == 2) {
                EXPECT_GT(Count(Cell(p, r), kBlack), 10) << p << ", " << r;
                EXPECT_EQ(Count(Cell(p, r), kGrey), 0) << p << ", " << r;
            } else {
                EXPECT_GT(Count(Cell(p, r), kGrey), 10) << p << ", " << r;
                EXPECT_EQ(Count(Cell(p, r), kBlack), 0) << p << ", " << r;
            }
        }
    }
    EXPECT_TRUE(Shows("Cindy", Cell(2, 0), view->m_fontMedium));
    EXPECT_TRUE(Shows("Donald", Cell(3, 0), view->m_fontMedium, kGrey));
}

TEST_F(ScoreScreenColours, ActivePlayerIsTheHighestFlaggedOrElseUnchanged) {
    Open();
    doc.m_lActive[0] = 0;
    doc.m_lActive[2] = 1;
    doc.m_lActive[4] = 1;
    view->DrawScoreScreen();
    EXPECT_EQ(view->m_nActivePlayer, 4);
    EXPECT_EQ(Pixel(Cell(4, 3).left + 1, Cell(4, 3).top + 1), kPalePink);
    EXPECT_EQ(Pixel(Cell(2, 3).left + 1, Cell(2, 3).top + 1), kColumnColour[2]);

    for (int p = 0; p < 6; ++p) {
        doc.m_lActive[p] = 0;
    }
    view->m_nActivePlayer = 3;
    view->DrawScoreScreen();
    EXPECT_EQ(view->m_nActivePlayer, 3);
    EXPECT_EQ(Pixel(Cell(3, 3).left + 1, Cell(3, 3).top + 1), kPalePink);
}

TEST_F(ScoreScreenNumbers, StatisticsAndRoundedAverages) {
    Open();
    doc.m_lNumGames[0] = 3;
    doc.m_lAllGames[0] = 2000;
    doc.m_lLastGame[0] = 812;
    doc.m_lBestGame[0] = 900;
    doc.m_lNumGames[1] = 2;
    doc.m_lAllGames[1] = 2001;
    doc.m_lBestGame[1] = 1043;
    // No games: no average is taken, whatever the total says.
    doc.m_lNumGames[2] = 0;
    doc.m_lAllGames[2] = 5000;
    doc.m_lAverage[2] = 77;
    doc.m_lBestGame[2] = 950;
    view->DrawScoreScreen();

    EXPECT_EQ(doc.m_lAverage[0], 667);
    EXPECT_EQ(doc.m_lAverage[1], 1001);
    EXPECT_EQ(doc.m_lAverage[2], 77);

    const CFont& font = view->m_fontMedium;
    EXPECT_TRUE(Shows("812", Cell(0, 1), font));
    EXPECT_TRUE(Shows("2000", Cell(0, 2), font));
    EXPECT_TRUE(Shows("3", Cell(0, 3), font));
    EXPECT_TRUE(Shows("667", Cell(0, 4), font));
    EXPECT_FALSE(Shows("666", Cell(0, 4), font));
    EXPECT_TRUE(Shows("900", Cell(0, 5), font));
    EXPECT_TRUE(Shows("1001", Cell(1, 4), font, kGrey));
    EXPECT_TRUE(Shows("1043", Cell(1, 5), font, kGrey));
    EXPECT_TRUE(Shows("5000", Cell(2, 2), font, kGrey));
    EXPECT_TRUE(Shows("0", Cell(2, 3), font, kGrey));
    EXPECT_TRUE(Shows("", Cell(2, 4), font));
    EXPECT_TRUE(Shows("", Cell(2, 5), font));
    EXPECT_FALSE(Shows("", Cell(2, 3), font));
}

// A timed-out game raises the count without touching the average: a table sorted by Average
// must be sorted by the averages it shows.
TEST_F(ScoreScreenNumbers, SortByAverageUsesTheUpdatedAverages) {
    Open();
    doc.m_nSortRow = 5;
    doc.m_lNumGames[0] = 2; // Alice: 900 over two games, still stored as 900
    doc.m_lAllGames[0] = 900;
    doc.m_lAverage[0] = 900;
    doc.m_lNumGames[1] = 1; // Burt: 600
    doc.m_lAllGames[1] = 600;
    doc.m_lAverage[1] = 600;
    view->DrawScoreScreen();
    EXPECT_EQ(doc.m_strPlayerName[0], "Burt");
    EXPECT_EQ(doc.m_strPlayerName[1], "Alice");
    EXPECT_EQ(doc.m_lAverage[1], 450);
    EXPECT_EQ(view->m_nActivePlayer, 1); // Alice stays the active player
}

TEST_F(ScoreScreenNumbers, PotAmountOnThePot) {
    Open();
    const CRect& amount = view->m_rcPotAmount;
    EXPECT_EQ(amount, CRect(84, 568, 157, 598));
    EXPECT_TRUE(Shows("0", amount, view->m_fontLarge));
    EXPECT_FALSE(Shows("8", amount, view->m_fontLarge));

    doc.m_lPot = 350;
    view->DrawScoreScreen();
    EXPECT_TRUE(Shows("350", amount, view->m_fontLarge));
    EXPECT_FALSE(Shows("35", amount, view->m_fontLarge));
}

TEST_F(ScoreScreenJackpot, BlackStarWithMagentaRimAndYellowWord) {
    Open();
    EXPECT_EQ(Pixel(146, 198), kPaleGreen);
    EXPECT_EQ(Count(view->m_rcJackpotArea, kMagenta), 0);

    view->m_bShowJackpot = 1;
    view->DrawScoreScreen();
    EXPECT_EQ(Pixel(146, 198), kBlack);
    EXPECT_EQ(Pixel(100, 300), kBlack);
    for (const CPoint p : {CPoint{144, 180}, CPoint{220, 260}, CPoint{132, 366}, CPoint{20, 330},
                           CPoint{157, 202}}) {
        EXPECT_EQ(Pixel(p.x, p.y), kMagenta) << p.x << ", " << p.y;
    }
    // Outside the outline the fill must not have leaked.
    for (const CPoint p : {CPoint{30, 200}, CPoint{200, 190}, CPoint{210, 350}, CPoint{40, 360}}) {
        EXPECT_EQ(Pixel(p.x, p.y), kPaleGreen) << p.x << ", " << p.y;
    }
    EXPECT_TRUE(ShowsText(host->ClientImage(), "Jackpot", view->m_rcJackpotText, view->m_fontLarge,
                          kCentred, kYellow));
}

TEST_F(ScoreScreenFileHint, OpenHintWhileNothingIsLoaded) {
    Open();
    ASSERT_EQ(doc.m_bNothingLoaded, 1);
    ASSERT_EQ(doc.m_bUnsavedResults, 0);
    const int W = 1024;
    EXPECT_EQ(Pixel(W - 130, 150), kHintNavy);
    EXPECT_EQ(Pixel(W - 230, 350), kHintNavy);
    EXPECT_EQ(Pixel(W - 120, 570), kHintNavy);
    EXPECT_TRUE(OnBlackFill(W - 146, 372, kCyan));
    EXPECT_EQ(Pixel(W - 165, 372), kBlack);
    EXPECT_EQ(Pixel(W - 65, 372), kBlack);
    EXPECT_EQ(Pixel(W - 175, 400), kBlack);
    EXPECT_EQ(Pixel(W - 120, 600), kPaleGreen);
    EXPECT_TRUE(ShowsText(host->ClientImage(), kOpenHint, view->m_rcFileHint, view->m_fontLarge,
                          kWrapped, kCyan));
    EXPECT_EQ(Count(CRect(W - 240, 140, W, 680), kHintGreen), 0);
}

TEST_F(ScoreScreenFileHint, SaveHintWinsOverTheOpenHint) {
    doc.m_bUnsavedResults = 1;
    ASSERT_EQ(doc.m_bNothingLoaded, 1);
    Open();
    const int W = 1024;
    EXPECT_EQ(Pixel(W - 130, 150), kHintGreen);
    EXPECT_EQ(Pixel(W - 230, 410), kHintGreen);
    EXPECT_EQ(Pixel(W - 120, 670), kHintGreen);
    EXPECT_TRUE(OnBlackFill(W - 146, 372, kSaveHintText));
    EXPECT_EQ(Pixel(W - 165, 372), kBlack);
    EXPECT_EQ(Pixel(W - 65, 372), kBlack);
    EXPECT_EQ(Pixel(W - 190, 420), kBlack);
    EXPECT_EQ(Pixel(W - 120, 600), kBlack);
    EXPECT_EQ(Count(CRect(W - 240, 140, W, 680), kHintNavy), 0);
    EXPECT_EQ(Count(view->m_rcFileHint, kCyan), 0);
    EXPECT_TRUE(ShowsText(host->ClientImage(), kNewFileHint, view->m_rcFileHint, view->m_fontLarge,
                          kWrapped, kSaveHintText));
}

TEST_F(ScoreScreenFileHint, SaveHintWithoutAnythingLoadedBefore) {
    doc.m_bUnsavedResults = 1;
    doc.m_bNothingLoaded = 0;
    Open();
    EXPECT_EQ(Pixel(1024 - 130, 150), kHintGreen);
    EXPECT_TRUE(OnBlackFill(1024 - 146, 372, kSaveHintText));
    EXPECT_EQ(Pixel(1024 - 165, 372), kBlack);
}

TEST_F(ScoreScreenFileHint, NoHintOnceLoadedAndSaved) {
    doc.m_bUnsavedResults = 0;
    doc.m_bNothingLoaded = 0;
    Open();
    const CRect right(1024 - 240, 140, 1024, 680);
    EXPECT_EQ(Pixel(1024 - 146, 372), kPaleGreen);
    EXPECT_EQ(Count(right, kBlack), 0);
    EXPECT_EQ(Count(right, kHintGreen), 0);
    EXPECT_EQ(Count(right, kHintNavy), 0);
}

// The hint for a file that has a name starts one line lower than the one for a new file.
TEST_F(ScoreScreenFileHint, OldFileTextStartsOneLineLower) {
    doc.m_bUnsavedResults = 1;
    Open();
    const int newTop = TopRowOf(view->m_rcFileHint, kSaveHintText);
    doc.m_szFileName = "/home/player/match.glb";
    view->EnterScoreScreen();
    const int oldTop = TopRowOf(view->m_rcFileHint, kSaveHintText);
    EXPECT_TRUE(ShowsText(host->ClientImage(), kOldFileHint, view->m_rcFileHint, view->m_fontLarge,
                          kWrapped, kSaveHintText));
    ASSERT_GE(newTop, 220);
    ASSERT_GE(oldTop, 220);
    EXPECT_GE(oldTop - newTop, view->m_fontLarge.CellHeight() * 3 / 4);
    EXPECT_LE(oldTop - newTop, view->m_fontLarge.CellHeight() * 2);
}

} // namespace
