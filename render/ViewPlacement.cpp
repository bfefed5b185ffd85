#include "render/ViewPlacement.h"

#include "render/DisplayMode.h"

#include <algorithm>
#include <cmath>

namespace {

// A length of real pixels in view pixels at this scale. The small allowance keeps an exact
// quotient such as 1920 / 1.5 from rounding down.
int AtScale(int real, double scale) {
    return static_cast<int>(std::floor(real / scale + 1e-9));
}

// The area at this scale, narrowed to the widest width a mode accepts; width 0 if none does.
ViewPlacement AcceptedAt(int realWidth, int realHeight, double scale) {
    const int width = AtScale(realWidth, scale);
    const int height = AtScale(realHeight, scale);
    const int fitted =
        ChooseDisplayMode(width, height).mode != 0 ? width : WidestAcceptedWidth(width, height);
    return {fitted, height, scale};
}

// A mode's layout was made for screens as wide as the widest area it takes; narrower, its
// texts may not fit their rectangles.
bool AsWideAsItsMode(int width, int height) {
    const int mode = ChooseDisplayMode(width, height).mode;
    return mode != 0 && ChooseDisplayMode(width + 1, height).mode != mode;
}

// The area at this scale narrowed to the widest width at which it is as wide as the mode that
// takes it; width 0 if there is none.
ViewPlacement AsWideAt(int realWidth, int realHeight, double scale) {
    const int height = AtScale(realHeight, scale);
    for (int width = AtScale(realWidth, scale); width > 0; --width) {
        if (AsWideAsItsMode(width, height)) {
            return {width, height, scale};
        }
    }
    return {0, height, scale};
}

} // namespace

ViewPlacement ChooseViewPlacement(int realWidth, int realHeight, double ratio) {
    const double desktop = std::max(ratio, 1.0);
    if (const ViewPlacement atDesktop = AcceptedAt(realWidth, realHeight, desktop);
        atDesktop.width > 0) {
        return atDesktop;
    }
    // Larger than 1:1 before smaller; within each, the largest scale at which the area is as
    // wide as the mode that takes it, and failing that the largest at which a mode takes it.
    struct Range {
        int fromHundredths, toHundredths;
    };
    const Range ranges[] = {
        {static_cast<int>(std::ceil(desktop * 100)) - 1, 100},
        {99, static_cast<int>(std::lround(kSmallestFirstScale * 100))},
    };
    for (const Range& range : ranges) {
        for (const bool asWide : {true, false}) {
            for (int hundredths = range.fromHundredths; hundredths >= range.toHundredths;
                 --hundredths) {
                const double scale = hundredths / 100.0;
                const ViewPlacement other = asWide ? AsWideAt(realWidth, realHeight, scale)
                                                   : AcceptedAt(realWidth, realHeight, scale);
                if (other.width > 0) {
                    return other;
                }
            }
        }
    }
    return {AtScale(realWidth, desktop), AtScale(realHeight, desktop), desktop};
}

ShownArea PlaceLaidOutView(const ViewPlacement& first, double firstRatio, int realWidth,
                           int realHeight, double ratio) {
    if (first.width <= 0 || first.height <= 0 || realWidth <= 0 || realHeight <= 0) {
        return {};
    }
    // The size it was laid out at, in the desktop's units, follows the screen's ratio; never
    // larger, where a picture stretched beyond its layout would only blur.
    const double laidOut = first.scale * ratio / firstRatio;
    const double fits = std::min(static_cast<double>(realWidth) / first.width,
                                 static_cast<double>(realHeight) / first.height);
    const double scale = std::min(laidOut, fits);
    ShownArea shown;
    shown.scale = scale;
    shown.width = std::min(realWidth, static_cast<int>(std::lround(first.width * scale)));
    shown.height = std::min(realHeight, static_cast<int>(std::lround(first.height * scale)));
    shown.left = (realWidth - shown.width) / 2;
    shown.top = (realHeight - shown.height) / 2;
    return shown;
}
