#include "engine/GlobuleView.h"
#include "engine/QuadrantShapes.h"

#include <cstring>

namespace {

constexpr int kSide = shapes::kSide;

} // namespace

void CGlobuleView::ComposeBlob() {
    // The four picked quarters, unpacked bit by bit in their stored order: word by word, bits
    // 0..30 each, one byte per pixel.
    BYTE* const images[4] = {m_abQuadTL, m_abQuadTR, m_abQuadBR, m_abQuadBL};
    for (int slot = 0; slot < 4; ++slot) {
        BYTE* out = images[slot];
        const std::int32_t* record = m_aQuadrant[m_aQuadrantPick[slot]];
        for (m_nBitWord = 1; m_nBitWord < 1859; ++m_nBitWord) {
            const auto word = static_cast<std::uint32_t>(record[m_nBitWord]);
            for (int bit = 0; bit < 31; ++bit) {
                *out++ = static_cast<BYTE>((word >> bit) & 1u);
            }
        }
        // The last word carries only the last two pixels.
        const auto last = static_cast<std::uint32_t>(record[1859]);
        out[0] = static_cast<BYTE>(last & 1u);
        out[1] = static_cast<BYTE>((last >> 1) & 1u);
    }

    // Each quarter mirrored into place; the right and lower halves count one index further
    // out, so index 240 stays empty.
    std::memset(m_aColumnCount, 0, sizeof(int) * 481);
    std::memset(m_aRowCount, 0, sizeof(int) * 481);
    for (const QuarterPlacement& q : Quarters()) {
        // Summed in the quarter's own order first: straight runs the compiler can vectorise.
        int rows[kSide] = {};
        for (int i = 0; i < kSide; ++i) {
            const BYTE* column = q.image + i * kSide;
            int set = 0;
            for (int j = 0; j < kSide; ++j) {
                set += column[j];
                rows[j] += column[j];
            }
            m_aColumnCount[q.mirrorX ? 480 - i : i] += set;
        }
        for (int j = 0; j < kSide; ++j) {
            m_aRowCount[q.mirrorY ? 480 - j : j] += rows[j];
        }
    }

    m_aColumnCumul[0] = 0;
    m_aRowCumul[0] = 0;
    for (int k = 0; k < 480; ++k) {
        m_aColumnCumul[k] += m_aColumnCount[k];
        m_aColumnCumul[k + 1] = m_aColumnCumul[k];
        m_aRowCumul[k] += m_aRowCount[k];
        m_aRowCumul[k + 1] = m_aRowCumul[k];
    }
}

void CGlobuleView::DrawPlayScreen() {
    ComposeBlob();
    CDC dc = ClientDC();
    PaintBlob(dc);
}
