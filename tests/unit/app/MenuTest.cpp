#include "ShellRig.h"

#include "app/CommandIds.h"

#include <QAction>
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
                                {"E&xit", 57665}});
    ExpectEntries(rig.Menu(1), {{"Change Names", 32771},
                                {"Set Speed To Fastest", 32777},
                                {"Set Speed To Fast", 32773},
                                {"Set Speed To Medium", 32775},
                                {"Set Speed To Slow", 32776},
                                {"Set Speed To Slowest", 32778}});
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
    EXPECT_EQ(entries[7].text, QStringLiteral("E&xit"));
    // Recent entries stay enabled on every screen, the Home screen included.
    EXPECT_TRUE(rig.Menu(0)->actions().at(4)->isEnabled());
    EXPECT_TRUE(rig.Menu(0)->actions().at(5)->isEnabled());
}

TEST(MenuTest, AnAmpersandInARecentPathIsShownNotTakenForAMnemonic) {
    ShellRig rig;
    rig.recent.Add("/m&m.bin");
    rig.ShowMenu(0);
    EXPECT_EQ(rig.Menu(0)->actions().at(4)->text(), QStringLiteral("&1 /m&&m.bin"));
}

} // namespace
