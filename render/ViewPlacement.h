#pragma once

#include "platform/Geometry.h"

// The view's image for a window area of realWidth x realHeight device pixels on a screen whose
// device-pixel ratio is `ratio`, chosen once, at the view's first repaint. The view is scaled as
// the desktop scales everything else when a display mode accepts the area that leaves
// (narrowed, if need be, to the widest area a mode accepts); otherwise it plays at the largest
// scale between 1 and `ratio`, in hundredths, at which a mode accepts the area as wide as the
// screens that mode was made for, or failing that at any width; failing that, the same below 1
// down to kSmallestFirstScale (an Xwayland window on a scaled desktop, a netbook). When no scale
// helps, the placement is the desktop's, and the view refuses it.
ViewPlacement ChooseViewPlacement(int realWidth, int realHeight, double ratio);

// Below this the layout's texts are too small to read.
inline constexpr double kSmallestFirstScale = 0.75;

// Where an image laid out as `first` at device-pixel ratio `firstRatio` is shown, in device
// pixels, when its window area is realWidth x realHeight at ratio `ratio` (a panel came or went,
// the player resized the window, full screen, another monitor): as large as it was laid out, in
// the desktop's own units, or smaller so that it fits whole; centred; in whole device pixels.
struct ShownArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    double scale = 1.0; // device pixels per view pixel
    bool operator==(const ShownArea&) const = default;
};
ShownArea PlaceLaidOutView(const ViewPlacement& first, double firstRatio, int realWidth,
                           int realHeight, double ratio);
