#pragma once

#include <QString>
#include <Qt>
#include <cstdint>
#include <string>

// The game's rules as tables and small sums, for the model: screens, keys, commands, speeds,
// the accelerator table, names, and how numbers and names compare.
namespace rules {
inline constexpr int kHome = 0, kScore = 4, kPlay = 5;
inline constexpr int kSpace = 32, kPageUp = 33, kPageDown = 34, kEnd = 35, kF1 = 112;

inline constexpr int kNew = 57600, kOpen = 57601, kSave = 57603, kSaveAs = 57604, kRecent = 57616;
inline constexpr int kAbout = 57664, kExit = 57665, kChangeNames = 32771;

struct Speed {
    const char* label;
    int interval;
    int command;
};
inline constexpr Speed kSpeeds[5] = {{"Speed: Fastest ", 990, 32777},
                                     {"Speed: Fast ", 1990, 32773},
                                     {"Speed: Medium ", 2990, 32775},
                                     {"Speed: Slow ", 3990, 32776},
                                     {"Speed: Slowest ", 4990, 32778}};
inline const char* const kDefaultNames[6] = {"Alice", "Burt", "Cindy", "Donald", "Ellen", "Frank"};
inline const char* const kNoFile = "None.";

// The commands the accelerator table binds; none of these keys reaches the view.
inline int ShortcutCommand(int key, int mods) {
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

inline int VirtualKey(int key) {
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
inline std::int32_t Wrap(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// (total + games / 2) / games, in integers, for games > 0. Taken wider than 32 bits: the game
// does so rather than overflow on a loaded total near the limit.
inline std::int32_t RoundedAverage(std::int32_t total, std::int32_t games) {
    return static_cast<std::int32_t>((std::int64_t{total} + games / 2) / games);
}

// Names compare as bytes, with no case folding.
inline bool Greater(const std::string& a, const std::string& b) {
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

// A message names a path as the file system does, as the caption shows it.
inline std::string MessagePath(const QString& path) {
    return path.toStdString();
}

} // namespace rules
