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

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

// The file commands on a path as Qt names it (valid UTF-8 here), as bytes.
FileOutcome OpenFile(CGlobuleDoc& doc, const QString& path, IMessageBox& messages) {
    return OpenDocumentFile(doc, QFile::encodeName(path).toStdString(), messages);
}
FileOutcome SaveFile(CGlobuleDoc& doc, const QString& path, IMessageBox& messages) {
    return SaveDocumentFile(doc, QFile::encodeName(path).toStdString(), messages);
}

// The names in a folder, sorted, as the file system has them.
std::vector<std::string> Listing(const QString& folder) {
    std::vector<std::string> names;
    if (DIR* listing = opendir(QFile::encodeName(folder).constData())) {
        while (const dirent* entry = readdir(listing)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        closedir(listing);
    }
    std::sort(names.begin(), names.end());
    return names;
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
    ASSERT_EQ(SaveFile(doc, path, messages), FileOutcome::Done);
    EXPECT_TRUE(messages.shown.empty());
    const std::string saved = ReadAll(path);
    EXPECT_EQ(saved.size(), 211u);
    EXPECT_EQ(saved, ExampleFile());
    EXPECT_EQ(doc.m_szFileName, path.toStdString());
    EXPECT_EQ(doc.m_bUnsavedResults, 0);

    CGlobuleDoc loaded;
    loaded.m_nViewScreen = match::kScreenHome;
    ASSERT_EQ(OpenFile(loaded, path, messages), FileOutcome::Done);
    EXPECT_EQ(loaded.m_bNothingLoaded, 0);
    EXPECT_EQ(loaded.m_szFileName, path.toStdString());
    EXPECT_EQ(loaded.m_strPlayerName[3], "Donald");
    EXPECT_EQ(loaded.m_lActive[0], 1);
    EXPECT_EQ(loaded.m_nTimerInterval, 2990);

    loaded.m_nViewScreen = match::kScreenScore;
    const QString again = PathOf("again.bin");
    ASSERT_EQ(SaveFile(loaded, again, messages), FileOutcome::Done);
    EXPECT_EQ(ReadAll(again), saved);
}

// The value laid at field k of the fixed part (block i holds fields 6i to 6i + 5): each one
// distinct, every third negative (the interval among them), so that no two fields can trade
// places unseen.
std::int32_t Field(int k) {
    return (k % 3 == 0 ? -1 : 1) * (0x10203 * (k + 1) + 7);
}

// Names of each length form: one byte, 0xFF and 16 bits, 0xFF 0xFFFF and 32 bits.
struct LaidName {
    std::size_t length;
    std::string prefix;
};
const LaidName kLaidNames[] = {
    {3, "\x03"},
    {254, "\xFE"},
    {255, std::string("\xFF\xFF\x00", 3)},
    {65533, "\xFF\xFD\xFF"},
    {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
    {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
};

// A match file laid out byte by byte from the format, every field of it different.
std::string EveryFieldFile() {
    std::string bytes;
    for (int k = 0; k < 40; ++k) {
        const auto v = static_cast<std::uint32_t>(Field(k));
        for (int shift = 0; shift < 32; shift += 8) {
            bytes += static_cast<char>((v >> shift) & 0xFF);
        }
    }
    for (std::size_t i = 0; i < std::size(kLaidNames); ++i) {
        bytes += kLaidNames[i].prefix + std::string(kLaidNames[i].length, char('A' + i));
    }
    return bytes + "\x0DSpeed: Brisk ";
}

TEST_F(MatchFileTest, AFileWithEveryFieldDifferentLoadsEachInItsPlaceAndSavesBackIdentically) {
    const std::string bytes = EveryFieldFile();
    const QString path = PathOf("every-field.bin");
    WriteAll(path, bytes);
    CGlobuleDoc loaded;
    loaded.m_nViewScreen = match::kScreenHome;
    ASSERT_EQ(OpenFile(loaded, path, messages), FileOutcome::Done);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loaded.m_lAllGames[i], Field(6 * i));
        EXPECT_EQ(loaded.m_lLastGame[i], Field(6 * i + 1));
        EXPECT_EQ(loaded.m_lNumGames[i], Field(6 * i + 2));
        EXPECT_EQ(loaded.m_lAverage[i], Field(6 * i + 3));
        EXPECT_EQ(loaded.m_lBestGame[i], Field(6 * i + 4));
        EXPECT_EQ(loaded.m_lActive[i], Field(6 * i + 5));
        EXPECT_EQ(loaded.m_strPlayerName[i], std::string(kLaidNames[i].length, char('A' + i)));
    }
    EXPECT_EQ(loaded.m_nSortRow, Field(36));
    EXPECT_EQ(loaded.m_lPot, Field(37));
    EXPECT_EQ(loaded.m_nSpeedIndex, Field(38));
    EXPECT_EQ(loaded.m_nTimerInterval, Field(39));
    EXPECT_EQ(loaded.m_strSpeed, "Speed: Brisk ");

    loaded.m_nViewScreen = match::kScreenScore;
    const QString again = PathOf("again.bin");
    ASSERT_EQ(SaveFile(loaded, again, messages), FileOutcome::Done);
    EXPECT_TRUE(ReadAll(again) == bytes); // not printed: 200 kB
    EXPECT_TRUE(messages.shown.empty());

    // An empty name is the single byte 0.
    loaded.m_strPlayerName[0].clear();
    std::string emptied = bytes;
    emptied.replace(160, 4, std::string(1, '\0'));
    EXPECT_TRUE(matchfile::Store(loaded) == emptied);
    ASSERT_TRUE(matchfile::Load(emptied, doc));
    EXPECT_EQ(doc.m_strPlayerName[0], "");
    EXPECT_EQ(doc.m_strPlayerName[1], loaded.m_strPlayerName[1]);
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
    ASSERT_EQ(OpenFile(doc, path, messages), FileOutcome::Done);
    EXPECT_EQ(doc.m_strPlayerName[2], "\xE9\x80??x");
    EXPECT_EQ(doc.m_strPlayerName[3], "Donald");
}

TEST_F(MatchFileTest, BytesAfterTheSpeedLabelAreIgnored) {
    const QString path = PathOf("extra.bin");
    WriteAll(path, ExampleFile() + "trailing bytes that are not part of the record");
    doc.m_strPlayerName[0] = "Zoe";
    ASSERT_EQ(OpenFile(doc, path, messages), FileOutcome::Done);
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
        EXPECT_EQ(OpenFile(doc, path, messages), FileOutcome::Failed);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], "Unexpected file format.");
        ASSERT_EQ(Snapshot(doc), before);
    }
}

TEST_F(MatchFileTest, AnEmptyFileReadsNothingAndCountsAsOpened) {
    const QString path = PathOf("empty.bin");
    WriteAll(path, "");
    doc.m_strPlayerName[0] = "Kept";
    ASSERT_EQ(OpenFile(doc, path, messages), FileOutcome::Done);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.m_strPlayerName[0], "Kept");
    EXPECT_EQ(doc.m_szFileName, "None.");
    EXPECT_EQ(doc.m_bNothingLoaded, 1);
}

// A match followed by zeros loads up to 256 MiB; one byte more is no match file.
TEST_F(MatchFileTest, AFileLoadsUpToTheSizeLimitAndIsRefusedOneByteBeyond) {
    constexpr qint64 kLimit = 256LL * 1024 * 1024;
    const QString path = PathOf("large.bin");
    for (const qint64 size : {kLimit - 1, kLimit, kLimit + 1}) {
        SCOPED_TRACE(size);
        WriteAll(path, ExampleFile());
        ASSERT_TRUE(QFile::resize(path, size)); // a sparse file: the zeros take no disk
        doc.m_strPlayerName[0] = "Kept";
        messages.shown.clear();
        const FileOutcome outcome = OpenFile(doc, path, messages);
        if (size <= kLimit) {
            EXPECT_EQ(outcome, FileOutcome::Done);
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(doc.m_strPlayerName[0], "Alice");
        } else {
            EXPECT_EQ(outcome, FileOutcome::Failed);
            EXPECT_EQ(messages.shown, std::vector<std::string>{"Failed to open document."});
            EXPECT_EQ(doc.m_strPlayerName[0], "Kept");
        }
    }
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
    const FileOutcome fromPipe = OpenFile(doc, pipe, messages);
    const int release = open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK);
    writer.join();
    close(release);
    EXPECT_EQ(fromPipe, FileOutcome::Failed);

    EXPECT_EQ(OpenFile(doc, QStringLiteral("/dev/zero"), messages), FileOutcome::Failed);
    // A folder is named as what it is: a path to no file.
    const QString folder = PathOf("folder.bin");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(OpenFile(doc, folder, messages), FileOutcome::Failed);
    EXPECT_EQ(messages.shown,
              (std::vector<std::string>{"Failed to open document.", "Failed to open document.",
                                        folder.toStdString() + " contains an incorrect path."}));
    EXPECT_EQ(Snapshot(doc), before);

    messages.shown.clear();
    doc.m_bUnsavedResults = 1;
    const std::string unsaved = Snapshot(doc);
    EXPECT_EQ(SaveFile(doc, pipe, messages), FileOutcome::Failed);
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
    EXPECT_EQ(OpenFile(doc, path, messages), FileOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Unexpected file format.");

    ByteReader tiny(std::string_view("\xFF\xFF\xFF\xFF\xFF\xFF\x7F\x00\x00\x00", 10));
    std::string name = "unchanged";
    EXPECT_FALSE(ReadCountedString(tiny, name));
    EXPECT_EQ(name, "unchanged");
}

TEST_F(MatchFileTest, LoadKeepsTheUnsavedFlagAndTakesThePath) {
    const QString path = PathOf("match.bin");
    WriteAll(path, ExampleFile());
    doc.m_bUnsavedResults = 1;
    ASSERT_EQ(OpenFile(doc, path, messages), FileOutcome::Done);
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
        EXPECT_EQ(SaveFile(doc, path, messages), FileOutcome::Refused);
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
    EXPECT_EQ(OpenFile(doc, matchPath, messages), FileOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Cannot open a file at this time");
    EXPECT_EQ(doc.m_strPlayerName[0], "Playing");

    doc.m_nViewScreen = match::kScreenHome;
    EXPECT_EQ(OpenFile(doc, matchPath, messages), FileOutcome::Done);
    EXPECT_EQ(doc.m_strPlayerName[0], "Alice");
}

TEST_F(MatchFileTest, FailuresNameTheFullPath) {
    const QString missing = PathOf("no-such-file.bin");
    EXPECT_EQ(OpenFile(doc, missing, messages), FileOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], missing.toStdString() + " was not found.");

    messages.shown.clear();
    const QString inMissingFolder = PathOf("gone/match.bin");
    const std::string before = Snapshot(doc);
    EXPECT_EQ(SaveFile(doc, inMissingFolder, messages), FileOutcome::Failed);
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
    ASSERT_EQ(SaveFile(doc, path, messages), FileOutcome::Done);
    EXPECT_EQ(doc.m_szFileName, path.toStdString());
    EXPECT_NE(doc.m_szFileName, match::kNoFile);
    doc.OnNewDocument();
    EXPECT_EQ(doc.m_szFileName, match::kNoFile);
}

// Takes a mount away again however the test ends.
class Unmount {
public:
    explicit Unmount(const QString& point) : m_point(QFile::encodeName(point)) {}
    ~Unmount() { umount(m_point.constData()); }
    Unmount(const Unmount&) = delete;
    Unmount& operator=(const Unmount&) = delete;

private:
    QByteArray m_point;
};

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
    EXPECT_EQ(SaveFile(doc, path, messages), FileOutcome::Failed);
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
        EXPECT_EQ(SaveFile(doc, path, messages), FileOutcome::Done);
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
        EXPECT_EQ(SaveFile(doc, path, messages), FileOutcome::Failed);
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

TEST_F(MatchFileTest, ASaveOntoAFullFileSystemKeepsTheOldFileWhetherReplacedOrWrittenInPlace) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting a tmpfs needs root";
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                          QFileDevice::ExeOther);
    const QString mountPoint = PathOf("tiny");
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    if (mount("tmpfs", mountPoint.toLocal8Bit().constData(), "tmpfs", 0, "size=16k") != 0) {
        GTEST_SKIP() << "no permission to mount a tmpfs here";
    }
    const Unmount unmount(mountPoint);
    // An old file of exactly one page: the larger record needs a second one.
    CGlobuleDoc old;
    old.OnNewDocument();
    old.m_strPlayerName[0] = std::string(3888, 'o');
    const std::string oldBytes = matchfile::Store(old);
    ASSERT_EQ(oldBytes.size(), 4096u);
    for (const bool folderRefusesNewFiles : {false, true}) {
        SCOPED_TRACE(folderRefusesNewFiles ? "written in place" : "replaced");
        const QString folder = mountPoint + (folderRefusesNewFiles ? "/locked" : "/open");
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString path = folder + "/match.bin";
        WriteAll(path, oldBytes);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadOther | QFileDevice::WriteOther);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                          QFileDevice::ExeOther |
                                          (folderRefusesNewFiles ? QFileDevice::Permissions()
                                                                 : QFileDevice::WriteOther));
        // Fill what is left.
        {
            QFile filler(mountPoint + "/filler");
            ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
            const std::string block(1024, 'f');
            while (filler.write(block.data(), static_cast<qint64>(block.size())) > 0 &&
                   filler.flush()) {
            }
        }
        {
            AsUnprivilegedFiles unprivileged;
            ExpectFailedSaveLeftEverything(doc, messages, path, "Disk full while accessing %1.");
        }
        EXPECT_EQ(Listing(folder), std::vector<std::string>{"match.bin"});
        QFile::remove(mountPoint + "/filler");
    }
}

TEST_F(MatchFileTest, AFileMountedOnItsOwnIsWrittenInPlace) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "a bind mount needs root";
    }
    // No rename can replace a mount point ("A sharing violation occurred" once).
    const QString source = PathOf("source.bin");
    const QString mounted = PathOf("mounted.bin");
    WriteAll(source, ExampleFile() + std::string(300, 'z')); // longer than what replaces it
    WriteAll(mounted, "");
    if (mount(QFile::encodeName(source).constData(), QFile::encodeName(mounted).constData(),
              nullptr, MS_BIND, nullptr) != 0) {
        GTEST_SKIP() << "no permission to bind-mount here";
    }
    {
        const Unmount unmount(mounted);
        doc.m_strPlayerName[0] = "Mounted";
        EXPECT_EQ(SaveFile(doc, mounted, messages), FileOutcome::Done);
        EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
        EXPECT_EQ(ReadAll(source), matchfile::Store(doc));
        EXPECT_EQ(doc.m_strPathName, QFile::encodeName(mounted).toStdString());
    }
    EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{"mounted.bin", "source.bin"}));
}

TEST_F(MatchFileTest, TheNewFileTakesTheOldOnesPlaceUnderAnyNameTheFileSystemTakes) {
    // The longest name there is: a temporary name beside it would be too long.
    const std::string longest = std::string(251, 'n') + ".bin";
    const QString path = PathOf(longest.c_str());
    for (int i = 0; i < 3; ++i) {
        doc.m_lPot = 50 * i;
        ASSERT_EQ(SaveFile(doc, path, messages), FileOutcome::Done) << messages.shown.front();
        EXPECT_EQ(ReadAll(path), matchfile::Store(doc));
    }
    // The file keeps its mode, a symbolic link stays one, and nothing else stays beside it.
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup));
    ASSERT_EQ(symlink(longest.c_str(), QFile::encodeName(PathOf("link.bin")).constData()), 0);
    doc.m_lPot = 1000;
    ASSERT_EQ(SaveFile(doc, PathOf("link.bin"), messages), FileOutcome::Done);
    struct stat info {};
    ASSERT_EQ(lstat(QFile::encodeName(PathOf("link.bin")).constData(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadAll(path), matchfile::Store(doc));
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{"link.bin", longest}));
}

TEST_F(MatchFileTest, AKillAtAnyMomentOfASaveLeavesOneWholeFileAndNothingBesideIt) {
    const QString path = PathOf("match.bin");
    CGlobuleDoc other = doc;
    other.m_strPlayerName[0] = std::string(20000, 'o'); // a write that takes a while
    const std::string a = matchfile::Store(doc);
    const std::string b = matchfile::Store(other);
    WriteAll(path, a);
    std::mt19937 random(19);
    int leftBeside = 0;
    for (int kill = 0; kill < 300; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                SaveFile(i % 2 == 0 ? other : doc, path, messages);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = ReadAll(path);
        ASSERT_TRUE(now == a || now == b) << "a kill left " << now.size() << " bytes";
        const std::vector<std::string> names = Listing(dir.path());
        // A kill between naming the new bytes and the rename leaves them hidden.
        const bool hidden = names.size() == 2 && names[0].front() == '.';
        std::string listed;
        for (const std::string& name : names) {
            listed += " " + name;
        }
        ASSERT_TRUE(names.back() == "match.bin" && (names.size() == 1 || hidden)) << listed;
        leftBeside += hidden ? 1 : 0;
    }
    // The next save clears what a kill left.
    ASSERT_EQ(SaveFile(doc, path, messages), FileOutcome::Done);
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"match.bin"});
    RecordProperty("hidden files left by a kill", leftBeside);
}

TEST_F(MatchFileTest, APathThatIsNotUtf8IsSavedAndOpenedUnderItsOwnBytes) {
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    const std::string latin1 = folder + "/caf\xE9.bin";
    // Qt cannot name the file, so the temporary folder could not remove it.
    struct RemovedAtEnd {
        std::string path;
        ~RemovedAtEnd() { unlink(path.c_str()); }
    } removed{latin1};
    ASSERT_EQ(SaveDocumentFile(doc, latin1, messages), FileOutcome::Done);
    EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"caf\xE9.bin"});
    EXPECT_EQ(doc.m_szFileName, latin1);
    EXPECT_EQ(doc.m_strPathName, latin1);
    CGlobuleDoc loaded;
    ASSERT_EQ(OpenDocumentFile(loaded, latin1, messages), FileOutcome::Done);
    EXPECT_EQ(loaded.m_szFileName, latin1);
    EXPECT_EQ(loaded.m_strPlayerName[0], "Alice");
    EXPECT_TRUE(messages.shown.empty());
    // A message shows the odd byte as the letter it most likely was.
    EXPECT_EQ(OpenDocumentFile(loaded, folder + "/gone\xE9.bin", messages), FileOutcome::Failed);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{folder + "/gone\xC3\xA9.bin was not found."});
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
