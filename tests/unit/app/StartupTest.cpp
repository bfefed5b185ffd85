#include "ShellRig.h"

#include "app/GlobuleApp.h"

#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

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

TEST_F(StartupTest, ArgumentsThatAreNoMatchEndTheProgramAtOnce) {
    CGlobuleApp help;
    EXPECT_EQ(help.InitInstance({"globule", "--help"}), 0);
    CGlobuleApp two;
    EXPECT_EQ(two.InitInstance({"globule", "a.bin", "b.bin"}), 2);
    CGlobuleApp unknown;
    EXPECT_EQ(unknown.InitInstance({"globule", "--fly"}), 2);
    EXPECT_EQ(unknown.MainFrame(), nullptr);
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
    EXPECT_EQ(app.InitInstance({"globule", empty}), std::nullopt);
    EXPECT_EQ(app.Document().m_strPlayerName[0], "");
    EXPECT_EQ(app.Document().m_nViewScreen, 0);
    EXPECT_EQ(app.Document().m_strPathName, empty.toStdString());
    EXPECT_EQ(app.RecentFiles().Entries(), QStringList{empty});
}

TEST_F(StartupTest, AFileThatCannotBeLoadedIsReportedAndEndsTheProgram) {
    // The box names the file as the file system does, also where the game's code page has no
    // letter for its name.
    for (const QString& name :
         {QStringLiteral("missing.bin"), QStringLiteral("\u043c\u0430\u0442\u0447 \u4e2d.bin")}) {
        SCOPED_TRACE(name.toStdString());
        const QString missing = settings.File(name);
        BoxCatcher catcher;
        CGlobuleApp app;
        EXPECT_EQ(app.InitInstance({"globule", missing}), 1);
        EXPECT_EQ(catcher.Text(), missing + QStringLiteral(" was not found."));
        EXPECT_EQ(catcher.Title(), QStringLiteral("Globule"));
        EXPECT_TRUE(app.RecentFiles().Entries().isEmpty());
    }
}

} // namespace
