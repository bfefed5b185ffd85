#include "ShellRig.h"

#include "app/CommandIds.h"

#include <QAction>
#include <QKeyEvent>
#include <gtest/gtest.h>
#include <vector>

namespace {

using shelltest::ShellRig;

const int kScreenCommands[] = {command::kFileOpen,
                               command::kFileSave,
                               command::kFileSaveAs,
                               command::kChangeNames,
                               32777,
                               32773,
                               32775,
                               32776,
                               32778};

void ShowAllMenus(ShellRig& rig) {
    for (int i = 0; i < 3; ++i) {
        rig.ShowMenu(i);
    }
}

TEST(EnableRulesTest, OnTheHomeScreenFileNameAndSpeedEntriesAreGreyedAndDoNothing) {
    ShellRig rig;
    ASSERT_EQ(rig.View().m_nScreen, 0);
    ShowAllMenus(rig);
    for (int id : kScreenCommands) {
        ASSERT_NE(rig.frame->Action(id), nullptr) << id;
        EXPECT_FALSE(rig.frame->Action(id)->isEnabled()) << id;
        rig.frame->Action(id)->trigger();
        EXPECT_FALSE(rig.frame->Execute(id)) << id;
    }
    for (int id : {command::kAppExit, command::kAppAbout}) {
        EXPECT_TRUE(rig.frame->Action(id)->isEnabled()) << id;
    }
    rig.Key(Qt::Key_O, Qt::ControlModifier);
    rig.Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(rig.dialogs->openAsked, 0);
    EXPECT_EQ(rig.dialogs->saveAsked, 0);
    EXPECT_EQ(rig.doc.m_nSpeedIndex, 2);
}

TEST(EnableRulesTest, OnTheScoreScreenTheCurrentSpeedAloneIsGreyed) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    ASSERT_EQ(rig.View().m_nScreen, 4);
    ShowAllMenus(rig);
    for (int id : kScreenCommands) {
        EXPECT_EQ(rig.frame->Action(id)->isEnabled(), id != 32775) << id;
    }

    rig.frame->Action(32778)->trigger(); // Slowest
    EXPECT_EQ(rig.doc.m_nSpeedIndex, 4);
    EXPECT_EQ(rig.doc.m_nTimerInterval, 4990);
    rig.ShowMenu(1);
    EXPECT_FALSE(rig.frame->Action(32778)->isEnabled());
    EXPECT_TRUE(rig.frame->Action(32775)->isEnabled());
    EXPECT_TRUE(rig.frame->windowTitle().contains(QStringLiteral("Speed: Slowest ")));

    // A greyed speed does nothing even when its entry is triggered.
    rig.frame->Action(32778)->trigger();
    EXPECT_FALSE(rig.frame->Execute(32778));
    EXPECT_EQ(rig.doc.m_nSpeedIndex, 4);
}

TEST(EnableRulesTest, SaveAsIsGreyedOnceTheMatchHasAFile) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    rig.dialogs->saveAnswer = rig.settings.File("match.bin");
    rig.Key(Qt::Key_S, Qt::ControlModifier); // no file yet: asks for a name
    ASSERT_EQ(rig.dialogs->saveAsked, 1);
    ASSERT_EQ(rig.doc.m_szFileName, rig.settings.File("match.bin").toStdString());
    rig.ShowMenu(0);
    EXPECT_FALSE(rig.frame->Action(command::kFileSaveAs)->isEnabled());
    EXPECT_TRUE(rig.frame->Action(command::kFileSave)->isEnabled());
    EXPECT_FALSE(rig.frame->Execute(command::kFileSaveAs));
    EXPECT_EQ(rig.dialogs->saveAsked, 1);
}

TEST(EnableRulesTest, DuringPlayEverythingScreenBoundIsGreyedAndTheKeysDoNothing) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    rig.Key(Qt::Key_Space);
    ASSERT_EQ(rig.View().m_nScreen, 5);
    ShowAllMenus(rig);
    for (int id : kScreenCommands) {
        EXPECT_FALSE(rig.frame->Action(id)->isEnabled()) << id;
        rig.frame->Action(id)->trigger();
    }
    rig.Key(Qt::Key_O, Qt::ControlModifier);
    rig.Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(rig.dialogs->openAsked, 0);
    EXPECT_EQ(rig.dialogs->saveAsked, 0);
    EXPECT_EQ(rig.View().m_nScreen, 5);
    EXPECT_EQ(rig.doc.m_nSpeedIndex, 2);
}

TEST(EnableRulesTest, AnEntryGreyedEarlierDoesNotBlockItsShortcutNow) {
    ShellRig rig;
    rig.ShowMenu(0); // greyed on the Home screen
    ASSERT_FALSE(rig.frame->Action(command::kFileOpen)->isEnabled());
    rig.Key(Qt::Key_Space);
    rig.Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(rig.dialogs->openAsked, 1);
}

TEST(EnableRulesTest, CtrlNStartsANewMatchOnAnyScreenAndDropsARunningGame) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    rig.frame->Execute(32776); // Slow
    rig.doc.m_lPot = 750;
    rig.doc.m_lNumGames[0] = 3;
    rig.Key(Qt::Key_Space);
    ASSERT_EQ(rig.View().m_nScreen, 5);

    rig.Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(rig.doc.m_lPot, 0);
    EXPECT_EQ(rig.doc.m_lNumGames[0], 0);
    EXPECT_EQ(rig.doc.m_nSpeedIndex, 2);
    EXPECT_EQ(rig.View().m_nSpeed, 2);  // the greyed speed follows the new match
    EXPECT_EQ(rig.View().m_nScreen, 4); // the repaint dropped the game
    EXPECT_EQ(rig.frame->windowTitle().endsWith(QStringLiteral("None.")), true);

    rig.Key(Qt::Key_End);
    ASSERT_EQ(rig.View().m_nScreen, 0);
    rig.doc.m_lPot = 50;
    rig.Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(rig.doc.m_lPot, 0);
    EXPECT_EQ(rig.View().m_nScreen, 0); // a repaint of the Home screen stays there
}

// The keys that reach the view's window, modifiers pressed on their own left out.
class KeysSeen : public QObject {
public:
    std::vector<int> keys;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Control && key != Qt::Key_Shift && key != Qt::Key_Alt) {
                keys.push_back(key);
            }
        }
        return false;
    }
};

TEST(EnableRulesTest, EditAndPaneKeysAreSwallowedBeforeTheView) {
    ShellRig rig;
    KeysSeen seen;
    rig.frame->Host().installEventFilter(&seen);
    struct Combo {
        int key;
        Qt::KeyboardModifiers modifiers;
    };
    const Combo swallowed[] = {
        {Qt::Key_C, Qt::ControlModifier}, {Qt::Key_Insert, Qt::ControlModifier},
        {Qt::Key_X, Qt::ControlModifier}, {Qt::Key_Delete, Qt::ShiftModifier},
        {Qt::Key_V, Qt::ControlModifier}, {Qt::Key_Insert, Qt::ShiftModifier},
        {Qt::Key_Z, Qt::ControlModifier}, {Qt::Key_Backspace, Qt::AltModifier},
        {Qt::Key_F6, Qt::NoModifier},     {Qt::Key_F6, Qt::ShiftModifier},
    };
    for (const Combo& combo : swallowed) {
        rig.Key(combo.key, combo.modifiers);
        EXPECT_TRUE(seen.keys.empty()) << combo.key;
        seen.keys.clear();
    }
    // The same check notices a key that does reach the view.
    rig.Key(Qt::Key_A);
    EXPECT_EQ(seen.keys, std::vector<int>{Qt::Key_A});
}

TEST(EnableRulesTest, ChangeNamesAndAboutRunTheirDialogsOnlyWhenAllowed) {
    ShellRig rig;
    EXPECT_FALSE(rig.frame->Execute(command::kChangeNames));
    EXPECT_TRUE(rig.frame->Execute(command::kAppAbout));
    EXPECT_EQ(rig.dialogs->aboutShown, 1);
}

} // namespace
