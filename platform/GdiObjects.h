#pragma once

#include "platform/Colour.h"

#include <QFont>
#include <QImage>
#include <string>

// Drawing objects in the manner the game was designed for: created once, and a drawing call
// with an object that was never created (or failed to be) simply has no effect.

class CPen {
public:
    bool CreatePen(int width, COLORREF colour);
    bool IsCreated() const { return m_created; }
    int Width() const { return m_width; }
    COLORREF Colour() const { return m_colour; }

private:
    bool m_created = false;
    int m_width = 1;
    COLORREF m_colour = 0;
};

class CBrush {
public:
    bool CreateSolidBrush(COLORREF colour);
    bool IsCreated() const { return m_created; }
    COLORREF Colour() const { return m_colour; }

private:
    bool m_created = false;
    COLORREF m_colour = 0;
};

class CFont {
public:
    // `cellHeight` is the height of a character cell in pixels, leading included. The
    // installed face standing in for `face` gets an em of `emPixels` and a width of `stretch`
    // percent; 0 takes the em `face` has in that cell and the stand-in's usual width.
    bool CreateFont(int cellHeight, const std::string& face, int emPixels = 0, int stretch = 0);
    bool IsCreated() const { return m_created; }
    void DeleteObject() { m_created = false; }
    const QFont& Font() const { return m_font; }
    int CellHeight() const { return m_cellHeight; }

private:
    bool m_created = false;
    int m_cellHeight = 0;
    QFont m_font;
};

class CBitmap {
public:
    // Loads bitmap resource `id` of the program (":/bitmaps/<id>.png").
    bool LoadBitmap(unsigned id);
    bool IsCreated() const { return !m_image.isNull(); }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};
