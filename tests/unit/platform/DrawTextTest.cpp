#include "platform/DrawContext.h"
#include "platform/GdiObjects.h"

#include <QImage>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr unsigned kCell = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

QImage Drawn(const std::string& text, const CRect& box, unsigned format, const CFont& font) {
    QImage image(400, 420, QImage::Format_RGB32);
    image.fill(0xFFFFFFFFu);
    CDC dc(image);
    dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text, box, format);
    return image;
}

std::string Repeated(const std::string& piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// A name of megabytes shows in its cell as a name a little wider than the cell would: only
// what can show is laid out, and it lands where the whole text would put it.
TEST(DrawTextTest, TextFarBeyondItsBoxDrawsAsItsShowingPart) {
    CFont font;
    ASSERT_TRUE(font.CreateFont(24, "Arial Black"));
    const CRect cell(20, 5, 131, 23); // a player cell of the Score screen
    const std::size_t huge = std::size_t{16} << 20;
    for (const unsigned format :
         {kCell, DT_LEFT | DT_VCENTER | DT_SINGLELINE, DT_RIGHT | DT_VCENTER | DT_SINGLELINE}) {
        SCOPED_TRACE(format);
        // Far wider than the cell, and still short enough to be laid out whole.
        const QImage wide = Drawn(std::string(120, 'W'), cell, format, font);
        EXPECT_TRUE(wide != Drawn("", cell, format, font));
        EXPECT_TRUE(Drawn(std::string(huge, 'W'), cell, format, font) == wide);
    }

    // A hint broken into many more lines than the box holds: those below it never show.
    const CRect hint(60, 20, 147, 400);
    const unsigned broken = DT_CENTER | DT_WORDBREAK;
    const QImage filled = Drawn(Repeated("Old File. To Update ", 50), hint, broken, font);
    EXPECT_TRUE(Drawn(Repeated("Old File. To Update ", 1 << 20), hint, broken, font) == filled);
}

} // namespace
