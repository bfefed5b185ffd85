#include "SoakDriver.h"

#include "MatchRules.h"
#include "app/CommandIds.h"

#include <Qt>
#include <algorithm>
#include <vector>

using rules::kHome;
using rules::kPlay;
using rules::kScore;

namespace {

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

} // namespace

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
        step.code = rules::kSpeeds[m_random.Below(5)].command;
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
    // A panel comes or goes, the player resizes or unmaximises the window, full screen, a
    // tiling layout: any size, and most often back to where it was.
    Step step;
    step.kind = Step::Kind::Resize;
    const int kind = m_random.Weighted({40, 30, 30});
    const QSize size = kind == 0 ? m_settledFrame
                       : kind == 1
                           ? QSize(m_settledFrame.width() + m_random.Between(-60, 300),
                                   m_settledFrame.height() + m_random.Between(-60, 60))
                           : QSize(m_random.Between(200, 1600), m_random.Between(100, 1200));
    step.w = size.width();
    step.h = size.height();
    return step;
}

Step SoakDriver::NestedStep(bool held) {
    // Inside a modal window only timers and repaints reach the program; during a hold any
    // input may come, and must wait.
    enum Pick { kKey, kClick, kCommand, kTick, kExpose, kFlush };
    const int pick = held ? m_random.Weighted({35, 20, 15, 10, 10, 10})
                          : kTick + m_random.Weighted({40, 30, 30});
    Step step;
    switch (pick) {
    case kKey:
        return KeyStep(false);
    case kClick:
        return ClickStep();
    case kCommand:
        return CommandStep();
    case kTick:
        return TickStep();
    case kExpose:
        step.kind = Step::Kind::Expose;
        return step;
    default:
        step.kind = Step::Kind::Flush;
        return step;
    }
}
