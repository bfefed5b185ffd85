#include "engine/GlobuleView.h"
#include "engine/HelpTexts.h"

void CGlobuleView::DrawHomePage(CDC& dc) {
    dc.FillRect(m_rcClient, m_brPeach);
    dc.BitBlt(m_rcBanner.left, m_rcBanner.top, 380, 40, m_bmpBanner);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(m_fontText);
    m_strHelpPage = helptext::AssemblePage(m_nHelpPage);
    dc.DrawText(m_strHelpPage, m_rcHelpText, DT_LEFT | DT_TOP | DT_WORDBREAK);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.DrawText(std::string(helptext::kPageFooters[static_cast<std::size_t>(m_nHelpPage)]),
                m_rcPageFooter, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.SetTextColor(RGB(0, 0, 0));
}
