#include "render/DisplayMode.h"
#include "render/ViewPlacement.h"
#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayModeTest, ChoosesTheFirstMatchingRow) {
    struct Case {
        int width, height, mode;
        DisplayMode::Refusal refusal;
    };
    using R = DisplayMode::Refusal;
    const Case cases[] = {
        {1024, 700, 0, R::UnsupportedSize},
        {1024, 701, 1, R::None},
        {800, 900, 0, R::TooNarrow},
        {801, 900, 1, R::None},
        {1100, 750, 5, R::None},
        {1152, 801, 2, R::None},
        {1280, 961, 3, R::None},
        {1280, 900, 4, R::None},
        {1600, 1121, 6, R::None},
        {1600, 1120, 7, R::None},
        {1600, 830, 0, R::UnsupportedSize},
        {1601, 1200, 0, R::UnsupportedSize},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const DisplayMode mode = ChooseDisplayMode(c.width, c.height);
        EXPECT_EQ(mode.mode, c.mode);
        EXPECT_EQ(mode.refusal, c.refusal);
    }
    const DisplayMode five = ChooseDisplayMode(1100, 750);
    EXPECT_EQ(five.marginX, 14);
    EXPECT_EQ(five.marginY, 12);
    EXPECT_EQ(five.textFontHeight, 24);
}

TEST(DisplayModeTest, WidestAcceptedWidthFitsWideDisplays) {
    EXPECT_EQ(WidestAcceptedWidth(1920, 1061), 1600);
    EXPECT_EQ(WidestAcceptedWidth(1024, 730), 1024);
    EXPECT_EQ(WidestAcceptedWidth(2560, 700), 0);
    EXPECT_EQ(WidestAcceptedWidth(700, 900), 0);
}

TEST(DisplayModeTest, TheFirstPlacementTakesTheLargestScaleThatPlays) {
    struct Case {
        int realWidth, realHeight;
        double ratio;
        ViewPlacement expected;
    };
    // A 1920x1080 laptop under a window manager that takes 57 real pixels for its caption
    // and the menu bar, and a 1024x768 desktop.
    const Case cases[] = {
        {1920, 1023, 1.0, {1600, 1023, 1.0}},  // wider than any mode: the centred area
        {1920, 1023, 1.25, {1280, 818, 1.25}}, // the desktop's own scale plays
        {1920, 1023, 1.5, {1280, 705, 1.45}},  // 1280x682 would be refused
        {1920, 1023, 1.75, {1280, 705, 1.45}},
        {1920, 1023, 2.0, {1280, 705, 1.45}},
        {1024, 730, 1.0, {1024, 730, 1.0}},
        {1024, 730, 1.25, {1024, 730, 1.0}}, // 1.04 would take 984x701, narrower than mode 1
        {1280, 976, 1.5, {1024, 780, 1.25}}, // as wide as mode 1, rather than 920x702 at 1.39
        {1000, 730, 1.25, {961, 701, 1.04}}, // nothing is as wide as its mode: the largest
        {2048, 1460, 2.0, {1024, 730, 2.0}}, // a whole-number scale, as the desktop has it
        // Nothing plays at 1:1: the largest scale down to 0.75 at which one does.
        {1024, 700, 1.0, {1024, 707, 0.99}}, // one pixel short of mode 1
        {1276, 693, 1.0, {1280, 707, 0.98}}, // Xwayland under a desktop scaled to 150 %
        {1024, 562, 1.0, {1280, 702, 0.80}}, // a 1024x600 netbook with a panel
        {1366, 700, 1.5, {1280, 707, 0.99}}, // 911x467 of the desktop's units
        {956, 513, 1.0, {956, 513, 1.0}},    // Xwayland at 200 %: refused as the rules say
        {1200, 500, 1.5, {800, 333, 1.5}},   // refused as the desktop has it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.realWidth) + "x" + std::to_string(c.realHeight) + " at " +
                     std::to_string(c.ratio));
        const ViewPlacement placed = ChooseViewPlacement(c.realWidth, c.realHeight, c.ratio);
        EXPECT_EQ(placed.width, c.expected.width);
        EXPECT_EQ(placed.height, c.expected.height);
        EXPECT_DOUBLE_EQ(placed.scale, c.expected.scale);
    }
}

TEST(DisplayModeTest, ALaterAreaShowsTheLaidOutPictureWholeAndCentred) {
    struct Case {
        ViewPlacement first;
        double firstRatio;
        int realWidth, realHeight;
        double ratio;
        ShownArea expected;
    };
    const Case cases[] = {
        // As laid out: the whole area, at its scale.
        {{1024, 730, 1.0}, 1.0, 1024, 730, 1.0, {0, 0, 1024, 730, 1.0}},
        {{1600, 1023, 1.0}, 1.0, 1920, 1023, 1.0, {160, 0, 1600, 1023, 1.0}},
        // A panel came: smaller to fit whole, centred across.
        {{1024, 730, 1.0}, 1.0, 1024, 682, 1.0, {33, 0, 957, 682, 682.0 / 730}},
        // Full screen, or a panel went: never larger than laid out; centred both ways.
        {{1024, 730, 1.0}, 1.0, 1024, 768, 1.0, {0, 19, 1024, 730, 1.0}},
        {{1280, 705, 1.45}, 1.5, 1920, 1080, 1.5, {32, 29, 1856, 1022, 1.45}},
        // Another monitor's scale: the same size in the desktop's units, sharp at 2.
        {{1024, 730, 1.0}, 1.0, 2048, 1536, 2.0, {0, 38, 2048, 1460, 2.0}},
        {{1024, 730, 2.0}, 2.0, 1024, 768, 1.0, {0, 19, 1024, 730, 1.0}},
        // Played below 1:1 at the first repaint, and the window grew.
        {{1280, 707, 0.98}, 1.0, 1920, 1053, 1.0, {333, 180, 1254, 693, 0.98}},
        // Minimised: nothing to show.
        {{1024, 730, 1.0}, 1.0, 0, 0, 1.0, {0, 0, 0, 0, 1.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.realWidth) + "x" + std::to_string(c.realHeight) + " at " +
                     std::to_string(c.ratio));
        const ShownArea shown =
            PlaceLaidOutView(c.first, c.firstRatio, c.realWidth, c.realHeight, c.ratio);
        EXPECT_EQ(shown.left, c.expected.left);
        EXPECT_EQ(shown.top, c.expected.top);
        EXPECT_EQ(shown.width, c.expected.width);
        EXPECT_EQ(shown.height, c.expected.height);
        EXPECT_DOUBLE_EQ(shown.scale, c.expected.scale);
    }
}

TEST(DisplayModeTest, FirstPaintLaysOutTheBlobArea) {
    ViewRig rig(1024, 710);
    rig.Paint();
    const CGlobuleView& v = *rig.view;
    EXPECT_EQ(v.m_bBadResolution, 0);
    EXPECT_EQ(v.m_rcBlob, CRect(273, 146, 752, 625));
    EXPECT_EQ(v.m_rcQuadTR, CRect(512, 146, 752, 386));
    EXPECT_EQ(v.m_rcTickBox, CRect(1024 - 60 - 16, 8, 1024 - 16, 68));
    EXPECT_EQ(v.m_rcKeyLegend, CRect(512 - 275, 710 - 8 - 52, 512 + 275, 702));
    EXPECT_EQ(v.m_rcPotAmount, CRect(84, 568, 157, 598));
    EXPECT_EQ(v.m_rcHelpText, CRect(16, 7 + 40 + 3 * 8, 1024 - 24, 710 - 32));
    // A centre index of 250 is column 523.
    EXPECT_EQ(v.m_rcBlob.left + 250, 523);
}

TEST(DisplayModeTest, RefusalsAreDrawnAndMakeTheViewInert) {
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{800, 900}, Case{1601, 1000}}) {
        ViewRig rig(c.width, c.height);
        rig.Paint();
        EXPECT_EQ(rig.view->m_bBadResolution, 1);
        // Red background, blue words somewhere in the message rectangle.
        EXPECT_EQ(rig.Pixel(c.width - 1, c.height - 1), RGB(255, 0, 0));
        bool blue = false;
        for (int y = 0; y < 480 && !blue; ++y) {
            for (int x = 0; x < 800 && !blue; ++x) {
                blue = rig.Pixel(x, y) == RGB(0, 0, 255);
            }
        }
        EXPECT_TRUE(blue);

        const QImage before = rig.host.ClientImage().copy();
        const std::size_t captions = rig.host.captions.size();
        rig.Key(VK_SPACE);
        rig.Key(VK_NEXT);
        rig.view->OnLButtonDown(0, {300, 10});
        rig.view->EnterScoreScreen();
        for (int tick = 0; tick < 12; ++tick) {
            rig.Tick();
            rig.view->OnTimer(CGlobuleView::kPollTimer);
        }
        rig.Paint();
        EXPECT_EQ(rig.view->m_nScreen, 0);
        EXPECT_EQ(rig.view->m_nHelpPage, 0);
        EXPECT_FALSE(rig.host.TimerRunning(CGlobuleView::kPollTimer));
        EXPECT_EQ(rig.host.captions.size(), captions);
        EXPECT_EQ(rig.host.ClientImage(), before);
        EXPECT_TRUE(rig.host.sounds.empty());
        EXPECT_EQ(rig.doc.m_lNumGames[0], 0);
    }
}

} // namespace
