#include "document/MatchTables.h"
#include "engine/HelpTexts.h"
#include "platform/QtText.h"
#include "render/DisplayMode.h"
#include "support/ViewFixture.h"

#include <QFontInfo>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

// Pixels free between a text and each edge of its rectangle; negative where it spills over.
struct Room {
    int left, top, right, bottom;
    bool Fits() const { return std::min({left, top, right, bottom}) >= 0; }
};

std::ostream& operator<<(std::ostream& out, const Room& r) {
    return out << "room left " << r.left << ", top " << r.top << ", right " << r.right
               << ", bottom " << r.bottom;
}

// A word-wrapped text, laid out as CDC::DrawText lays it out: a line wider than the rectangle
// holds a word that does not fit, a layout taller than the rectangle loses lines.
Room WrappedRoom(const CFont& font, const std::string& text, const CRect& box, unsigned format) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    painter.setFont(font.Font());
    const int align = (format & DT_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
    const QRect rect(box.left, box.top, box.Width(), box.Height());
    const QRect used =
        painter.boundingRect(rect, align | Qt::AlignTop | Qt::TextWordWrap, ToQString(text));
    return {used.left() - box.left, used.top() - box.top, box.right - (used.right() + 1),
            box.bottom - (used.bottom() + 1)};
}

// A one-line text drawn by CDC::DrawText into its rectangle grown on the sides its alignment
// leaves free, so that nothing is clipped: the room is what its ink leaves of the rectangle.
Room InkRoom(const CFont& font, const std::string& text, const CRect& box, unsigned format) {
    constexpr int kSpareX = 600;
    constexpr int kSpareY = 64;
    const int growLeft = (format & (DT_CENTER | DT_RIGHT)) ? kSpareX : 0;
    const int growRight = (format & DT_RIGHT) ? 0 : kSpareX;
    QImage image(box.Width() + growLeft + growRight, box.Height() + 2 * kSpareY,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(image);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(font);
    dc.DrawText(text, CRect(0, 0, image.width(), image.height()), format);
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xFFFFFFu) != 0xFFFFFFu) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (left == INT_MAX) {
        return {-1, -1, -1, -1}; // nothing drawn at all
    }
    return {left - growLeft, top - kSpareY, growLeft + box.Width() - 1 - right,
            kSpareY + box.Height() - 1 - bottom};
}

constexpr unsigned kCellText = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned kWrapped = DT_CENTER | DT_WORDBREAK;

// Per mode, its smallest height at the narrowest and the widest width the common screens give
// it; a screen wider than any mode plays in a centred area of the widest width accepted.
struct Screen {
    int width, height, mode;
};
constexpr Screen kScreens[] = {
    {1024, 701, 1},  // 1024x768
    {1152, 801, 2},  // 1152x864
    {1280, 961, 3},  // 1280x1024
    {1280, 881, 4},  // 1280x960
    {1152, 701, 5},  // 1152x864 under a taller panel
    {1280, 701, 5},  // 1280x768, 1280x800, 1366x768
    {1600, 1121, 6}, // 1600x1200, 1920x1200 and up
    {1440, 831, 7},  // 1440x900
    {1600, 831, 7},  // 1600x900, 1920x1080 and up
};

void PrintTo(const Screen& s, std::ostream* out) {
    *out << s.width << "x" << s.height << " (mode " << s.mode << ")";
}

class TextFit : public ::testing::TestWithParam<Screen> {
protected:
    void SetUp() override {
        const Screen s = GetParam();
        ASSERT_EQ(ChooseDisplayMode(s.width, s.height).mode, s.mode);
        ASSERT_NE(ChooseDisplayMode(s.width, s.height - 1).mode, s.mode);
        rig = std::make_unique<ViewRig>(s.width, s.height);
        rig->Paint();
        ASSERT_EQ(rig->view->m_bBadResolution, 0);
    }

    std::unique_ptr<ViewRig> rig;
};

TEST_P(TextFit, EveryHomePageAndFooter) {
    const CGlobuleView& v = *rig->view;
    for (int page = 0; page < 13; ++page) {
        const std::string footer(helptext::kPageFooters[static_cast<std::size_t>(page)]);
        const Room text = WrappedRoom(v.m_fontText, helptext::AssemblePage(page), v.m_rcHelpText,
                                      DT_LEFT | DT_TOP | DT_WORDBREAK);
        const Room line =
            InkRoom(v.m_fontText, footer, v.m_rcPageFooter, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        EXPECT_TRUE(text.Fits()) << "page " << page + 1 << " text: " << text;
        EXPECT_TRUE(line.Fits()) << "page " << page + 1 << " footer: " << line;
    }
}

TEST_P(TextFit, ScoreTable) {
    rig->Key(VK_SPACE);
    const CGlobuleView& v = *rig->view;
    const CFont& font = v.m_fontMedium;
    const CRect* cell = &v.m_arcTableCell[0];
    // Ten letters written as names are written, in wide letters and with descenders; names
    // typed all in capitals or as a run of W's are wider than a player cell below 1600.
    for (const char* name : {"Montgomery", "Jacqueline", "Wilhelmina"}) {
        const Room room = InkRoom(font, name, cell[0], kCellText);
        EXPECT_TRUE(room.Fits()) << name << ": " << room;
    }
    // A score passes 1000 only a little, a total of six digits is hundreds of games.
    const char* widest[6] = {nullptr, "8888", "888888", "888", "8888", "8888"};
    for (int r = 1; r < 6; ++r) {
        const std::string caption(match::kRowCaptions[static_cast<std::size_t>(r)]);
        const Room number = InkRoom(font, widest[r], cell[r], kCellText);
        const Room label = InkRoom(font, caption, v.m_arcRowCaption[r], kCellText);
        EXPECT_TRUE(number.Fits()) << widest[r] << " in row " << r << ": " << number;
        EXPECT_TRUE(label.Fits()) << caption << ": " << label;
    }
    const Room players =
        InkRoom(font, "Players>>>", v.m_arcRowCaption[0], DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    EXPECT_TRUE(players.Fits()) << "Players>>>: " << players;
}

TEST_P(TextFit, LabelsAndFileHints) {
    const CGlobuleView& v = *rig->view;
    const CFont& font = v.m_fontLarge;
    struct Label {
        const char* text;
        const CRect& rect;
    };
    // The pot grows by 50 a game until a jackpot empties it: four digits are 200 games.
    for (const Label& l : {Label{"Jackpot", v.m_rcJackpotText}, Label{"10", v.m_rcTickNumber},
                           Label{"Left", v.m_rcTickLabel}, Label{"9950", v.m_rcPotAmount}}) {
        const Room room = InkRoom(font, l.text, l.rect, kCellText);
        EXPECT_TRUE(room.Fits()) << l.text << ": " << room;
    }
    for (const char* hint : {"New File. To Save It, Select 'Save As' Under The File Menu.",
                             "\nOld File. To Update It, Press The Ctrl and S Keys.",
                             "Need To Open A File? Click On File."}) {
        const Room room = WrappedRoom(font, hint, v.m_rcFileHint, kWrapped);
        EXPECT_TRUE(room.Fits()) << hint << ": " << room;
    }
}

// The measures hold for these faces: a condensed face one machine has and the next lacks
// must not be picked instead.
TEST_P(TextFit, StandInsAreTheFacesTheSetUpInstalls) {
    const CGlobuleView& v = *rig->view;
    const QFontInfo text(v.m_fontText.Font());
    EXPECT_EQ(text.family().toStdString(), "Liberation Sans");
    EXPECT_EQ(text.styleName().toStdString(), "Regular");
    for (const CFont* heavy : {&v.m_fontMedium, &v.m_fontLarge, &v.m_fontBanner}) {
        const QFontInfo info(heavy->Font());
        EXPECT_EQ(info.family().toStdString(), "DejaVu Sans");
        EXPECT_EQ(info.styleName().toStdString(), "Bold");
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, TextFit, ::testing::ValuesIn(kScreens),
                         [](const ::testing::TestParamInfo<Screen>& screen) {
                             return std::to_string(screen.param.width) + "x" +
                                    std::to_string(screen.param.height);
                         });

TEST(TextFitRefusal, EveryMessageFitsTheMessageRectangle) {
    ViewRig rig(800, 600);
    const CGlobuleView& v = *rig.view;
    for (const char* message : {kTooNarrowMessage, kUnsupportedSizeMessage}) {
        const Room room = WrappedRoom(v.m_fontBanner, message, v.m_rcDefault, kWrapped);
        EXPECT_TRUE(room.Fits()) << message << ": " << room;
    }
}

} // namespace
