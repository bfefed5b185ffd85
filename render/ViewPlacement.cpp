#include "render/ViewPlacement.h"

#include "render/DisplayMode.h"

#include <algorithm>
#include <cmath>

namespace {

// The area at this scale, narrowed to the widest width a mode accepts; width 0 if none does.
ViewPlacement AcceptedAt(int realWidth, int realHeight, double scale) {
    // The small allowance keeps an exact quotient such as 1920 / 1.5 from rounding down.
    const int width = static_cast<int>(std::floor(realWidth / scale + 1e-9));
    const int height = static_cast<int>(std::floor(realHeight / scale + 1e-9));
    const int fitted =
        ChooseDisplayMode(width, height).mode != 0 ? width : WidestAcceptedWidth(width, height);
    return {fitted, height, scale};
}

// A mode's layout was made for screens as wide as the widest area it takes; narrower, its
// texts may not fit their rectangles.
bool AsWideAsItsMode(const ViewPlacement& placed) {
    return ChooseDisplayMode(placed.width + 1, placed.height).mode !=
           ChooseDisplayMode(placed.width, placed.height).mode;
}

} // namespace

ViewPlacement ChooseViewPlacement(int realWidth, int realHeight, double ratio) {
    const double desktop = std::max(ratio, 1.0);
    if (const ViewPlacement atDesktop = AcceptedAt(realWidth, realHeight, desktop);
        atDesktop.width > 0) {
        return atDesktop;
    }
    // The largest scale at which the area is as wide as the mode that takes it, and failing
    // that the largest at which a mode takes it at all.
    for (const bool asWide : {true, false}) {
        for (int hundredths = static_cast<int>(std::ceil(desktop * 100)) - 1; hundredths >= 100;
             --hundredths) {
            const ViewPlacement smaller = AcceptedAt(realWidth, realHeight, hundredths / 100.0);
            if (smaller.width > 0 && (!asWide || AsWideAsItsMode(smaller))) {
                return smaller;
            }
        }
    }
    return {static_cast<int>(std::floor(realWidth / desktop + 1e-9)),
            static_cast<int>(std::floor(realHeight / desktop + 1e-9)), desktop};
}
