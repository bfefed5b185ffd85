#pragma once

#include <array>
#include <string_view>

// Constant tables of a match.
namespace match {

constexpr int kPlayers = 6;
constexpr int kStatSlots = 10; // entries 6..8 unused; entry 9 is the sort's swap slot
constexpr int kSwapSlot = 9;

constexpr std::array<std::string_view, 8> kDefaultNames = {"Alice", "Burt",  "Cindy", "Donald",
                                                           "Ellen", "Frank", "Gerri", "Hugh"};

struct SpeedRow {
    std::string_view label;    // as shown in the window caption; note the trailing blank
    int intervalMs;            // time between two cross-hair moves
    std::string_view menuText; // the Options menu entry
    int commandId;
};

// Indexed by the speed index 0 (Fastest) .. 4 (Slowest).
constexpr std::array<SpeedRow, 5> kSpeeds = {{
    {"Speed: Fastest ", 990, "Set Speed To Fastest", 32777},
    {"Speed: Fast ", 1990, "Set Speed To Fast", 32773},
    {"Speed: Medium ", 2990, "Set Speed To Medium", 32775},
    {"Speed: Slow ", 3990, "Set Speed To Slow", 32776},
    {"Speed: Slowest ", 4990, "Set Speed To Slowest", 32778},
}};
constexpr int kDefaultSpeedIndex = 2;

// Captions of the score table's rows 0..5; sorting by row r stores sort row r + 1.
constexpr std::array<std::string_view, 6> kRowCaptions = {" ",       "Last Game", "All Games",
                                                          "# Games", "Average",   "Best Game"};

constexpr std::string_view kNoFile = "None.";

// Screen codes shared by the view and the record's screen mirror.
constexpr int kScreenHome = 0;
constexpr int kScreenScore = 4;
constexpr int kScreenPlay = 5;

} // namespace match
