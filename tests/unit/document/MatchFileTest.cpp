#include "document/CountedString.h"
#include "document/DocumentFile.h"
#include "document/GlobuleDoc.h"
#include "document/HallOfFame.h"
#include "document/HallOfFameFile.h"
#include "document/MatchFormat.h"
#include "document/MatchTables.h"
#include "platform/MessageBox.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct RecordingMessages : IMessageBox {
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

std::string ExampleFile() {
    std::string bytes(144, '\0');
    bytes[20] = 1;
    const unsigned char tail[] = {0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0xAE, 0x0B, 0, 0};
    bytes.append(reinterpret_cast<const char*>(tail), sizeof tail);
    for (const char* name : {"Alice", "Burt", "Cindy", "Donald", "Ellen", "Frank"}) {
        bytes += static_cast<char>(std::string(name).size());
        bytes += name;
    }
    bytes += '\x0E';
    bytes += "Speed: Medium ";
    return bytes;
}

std::string ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

void WriteAll(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

// Everything a file operation may change, to show that a failed one changed nothing.
std::string Snapshot(const CGlobuleDoc& doc) {
    std::string s = matchfile::Store(doc);
    s += "|" + doc.m_szFileName + "|" + doc.m_strPathName;
    s += "|" + std::to_string(doc.m_bNothingLoaded) + std::to_string(doc.m_bUnsavedResults) +
         std::to_string(doc.m_nViewScreen);
    return s;
}

class MatchFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        doc.OnNewDocument();
        doc.m_nViewScreen = match::kScreenScore;
    }
    QString PathOf(const char* name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    CGlobuleDoc doc;
    RecordingMessages messages;
};

TEST_F(MatchFileTest, ResetMatchSavesTheExampleBytesAndLoadsBackIdentically) {
    const QString path = PathOf("example.bin");
    ASSERT_EQ(SaveDocumentFile(doc, path, messages), FileOutcome::Done);
    EXPECT_TRUE(messages.shown.empty());
    const std::string saved = ReadAll(path);
    EXPECT_EQ(saved.size(), 211u);
    EXPECT_EQ(saved, ExampleFile());
    EXPECT_EQ(doc.m_szFileName, path.toStdString());
    EXPECT_EQ(doc.m_bUnsavedResults, 0);

    CGlobuleDoc loaded;
    loaded.m_nViewScreen = match::kScreenHome;
    ASSERT_EQ(OpenDocumentFile(loaded, path, messages), FileOutcome::Done);
    EXPECT_EQ(loaded.m_bNothingLoaded, 0);
    EXPECT_EQ(loaded.m_szFileName, path.toStdString());
    EXPECT_EQ(loaded.m_strPlayerName[3], "Donald");
    EXPECT_EQ(loaded.m_lActive[0], 1);
    EXPECT_EQ(loaded.m_nTimerInterval, 2990);

    loaded.m_nViewScreen = match::kScreenScore;
    const QString again = PathOf("again.bin");
    ASSERT_EQ(SaveDocumentFile(loaded, again, messages), FileOutcome::Done);
    EXPECT_EQ(ReadAll(again), saved);
}

TEST_F(MatchFileTest, NamesOfEveryLengthFormRoundTrip) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const std::vector<Case> cases = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {65533, "\xFF\xFD\xFF"},
        {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string encoded;
        const std::string name(c.length, 'n');
        WriteCountedString(encoded, name);
        EXPECT_EQ(encoded.substr(0, c.prefix.size()), c.prefix);
        EXPECT_EQ(encoded.size(), c.prefix.size() + c.length);

        doc.m_strPlayerName[2] = name;
        const QString path = PathOf("long.bin");
        ASSERT_EQ(SaveDocumentFile(doc, path, messages), FileOutcome::Done);
        CGlobuleDoc loaded;
        ASSERT_EQ(OpenDocumentFile(loaded, path, messages), FileOutcome::Done);
        EXPECT_EQ(loaded.m_strPlayerName[2], name);
        EXPECT_EQ(loaded.m_strPlayerName[3], "Donald");
        EXPECT_EQ(loaded.m_strSpeed, "Speed: Medium ");
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MatchFileTest, WideNamesAreConvertedToTheCodePage) {
    std::string bytes = ExampleFile();
    // Replace "Cindy" (at the third name) with a wide string: e-acute, euro, Cyrillic De,
    // a surrogate pair, 'x'.
    const std::size_t cindy = bytes.find("\x05"
                                         "Cindy");
    ASSERT_NE(cindy, std::string::npos);
    std::string wide = "\xFF\xFE\xFF\x06";
    const char16_t units[] = {0x00E9, 0x20AC, 0x0414, 0xD83D, 0xDE00, u'x'};
    for (char16_t u : units) {
        wide += static_cast<char>(u & 0xFF);
        wide += static_cast<char>(u >> 8);
    }
    bytes.replace(cindy, 6, wide);
    const QString path = PathOf("wide.bin");
    WriteAll(path, bytes);
    ASSERT_EQ(OpenDocumentFile(doc, path, messages), FileOutcome::Done);
    EXPECT_EQ(doc.m_strPlayerName[2], "\xE9\x80??x");
    EXPECT_EQ(doc.m_strPlayerName[3], "Donald");
}

TEST_F(MatchFileTest, BytesAfterTheSpeedLabelAreIgnored) {
    const QString path = PathOf("extra.bin");
    WriteAll(path, ExampleFile() + "trailing bytes that are not part of the record");
    doc.m_strPlayerName[0] = "Zoe";
    ASSERT_EQ(OpenDocumentFile(doc, path, messages), FileOutcome::Done);
    EXPECT_EQ(doc.m_strPlayerName[0], "Alice");
    EXPECT_EQ(doc.m_strSpeed, "Speed: Medium ");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MatchFileTest, AFileCutAnywhereIsRefusedAndTheMatchStaysWhole) {
    // A match in progress that a failed load must not touch.
    doc.m_strPlayerName[1] = "Keeper";
    doc.m_lAllGames[1] = 4321;
    doc.m_lPot = 250;
    doc.m_bUnsavedResults = 1;
    doc.m_bNothingLoaded = 1;
    doc.m_szFileName = "/somewhere/else.bin";
    doc.m_strPathName = "/somewhere/else.bin";
    const std::string before = Snapshot(doc);

    const std::string valid = ExampleFile();
    const QString path = PathOf("cut.bin");
    for (std::size_t length = 1; length < valid.size(); ++length) {
        SCOPED_TRACE(length);
        WriteAll(path, valid.substr(0, length));
        messages.shown.clear();
        EXPECT_EQ(OpenDocumentFile(doc, path, messages), FileOutcome::Failed);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], "Unexpected file format.");
        ASSERT_EQ(Snapshot(doc), before);
    }
}

TEST_F(MatchFileTest, AnEmptyFileReadsNothingAndCountsAsOpened) {
    const QString path = PathOf("empty.bin");
    WriteAll(path, "");
    doc.m_strPlayerName[0] = "Kept";
    ASSERT_EQ(OpenDocumentFile(doc, path, messages), FileOutcome::Done);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.m_strPlayerName[0], "Kept");
    EXPECT_EQ(doc.m_szFileName, "None.");
    EXPECT_EQ(doc.m_bNothingLoaded, 1);
}

TEST_F(MatchFileTest, OnlyARegularFileOpensAndOnlyARegularFileIsReplaced) {
    doc.m_strPlayerName[0] = "Kept";
    doc.m_szFileName = "/somewhere/else.bin";
    doc.m_strPathName = "/somewhere/else.bin";
    const std::string before = Snapshot(doc);
    const QString pipe = PathOf("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);

    // Nobody writes to the pipe. Should the open wait for a writer after all, this one comes
    // along, so a fault fails the test instead of hanging it.
    std::thread writer([&pipe] {
        const int fd = open(QFile::encodeName(pipe).constData(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0) {
            close(fd);
        }
    });
    const FileOutcome fromPipe = OpenDocumentFile(doc, pipe, messages);
    const int release = open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    writer.join();
    close(release);
    EXPECT_EQ(fromPipe, FileOutcome::Failed);

    EXPECT_EQ(OpenDocumentFile(doc, QStringLiteral("/dev/zero"), messages), FileOutcome::Failed);
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>{"Failed to open document.", "Failed to open document."}));
    EXPECT_EQ(Snapshot(doc), before);

    messages.shown.clear();
    doc.m_bUnsavedResults = 1;
    const std::string unsaved = Snapshot(doc);
    EXPECT_EQ(SaveDocumentFile(doc, pipe, messages), FileOutcome::Failed);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Access to " + pipe.toStdString() + " was denied."});
    EXPECT_EQ(Snapshot(doc), unsaved);
    struct stat info {};
    ASSERT_EQ(lstat(QFile::encodeName(pipe).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(MatchFileTest, AStringLongerThanTheFileIsAFormatErrorNotAnAllocation) {
    // Ten bytes claiming a name of four gigabytes.
    std::string bytes = ExampleFile().substr(0, 160);
    bytes += std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7);
    const QString path = PathOf("huge.bin");
    WriteAll(path, bytes);
    EXPECT_EQ(OpenDocumentFile(doc, path, messages), FileOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Unexpected file format.");

    ByteReader tiny(std::string_view("\xFF\xFF\xFF\xFF\xFF\xFF\x7F\x00\x00\x00", 10));
    std::string name = "unchanged";
    EXPECT_FALSE(ReadCountedString(tiny, name));
    EXPECT_EQ(name, "unchanged");
}

TEST_F(MatchFileTest, SpeedFieldsThatMatchNoRowLoadUnchanged) {
    doc.m_nSpeedIndex = 7;
    doc.m_nTimerInterval = -5;
    doc.m_strSpeed = "Speed: Warp ";
    const QString path = PathOf("odd.bin");
    ASSERT_EQ(SaveDocumentFile(doc, path, messages), FileOutcome::Done);
    CGlobuleDoc loaded;
    ASSERT_EQ(OpenDocumentFile(loaded, path, messages), FileOutcome::Done);
    EXPECT_EQ(loaded.m_nSpeedIndex, 7);
    EXPECT_EQ(loaded.m_nTimerInterval, -5);
    EXPECT_EQ(loaded.m_strSpeed, "Speed: Warp ");
    loaded.m_nViewScreen = match::kScreenScore;
    const QString back = PathOf("odd-again.bin");
    ASSERT_EQ(SaveDocumentFile(loaded, back, messages), FileOutcome::Done);
    EXPECT_EQ(ReadAll(back), ReadAll(path));
}

TEST_F(MatchFileTest, LoadKeepsTheUnsavedFlagAndTakesThePath) {
    const QString path = PathOf("match.bin");
    WriteAll(path, ExampleFile());
    doc.m_bUnsavedResults = 1;
    ASSERT_EQ(OpenDocumentFile(doc, path, messages), FileOutcome::Done);
    EXPECT_EQ(doc.m_bUnsavedResults, 1);
    EXPECT_EQ(doc.m_bNothingLoaded, 0);
    EXPECT_EQ(doc.m_strPathName, path.toStdString());
}

TEST_F(MatchFileTest, ScreensThatForbidFileCommandsRefuseWithTheirMessages) {
    const QString path = PathOf("existing.bin");
    const std::string original = "an existing file that must survive";
    WriteAll(path, original);

    for (int screen : {match::kScreenHome, match::kScreenPlay}) {
        doc.m_nViewScreen = screen;
        messages.shown.clear();
        const std::string before = Snapshot(doc);
        EXPECT_EQ(SaveDocumentFile(doc, path, messages), FileOutcome::Refused);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], "Cannot save a file at this time");
        EXPECT_EQ(ReadAll(path), original);
        EXPECT_EQ(Snapshot(doc), before);
    }

    const QString matchPath = PathOf("match.bin");
    WriteAll(matchPath, ExampleFile());
    doc.m_nViewScreen = match::kScreenPlay;
    doc.m_strPlayerName[0] = "Playing";
    messages.shown.clear();
    EXPECT_EQ(OpenDocumentFile(doc, matchPath, messages), FileOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Cannot open a file at this time");
    EXPECT_EQ(doc.m_strPlayerName[0], "Playing");

    doc.m_nViewScreen = match::kScreenHome;
    EXPECT_EQ(OpenDocumentFile(doc, matchPath, messages), FileOutcome::Done);
    EXPECT_EQ(doc.m_strPlayerName[0], "Alice");
}

TEST_F(MatchFileTest, FailuresNameTheFullPath) {
    const QString missing = PathOf("no-such-file.bin");
    EXPECT_EQ(OpenDocumentFile(doc, missing, messages), FileOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], missing.toStdString() + " was not found.");

    messages.shown.clear();
    const QString inMissingFolder = PathOf("gone/match.bin");
    const std::string before = Snapshot(doc);
    EXPECT_EQ(SaveDocumentFile(doc, inMissingFolder, messages), FileOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], inMissingFolder.toStdString() + " was not found.");
    EXPECT_EQ(Snapshot(doc), before);
}

TEST_F(MatchFileTest, APathOfAnyLengthIsKept) {
    QString deep = dir.path();
    for (int i = 0; i < 12; ++i) {
        deep += "/a-rather-long-folder-name-" + QString::number(i);
    }
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString path = deep + "/match.bin";
    ASSERT_GT(path.size(), 300);
    ASSERT_EQ(SaveDocumentFile(doc, path, messages), FileOutcome::Done);
    EXPECT_EQ(doc.m_szFileName, path.toStdString());
    EXPECT_NE(doc.m_szFileName, match::kNoFile);
    doc.OnNewDocument();
    EXPECT_EQ(doc.m_szFileName, match::kNoFile);
}

// Permission checks do not apply to root, so a root test run drops its file-system identity
// for the duration of a check.
class AsUnprivilegedFiles {
public:
    AsUnprivilegedFiles() {
        if (geteuid() == 0) {
            setfsuid(65534);
            setfsgid(65534);
        }
    }
    ~AsUnprivilegedFiles() {
        if (geteuid() == 0) {
            setfsuid(0);
            setfsgid(0);
        }
    }
};

void ExpectFailedSaveLeftEverything(CGlobuleDoc& doc, RecordingMessages& messages,
                                    const QString& path, const char* messagePattern) {
    const std::string oldBytes = ReadAll(path);
    doc.m_bUnsavedResults = 1;
    doc.m_szFileName = "/previous/match.bin";
    doc.m_strPathName = "/previous/match.bin";
    doc.m_strPlayerName[0] = std::string(5000, 'x'); // more than any small limit takes
    const std::string before = Snapshot(doc);
    messages.shown.clear();
    EXPECT_EQ(SaveDocumentFile(doc, path, messages), FileOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], QString::fromLatin1(messagePattern).arg(path).toStdString());
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(ReadAll(path), oldBytes);
}

TEST_F(MatchFileTest, ASaveIntoAReadOnlyFolderKeepsTheOldFileAndTheFlags) {
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                          QFileDevice::ExeOther);
    const QString folder = PathOf("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/match.bin";
    WriteAll(path, ExampleFile());
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    {
        AsUnprivilegedFiles unprivileged;
        ExpectFailedSaveLeftEverything(doc, messages, path, "Access to %1 was denied.");
    }
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(MatchFileTest, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                          QFileDevice::ExeOther);
    const QString folder = PathOf("shared");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/match.bin";
    WriteAll(path, ExampleFile() + std::string(500, 'z')); // longer than what replaces it
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                          QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                          QFileDevice::ReadOther | QFileDevice::WriteOther;
    QFile::setPermissions(path, everyone);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther);
    doc.m_strPlayerName[0] = "Inplace";
    doc.m_bUnsavedResults = 1;
    {
        AsUnprivilegedFiles unprivileged;
        EXPECT_EQ(SaveDocumentFile(doc, path, messages), FileOutcome::Done);
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
    EXPECT_EQ(ReadAll(path), matchfile::Store(doc));
    EXPECT_EQ(doc.m_szFileName, path.toStdString());
    EXPECT_EQ(doc.m_strPathName, path.toStdString());
    EXPECT_EQ(doc.m_bUnsavedResults, 0);

    // A write that fails there still says so and keeps the flags and the path.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit tiny = previous;
    tiny.rlim_cur = 100;
    doc.m_bUnsavedResults = 1;
    doc.m_szFileName = "/previous/match.bin";
    doc.m_strPathName = "/previous/match.bin";
    const std::string before = Snapshot(doc);
    {
        AsUnprivilegedFiles unprivileged;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
        EXPECT_EQ(SaveDocumentFile(doc, path, messages), FileOutcome::Failed);
        setrlimit(RLIMIT_FSIZE, &previous);
    }
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Disk full while accessing " + path.toStdString() + "."});
    EXPECT_EQ(Snapshot(doc), before);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(MatchFileTest, ASaveOntoAFullDeviceKeepsTheOldFileAndTheFlags) {
    const QString path = PathOf("full.bin");
    WriteAll(path, ExampleFile());
    // A file-size limit below the record makes every write of it fail as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit tiny = previous;
    tiny.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    ExpectFailedSaveLeftEverything(doc, messages, path, "Disk full while accessing %1.");
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, SIG_DFL);
}

TEST_F(MatchFileTest, ASaveOntoATinyFileSystemKeepsTheOldFile) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting a tmpfs needs root";
    }
    const QString mountPoint = PathOf("tiny");
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    if (mount("tmpfs", mountPoint.toLocal8Bit().constData(), "tmpfs", 0, "size=8k") != 0) {
        GTEST_SKIP() << "no permission to mount a tmpfs here";
    }
    const QString path = mountPoint + "/match.bin";
    WriteAll(path, ExampleFile());
    // Fill what is left so the new copy cannot be written.
    {
        QFile filler(mountPoint + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const std::string block(1024, 'f');
        while (filler.write(block.data(), static_cast<qint64>(block.size())) > 0 &&
               filler.flush()) {
        }
    }
    ExpectFailedSaveLeftEverything(doc, messages, path, "Disk full while accessing %1.");
    umount(mountPoint.toLocal8Bit().constData());
}

// ---- The hall of fame ---------------------------------------------------------------------

std::int64_t Utc(const char* text) {
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toSecsSinceEpoch();
}
hall::Entry Game(int score, std::int64_t when, const char* name, int intervalMs = 2990) {
    return hall::Entry{score, name, intervalMs, when};
}
std::string NamesOf(const hall::Table& table) {
    std::string names;
    for (const hall::Entry& entry : table.Entries()) {
        names += entry.name;
    }
    return names;
}
const std::string kHallHeader = "Globule hall of fame 1\n";

TEST(HallOfFameTest, TheTenBestGamesBestFirstAndOfEqualScoresTheEarlierFirst) {
    hall::Table table;
    const hall::Entry games[] = {Game(800, 50, "a"), Game(900, 40, "b"),  Game(800, 30, "c"),
                                 Game(500, 10, "d"), Game(1200, 60, "e"), Game(800, 30, "f"),
                                 Game(600, 1, "g"),  Game(650, 2, "h"),   Game(700, 3, "i"),
                                 Game(750, 4, "j")};
    for (const hall::Entry& game : games) {
        EXPECT_TRUE(table.Enter(game)) << game.name;
    }
    EXPECT_EQ(NamesOf(table), "ebcfajihgd");     // f ties c in all, and came second
    EXPECT_TRUE(table.Enter(Game(500, 5, "k"))); // d's score, but earlier: d leaves
    EXPECT_EQ(NamesOf(table), "ebcfajihgk");
    EXPECT_FALSE(table.Enter(Game(500, 99, "l"))); // the tenth's score, later: not in
    EXPECT_FALSE(table.Enter(Game(0, 0, "m")));
    EXPECT_EQ(NamesOf(table), "ebcfajihgk");
    EXPECT_TRUE(table.Enter(Game(1300, 70, "n")));
    EXPECT_EQ(NamesOf(table), "nebcfajihg");
    EXPECT_EQ(table.Entries().size(), hall::kPlaces);
}

TEST(HallOfFameTest, TheTextHoldsOneGameALineAndReadsBackInOrder) {
    hall::Table table;
    table.Enter(Game(935, Utc("2026-12-05T21:02:11Z"),
                     "Ren\xC3\xA9"
                     "e",
                     4990));
    table.Enter(Game(1043, Utc("2026-12-09T19:15:03Z"), "Cindy", 990));
    const std::string text = table.Format();
    EXPECT_EQ(text, kHallHeader + "1043\t990\t2026-12-09T19:15:03Z\tCindy\n"
                                  "935\t4990\t2026-12-05T21:02:11Z\tRen\xC3\xA9"
                                  "e\n");
    const hall::Parsed back = hall::Parse(text);
    ASSERT_TRUE(back.ok) << back.problem;
    EXPECT_EQ(back.table.Entries(), table.Entries());

    // A hand may put the games in any order, and leave off the last line's end.
    const hall::Parsed shuffled =
        hall::Parse(kHallHeader + "935\t4990\t2026-12-05T21:02:11Z\tRen\xC3\xA9"
                                  "e\n"
                                  "1043\t990\t2026-12-09T19:15:03Z\tCindy");
    ASSERT_TRUE(shuffled.ok) << shuffled.problem;
    EXPECT_EQ(shuffled.table.Entries(), table.Entries());
    EXPECT_TRUE(hall::Parse(kHallHeader).ok); // no games yet
    EXPECT_EQ(hall::SpeedName(990), "Fastest");
    EXPECT_EQ(hall::SpeedName(4990), "Slowest");
    EXPECT_EQ(hall::SpeedName(1234), "1234 ms"); // from a match file with a speed of its own
}

TEST(HallOfFameTest, EveryLineIsCheckedAndADamagedTextNamesItsLine) {
    const std::string good = "1043\t990\t2026-12-09T19:15:03Z\tCindy\n";
    std::string eleven = kHallHeader;
    for (int n = 0; n < 11; ++n) {
        eleven += good;
    }
    const struct {
        std::string text;
        const char* problem;
    } cases[] = {
        {"", "line 1 is not"},
        {"Globule hall of fame 2\n" + good, "line 1 is not"},
        {kHallHeader + good + "1043\t990\t2026-12-09T19:15:03Z\n", "line 3 does not hold four"},
        {kHallHeader + "\n" + good, "line 2 does not hold four"},
        {kHallHeader + "01043\t990\t2026-12-09T19:15:03Z\tCindy\n", "line 2 does not begin"},
        {kHallHeader + "-5\t990\t2026-12-09T19:15:03Z\tCindy\n", "line 2 does not begin"},
        {kHallHeader + "2147483648\t990\t2026-12-09T19:15:03Z\tCindy\n", "line 2 does not begin"},
        {kHallHeader + "1043\t0\t2026-12-09T19:15:03Z\tCindy\n", "line 2 has no speed"},
        {kHallHeader + "1043\t 990\t2026-12-09T19:15:03Z\tCindy\n", "line 2 has no speed"},
        {kHallHeader + "1043\t990\t2026-02-30T19:15:03Z\tCindy\n", "line 2 has no date"},
        {kHallHeader + "1043\t990\t2026-12-09T24:00:00Z\tCindy\n", "line 2 has no date"},
        {kHallHeader + "1043\t990\t2026-12-09 19:15:03Z\tCindy\n", "line 2 has no date"},
        {kHallHeader + "1043\t990\t2026-12-09T19:15:03\tCindy\n", "line 2 has no date"},
        {kHallHeader + "1043\t990\t2026-12-09T19:15:03Z\tCin\tdy\n", "line 2 has no name"},
        {kHallHeader + "1043\t990\t2026-12-09T19:15:03Z\tCindy\r\n", "line 2 has no name"},
        {kHallHeader + "1043\t990\t2026-12-09T19:15:03Z\tC\xC3(\n", "line 2 has no name"},
        {kHallHeader + "1043\t990\t2026-12-09T19:15:03Z\t" + std::string(41, 'x') + "\n",
         "line 2 has no name"},
        {eleven, "more than 10 games"},
        {kHallHeader + std::string(hall::kMaxFileBytes, 'x'), "larger than 16 KiB"},
    };
    for (const auto& damaged : cases) {
        const hall::Parsed parsed = hall::Parse(damaged.text);
        EXPECT_FALSE(parsed.ok) << damaged.problem;
        EXPECT_NE(parsed.problem.find(damaged.problem), std::string::npos)
            << parsed.problem << " / " << damaged.problem;
    }
    EXPECT_TRUE(
        hall::Parse(kHallHeader + "1043\t990\t2026-12-09T19:15:03Z\t" + std::string(40, 'x') + "\n")
            .ok);
}

TEST(HallOfFameTest, ANameIsKeptAsTextOfAtMostFortyCharacters) {
    EXPECT_EQ(hall::NameForHall("Ren\xE9"
                                "e\tX\x7F"),
              "Ren\xC3\xA9"
              "e X ");                                // from the code page
    const std::string huge(16 * 1024 * 1024, '\xE9'); // a match file's name of 16 MiB
    const std::string kept = hall::NameForHall(huge);
    EXPECT_EQ(kept.size(), 2 * hall::kMaxNameChars);
    hall::Table table;
    table.Enter(Game(1, 1, kept.c_str()));
    EXPECT_TRUE(hall::Parse(table.Format()).ok);
}

class HallFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Folder() const { return dir.filePath(QStringLiteral("data/Globule")); }
    QString Hall() const { return Folder() + QStringLiteral("/hall-of-fame.txt"); }
    QStringList FolderEntries() const {
        return QDir(Folder()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }
    QTemporaryDir dir;
};

TEST_F(HallFileTest, AGameEntersAFullHallOnlyByBeatingItsTenthAndTheFileIsWrittenWhole) {
    EXPECT_EQ(ReadHallFile(Hall()).state, HallRead::State::Missing);
    for (int n = 0; n < 10; ++n) {
        const HallRecord record = RecordInHallFile(Hall(), Game(500 + n, 100 + n, "p"));
        ASSERT_TRUE(record.entered);
        ASSERT_TRUE(record.note.isEmpty()) << record.note.toStdString();
    }
    EXPECT_EQ(FolderEntries(), QStringList{"hall-of-fame.txt"}); // nothing half-written beside it
    const std::string full = ReadAll(Hall());
    EXPECT_FALSE(RecordInHallFile(Hall(), Game(500, 1000, "late")).entered);
    EXPECT_EQ(ReadAll(Hall()), full);

    EXPECT_TRUE(RecordInHallFile(Hall(), Game(2000, 1000, "best")).entered);
    const HallRead read = ReadHallFile(Hall());
    ASSERT_EQ(read.state, HallRead::State::Read);
    ASSERT_EQ(read.table.Entries().size(), 10u);
    EXPECT_EQ(read.table.Entries().front().name, "best");
    EXPECT_EQ(read.table.Entries().back().score, 501); // 500 left
}

TEST_F(HallFileTest, ADamagedHallIsSetAsideUntouchedAndANewOneStarted) {
    ASSERT_TRUE(QDir().mkpath(Folder()));
    WriteAll(Hall(), "my own notes\n");
    const HallRead read = ReadHallFile(Hall());
    EXPECT_EQ(read.state, HallRead::State::Damaged);
    EXPECT_TRUE(read.table.Entries().empty());
    EXPECT_EQ(ReadAll(Hall()), "my own notes\n"); // reading never changes it

    const HallRecord record = RecordInHallFile(Hall(), Game(900, 1, "Ann"));
    EXPECT_TRUE(record.entered);
    EXPECT_TRUE(record.note.contains(Hall() + QStringLiteral(".damaged")))
        << record.note.toStdString();
    EXPECT_EQ(ReadAll(Hall() + QStringLiteral(".damaged")), "my own notes\n");
    EXPECT_EQ(NamesOf(ReadHallFile(Hall()).table), "Ann");

    // A second damaged hall does not replace the first one set aside.
    WriteAll(Hall(), "more notes\n");
    EXPECT_TRUE(RecordInHallFile(Hall(), Game(800, 2, "Bob")).entered);
    EXPECT_EQ(ReadAll(Hall() + QStringLiteral(".damaged")), "my own notes\n");
    EXPECT_EQ(ReadAll(Hall() + QStringLiteral(".damaged-2")), "more notes\n");
    EXPECT_EQ(NamesOf(ReadHallFile(Hall()).table), "Bob");
}

TEST_F(HallFileTest, OnlyARegularFileIsReadAndNothingElseAtItsPlaceIsFollowedOrWaitedFor) {
    ASSERT_TRUE(QDir().mkpath(Folder()));
    const QByteArray hallName = QFile::encodeName(Hall());
    // A link to a good hall elsewhere: neither read nor written through.
    const QString elsewhere = dir.filePath(QStringLiteral("elsewhere.txt"));
    const std::string goodHall = kHallHeader + "1043\t990\t2026-12-09T19:15:03Z\tCindy\n";
    WriteAll(elsewhere, goodHall);
    ASSERT_EQ(symlink(QFile::encodeName(elsewhere).constData(), hallName.constData()), 0);
    HallRead read = ReadHallFile(Hall());
    EXPECT_EQ(read.state, HallRead::State::Damaged);
    EXPECT_EQ(read.problem, QStringLiteral("it is a symbolic link"));
    EXPECT_TRUE(RecordInHallFile(Hall(), Game(1, 1, "Ann")).entered);
    EXPECT_EQ(ReadAll(elsewhere), goodHall);
    EXPECT_TRUE(QFileInfo(Hall() + QStringLiteral(".damaged")).isSymLink());
    EXPECT_FALSE(QFileInfo(Hall()).isSymLink());

    // A pipe nobody writes to: should the read wait for a writer after all, this one comes
    // along, so a fault fails the test instead of hanging it.
    ASSERT_TRUE(QFile::remove(Hall()));
    ASSERT_EQ(mkfifo(hallName.constData(), 0644), 0);
    std::thread writer([&hallName] {
        const int fd = open(hallName.constData(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0) {
            close(fd);
        }
    });
    read = ReadHallFile(Hall());
    const int release = open(hallName.constData(), O_RDONLY | O_NONBLOCK);
    writer.join();
    close(release);
    EXPECT_EQ(read.problem, QStringLiteral("it is not a regular file"));

    ASSERT_TRUE(QFile::remove(Hall()));
    ASSERT_TRUE(QDir().mkdir(Hall()));
    EXPECT_EQ(ReadHallFile(Hall()).state, HallRead::State::Damaged);
    ASSERT_TRUE(QDir().rmdir(Hall()));

    WriteAll(Hall(), kHallHeader + std::string(1024 * 1024, '\n'));
    EXPECT_EQ(ReadHallFile(Hall()).problem, QStringLiteral("it is larger than 16 KiB"));
}

TEST_F(HallFileTest, AHallThatCannotBeWrittenLeavesTheOldFileAndSaysSo) {
    ASSERT_TRUE(RecordInHallFile(Hall(), Game(700, 1, "Ann")).entered);
    const std::string before = ReadAll(Hall());
    // Readable, as a root test run reads it without its privileges, but closed to writing.
    const auto readable = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                          QFileDevice::ExeOther;
    QFile::setPermissions(dir.path(), readable | QFileDevice::WriteOwner);
    QFile::setPermissions(Folder(), readable);
    HallRecord record;
    {
        AsUnprivilegedFiles unprivileged;
        record = RecordInHallFile(Hall(), Game(900, 2, "Bob"));
    }
    QFile::setPermissions(Folder(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(record.entered);
    EXPECT_TRUE(record.note.startsWith(QStringLiteral("The hall of fame could not be written")))
        << record.note.toStdString();
    EXPECT_EQ(ReadAll(Hall()), before);
}

} // namespace
