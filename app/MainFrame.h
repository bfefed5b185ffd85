#pragma once

#include "app/ShellDialogs.h"
#include "document/DocumentFile.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CGlobuleDoc;
class CGlobuleView;
struct ScoredGame;
class CRecentFileList;
class QAction;
class QMenu;
class QtViewHost;

// The main window: an ordinary top-level window with the menu bar and the game view, shown
// maximised. Every menu entry and shortcut is a command id; the table built in the constructor
// says, for each id, when it is enabled and what it does, and Execute is the one way a command
// is carried out.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Without `dialogs` the window opens the real file dialogs, names dialog and About box.
    CMainFrame(CGlobuleDoc& document, CRecentFileList& recentFiles,
               std::unique_ptr<IShellDialogs> dialogs = nullptr);
    ~CMainFrame() override;

    CGlobuleView& View() { return *m_view; }
    QtViewHost& Host() { return *m_host; }
    IShellDialogs& Dialogs() { return *m_dialogs; }

    // Carries out command `id` if its rule allows it now; returns whether it ran.
    bool Execute(int id);
    bool IsEnabled(int id) const;
    // The menu entry of command `id`, or null when it has none (shortcut-only or not shown).
    QAction* Action(int id) const;
    // Greys the menu entries whose command is disabled now; each menu does this as it opens.
    void UpdateMenus();

    // Loads `path` (the file system's bytes) into the match. On success the speed follows the
    // file, the file goes to the top of the recent list and the view is redrawn. Messages have
    // been shown otherwise.
    FileOutcome OpenFile(const std::string& path);
    // The start-up load of a file named on the command line: the same, before the window is
    // shown; the caller ends the program when it fails.
    bool OpenStartupFile(const std::string& path);

    // Shows the window maximised; the view gets its first repaint once the window manager has
    // given the window its final size, since the view fixes its layout at that repaint.
    void ShowMaximizedForGame();

    // Where the hall of fame is kept: the user's data folder; empty when the system names none.
    const QString& HallOfFamePath() const { return m_hallPath; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Command {
        std::function<bool()> enabled;
        std::function<void()> run;
    };

    void AddCommand(int id, std::function<bool()> enabled, std::function<void()> run);
    void BuildCommands();
    void BuildMenus();
    void BuildShortcuts();
    QAction* AddMenuEntry(QMenu* menu, const QString& text, int id);
    void RebuildRecentEntries();

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnRecentFile(int index);
    // Before unsaved results would be lost, asks whether to save them; true when the match may
    // go (saved, discarded, or nothing to lose), false when it stays as it was.
    bool SaveModified();
    // Opens `path` in place of the match, once the player has said what becomes of its results.
    FileOutcome ReplaceByFile(const std::string& path);
    // Save: to the match's own file, or to one asked for when it has none it can write.
    bool SaveMatch(SaveOccasion occasion);
    bool SaveAs(SaveOccasion occasion);
    bool SaveTo(const std::string& path, SaveOccasion occasion);
    void SetDocumentTitle();

    // The player's own records (PlayerRecords.cpp).
    void ToggleShowCentre();
    void ShowHallOfFame();
    void EnterInHall(const ScoredGame& game);

    void WatchSize();
    void OnSizeSettled();
    void EnableViewRepaints();
    bool FillsAvailableArea() const;
    bool ShownMaximisedAcross() const;

    CGlobuleDoc& m_document;
    CRecentFileList& m_recentFiles;
    std::unique_ptr<IShellDialogs> m_dialogs;
    QtViewHost* m_host = nullptr;
    std::unique_ptr<CGlobuleView> m_view;

    std::map<int, Command> m_commands;
    std::map<int, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QAction* m_exitSeparator = nullptr;
    std::vector<QAction*> m_recentActions;
    bool m_askingToSave = false; // the question about unsaved results is up
    QString m_hallPath;
    QString m_hallNote; // what befell the hall's file this session, for its dialog

    QTimer m_settle;
    QElapsedTimer m_sinceShow;
    bool m_repaintsEnabled = false;
    QSize m_sizeAtShow;
    bool m_placedItself = false; // nothing maximised the window, so it took the work area
};
