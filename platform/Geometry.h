#pragma once

// Rectangles keep exclusive right and bottom edges, as every drawing call here expects.
struct CPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CPoint&) const = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool PtInRect(CPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool operator==(const CRect&) const = default;
};

// Where the view's image sits in its window: its size in the view's own pixels, and how many
// device pixels each of them takes on screen.
struct ViewPlacement {
    int width = 0;
    int height = 0;
    double scale = 1.0;
    bool operator==(const ViewPlacement&) const = default;
};
