#include "platform/GdiObjects.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace {

// The faces the game asks for are not on a Linux desktop; these stand in for them.
void InstallFontSubstitutions() {
    static const bool installed = [] {
        QFont::insertSubstitutions("Arial Black", {"DejaVu Sans", "Liberation Sans"});
        QFont::insertSubstitutions("Microsoft Sans Serif", {"Liberation Sans", "DejaVu Sans"});
        QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "DejaVu Sans"});
        return true;
    }();
    (void)installed;
}

} // namespace

bool CPen::CreatePen(int width, COLORREF colour) {
    m_width = width < 1 ? 1 : width;
    m_colour = colour;
    m_created = true;
    return true;
}

bool CBrush::CreateSolidBrush(COLORREF colour) {
    m_colour = colour;
    m_created = true;
    return true;
}

bool CFont::CreateFont(int cellHeight, const std::string& face, int emPixels, int stretch) {
    InstallFontSubstitutions();
    if (cellHeight <= 0) {
        m_created = false;
        return false;
    }
    QFont font(QString::fromStdString(face));
    // The stand-ins are sized by em, as the real faces would be for this cell height: the
    // em of Arial Black is 2048 of its 2888-unit cell, that of MS Sans Serif 2048 of 2318.
    const bool heavy = face == "Arial Black";
    font.setWeight(heavy ? QFont::Black : QFont::Medium);
    // Named, so that a narrower stretch condenses this style rather than picking a condensed
    // face that only some machines have (DejaVu Sans Condensed comes with fonts-dejavu-extra).
    font.setStyleName(heavy ? QStringLiteral("Bold") : QStringLiteral("Regular"));
    font.setStyleStrategy(QFont::PreferAntialias);
    const double emPerCell = heavy ? 2048.0 / 2888.0 : 2048.0 / 2318.0;
    font.setPixelSize(emPixels > 0
                          ? emPixels
                          : std::max(1, static_cast<int>(std::lround(cellHeight * emPerCell))));
    // The plain stand-in runs a little wider than the original face.
    font.setStretch(stretch > 0 ? stretch : heavy ? 100 : 94);
    m_font = font;
    m_cellHeight = cellHeight;
    m_created = true;
    return true;
}

bool CBitmap::LoadBitmap(unsigned id) {
    QImage loaded(QStringLiteral(":/bitmaps/%1.png").arg(id));
    m_image = loaded.isNull() ? QImage() : loaded.convertToFormat(QImage::Format_RGB32);
    return !m_image.isNull();
}
