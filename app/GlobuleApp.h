#pragma once

#include "document/GlobuleDoc.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CMainFrame;
class CRecentFileList;

// The application: the settings identity, the recent-file list, the one match and its window.
class CGlobuleApp {
public:
    static constexpr const char* kRegistryKey = "Local AppWizard-Generated Applications";
    static constexpr const char* kAppName = "Globule";

    // What the command line asks for: the status to end with at once, or the match file to
    // open (the file system's bytes; empty for a new match).
    struct CommandLine {
        std::optional<int> status;
        std::string file;
    };

    CGlobuleApp();
    ~CGlobuleApp();

    // Reads the command line (the program name first, each argument as the bytes it came as).
    // Help and version are printed, and every error is reported with status 2, all without a
    // display: main asks before it opens the window system. Qt's own options for the window
    // system are left for QApplication to take.
    static CommandLine ReadCommandLine(const std::vector<std::string>& arguments);

    // Starts the program from its arguments. Returns the exit status when the program should
    // end at once (help asked for, a bad argument, a file on the command line that cannot be
    // loaded), or nothing to go on into the event loop.
    std::optional<int> InitInstance(const std::vector<std::string>& arguments);

    CMainFrame* MainFrame() const { return m_frame.get(); }
    CGlobuleDoc& Document() { return m_document; }
    CRecentFileList& RecentFiles() { return *m_recentFiles; }

private:
    std::unique_ptr<CRecentFileList> m_recentFiles;
    CGlobuleDoc m_document;
    std::unique_ptr<CMainFrame> m_frame;
};
