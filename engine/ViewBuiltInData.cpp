#include "engine/GlobuleView.h"
#include "engine/HelpTexts.h"
#include "render/QuadrantShapes.h"

void CGlobuleView::LoadBuiltInData() {
    // A missing shape resource leaves the records empty: blobs are then blank, never garbage.
    shapes::LoadQuadrantShapes(m_aQuadrant);
    m_nQuadrantLoad = shapes::kShapeCount;

    for (m_nParagraphLoad = 0; m_nParagraphLoad < static_cast<int>(helptext::kParagraphs.size());
         ++m_nParagraphLoad) {
        m_astrParagraph[m_nParagraphLoad] = helptext::kParagraphs[m_nParagraphLoad];
    }
    for (m_nParagraphLoad = 0; m_nParagraphLoad < static_cast<int>(helptext::kPageFooters.size());
         ++m_nParagraphLoad) {
        m_astrPageFooter[m_nParagraphLoad] = helptext::kPageFooters[m_nParagraphLoad];
    }
    m_strScoreHelp = helptext::kScoreHelp;
    m_strPlayHelp = helptext::kPlayHelp;
}
