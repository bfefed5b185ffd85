#pragma once

#include "document/GlobuleDoc.h"

#include <QStringList>
#include <memory>
#include <optional>

class CMainFrame;
class CRecentFileList;

// The application: the settings identity, the recent-file list, the one match and its window.
class CGlobuleApp {
public:
    static constexpr const char* kRegistryKey = "Local AppWizard-Generated Applications";
    static constexpr const char* kAppName = "Globule";

    CGlobuleApp();
    ~CGlobuleApp();

    // Starts the program from its arguments (the program name first). Returns the exit
    // status when the program should end at once (help asked for, a bad argument, a file on
    // the command line that cannot be loaded), or nothing to go on into the event loop.
    std::optional<int> InitInstance(const QStringList& arguments);
    // Help and version need no display: main answers them before it opens the window system.
    // Returns the exit status when they were asked for.
    static std::optional<int> AnswerOnTheTerminal(const QStringList& arguments);

    CMainFrame* MainFrame() const { return m_frame.get(); }
    CGlobuleDoc& Document() { return m_document; }
    CRecentFileList& RecentFiles() { return *m_recentFiles; }

private:
    std::unique_ptr<CRecentFileList> m_recentFiles;
    CGlobuleDoc m_document;
    std::unique_ptr<CMainFrame> m_frame;
};
