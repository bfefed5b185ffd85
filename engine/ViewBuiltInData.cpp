#include "engine/GlobuleView.h"
#include "engine/HelpTexts.h"
#include "engine/QuadrantShapes.h"

void CGlobuleView::LoadBuiltInData() {
    // A missing shape resource leaves the records empty: blobs are then blank, never garbage.
    shapes::LoadQuadrantShapes(m_aQuadrant);

    m_strScoreHelp = helptext::kScoreHelp;
    m_strPlayHelp = helptext::kPlayHelp;
}
