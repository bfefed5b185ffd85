#pragma once

#include "app/MainFrame.h"
#include "app/QtChangeNamesDlg.h"
#include "app/QtViewHost.h"
#include "app/RecentFileList.h"
#include "app/ShellDialogs.h"
#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

// Readable failure messages for strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace shelltest {

// A path's bytes as the file system has them.
inline std::string Bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Removes a file at the end of the scope: Qt cannot name, and so cannot remove, a file whose
// name is not UTF-8, which would keep its temporary folder.
struct RemovedAtEnd {
    std::string path;
    ~RemovedAtEnd() { ::unlink(path.c_str()); }
};

constexpr const char* kOrganization = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "Globule";

// Points the per-user settings and data folder (the hall of fame's) at a temporary folder for
// the life of the object, so no test reads or writes the real configuration. Nested scopes
// give the outer folder back; the last one leaves them in a scratch folder, never the user's.
class TempSettings {
public:
    TempSettings() {
        Stack().push_back(m_dir.path());
        PointAt(m_dir.path());
    }
    ~TempSettings() {
        Stack().pop_back();
        PointAt(Stack().empty() ? QDir::tempPath() + QStringLiteral("/globule-test-settings")
                                : Stack().back());
    }
    TempSettings(const TempSettings&) = delete;
    TempSettings& operator=(const TempSettings&) = delete;
    QString Path() const { return m_dir.path(); }
    QString File(const QString& name) const { return m_dir.filePath(name); }

private:
    static void PointAt(const QString& folder) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder + QStringLiteral("/data")));
    }
    static std::vector<QString>& Stack() {
        static std::vector<QString> paths;
        return paths;
    }
    QTemporaryDir m_dir;
};

// Stand-ins for the modal windows: they answer at once with what the test set up.
class FakeDialogs : public IShellDialogs, public IMessageBox {
public:
    std::string ChooseOpenPath() override {
        ++openAsked;
        return openAnswer.toStdString();
    }
    std::string ChooseSavePath(const std::string& proposed) override {
        ++saveAsked;
        lastProposed = QString::fromStdString(proposed);
        return saveAnswer.toStdString();
    }
    SaveChoice AskToSaveResults() override {
        ++saveQuestions;
        return saveChoice;
    }
    CChangeNamesDlg& NamesDialog() override { return names; }
    void ShowAbout() override { ++aboutShown; }
    void ShowHallOfFame(const std::vector<hall::Entry>& entries, const QString& note) override {
        ++hallShown;
        hallEntries = entries;
        hallNote = note;
    }
    IMessageBox& Messages() override { return *this; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    QString openAnswer;
    QString saveAnswer;
    QString lastProposed;
    SaveChoice saveChoice = SaveChoice::Cancel;
    int openAsked = 0;
    int saveAsked = 0;
    int saveQuestions = 0;
    int aboutShown = 0;
    int hallShown = 0;
    std::vector<hall::Entry> hallEntries;
    QString hallNote;
    std::vector<std::string> messages;
    QtChangeNamesDlg names;
};

inline void Pump() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}

// A key press as the window system delivers it to the window: shortcuts first.
inline void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window->windowHandle(), static_cast<Qt::Key>(key), modifiers);
    Pump();
}

// A main window at a size the game accepts, laid out by its first repaint and showing the
// Home screen, with fake dialogs and settings in a temporary folder.
struct ShellRig {
    ShellRig() {
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        doc.OnNewDocument();
        frame = std::make_unique<CMainFrame>(doc, recent, std::move(fake));
        frame->resize(1024, 768);
        frame->show();
        frame->activateWindow();
        QApplication::setActiveWindow(frame.get());
        Pump();
        frame->Host().EnableRepaints();
        Pump();
    }
    ~ShellRig() { frame.reset(); }

    CGlobuleView& View() { return frame->View(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        PressKey(frame.get(), key, modifiers);
    }
    QMenu* Menu(int index) { return frame->menuBar()->actions().at(index)->menu(); }
    // Opens a menu's greying the way the menu bar does before it drops the menu down.
    void ShowMenu(int index) {
        emit Menu(index)->aboutToShow();
        Pump();
    }

    TempSettings settings;
    CRecentFileList recent{QString::fromLatin1(kOrganization), QString::fromLatin1(kApplication)};
    CGlobuleDoc doc;
    FakeDialogs* dialogs = nullptr;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace shelltest
