#include "render/DisplayMode.h"

namespace {

struct ModeRow {
    int maxWidthExclusive;
    int minHeightExclusive;
    int marginX, marginY, bannerTop, bannerGap, textFontHeight;
};

constexpr ModeRow kModes[] = {
    {1025, 700, 8, 8, 7, 3, 22},    {1153, 800, 10, 10, 12, 4, 24},
    {1281, 960, 14, 14, 12, 6, 28}, {1281, 880, 14, 14, 12, 4, 28},
    {1281, 700, 14, 12, 12, 4, 24}, {1601, 1120, 18, 18, 12, 6, 32},
    {1601, 830, 18, 14, 12, 6, 28},
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
