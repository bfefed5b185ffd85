#include "engine/GlobuleView.h"

#include <cstdio>

namespace {

constexpr int kSide = 240;
constexpr std::uint32_t kRedPixel = 0xFF000000u | RGB(255, 0, 0);

} // namespace

void CGlobuleView::PaintBlob(CDC& dc) const {
    // Right and bottom are exclusive, so the last blob column and row are not cleared; no
    // shape reaches them and every caller has just cleared the whole client area.
    dc.FillRect(m_rcBlob, m_brPaleGreen);

    const int x0 = m_rcBlob.left;
    const int y0 = m_rcBlob.top;
    const bool inside = dc.Inside(x0, y0) && dc.Inside(x0 + 479, y0 + 479);
    std::uint32_t* rows[480] = {};
    if (inside) {
        for (int n = 0; n < 480; ++n) {
            rows[n] = dc.ScanLine(y0 + n) + x0;
        }
    }
    // Each quarter mirrored into place, a screen row at a time: the writes stay together,
    // and a quarter's bytes, read across, are few enough to stay in the cache.
    for (const QuarterPlacement& q : Quarters()) {
        for (int j = 0; j < kSide; ++j) {
            const int dy = q.mirrorY ? 479 - j : j;
            for (int i = 0; i < kSide; ++i) {
                if (!q.image[i * kSide + j]) {
                    continue;
                }
                const int dx = q.mirrorX ? 479 - i : i;
                if (inside) {
                    rows[dy][dx] = kRedPixel;
                } else {
                    dc.SetPixel(x0 + dx, y0 + dy, RGB(255, 0, 0));
                }
            }
        }
    }
}

void CGlobuleView::PaintCrossHairs(int entry, CDC& dc) const {
    const int x = CrossX(entry);
    const int y = CrossY(entry);
    dc.SelectStockPen();
    dc.MoveTo(m_rcBlob.left, y);
    dc.LineTo(m_rcBlob.right, y);
    dc.MoveTo(x, m_rcBlob.top);
    dc.LineTo(x, m_rcBlob.bottom);
}

void CGlobuleView::EraseCrossHairs(int entry, CDC& dc) const {
    const int x = CrossX(entry);
    const int y = CrossY(entry);
    for (int n = 0; n < 480; ++n) {
        if (m_aSavedRow[n] != CLR_INVALID) {
            dc.SetPixel(m_rcBlob.left + n, y, m_aSavedRow[n]);
        }
        if (m_aSavedColumn[n] != CLR_INVALID) {
            dc.SetPixel(x, m_rcBlob.top + n, m_aSavedColumn[n]);
        }
    }
}

void CGlobuleView::DrawTickCounter(int left, CDC& dc) const {
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(m_fontLarge);
    dc.SelectObject(m_brOrange);
    dc.SelectStockPen();
    dc.Rectangle(m_rcTickBox);
    std::snprintf(m_szNumber, sizeof m_szNumber, "%i", left);
    dc.DrawText(m_szNumber, m_rcTickNumber, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    std::snprintf(m_szNumber, sizeof m_szNumber, "%s", "Left");
    dc.DrawText(m_szNumber, m_rcTickLabel, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CGlobuleView::ShowPinCenterLegend(CDC& dc) const {
    dc.BitBlt(m_rcPinCenter.left, m_rcPinCenter.top, 412, 50, m_bmpPinCenter);
}
