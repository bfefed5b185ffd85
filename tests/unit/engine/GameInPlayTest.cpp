#include "support/ViewFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

namespace {

TEST(GameInPlayTest, CrossHairOrdersKeepTheCentreInsideAndTheAxesTogether) {
    ViewRig rig;
    std::srand(12345);
    std::set<int> zeroPositions;
    const std::multiset<int> offsets = {20, 16, 12, 8, 4, 0, -4, -8, -12, -16, -20};
    for (int game = 0; game < 3000; ++game) {
        rig.view->BuildCrossHairOrder();
        const int* dx = rig.view->m_aCrossDx;
        const int* dy = rig.view->m_aCrossDy;
        ASSERT_EQ(std::multiset<int>(dx + 1, dx + 12), offsets);
        ASSERT_EQ(std::multiset<int>(dy + 1, dy + 12), offsets);
        int zero = 0;
        for (int p = 1; p <= 11; ++p) {
            ASSERT_EQ(dx[p] == 0, dy[p] == 0) << "position " << p;
            if (dx[p] == 0) {
                zero = p;
            }
        }
        zeroPositions.insert(zero);
    }
    EXPECT_EQ(zeroPositions, (std::set<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

class CentreSearchTest : public ::testing::Test {
protected:
    // Running sums of a count array given as {index, count} pairs.
    void SetCounts(std::initializer_list<std::pair<int, int>> counts) {
        int c[481] = {};
        int area = 0;
        for (auto [index, count] : counts) {
            c[index] = count;
            area += count;
        }
        int sum = 0;
        for (int k = 0; k < 480; ++k) {
            sum += c[k];
            rig.view->m_aColumnCumul[k] = sum;
            rig.view->m_aRowCumul[k] = sum;
        }
        rig.view->m_aColumnCumul[480] = sum;
        rig.view->m_nBlobAreaCopy = area;
        rig.view->FindCentre();
    }
    ViewRig rig;
};

TEST_F(CentreSearchTest, AnExactHalfIsTheCentre) {
    SetCounts({{100, 5}, {200, 5}, {300, 10}}); // H = 10, reached exactly at 200
    EXPECT_EQ(rig.view->m_nCentreX, 200);
    EXPECT_EQ(rig.view->m_nCentreY, 200);
}

TEST_F(CentreSearchTest, TheCloserSideWinsAndATieGoesUp) {
    // H = 10; at 201 the sum is 14 (over 4), at 200 it was 7 (under 3): 200 is closer.
    SetCounts({{100, 7}, {201, 7}, {300, 6}});
    EXPECT_EQ(rig.view->m_nCentreX, 200);
    // H = 10; at 201 the sum is 13 (over 3), before it 7 (under 3): a tie takes 201.
    SetCounts({{100, 7}, {201, 6}, {300, 7}});
    EXPECT_EQ(rig.view->m_nCentreX, 201);
    // H = 10; over 1 at 201, under 5 before: 201.
    SetCounts({{100, 5}, {201, 6}, {300, 9}});
    EXPECT_EQ(rig.view->m_nCentreY, 201);
}

TEST(GameTimerTest, AWholeUnstoppedGameAtEachSpeed) {
    const int intervals[] = {990, 1990, 2990, 3990, 4990};
    for (int speed = 0; speed < 5; ++speed) {
        SCOPED_TRACE(speed);
        ViewRig rig;
        rig.Paint();
        rig.Key(VK_SPACE);
        if (speed != 2) {
            rig.view->SetSpeed(speed);
        }
        rig.host.timerStarts.clear();
        rig.Key(VK_SPACE);
        ASSERT_EQ(rig.host.timerStarts.size(), 1u);
        EXPECT_EQ(rig.host.timerStarts[0].id, 1);
        EXPECT_EQ(rig.host.timerStarts[0].periodMs, 50);
        EXPECT_EQ(rig.view->m_nCrossStep, 0);

        rig.Tick(); // position 1
        EXPECT_EQ(rig.view->m_nCrossStep, 1);
        ASSERT_EQ(rig.host.timerStarts.size(), 2u);
        EXPECT_EQ(rig.host.timerStarts[1].periodMs, intervals[speed]);
        EXPECT_TRUE(rig.host.sounds.empty());
        for (int move = 2; move <= 11; ++move) {
            rig.Tick();
            EXPECT_EQ(rig.view->m_nCrossStep, move);
            EXPECT_EQ(rig.view->m_nScreen, 5);
        }
        EXPECT_TRUE(rig.host.TimerRunning(1));
        rig.Tick(); // the time-out
        EXPECT_FALSE(rig.host.TimerRunning(1));
        EXPECT_EQ(rig.view->m_nScreen, 4);
        EXPECT_EQ(rig.host.timerStarts.size(), 3u); // and the poll of the Score screen
        EXPECT_EQ(rig.host.timerStarts[2].id, 2);

        std::vector<FakeViewHost::Sound> expected(9, {103, false});
        expected.push_back({106, false});
        expected.push_back({102, false});
        EXPECT_EQ(rig.host.sounds, expected);
        EXPECT_EQ(rig.doc.m_lNumGames[0], 1);
        EXPECT_EQ(rig.doc.m_lLastGame[0], 0);
        EXPECT_EQ(rig.doc.m_lPot, 0);
        EXPECT_EQ(rig.doc.m_bUnsavedResults, 1);
    }
}

TEST(GameTimerTest, TheTickerShowsPositionsCounterAndLegend) {
    ViewRig rig;
    rig.Paint();
    rig.StartGameAndFirstTick();
    CGlobuleView& v = *rig.view;
    // The counter reads 10 at the first position and one less at each move, 0 at the last.
    const CRect& box = v.m_rcTickBox;
    const CRect inside(box.left + 1, box.top + 1, box.right - 1, v.m_rcTickNumber.bottom);
    auto counterShows = [&](int left) {
        return ShowsText(rig.host.ClientImage(), std::to_string(left), v.m_rcTickNumber,
                         v.m_fontLarge, DT_CENTER | DT_VCENTER | DT_SINGLELINE, RGB(0, 0, 0),
                         inside);
    };
    const int x = v.CrossX(1);
    const int y = v.CrossY(1);
    EXPECT_EQ(rig.Pixel(v.m_rcBlob.left + 3, y), RGB(0, 0, 0));
    EXPECT_EQ(rig.Pixel(x, v.m_rcBlob.top + 3), RGB(0, 0, 0));
    EXPECT_TRUE(counterShows(10));
    // The table band was cleared and the legend is shown at the top.
    EXPECT_NE(rig.Pixel(v.m_rcPinCenter.left + 206, v.m_rcPinCenter.top + 25), RGB(220, 255, 220));
    rig.Tick();
    if (v.CrossY(2) != y) {
        EXPECT_NE(rig.Pixel(v.m_rcBlob.left + 3, y), RGB(0, 0, 0)); // the old line is gone
    }
    EXPECT_EQ(rig.Pixel(v.m_rcBlob.left + 3, v.CrossY(2)), RGB(0, 0, 0));
    for (int position = 2; position <= 11; ++position) {
        EXPECT_TRUE(counterShows(11 - position)) << "position " << position;
        rig.Tick();
    }
    EXPECT_EQ(v.m_nScreen, 4);
}

TEST(GameTimerTest, ASpaceBeforeTheFirstTickIsIgnored) {
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_SPACE);
    rig.Key(VK_SPACE);
    rig.Key(VK_SPACE); // within the first 50 ms
    EXPECT_EQ(rig.view->m_nScreen, 5);
    EXPECT_EQ(rig.doc.m_lPot, 0);
    EXPECT_TRUE(rig.host.sounds.empty());
    rig.Tick();
    EXPECT_EQ(rig.view->m_nCrossStep, 1);
}

TEST(GameTimerTest, ANonPositiveIntervalPlaysAtMediumSpeed) {
    for (int interval : {0, -100}) {
        ViewRig rig;
        rig.Paint();
        rig.doc.m_nTimerInterval = interval;
        rig.StartGameAndFirstTick();
        EXPECT_EQ(rig.host.TimerPeriod(1), 2990);
        EXPECT_EQ(rig.doc.m_nTimerInterval, interval);
    }
}

TEST(GameTimerTest, ATimerThatCannotRestartFreezesTheGameUntilSpace) {
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_SPACE);
    rig.Key(VK_SPACE);
    rig.host.failingTimers = {1};
    rig.Tick();
    EXPECT_EQ(rig.view->m_nCrossStep, 0);
    EXPECT_FALSE(rig.host.TimerRunning(1));
    rig.Key(VK_SPACE); // nothing to pin yet: the game stays until F1 or a repaint
    EXPECT_EQ(rig.view->m_nScreen, 5);
    rig.Key(VK_F1);
    EXPECT_EQ(rig.view->m_nScreen, 4);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 1);
}

} // namespace
