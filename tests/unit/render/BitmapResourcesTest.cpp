#include "platform/GdiObjects.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct BitmapCase {
    unsigned id;
    int width;
    int height;
    COLORREF background;
};

void PrintTo(const BitmapCase& c, std::ostream* os) {
    *os << "bitmap " << c.id;
}

constexpr COLORREF kPaleGreen = RGB(220, 255, 220);
constexpr COLORREF kPeach = RGB(255, 200, 160);

COLORREF PixelAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xffffff;
}

double Luminance(COLORREF c) {
    return 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c);
}

class BitmapResourceTest : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(BitmapResourceTest, LoadsAtItsSize) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(GetParam().id));
    EXPECT_EQ(bitmap.Image().width(), GetParam().width);
    EXPECT_EQ(bitmap.Image().height(), GetParam().height);
}

// The bitmaps are pasted on a screen of the same colour: any edge pixel off it shows as a seam.
TEST_P(BitmapResourceTest, EdgesAreTheScreenBackground) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(GetParam().id));
    const QImage& image = bitmap.Image();
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (int x = 0; x <= right; ++x) {
        ASSERT_EQ(PixelAt(image, x, 0), GetParam().background) << "top, x " << x;
        ASSERT_EQ(PixelAt(image, x, bottom), GetParam().background) << "bottom, x " << x;
    }
    for (int y = 0; y <= bottom; ++y) {
        ASSERT_EQ(PixelAt(image, 0, y), GetParam().background) << "left, y " << y;
        ASSERT_EQ(PixelAt(image, right, y), GetParam().background) << "right, y " << y;
    }
}

// Scoring counts pure red screen pixels as blob; a picture on screen must never add to it.
TEST_P(BitmapResourceTest, HasNoPureRedPixel) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(GetParam().id));
    const QImage& image = bitmap.Image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_NE(PixelAt(image, x, y), RGB(255, 0, 0)) << "at " << x << ", " << y;
}

TEST_P(BitmapResourceTest, CarriesArtwork) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(GetParam().id));
    const QImage& image = bitmap.Image();
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += PixelAt(image, x, y) != GetParam().background;
    EXPECT_GT(drawn, image.width() * image.height() / 10);
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, BitmapResourceTest,
                         ::testing::Values(BitmapCase{130, 174, 180, kPaleGreen},
                                           BitmapCase{132, 380, 40, kPeach},
                                           BitmapCase{133, 550, 50, kPaleGreen},
                                           BitmapCase{134, 412, 50, kPaleGreen}));

// The pot's amount is written in black, centred 49..122 right and 98..128 below the corner: that
// area must be one plain light colour of the pot itself, not the background showing through.
TEST(PotBitmap, AmountPanelIsPlainAndLight) {
    CBitmap pot;
    ASSERT_TRUE(pot.LoadBitmap(130));
    const QImage& image = pot.Image();
    ASSERT_GE(image.width(), 122);
    ASSERT_GE(image.height(), 128);
    const COLORREF panel = PixelAt(image, 49, 98);
    EXPECT_NE(panel, kPaleGreen);
    EXPECT_GT(Luminance(panel), 200.0);
    for (int y = 98; y < 128; ++y)
        for (int x = 49; x < 122; ++x)
            ASSERT_EQ(PixelAt(image, x, y), panel) << "at " << x << ", " << y;
}

TEST(ApplicationIcon, IsARedBlobOnTransparency) {
    const QImage icon(QStringLiteral(":/icons/globule.png"));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(64, 64));
    ASSERT_TRUE(icon.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(63, 0), QPoint(0, 63), QPoint(63, 63)})
        EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << corner.x() << ", " << corner.y();
    int opaqueRed = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb p = icon.pixel(x, y);
            opaqueRed += qAlpha(p) == 255 && qRed(p) > 150 && qGreen(p) < 100 && qBlue(p) < 100;
        }
    EXPECT_GT(opaqueRed, 64 * 64 / 5);
}

} // namespace
