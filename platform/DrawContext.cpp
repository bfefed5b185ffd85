#include "platform/DrawContext.h"

#include "platform/QtText.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

constexpr COLORREF kStockPenColour = RGB(0, 0, 0);
constexpr COLORREF kStockBrushColour = RGB(255, 255, 255);
constexpr COLORREF kDefaultBackground = RGB(255, 255, 255);

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Characters a line may run past its box's edge and still mark it.
constexpr std::size_t kOverhang = 16;

// Laying text out costs what the whole text holds, and a match file may hold names of
// megabytes. No character of the code page that shows advances less than a pixel, so a line
// shows at most one character per pixel of its box's width, and the box no more lines than
// its height holds: longer text is cut to the part that its alignment puts in the box. Text
// within that is laid out whole, exactly as before.
std::string_view ShowingPart(std::string_view text, int width, int lines, unsigned format) {
    const std::size_t perLine = static_cast<std::size_t>(std::max(width, 0)) + kOverhang;
    if (!(format & DT_SINGLELINE)) {
        // A line ends at the latest at the first break past its width.
        const std::size_t shown = (perLine + 1) * static_cast<std::size_t>(std::max(lines, 0) + 2);
        return text.substr(0, std::min(text.size(), shown));
    }
    if (text.size() <= perLine) {
        return text;
    }
    if (format & DT_RIGHT) {
        return text.substr(text.size() - perLine);
    }
    if (format & DT_CENTER) {
        // Keeping the parity of the whole puts a run of equal letters where the whole would.
        const std::size_t shown = perLine + ((text.size() - perLine) & 1);
        return text.substr((text.size() - shown) / 2, shown);
    }
    return text.substr(0, perLine);
}

} // namespace

CDC::CDC(QImage& target) : m_image(target) {}

int CDC::SetBkMode(int mode) {
    const int previous = m_bkMode;
    m_bkMode = mode;
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF colour) {
    const COLORREF previous = m_textColour;
    m_textColour = colour;
    return previous;
}

void CDC::FillRect(const CRect& rect, const CBrush& brush) {
    if (!brush.IsCreated()) {
        return;
    }
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, m_image.width());
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, m_image.height());
    if (left >= right || top >= bottom) {
        return;
    }
    const std::uint32_t pixel = 0xFF000000u | brush.Colour();
    auto* row = reinterpret_cast<std::uint32_t*>(m_image.bits()) +
                static_cast<std::ptrdiff_t>(top) * Stride();
    for (int y = top; y < bottom; ++y, row += Stride()) {
        std::fill(row + left, row + right, pixel);
    }
}

void CDC::Rectangle(const CRect& rect) {
    if (m_brush == nullptr || m_brush->IsCreated()) {
        CBrush fill;
        fill.CreateSolidBrush(m_brush ? m_brush->Colour() : kStockBrushColour);
        FillRect(rect, fill);
    }
    const CPoint saved = m_position;
    MoveTo(rect.left, rect.top);
    LineTo(rect.right - 1, rect.top);
    LineTo(rect.right - 1, rect.bottom - 1);
    LineTo(rect.left, rect.bottom - 1);
    LineTo(rect.left, rect.top);
    m_position = saved;
}

void CDC::MoveTo(int x, int y) {
    m_position = {x, y};
}

void CDC::LineTo(int x, int y) {
    const CPoint from = m_position;
    m_position = {x, y};
    if (m_pen != nullptr && !m_pen->IsCreated()) {
        return;
    }
    if (m_pen != nullptr && m_pen->Width() > 1) {
        DrawWideSegment(from.x, from.y, x, y);
        return;
    }
    const COLORREF colour = m_pen ? m_pen->Colour() : kStockPenColour;
    // Bresenham, leaving out the end point.
    int cx = from.x;
    int cy = from.y;
    const int dx = std::abs(x - cx);
    const int dy = -std::abs(y - cy);
    const int sx = cx < x ? 1 : -1;
    const int sy = cy < y ? 1 : -1;
    int err = dx + dy;
    while (cx != x || cy != y) {
        SetPixel(cx, cy, colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
}

void CDC::DrawWideSegment(int x0, int y0, int x1, int y1) {
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(ToQColor(m_pen->Colour()));
    pen.setWidth(m_pen->Width());
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawLine(x0, y0, x1, y1);
}

bool CDC::FloodFill(int x, int y, COLORREF border) {
    if (!Inside(x, y) || GetPixel(x, y) == border) {
        return false;
    }
    if (m_brush != nullptr && !m_brush->IsCreated()) {
        return false;
    }
    const std::uint32_t fill = 0xFF000000u | (m_brush ? m_brush->Colour() : kStockBrushColour);
    const int width = m_image.width();
    const int height = m_image.height();
    const std::ptrdiff_t stride = Stride();
    auto* pixels = reinterpret_cast<std::uint32_t*>(m_image.bits());
    // Pixels that already have the fill colour must not stop the fill, so visits are tracked
    // apart from the colours.
    std::vector<std::uint64_t> visited((static_cast<std::size_t>(width) * height + 63) / 64, 0);
    auto open = [&](int px, int py) {
        const std::size_t index = static_cast<std::size_t>(py) * width + px;
        return (pixels[py * stride + px] & 0x00FFFFFFu) != border &&
               !(visited[index >> 6] & (std::uint64_t{1} << (index & 63)));
    };
    std::vector<CPoint> stack{{x, y}};
    while (!stack.empty()) {
        const CPoint seed = stack.back();
        stack.pop_back();
        if (!open(seed.x, seed.y)) {
            continue;
        }
        int left = seed.x;
        while (left > 0 && open(left - 1, seed.y)) {
            --left;
        }
        int right = seed.x;
        while (right + 1 < width && open(right + 1, seed.y)) {
            ++right;
        }
        std::uint32_t* row = pixels + seed.y * stride;
        for (int px = left; px <= right; ++px) {
            row[px] = fill;
            const std::size_t index = static_cast<std::size_t>(seed.y) * width + px;
            visited[index >> 6] |= std::uint64_t{1} << (index & 63);
        }
        for (int ny : {seed.y - 1, seed.y + 1}) {
            if (ny < 0 || ny >= height) {
                continue;
            }
            bool inRun = false;
            for (int px = left; px <= right; ++px) {
                const bool canFill = open(px, ny);
                if (canFill && !inRun) {
                    stack.push_back({px, ny});
                }
                inRun = canFill;
            }
        }
    }
    return true;
}

void CDC::DrawText(const std::string& text, const CRect& rect, unsigned format) {
    if (m_font != nullptr && !m_font->IsCreated()) {
        return;
    }
    int flags = 0;
    flags |= (format & DT_CENTER)  ? Qt::AlignHCenter
             : (format & DT_RIGHT) ? Qt::AlignRight
                                   : Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= (format & DT_VCENTER) ? Qt::AlignVCenter : Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
    }
    if (format & DT_WORDBREAK) {
        flags |= Qt::TextWordWrap;
    }
    const QRect box(rect.left, rect.top, rect.Width(), rect.Height());
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(box);
    if (m_font != nullptr) {
        painter.setFont(m_font->Font());
    }
    const int lines = (format & DT_SINGLELINE)
                          ? 1
                          : box.height() / std::max(painter.fontMetrics().lineSpacing(), 1);
    QString shown = ToQString(std::string(ShowingPart(text, box.width(), lines, format)));
    if (format & DT_SINGLELINE) {
        shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    if (m_bkMode == OPAQUE) {
        const QRect used = painter.boundingRect(box, flags, shown).intersected(box);
        painter.fillRect(used, ToQColor(kDefaultBackground));
    }
    painter.setPen(ToQColor(m_textColour));
    painter.drawText(box, flags, shown);
}

void CDC::BitBlt(int x, int y, int width, int height, const CBitmap& bitmap) {
    if (!bitmap.IsCreated()) {
        return;
    }
    const QImage& source = bitmap.Image();
    const int w = std::min(width, source.width());
    const int h = std::min(height, source.height());
    for (int row = 0; row < h; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= m_image.height()) {
            continue;
        }
        const auto* from = reinterpret_cast<const std::uint32_t*>(source.constScanLine(row));
        std::uint32_t* to = ScanLine(ty);
        for (int col = 0; col < w; ++col) {
            const int tx = x + col;
            if (tx >= 0 && tx < m_image.width()) {
                to[tx] = 0xFF000000u | from[col];
            }
        }
    }
}
