#include "engine/GlobuleView.h"

void CGlobuleView::DrawHomePage(CDC& dc) { dc.FillRect(m_rcClient, m_brPeach); }
