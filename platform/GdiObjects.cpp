#include "platform/GdiObjects.h"

#include <QFontMetrics>
#include <QString>
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

bool CFont::CreateFont(int cellHeight, const std::string& face) {
    InstallFontSubstitutions();
    if (cellHeight <= 0) {
        m_created = false;
        return false;
    }
    QFont font(QString::fromStdString(face));
    // "Arial Black" is a heavy face in its own right; its stand-in gets the heavy weight.
    font.setWeight(face == "Arial Black" ? QFont::Black : QFont::Medium);
    font.setStyleStrategy(QFont::PreferAntialias);
    // Pixel size is the em height; scale it so the cell (ascent + descent) is what was asked.
    font.setPixelSize(cellHeight);
    const int measured = QFontMetrics(font).height();
    if (measured > 0 && measured != cellHeight) {
        const int scaled =
            static_cast<int>(std::lround(double(cellHeight) * cellHeight / measured));
        font.setPixelSize(scaled > 0 ? scaled : 1);
    }
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
