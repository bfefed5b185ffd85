#pragma once

// How an installed face stands in for one the game asks for: its em in pixels and its width
// in percent (see CFont::CreateFont).
struct StandIn {
    int emPixels = 0;
    int stretch = 0;
};

// Which of the seven layouts a client area of W x H pixels gets, decided once at the first
// paint. The thresholds are client sizes of a maximised window, a little under the screen
// sizes the refusal names; the first matching row wins.
struct DisplayMode {
    enum class Refusal { None, TooNarrow, UnsupportedSize };

    int mode = 0; // 1..7, or 0 when refused
    Refusal refusal = Refusal::None;
    int marginX = 0;
    int marginY = 0;
    int bannerTop = 0;
    int bannerGap = 0; // in marginY units
    int textFontHeight = 0;
    // The sizes at which the Home text and the score table fit their rectangles.
    StandIn textFont;
    StandIn tableFont;
};

// The heavy 32-pixel font's rectangles (file hints, "Jackpot", tick counter, pot) are the same
// in every mode; narrowed so that the hints' longest word fits their 87-pixel width.
inline constexpr StandIn kLargeFont = {23, 90};

DisplayMode ChooseDisplayMode(int width, int height);

// The widest area no wider than `width` (at this height) that a mode accepts, or 0 if none.
// Lets a display wider than any layout play in a centred area instead of being refused.
int WidestAcceptedWidth(int width, int height);

inline constexpr const char* kTooNarrowMessage =
    "THIS GAME WILL NOT RUN AT RESOLUTIONS BELOW 1024x768. PLEASE QUIT NOW BY PRESSING THE Alt "
    "and F4 KEYS.";
inline constexpr const char* kUnsupportedSizeMessage =
    "THIS GAME WILL NOT RUN AT THE CURRENT RESOLUTION. TRY 1024x768, 1152x864, 1280x768, "
    "1280x960, 1280x1024, 1600x900, or 1600x1200. PLEASE QUIT NOW BY PRESSING THE Alt and F4 "
    "KEYS.";
