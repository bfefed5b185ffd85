#pragma once

#include "engine/GlobuleView.h"

#include <QImage>
#include <gtest/gtest.h>

// Replaces the blob of a game at position 1 with one whose quarters are known exactly. The
// centre is put at the middle of the blob area and position 1 at (+dx, +dy) from it; red
// blocks far from both points fill the four quarters, and a band of `moved` pixels between the
// two vertical lines, above both points, counts as top-right for the centre and top-left for
// the chosen point. The cross hairs are drawn again at position 1, ready for the stop.
inline void PaintKnownSplit(CGlobuleView& v, QImage& image, int dx, int dy, int topLeft,
                            int topRight, int bottomRight, int bottomLeft, int moved) {
    CDC dc(image);
    v.EraseCrossHairs(1, dc);
    v.m_nCentreX = 240;
    v.m_nCentreY = 240;
    v.m_aCrossDx[1] = dx;
    v.m_aCrossDy[1] = dy;
    const int L = v.m_rcBlob.left;
    const int T = v.m_rcBlob.top;
    dc.FillRect(CRect(L, T, L + 480, T + 480), v.m_brPaleGreen);
    CBrush red;
    red.CreateSolidBrush(RGB(255, 0, 0));
    auto block = [&](int x, int y, int count) { // 100 pixels wide, near a corner
        const int rows = count / 100;
        dc.FillRect(CRect(x, y, x + 100, y + rows), red);
        dc.FillRect(CRect(x, y + rows, x + count % 100, y + rows + 1), red);
    };
    block(L + 10, T + 10, topLeft);
    block(L + 360, T + 10, topRight);
    block(L + 360, T + 300, bottomRight);
    block(L + 10, T + 300, bottomLeft);
    const int bandLeft = L + 240;
    const int bandWidth = dx;
    ASSERT_EQ(moved % bandWidth, 0);
    const int rows = moved / bandWidth;
    dc.FillRect(CRect(bandLeft, T + 240 - 5 - rows, bandLeft + bandWidth, T + 240 - 5), red);
    v.DrawCrossHairs(1, dc);
}
