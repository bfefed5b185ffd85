#pragma once

class CGlobuleView;
class QImage;

// A blob whose quarters are known exactly, painted under cross-hair position `entry` so that a
// stop there has a score the soak can work out: the centre at the middle of the blob area,
// the position at (dx, dy) from it, a red block well inside each quarter, and a band of
// `moved` pixels between the two vertical lines, above both points, that one of them counts
// on its left and the other on its right.
struct Split {
    int dx = 0, dy = 0;
    int topLeft = 0, topRight = 0, bottomRight = 0, bottomLeft = 0;
    int moved = 0; // a multiple of |dx|; 0 when dx is 0
};

void PaintSplit(CGlobuleView& view, QImage& image, int entry, const Split& split);
// The score of a stop on the painted position: its smallest quarter against the centre's.
int SplitScore(const Split& split);
