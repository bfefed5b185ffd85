#pragma once

#include "platform/Geometry.h"

// The view's image for a window area of realWidth x realHeight device pixels on a screen whose
// device-pixel ratio is `ratio`. The view is scaled as the desktop scales everything else when
// a display mode accepts the area that leaves (narrowed, if need be, to the widest area a mode
// accepts); otherwise it plays at the largest scale between 1 and `ratio`, in hundredths, at
// which a mode accepts the area as wide as the screens that mode was made for, or failing
// that at any width. When no scale helps, the placement is the desktop's, and the view
// refuses it.
ViewPlacement ChooseViewPlacement(int realWidth, int realHeight, double ratio);
