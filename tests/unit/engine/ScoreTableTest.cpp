#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"
#include "platform/DrawContext.h"
#include "platform/FakeViewHost.h"
#include "support/ScoreScreenFixture.h"

#include <array>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using LONG = CGlobuleDoc::LONG;

class ScoreTable : public ScoreScreenFixture {
protected:
    void SetUp() override { Open(); }

    void Click(int x, int y) { view->OnLButtonDown(0, CPoint{x, y}); }

    std::vector<std::string> Names() const {
        return {doc.m_strPlayerName, doc.m_strPlayerName + 6};
    }
    std::vector<LONG> Active() const { return {doc.m_lActive, doc.m_lActive + 6}; }

    void SetNames(const std::array<const char*, 6>& names) {
        for (int p = 0; p < 6; ++p) {
            doc.m_strPlayerName[p] = names[p];
        }
    }
};

using ScoreTableSort = ScoreTable;
using ScoreTableClick = ScoreTable;

TEST_F(ScoreTableSort, NamesAscendInByteOrder) {
    // "\xC5" is a capital A with a ring in the single-byte code page: above every ASCII byte.
    SetNames({"abe", "Zed", "\xC5sa", "burt", "Burt", "Alice"});
    view->SortByName();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alice", "Burt", "Zed", "abe", "burt", "\xC5sa"}));
    EXPECT_EQ(doc.m_nSortRow, 1);
}

struct StatisticSort {
    const char* name;
    void (CGlobuleView::*sort)();
    LONG (CGlobuleDoc::*values)[10];
    int sortRow;
};

void PrintTo(const StatisticSort& s, std::ostream* os) {
    *os << s.name;
}

class ScoreTableStatisticSort : public ScoreTable,
                                public ::testing::WithParamInterface<StatisticSort> {};

// Every field of a player carries a tag of its own, so a field left behind by a swap shows.
TEST_P(ScoreTableStatisticSort, DescendingTiesByNameAndWholePlayersMove) {
    const StatisticSort& s = GetParam();
    SetNames({"Frank", "Cindy", "alice", "Ellen", "Burt", "Donald"});
    const LONG key[6] = {500, 900, 500, 100, 900, 500};
    LONG(*const fields[6])
    [10] = {&doc.m_lLastGame, &doc.m_lAllGames, &doc.m_lNumGames,
            &doc.m_lAverage,  &doc.m_lBestGame, &doc.m_lActive};
    for (int p = 0; p < 6; ++p) {
        for (int f = 0; f < 6; ++f) {
            (*fields[f])[p] = 10 * (f + 1) + p;
        }
        (doc.*s.values)[p] = key[p];
    }
    (view.get()->*s.sort)();

    // 900 Burt, 900 Cindy, 500 Donald, 500 Frank, 500 alice, 100 Ellen.
    const int from[6] = {4, 1, 5, 0, 2, 3};
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"Burt", "Cindy", "Donald", "Frank", "alice", "Ellen"}));
    for (int p = 0; p < 6; ++p) {
        EXPECT_EQ((doc.*s.values)[p], key[from[p]]) << "column " << p;
        for (int f = 0; f < 6; ++f) {
            if (fields[f] != &(doc.*s.values)) {
                EXPECT_EQ((*fields[f])[p], 10 * (f + 1) + from[p])
                    << "column " << p << ", field " << f;
            }
        }
    }
    EXPECT_EQ(doc.m_nSortRow, s.sortRow);
}

INSTANTIATE_TEST_SUITE_P(
    ScoreRows, ScoreTableStatisticSort,
    ::testing::Values(
        StatisticSort{"LastGame", &CGlobuleView::SortByLastGame, &CGlobuleDoc::m_lLastGame, 2},
        StatisticSort{"AllGames", &CGlobuleView::SortByAllGames, &CGlobuleDoc::m_lAllGames, 3},
        StatisticSort{"NumGames", &CGlobuleView::SortByNumGames, &CGlobuleDoc::m_lNumGames, 4},
        StatisticSort{"Average", &CGlobuleView::SortByAverage, &CGlobuleDoc::m_lAverage, 5},
        StatisticSort{"BestGame", &CGlobuleView::SortByBestGame, &CGlobuleDoc::m_lBestGame, 6}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ScoreTableSort, ValuesCompareSignedAndSortedTableIsLeftAlone) {
    SetNames({"A", "B", "C", "D", "E", "F"});
    const LONG best[6] = {-5, 7, 0, -2147483647 - 1, 2147483647, 7};
    for (int p = 0; p < 6; ++p) {
        doc.m_lBestGame[p] = best[p];
    }
    view->SortByBestGame();
    EXPECT_EQ(Names(), (std::vector<std::string>{"E", "B", "F", "C", "A", "D"}));
    EXPECT_EQ(doc.m_lBestGame[0], 2147483647);
    EXPECT_EQ(doc.m_lBestGame[5], -2147483647 - 1);

    // Sorting again swaps nothing: the swap slot keeps what the last real swap left there.
    const std::string slot = doc.m_strPlayerName[9];
    doc.m_strPlayerName[9] = "untouched";
    view->SortByBestGame();
    EXPECT_EQ(Names(), (std::vector<std::string>{"E", "B", "F", "C", "A", "D"}));
    EXPECT_EQ(doc.m_strPlayerName[9], "untouched");
    EXPECT_FALSE(slot.empty());
}

TEST_F(ScoreTableSort, SwapGoesThroughEntryNineAndLeavesTheRestAlone) {
    SetNames({"P0", "P1", "P2", "P3", "P4", "P5"});
    for (int e = 0; e < 10; ++e) {
        doc.m_lLastGame[e] = e;
    }
    doc.m_lPot = 1234;
    doc.m_lLastGame[9] = 99;
    view->SwapPlayers(1, 4);
    EXPECT_EQ(Names(), (std::vector<std::string>{"P0", "P4", "P2", "P3", "P1", "P5"}));
    EXPECT_EQ(doc.m_lLastGame[1], 4);
    EXPECT_EQ(doc.m_lLastGame[4], 1);
    EXPECT_EQ(doc.m_lLastGame[9], 1);
    EXPECT_EQ(doc.m_strPlayerName[9], "P1");
    for (const int e : {6, 7, 8}) {
        EXPECT_EQ(doc.m_lLastGame[e], e);
    }
    EXPECT_EQ(doc.m_lPot, 1234);
}

// With the table sorted by Last Game, a better game moves the player left, still active.
TEST_F(ScoreTableSort, ActivePlayerTravelsWithItsColumn) {
    const LONG last[6] = {600, 500, 400, 300, 200, 100};
    for (int p = 0; p < 6; ++p) {
        doc.m_lLastGame[p] = last[p];
        doc.m_lActive[p] = p == 4 ? 1 : 0;
    }
    view->SortByLastGame();
    view->DrawScoreScreen();
    ASSERT_EQ(view->m_nActivePlayer, 4);
    ASSERT_EQ(doc.m_strPlayerName[4], "Ellen");

    doc.m_lLastGame[4] = 550;
    view->DrawScoreScreen();
    EXPECT_EQ(Names(),
              (std::vector<std::string>{"Alice", "Ellen", "Burt", "Cindy", "Donald", "Frank"}));
    EXPECT_EQ(view->m_nActivePlayer, 1);
    EXPECT_EQ(Active(), (std::vector<LONG>{0, 1, 0, 0, 0, 0}));
}

TEST_F(ScoreTableClick, NameCellsHaveStrictEdges) {
    struct Case {
        int x;
        int y;
        int active; // -1: nobody changes
    };
    // Name cells: x 240..350, 354..464, ...; y 5..22. Edges themselves do not count.
    const Case cases[] = {
        {241, 14, 0},  {350, 14, 0},  {355, 14, 1},  {920, 14, 5},  {241, 6, 0},
        {241, 22, 0},  {240, 14, -1}, {351, 14, -1}, {352, 14, -1}, {353, 14, -1},
        {354, 14, -1}, {921, 14, -1}, {300, 5, -1},  {300, 23, -1}, {300, 30, -1},
    };
    for (const Case& c : cases) {
        for (int p = 0; p < 6; ++p) {
            doc.m_lActive[p] = p == 3 ? 1 : 0;
        }
        view->DrawScoreScreen();
        ASSERT_EQ(view->m_nActivePlayer, 3);
        Click(c.x, c.y);
        const int want = c.active < 0 ? 3 : c.active;
        EXPECT_EQ(view->m_nActivePlayer, want) << c.x << ", " << c.y;
        std::vector<LONG> flags(6, 0);
        flags[want] = 1;
        EXPECT_EQ(Active(), flags) << c.x << ", " << c.y;
    }
}

TEST_F(ScoreTableClick, NameClickTakesTheStarAway) {
    view->m_bShowJackpot = 1;
    view->DrawScoreScreen();
    CDC dc(host->ClientImage());
    ASSERT_EQ(dc.GetPixel(146, 198), RGB(0, 0, 0));
    Click(300, 14);
    EXPECT_EQ(view->m_bShowJackpot, 0);
    for (const CPoint p : {CPoint{146, 198}, CPoint{144, 180}, CPoint{100, 300}}) {
        EXPECT_EQ(dc.GetPixel(p.x, p.y), RGB(220, 255, 220)) << p.x << ", " << p.y;
    }
}

// A loaded match may flag several players; the clicked one must become the only active one.
TEST_F(ScoreTableClick, ClickedNameIsTheOnlyActivePlayer) {
    doc.m_lActive[0] = 0;
    doc.m_lActive[2] = 1;
    doc.m_lActive[4] = 1;
    view->DrawScoreScreen();
    ASSERT_EQ(view->m_nActivePlayer, 4);
    Click(250, 14);
    EXPECT_EQ(view->m_nActivePlayer, 0);
    EXPECT_EQ(Active(), (std::vector<LONG>{1, 0, 0, 0, 0, 0}));
}

TEST_F(ScoreTableClick, CaptionBandsChooseTheSortRow) {
    struct Case {
        int y;
        int sortRow; // 0: no sort
    };
    const Case cases[] = {{5, 0},   {6, 1},   {26, 1},  {27, 2},  {47, 2},
                          {48, 3},  {68, 3},  {69, 4},  {89, 4},  {90, 5},
                          {110, 5}, {111, 6}, {127, 6}, {128, 0}, {140, 0}};
    for (const Case& c : cases) {
        doc.m_nSortRow = 0;
        Click(170, c.y);
        EXPECT_EQ(doc.m_nSortRow, c.sortRow) << "y " << c.y;
    }
    for (const int x : {103, 237, 238, 102}) {
        doc.m_nSortRow = 0;
        Click(x, 30);
        EXPECT_EQ(doc.m_nSortRow, 0) << "x " << x;
    }
    for (const int x : {104, 236}) {
        doc.m_nSortRow = 0;
        Click(x, 30);
        EXPECT_EQ(doc.m_nSortRow, 2) << "x " << x;
    }
}

TEST_F(ScoreTableClick, CaptionClickSortsAndRedraws) {
    doc.m_lAverage[3] = 800;
    doc.m_lNumGames[3] = 1;
    doc.m_lAllGames[3] = 800;
    Click(170, 95);
    EXPECT_EQ(doc.m_nSortRow, 5);
    EXPECT_EQ(doc.m_strPlayerName[0], "Donald");
    // Alice, the active player, went along with her column, and the screen shows it.
    EXPECT_EQ(doc.m_strPlayerName[1], "Alice");
    EXPECT_EQ(view->m_nActivePlayer, 1);
    CDC dc(host->ClientImage());
    const CRect& cell = view->m_arcTableCell[6 * 1 + 3];
    EXPECT_EQ(dc.GetPixel(cell.left + 1, cell.top + 1), RGB(255, 240, 240));
}

TEST_F(ScoreTableClick, OnlyTheScoreScreenTakesClicks) {
    SetNames({"F", "E", "D", "C", "B", "A"});
    for (const int screen : {0, 5}) {
        view->m_nScreen = screen;
        const std::size_t captions = host->captions.size();
        Click(170, 95);
        Click(355, 14);
        EXPECT_EQ(doc.m_nSortRow, 0) << "screen " << screen;
        EXPECT_EQ(view->m_nActivePlayer, 0) << "screen " << screen;
        EXPECT_EQ(Active(), (std::vector<LONG>{1, 0, 0, 0, 0, 0})) << "screen " << screen;
        EXPECT_EQ(Names()[0], "F") << "screen " << screen;
        EXPECT_EQ(host->captions.size(), captions + 2) << "screen " << screen;
    }

    view->m_nScreen = 4;
    view->m_bBadResolution = 1;
    const std::size_t captions = host->captions.size();
    Click(170, 10);
    EXPECT_EQ(doc.m_nSortRow, 0);
    EXPECT_EQ(host->captions.size(), captions);
}

} // namespace
