#include "MatchModel.h"

#include "MatchRules.h"

#include <QFileInfo>

using namespace rules;

namespace {

std::string KindText(Modal::Kind kind) {
    return KindName(kind);
}

} // namespace

MatchModel::MatchModel() = default;

void MatchModel::SetHelpTexts(std::string scoreHelp, std::string playHelp) {
    m_scoreHelp = std::move(scoreHelp);
    m_playHelp = std::move(playHelp);
}

bool MatchModel::ModeAccepts(int width, int height) {
    if (width < 801) {
        return false;
    }
    struct Row {
        int widthBelow, heightAbove;
    };
    constexpr Row kRows[] = {{1025, 700}, {1153, 800},  {1281, 960}, {1281, 880},
                             {1281, 700}, {1601, 1120}, {1601, 830}};
    for (const Row& row : kRows) {
        if (width < row.widthBelow && height > row.heightAbove) {
            return true;
        }
    }
    return false;
}

std::string MatchModel::TypedName(const QString& typed) {
    // A new-name box takes at most ten characters, and only those the code page has.
    std::string name;
    for (const QChar c : typed) {
        char byte = 0;
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
            byte = static_cast<char>(c.unicode());
        } else if (c.unicode() == 0x00E9) {
            byte = static_cast<char>(0xE9);
        } else if (c.unicode() == 0x20AC) {
            byte = static_cast<char>(0x80);
        } else {
            continue;
        }
        if (name.size() < 10) {
            name.push_back(byte);
        }
    }
    return name;
}

void MatchModel::Fail(const std::string& what) const {
    throw SoakFailure(what);
}

const Modal& MatchModel::NextModal(Modal::Kind kind, const std::string& what) {
    if (m_nextModal >= m_modals->size()) {
        Fail("the rules call for " + what + ", but the program showed no " + KindText(kind));
    }
    const Modal& modal = (*m_modals)[m_nextModal++];
    if (modal.kind != kind) {
        Fail("the rules call for " + what + ", but the program showed a " + KindText(modal.kind) +
             (modal.kind == Modal::Kind::Box ? " \"" + modal.text.substr(0, 60) + "\"" : "") +
             (modal.kind == Modal::Kind::Sound ? " " + std::to_string(modal.sound) : ""));
    }
    return modal;
}

// ---- Steps ------------------------------------------------------------------------------------

void MatchModel::Apply(const Step& step, const std::vector<Modal>& modals) {
    m_modals = &modals;
    m_nextModal = 0;
    m_saved.clear();
    if (step.kind == Step::Kind::Start) {
        Start(step);
    } else {
        ApplyStep(step);
    }
    if (m_nextModal < modals.size()) {
        const Modal& extra = modals[m_nextModal];
        Fail(std::string("the program showed a ") + KindText(extra.kind) +
             (extra.kind == Modal::Kind::Box ? " \"" + extra.text.substr(0, 60) + "\"" : "") +
             (extra.kind == Modal::Kind::Sound ? " " + std::to_string(extra.sound) : "") +
             " that the rules do not call for");
    }
    if (m_depth != 0 || m_holding) {
        Fail("model: the step left a handler running");
    }
}

void MatchModel::Start(const Step& step) {
    // A new main window over a new match record; the recent files and the disk stay.
    const QStringList recent = m_recent;
    auto files = std::move(m_files);
    const std::string scoreHelp = m_scoreHelp, playHelp = m_playHelp;
    Counts counts = m_counts;
    const int serial = m_gameSerial;
    const std::vector<Modal>* modals = m_modals;
    *this = MatchModel();
    m_modals = modals;
    m_recent = recent;
    m_files = std::move(files);
    m_scoreHelp = scoreHelp;
    m_playHelp = playHelp;
    m_counts = counts;
    m_gameSerial = serial;
    ++m_counts.sessions;

    // The record as constructed: empty names, no statistics, player 0 active.
    for (Column& c : m_col) {
        c = Column{};
        c.identity = m_nextIdentity++;
    }
    m_col[0].active = 1;
    m_label = kSpeeds[2].label;
    m_fileName = kNoFile;
    m_client = step.client;
    SetFrameTitle();
    if (step.path.isEmpty()) {
        NewMatch(); // the record's own reset, without the command's repaint and title
        m_repaintPending = false;
        m_repaintQueued = false;
        SetFrameTitle();
        return;
    }
    if (OpenFile(step.path) != Outcome::Done) {
        m_startFailed = true; // the program would end here
    }
    m_repaintQueued = false; // the loop ran before the window was shown, repaints still held
}

void MatchModel::ApplyStep(const Step& step) {
    switch (step.kind) {
    case Step::Kind::Key: {
        // A keyboard sends its modifiers down first; each is a key of its own to the view.
        for (const int modifier : {int(Qt::ShiftModifier), int(Qt::ControlModifier)}) {
            if (step.mods & modifier) {
                Dispatch({ViewEvent::Type::Key, 0});
            }
        }
        if (const int command = ShortcutCommand(step.code, step.mods)) {
            Execute(command, nullptr);
        } else {
            Dispatch({ViewEvent::Type::Key, VirtualKey(step.code)});
        }
        break;
    }
    case Step::Kind::Click:
    case Step::Kind::DoubleClick:
        // While the window passes through other sizes no point maps to the view.
        if (step.button != Qt::LeftButton || !m_laidOut) {
            break;
        }
        // A double click is two presses, as a view without double-click messages has them.
        for (int i = 0; i < (step.kind == Step::Kind::DoubleClick ? 2 : 1); ++i) {
            Dispatch({ViewEvent::Type::Click, 0, step.viewX, step.viewY});
        }
        break;
    case Step::Kind::Tick: {
        const bool running = Timer(step.code) != 0;
        if (step.ran != running) {
            Fail("timer " + std::to_string(step.code) + (step.ran ? " ran" : " did not run") +
                 ", the rules say it " + (running ? "runs" : "is stopped"));
        }
        // A held program sees no ticks; the timer's next one comes after the hold.
        if (running && !m_holding) {
            Run({ViewEvent::Type::Tick, step.code});
        }
        break;
    }
    case Step::Kind::Expose:
        RequestRepaint();
        break;
    case Step::Kind::Flush:
        if (m_repaintQueued) {
            m_repaintQueued = false;
            DeliverRepaint();
        }
        break;
    case Step::Kind::Command:
        Execute(step.code, &step.ran);
        break;
    case Step::Kind::Resize:
        if (!m_laidOut) {
            m_client = step.client; // the picture follows the window until the first paint
        } else if (step.client != m_client) {
            // Any later size only shows the same picture, scaled: nothing else happens.
            Fail("the view's picture changed size on a resize");
        }
        break;
    case Step::Kind::EnableRepaints:
        if (m_laidOut) {
            DeliverRepaint();
            break;
        }
        m_client = step.client;
        m_laidOut = true;
        m_repaintPending = true;
        DeliverRepaint();
        break;
    case Step::Kind::WriteFile:
        m_files[step.path] = Entry{Entry::Type::File, step.bytes};
        break;
    case Step::Kind::MakeFolder:
        m_files[step.path] = Entry{Entry::Type::Folder, {}};
        break;
    case Step::Kind::RemovePath:
        m_files[step.path] = Entry{};
        break;
    case Step::Kind::Exit: {
        if (step.ran != (m_fixed && !m_holding)) {
            Fail(std::string("Exit ") + (step.ran ? "ran" : "did not run"));
        }
        // Every way out asks about unsaved results; Cancel, or a save that did not happen,
        // keeps the window.
        const bool closes = step.ran && SaveModified();
        m_counts.keptOnExit += step.ran && !closes ? 1 : 0;
        if (step.closed != closes) {
            Fail(std::string("the window ") + (step.closed ? "closed" : "stayed") +
                 " on Exit; the rules say it " + (closes ? "closes" : "stays"));
        }
        break;
    }
    case Step::Kind::Start:
        Fail("model: a start inside a step");
    }
}

// ---- The window side --------------------------------------------------------------------------

void MatchModel::Dispatch(const ViewEvent& event) {
    if (m_holding) {
        m_heldBack.push_back(event);
        ++m_counts.heldEvents;
        return;
    }
    Run(event);
}

void MatchModel::Run(const ViewEvent& event) {
    ++m_depth;
    Handle(event);
    if (--m_depth > 0 || !m_holding) {
        return;
    }
    // The handler that held the program has returned: what came meanwhile follows in order,
    // then a repaint that was owed.
    m_holding = false;
    while (!m_holding && !m_heldBack.empty()) {
        const ViewEvent next = m_heldBack.front();
        m_heldBack.pop_front();
        Run(next);
    }
    if (!m_holding) {
        DeliverRepaint();
    }
}

void MatchModel::Handle(const ViewEvent& event) {
    switch (event.type) {
    case ViewEvent::Type::Key:
        OnKey(event.code);
        break;
    case ViewEvent::Type::Click:
        OnClick(event.x, event.y);
        break;
    case ViewEvent::Type::Tick:
        OnTick(event.code);
        break;
    case ViewEvent::Type::Draw:
        OnDraw();
        break;
    case ViewEvent::Type::Command:
        // A command given during a hold asks its rule only now.
        Execute(event.code, nullptr);
        break;
    }
}

void MatchModel::RequestRepaint() {
    if (m_repaintPending) {
        return;
    }
    m_repaintPending = true;
    m_repaintQueued = true;
}

void MatchModel::DeliverRepaint() {
    if (!m_repaintPending || !m_laidOut || m_holding) {
        return;
    }
    m_repaintPending = false;
    Run({ViewEvent::Type::Draw});
}

bool MatchModel::Enabled(int id) const {
    // Until the first paint has laid the view out, no command reaches the game.
    if (!m_fixed) {
        return false;
    }
    switch (id) {
    case kNew:
    case kAbout:
    case kExit:
        return true;
    case kOpen:
    case kSave:
    case kChangeNames:
        return m_screen == kScore;
    case kSaveAs:
        return m_screen == kScore && m_fileName == kNoFile;
    default:
        break;
    }
    if (id >= kRecent && id < kRecent + 4) {
        return id - kRecent < m_recent.size();
    }
    for (int k = 0; k < 5; ++k) {
        if (id == kSpeeds[k].command) {
            return m_screen == kScore && m_viewSpeed != k;
        }
    }
    return false; // copy, cut, paste, undo and the panes have nothing to act on
}

void MatchModel::Execute(int id, const bool* ran) {
    if (m_holding) {
        if (ran != nullptr && *ran) {
            Fail("command " + std::to_string(id) + " ran during a hold");
        }
        m_heldBack.push_back({ViewEvent::Type::Command, id});
        ++m_counts.heldEvents;
        return;
    }
    const bool enabled = Enabled(id);
    if (ran != nullptr && *ran != enabled) {
        Fail("command " + std::to_string(id) + (*ran ? " ran" : " did not run") +
             ", its rule says " + (enabled ? "enabled" : "disabled"));
    }
    if (!enabled) {
        return;
    }
    ++m_depth;
    RunCommand(id);
    if (--m_depth == 0 && m_holding) {
        Fail("model: a command held the program");
    }
}

void MatchModel::Box(const std::string& text) {
    const Modal& box = NextModal(Modal::Kind::Box, "the message \"" + text.substr(0, 60) + "\"");
    if (box.text != text) {
        Fail("a message box said \"" + box.text.substr(0, 80) + "\", the rules say \"" +
             text.substr(0, 80) + "\"");
    }
    ++m_counts.boxes;
    for (const Step& inside : box.during) {
        ApplyStep(inside);
    }
    RequestRepaint(); // the box covered the view
}

const Modal& MatchModel::Sound(unsigned id, bool wait) {
    const Modal& sound = NextModal(Modal::Kind::Sound, "sound " + std::to_string(id));
    if (sound.sound != id || sound.wait != wait) {
        Fail("sound " + std::to_string(sound.sound) + (sound.wait ? " (waited)" : "") +
             " played, the rules call for " + std::to_string(id) + (wait ? " (waited)" : ""));
    }
    if (wait && m_depth > 0) {
        if (!m_holding) {
            ++m_counts.holds;
        }
        m_holding = true; // until the handler that waits has returned
    }
    for (const Step& meanwhile : sound.during) {
        ApplyStep(meanwhile);
    }
    return sound;
}

Picture MatchModel::Expected() const {
    Picture p;
    for (int i = 0; i < 6; ++i) {
        const Column& c = m_col[i];
        p.names[i] = c.name;
        p.lastGame[i] = c.lastGame;
        p.allGames[i] = c.allGames;
        p.numGames[i] = c.numGames;
        p.average[i] = c.average;
        p.bestGame[i] = c.bestGame;
        p.active[i] = c.active;
    }
    p.pot = m_pot;
    p.sortRow = m_sortRow;
    p.speedIndex = m_speedIndex;
    p.interval = m_interval;
    p.label = m_label;
    p.fileName = m_fileName;
    p.pathName = m_pathName;
    p.nothingLoaded = m_nothingLoaded;
    p.unsaved = m_unsaved;
    p.mirror = m_screen;
    p.screen = m_screen;
    p.page = m_page;
    p.activePlayer = m_activePlayer;
    p.viewSpeed = m_viewSpeed;
    p.showJackpot = m_showJackpot ? 1 : 0;
    p.crossStep = m_crossStep;
    p.fixed = m_fixed ? 1 : 0;
    p.bad = m_bad ? 1 : 0;
    p.timer1 = m_timer1;
    p.timer2 = m_timer2;
    p.holding = m_holding;
    p.client = m_client;
    p.recent = m_recent;
    p.title = m_title;
    p.titleIsTail = m_titleIsTail;
    return p;
}
