#include "render/DisplayMode.h"

namespace {

struct ModeRow {
    int maxWidthExclusive;
    int minHeightExclusive;
    int marginX, marginY, bannerTop, bannerGap, textFontHeight;
};

constexpr ModeRow kModes[] = {
    {1025, 700, 8, 8, 7, 3, 22},     // 1
    {1153, 800, 10, 10, 12, 4, 24},  // 2
    {1281, 960, 14, 14, 12, 6, 28},  // 3
    {1281, 880, 14, 14, 12, 4, 28},  // 4
    {1281, 700, 14, 12, 12, 4, 24},  // 5
    {1601, 1120, 18, 18, 12, 6, 32}, // 6
    {1601, 830, 18, 14, 12, 6, 28},  // 7
};

// The installed faces run wider than those the layout was made for. The Home text font keeps
// the em of the mode's cell height where a stretch down to 85 % fits every page over the sizes
// the mode takes, else its em shrinks; the table font is 16 px so that descenders stay inside
// the 18-pixel rows, and narrower where the player cells are.
struct StandInRow {
    StandIn text, table;
};
constexpr StandInRow kStandIns[] = {
    {{19, 94}, {16, 94}},  // 1
    {{21, 94}, {16, 100}}, // 2
    {{25, 88}, {16, 100}}, // 3
    {{24, 86}, {16, 100}}, // 4
    {{20, 85}, {16, 100}}, // 5
    {{28, 94}, {16, 100}}, // 6
    {{23, 92}, {16, 100}}, // 7
};

} // namespace

DisplayMode ChooseDisplayMode(int width, int height) {
    DisplayMode result;
    if (width < 801) {
        result.refusal = DisplayMode::Refusal::TooNarrow;
        return result;
    }
    int number = 1;
    for (const ModeRow& row : kModes) {
        if (width < row.maxWidthExclusive && height > row.minHeightExclusive) {
            result.mode = number;
            result.marginX = row.marginX;
            result.marginY = row.marginY;
            result.bannerTop = row.bannerTop;
            result.bannerGap = row.bannerGap;
            result.textFontHeight = row.textFontHeight;
            result.textFont = kStandIns[number - 1].text;
            result.tableFont = kStandIns[number - 1].table;
            return result;
        }
        ++number;
    }
    result.refusal = DisplayMode::Refusal::UnsupportedSize;
    return result;
}

int WidestAcceptedWidth(int width, int height) {
    for (int w = width; w >= 801; --w) {
        if (ChooseDisplayMode(w, height).mode != 0) {
            return w;
        }
    }
    return 0;
}
