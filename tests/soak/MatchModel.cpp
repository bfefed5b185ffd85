#include "MatchModel.h"

#include <QFileInfo>
#include <Qt>
#include <algorithm>

namespace {

// ---- The rules' tables ----------------------------------------------------------------------

constexpr int kHome = 0, kScore = 4, kPlay = 5;
constexpr int kSpace = 32, kPageUp = 33, kPageDown = 34, kEnd = 35, kF1 = 112;

constexpr int kNew = 57600, kOpen = 57601, kSave = 57603, kSaveAs = 57604, kRecent = 57616;
constexpr int kAbout = 57664, kExit = 57665, kChangeNames = 32771;

struct Speed {
    const char* label;
    int interval;
    int command;
};
constexpr Speed kSpeeds[5] = {{"Speed: Fastest ", 990, 32777},
                              {"Speed: Fast ", 1990, 32773},
                              {"Speed: Medium ", 2990, 32775},
                              {"Speed: Slow ", 3990, 32776},
                              {"Speed: Slowest ", 4990, 32778}};
const char* const kDefaultNames[6] = {"Alice", "Burt", "Cindy", "Donald", "Ellen", "Frank"};
const char* const kNoFile = "None.";

// The commands the accelerator table binds; none of these keys reaches the view.
int ShortcutCommand(int key, int mods) {
    const bool ctrl = (mods & Qt::ControlModifier) != 0;
    const bool shift = (mods & Qt::ShiftModifier) != 0;
    if (ctrl && !shift) {
        switch (key) {
        case Qt::Key_O:
            return kOpen;
        case Qt::Key_S:
            return kSave;
        case Qt::Key_N:
            return kNew;
        case Qt::Key_C:
        case Qt::Key_Insert:
            return 57634;
        case Qt::Key_X:
            return 57635;
        case Qt::Key_V:
            return 57637;
        case Qt::Key_Z:
            return 57643;
        default:
            return 0;
        }
    }
    if (shift && !ctrl) {
        switch (key) {
        case Qt::Key_Delete:
            return 57635;
        case Qt::Key_Insert:
            return 57637;
        case Qt::Key_F6:
            return 57681;
        default:
            return 0;
        }
    }
    if (!ctrl && !shift && key == Qt::Key_F6) {
        return 57680;
    }
    return 0;
}

int VirtualKey(int key) {
    switch (key) {
    case Qt::Key_Space:
        return kSpace;
    case Qt::Key_PageUp:
        return kPageUp;
    case Qt::Key_PageDown:
        return kPageDown;
    case Qt::Key_End:
        return kEnd;
    case Qt::Key_F1:
        return kF1;
    default:
        return 0;
    }
}

// Sums wrap round as 32-bit integers do.
std::int32_t Wrap(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// (total + games / 2) / games, in integers, for games > 0. Taken wider than 32 bits: the game
// does so rather than overflow on a loaded total near the limit.
std::int32_t RoundedAverage(std::int32_t total, std::int32_t games) {
    return static_cast<std::int32_t>((std::int64_t{total} + games / 2) / games);
}

// Names compare as bytes, with no case folding.
bool Greater(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            return x > y;
        }
    }
    return a.size() > b.size();
}

std::string KindText(Modal::Kind kind) {
    return KindName(kind);
}

// A message names a path as the file system does, as the caption shows it.
std::string MessagePath(const QString& path) {
    return path.toStdString();
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
    m_placedFor = step.widget;
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
        if (step.button != Qt::LeftButton || !m_repaintsEnabled) {
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
    case Step::Kind::HoldRepaints:
        m_repaintsEnabled = false;
        break;
    case Step::Kind::Resize:
        if (!m_laidOut) {
            m_client = step.client; // the picture follows the window until the first paint
            m_placedFor = step.widget;
        } else if (step.client != m_client) {
            Fail("the view's picture changed size on a resize, before any repaint");
        }
        break;
    case Step::Kind::EnableRepaints:
        m_repaintsEnabled = true;
        if (m_laidOut && step.widget == m_placedFor) {
            // Back at the size the view was laid out for: its picture and its game go on.
            if (step.client != m_client) {
                Fail("the view's picture changed although the window is back at its size");
            }
            DeliverRepaint();
            break;
        }
        m_client = step.client;
        m_placedFor = step.widget;
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
    case Step::Kind::Exit:
        if (step.ran != (m_fixed && !m_holding)) {
            Fail(std::string("Exit ") + (step.ran ? "ran" : "did not run"));
        }
        break;
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
    if (!m_repaintPending || !m_repaintsEnabled || m_holding) {
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

// ---- The view ---------------------------------------------------------------------------------

void MatchModel::RefreshCaption() {
    std::string label = m_label;
    if (label.size() > 64) {
        label = label.substr(0, 64) + "\xE2\x80\xA6";
    }
    m_title = " -- Version LR615 -- " + label + " -- Current File is:  " + m_fileName;
    m_titleIsTail = true;
}

void MatchModel::OnDraw() {
    if (m_bad) {
        return;
    }
    RefreshCaption();
    if (!m_fixed) {
        m_viewSpeed = m_speedIndex;
        m_fixed = true;
        m_firstClient = m_client;
        if (!ModeAccepts(m_client.width(), m_client.height())) {
            m_bad = true;
            ++m_counts.refusals;
        }
        if (m_bad || m_screen == kHome) {
            return;
        }
    }
    if (m_client != m_firstClient) {
        // The size changed: the message, and nothing goes on behind it.
        m_timer1 = 0;
        m_timer2 = 0;
        m_bad = true;
        ++m_counts.refusals;
        return;
    }
    if (m_screen == kHome) {
        return;
    }
    if (m_screen == kPlay) {
        m_timer1 = 0; // the game is dropped, uncounted
        ++m_counts.dropped;
    }
    m_screen = kHome;
    EnterScoreScreen();
}

void MatchModel::OnKey(int key) {
    // Before the first paint and behind a refusal the view takes no keys.
    if (!m_fixed || m_bad) {
        return;
    }
    RefreshCaption();
    switch (key) {
    case kF1:
        if (m_screen == kScore) {
            Box(m_scoreHelp);
        } else if (m_screen == kPlay) {
            m_timer1 = 0;
            Column& c = m_col[m_activePlayer];
            c.numGames = Wrap(c.numGames, 1);
            m_unsaved = 1;
            ++m_counts.aborts;
            ++m_counts.games;
            Box(m_playHelp);
            m_screen = kHome;
            EnterScoreScreen();
        }
        break;
    case kEnd:
        if (m_screen == kScore) {
            m_showJackpot = false;
            m_screen = kHome;
        }
        break;
    case kSpace:
        if (m_screen == kHome) {
            EnterScoreScreen();
        } else if (m_screen == kScore) {
            StartGame();
        } else if (m_screen == kPlay && m_crossStep > 0) {
            StopGame(); // before the first tick there is no position to pin
        }
        break;
    case kPageDown:
        if (m_screen == kHome) {
            m_page = m_page + 1 > 12 ? 0 : m_page + 1;
        }
        break;
    case kPageUp:
        if (m_screen == kHome) {
            m_page = m_page - 1 < 0 ? 12 : m_page - 1;
        }
        break;
    default:
        break;
    }
}

bool MatchModel::WouldStop() const {
    return m_fixed && !m_bad && !m_holding && m_screen == kPlay && m_crossStep > 0;
}

void MatchModel::OnClick(int x, int y) {
    if (!m_fixed || m_bad) {
        return;
    }
    RefreshCaption();
    if (m_screen != kScore) {
        return;
    }
    const int W = m_client.width();
    const int CW = (W - 223) / 7;
    auto cellLeft = [&](int p) { return W - 100 - (6 - p) * CW; };
    auto cellRight = [&](int p) { return cellLeft(p) + CW - 3; };
    if (x > cellLeft(0) && x < cellRight(5) && y > 5 && y < 23) {
        m_showJackpot = false;
        for (int k = 0; k < 6; ++k) {
            if (x > cellLeft(k) && x < cellRight(k)) {
                // The clicked player ends up the only active one, even after a loaded match
                // that flagged several (the game's fix of the letter of the rule).
                for (Column& c : m_col) {
                    c.active = 0;
                }
                m_activePlayer = k;
                m_col[k].active = 1;
                break;
            }
        }
        DrawScoreScreen();
        return;
    }
    if (x > 103 && x < cellLeft(0) - 3 && y > 5 && y < 128) {
        // The gap under a caption belongs to the caption above it.
        const int row = y > 110 ? 6 : y > 89 ? 5 : y > 68 ? 4 : y > 47 ? 3 : y <= 26 ? 1 : 2;
        Sort(row);
        DrawScoreScreen();
    }
}

void MatchModel::OnTick(int id) {
    if (!m_fixed || m_bad) {
        return;
    }
    if (id == 1) {
        PlayTick();
        return;
    }
    if (id != 2) {
        return;
    }
    // A file command changed the record behind the Score screen: show it anew, once.
    if (m_seenNothingLoaded != m_nothingLoaded || m_seenUnsaved != m_unsaved) {
        m_seenNothingLoaded = m_nothingLoaded;
        m_seenUnsaved = m_unsaved;
        EnterScoreScreen();
        m_timer2 = 0;
    }
}

void MatchModel::PlayTick() {
    const int s = m_crossStep;
    if (s > 0) {
        Sound(s < 10 ? 103 : s == 10 ? 106 : 102, false);
    }
    if (s == 0) {
        // The interval is read once per game; the game keeps a positive one.
        m_timer1 = m_interval > 0 ? m_interval : 2990;
        m_crossStep = 1;
        return;
    }
    if (++m_crossStep > 11) {
        m_timer1 = 0;
        m_screen = kHome;
        Column& c = m_col[m_activePlayer];
        c.numGames = Wrap(c.numGames, 1);
        m_unsaved = 1;
        ++m_counts.timeOuts;
        ++m_counts.games;
        EnterScoreScreen();
    }
}

void MatchModel::EnterScoreScreen() {
    if (m_bad) {
        return;
    }
    m_seenUnsaved = m_unsaved;
    m_seenNothingLoaded = m_nothingLoaded;
    m_viewSpeed = m_speedIndex;
    m_timer2 = 50;
    m_screen = kScore;
    DrawScoreScreen();
}

void MatchModel::DrawScoreScreen() {
    // The game brings the averages up to date before it sorts, not after, so that a table
    // sorted by Average is sorted by the averages it shows.
    for (Column& c : m_col) {
        if (c.numGames > 0) {
            c.average = RoundedAverage(c.allGames, c.numGames);
        }
    }
    Sort(m_sortRow);
    for (int p = 0; p < 6; ++p) {
        if (m_col[p].active == 1) {
            m_activePlayer = p; // the highest flagged column; none flagged keeps the index
        }
    }
}

bool MatchModel::OutOfOrder(int row, int i, int j) const {
    const Column& a = m_col[i];
    const Column& b = m_col[j];
    if (row == 1) {
        return Greater(a.name, b.name);
    }
    auto value = [row](const Column& c) {
        switch (row) {
        case 2:
            return c.lastGame;
        case 3:
            return c.allGames;
        case 4:
            return c.numGames;
        case 5:
            return c.average;
        default:
            return c.bestGame;
        }
    };
    return value(a) < value(b) || (value(a) == value(b) && Greater(a.name, b.name));
}

void MatchModel::Sort(int row) {
    if (row < 1 || row > 6) {
        return;
    }
    for (int i = 0; i < 5; ++i) {
        for (int j = i + 1; j < 6; ++j) {
            if (OutOfOrder(row, i, j)) {
                std::swap(m_col[i], m_col[j]);
            }
        }
    }
    m_sortRow = row;
}

void MatchModel::StartGame() {
    m_timer2 = 0;
    m_showJackpot = false;
    m_screen = kPlay;
    m_crossStep = 0;
    m_timer1 = 50;
    ++m_gameSerial;
}

void MatchModel::StopGame() {
    const int p = m_activePlayer;
    m_timer1 = 0;
    m_showJackpot = false;
    // The score depends on pixels: the model takes the one the program computed, checks it,
    // and works out everything that follows from it.
    const Modal& stop = Sound(105, false);
    const int score = stop.score;
    if (stop.forced) {
        if (score != stop.forcedScore) {
            Fail("the stop scored " + std::to_string(score) + " on a split that scores " +
                 std::to_string(stop.forcedScore));
        }
        ++m_counts.forced;
    } else {
        // On the centre the two smallest quarters are the same; elsewhere, a few pixels off
        // it, the score cannot stray far.
        if (stop.onCentre && score != 1000) {
            Fail("a stop on the centre scored " + std::to_string(score) + ", not 1000");
        }
        if (score < 0 || score > 1200) {
            Fail("a stop scored " + std::to_string(score) + ", out of range");
        }
        m_counts.bestNaturalScore = std::max(m_counts.bestNaturalScore, score);
    }
    ++m_counts.stops;
    ++m_counts.games;
    m_pot = Wrap(m_pot, 50);
    Column& c = m_col[p];
    c.lastGame = score;
    const bool jackpot = score > 1000;
    if (jackpot) {
        m_showJackpot = true;
        ++m_counts.jackpots;
    }
    c.allGames = Wrap(c.allGames, score);
    if (score > c.bestGame) {
        c.bestGame = score;
    }
    c.numGames = Wrap(c.numGames, 1);
    if (c.numGames > 0) {
        c.average = RoundedAverage(c.allGames, c.numGames);
    }
    m_unsaved = 1;
    const int winner = c.identity;
    m_screen = kHome;
    EnterScoreScreen();
    if (!jackpot) {
        return;
    }
    Sound(104, true);
    Sound(101, true);
    // The pot goes to the player who won it, wherever the re-sort has put him.
    for (Column& column : m_col) {
        if (column.identity == winner) {
            column.allGames = Wrap(column.allGames, m_pot);
        }
    }
    m_pot = 0;
    DrawScoreScreen();
}

// ---- Commands ---------------------------------------------------------------------------------

void MatchModel::RunCommand(int id) {
    switch (id) {
    case kNew:
        NewMatch();
        return;
    case kOpen: {
        const Modal& dialog = NextModal(Modal::Kind::OpenDialog, "the open dialog");
        for (const Step& inside : dialog.during) {
            ApplyStep(inside);
        }
        RequestRepaint();
        if (!dialog.answer.isEmpty()) {
            OpenFile(dialog.answer);
        }
        return;
    }
    case kSave:
    case kSaveAs: {
        const QString path = QString::fromStdString(m_pathName);
        const Entry& current = EntryAt(path);
        // A match without a file, or whose file has gone, needs a name.
        if (id == kSave && !path.isEmpty() && current.type != Entry::Type::Missing) {
            SaveTo(path);
            return;
        }
        const Modal& dialog = NextModal(Modal::Kind::SaveDialog, "the save dialog");
        const QString proposed = path.isEmpty() ? QStringLiteral("Untitled") : path;
        if (dialog.proposed != proposed) {
            Fail("the save dialog proposed " + dialog.proposed.toStdString() + ", not " +
                 proposed.toStdString());
        }
        for (const Step& inside : dialog.during) {
            ApplyStep(inside);
        }
        RequestRepaint();
        if (!dialog.answer.isEmpty()) {
            SaveTo(dialog.answer);
        }
        return;
    }
    case kAbout: {
        const Modal& about = NextModal(Modal::Kind::About, "the About box");
        for (const Step& inside : about.during) {
            ApplyStep(inside);
        }
        RequestRepaint();
        return;
    }
    case kChangeNames: {
        if (!m_bad) {
            const Modal& names = NextModal(Modal::Kind::Names, "the names dialog");
            for (int row = 0; row < 6; ++row) {
                if (names.shownNames[row] != m_col[row].name) {
                    Fail("row " + std::to_string(row + 1) + " of the names dialog showed \"" +
                         names.shownNames[row] + "\", the table has \"" + m_col[row].name + "\"");
                }
            }
            for (const Step& inside : names.during) {
                ApplyStep(inside);
            }
            if (names.ok) {
                for (int row = 0; row < 6; ++row) {
                    const std::string typed = TypedName(names.typed[row]);
                    if (names.stored[row] != typed) {
                        Fail("the names dialog handed back \"" + names.stored[row] + "\" for row " +
                             std::to_string(row + 1) + ", typed \"" +
                             names.typed[row].toStdString() + "\"");
                    }
                    if (!typed.empty()) {
                        m_col[row].name = typed; // an empty box keeps the name
                        ++m_counts.renames;
                    }
                }
                if (m_screen == kScore) {
                    DrawScoreScreen();
                }
            }
        }
        RequestRepaint(); // the dialog covered the view
        return;
    }
    default:
        break;
    }
    if (id >= kRecent && id < kRecent + 4) {
        const QString path = m_recent.value(id - kRecent);
        if (OpenFile(path) == Outcome::Failed) {
            // A file that cannot be read any more leaves the list; a refusal leaves it alone.
            m_recent.removeAt(m_recent.indexOf(path));
        }
        return;
    }
    for (int k = 0; k < 5; ++k) {
        if (id == kSpeeds[k].command) {
            m_interval = kSpeeds[k].interval;
            m_speedIndex = k;
            m_viewSpeed = k;
            m_label = kSpeeds[k].label;
            RefreshCaption();
            return;
        }
    }
    Fail("model: command " + std::to_string(id) + " ran");
}

void MatchModel::NewMatch() {
    for (int i = 0; i < 6; ++i) {
        m_col[i] = Column{};
        m_col[i].name = kDefaultNames[i];
        m_col[i].identity = m_nextIdentity++;
    }
    m_col[0].active = 1;
    m_sortRow = 0;
    m_pot = 0;
    m_speedIndex = 2;
    m_interval = kSpeeds[2].interval;
    m_label = kSpeeds[2].label;
    m_fileName = kNoFile;
    m_pathName.clear();
    m_viewSpeed = m_speedIndex;
    SetFrameTitle();
    RequestRepaint();
}

const MatchModel::Entry& MatchModel::EntryAt(const QString& path) const {
    static const Entry missing;
    const auto it = m_files.find(path);
    return it == m_files.end() ? missing : it->second;
}

MatchModel::Outcome MatchModel::OpenFile(const QString& path) {
    const std::string full = path.toStdString();
    const Entry& entry = EntryAt(path);
    Outcome outcome = Outcome::Done;
    if (entry.type == Entry::Type::Missing) {
        Box(MessagePath(path) + " was not found.");
        outcome = Outcome::Failed;
    } else if (entry.type == Entry::Type::Folder) {
        Box(MessagePath(path) + " contains an incorrect path.");
        outcome = Outcome::Failed;
    } else if (!entry.bytes.empty()) {
        // An empty file reads nothing and still counts as opened.
        if (m_screen != kHome && m_screen != kScore) {
            Box("Cannot open a file at this time");
            return Outcome::Refused;
        }
        const std::optional<soakfile::FileRecord> record = soakfile::Decode(entry.bytes);
        if (!record) {
            // The game keeps the match whole rather than resetting it.
            Box("Unexpected file format.");
            ++m_counts.failedLoads;
            outcome = Outcome::Failed;
        } else {
            Load(*record);
            m_fileName = full;
            m_nothingLoaded = 0;
            ++m_counts.loads;
        }
    }
    if (outcome != Outcome::Done) {
        return outcome;
    }
    m_pathName = full;
    m_viewSpeed = m_speedIndex;
    AddRecent(path);
    SetFrameTitle();
    RequestRepaint();
    return Outcome::Done;
}

void MatchModel::SaveTo(const QString& path) {
    if (m_screen != kScore) {
        Box("Cannot save a file at this time");
        return;
    }
    const std::string full = path.toStdString();
    const Entry& target = EntryAt(path);
    const Entry& folder = EntryAt(QFileInfo(path).absolutePath());
    // A failed save leaves the record as it was: it still has its old file and is unsaved.
    if (target.type == Entry::Type::Folder) {
        Box(MessagePath(path) + " contains an incorrect path.");
        ++m_counts.failedSaves;
        return;
    }
    if (folder.type != Entry::Type::Folder) {
        Box(MessagePath(path) + " was not found.");
        ++m_counts.failedSaves;
        return;
    }
    const soakfile::FileRecord record = Record();
    m_files[path] = Entry{Entry::Type::File, soakfile::Encode(record)};
    m_saved.push_back({path, record});
    m_fileName = full;
    m_unsaved = 0;
    m_pathName = full;
    ++m_counts.saves;
    AddRecent(path);
    SetFrameTitle();
}

void MatchModel::Load(const soakfile::FileRecord& record) {
    for (int i = 0; i < 6; ++i) {
        const soakfile::PlayerBlock& b = record.players[i];
        Column& c = m_col[i];
        c.name = record.names[i];
        c.allGames = b.allGames;
        c.lastGame = b.lastGame;
        c.numGames = b.numGames;
        c.average = b.average;
        c.bestGame = b.bestGame;
        c.active = b.active;
        c.identity = m_nextIdentity++;
    }
    m_sortRow = record.sortRow;
    m_pot = record.pot;
    m_speedIndex = record.speedIndex;
    m_interval = record.interval;
    m_label = record.label;
}

soakfile::FileRecord MatchModel::Record() const {
    soakfile::FileRecord record;
    for (int i = 0; i < 6; ++i) {
        const Column& c = m_col[i];
        record.players[i] = {c.allGames, c.lastGame, c.numGames, c.average, c.bestGame, c.active};
        record.names[i] = c.name;
    }
    record.sortRow = m_sortRow;
    record.pot = m_pot;
    record.speedIndex = m_speedIndex;
    record.interval = m_interval;
    record.label = m_label;
    return record;
}

void MatchModel::AddRecent(const QString& path) {
    m_recent.removeAll(path);
    m_recent.prepend(path);
    while (m_recent.size() > 4) {
        m_recent.removeLast();
    }
}

void MatchModel::SetFrameTitle() {
    m_title = "Globule - " +
              (m_pathName.empty()
                   ? std::string("Untitled")
                   : QFileInfo(QString::fromStdString(m_pathName)).fileName().toStdString());
    m_titleIsTail = false;
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
