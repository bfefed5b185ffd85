// Prints how the game places its view in a widget of the given real size at the given
// device-pixel ratio, and the display mode it then plays in: "WIDTH HEIGHT SCALE MODE".
#include "render/DisplayMode.h"
#include "render/ViewPlacement.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: placement_probe REAL_WIDTH REAL_HEIGHT RATIO\n");
        return 2;
    }
    const ViewPlacement placed =
        ChooseViewPlacement(std::atoi(argv[1]), std::atoi(argv[2]), std::atof(argv[3]));
    std::printf("%d %d %.2f %d\n", placed.width, placed.height, placed.scale,
                ChooseDisplayMode(placed.width, placed.height).mode);
    return 0;
}
