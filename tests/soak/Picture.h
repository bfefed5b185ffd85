#pragma once

#include <QSize>
#include <QStringList>
#include <array>
#include <cstdint>
#include <string>

// Everything the soak compares after a step: the match record, the view's screen state, its
// timers and the window's caption and recent files. Filled from the program, or from the model.
struct Picture {
    std::array<std::string, 6> names;
    std::array<std::int32_t, 6> lastGame{}, allGames{}, numGames{}, average{}, bestGame{}, active{};
    std::int32_t pot = 0, sortRow = 0, speedIndex = 0, interval = 0;
    std::string label, fileName, pathName;
    int nothingLoaded = 0, unsaved = 0, mirror = 0;

    int screen = 0, page = 0, activePlayer = 0, viewSpeed = 0, showJackpot = 0, crossStep = 0;
    int fixed = 0, bad = 0;
    int timer1 = 0, timer2 = 0; // periods in ms, 0 when stopped
    bool holding = false;
    QSize client;

    QStringList recent;
    // The window title: exactly this, or (when `titleIsTail`) ending in it.
    std::string title;
    bool titleIsTail = false;
};

// The differences, one per line, as "field: expected X, program Y"; empty when they agree.
std::string Differences(const Picture& expected, const Picture& program);
// The state of the match alone, for "nothing changed meanwhile".
std::string MatchDifferences(const Picture& before, const Picture& after);
