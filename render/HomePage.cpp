#include "engine/GlobuleView.h"
#include "engine/HelpTexts.h"

void CGlobuleView::DrawHomePage(CDC& dc) {
    dc.FillRect(m_rcClient, m_brPeach);
    dc.BitBlt(m_rcBanner.left, m_rcBanner.top, 380, 40, m_bmpBanner);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(m_fontText);
    const helptext::PageRange& page = helptext::kPages[static_cast<std::size_t>(m_nHelpPage)];
    m_strHelpPage = m_astrParagraph[page.first];
    for (int k = page.first + 1; k < page.afterLast; ++k) {
        m_strHelpPage += "\n\n";
        m_strHelpPage += m_astrParagraph[k];
    }
    dc.DrawText(m_strHelpPage, m_rcHelpText, DT_LEFT | DT_TOP | DT_WORDBREAK);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.DrawText(m_astrPageFooter[m_nHelpPage], m_rcPageFooter,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    dc.SetTextColor(RGB(0, 0, 0));
}
