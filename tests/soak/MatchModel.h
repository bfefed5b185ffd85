#pragma once

#include "MatchFileBytes.h"
#include "Picture.h"
#include "SoakEvents.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// The first disagreement between the program and the model, or a broken rule.
class SoakFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A model of the match, written from the game's rules: the six players, the pot, the speed,
// the sort row and the file state; the screens and their timers; and as much of the window as
// decides when an input reaches the view (the hold of a waited sound, repaints owed, the
// window's size). It is given each step the soak gave the program, with the windows and sounds
// that came up meanwhile, and says what the program must show afterwards.
//
// Where the game deliberately does better than the letter of the rules, the model follows the
// game and says so at the spot: unsaved results are asked about before they are lost, a failed
// load keeps the match, a failed save keeps the file state, a click on a name leaves one active
// flag, input before the first paint is ignored, Space before the first tick is ignored, the
// jackpot follows its winner through the re-sort, a refused size stops the timers, averages are
// brought up to date before the table is sorted and do not overflow.
//
// MatchModel.cpp replays the steps and holds the window side; MatchModelView.cpp is the view
// and MatchModelCommands.cpp the menu commands and files; MatchRules.h has the rules' tables.
class MatchModel {
public:
    struct Column {
        std::string name;
        std::int32_t lastGame = 0, allGames = 0, numGames = 0, average = 0, bestGame = 0,
                     active = 0;
        int identity = 0; // which player this is, through every sort
    };
    struct Entry {
        enum class Type { Missing, File, Folder };
        Type type = Type::Missing;
        std::string bytes;
    };
    struct Counts {
        long games = 0, stops = 0, jackpots = 0, forced = 0, timeOuts = 0, aborts = 0, dropped = 0,
             loads = 0, failedLoads = 0, saves = 0, failedSaves = 0, refusals = 0, holds = 0,
             heldEvents = 0, boxes = 0, renames = 0, sessions = 0, questions = 0,
             savesWhenAsked = 0, keptOnExit = 0;
        int bestNaturalScore = 0;
    };
    struct Saved {
        QString path;
        soakfile::FileRecord record;
    };

    MatchModel();

    void SetHelpTexts(std::string scoreHelp, std::string playHelp);
    // What the file system holds, as the soak made it (paths not named are missing).
    void SetEntry(const QString& path, Entry entry) { m_files[path] = std::move(entry); }
    const std::map<QString, Entry>& Files() const { return m_files; }

    // Replays one step; throws SoakFailure where the program's windows or sounds were not the
    // ones the rules call for.
    void Apply(const Step& step, const std::vector<Modal>& modals);
    Picture Expected() const;
    // The files saved by the last step, with the record each was saved from.
    const std::vector<Saved>& SavedByLastStep() const { return m_saved; }

    // For the soak's choices.
    int Screen() const { return m_screen; }
    int CrossStep() const { return m_crossStep; }
    bool LaidOut() const { return m_fixed; }
    bool Refused() const { return m_bad; }
    bool StartFailed() const { return m_startFailed; }
    int Timer(int id) const { return id == 1 ? m_timer1 : id == 2 ? m_timer2 : 0; }
    QSize Client() const { return m_client; }
    bool WouldStop() const;
    const QStringList& Recent() const { return m_recent; }
    const std::string& FileName() const { return m_fileName; }
    const Counts& Tally() const { return m_counts; }
    int GamesStarted() const { return m_gameSerial; }

    // The width rules of the display modes: whether a first paint at this size plays.
    static bool ModeAccepts(int width, int height);
    // What a new-name box holds after `typed` was typed into it, in the game's code page.
    static std::string TypedName(const QString& typed);

private:
    // What the window delivers to the view, once it is delivered.
    struct ViewEvent {
        enum class Type { Key, Click, Tick, Draw, Command };
        Type type = Type::Key;
        int code = 0; // virtual key, timer id or command id
        int x = 0, y = 0;
    };
    enum class Outcome { Done, Refused, Failed };

    [[noreturn]] void Fail(const std::string& what) const;
    const Modal& NextModal(Modal::Kind kind, const std::string& what);
    void ApplyStep(const Step& step);
    void Start(const Step& step);

    // The window side.
    void Dispatch(const ViewEvent& event);
    void Run(const ViewEvent& event);
    void Handle(const ViewEvent& event);
    void RequestRepaint();
    void DeliverRepaint();
    void Execute(int id, const bool* ran);
    bool Enabled(int id) const;
    void Box(const std::string& text);
    const Modal& Sound(unsigned id, bool wait);

    // The view.
    void OnDraw();
    void OnKey(int virtualKey);
    void OnClick(int x, int y);
    void OnTick(int id);
    void PlayTick();
    void EnterScoreScreen();
    void DrawScoreScreen();
    void StartGame();
    void StopGame();
    void Sort(int row);
    bool OutOfOrder(int row, int i, int j) const;
    void RefreshCaption();

    // The commands.
    void RunCommand(int id);
    void NewMatch();
    // Asks about unsaved results: true when the match may go.
    bool SaveModified();
    Outcome ReplaceByFile(const QString& path);
    Outcome OpenFile(const QString& path);
    // Save and Save As; `anyScreen` for the save chosen before results are lost.
    bool SaveMatch(bool anyScreen);
    bool SaveAs(bool anyScreen);
    bool SaveTo(const QString& path, bool anyScreen);
    void Load(const soakfile::FileRecord& record);
    soakfile::FileRecord Record() const;
    void AddRecent(const QString& path);
    void SetFrameTitle();
    const Entry& EntryAt(const QString& path) const;

    // The match record.
    std::array<Column, 6> m_col{};
    std::int32_t m_pot = 0, m_sortRow = 0, m_speedIndex = 2, m_interval = 2990;
    std::string m_label, m_fileName, m_pathName;
    int m_nothingLoaded = 1, m_unsaved = 0;
    int m_nextIdentity = 0;

    // The view.
    int m_screen = 0, m_page = 0, m_activePlayer = 0, m_viewSpeed = 2, m_crossStep = 0;
    bool m_showJackpot = false, m_fixed = false, m_bad = false;
    int m_seenNothingLoaded = 0, m_seenUnsaved = 0;
    int m_timer1 = 0, m_timer2 = 0;
    QSize m_client;
    std::string m_scoreHelp, m_playHelp;
    int m_gameSerial = 0;

    // The window.
    bool m_repaintPending = false, m_holding = false, m_laidOut = false;
    // A request for a repaint waits in the queue; one that found the view held or its repaints
    // held is gone, and the repaint it owes comes when the hold ends or repaints resume.
    bool m_repaintQueued = false;
    int m_depth = 0;
    std::deque<ViewEvent> m_heldBack;
    std::string m_title;
    bool m_titleIsTail = false;
    QStringList m_recent;
    std::map<QString, Entry> m_files;
    bool m_startFailed = false;

    // The step being replayed.
    const std::vector<Modal>* m_modals = nullptr;
    std::size_t m_nextModal = 0;
    std::vector<Saved> m_saved;
    Counts m_counts;
};
