#include "support/ViewFixture.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr COLORREF kPeach = RGB(255, 200, 160);
constexpr COLORREF kPaleGreen = RGB(220, 255, 220);

TEST(ScreenFlowTest, AFreshViewStartsOnHomePageZeroWithPlayerZeroAtMediumSpeed) {
    ViewRig rig;
    EXPECT_EQ(rig.view->m_nScreen, 0);
    EXPECT_EQ(rig.view->m_nHelpPage, 0);
    EXPECT_EQ(rig.view->m_nActivePlayer, 0);
    EXPECT_EQ(rig.view->m_nSpeed, 2);
    EXPECT_FALSE(rig.view->m_strScoreHelp.empty());
    EXPECT_GT(rig.view->m_aQuadrant[0][0], 0);
    rig.Paint();
    EXPECT_EQ(rig.Pixel(5, 5), kPeach);
    EXPECT_EQ(rig.host.captions.size(), 1u);
}

TEST(ScreenFlowTest, NothingReachesTheViewBeforeItsFirstPaintHasLaidItOut) {
    // A slow window manager keeps the first paint back while the player already presses keys.
    ViewRig rig;
    for (int press = 0; press < 3; ++press) {
        rig.Key(VK_SPACE);
        rig.Tick();
        rig.view->OnTimer(CGlobuleView::kPollTimer);
        rig.view->OnLButtonDown(0, {300, 10});
    }
    rig.Key(VK_NEXT);
    EXPECT_EQ(rig.view->m_nScreen, 0);
    EXPECT_EQ(rig.view->m_nHelpPage, 0);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 0);
    EXPECT_EQ(rig.doc.m_lPot, 0);
    EXPECT_TRUE(rig.host.timerStarts.empty());
    EXPECT_TRUE(rig.host.sounds.empty());

    rig.Paint();
    EXPECT_EQ(rig.Pixel(5, 5), kPeach);
    rig.Key(VK_SPACE);
    EXPECT_EQ(rig.view->m_nScreen, 4);
}

TEST(ScreenFlowTest, PageKeysWalkTheHomePagesAndWrap) {
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_PRIOR);
    EXPECT_EQ(rig.view->m_nHelpPage, 12);
    for (int expected : {0, 1, 2}) {
        rig.Key(VK_NEXT);
        EXPECT_EQ(rig.view->m_nHelpPage, expected);
    }
    for (int k = 0; k < 10; ++k) {
        rig.view->OnKeyDown(VK_NEXT, 5, 0); // a repeat count alone does not mark a held key
    }
    EXPECT_EQ(rig.view->m_nHelpPage, 12);
    rig.Key(VK_NEXT);
    EXPECT_EQ(rig.view->m_nHelpPage, 0);
    EXPECT_EQ(rig.Pixel(5, 5), kPeach);
}

TEST(ScreenFlowTest, AHeldKeyIsOnePressItsRepeatsDoNothingOnAnyScreen) {
    ViewRig rig;
    rig.Paint();
    int reported = 0;
    rig.view->SetScoredGameListener([&](const ScoredGame&) { ++reported; });
    auto repeatAll = [&rig] {
        for (unsigned key : {VK_NEXT, VK_PRIOR, VK_SPACE, VK_END, VK_F1}) {
            rig.view->OnKeyDown(key, 1, KF_REPEAT);
        }
    };
    auto expectUnchanged = [&rig](int screen, const QImage& before) {
        EXPECT_EQ(rig.view->m_nScreen, screen);
        EXPECT_EQ(rig.view->m_nHelpPage, 0);
        EXPECT_EQ(rig.host.ClientImage(), before);
        EXPECT_TRUE(rig.host.messages.empty());
        EXPECT_EQ(rig.doc.m_lNumGames[0], 0);
    };
    QImage before = rig.host.ClientImage().copy();
    repeatAll();
    expectUnchanged(0, before);

    rig.Key(VK_SPACE);
    ASSERT_EQ(rig.view->m_nScreen, 4);
    before = rig.host.ClientImage().copy();
    repeatAll();
    expectUnchanged(4, before);

    rig.Key(VK_SPACE);
    rig.Tick();
    ASSERT_EQ(rig.view->m_nScreen, 5);
    before = rig.host.ClientImage().copy();
    repeatAll();
    expectUnchanged(5, before);
    EXPECT_TRUE(rig.host.TimerRunning(CGlobuleView::kPlayTimer));

    rig.Key(VK_SPACE); // the next real press stops the game as always
    EXPECT_EQ(rig.view->m_nScreen, 4);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 1);
    EXPECT_EQ(reported, 1);
}

TEST(ScreenFlowTest, KeysThatDoNothingStillRefreshTheCaption) {
    ViewRig rig;
    rig.Paint();
    const std::size_t captions = rig.host.captions.size();
    rig.Key(VK_F1); // F1 on the Home page
    rig.Key('A');
    EXPECT_EQ(rig.view->m_nScreen, 0);
    EXPECT_TRUE(rig.host.messages.empty());
    EXPECT_EQ(rig.host.captions.size(), captions + 2);

    rig.StartGameAndFirstTick();
    ASSERT_EQ(rig.view->m_nScreen, 5);
    const QImage during = rig.host.ClientImage().copy();
    rig.Key(VK_END);
    rig.Key(VK_NEXT);
    rig.Key(VK_PRIOR);
    EXPECT_EQ(rig.view->m_nScreen, 5);
    EXPECT_EQ(rig.view->m_nHelpPage, 0);
    EXPECT_EQ(rig.host.ClientImage(), during);
    EXPECT_EQ(rig.host.captions.size(), captions + 2 + 2 + 3);
}

TEST(ScreenFlowTest, SpaceEndAndTheScreenMirror) {
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_NEXT);
    rig.Key(VK_SPACE);
    EXPECT_EQ(rig.view->m_nScreen, 4);
    EXPECT_EQ(rig.doc.m_nViewScreen, 4);
    EXPECT_TRUE(rig.host.TimerRunning(CGlobuleView::kPollTimer));
    EXPECT_EQ(rig.host.TimerPeriod(CGlobuleView::kPollTimer), 50);
    EXPECT_EQ(rig.Pixel(5, 300), kPaleGreen);

    rig.view->m_bShowJackpot = 1;
    rig.Key(VK_END);
    EXPECT_EQ(rig.view->m_nScreen, 0);
    EXPECT_EQ(rig.doc.m_nViewScreen, 0);
    EXPECT_EQ(rig.view->m_bShowJackpot, 0);
    EXPECT_EQ(rig.view->m_nHelpPage, 1); // the page shown before
    EXPECT_EQ(rig.Pixel(5, 300), kPeach);
    EXPECT_TRUE(rig.host.TimerRunning(CGlobuleView::kPollTimer)); // End leaves the poll on

    rig.Key(VK_SPACE);
    rig.Key(VK_SPACE);
    EXPECT_EQ(rig.view->m_nScreen, 5);
    EXPECT_EQ(rig.doc.m_nViewScreen, 5);
    EXPECT_FALSE(rig.host.TimerRunning(CGlobuleView::kPollTimer));
    EXPECT_TRUE(rig.host.TimerRunning(CGlobuleView::kPlayTimer));
}

TEST(ScreenFlowTest, EveryEntryIntoTheScoreScreenComposesFourDifferentShapes) {
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_SPACE);
    for (int n = 0; n < 200; ++n) {
        rig.view->EnterScoreScreen();
        const int* pick = rig.view->m_aQuadrantPick;
        bool seen[7] = {};
        for (int k = 0; k < 7; ++k) {
            ASSERT_GE(pick[k], 0);
            ASSERT_LT(pick[k], 7);
            ASSERT_FALSE(seen[pick[k]]);
            seen[pick[k]] = true;
        }
        const int area = rig.view->m_aQuadrant[pick[0]][0] + rig.view->m_aQuadrant[pick[1]][0] +
                         rig.view->m_aQuadrant[pick[2]][0] + rig.view->m_aQuadrant[pick[3]][0];
        ASSERT_EQ(rig.view->m_nBlobAreaCopy, area);
    }
}

TEST(ScreenFlowTest, HelpOnTheScoreScreenShowsTheScoreHelp) {
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_SPACE);
    rig.Key(VK_F1);
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0], rig.view->m_strScoreHelp);
    EXPECT_EQ(rig.view->m_nScreen, 4);
}

TEST(ScreenFlowTest, HelpDuringPlayCountsTheGameWithoutPoints) {
    ViewRig rig;
    rig.Paint();
    rig.doc.m_lLastGame[0] = 900;
    rig.doc.m_lAllGames[0] = 900;
    rig.doc.m_lNumGames[0] = 1;
    rig.doc.m_lBestGame[0] = 900;
    rig.doc.m_lPot = 50;
    rig.StartGameAndFirstTick();
    rig.Tick();
    int screenDuringBox = -1;
    bool playTimerDuringBox = true;
    rig.host.onMessage = [&](const std::string&) {
        screenDuringBox = rig.view->m_nScreen;
        playTimerDuringBox = rig.host.TimerRunning(CGlobuleView::kPlayTimer);
    };
    int reported = 0;
    rig.view->SetScoredGameListener([&](const ScoredGame&) { ++reported; });
    rig.Key(VK_F1);
    EXPECT_EQ(reported, 0); // no score: nothing for the records beyond the match
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0], rig.view->m_strPlayHelp);
    EXPECT_FALSE(playTimerDuringBox);
    EXPECT_EQ(screenDuringBox, 5);
    EXPECT_EQ(rig.view->m_nScreen, 4);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 2);
    EXPECT_EQ(rig.doc.m_lLastGame[0], 900);
    EXPECT_EQ(rig.doc.m_lAllGames[0], 900);
    EXPECT_EQ(rig.doc.m_lBestGame[0], 900);
    EXPECT_EQ(rig.doc.m_lPot, 50);
    EXPECT_EQ(rig.doc.m_bUnsavedResults, 1);
    EXPECT_FALSE(rig.host.TimerRunning(CGlobuleView::kPlayTimer));
}

TEST(ScreenFlowTest, ARepaintDuringPlayDropsTheGameUncounted) {
    ViewRig rig;
    rig.Paint();
    rig.StartGameAndFirstTick();
    rig.Tick();
    const std::string before = rig.doc.m_strPlayerName[0];
    rig.Paint();
    EXPECT_EQ(rig.view->m_nScreen, 4);
    EXPECT_FALSE(rig.host.TimerRunning(CGlobuleView::kPlayTimer));
    EXPECT_EQ(rig.doc.m_lNumGames[0], 0);
    EXPECT_EQ(rig.doc.m_lPot, 0);
    EXPECT_EQ(rig.doc.m_bUnsavedResults, 0);
    EXPECT_TRUE(rig.host.sounds.size() == 1u); // just the one tick before the repaint
}

TEST(ScreenFlowTest, ARepaintOfTheScoreScreenComposesANewBlob) {
    ViewRig rig;
    rig.Paint();
    std::srand(7); // a seed whose next two blobs differ
    rig.Key(VK_SPACE);
    const CGlobuleView& v = *rig.view;
    const std::vector<int> firstPicks(v.m_aQuadrantPick, v.m_aQuadrantPick + 4);
    const QRect blob(v.m_rcBlob.left, v.m_rcBlob.top, 480, 480);
    const QImage firstBlob = rig.host.ClientImage().copy(blob);
    rig.Paint();
    EXPECT_EQ(v.m_nScreen, 4);
    EXPECT_NE(std::vector<int>(v.m_aQuadrantPick, v.m_aQuadrantPick + 4), firstPicks);
    const QImage secondBlob = rig.host.ClientImage().copy(blob);
    EXPECT_NE(secondBlob, firstBlob);
    int red = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 480; ++x) {
            red += (secondBlob.pixel(x, y) & 0xFFFFFFu) == RGB(255, 0, 0);
        }
    }
    EXPECT_EQ(red, v.m_nBlobAreaCopy); // the new picks are what is on screen
}

TEST(ScreenFlowTest, ThePollRedrawsOnceWhenAFileCommandChangedTheFlags) {
    ViewRig rig;
    rig.Paint();
    rig.Key(VK_SPACE);
    const std::size_t starts = rig.host.timerStarts.size();
    rig.view->OnTimer(CGlobuleView::kPollTimer); // nothing changed
    EXPECT_EQ(rig.host.timerStarts.size(), starts);
    EXPECT_TRUE(rig.host.TimerRunning(CGlobuleView::kPollTimer));

    rig.doc.m_bUnsavedResults = 1; // as a finished game would leave it, then a save clears it
    rig.view->OnTimer(CGlobuleView::kPollTimer);
    EXPECT_EQ(rig.view->m_nSeenDocFlagB, 1);
    EXPECT_FALSE(rig.host.TimerRunning(CGlobuleView::kPollTimer));
    EXPECT_EQ(rig.view->m_nScreen, 4);

    // From the Home page, a change seen by the poll that End left running brings the Score
    // screen back.
    rig.Paint(); // a new entry into the Score screen starts the poll again
    rig.Key(VK_END);
    ASSERT_EQ(rig.view->m_nScreen, 0);
    ASSERT_TRUE(rig.host.TimerRunning(CGlobuleView::kPollTimer));
    rig.view->OnTimer(CGlobuleView::kPollTimer); // nothing changed: Home stays
    EXPECT_EQ(rig.view->m_nScreen, 0);
    EXPECT_EQ(rig.Pixel(5, 300), kPeach);
    rig.doc.m_bNothingLoaded = 0;
    rig.view->OnTimer(CGlobuleView::kPollTimer);
    EXPECT_EQ(rig.view->m_nScreen, 4);
    EXPECT_EQ(rig.Pixel(5, 300), kPaleGreen);
    EXPECT_FALSE(rig.host.TimerRunning(CGlobuleView::kPollTimer));
}

} // namespace

namespace {

TEST(ScreenFlowTest, GamesWithoutPointsWrapALoadedCountInsteadOfOverflowing) {
    ViewRig rig;
    rig.Paint();
    rig.doc.m_lNumGames[0] = 2147483647; // a match file may hold anything
    rig.StartGameAndFirstTick();
    rig.Key(VK_F1);
    EXPECT_EQ(rig.doc.m_lNumGames[0], -2147483647 - 1);
    rig.doc.m_lNumGames[0] = 2147483647;
    rig.Key(VK_SPACE);
    for (int tick = 0; tick < 12; ++tick) {
        rig.Tick();
    }
    EXPECT_EQ(rig.view->m_nScreen, 4);
    EXPECT_EQ(rig.doc.m_lNumGames[0], -2147483647 - 1);
}

} // namespace
