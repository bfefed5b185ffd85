#include "engine/GlobuleView.h"
#include "render/DisplayMode.h"

#include <algorithm>

std::optional<CGlobuleView::Refusal> CGlobuleView::LayOutScreens(CDC& paint) {
    const int W = m_rcClient.right;
    const int H = m_rcClient.bottom;
    const DisplayMode mode = ChooseDisplayMode(W, H);
    if (mode.refusal == DisplayMode::Refusal::TooNarrow) {
        return Refusal::TooNarrow;
    }
    if (mode.refusal == DisplayMode::Refusal::UnsupportedSize) {
        return Refusal::UnsupportedSize;
    }
    m_nMarginX = mode.marginX;
    m_nMarginY = mode.marginY;
    m_nBannerTop = mode.bannerTop;
    m_nBannerGap = mode.bannerGap;
    m_nTextFontHeight = mode.textFontHeight;
    m_fontText.CreateFont(m_nTextFontHeight, "Microsoft Sans Serif", mode.textFont.emPixels,
                          mode.textFont.stretch);
    m_fontLarge.CreateFont(32, "Arial Black", kLargeFont.emPixels, kLargeFont.stretch);
    m_fontMedium.CreateFont(24, "Arial Black", mode.tableFont.emPixels, mode.tableFont.stretch);
    m_crBackground = paint.GetNearestColor(RGB(255, 200, 160));
    m_brBackground.CreateSolidBrush(m_crBackground);

    const int X = m_nMarginX;
    const int Y = m_nMarginY;
    const int x0 = W / 2 - 239;
    const int y0 = H / 2 - 209;
    m_rcQuadTL = CRect(x0, y0, x0 + 240, y0 + 240);
    m_rcQuadTR = CRect(x0 + 239, y0, x0 + 479, y0 + 240);
    m_rcQuadBR = CRect(x0 + 239, y0 + 239, x0 + 479, y0 + 479);
    m_rcQuadBL = CRect(x0, y0 + 239, x0 + 240, y0 + 479);
    m_rcBlob = CRect(x0, y0, x0 + 479, y0 + 479);
    m_rcTickBox = CRect(W - 60 - 2 * Y, Y, W - 2 * Y, Y + 60);
    m_rcTickNumber = CRect(W - 60 - 2 * Y, Y, W - 2 * Y, Y + 27);
    m_rcTickLabel = CRect(W - 60 - 2 * Y, Y + 27, W - 2 * Y, Y + 60);
    m_rcPinCenter = CRect(W / 2 - 206, Y, W / 2 + 206, Y + 50);
    // Two lines of the large font, as wide as the tick box at the right lets them be.
    const int reportReach = std::min(330, m_rcTickBox.left - 8 - W / 2);
    m_rcCentreReport = CRect(W / 2 - reportReach, Y, W / 2 + reportReach, Y + 64);
    m_rcKeyLegend = CRect(W / 2 - 275, H - Y - 52, W / 2 + 275, H - Y);
    m_rcJackpotArea = CRect(16, 176, 224, 370);
    m_rcJackpotText = CRect(82, 240, 186, 276);
    m_rcFileHint = CRect(W - 160, 220, W - 73, 600);
    m_rcPot = CRect(35, H - 240, 209, H - 60);
    m_rcPotAmount = CRect(84, H - 142, 157, H - 112);
    m_rcBanner = CRect(W / 2 - 190, m_nBannerTop, W / 2 + 190, m_nBannerTop + 40);
    m_rcHelpText = CRect(2 * X, m_nBannerTop + 40 + m_nBannerGap * Y, W - 3 * X, H - 4 * Y);
    m_rcPageFooter = CRect(2 * X, H - 4 * Y, W - 3 * X, H - Y);
    return std::nullopt;
}

void CGlobuleView::PaintRefusal(CDC& dc, Refusal refusal) const {
    const char* const message =
        refusal == Refusal::TooNarrow ? kTooNarrowMessage : kUnsupportedSizeMessage;
    dc.FillRect(m_rcClient, m_brRed);
    dc.SelectObject(m_fontBanner);
    dc.SetTextColor(RGB(0, 0, 255));
    dc.DrawText(message, m_rcDefault, DT_CENTER | DT_WORDBREAK);
}
