#include "engine/GlobuleView.h"

#include <cmath>

void CGlobuleView::ShowCentre(bool pinned) {
    m_nCentreScreenX = m_rcBlob.left + m_nCentreX;
    m_nCentreScreenY = m_rcBlob.top + m_nCentreY;
    m_nCentreDistance = pinned ? static_cast<int>(std::lround(std::hypot(
                                     m_nPinX - m_nCentreScreenX, m_nPinY - m_nCentreScreenY)))
                               : -1;
    {
        CDC dc = ClientDC();
        PaintCentreShowing(dc);
    }
    m_host.Pause(kCentreShowingMs);
}
