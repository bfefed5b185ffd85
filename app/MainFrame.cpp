#include "app/MainFrame.h"

#include "app/CommandIds.h"
#include "app/PlayerOptions.h"
#include "app/QtShellDialogs.h"
#include "app/QtViewHost.h"
#include "app/RecentFileList.h"
#include "document/DocumentFile.h"
#include "document/GlobuleDoc.h"
#include "document/MatchTables.h"
#include "engine/GlobuleView.h"
#include "platform/FilePath.h"
#include "render/ViewPlacement.h"

#include <QCloseEvent>
#include <QEvent>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QWindow>
#include <algorithm>

namespace {

// Once the frame covers the screen's work area the window manager has maximised it, and the
// view gets its first repaint at once, in time for the window's first paint. Before that, the
// size counts as settled after a quiet spell; a window manager that never maximises gets the
// view at whatever size it gave the window after a while.
constexpr int kQuietMs = 100;
constexpr int kGiveUpMs = 2000;

QString MenuTextFor(int index, const std::string& path) {
    QString shown = CRecentFileList::DisplayName(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

} // namespace

CMainFrame::CMainFrame(CGlobuleDoc& document, CRecentFileList& recentFiles,
                       std::unique_ptr<IShellDialogs> dialogs)
    : m_document(document), m_recentFiles(recentFiles), m_dialogs(std::move(dialogs)) {
    m_host = new QtViewHost(this);
    m_host->SetPlacement(&ChooseViewPlacement);
    setCentralWidget(m_host);
    m_view = std::make_unique<CGlobuleView>(m_document, *m_host);
    m_host->SetEvents(m_view.get());
    m_host->setFocus();
    m_view->m_bShowCentre = playeroptions::ShowCentre() ? 1 : 0;
    // Where the system names no data folder, the hall is kept nowhere rather than at the root.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!dataFolder.isEmpty()) {
        m_hallPath = dataFolder + QStringLiteral("/hall-of-fame.txt");
    }
    m_view->SetScoredGameListener([this](const ScoredGame& game) { EnterInHall(game); });
    if (!m_dialogs) {
        m_dialogs = std::make_unique<QtShellDialogs>(this, *m_host);
    }

    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &CMainFrame::OnSizeSettled);

    BuildCommands();
    BuildMenus();
    BuildShortcuts();
    SetDocumentTitle();
}

CMainFrame::~CMainFrame() {
    // The host outlives this body (it is a child widget): let it deliver nothing more.
    m_host->SetEvents(nullptr);
}

// ---- Command table ------------------------------------------------------------------------

void CMainFrame::AddCommand(int id, std::function<bool()> enabled, std::function<void()> run) {
    m_commands[id] = Command{std::move(enabled), std::move(run)};
}

void CMainFrame::BuildCommands() {
    auto always = [] { return true; };
    auto never = [] { return false; };
    CGlobuleView& view = *m_view;

    AddCommand(command::kFileNew, always, [this] { OnFileNew(); });
    AddCommand(
        command::kFileOpen, [&view] { return view.OnUpdateFileOpen(); }, [this] { OnFileOpen(); });
    AddCommand(
        command::kFileSave, [&view] { return view.OnUpdateFileSave(); }, [this] { OnFileSave(); });
    AddCommand(
        command::kFileSaveAs, [&view] { return view.OnUpdateFileSaveAs(); },
        [this] { OnFileSaveAs(); });
    for (int i = 0; i < command::kRecentCount; ++i) {
        AddCommand(
            command::kRecentFirst + i,
            [this, i] { return i < static_cast<int>(m_recentFiles.Entries().size()); },
            [this, i] { OnRecentFile(i); });
    }
    AddCommand(command::kAppExit, always, [this] { close(); });
    AddCommand(command::kFullScreen, always,
               [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
    AddCommand(command::kAppAbout, always, [this] {
        m_dialogs->ShowAbout();
        m_host->RequestRepaint(); // the box covered the view
    });
    AddCommand(
        command::kChangeNames, [&view] { return view.OnUpdateChangeNames(); },
        [this, &view] {
            view.OnChangeNames(m_dialogs->NamesDialog());
            m_host->RequestRepaint(); // the dialog covered the view
        });
    AddCommand(command::kShowCentre, always, [this] { ToggleShowCentre(); });
    // A look at the hall never costs a game: the dialog's repaint would drop one in play.
    AddCommand(
        command::kHallOfFame, [&view] { return view.m_nScreen != match::kScreenPlay; },
        [this] { ShowHallOfFame(); });
    for (int k = 0; k < static_cast<int>(match::kSpeeds.size()); ++k) {
        AddCommand(
            match::kSpeeds[static_cast<std::size_t>(k)].commandId,
            [&view, k] { return view.OnUpdateSpeed(k); }, [&view, k] { view.SetSpeed(k); });
    }
    // Commands with shortcuts but nothing to act on: they swallow their keys.
    for (int id : {command::kEditCopy, command::kEditCut, command::kEditPaste, command::kEditUndo,
                   command::kNextPane, command::kPrevPane}) {
        AddCommand(id, never, [] {});
    }
}

bool CMainFrame::IsEnabled(int id) const {
    const auto it = m_commands.find(id);
    // Until the view's first repaint has laid it out, no command reaches the game.
    return it != m_commands.end() && m_view->m_bResolutionFixed != 0 && it->second.enabled();
}

bool CMainFrame::Execute(int id) {
    if (m_host->Holding()) {
        // As for a blocked thread: the command waits its turn, and its rule is asked then.
        m_host->Dispatch([this, id] { Execute(id); });
        return false;
    }
    if (!IsEnabled(id)) {
        return false;
    }
    m_host->Dispatch(m_commands.at(id).run);
    return true;
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::UpdateMenus() {
    for (const auto& [id, action] : m_actions) {
        action->setEnabled(IsEnabled(id));
    }
}

// ---- Menus and shortcuts ------------------------------------------------------------------

QAction* CMainFrame::AddMenuEntry(QMenu* menu, const QString& text, int id) {
    QAction* action = menu->addAction(text);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    m_actions[id] = action;
    return action;
}

void CMainFrame::BuildMenus() {
    // The shortcut texts after "\t" are only shown; the keys are separate shortcuts (below),
    // so that a stale grey in a closed menu can never block a key that is allowed now.
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    AddMenuEntry(m_fileMenu, QStringLiteral("&Open...\tCtrl+O"), command::kFileOpen);
    AddMenuEntry(m_fileMenu, QStringLiteral("&Save\tCtrl+S"), command::kFileSave);
    AddMenuEntry(m_fileMenu, QStringLiteral("Save &As..."), command::kFileSaveAs);
    m_fileMenu->addSeparator();
    m_exitSeparator = m_fileMenu->addSeparator();
    AddMenuEntry(m_fileMenu, QStringLiteral("E&xit\tCtrl+Q"), command::kAppExit);
    RebuildRecentEntries();
    connect(m_fileMenu, &QMenu::aboutToShow, this, [this] {
        RebuildRecentEntries();
        UpdateMenus();
    });

    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
    AddMenuEntry(options, QStringLiteral("Change Names"), command::kChangeNames);
    for (const match::SpeedRow& row : match::kSpeeds) {
        AddMenuEntry(options, QString::fromLatin1(row.menuText.data(), row.menuText.size()),
                     row.commandId);
    }
    options->addSeparator();
    QAction* showCentre =
        AddMenuEntry(options, QStringLiteral("Show Centre After Each Game"), command::kShowCentre);
    showCentre->setCheckable(true);
    showCentre->setChecked(m_view->m_bShowCentre != 0);
    // The mark follows the choice, not the click: a click held back changes nothing yet.
    connect(showCentre, &QAction::triggered, this,
            [this, showCentre] { showCentre->setChecked(m_view->m_bShowCentre != 0); });
    AddMenuEntry(options, QStringLiteral("Hall of Fame..."), command::kHallOfFame);
    connect(options, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddMenuEntry(help, QStringLiteral("&About Globule..."), command::kAppAbout);
    connect(help, &QMenu::aboutToShow, this, &CMainFrame::UpdateMenus);
    UpdateMenus();
}

void CMainFrame::RebuildRecentEntries() {
    for (QAction* action : m_recentActions) {
        m_actions.erase(action->data().toInt());
        m_fileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    const std::vector<std::string>& entries = m_recentFiles.Entries();
    if (entries.empty()) {
        // The greyed placeholder; its command is disabled while the list is empty.
        QAction* placeholder = new QAction(QStringLiteral("Recent File"), m_fileMenu);
        placeholder->setData(command::kRecentFirst);
        placeholder->setEnabled(false);
        m_fileMenu->insertAction(m_exitSeparator, placeholder);
        m_recentActions.push_back(placeholder);
        return;
    }
    for (int i = 0; i < static_cast<int>(entries.size()) && i < command::kRecentCount; ++i) {
        const int id = command::kRecentFirst + i;
        const std::string& path = entries[static_cast<std::size_t>(i)];
        QAction* action = new QAction(MenuTextFor(i, path), m_fileMenu);
        action->setData(id);
        action->setToolTip(QString::fromStdString(filepath::Shown(path)));
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        m_fileMenu->insertAction(m_exitSeparator, action);
        m_recentActions.push_back(action);
        m_actions[id] = action;
    }
}

void CMainFrame::BuildShortcuts() {
    struct Key {
        QKeySequence keys;
        int id;
    };
    const Key keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_O), command::kFileOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_S), command::kFileSave},
        {QKeySequence(Qt::CTRL | Qt::Key_N), command::kFileNew},
        {QKeySequence(Qt::CTRL | Qt::Key_C), command::kEditCopy},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), command::kEditCopy},
        {QKeySequence(Qt::CTRL | Qt::Key_X), command::kEditCut},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), command::kEditCut},
        {QKeySequence(Qt::CTRL | Qt::Key_V), command::kEditPaste},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), command::kEditPaste},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), command::kEditUndo},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), command::kEditUndo},
        {QKeySequence(Qt::Key_F6), command::kNextPane},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), command::kPrevPane},
        // Usually the window manager's; here for desktops that leave it to the program.
        {QKeySequence(Qt::ALT | Qt::Key_F4), command::kAppExit},
        {QKeySequence(Qt::Key_F11), command::kFullScreen},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), command::kAppExit},
    };
    for (const Key& key : keys) {
        auto* shortcut = new QShortcut(key.keys, this);
        shortcut->setObjectName(key.keys.toString(QKeySequence::PortableText));
        const int id = key.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { Execute(id); });
    }
}

// ---- File commands ------------------------------------------------------------------------

void CMainFrame::SetDocumentTitle() {
    // The engine's caption replaces this at its next refresh.
    const std::string& path = m_document.m_strPathName;
    setWindowTitle(QStringLiteral("Globule - ") +
                   (path.empty()
                        ? QStringLiteral("Untitled")
                        : QString::fromStdString(filepath::Shown(filepath::FileName(path)))));
}

bool CMainFrame::SaveModified() {
    if (m_document.m_bUnsavedResults == 0) {
        return true;
    }
    if (m_askingToSave) {
        return false; // a second way out while the first one asks: the first one decides
    }
    m_askingToSave = true;
    const IShellDialogs::SaveChoice choice = m_dialogs->AskToSaveResults();
    m_askingToSave = false;
    m_host->RequestRepaint(); // the box covered the view
    switch (choice) {
    case IShellDialogs::SaveChoice::Save:
        // A save cancelled in its dialog, or one that fails, keeps the match.
        return SaveMatch(SaveOccasion::BeforeDiscarding);
    case IShellDialogs::SaveChoice::Discard:
        return true;
    case IShellDialogs::SaveChoice::Cancel:
        break;
    }
    return false;
}

void CMainFrame::OnFileNew() {
    if (!SaveModified()) {
        return;
    }
    m_document.OnNewDocument();
    // The old match's results are saved or given up: the new match has none to lose.
    m_document.m_bUnsavedResults = 0;
    m_view->FollowDocumentSpeed();
    SetDocumentTitle();
    m_host->RequestRepaint();
}

FileOutcome CMainFrame::OpenFile(const std::string& path) {
    const FileOutcome outcome = OpenDocumentFile(m_document, path, m_dialogs->Messages());
    if (outcome == FileOutcome::Done) {
        m_view->FollowDocumentSpeed();
        m_recentFiles.Add(m_document.m_strPathName);
        SetDocumentTitle();
        m_host->RequestRepaint();
    }
    return outcome;
}

bool CMainFrame::OpenStartupFile(const std::string& path) {
    // The view gets its first repaint only once the window is shown and settled.
    return OpenFile(path) == FileOutcome::Done;
}

FileOutcome CMainFrame::ReplaceByFile(const std::string& path) {
    // A screen that refuses the load replaces nothing, so there is nothing to ask then.
    if (m_document.LoadAllowed() && !SaveModified()) {
        return FileOutcome::Refused;
    }
    const FileOutcome outcome = OpenFile(path);
    if (outcome == FileOutcome::Done) {
        m_document.m_bUnsavedResults = 0; // saved or given up when asked
    }
    return outcome;
}

void CMainFrame::OnFileOpen() {
    const std::string path = m_dialogs->ChooseOpenPath();
    m_host->RequestRepaint(); // the dialog covered the view
    if (!path.empty()) {
        ReplaceByFile(path);
    }
}

void CMainFrame::OnRecentFile(int index) {
    const std::vector<std::string>& entries = m_recentFiles.Entries();
    if (index < 0 || index >= static_cast<int>(entries.size())) {
        return;
    }
    const std::string path = entries[static_cast<std::size_t>(index)];
    if (ReplaceByFile(path) == FileOutcome::Failed) {
        // A file that cannot be read any more leaves the list; a refusal leaves it alone.
        const auto& now = m_recentFiles.Entries();
        const auto it = std::find(now.begin(), now.end(), path);
        if (it != now.end()) {
            m_recentFiles.Remove(static_cast<int>(it - now.begin()));
        }
    }
}

bool CMainFrame::SaveTo(const std::string& path, SaveOccasion occasion) {
    if (SaveDocumentFile(m_document, path, m_dialogs->Messages(), occasion) != FileOutcome::Done) {
        return false;
    }
    // The Score screen's poll notices the saved state and redraws by itself.
    m_recentFiles.Add(m_document.m_strPathName);
    SetDocumentTitle();
    return true;
}

bool CMainFrame::SaveAs(SaveOccasion occasion) {
    const std::string path = m_document.m_strPathName;
    const std::string chosen = m_dialogs->ChooseSavePath(path.empty() ? "Untitled" : path);
    m_host->RequestRepaint(); // the dialog covered the view
    return !chosen.empty() && SaveTo(chosen, occasion);
}

bool CMainFrame::SaveMatch(SaveOccasion occasion) {
    const std::string path = m_document.m_strPathName;
    // A match without a file, or whose file has gone or become read-only, needs a new name.
    return CanSaveTo(path) ? SaveTo(path, occasion) : SaveAs(occasion);
}

void CMainFrame::OnFileSave() {
    SaveMatch(SaveOccasion::Command);
}

void CMainFrame::OnFileSaveAs() {
    SaveAs(SaveOccasion::Command);
}

// ---- Window -------------------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_host->Holding()) {
        // A held program closes once the hold is over, as a blocked thread would.
        event->ignore();
        m_host->Dispatch([this] { close(); });
        return;
    }
    // Every way out ends here (Exit, the close button, Alt+F4, the desktop's log-out), so this
    // is where unsaved results are asked about.
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    m_recentFiles.Save();
    event->accept();
}

void CMainFrame::ShowMaximizedForGame() {
    if (const QScreen* current = screen()) {
        // The size the window takes when the player unmaximises it: the game shows at any
        // size, so a good part of the screen rather than the toolkit's tiny default.
        const QRect area = current->availableGeometry();
        resize(area.size() * 3 / 4);
        move(area.center() - rect().center());
    }
    m_sinceShow.start();
    showMaximized();
    m_sizeAtShow = size();
    WatchSize();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Once the view is laid out, a new size only shows its picture anew (QtViewHost).
    WatchSize();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) {
        return;
    }
    if (!m_repaintsEnabled) {
        WatchSize();
    } else if (!isMinimized() &&
               (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized)) {
        m_host->RequestRepaint(); // restored: the view is uncovered
    }
}

bool CMainFrame::FillsAvailableArea() const {
    const QScreen* current = screen();
    if (current == nullptr || (!isMaximized() && !m_placedItself)) {
        return false;
    }
    const QSize frame = frameGeometry().size();
    const QSize area = current->availableGeometry().size();
    return frame.width() >= area.width() && frame.height() >= area.height();
}

bool CMainFrame::ShownMaximisedAcross() const {
    // A Wayland compositor keeps its panels out of the area a client is told about, so a
    // maximised window there is shorter than the screen: it counts once the compositor has
    // shown it, across the whole width, and left its size alone for a while.
    const QScreen* current = screen();
    return current != nullptr && isMaximized() && windowHandle() != nullptr &&
           windowHandle()->isExposed() &&
           frameGeometry().width() >= current->availableGeometry().width();
}

void CMainFrame::WatchSize() {
    if (m_repaintsEnabled || !m_sinceShow.isValid()) {
        return;
    }
    if (FillsAvailableArea()) {
        EnableViewRepaints();
    } else {
        m_settle.start(kQuietMs); // restarted by every resize: it fires after a quiet spell
    }
}

void CMainFrame::OnSizeSettled() {
    if (m_repaintsEnabled) {
        return;
    }
    if (FillsAvailableArea() || ShownMaximisedAcross()) {
        EnableViewRepaints();
        return;
    }
    if (m_sinceShow.elapsed() < kGiveUpMs) {
        m_settle.start(kQuietMs);
        return;
    }
    if (!m_placedItself && size() == m_sizeAtShow && screen() != nullptr) {
        // Nothing has touched the window (there may be no window manager at all): it takes
        // the screen's work area itself, and the view waits for that size.
        m_placedItself = true;
        setGeometry(screen()->availableGeometry());
        m_sinceShow.start();
        m_settle.start(kQuietMs);
        return;
    }
    EnableViewRepaints();
}

void CMainFrame::EnableViewRepaints() {
    m_settle.stop();
    m_repaintsEnabled = true;
    m_host->EnableRepaints();
}
