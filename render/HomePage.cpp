#include "engine/GlobuleView.h"

void CGlobuleView::PaintHomePage(CDC& dc) const {
    dc.FillRect(m_rcClient, m_brPeach);
    dc.BitBlt(m_rcBanner.left, m_rcBanner.top, 380, 40, m_bmpBanner);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(m_fontText);
    dc.DrawText(m_strHelpPage, m_rcHelpText, DT_LEFT | DT_TOP | DT_WORDBREAK);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.DrawText(m_strPageFooter, m_rcPageFooter, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.SetTextColor(RGB(0, 0, 0));
}
