#include "ShellRig.h"

#include "app/GlobuleApp.h"

#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

using shelltest::TempSettings;

// The identity the program gives itself is process-wide; put it back after each test.
class StartupTest : public ::testing::Test {
protected:
    void TearDown() override {
        QCoreApplication::setOrganizationName(QString());
        QCoreApplication::setApplicationName(QString());
    }
    TempSettings settings;
};

// Closes the first modal box that appears and keeps its text.
class BoxCatcher {
public:
    BoxCatcher() {
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_text = box->text();
                m_title = box->windowTitle();
                box->accept();
                m_poll.stop();
            }
        });
        m_poll.start(0);
    }
    QString Text() const { return m_text; }
    QString Title() const { return m_title; }

private:
    QTimer m_poll;
    QString m_text;
    QString m_title;
};

// What the command line comes to before any window: the status, the file, what stderr said.
struct Answer {
    std::optional<int> status;
    std::string file;
    std::string said;
};
Answer Read(const std::vector<std::string>& arguments) {
    testing::internal::CaptureStderr();
    const CGlobuleApp::CommandLine line = CGlobuleApp::ReadCommandLine(arguments);
    return {line.status, line.file, testing::internal::GetCapturedStderr()};
}

TEST_F(StartupTest, EveryWrongCommandLineIsAnsweredBeforeAnyWindowWithStatusTwo) {
    EXPECT_EQ(Read({"globule", "--help"}).status, 0);
    EXPECT_EQ(Read({"globule", "-v"}).status, 0);
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"globule", "a.bin", "b.bin"},
          {"globule", "--fly"},
          {"globule", "-bogus"},
          {"globule", "-platform"},
          {"globule", ""},
          {"globule", "--reverse=yes", "a.bin"}}) {
        SCOPED_TRACE(wrong.back());
        const Answer answer = Read(wrong);
        EXPECT_EQ(answer.status, 2);
        EXPECT_NE(answer.said.find("globule: "), std::string::npos) << answer.said;
    }
    EXPECT_NE(Read({"globule", "-bogus"}).said.find("bogus"), std::string::npos);
    // An empty name says so, instead of " was not found." with nothing before it.
    EXPECT_NE(Read({"globule", ""}).said.find("name of the match file is empty"),
              std::string::npos);

    CGlobuleApp unknown;
    EXPECT_EQ(unknown.InitInstance({"globule", "--fly"}), 2);
    EXPECT_EQ(unknown.MainFrame(), nullptr);
}

TEST_F(StartupTest, QtsOwnOptionsAreLeftToQtAndTheFileKeepsItsBytes) {
    const Answer withQt = Read({"globule",
                                "-platform",
                                "xcb",
                                "-display",
                                ":7",
                                "-geometry",
                                "800x600+0+0",
                                "-qwindowgeometry",
                                "640x480",
                                "-style=fusion",
                                "-style",
                                "fusion",
                                "-stylesheet",
                                "a.qss",
                                "-reverse",
                                "-session",
                                "s_1",
                                "-name",
                                "g",
                                "-title",
                                "T",
                                "-qwindowtitle",
                                "T",
                                "-widgetcount",
                                "--platformtheme",
                                "gtk3",
                                "match.bin"});
    EXPECT_EQ(withQt.status, std::nullopt) << withQt.said;
    EXPECT_EQ(withQt.file, "match.bin");
    // A name from an old disk, not UTF-8, comes through as the bytes it was given.
    EXPECT_EQ(Read({"globule", "caf\xE9 \xFF.bin"}).file, "caf\xE9 \xFF.bin");
    EXPECT_EQ(Read({"globule", "--", "-named-like-an-option"}).file, "-named-like-an-option");
    EXPECT_EQ(Read({"globule"}).file, "");
}

TEST_F(StartupTest, WithoutAFileANewMatchStartsAndTheWindowIsShownMaximised) {
    CGlobuleApp app;
    EXPECT_EQ(app.InitInstance({"globule"}), std::nullopt);
    EXPECT_EQ(QCoreApplication::organizationName(),
              QStringLiteral("Local AppWizard-Generated Applications"));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Globule"));
    EXPECT_EQ(app.Document().m_strPlayerName[0], "Alice");
    ASSERT_NE(app.MainFrame(), nullptr);
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_TRUE(app.MainFrame()->isMaximized());
    EXPECT_EQ(app.MainFrame()->centralWidget(), &app.MainFrame()->Host());
    // An ordinary window: a window manager that honours the functions a window asks for
    // (xfwm4) maximises, resizes and minimises only a window that offers them.
    const Qt::WindowFlags flags = app.MainFrame()->windowFlags();
    EXPECT_FALSE(flags & Qt::CustomizeWindowHint);
    EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
}

TEST_F(StartupTest, AFileOnTheCommandLineIsLoadedWithoutAReset) {
    // An empty file reads nothing, so what is left is the record as constructed: a reset
    // would have named the players.
    const QString empty = settings.File("empty.bin");
    QFile file(empty);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    CGlobuleApp app;
    EXPECT_EQ(app.InitInstance({"globule", empty.toStdString()}), std::nullopt);
    EXPECT_EQ(app.Document().m_strPlayerName[0], "");
    EXPECT_EQ(app.Document().m_nViewScreen, 0);
    EXPECT_EQ(app.Document().m_strPathName, empty.toStdString());
    EXPECT_EQ(app.RecentFiles().Entries(), std::vector<std::string>{empty.toStdString()});
}

TEST_F(StartupTest, AFileThatCannotBeLoadedIsReportedAndEndsTheProgram) {
    // The box names the file as the file system does, also where the game's code page has no
    // letter for its name, and readably where the name is not UTF-8 at all.
    const std::string folder = QFile::encodeName(settings.Path()).toStdString();
    const std::pair<std::string, QString> names[] = {
        {"missing.bin", QStringLiteral("missing.bin")},
        {"\xD0\xBC\xD0\xB0\xD1\x82\xD1\x87 \xE4\xB8\xAD.bin",
         QStringLiteral("\u043c\u0430\u0442\u0447 \u4e2d.bin")},
        {"caf\xE9.bin", QStringLiteral("caf\u00e9.bin")},
    };
    for (const auto& [name, shown] : names) {
        SCOPED_TRACE(shown.toStdString());
        BoxCatcher catcher;
        CGlobuleApp app;
        EXPECT_EQ(app.InitInstance({"globule", folder + "/" + name}), 1);
        EXPECT_EQ(catcher.Text(), settings.File(shown) + QStringLiteral(" was not found."));
        EXPECT_EQ(catcher.Title(), QStringLiteral("Globule"));
        EXPECT_TRUE(app.RecentFiles().Entries().empty());
    }
}

TEST_F(StartupTest, AFileWhoseNameIsNotUtf8OpensFromTheCommandLine) {
    const std::string latin1 = QFile::encodeName(settings.Path()).toStdString() + "/caf\xE9.bin";
    const shelltest::RemovedAtEnd removed{latin1};
    {
        std::ofstream empty(latin1, std::ios::binary); // reads nothing, and opens
    }
    BoxCatcher catcher; // a box would be a fault; it must not hang the test
    CGlobuleApp app;
    ASSERT_EQ(app.InitInstance({"globule", latin1}), std::nullopt);
    EXPECT_EQ(app.Document().m_strPathName, latin1);
    EXPECT_EQ(app.RecentFiles().Entries(), std::vector<std::string>{latin1});
    EXPECT_EQ(app.MainFrame()->windowTitle(), QString::fromUtf8("Globule - caf\u00e9.bin"));
    EXPECT_EQ(catcher.Text(), QString());
}

} // namespace
