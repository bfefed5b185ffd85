#include "ForcedSplit.h"

#include "engine/GlobuleView.h"

#include <QImage>
#include <algorithm>
#include <cstdlib>

void PaintSplit(CGlobuleView& v, QImage& image, int entry, const Split& split) {
    CDC dc(image);
    v.EraseCrossHairs(entry, dc);
    v.m_nCentreX = 240;
    v.m_nCentreY = 240;
    v.m_aCrossDx[entry] = split.dx;
    v.m_aCrossDy[entry] = split.dy;
    const int L = v.m_rcBlob.left;
    const int T = v.m_rcBlob.top;
    dc.FillRect(CRect(L, T, L + 480, T + 480), v.m_brPaleGreen);
    CBrush red;
    red.CreateSolidBrush(RGB(255, 0, 0));
    auto block = [&](int x, int y, int count) { // 100 pixels wide
        const int rows = count / 100;
        dc.FillRect(CRect(x, y, x + 100, y + rows), red);
        dc.FillRect(CRect(x, y + rows, x + count % 100, y + rows + 1), red);
    };
    block(L + 10, T + 10, split.topLeft);
    block(L + 360, T + 10, split.topRight);
    block(L + 360, T + 300, split.bottomRight);
    block(L + 10, T + 300, split.bottomLeft);
    if (split.dx != 0 && split.moved > 0) {
        const int width = std::abs(split.dx);
        const int rows = split.moved / width;
        const int left = split.dx > 0 ? L + 240 : L + 240 + split.dx;
        dc.FillRect(CRect(left, T + 215 - rows, left + width, T + 215), red);
    }
    v.DrawCrossHairs(entry, dc);
}

int SplitScore(const Split& s) {
    // The band lies right of the centre and left of the position when dx > 0, and the other
    // way round when dx < 0.
    const int toRight = s.dx > 0 ? s.moved : 0;
    const int toLeft = s.dx < 0 ? s.moved : 0;
    const int centre =
        std::min({s.topLeft + toLeft, s.topRight + toRight, s.bottomRight, s.bottomLeft});
    const int pin =
        std::min({s.topLeft + toRight, s.topRight + toLeft, s.bottomRight, s.bottomLeft});
    const float score = static_cast<float>(
        double{static_cast<float>(pin)} / double{static_cast<float>(centre)} * 1000.0 + 0.5);
    return static_cast<int>(score);
}
