#include "document/MatchFormat.h"
#include "support/KnownSplit.h"
#include "support/ViewFixture.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A game stopped on a blob painted by the test, so the quarters are known exactly.
class ScoringTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.Paint();
        rig.StartGameAndFirstTick();
        ASSERT_EQ(rig.view->m_nCrossStep, 1);
    }

    void PaintAndStop(int dx, int dy, int topLeft, int topRight, int bottomRight, int bottomLeft,
                      int moved) {
        PaintKnownSplit(*rig.view, rig.host.ClientImage(), dx, dy, topLeft, topRight, bottomRight,
                        bottomLeft, moved);
        rig.Key(VK_SPACE);
    }

    // From the Score screen after a game to the first position of the next one.
    void NextGame() {
        rig.Key(VK_SPACE);
        rig.Tick();
    }

    ViewRig rig;
};

TEST_F(ScoringTest, AnEqualSplitScoresExactly1000WithoutAJackpot) {
    rig.doc.m_lBestGame[0] = 400;
    // With no pixels between the lines the point and the centre cut the same quarters.
    PaintAndStop(4, 4, 3000, 3000, 3000, 3000, 0);
    EXPECT_EQ(rig.doc.m_lLastGame[0], 1000);
    EXPECT_EQ(rig.doc.m_lAllGames[0], 1000);
    EXPECT_EQ(rig.doc.m_lBestGame[0], 1000);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 1);
    EXPECT_EQ(rig.doc.m_lAverage[0], 1000);
    EXPECT_EQ(rig.doc.m_lPot, 50);
    EXPECT_EQ(rig.view->m_bShowJackpot, 0);
    EXPECT_EQ(rig.view->m_nScreen, 4);
    EXPECT_EQ(rig.doc.m_bUnsavedResults, 1);
    std::vector<FakeViewHost::Sound> expected = {{105, false}};
    EXPECT_EQ(rig.host.sounds, expected);
}

TEST_F(ScoringTest, TheRealCentrePositionScores1000) {
    CGlobuleView& v = *rig.view;
    // Walk to the position whose offsets are both zero, on the game's own blob.
    while (v.m_aCrossDx[v.m_nCrossStep] != 0) {
        rig.Tick();
    }
    rig.Key(VK_SPACE);
    EXPECT_EQ(rig.doc.m_lLastGame[0], 1000);
    EXPECT_EQ(v.m_aPinQuarter[0], v.m_aCentreQuarter[0]);
    EXPECT_EQ(v.m_nPinX, v.m_nCentreScreenX);
}

// Blobs of the stored shapes, stopped off their centre. The quarters were counted apart from
// the program, from the shapes' bits placed and mirrored as the screen shows them, with the
// column and the row through a point counting to its right and lower quarters.
struct RealStop {
    int picks[4];
    int dx, dy;
    int pin[4]; // top-left, top-right, bottom-right, bottom-left
    int centre[4];
    int score;
};
constexpr RealStop kRealStops[] = {
    {{0, 1, 2, 3}, 12, -8, {27010, 31799, 26696, 40994}, {26825, 35769, 27494, 36411}, 995},
    {{0, 1, 2, 3}, -20, 16, {26086, 44095, 28382, 27936}, {26825, 35769, 27494, 36411}, 972},
    {{6, 2, 0, 5}, -4, 20, {30455, 40538, 23792, 29211}, {27047, 34495, 28020, 34434}, 880},
    {{6, 2, 0, 5}, 16, -16, {27042, 26985, 27992, 41977}, {27047, 34495, 28020, 34434}, 998},
    {{4, 5, 6, 1}, 20, 12, {40339, 37409, 26399, 41350}, {32636, 39408, 33891, 39562}, 809},
    {{3, 6, 1, 4}, -16, -4, {31151, 36099, 40674, 30573}, {36084, 33045, 36123, 33245}, 925},
    {{1, 0, 3, 2}, 12, 12, {40938, 27364, 30936, 27261}, {35569, 27025, 36622, 27283}, 1009},
};

TEST_F(ScoringTest, RealBlobsStoppedOffTheirCentreScoreTheirCountedQuarters) {
    CGlobuleView& v = *rig.view;
    auto Four = [](const int* quarters) { return std::vector<int>(quarters, quarters + 4); };
    rig.Key(VK_SPACE); // the game of the set-up ends; the Score screen
    for (const RealStop& stop : kRealStops) {
        SCOPED_TRACE(testing::Message()
                     << "shapes " << stop.picks[0] << stop.picks[1] << stop.picks[2]
                     << stop.picks[3] << " at " << stop.dx << ", " << stop.dy);
        std::copy(std::begin(stop.picks), std::end(stop.picks), v.m_aQuadrantPick);
        v.m_nBlobAreaCopy = 0;
        for (const int pick : stop.picks) {
            v.m_nBlobAreaCopy += v.m_aQuadrant[pick][0];
        }
        v.DrawPlayScreen();
        rig.Key(VK_SPACE);
        v.m_aCrossDx[1] = stop.dx;
        v.m_aCrossDy[1] = stop.dy;
        rig.Tick();
        rig.Key(VK_SPACE);
        EXPECT_EQ(Four(v.m_aPinQuarter), Four(stop.pin));
        EXPECT_EQ(Four(v.m_aCentreQuarter), Four(stop.centre));
        EXPECT_EQ(rig.doc.m_lLastGame[v.m_nActivePlayer], stop.score);
        EXPECT_EQ(v.m_bShowJackpot, stop.score > 1000 ? 1 : 0);
    }
}

TEST_F(ScoringTest, AMoreEvenSplitWinsThePotIncludingItsOwnFifty) {
    rig.doc.m_lPot = 300;
    rig.doc.m_lAllGames[0] = 2000;
    rig.doc.m_lNumGames[0] = 2;
    rig.doc.m_lBestGame[0] = 1000;
    rig.host.sounds.clear();
    PaintAndStop(4, 4, 1000, 5000, 5000, 5000, 300); // the point's smallest quarter: 1300
    EXPECT_EQ(rig.doc.m_lLastGame[0], 1300);
    EXPECT_EQ(rig.doc.m_lBestGame[0], 1300); // never includes the pot
    EXPECT_EQ(rig.doc.m_lAllGames[0], 2000 + 1300 + 350);
    EXPECT_EQ(rig.doc.m_lPot, 0);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 3);
    EXPECT_EQ(rig.view->m_bShowJackpot, 1);
    EXPECT_EQ(rig.view->m_bJackpotWon, 0);
    std::vector<FakeViewHost::Sound> expected = {{105, false}, {104, true}, {101, true}};
    EXPECT_EQ(rig.host.sounds, expected);
}

TEST_F(ScoringTest, TheJackpotGoesToTheScorerWhateverTheLoadedActiveFlagsSay) {
    // Sorted by All Games, the scorer drops from the first column to the last; the flags of a
    // loaded match may name nobody, or somebody else besides.
    struct Flags {
        int active[6];
    };
    std::vector<ScoredGame> reported;
    rig.view->SetScoredGameListener([&](const ScoredGame& game) { reported.push_back(game); });
    for (const Flags flags : {Flags{{0, 0, 0, 0, 0, 0}}, Flags{{1, 0, 0, 1, 0, 0}}}) {
        SCOPED_TRACE(flags.active[3]);
        reported.clear();
        rig.doc.OnNewDocument();
        rig.doc.m_nSortRow = 3;
        for (int p = 1; p < 6; ++p) {
            rig.doc.m_lAllGames[p] = 10000 * p;
        }
        for (int p = 0; p < 6; ++p) {
            rig.doc.m_lActive[p] = flags.active[p];
        }
        rig.doc.m_lPot = 300;
        PaintAndStop(4, 4, 1000, 5000, 5000, 5000, 300); // 1300: a jackpot
        const int alice = static_cast<int>(std::find(std::begin(rig.doc.m_strPlayerName),
                                                     std::end(rig.doc.m_strPlayerName), "Alice") -
                                           std::begin(rig.doc.m_strPlayerName));
        EXPECT_EQ(alice, 5);
        EXPECT_EQ(rig.doc.m_lLastGame[alice], 1300);
        EXPECT_EQ(rig.doc.m_lAllGames[alice], 1300 + 350);
        EXPECT_EQ(rig.doc.m_lPot, 0);
        for (int p = 0; p < 5; ++p) {
            EXPECT_EQ(rig.doc.m_lAllGames[p], 10000 * (5 - p)) << "column " << p;
        }
        // The records beyond the match hear of the scorer, though the sort has moved her.
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0].score, 1300);
        EXPECT_EQ(reported[0].playerName, "Alice");
        EXPECT_EQ(reported[0].intervalMs, 2990);
        NextGame();
    }
}

TEST_F(ScoringTest, ScoresRoundHalfUp) {
    // The centre's smallest quarter is 2000 and the point's 1001: 500.5 rounds to 501.
    PaintAndStop(27, 27, 5000, 1001, 5000, 5000, 999);
    EXPECT_EQ(rig.view->m_aCentreQuarter[1], 2000);
    EXPECT_EQ(rig.doc.m_lLastGame[0], 501);
}

TEST_F(ScoringTest, AnEmptyCentreQuarterScoresZero) {
    PaintAndStop(4, 4, 0, 5000, 5000, 5000, 400);
    EXPECT_EQ(rig.doc.m_lLastGame[0], 0);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 1);
    EXPECT_EQ(rig.doc.m_lPot, 50);
}

TEST_F(ScoringTest, AveragesRoundHalfUpAndFollowTheGameCount) {
    PaintAndStop(10, 10, 5000, 700, 5000, 5000, 300); // 700 / 1000
    EXPECT_EQ(rig.doc.m_lLastGame[0], 700);
    EXPECT_EQ(rig.doc.m_lAverage[0], 700);
    NextGame();
    PaintAndStop(13, 13, 5000, 701, 5000, 5000, 299); // 701 / 1000
    EXPECT_EQ(rig.doc.m_lLastGame[0], 701);
    EXPECT_EQ(rig.doc.m_lAverage[0], 701); // (1401 + 1) / 2
    EXPECT_EQ(rig.doc.m_lBestGame[0], 701);

    rig.doc.m_lAllGames[0] = 1400;
    NextGame();
    for (int tick = 0; tick < 11; ++tick) {
        rig.Tick(); // let it time out
    }
    ASSERT_EQ(rig.view->m_nScreen, 4);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 3);
    EXPECT_EQ(rig.doc.m_lAllGames[0], 1400);
    EXPECT_EQ(rig.doc.m_lLastGame[0], 701);
    EXPECT_EQ(rig.doc.m_lAverage[0], 467); // recomputed by the Score screen: (1400 + 1) / 3
}

TEST_F(ScoringTest, ExtremeLoadedStatisticsWrapInsteadOfOverflowing) {
    rig.doc.m_lAllGames[0] = 2147483000;
    rig.doc.m_lNumGames[0] = -1; // a file may hold anything
    rig.doc.m_lPot = 2147483640;
    rig.doc.m_lAverage[0] = 77;
    PaintAndStop(4, 4, 3000, 3000, 3000, 3000, 0);
    EXPECT_EQ(rig.doc.m_lLastGame[0], 1000);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 0);
    EXPECT_EQ(rig.doc.m_lAverage[0], 77); // no division by a game count of 0
    EXPECT_LT(rig.doc.m_lAllGames[0], 0);
    EXPECT_LT(rig.doc.m_lPot, 0);
}

// ---- Showing the centre after each game ---------------------------------------------------

bool IsBlack(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFFu) == RGB(0, 0, 0);
}
bool IsBlue(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFFu) == RGB(0, 0, 255);
}
int CountBlue(const QImage& image, const CRect& r) {
    int blue = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            blue += IsBlue(image, x, y);
        }
    }
    return blue;
}

TEST(CentreShowingTest, AStopShowsTheCentreAndThePinThenGoesOnExactlyAsWithoutIt) {
    // The same game in two views from the same random numbers: a jackpot, its pin 12 pixels
    // right of and below the centre.
    ViewRig off;
    ViewRig on;
    EXPECT_EQ(off.view->m_bShowCentre, 0); // off unless the player chooses it
    on.view->m_bShowCentre = 1;
    QImage shown;
    int screenWhileShown = -1;
    std::size_t soundsBeforeTheLook = 0;
    on.host.onPause = [&] {
        shown = on.host.ClientImage().copy();
        screenWhileShown = on.view->m_nScreen;
        soundsBeforeTheLook = on.host.sounds.size();
    };
    for (ViewRig* rig : {&off, &on}) {
        rig->Paint();
        std::srand(11);
        rig->StartGameAndFirstTick();
        rig->doc.m_lPot = 300;
        PaintKnownSplit(*rig->view, rig->host.ClientImage(), 12, 12, 1000, 5000, 5000, 5000, 300);
        rig->Key(VK_SPACE);
    }

    EXPECT_TRUE(off.host.pauses.empty());
    EXPECT_EQ(on.host.pauses, std::vector<int>{2000});
    const CGlobuleView& v = *on.view;
    EXPECT_EQ(v.m_nCentreDistance, 17); // 12 across and 12 down
    EXPECT_EQ(screenWhileShown, 5);
    EXPECT_EQ(soundsBeforeTheLook, 1u); // the stop's; the jackpot's come after the look
    const int cx = v.m_nCentreScreenX;
    const int cy = v.m_nCentreScreenY;
    const int left = v.m_rcBlob.left;
    const int top = v.m_rcBlob.top;
    EXPECT_TRUE(IsBlue(shown, cx, cy));
    EXPECT_TRUE(IsBlue(shown, left + 1, cy));
    EXPECT_TRUE(IsBlue(shown, cx, top + 1));
    EXPECT_TRUE(IsBlack(shown, left + 1, v.m_nPinY));
    EXPECT_TRUE(IsBlack(shown, v.m_nPinX, top + 1));
    EXPECT_GT(CountBlue(shown, v.m_rcCentreReport), 100); // the distance, in the mark's blue

    // Then the Score screen with its new blob, the jackpot and its payout, as without it.
    EXPECT_EQ(on.host.ClientImage(), off.host.ClientImage());
    EXPECT_EQ(on.host.sounds, off.host.sounds);
    EXPECT_EQ(on.host.timerStarts.size(), off.host.timerStarts.size());
    EXPECT_EQ(matchfile::Store(on.doc), matchfile::Store(off.doc));
    EXPECT_EQ(on.doc.m_lAllGames[0], 1300 + 350);
}

TEST(CentreShowingTest, ATimeOutShowsTheCentreWithoutAPinAndEntersNoRecord) {
    ViewRig rig;
    rig.view->m_bShowCentre = 1;
    int reported = 0;
    rig.view->SetScoredGameListener([&](const ScoredGame&) { ++reported; });
    QImage shown;
    rig.host.onPause = [&] { shown = rig.host.ClientImage().copy(); };
    rig.Paint();
    rig.StartGameAndFirstTick();
    for (int tick = 0; tick < 11; ++tick) {
        rig.Tick();
    }
    const CGlobuleView& v = *rig.view;
    EXPECT_EQ(rig.host.pauses, std::vector<int>{2000});
    EXPECT_EQ(v.m_nCentreDistance, -1);
    EXPECT_TRUE(IsBlue(shown, v.m_rcBlob.left + v.m_nCentreX, v.m_rcBlob.top + v.m_nCentreY));
    int black = 0;
    for (int y = v.m_rcBlob.top; y < v.m_rcBlob.bottom; ++y) {
        for (int x = v.m_rcBlob.left; x < v.m_rcBlob.right; ++x) {
            black += IsBlack(shown, x, y);
        }
    }
    EXPECT_EQ(black, 0); // no cross hairs of the player's
    EXPECT_EQ(v.m_nScreen, 4);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 1);
    EXPECT_EQ(rig.doc.m_lPot, 0);
    EXPECT_EQ(reported, 0);
}

} // namespace
