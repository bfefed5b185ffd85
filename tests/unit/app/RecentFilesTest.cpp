#include "ShellRig.h"

#include "app/CommandIds.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using shelltest::kApplication;
using shelltest::kOrganization;
using shelltest::ShellRig;
using shelltest::TempSettings;

CRecentFileList MakeList() {
    return CRecentFileList(QString::fromLatin1(kOrganization), QString::fromLatin1(kApplication));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A saved match at the given speed, made by the program itself.
void SaveMatchAt(const QString& path, int speed) {
    ShellRig maker;
    maker.Key(Qt::Key_Space);
    maker.View().SetSpeed(speed);
    maker.dialogs->saveAnswer = path;
    ASSERT_TRUE(maker.frame->Execute(command::kFileSaveAs));
    ASSERT_TRUE(QFileInfo::exists(path));
}

TEST(RecentFilesTest, MostRecentFirstAtMostFourAndNoDuplicates) {
    TempSettings settings;
    CRecentFileList list = MakeList();
    EXPECT_TRUE(list.Entries().isEmpty());
    for (const char* name : {"/m/1", "/m/2", "/m/3", "/m/4", "/m/5"}) {
        list.Add(QString::fromLatin1(name));
    }
    EXPECT_EQ(list.Entries(), (QStringList{"/m/5", "/m/4", "/m/3", "/m/2"}));
    list.Add(QStringLiteral("/m/3"));
    EXPECT_EQ(list.Entries(), (QStringList{"/m/3", "/m/5", "/m/4", "/m/2"}));
    list.Add(QStringLiteral("/m/./x/../4")); // the same file, spelt differently
    EXPECT_EQ(list.Entries(), (QStringList{"/m/4", "/m/3", "/m/5", "/m/2"}));
    list.Remove(1);
    EXPECT_EQ(list.Entries(), (QStringList{"/m/4", "/m/5", "/m/2"}));
    list.Remove(7); // out of range: nothing
    EXPECT_EQ(list.Entries().size(), 3);
}

TEST(RecentFilesTest, TheListSurvivesARestartInTheUsersSettings) {
    TempSettings settings;
    {
        CRecentFileList list = MakeList();
        list.Add(QStringLiteral("/games/old.bin"));
        list.Add(QStringLiteral("/games/new.bin"));
        list.Add(QStringLiteral("/games/newest.bin"));
        list.Remove(2);
    }
    const CRecentFileList again = MakeList();
    EXPECT_EQ(again.Entries(), (QStringList{"/games/newest.bin", "/games/new.bin"}));

    // Where and how it is kept: the organization's folder, one key per entry.
    const QString file =
        settings.Path() + QStringLiteral("/Local AppWizard-Generated Applications/Globule.conf");
    ASSERT_TRUE(QFileInfo::exists(file));
    QSettings stored(file, QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("Recent File List/File1")).toString(),
              QStringLiteral("/games/newest.bin"));
    EXPECT_EQ(stored.value(QStringLiteral("Recent File List/File2")).toString(),
              QStringLiteral("/games/new.bin"));
    EXPECT_FALSE(stored.contains(QStringLiteral("Recent File List/File3")));
}

TEST(RecentFilesTest, AHandEditedListWithGapsAndRepeatsIsTidiedOnLoad) {
    TempSettings settings;
    {
        QSettings stored(QSettings::NativeFormat, QSettings::UserScope,
                         QString::fromLatin1(kOrganization), QString::fromLatin1(kApplication));
        stored.setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/a"));
        stored.setValue(QStringLiteral("Recent File List/File3"), QStringLiteral("/b"));
        stored.setValue(QStringLiteral("Recent File List/File4"), QStringLiteral("/a"));
    }
    EXPECT_EQ(MakeList().Entries(), (QStringList{"/a", "/b"}));
}

TEST(RecentFilesTest, ShowCentreIsOffUntilChosenAndKeptBesideTheListNotInTheMatch) {
    ShellRig rig;
    const QString file = rig.settings.Path() +
                         QStringLiteral("/Local AppWizard-Generated Applications/Globule.conf");
    // A window made later, as at the next start, under the same settings.
    auto choiceAtStart = [&rig] {
        CGlobuleDoc doc;
        CMainFrame frame(doc, rig.recent, std::make_unique<shelltest::FakeDialogs>());
        EXPECT_EQ(frame.Action(command::kShowCentre)->isChecked(), frame.View().m_bShowCentre == 1);
        return frame.View().m_bShowCentre;
    };
    rig.ShowMenu(1);
    QAction* entry = rig.frame->Action(command::kShowCentre);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isCheckable());
    EXPECT_FALSE(entry->isChecked());
    EXPECT_EQ(rig.View().m_bShowCentre, 0);

    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    EXPECT_EQ(rig.View().m_bShowCentre, 1);
    EXPECT_EQ(QSettings(file, QSettings::IniFormat)
                  .value(QStringLiteral("Options/ShowCentreAfterEachGame"))
                  .toString(),
              QStringLiteral("true"));
    EXPECT_EQ(choiceAtStart(), 1);
    rig.dialogs->saveAnswer = rig.settings.File("match.bin");
    rig.Key(Qt::Key_Space);
    ASSERT_TRUE(rig.frame->Execute(command::kFileSaveAs));
    EXPECT_EQ(QFileInfo(rig.settings.File("match.bin")).size(), 211); // a new match, as ever

    entry->trigger();
    EXPECT_EQ(rig.View().m_bShowCentre, 0);
    EXPECT_EQ(choiceAtStart(), 0);
    // Only what the game writes turns it on.
    QSettings(file, QSettings::IniFormat)
        .setValue(QStringLiteral("Options/ShowCentreAfterEachGame"), QStringLiteral("yes"));
    EXPECT_EQ(choiceAtStart(), 0);
}

TEST(RecentFilesTest, DisplayNamesKeepTheFileNameAndShortenTheFolders) {
    EXPECT_EQ(CRecentFileList::DisplayName(QStringLiteral("/home/ann/match.bin")),
              QStringLiteral("/home/ann/match.bin"));
    const QString shown = CRecentFileList::DisplayName(
        QStringLiteral("/home/someone/games/globule/matches/friday.bin"));
    EXPECT_EQ(shown, QStringLiteral("/.../matches/friday.bin"));
    EXPECT_LE(shown.size(), 30);
    EXPECT_EQ(CRecentFileList::DisplayName(
                  QStringLiteral("/home/someone/a-very-long-match-file-name.bin")),
              QStringLiteral("a-very-long-match-file-name.bin"));
    // Exactly 30 characters are shown whole.
    const QString thirty = QStringLiteral("/abcdefghij/klmnopqrs/tuv.bin");
    ASSERT_EQ(thirty.size(), 29);
    EXPECT_EQ(CRecentFileList::DisplayName(thirty + QStringLiteral("x")), thirty + "x");
}

TEST(RecentFilesTest, OpeningAnEntryMovesItToTheTopAndTakesItsSpeed) {
    TempSettings outer;
    const QString fast = outer.File("fast.bin");
    SaveMatchAt(fast, 0);

    ShellRig rig;
    rig.recent.Add(fast);
    rig.recent.Add(rig.settings.File("other.bin"));
    rig.ShowMenu(0);
    rig.Menu(0)->actions().at(5)->trigger(); // "&2 .../fast.bin"
    EXPECT_TRUE(rig.dialogs->messages.empty());
    EXPECT_EQ(rig.recent.Entries().first(), fast);
    EXPECT_EQ(rig.recent.Entries().size(), 2);
    EXPECT_EQ(rig.doc.m_nSpeedIndex, 0);
    EXPECT_EQ(rig.View().m_nSpeed, 0);
    EXPECT_EQ(rig.doc.m_nViewScreen, 0); // loaded on the Home screen, and still there
}

TEST(RecentFilesTest, AnEntryThatFailsToOpenLeavesTheList) {
    ShellRig rig;
    const QString good = rig.settings.File("good.bin");
    const QString gone = rig.settings.File("gone.bin");
    const QString cut = rig.settings.File("cut.bin");
    WriteFile(cut, QByteArray(100, '\0')); // ends inside the fixed part
    rig.recent.Add(good);
    rig.recent.Add(gone);
    rig.recent.Add(cut);

    EXPECT_TRUE(rig.frame->Execute(command::kRecentFirst + 1)); // gone.bin
    ASSERT_EQ(rig.dialogs->messages.size(), 1u);
    EXPECT_NE(rig.dialogs->messages[0].find("was not found."), std::string::npos);
    EXPECT_EQ(rig.recent.Entries(), (QStringList{cut, good}));

    EXPECT_TRUE(rig.frame->Execute(command::kRecentFirst)); // cut.bin
    ASSERT_EQ(rig.dialogs->messages.size(), 2u);
    EXPECT_EQ(rig.dialogs->messages[1], "Unexpected file format.");
    EXPECT_EQ(rig.recent.Entries(), (QStringList{good}));

    // The removal is already in the settings, not only in memory.
    EXPECT_EQ(MakeList().Entries(), (QStringList{good}));
}

TEST(RecentFilesTest, AnEntryRefusedDuringAGameStaysAndTheMatchIsUntouched) {
    TempSettings outer;
    const QString fast = outer.File("fast.bin");
    SaveMatchAt(fast, 0);

    ShellRig rig;
    rig.recent.Add(fast);
    rig.Key(Qt::Key_Space);
    rig.Key(Qt::Key_Space);
    ASSERT_EQ(rig.View().m_nScreen, 5);
    EXPECT_TRUE(rig.frame->Execute(command::kRecentFirst));
    ASSERT_EQ(rig.dialogs->messages.size(), 1u);
    EXPECT_EQ(rig.dialogs->messages[0], "Cannot open a file at this time");
    EXPECT_EQ(rig.recent.Entries(), QStringList{fast});
    EXPECT_EQ(rig.doc.m_nSpeedIndex, 2);
    EXPECT_EQ(rig.doc.m_szFileName, "None.");
}

TEST(RecentFilesTest, OpenAndSaveBothPutTheFileOnTop) {
    TempSettings outer;
    const QString slow = outer.File("slow.bin");
    SaveMatchAt(slow, 3);

    ShellRig rig;
    rig.Key(Qt::Key_Space);
    rig.dialogs->openAnswer = slow;
    EXPECT_TRUE(rig.frame->Execute(command::kFileOpen));
    shelltest::Pump(); // the repaint that follows refreshes the caption
    EXPECT_EQ(rig.recent.Entries(), QStringList{slow});
    EXPECT_EQ(rig.View().m_nSpeed, 3);
    EXPECT_EQ(rig.frame->windowTitle().endsWith(slow), true);

    // Save writes to the match's own file without asking.
    const QString copy = rig.settings.File("copy.bin");
    rig.recent.Add(copy);
    ASSERT_EQ(rig.recent.Entries().first(), copy);
    rig.doc.m_lPot = 1234;
    EXPECT_TRUE(rig.frame->Execute(command::kFileSave));
    EXPECT_EQ(rig.dialogs->saveAsked, 0);
    EXPECT_EQ(rig.recent.Entries().first(), slow);
    QFile saved(slow);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    ASSERT_GE(bytes.size(), 152);
    EXPECT_EQ(bytes.mid(148, 4), QByteArray::fromHex("d2040000")); // the pot, 1234
}

TEST(RecentFilesTest, SaveAsksForANameWhenTheFileHasGone) {
    ShellRig rig;
    rig.Key(Qt::Key_Space);
    const QString first = rig.settings.File("first.bin");
    const QString second = rig.settings.File("second.bin");
    rig.dialogs->saveAnswer = first;
    EXPECT_TRUE(rig.frame->Execute(command::kFileSave));
    EXPECT_EQ(rig.dialogs->lastProposed, QStringLiteral("Untitled"));
    ASSERT_TRUE(QFile::remove(first));

    rig.dialogs->saveAnswer = second;
    EXPECT_TRUE(rig.frame->Execute(command::kFileSave));
    EXPECT_EQ(rig.dialogs->saveAsked, 2);
    EXPECT_EQ(rig.dialogs->lastProposed, first); // the current path is proposed
    EXPECT_TRUE(QFileInfo::exists(second));
    EXPECT_EQ(rig.recent.Entries(), (QStringList{second, first}));

    // Cancelling the dialog saves nothing.
    ASSERT_TRUE(QFile::remove(second));
    rig.dialogs->saveAnswer.clear();
    EXPECT_TRUE(rig.frame->Execute(command::kFileSave));
    EXPECT_FALSE(QFileInfo::exists(second));
}

} // namespace
