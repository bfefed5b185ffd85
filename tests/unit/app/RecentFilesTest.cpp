#include "ShellRig.h"

#include "app/CommandIds.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using shelltest::Bytes;
using shelltest::kApplication;
using shelltest::kOrganization;
using shelltest::ShellRig;
using shelltest::TempSettings;

using Paths = std::vector<std::string>;

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
    EXPECT_TRUE(list.Entries().empty());
    for (const char* name : {"/m/1", "/m/2", "/m/3", "/m/4", "/m/5"}) {
        list.Add(name);
    }
    EXPECT_EQ(list.Entries(), (Paths{"/m/5", "/m/4", "/m/3", "/m/2"}));
    list.Add("/m/3");
    EXPECT_EQ(list.Entries(), (Paths{"/m/3", "/m/5", "/m/4", "/m/2"}));
    list.Add("/m/./x/../4"); // the same file, spelt differently
    EXPECT_EQ(list.Entries(), (Paths{"/m/4", "/m/3", "/m/5", "/m/2"}));
    list.Remove(1);
    EXPECT_EQ(list.Entries(), (Paths{"/m/4", "/m/5", "/m/2"}));
    list.Remove(7); // out of range: nothing
    EXPECT_EQ(list.Entries().size(), 3);
}

TEST(RecentFilesTest, TheListSurvivesARestartInTheUsersSettings) {
    TempSettings settings;
    {
        CRecentFileList list = MakeList();
        list.Add("/games/old.bin");
        list.Add("/games/new.bin");
        list.Add("/games/newest.bin");
        list.Remove(2);
    }
    const CRecentFileList again = MakeList();
    EXPECT_EQ(again.Entries(), (Paths{"/games/newest.bin", "/games/new.bin"}));

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

TEST(RecentFilesTest, AHandEditedListWithGapsRepeatsAndHugeEntriesIsTidiedOnLoad) {
    TempSettings settings;
    // The longest path the system takes, and one byte more: no file has that name, and an
    // entry of megabytes made the File menu take seconds.
    const std::string longest = "/" + std::string(PATH_MAX - 2, 'p');
    const std::string tooLong = longest + "p";
    {
        QSettings stored(QSettings::NativeFormat, QSettings::UserScope,
                         QString::fromLatin1(kOrganization), QString::fromLatin1(kApplication));
        stored.setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("/a"));
        stored.setValue(QStringLiteral("Recent File List/File2"), QString::fromStdString(tooLong));
        stored.setValue(QStringLiteral("Recent File List/File3"), QStringLiteral("/b"));
        stored.setValue(QStringLiteral("Recent File List/File4"), QString::fromStdString(longest));
    }
    EXPECT_EQ(MakeList().Entries(), (Paths{"/a", "/b", longest}));
    {
        QSettings stored(QSettings::NativeFormat, QSettings::UserScope,
                         QString::fromLatin1(kOrganization), QString::fromLatin1(kApplication));
        stored.setValue(QStringLiteral("Recent File List/File2"), QStringLiteral("/a"));
        stored.setValue(QStringLiteral("Recent File List/File4"), QStringLiteral("/a"));
    }
    EXPECT_EQ(MakeList().Entries(), (Paths{"/a", "/b"}));
}

TEST(RecentFilesTest, ASettingsFileThatIsNoRegularFileIsNeitherReadNorReplaced) {
    TempSettings settings;
    const QString folder = settings.File(QString::fromLatin1(kOrganization));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QByteArray pipe = QFile::encodeName(folder + QStringLiteral("/Globule.conf"));
    ASSERT_EQ(mkfifo(pipe.constData(), 0600), 0);
    // Reading the pipe would wait for a writer for ever. Should the list read it after all,
    // this writer answers, so that the fault fails the test instead of hanging it.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        const std::string text = "[Recent%20File%20List]\nFile1=/from/the/pipe\n";
        while (!done) {
            const int fd = open(pipe.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                EXPECT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
                close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    CRecentFileList list = MakeList();
    list.Add("/games/kept.bin"); // kept for the session, written nowhere
    done = true;
    writer.join();
    EXPECT_EQ(list.Entries(), Paths{"/games/kept.bin"});
    struct stat info {};
    ASSERT_EQ(lstat(pipe.constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
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
    EXPECT_EQ(CRecentFileList::DisplayName("/home/ann/match.bin"),
              QStringLiteral("/home/ann/match.bin"));
    const QString shown =
        CRecentFileList::DisplayName("/home/someone/games/globule/matches/friday.bin");
    EXPECT_EQ(shown, QStringLiteral("/.../matches/friday.bin"));
    EXPECT_LE(shown.size(), 30);
    // Up to 30 characters are shown whole; one more shortens the folders.
    const std::string path = "/abcdefghij/klmnopqrs/tuv.bin";
    ASSERT_EQ(path.size(), 29u);
    for (const std::string& name : {path, path + "x"}) {
        EXPECT_EQ(CRecentFileList::DisplayName(name), QString::fromStdString(name));
    }
    EXPECT_EQ(CRecentFileList::DisplayName(path + "xy"),
              QStringLiteral("/.../klmnopqrs/tuv.binxy"));
    // A file name too long for the menu shows its end, as the caption does.
    EXPECT_EQ(CRecentFileList::DisplayName("/home/someone/a-very-long-match-file-name.bin"),
              QStringLiteral("...ry-long-match-file-name.bin"));
    const QString longest =
        CRecentFileList::DisplayName("/games/" + std::string(251, 'n') + ".bin");
    EXPECT_EQ(longest, QStringLiteral("...") + QString(23, QLatin1Char('n')) + ".bin");
    EXPECT_EQ(CRecentFileList::DisplayName(std::string(40, 'b')),
              QStringLiteral("...") + QString(27, QLatin1Char('b')));
}

TEST(RecentFilesTest, APathThatIsNotUtf8IsKeptAsBytesShownReadablyAndOpens) {
    TempSettings outer;
    const QString fast = outer.File("fast.bin");
    SaveMatchAt(fast, 0);
    // A name from an old disk, in Latin-1: "caf\xE9.bin".
    const std::string latin1 = Bytes(outer.Path()) + "/caf\xE9.bin";
    const shelltest::RemovedAtEnd removed{latin1};
    {
        std::ifstream from(Bytes(fast), std::ios::binary);
        std::ofstream to(latin1, std::ios::binary);
        to << from.rdbuf();
    }

    ShellRig rig;
    rig.recent.Add(latin1);
    EXPECT_EQ(MakeList().Entries(), Paths{latin1}); // the bytes survive the settings file
    rig.ShowMenu(0);
    const QString entry = rig.Menu(0)->actions().at(4)->text();
    EXPECT_TRUE(entry.endsWith(QString::fromUtf8("/caf\u00e9.bin"))) << entry.toStdString();

    EXPECT_TRUE(rig.frame->Execute(command::kRecentFirst));
    EXPECT_TRUE(rig.dialogs->messages.empty()) << rig.dialogs->messages.front();
    EXPECT_EQ(rig.doc.m_strPathName, latin1);
    EXPECT_EQ(rig.doc.m_nSpeedIndex, 0); // the file's own speed: it was read
    EXPECT_EQ(rig.frame->windowTitle(), QString::fromUtf8("Globule - caf\u00e9.bin"));
    shelltest::Pump(); // the repaint puts up the game's own caption
    EXPECT_TRUE(rig.frame->windowTitle().endsWith(QString::fromUtf8("/caf\u00e9.bin")))
        << rig.frame->windowTitle().toStdString();
    EXPECT_EQ(rig.recent.Entries(), Paths{latin1});
}

TEST(RecentFilesTest, OpeningAnEntryMovesItToTheTopAndTakesItsSpeed) {
    TempSettings outer;
    const QString fast = outer.File("fast.bin");
    SaveMatchAt(fast, 0);

    ShellRig rig;
    rig.recent.Add(Bytes(fast));
    rig.recent.Add(Bytes(rig.settings.File("other.bin")));
    rig.ShowMenu(0);
    rig.Menu(0)->actions().at(5)->trigger(); // "&2 .../fast.bin"
    EXPECT_TRUE(rig.dialogs->messages.empty());
    EXPECT_EQ(rig.recent.Entries().front(), Bytes(fast));
    EXPECT_EQ(rig.recent.Entries().size(), 2);
    EXPECT_EQ(rig.doc.m_nSpeedIndex, 0);
    EXPECT_EQ(rig.View().m_nSpeed, 0);
    EXPECT_EQ(rig.doc.m_nViewScreen, 0); // loaded on the Home screen, and still there
}

TEST(RecentFilesTest, AnEntryThatFailsToOpenLeavesTheList) {
    ShellRig rig;
    const std::string good = Bytes(rig.settings.File("good.bin"));
    const std::string gone = Bytes(rig.settings.File("gone.bin"));
    const std::string cut = Bytes(rig.settings.File("cut.bin"));
    WriteFile(QFile::decodeName(cut.c_str()), QByteArray(100, '\0')); // ends inside the fixed part
    rig.recent.Add(good);
    rig.recent.Add(gone);
    rig.recent.Add(cut);

    EXPECT_TRUE(rig.frame->Execute(command::kRecentFirst + 1)); // gone.bin
    ASSERT_EQ(rig.dialogs->messages.size(), 1u);
    EXPECT_NE(rig.dialogs->messages[0].find("was not found."), std::string::npos);
    EXPECT_EQ(rig.recent.Entries(), (Paths{cut, good}));

    EXPECT_TRUE(rig.frame->Execute(command::kRecentFirst)); // cut.bin
    ASSERT_EQ(rig.dialogs->messages.size(), 2u);
    EXPECT_EQ(rig.dialogs->messages[1], "Unexpected file format.");
    EXPECT_EQ(rig.recent.Entries(), (Paths{good}));

    // The removal is already in the settings, not only in memory.
    EXPECT_EQ(MakeList().Entries(), (Paths{good}));
}

TEST(RecentFilesTest, AnEntryRefusedDuringAGameStaysAndTheMatchIsUntouched) {
    TempSettings outer;
    const QString fast = outer.File("fast.bin");
    SaveMatchAt(fast, 0);

    ShellRig rig;
    rig.recent.Add(Bytes(fast));
    rig.Key(Qt::Key_Space);
    rig.Key(Qt::Key_Space);
    ASSERT_EQ(rig.View().m_nScreen, 5);
    EXPECT_TRUE(rig.frame->Execute(command::kRecentFirst));
    ASSERT_EQ(rig.dialogs->messages.size(), 1u);
    EXPECT_EQ(rig.dialogs->messages[0], "Cannot open a file at this time");
    EXPECT_EQ(rig.recent.Entries(), Paths{Bytes(fast)});
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
    EXPECT_EQ(rig.recent.Entries(), Paths{Bytes(slow)});
    EXPECT_EQ(rig.View().m_nSpeed, 3);
    EXPECT_EQ(rig.frame->windowTitle().endsWith(slow), true);

    // Save writes to the match's own file without asking.
    const std::string copy = Bytes(rig.settings.File("copy.bin"));
    rig.recent.Add(copy);
    ASSERT_EQ(rig.recent.Entries().front(), copy);
    rig.doc.m_lPot = 1234;
    EXPECT_TRUE(rig.frame->Execute(command::kFileSave));
    EXPECT_EQ(rig.dialogs->saveAsked, 0);
    EXPECT_EQ(rig.recent.Entries().front(), Bytes(slow));
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
    EXPECT_EQ(rig.recent.Entries(), (Paths{Bytes(second), Bytes(first)}));

    // Cancelling the dialog saves nothing.
    ASSERT_TRUE(QFile::remove(second));
    rig.dialogs->saveAnswer.clear();
    EXPECT_TRUE(rig.frame->Execute(command::kFileSave));
    EXPECT_FALSE(QFileInfo::exists(second));
}

} // namespace
