#include "SoakDriver.h"

#include "ForcedSplit.h"
#include "ProgramPicture.h"
#include "SoakStandIns.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"
#include "platform/QtViewHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

constexpr const char* kOrganization = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "Globule";
constexpr int kHome = 0, kScore = 4, kPlay = 5;
constexpr std::size_t kHistory = 20;

const int kSpeedCommands[5] = {32777, 32773, 32775, 32776, 32778};
const int kSpeedIntervals[5] = {990, 1990, 2990, 3990, 4990};
const char* const kSpeedLabels[5] = {"Speed: Fastest ", "Speed: Fast ", "Speed: Medium ",
                                     "Speed: Slow ", "Speed: Slowest "};

struct KeyPress {
    int key;
    int mods;
};
// Keys that the accelerator table takes before the view sees them.
const std::vector<KeyPress> kShortcuts = {
    {Qt::Key_S, Qt::ControlModifier},      {Qt::Key_O, Qt::ControlModifier},
    {Qt::Key_N, Qt::ControlModifier},      {Qt::Key_C, Qt::ControlModifier},
    {Qt::Key_Insert, Qt::ControlModifier}, {Qt::Key_X, Qt::ControlModifier},
    {Qt::Key_Delete, Qt::ShiftModifier},   {Qt::Key_V, Qt::ControlModifier},
    {Qt::Key_Insert, Qt::ShiftModifier},   {Qt::Key_Z, Qt::ControlModifier},
    {Qt::Key_F6, Qt::NoModifier},          {Qt::Key_F6, Qt::ShiftModifier},
};
// Keys the game does not use; Alt is left out, as it wakes the menu bar.
const std::vector<int> kOtherKeys = {
    Qt::Key_Escape,    Qt::Key_Return, Qt::Key_Tab,    Qt::Key_Home,  Qt::Key_Left,
    Qt::Key_Up,        Qt::Key_A,      Qt::Key_Z,      Qt::Key_F2,    Qt::Key_F12,
    Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Insert, Qt::Key_Enter, Qt::Key_Down};

// The main window's sizes: those a display mode takes (some wider than any, narrowed to one),
// and those it refuses.
const std::vector<QSize> kAcceptedFrames = {{1024, 768}, {1152, 864},  {1280, 1024}, {1280, 960},
                                            {1280, 768}, {1600, 1200}, {1600, 900},  {1920, 1080},
                                            {1100, 768}, {2560, 1440}, {1366, 768}};
const std::vector<QSize> kRefusedFrames = {{800, 600}, {1024, 700}, {1000, 600}, {640, 480}};

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

std::string ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

} // namespace

SoakDriver::SoakDriver(const Options& options, const QString& folder)
    : m_options(options), m_random(options.seed), m_folder(folder) {
    for (int i = 0; i < 6; ++i) {
        m_pool.push_back(folder + QStringLiteral("/match%1.bin").arg(i));
    }
    m_pool.push_back(folder + QStringLiteral("/two words \u00e9.bin"));
    m_pool.push_back(folder +
                     QStringLiteral("/\u043c\u0430\u0442\u0447 \u4e2d.bin")); // past the code page
    QDir(folder).mkdir(QStringLiteral("sub"));
    m_elsewhere = {folder + QStringLiteral("/sub"), folder + QStringLiteral("/missing/match.bin"),
                   folder};
    m_model.SetEntry(folder, {MatchModel::Entry::Type::Folder, {}});
    m_model.SetEntry(folder + QStringLiteral("/sub"), {MatchModel::Entry::Type::Folder, {}});
    m_model.SetEntry(folder + QStringLiteral("/missing"), {});
}

SoakDriver::~SoakDriver() {
    m_frame.reset();
}

// ---- The run ----------------------------------------------------------------------------------

bool SoakDriver::Run() {
    while (m_event < m_options.events) {
        if (!m_frame) {
            StartWindow(); // a file named at start-up that does not load ends it at once
            if (!m_flagged.empty()) {
                return false;
            }
            continue;
        }
        const bool inertLongEnough = m_inertSince >= 0 && m_event - m_inertSince > 60;
        if (m_windowEvents >= m_windowLength || inertLongEnough) {
            EndWindow();
            if (!m_flagged.empty()) {
                return false;
            }
            continue;
        }
        std::vector<Modal> record;
        m_record = &record;
        Step step = NextStep();
        Give(step);
        StopEnds();
        if (!CheckStep(step, record)) {
            return false;
        }
        ++m_windowEvents;
        if (m_model.Refused() && m_inertSince < 0) {
            m_inertSince = m_event;
        }
    }
    EndWindow();
    return m_flagged.empty();
}

bool SoakDriver::CheckStep(const Step& step, const std::vector<Modal>& record) {
    std::string entry = std::to_string(m_event) + ": " + Describe(step);
    for (const Modal& modal : record) {
        entry += std::string(" | ") + KindName(modal.kind);
        if (modal.kind == Modal::Kind::Sound) {
            entry += " " + std::to_string(modal.sound) + (modal.wait ? " waited" : "");
            if (modal.sound == CGlobuleView::kSoundStop) {
                entry += " (score " + std::to_string(modal.score) +
                         (modal.forced ? ", painted " + std::to_string(modal.forcedScore) : "") +
                         (modal.onCentre ? ", centre" : "") + ")";
            }
        } else if (modal.kind == Modal::Kind::Box) {
            entry += " \"" + modal.text.substr(0, 40) + "\"";
        } else if (!modal.answer.isEmpty()) {
            entry += " " + QFileInfo(modal.answer).fileName().toStdString();
        }
        for (const Step& inside : modal.during) {
            entry += " [" + Describe(inside) + "]";
        }
    }
    m_history.push_back(entry);
    if (m_history.size() > kHistory) {
        m_history.pop_front();
    }
    if (m_options.trace) {
        std::printf("%s\n", entry.c_str());
    }
    if (!m_flagged.empty()) {
        return Report(m_flagged);
    }
    try {
        m_model.Apply(step, record);
    } catch (const SoakFailure& failure) {
        return Report(failure.what());
    }
    if (!m_frame) {
        ++m_event;
        return true;
    }
    const std::string differences =
        Differences(m_model.Expected(), ReadProgram(*m_frame, *m_doc, *m_recent));
    if (!differences.empty()) {
        return Report("the program and the model disagree:\n" + differences);
    }
    // Timer 1 only in play, and the poll never during play: implied above, said outright.
    const QtViewHost& host = m_frame->Host();
    const int screen = m_frame->View().m_nScreen;
    if (host.TimerPeriodForTest(CGlobuleView::kPlayTimer) != 0 && screen != kPlay) {
        return Report("timer 1 runs outside play");
    }
    if (screen == kPlay && host.TimerPeriodForTest(CGlobuleView::kPollTimer) != 0) {
        return Report("timer 2 runs during play");
    }
    if (const std::string files = CheckFiles(); !files.empty()) {
        return Report(files);
    }
    if (const std::string positions = CheckPositions(); !positions.empty()) {
        return Report(positions);
    }
    ++m_event;
    return true;
}

bool SoakDriver::Report(const std::string& what) {
    std::fprintf(stderr, "soak FAILED at event %ld (seed %llu, window %d):\n%s\n", m_event,
                 static_cast<unsigned long long>(m_options.seed), m_windows, what.c_str());
    std::fprintf(stderr, "the last %zu events:\n", m_history.size());
    for (const std::string& entry : m_history) {
        std::fprintf(stderr, "  %s\n", entry.c_str());
    }
    std::fprintf(stderr, "replay: globule_soak --seed %llu --events %ld --trace\n",
                 static_cast<unsigned long long>(m_options.seed), m_event + 1);
    if (m_flagged.empty()) {
        m_flagged = what;
    }
    return false;
}

void SoakDriver::Flag(const std::string& what) {
    if (m_flagged.empty()) {
        m_flagged = what;
    }
}

// ---- Windows ----------------------------------------------------------------------------------

void SoakDriver::StartWindow() {
    std::vector<Modal> record;
    m_record = &record;
    Step step;
    step.kind = Step::Kind::Start;
    const QSize size = RandomFrameSize(m_random.Chance(92));
    step.w = size.width();
    step.h = size.height();
    if (m_random.Chance(20)) {
        step.path = PoolPath();
    }

    m_doc = std::make_unique<CGlobuleDoc>();
    m_recent = std::make_unique<CRecentFileList>(QString::fromLatin1(kOrganization),
                                                 QString::fromLatin1(kApplication));
    if (m_recent->Entries() != m_model.Recent()) {
        Report("the recent files came back as {" +
               m_recent->Entries().join(QStringLiteral(", ")).toStdString() + "}");
        return;
    }
    m_box = std::make_unique<SoakMessageBox>(*this);
    auto dialogs = std::make_unique<SoakDialogs>(*this);
    SoakDialogs& shell = *dialogs;
    m_frame = std::make_unique<CMainFrame>(*m_doc, *m_recent, std::move(dialogs));
    QtViewHost& host = m_frame->Host();
    shell.SetMessages(host);
    host.SetMessageBoxForTest(m_box.get());
    host.SetSoundOutput(std::make_unique<SoakSound>(*this));
    // The view seeded rand() with the clock; the run must not depend on it.
    std::srand(static_cast<unsigned>(m_random.Next()));
    m_model.SetHelpTexts(m_frame->View().m_strScoreHelp, m_frame->View().m_strPlayHelp);

    if (step.path.isEmpty()) {
        m_doc->OnNewDocument();
    } else {
        m_frame->OpenStartupFile(step.path);
    }
    m_frame->resize(size);
    m_frame->show();
    QApplication::setActiveWindow(m_frame.get());
    // The view has no timers before its first paint, so the loop may run here.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    step.widget = host.size();
    step.client = host.ClientImage().size();
    ++m_windows;
    m_windowEvents = 0;
    m_windowLength = m_random.Between(300, 4000);
    m_inertSince = -1;
    m_wmHolding = false;
    m_planned.clear();
    m_settledFrame = m_frame->size();
    if (!CheckStep(step, record)) {
        return;
    }
    if (m_model.StartFailed()) {
        m_frame.reset(); // the program ends when the file named at start-up does not load
        m_box.reset();
        m_recent.reset();
        m_doc.reset();
    }
}

void SoakDriver::EndWindow() {
    if (!m_frame) {
        return;
    }
    if (m_event < m_options.events && m_random.Chance(50)) {
        std::vector<Modal> record;
        m_record = &record;
        Step step;
        step.kind = Step::Kind::Exit;
        step.ran = m_frame->Execute(command::kAppExit);
        if (step.ran == m_frame->isVisible()) {
            Flag("Exit ran but the window stays, or did not run and it went");
        }
        CheckStep(step, record);
    }
    m_frame.reset();
    m_box.reset();
    m_recent.reset();
    m_doc.reset();
}

// ---- Choosing a step --------------------------------------------------------------------------

Step SoakDriver::NextStep() {
    if (!m_planned.empty()) {
        Step step = m_planned.front();
        m_planned.pop_front();
        return step;
    }
    Step step;
    if (!m_model.LaidOut()) {
        // Before the first paint: a little of everything, until the window settles.
        switch (m_random.Weighted({30, 12, 8, 8, 6, 6, 6, 6})) {
        case 0:
            step.kind = Step::Kind::EnableRepaints;
            return step;
        case 1:
            return KeyStep(false);
        case 2:
            return ClickStep();
        case 3:
            return CommandStep();
        case 4:
            return TickStep();
        case 5:
            step.kind = Step::Kind::Expose;
            return step;
        case 6:
            step.kind = Step::Kind::Flush;
            return step;
        default: {
            step.kind = Step::Kind::Resize;
            const QSize size = RandomFrameSize(m_random.Chance(90));
            step.w = size.width();
            step.h = size.height();
            return step;
        }
        }
    }
    const int screen = m_model.Screen();
    int choice = 0;
    if (m_model.Refused()) {
        choice = m_random.Weighted({25, 15, 10, 20, 15, 5, 2});
    } else if (screen == kHome) {
        choice = m_random.Weighted({45, 5, 8, 12, 12, 6, 2});
    } else if (screen == kScore) {
        choice = m_random.Weighted({30, 25, 6, 22, 8, 6, 2});
    } else {
        choice = m_random.Weighted({22, 4, 55, 4, 4, 1, 1});
    }
    switch (choice) {
    case 0:
        return KeyStep(true);
    case 1:
        return ClickStep();
    case 2:
        return TickStep();
    case 3:
        return CommandStep();
    case 4:
        step.kind = m_random.Chance(40) ? Step::Kind::Expose : Step::Kind::Flush;
        return step;
    case 5:
        return FileStep();
    default:
        return WindowStep();
    }
}

Step SoakDriver::KeyStep(bool top) {
    Step step;
    step.kind = Step::Kind::Key;
    const int screen = m_model.Screen();
    const int kind = m_random.Weighted({70, 12, screen == kScore ? 18 : 8});
    if (kind == 2) {
        const KeyPress& shortcut = m_random.Pick(kShortcuts);
        step.code = shortcut.key;
        step.mods = shortcut.mods;
        return step;
    }
    if (kind == 1) {
        step.code = m_random.Pick(kOtherKeys);
    } else {
        // The game's five keys, the likely ones of each screen first.
        const bool playing = screen == kPlay;
        const bool home = screen == kHome;
        const int spaceWeight = playing ? (m_model.CrossStep() > 0 ? 50 : 10) : 40;
        switch (m_random.Weighted(
            {spaceWeight, playing ? 4 : 10, home ? 2 : 8, home ? 22 : 3, home ? 18 : 3})) {
        case 0:
            step.code = Qt::Key_Space;
            break;
        case 1:
            step.code = Qt::Key_End;
            break;
        case 2:
            step.code = Qt::Key_F1;
            break;
        case 3:
            step.code = Qt::Key_PageDown;
            break;
        default:
            step.code = Qt::Key_PageUp;
            break;
        }
    }
    const int mods = m_random.Weighted({86, 7, 7});
    step.mods = mods == 1 ? int(Qt::ShiftModifier) : mods == 2 ? int(Qt::ControlModifier) : 0;
    // Shift or Ctrl with one of these would be a shortcut; keep those to the list above.
    if (step.code == Qt::Key_Insert || step.code == Qt::Key_Delete) {
        step.mods = 0;
    }
    if (top && step.code == Qt::Key_Space && m_model.WouldStop()) {
        step.stop = true;
    }
    return step;
}

Step SoakDriver::ClickStep() {
    Step step;
    step.kind = m_random.Chance(5) ? Step::Kind::DoubleClick : Step::Kind::Click;
    step.button = m_random.Weighted({92, 5, 3}) == 0 ? int(Qt::LeftButton)
                  : m_random.Chance(60)              ? int(Qt::RightButton)
                                                     : int(Qt::MiddleButton);
    const QSize client = m_model.Client();
    const int W = std::max(client.width(), 1);
    const int H = std::max(client.height(), 1);
    const int CW = (W - 223) / 7;
    auto cellLeft = [&](int p) { return W - 100 - (6 - p) * CW; };
    switch (m_random.Weighted({35, 30, 12, 23})) {
    case 0: // the names row
        step.x = m_random.Between(cellLeft(0) - 3, cellLeft(5) + CW);
        step.y = m_random.Between(3, 25);
        break;
    case 1: // the caption column
        step.x = m_random.Between(98, cellLeft(0));
        step.y = m_random.Between(2, 132);
        break;
    case 2: { // on and beside the edges the rules draw
        const int p = m_random.Below(6);
        step.x = m_random.Pick({cellLeft(p), cellLeft(p) + 1, cellLeft(p) + CW - 3,
                                cellLeft(p) + CW - 4, 103, 104, cellLeft(0) - 3, cellLeft(0) - 4}) +
                 m_random.Between(-1, 1);
        step.y = m_random.Pick({5, 6, 22, 23, 26, 27, 47, 48, 68, 69, 89, 90, 110, 111, 127, 128});
        break;
    }
    default:
        step.x = m_random.Below(W);
        step.y = m_random.Below(H);
        break;
    }
    step.x = std::clamp(step.x, 0, W - 1);
    step.y = std::clamp(step.y, 0, H - 1);
    step.mods = m_random.Chance(5) ? int(Qt::ShiftModifier) : 0;
    return step;
}

Step SoakDriver::TickStep() {
    Step step;
    step.kind = Step::Kind::Tick;
    const bool playing = m_model.Screen() == kPlay;
    const int which = m_random.Weighted({playing ? 85 : 10, playing ? 10 : 80, 5});
    step.code = which + 1; // timer 3 is never set
    return step;
}

Step SoakDriver::CommandStep() {
    Step step;
    step.kind = Step::Kind::Command;
    switch (m_random.Weighted({10, 10, 8, 10, 14, 14, 3, 2, 2})) {
    case 0:
        step.code = command::kFileOpen;
        break;
    case 1:
        step.code = command::kFileSave;
        break;
    case 2:
        step.code = command::kFileSaveAs;
        break;
    case 3:
        step.code = command::kRecentFirst + m_random.Below(4);
        break;
    case 4:
        step.code = command::kChangeNames;
        break;
    case 5:
        step.code = kSpeedCommands[m_random.Below(5)];
        break;
    case 6:
        step.code = command::kFileNew;
        break;
    case 7:
        step.code = command::kAppAbout;
        break;
    default:
        step.code = m_random.Pick({command::kEditCopy, command::kEditCut, command::kEditPaste,
                                   command::kEditUndo, command::kNextPane, command::kPrevPane});
        break;
    }
    return step;
}

Step SoakDriver::FileStep() {
    Step step;
    step.path = PoolPath();
    const auto& files = m_model.Files();
    const auto it = files.find(step.path);
    const bool folder = it != files.end() && it->second.type == MatchModel::Entry::Type::Folder;
    const bool missing = it == files.end() || it->second.type == MatchModel::Entry::Type::Missing;
    const int kind = m_random.Weighted({75, 18, 7});
    if (folder || kind == 1) {
        step.kind = Step::Kind::RemovePath;
    } else if (kind == 2 && missing) {
        step.kind = Step::Kind::MakeFolder;
    } else {
        step.kind = Step::Kind::WriteFile;
        step.bytes = RecordBytes(m_random.Chance(30));
    }
    return step;
}

Step SoakDriver::WindowStep() {
    Step step;
    if (m_wmHolding) {
        // The window manager gives the window back its size, or settles it at another.
        Step back;
        back.kind = Step::Kind::Resize;
        const QSize size = m_random.Chance(97) ? m_settledFrame : RandomFrameSize(true);
        back.w = size.width();
        back.h = size.height();
        Step settle;
        settle.kind = Step::Kind::EnableRepaints;
        m_planned.push_back(settle);
        m_wmHolding = false;
        return back;
    }
    if (m_random.Chance(96)) {
        // Unmaximised by the window manager: the window passes through another size.
        step.kind = Step::Kind::HoldRepaints;
        Step other;
        other.kind = Step::Kind::Resize;
        const QSize size = m_random.Chance(50)
                               ? RandomFrameSize(m_random.Chance(50))
                               : QSize(m_random.Between(200, 1400), m_random.Between(100, 1000));
        other.w = size.width();
        other.h = size.height();
        m_planned.push_back(other);
        m_wmHolding = true;
        return step;
    }
    // A real change of size: wider at the same height may still fit the same layout.
    step.kind = Step::Kind::Resize;
    const QSize size =
        m_random.Chance(50)
            ? QSize(m_settledFrame.width() + m_random.Between(1, 300), m_settledFrame.height())
            : RandomFrameSize(true);
    step.w = size.width();
    step.h = size.height();
    Step settle;
    settle.kind = Step::Kind::EnableRepaints;
    m_planned.push_back(settle);
    return step;
}

Step SoakDriver::NestedStep(bool held) {
    if (!held) {
        // Inside a modal window only timers and repaints reach the program.
        switch (m_random.Weighted({40, 30, 30})) {
        case 0:
            return TickStep();
        case 1: {
            Step step;
            step.kind = Step::Kind::Expose;
            return step;
        }
        default: {
            Step step;
            step.kind = Step::Kind::Flush;
            return step;
        }
        }
    }
    switch (m_random.Weighted({35, 20, 15, 10, 10, 10})) {
    case 0:
        return KeyStep(false);
    case 1:
        return ClickStep();
    case 2:
        return CommandStep();
    case 3:
        return TickStep();
    case 4: {
        Step step;
        step.kind = Step::Kind::Expose;
        return step;
    }
    default: {
        Step step;
        step.kind = Step::Kind::Flush;
        return step;
    }
    }
}

// ---- Giving a step ----------------------------------------------------------------------------

void SoakDriver::Give(Step& step) {
    CMainFrame& frame = *m_frame;
    QtViewHost& host = frame.Host();
    CGlobuleView& view = frame.View();
    switch (step.kind) {
    case Step::Kind::Key:
        if (step.stop) {
            const int s = view.m_nCrossStep;
            if (m_random.Chance(25)) {
                Split split;
                split.dx = 4 * m_random.Between(-5, 5);
                split.dy = 4 * m_random.Between(-5, 5);
                const int a = m_random.Between(300, 4000);
                split.moved = split.dx == 0 ? 0 : std::abs(split.dx) * m_random.Between(1, 150);
                if (m_random.Chance(50)) {
                    // Shaped for a jackpot: the quarter that gains the band is the smallest.
                    auto more = [&] { return a + split.moved + m_random.Between(0, 2000); };
                    split.topLeft = split.dx >= 0 ? a : more();
                    split.topRight = split.dx < 0 ? a : more();
                    split.bottomRight = more();
                    split.bottomLeft = more();
                } else {
                    split.topLeft = m_random.Between(50, 6000);
                    split.topRight = m_random.Between(50, 6000);
                    split.bottomRight = m_random.Between(50, 6000);
                    split.bottomLeft = m_random.Between(50, 6000);
                }
                PaintSplit(view, host.ClientImage(), s, split);
                step.forced = true;
                step.forcedScore = SplitScore(split);
                m_paintedScore = step.forcedScore;
            }
        }
        QTest::keyClick(&host, Qt::Key(step.code), Qt::KeyboardModifiers(step.mods));
        m_paintedScore = -1;
        break;
    case Step::Kind::Click:
    case Step::Kind::DoubleClick: {
        const QPoint at(static_cast<int>(host.ViewArea().left()) + step.x, step.y);
        const CPoint pixel = host.ToView(at);
        step.viewX = pixel.x;
        step.viewY = pixel.y;
        const auto button = Qt::MouseButton(step.button);
        const auto mods = Qt::KeyboardModifiers(step.mods);
        QTest::mouseClick(&host, button, mods, at);
        if (step.kind == Step::Kind::DoubleClick) {
            // The second press of a double click reaches a widget as a double-click event.
            QTest::mouseDClick(&host, button, mods, at);
            QTest::mouseRelease(&host, button, mods, at);
        }
        break;
    }
    case Step::Kind::Tick:
        step.ran = host.FireTimerForTest(step.code);
        break;
    case Step::Kind::Expose:
        host.RequestRepaint();
        break;
    case Step::Kind::Flush:
        QCoreApplication::sendPostedEvents();
        break;
    case Step::Kind::Command:
        step.ran = frame.Execute(step.code);
        break;
    case Step::Kind::HoldRepaints:
        host.HoldRepaints();
        break;
    case Step::Kind::Resize:
        frame.resize(step.w, step.h);
        step.widget = host.size();
        step.client = host.ClientImage().size();
        break;
    case Step::Kind::EnableRepaints:
        host.EnableRepaints();
        step.widget = host.size();
        step.client = host.ClientImage().size();
        m_settledFrame = frame.size();
        break;
    case Step::Kind::WriteFile: {
        QFile file(step.path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(step.bytes.data(), static_cast<qint64>(step.bytes.size())) !=
                static_cast<qint64>(step.bytes.size())) {
            Flag("the soak could not write " + step.path.toStdString());
        }
        break;
    }
    case Step::Kind::MakeFolder:
        QDir().mkdir(step.path);
        break;
    case Step::Kind::RemovePath:
        if (QFileInfo(step.path).isDir()) {
            QDir().rmdir(step.path);
        } else {
            QFile::remove(step.path);
        }
        break;
    case Step::Kind::Start:
    case Step::Kind::Exit:
        break;
    }
}

void SoakDriver::StopBegins(std::size_t index) {
    StopEnds();
    const CGlobuleView& view = m_frame->View();
    const int s = view.m_nCrossStep;
    Modal& stop = ModalAt(index);
    stop.onCentre = view.m_aCrossDx[s] == 0 && view.m_aCrossDy[s] == 0;
    if (m_paintedScore >= 0) {
        stop.forced = true; // the first stop of the step is the one the split was painted for
        stop.forcedScore = m_paintedScore;
        m_paintedScore = -1;
    }
    m_openStop = index;
}

void SoakDriver::StopEnds() {
    if (m_openStop != SIZE_MAX && m_frame) {
        ModalAt(m_openStop).score = static_cast<int>(m_frame->View().m_fScore);
    }
    m_openStop = SIZE_MAX;
}

std::size_t SoakDriver::BeginModal(Modal::Kind kind) {
    Modal modal;
    modal.kind = kind;
    m_record->push_back(std::move(modal));
    return m_record->size() - 1;
}

void SoakDriver::InsideModal(std::size_t index) {
    if (m_modalDepth >= 2 || !m_frame) {
        return;
    }
    ++m_modalDepth;
    const int count = m_random.Weighted({60, 25, 15});
    for (int i = 0; i < count; ++i) {
        Step step = NestedStep(false);
        Give(step);
        ModalAt(index).during.push_back(step);
        ++m_nested;
    }
    --m_modalDepth;
}

void SoakDriver::DuringHold(std::size_t index) {
    if (!m_frame) {
        return;
    }
    if (!m_frame->Host().Holding()) {
        Flag("a waited sound did not hold the program");
    }
    ++m_modalDepth;
    const int count = m_random.Weighted({25, 30, 25, 20});
    for (int i = 0; i < count; ++i) {
        Step step = NestedStep(true);
        const Picture before = ReadProgram(*m_frame, *m_doc, *m_recent);
        Give(step);
        const std::string changed =
            MatchDifferences(before, ReadProgram(*m_frame, *m_doc, *m_recent));
        if (!changed.empty()) {
            Flag("during the hold, " + Describe(step) + " reached the game:\n" + changed);
        }
        ModalAt(index).during.push_back(step);
        ++m_nested;
    }
    --m_modalDepth;
}

// ---- Answers ----------------------------------------------------------------------------------

QString SoakDriver::PoolPath() {
    return m_pool[static_cast<std::size_t>(m_random.Below(int(m_pool.size())))];
}

QString SoakDriver::OpenAnswer() {
    switch (m_random.Weighted({70, 10, 20})) {
    case 0:
        return PoolPath();
    case 1:
        return m_random.Pick(m_elsewhere);
    default:
        return QString(); // cancelled
    }
}

QString SoakDriver::SaveAnswer() {
    switch (m_random.Weighted({75, 8, 17})) {
    case 0:
        return PoolPath();
    case 1:
        return m_random.Pick(m_elsewhere);
    default:
        return QString();
    }
}

QString SoakDriver::RandomTypedName() {
    // Letters and digits, blanks, two characters of the code page beyond ASCII and two it
    // lacks; sometimes more than the box takes.
    static const QString kAlphabet = QStringLiteral("abcxyzABCXYZ019 -'?\u00e9\u20ac\u0141\u4e2d");
    QString typed;
    const int length = m_random.Chance(15) ? m_random.Between(11, 16) : m_random.Between(1, 8);
    for (int i = 0; i < length; ++i) {
        typed += kAlphabet.at(m_random.Below(int(kAlphabet.size())));
    }
    return typed;
}

std::string SoakDriver::RandomName() {
    switch (m_random.Weighted({50, 8, 6, 6, 6, 6, 4, 4})) {
    case 0:
        return m_random.Pick({std::string("Alice"), std::string("alice"), std::string("Zed"),
                              std::string("zed"), std::string("Bob"), std::string("Burt"),
                              std::string("Cindy"), std::string("X")});
    case 1:
        return std::string();
    case 2:
        return std::string("  ");
    case 3:
        return std::string(static_cast<std::size_t>(m_random.Pick({255, 300, 254, 11})), 'n');
    case 4:
        return Bytes({'J', 0xE9, 'r', 0xF4, 'm', 0xE9});
    case 5:
        return Bytes({0x80, 0x81, 0x8D, 0xFF, 'z'});
    case 6:
        return std::string("Same");
    default:
        return std::string("A\tB");
    }
}

std::string SoakDriver::RecordBytes(bool odd) {
    soakfile::FileRecord record;
    soakfile::Spelling spelling;
    auto oddValue = [this]() -> std::int32_t {
        return m_random.Pick({0, 1, -1, 50, 1000, 1001, INT_MAX, INT_MIN, INT_MAX - 49, -1000});
    };
    const int active = m_random.Below(6);
    for (int i = 0; i < 6; ++i) {
        soakfile::PlayerBlock& p = record.players[static_cast<std::size_t>(i)];
        p.numGames = m_random.Between(0, 20);
        p.lastGame = m_random.Between(0, 1100);
        p.allGames = p.numGames * m_random.Between(0, 1000);
        p.bestGame = std::max(p.lastGame, m_random.Between(0, 1100));
        p.average = m_random.Between(0, 1000);
        p.active = i == active ? 1 : 0;
        if (odd) {
            for (std::int32_t* v :
                 {&p.allGames, &p.lastGame, &p.numGames, &p.average, &p.bestGame}) {
                if (m_random.Chance(40)) {
                    *v = m_random.Chance(80) ? oddValue() : m_random.Int32();
                }
            }
            if (m_random.Chance(30)) {
                p.active = m_random.Pick({0, 1, 2, -1});
            }
        }
        record.names[static_cast<std::size_t>(i)] = RandomName();
        const std::string& name = record.names[static_cast<std::size_t>(i)];
        spelling.wide[static_cast<std::size_t>(i)] =
            m_random.Chance(10) && std::all_of(name.begin(), name.end(), [](char c) {
                return static_cast<unsigned char>(c) < 0x80;
            });
    }
    const int speed = m_random.Below(5);
    record.sortRow = m_random.Between(0, 6);
    record.pot = 50 * m_random.Between(0, 20);
    record.speedIndex = speed;
    record.interval = kSpeedIntervals[speed];
    record.label = kSpeedLabels[speed];
    if (odd) {
        if (m_random.Chance(40)) {
            record.sortRow = m_random.Pick({-1, 7, 100, INT_MIN});
        }
        if (m_random.Chance(40)) {
            record.pot = oddValue();
        }
        if (m_random.Chance(40)) {
            record.speedIndex = m_random.Pick({-1, 5, 1000});
        }
        if (m_random.Chance(40)) {
            record.interval = m_random.Pick({0, -1, 1, INT_MAX, -2990, 123});
        }
        if (m_random.Chance(40)) {
            // Labels stay ASCII: the caption shows them as they are.
            record.label = m_random.Pick({std::string(), std::string(80, 'L'),
                                          std::string("Speed: Warp "), std::string(" ")});
        }
    }
    spelling.wide[6] = m_random.Chance(10);
    std::string bytes;
    switch (m_random.Weighted({60, 20, 8, 4, 8})) {
    case 0:
        return soakfile::Encode(record, spelling);
    case 1: // cut anywhere
        bytes = soakfile::Encode(record, spelling);
        return bytes.substr(0,
                            static_cast<std::size_t>(m_random.Between(1, int(bytes.size()) - 1)));
    case 2:
        return std::string(); // an empty file reads nothing and opens
    case 3:                   // a string that claims four gigabytes
        return soakfile::Encode(record).substr(0, 160) +
               Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
    default:
        spelling.trailing = Bytes({0x00, 0xFF, 'x', 0x0A});
        return soakfile::Encode(record, spelling);
    }
}

QSize SoakDriver::RandomFrameSize(bool accepted) {
    return accepted ? m_random.Pick(kAcceptedFrames) : m_random.Pick(kRefusedFrames);
}

// ---- Checks beyond the picture -----------------------------------------------------------------

std::string SoakDriver::CheckFiles() {
    for (const auto& [path, entry] : m_model.Files()) {
        const QFileInfo info(path);
        switch (entry.type) {
        case MatchModel::Entry::Type::Missing:
            if (info.exists()) {
                return path.toStdString() + " exists; the model has it missing";
            }
            break;
        case MatchModel::Entry::Type::Folder:
            if (!info.isDir()) {
                return path.toStdString() + " is not a folder";
            }
            break;
        case MatchModel::Entry::Type::File:
            if (!info.isFile() || ReadAll(path) != entry.bytes) {
                return path.toStdString() + " does not hold the bytes the model expects (" +
                       std::to_string(ReadAll(path).size()) + " bytes, expected " +
                       std::to_string(entry.bytes.size()) + ")";
            }
            break;
        }
    }
    // A saved file loads back to the record it was saved from (the last save to each path).
    std::map<QString, const MatchModel::Saved*> last;
    for (const MatchModel::Saved& saved : m_model.SavedByLastStep()) {
        last[saved.path] = &saved;
    }
    for (const auto& [path, saved] : last) {
        const std::optional<soakfile::FileRecord> loaded = soakfile::Decode(ReadAll(path));
        if (!loaded || !(*loaded == saved->record)) {
            return "the file saved to " + path.toStdString() +
                   " does not load back to the record it was saved from";
        }
    }
    return {};
}

std::string SoakDriver::CheckPositions() {
    if (m_model.Screen() != kPlay || m_model.GamesStarted() == m_checkedGame) {
        return {};
    }
    m_checkedGame = m_model.GamesStarted();
    // Eleven positions: the first axis a shuffle of the offsets with 0 never first or last,
    // the second 0 at the same position and its ten others in an order of their own.
    const CGlobuleView& v = m_frame->View();
    std::vector<int> dx, dyOthers;
    std::string order;
    for (int p = 1; p <= 11; ++p) {
        dx.push_back(v.m_aCrossDx[p]);
        order +=
            " (" + std::to_string(v.m_aCrossDx[p]) + "," + std::to_string(v.m_aCrossDy[p]) + ")";
        if ((v.m_aCrossDx[p] == 0) != (v.m_aCrossDy[p] == 0)) {
            return "position " + std::to_string(p) + " is the centre on one axis only:" + order;
        }
        if (v.m_aCrossDy[p] != 0) {
            dyOthers.push_back(v.m_aCrossDy[p]);
        }
    }
    std::vector<int> offsets = {20, 16, 12, 8, 4, 0, -4, -8, -12, -16, -20};
    std::vector<int> nonZero = {20, 16, 12, 8, 4, -4, -8, -12, -16, -20};
    std::sort(dx.begin(), dx.end());
    std::sort(dyOthers.begin(), dyOthers.end());
    std::sort(offsets.begin(), offsets.end());
    std::sort(nonZero.begin(), nonZero.end());
    if (dx != offsets || dyOthers != nonZero || v.m_aCrossDx[1] == 0 || v.m_aCrossDx[11] == 0) {
        return "the cross-hair positions break their rules:" + order;
    }
    return {};
}
