#include "support/ViewFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kPaleGreen = RGB(220, 255, 220);

class PlayScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.Paint();
        rig.Key(VK_SPACE); // the Score screen, with a blob
    }
    void DrawBlob(int tl, int tr, int br, int bl) {
        CGlobuleView& v = *rig.view;
        v.m_aQuadrantPick[0] = tl;
        v.m_aQuadrantPick[1] = tr;
        v.m_aQuadrantPick[2] = br;
        v.m_aQuadrantPick[3] = bl;
        {
            CDC dc(rig.host.ClientImage());
            dc.FillRect(v.m_rcClient, v.m_brPaleGreen);
        }
        v.DrawPlayScreen();
    }
    int Area(int tl, int tr, int br, int bl) const {
        const CGlobuleView& v = *rig.view;
        return v.m_aQuadrant[tl][0] + v.m_aQuadrant[tr][0] + v.m_aQuadrant[br][0] +
               v.m_aQuadrant[bl][0];
    }

    ViewRig rig;
};

TEST_F(PlayScreenTest, EveryOrderOfFourShapesCountsItsWholeAreaWithTheMiddleIndexEmpty) {
    const CGlobuleView& v = *rig.view;
    const int L = v.m_rcBlob.left;
    const int T = v.m_rcBlob.top;
    int orders = 0;
    for (int a = 0; a < 7; ++a) {
        for (int b = 0; b < 7; ++b) {
            for (int c = 0; c < 7; ++c) {
                for (int d = 0; d < 7; ++d) {
                    if (std::set<int>{a, b, c, d}.size() != 4) {
                        continue;
                    }
                    ++orders;
                    DrawBlob(a, b, c, d);
                    const int area = Area(a, b, c, d);
                    ASSERT_GT(area, 0);
                    ASSERT_EQ(v.m_aColumnCumul[479], area);
                    ASSERT_EQ(v.m_aColumnCumul[480], area);
                    ASSERT_EQ(v.m_aRowCumul[479], area);
                    ASSERT_EQ(v.m_aRowCumul[480], area);
                    ASSERT_EQ(v.m_aColumnCount[240], 0);
                    ASSERT_EQ(v.m_aRowCount[240], 0);
                    ASSERT_EQ(v.m_aColumnCount[480], 0);
                    // The middle lines are solid, so the four quarters join without a seam.
                    for (int n = 1; n <= 478; ++n) {
                        ASSERT_EQ(rig.Pixel(L + 239, T + n), kRed) << n;
                        ASSERT_EQ(rig.Pixel(L + 240, T + n), kRed) << n;
                        ASSERT_EQ(rig.Pixel(L + n, T + 239), kRed) << n;
                        ASSERT_EQ(rig.Pixel(L + n, T + 240), kRed) << n;
                    }
                }
            }
        }
    }
    EXPECT_EQ(orders, 840);
}

TEST_F(PlayScreenTest, PixelsOnScreenMatchTheCountsAndTheMirroring) {
    CGlobuleView& v = *rig.view;
    DrawBlob(0, 1, 2, 3);
    const int L = v.m_rcBlob.left;
    const int T = v.m_rcBlob.top;
    int red = 0;
    int columnCounts[481] = {};
    for (int y = T - 1; y <= T + 480; ++y) {
        for (int x = L - 1; x <= L + 480; ++x) {
            const COLORREF c = rig.Pixel(x, y);
            if (c == kRed) {
                ASSERT_TRUE(x >= L && x <= L + 479 && y >= T && y <= T + 479);
                ++red;
                const int dx = x - L;
                ++columnCounts[dx < 240 ? dx : dx + 1];
            } else {
                ASSERT_EQ(c, kPaleGreen);
            }
        }
    }
    EXPECT_EQ(red, Area(0, 1, 2, 3));
    for (int k = 0; k <= 480; ++k) {
        ASSERT_EQ(columnCounts[k], v.m_aColumnCount[k]) << k;
    }
    // The top-right quarter is the top-left shape mirrored: the same shape in both shows
    // the same pixels either side of the middle.
    DrawBlob(4, 4, 5, 6);
    for (int j = 0; j < 240; ++j) {
        for (int i = 0; i < 240; ++i) {
            ASSERT_EQ(rig.Pixel(L + i, T + j), rig.Pixel(L + 479 - i, T + j));
        }
    }
}

TEST_F(PlayScreenTest, DrawingTheSamePicksTwiceGivesTheSamePixelsAndCounts) {
    CGlobuleView& v = *rig.view;
    DrawBlob(6, 2, 0, 5);
    const QImage first = rig.host.ClientImage().copy();
    int counts[484];
    std::copy(std::begin(v.m_aRowCount), std::end(v.m_aRowCount), counts);
    DrawBlob(6, 2, 0, 5);
    EXPECT_EQ(rig.host.ClientImage(), first);
    EXPECT_TRUE(std::equal(std::begin(counts), std::end(counts), std::begin(v.m_aRowCount)));
}

TEST_F(PlayScreenTest, CrossHairsDrawnThenErasedLeaveEveryPixelAsBefore) {
    CGlobuleView& v = *rig.view;
    DrawBlob(1, 3, 5, 0);
    v.m_nCentreX = 240;
    v.m_nCentreY = 231;
    v.m_aCrossDx[4] = -12;
    v.m_aCrossDy[4] = 16;
    const QImage before = rig.host.ClientImage().copy();
    CDC dc(rig.host.ClientImage());
    v.DrawCrossHairs(4, dc);
    const int x = v.CrossX(4);
    const int y = v.CrossY(4);
    EXPECT_EQ(dc.GetPixel(v.m_rcBlob.left, y), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(v.m_rcBlob.right - 1, y), RGB(0, 0, 0));
    EXPECT_NE(dc.GetPixel(v.m_rcBlob.right, y), RGB(0, 0, 0)); // the end point is left out
    EXPECT_EQ(dc.GetPixel(x, v.m_rcBlob.top), RGB(0, 0, 0));
    EXPECT_NE(dc.GetPixel(x, v.m_rcBlob.bottom), RGB(0, 0, 0));
    EXPECT_NE(rig.host.ClientImage(), before);
    v.EraseCrossHairs(4, dc);
    EXPECT_EQ(rig.host.ClientImage(), before);
}

TEST_F(PlayScreenTest, TickCounterShowsTheMovesLeftCentredOverLeftInTheOrangeBox) {
    CGlobuleView& v = *rig.view;
    CDC dc(rig.host.ClientImage());
    const CRect box = v.m_rcTickBox;
    const CRect inside(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
    CRect upper = inside;
    upper.bottom = v.m_rcTickNumber.bottom;
    CRect lower = inside;
    lower.top = v.m_rcTickLabel.top;
    constexpr unsigned kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    for (int left = 10; left >= 0; --left) {
        v.DrawTickCounter(left, dc);
        EXPECT_EQ(dc.GetPixel(box.left, box.top), RGB(0, 0, 0));
        EXPECT_EQ(dc.GetPixel(box.right - 1, box.bottom - 1), RGB(0, 0, 0));
        EXPECT_EQ(dc.GetPixel(box.left + 2, box.bottom - 2), RGB(255, 128, 64));
        const QImage& screen = rig.host.ClientImage();
        EXPECT_TRUE(ShowsText(screen, std::to_string(left), v.m_rcTickNumber, v.m_fontLarge,
                              kCentred, RGB(0, 0, 0), upper))
            << left;
        EXPECT_TRUE(ShowsText(screen, "Left", v.m_rcTickLabel, v.m_fontLarge, kCentred,
                              RGB(0, 0, 0), lower));
    }
}

} // namespace
