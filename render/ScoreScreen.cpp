#include "document/MatchTables.h"
#include "engine/GlobuleView.h"

#include <cstdio>
#include <span>
#include <string>

namespace {

constexpr CPoint kJackpotStar[] = {
    {144, 180}, {170, 224}, {220, 210}, {190, 240}, {220, 260}, {174, 290}, {220, 330}, {150, 320},
    {132, 366}, {115, 310}, {20, 330},  {80, 280},  {20, 236},  {90, 230},  {70, 180},  {120, 225}};
constexpr CPoint kStarSeed = {146, 198};

// The hint shapes hang from the right edge: x is the distance left of the client width.
constexpr CPoint kSaveHintShape[] = {
    {120, 670}, {150, 610}, {180, 620}, {190, 560}, {220, 540}, {170, 440}, {230, 410},
    {180, 370}, {210, 310}, {170, 270}, {200, 180}, {150, 220}, {130, 150}, {80, 220},
    {40, 190},  {50, 260},  {20, 330},  {50, 350},  {10, 370},  {60, 410},  {30, 460},
    {50, 490},  {20, 560},  {40, 590},  {30, 650},  {90, 610}};
constexpr CPoint kOpenHintShape[] = {
    {120, 570}, {150, 510}, {180, 520}, {190, 470}, {220, 460}, {170, 370}, {230, 350},
    {180, 320}, {210, 270}, {170, 240}, {200, 170}, {150, 200}, {130, 150}, {80, 210},
    {40, 190},  {50, 240},  {20, 300},  {50, 320},  {10, 330},  {60, 360},  {30, 400},
    {50, 420},  {20, 480},  {40, 500},  {30, 560},  {90, 520}};
constexpr int kHintSeedFromRight = 146;
constexpr int kHintSeedY = 372;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kIdleName = RGB(192, 192, 192);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kHintGreen = RGB(0, 128, 64);
constexpr COLORREF kHintNavy = RGB(0, 0, 128);
constexpr COLORREF kSaveHintText = RGB(255, 128, 255);
constexpr COLORREF kOpenHintText = RGB(0, 255, 255);

constexpr unsigned kCellText = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr unsigned kHintText = DT_CENTER | DT_WORDBREAK;

constexpr int kPotWidth = 174;
constexpr int kPotHeight = 180;
constexpr int kLegendWidth = 550;
constexpr int kLegendHeight = 50;

// Closed outline with the selected pen, `dx` shifting every point sideways.
void Outline(CDC& dc, std::span<const CPoint> points, int dx, int sign) {
    dc.MoveTo(dx + sign * points[0].x, points[0].y);
    for (const CPoint& p : points.subspan(1)) {
        dc.LineTo(dx + sign * p.x, p.y);
    }
    dc.LineTo(dx + sign * points[0].x, points[0].y);
}

} // namespace

void CGlobuleView::PaintScoreScreen(CDC& dc) const {
    const CGlobuleDoc& doc = m_document;
    const int W = m_rcClient.right;

    dc.FillRect(m_rcTableBand, m_brPaleGreen);

    const CPoint outerFrame[] = {{100, 2}, {W - 101, 2}, {W - 101, 130}, {100, 130}};
    const CPoint innerFrame[] = {{101, 3}, {W - 102, 3}, {W - 102, 129}, {101, 129}};
    dc.SelectObject(m_penMagenta);
    Outline(dc, outerFrame, 0, 1);
    dc.SelectObject(m_penBlack);
    Outline(dc, innerFrame, 0, 1);
    for (const int y : {24, 45, 66, 87, 108}) {
        dc.MoveTo(102, y);
        dc.LineTo(W - 102, y);
    }
    const int CW = (W - 223) / 7;
    for (int k = 1; k <= 6; ++k) {
        dc.MoveTo(W - 102 - k * CW, 3);
        dc.LineTo(W - 102 - k * CW, 129);
    }

    const CBrush* const columnBrush[match::kPlayers] = {
        &m_brOrange, &m_brTeal, &m_brPurple, &m_brLightGreen, &m_brLightRed, &m_brLightBlue};
    for (int p = 0; p < match::kPlayers; ++p) {
        for (int r = 0; r < 6; ++r) {
            dc.FillRect(m_arcTableCell[6 * p + r], *columnBrush[p]);
        }
    }
    for (int r = 0; r < 6; ++r) {
        dc.FillRect(m_arcTableCell[6 * m_nActivePlayer + r], m_brPalePink);
    }

    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(m_fontMedium);
    for (int r = 0; r < 6; ++r) {
        dc.FillRect(m_arcRowCaption[r], m_brCyan);
        if (r + 1 == doc.m_nSortRow) {
            dc.SetTextColor(kRed);
        }
        dc.DrawText(std::string(match::kRowCaptions[r]), m_arcRowCaption[r], kCellText);
        dc.SetTextColor(kBlack);
    }

    dc.FillRect(m_arcRowCaption[0], m_brBlack);
    dc.SetTextColor(doc.m_nSortRow < 2 ? kRed : kWhite);
    dc.DrawText("Players>>>", m_arcRowCaption[0], DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    dc.SetTextColor(kBlack);

    for (int p = 0; p < match::kPlayers; ++p) {
        const CRect* cell = &m_arcTableCell[6 * p];
        dc.SetTextColor(p == m_nActivePlayer ? kBlack : kIdleName);
        dc.DrawText(doc.m_strPlayerName[p], cell[0], kCellText);
        std::snprintf(m_szNumber, sizeof m_szNumber, "%i", doc.m_lLastGame[p]);
        dc.DrawText(m_szNumber, cell[1], kCellText);
        std::snprintf(m_szNumber, sizeof m_szNumber, "%i", doc.m_lAllGames[p]);
        dc.DrawText(m_szNumber, cell[2], kCellText);
        std::snprintf(m_szNumber, sizeof m_szNumber, "%i", doc.m_lNumGames[p]);
        dc.DrawText(m_szNumber, cell[3], kCellText);
        // Without a game there is no average to take, and no best game to show.
        if (doc.m_lNumGames[p] > 0) {
            std::snprintf(m_szNumber, sizeof m_szNumber, "%i", doc.m_lAverage[p]);
            dc.DrawText(m_szNumber, cell[4], kCellText);
            std::snprintf(m_szNumber, sizeof m_szNumber, "%i", doc.m_lBestGame[p]);
            dc.DrawText(m_szNumber, cell[5], kCellText);
        }
        dc.SetTextColor(kBlack);
    }

    if (m_bShowJackpot == 1) {
        dc.SelectObject(m_penMagentaWide);
        Outline(dc, kJackpotStar, 0, 1);
        dc.SelectObject(m_brBlack);
        dc.FloodFill(kStarSeed.x, kStarSeed.y, kMagenta);
        dc.SetTextColor(kYellow);
        dc.SetBkMode(TRANSPARENT);
        dc.SelectObject(m_fontLarge);
        dc.DrawText("Jackpot", m_rcJackpotText, kCellText);
        dc.SetTextColor(kBlack);
    }

    // One hint at most: saving matters more than opening.
    if (doc.m_bUnsavedResults == 1) {
        const bool newFile = doc.m_szFileName == match::kNoFile;
        DrawFileHint(dc, m_penGreenWide, kSaveHintShape, kHintGreen, kSaveHintText,
                     newFile ? "New File. To Save It, Select 'Save As' Under The File Menu."
                             : "\nOld File. To Update It, Press The Ctrl and S Keys.");
    } else if (doc.m_bNothingLoaded == 1) {
        DrawFileHint(dc, m_penNavyWide, kOpenHintShape, kHintNavy, kOpenHintText,
                     "Need To Open A File? Click On File.");
    }

    dc.BitBlt(m_rcPot.left, m_rcPot.top, kPotWidth, kPotHeight, m_bmpPot);
    dc.BitBlt(m_rcKeyLegend.left, m_rcKeyLegend.top, kLegendWidth, kLegendHeight, m_bmpKeyLegend);

    dc.SetTextColor(kBlack);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(m_fontLarge);
    std::snprintf(m_szNumber, sizeof m_szNumber, "%1.1i", doc.m_lPot);
    dc.DrawText(m_szNumber, m_rcPotAmount, kCellText);
    dc.SetTextColor(kBlack);
}

void CGlobuleView::DrawFileHint(CDC& dc, const CPen& rim, std::span<const CPoint> shape,
                                COLORREF rimColour, COLORREF textColour, const char* text) const {
    const int W = m_rcClient.right;
    dc.SelectObject(rim);
    Outline(dc, shape, W, -1);
    dc.SelectObject(m_brBlack);
    dc.FloodFill(W - kHintSeedFromRight, kHintSeedY, rimColour);
    dc.SetTextColor(textColour);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(m_fontLarge);
    dc.DrawText(text, m_rcFileHint, kHintText);
    dc.SetTextColor(kBlack);
}
