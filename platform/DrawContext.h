#pragma once

#include "platform/Colour.h"
#include "platform/GdiObjects.h"
#include "platform/Geometry.h"

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>

// Text formats of DrawText.
enum : unsigned {
    DT_LEFT = 0x00,
    DT_TOP = 0x00,
    DT_CENTER = 0x01,
    DT_RIGHT = 0x02,
    DT_VCENTER = 0x04,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
};

// Background modes.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// A drawing context over the off-screen image of the client area. Lines, outlines and fills
// are exact (no antialiasing): flood fills stop at an exact border colour and scoring counts
// exact red pixels. A fresh context has the usual defaults: black one-pixel pen, white brush,
// the default font, black text, opaque background.
class CDC {
public:
    explicit CDC(QImage& target);
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }

    void SelectObject(const CPen& pen) { m_pen = &pen; }
    void SelectObject(const CBrush& brush) { m_brush = &brush; }
    void SelectObject(const CFont& font) { m_font = &font; }
    void SelectStockPen() { m_pen = nullptr; }

    int SetBkMode(int mode);
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return m_textColour; }
    int GetBkMode() const { return m_bkMode; }
    COLORREF GetNearestColor(COLORREF colour) const { return colour; }

    void FillRect(const CRect& rect, const CBrush& brush);
    // Outline with the current pen, inside filled with the current brush.
    void Rectangle(const CRect& rect);
    void MoveTo(int x, int y);
    // Draws from the current position up to, not including, (x, y).
    void LineTo(int x, int y);
    // Paints with the current brush every pixel 4-connected to (x, y) that is not `border`.
    bool FloodFill(int x, int y, COLORREF border);
    void DrawText(const std::string& text, const CRect& rect, unsigned format);
    // Copies `width` x `height` pixels of the bitmap's top-left corner to (x, y).
    void BitBlt(int x, int y, int width, int height, const CBitmap& bitmap);

    void SetPixel(int x, int y, COLORREF colour) {
        if (Inside(x, y)) {
            ScanLine(y)[x] = 0xFF000000u | colour;
        }
    }
    COLORREF GetPixel(int x, int y) const {
        return Inside(x, y) ? (ConstScanLine(y)[x] & 0x00FFFFFFu) : CLR_INVALID;
    }
    bool Inside(int x, int y) const {
        return x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height();
    }
    // Raw rows for the hot loops; pixels are 0xFFRRGGBB.
    std::uint32_t* ScanLine(int y) { return reinterpret_cast<std::uint32_t*>(m_image.scanLine(y)); }
    const std::uint32_t* ConstScanLine(int y) const {
        return reinterpret_cast<const std::uint32_t*>(m_image.constScanLine(y));
    }

private:
    std::ptrdiff_t Stride() const { return m_image.bytesPerLine() / 4; }
    void DrawWideSegment(int x0, int y0, int x1, int y1);

    QImage& m_image;
    const CPen* m_pen = nullptr;     // null: the stock black pen of width 1
    const CBrush* m_brush = nullptr; // null: the stock white brush
    const CFont* m_font = nullptr;
    COLORREF m_textColour = RGB(0, 0, 0);
    int m_bkMode = OPAQUE;
    CPoint m_position;
};
