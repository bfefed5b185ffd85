#include "ShellRig.h"

#include "app/CommandIds.h"
#include "document/HallOfFameFile.h"
#include "support/KnownSplit.h"

#include <QAction>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using shelltest::ShellRig;

struct Entry {
    QString text; // empty for a separator
    int id;
};

std::vector<Entry> EntriesOf(QMenu* menu) {
    std::vector<Entry> entries;
    for (QAction* action : menu->actions()) {
        entries.push_back(action->isSeparator() ? Entry{QString(), 0}
                                                : Entry{action->text(), action->data().toInt()});
    }
    return entries;
}

void ExpectEntries(QMenu* menu, const std::vector<Entry>& expected) {
    const std::vector<Entry> actual = EntriesOf(menu);
    ASSERT_EQ(actual.size(), expected.size()) << menu->title().toStdString();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].text.toStdString(), expected[i].text.toStdString()) << i;
        EXPECT_EQ(actual[i].id, expected[i].id) << i;
    }
}

TEST(MenuTest, TheMenuBarHoldsFileOptionsAndHelpInThatOrder) {
    ShellRig rig;
    const QList<QAction*> menus = rig.frame->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Options"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Help"));
}

TEST(MenuTest, EntriesTextsOrderSeparatorsAndIds) {
    ShellRig rig;
    rig.ShowMenu(0);
    ExpectEntries(rig.Menu(0), {{"&Open...\tCtrl+O", 57601},
                                {"&Save\tCtrl+S", 57603},
                                {"Save &As...", 57604},
                                {"", 0},
                                {"Recent File", 57616},
                                {"", 0},
                                {"E&xit\tCtrl+Q", 57665}});
    ExpectEntries(rig.Menu(1), {{"Change Names", 32771},
                                {"Set Speed To Fastest", 32777},
                                {"Set Speed To Fast", 32773},
                                {"Set Speed To Medium", 32775},
                                {"Set Speed To Slow", 32776},
                                {"Set Speed To Slowest", 32778},
                                {"", 0},
                                {"Show Centre After Each Game", command::kShowCentre},
                                {"Hall of Fame...", command::kHallOfFame}});
    ExpectEntries(rig.Menu(2), {{"&About Globule...", 57664}});
}

TEST(MenuTest, TheRecentFilePlaceholderIsGreyedAndGivesWayToTheList) {
    ShellRig rig;
    rig.ShowMenu(0);
    QAction* placeholder = rig.Menu(0)->actions().at(4);
    EXPECT_FALSE(placeholder->isEnabled());
    EXPECT_FALSE(rig.frame->Execute(command::kRecentFirst)); // nothing to open

    rig.recent.Add(rig.settings.File("b.bin").toStdString());
    rig.recent.Add(rig.settings.File("a.bin").toStdString());
    rig.ShowMenu(0);
    const std::vector<Entry> entries = EntriesOf(rig.Menu(0));
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_TRUE(entries[3].text.isEmpty());
    EXPECT_TRUE(entries[6].text.isEmpty());
    EXPECT_TRUE(entries[4].text.startsWith(QStringLiteral("&1 "))) << entries[4].text.toStdString();
    EXPECT_TRUE(entries[4].text.endsWith(QStringLiteral("/a.bin")));
    EXPECT_TRUE(entries[5].text.startsWith(QStringLiteral("&2 ")));
    EXPECT_TRUE(entries[5].text.endsWith(QStringLiteral("/b.bin")));
    EXPECT_EQ(entries[4].id, 57616);
    EXPECT_EQ(entries[5].id, 57617);
    EXPECT_EQ(entries[7].text, QStringLiteral("E&xit\tCtrl+Q"));
    // Recent entries stay enabled on every screen, the Home screen included.
    EXPECT_TRUE(rig.Menu(0)->actions().at(4)->isEnabled());
    EXPECT_TRUE(rig.Menu(0)->actions().at(5)->isEnabled());
}

TEST(MenuTest, CtrlQClosesTheWindowAsExitDoes) {
    ShellRig rig;
    ASSERT_TRUE(rig.frame->isVisible());
    rig.Key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(rig.frame->isVisible());
}

TEST(MenuTest, TheHallOfFameShowsTheGamesScoredHereAndIsGreyedDuringPlay) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    rig.Key(Qt::Key_Space);
    rig.View().OnTimer(CGlobuleView::kPlayTimer);
    rig.ShowMenu(1);
    EXPECT_FALSE(rig.frame->Action(command::kHallOfFame)->isEnabled()); // a look costs no game
    EXPECT_FALSE(rig.frame->Execute(command::kHallOfFame));
    rig.doc.m_strPlayerName[0] = "Ren\xE9"
                                 "e";
    PaintKnownSplit(rig.View(), rig.frame->Host().ClientImage(), 4, 4, 3000, 3000, 3000, 3000, 0);
    rig.Key(Qt::Key_Space); // 1000 points
    rig.Key(Qt::Key_Space);
    for (int tick = 0; tick < 12; ++tick) {
        rig.View().OnTimer(CGlobuleView::kPlayTimer); // a time-out: no score, no entry
    }
    ASSERT_EQ(rig.View().m_nScreen, 4);

    // In the user's data folder, as the program names itself.
    const QString path = rig.frame->HallOfFamePath();
    EXPECT_TRUE(path.startsWith(rig.settings.Path() + QStringLiteral("/data/")))
        << path.toStdString();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/hall-of-fame.txt")));
    ASSERT_TRUE(rig.frame->Execute(command::kHallOfFame));
    ASSERT_EQ(rig.dialogs->hallShown, 1);
    ASSERT_EQ(rig.dialogs->hallEntries.size(), 1u);
    EXPECT_EQ(rig.dialogs->hallEntries[0].score, 1000);
    EXPECT_EQ(rig.dialogs->hallEntries[0].name, "Ren\xC3\xA9"
                                                "e");
    EXPECT_EQ(rig.dialogs->hallEntries[0].intervalMs, 2990);
    EXPECT_TRUE(rig.dialogs->hallNote.isEmpty());

    // A file the game cannot use is shown as such and left as it is until a game enters.
    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write("scribbles\n");
    damaged.close();
    ASSERT_TRUE(rig.frame->Execute(command::kHallOfFame));
    EXPECT_TRUE(rig.dialogs->hallEntries.empty());
    EXPECT_TRUE(rig.dialogs->hallNote.contains(QStringLiteral("line 1 is not")))
        << rig.dialogs->hallNote.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".damaged")));
}

TEST(MenuTest, AnAmpersandInARecentPathIsShownNotTakenForAMnemonic) {
    ShellRig rig;
    rig.recent.Add("/m&m.bin");
    rig.ShowMenu(0);
    EXPECT_EQ(rig.Menu(0)->actions().at(4)->text(), QStringLiteral("&1 /m&&m.bin"));
}

} // namespace
