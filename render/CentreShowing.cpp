#include "engine/GlobuleView.h"
#include "engine/HelpTexts.h"

#include <cstdio>

namespace {

constexpr COLORREF kCentreBlue = RGB(0, 0, 255); // the brush m_brBlue and the pen m_penBlue
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int kMarkReach = 3; // the centre's mark: a square of 2 * 3 + 1 pixels a side
constexpr unsigned kLine = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

} // namespace

void CGlobuleView::PaintCentreShowing(CDC& dc) const {
    const int x = m_nCentreScreenX;
    const int y = m_nCentreScreenY;
    const bool pinned = m_nCentreDistance >= 0;

    // The centre's own cross hairs in blue, the player's black ones over them as they stopped,
    // and a blue mark on the centre point, which no other position comes within 4 pixels of.
    dc.SelectObject(m_penBlue);
    dc.MoveTo(m_rcBlob.left, y);
    dc.LineTo(m_rcBlob.right, y);
    dc.MoveTo(x, m_rcBlob.top);
    dc.LineTo(x, m_rcBlob.bottom);
    if (pinned) {
        PaintCrossHairs(m_nCrossStep, dc);
    }
    dc.FillRect(CRect(x - kMarkReach, y - kMarkReach, x + kMarkReach + 1, y + kMarkReach + 1),
                m_brBlue);

    // The report takes the place of the legend that asked for the pin.
    const CRect& report = m_rcCentreReport;
    const int middle = (report.top + report.bottom) / 2;
    dc.FillRect(report, m_brPaleGreen);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(m_fontLarge);
    dc.SetTextColor(kCentreBlue);
    if (!pinned) {
        std::snprintf(m_szNumber, sizeof m_szNumber, "%s", helptext::kCentreAfterTimeOut);
    } else if (m_nCentreDistance == 0) {
        std::snprintf(m_szNumber, sizeof m_szNumber, "%s", helptext::kCentrePinnedExactly);
    } else {
        std::snprintf(m_szNumber, sizeof m_szNumber, helptext::kCentreDistance, m_nCentreDistance);
    }
    dc.DrawText(m_szNumber, CRect(report.left, report.top, report.right, middle), kLine);
    dc.SetTextColor(kBlack);
    if (pinned) {
        std::snprintf(m_szNumber, sizeof m_szNumber, helptext::kCentreScore,
                      m_document.m_lLastGame[m_nActivePlayer]);
    } else {
        std::snprintf(m_szNumber, sizeof m_szNumber, "%s", helptext::kCentreNoPoints);
    }
    dc.DrawText(m_szNumber, CRect(report.left, middle, report.right, report.bottom), kLine);
}
