#pragma once

#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"
#include "platform/FakeViewHost.h"

#include <QImage>
#include <memory>
#include <string>

// A match record, a test window and a view on them, laid out by a first paint.
struct ViewRig {
    explicit ViewRig(int width = 1024, int height = 710) : host(width, height) {
        doc.OnNewDocument();
        view = std::make_unique<CGlobuleView>(doc, host);
    }

    void Paint() {
        CDC dc(host.ClientImage());
        view->OnDraw(dc);
    }
    void Key(unsigned virtualKey) { view->OnKeyDown(virtualKey, 1, 0); }
    void Tick() { view->OnTimer(CGlobuleView::kPlayTimer); }
    COLORREF Pixel(int x, int y) {
        CDC dc(host.ClientImage());
        return dc.GetPixel(x, y);
    }
    // From the Home page to a game whose first tick has shown position 1.
    void StartGameAndFirstTick() {
        Key(VK_SPACE);
        Key(VK_SPACE);
        Tick();
    }

    CGlobuleDoc doc;
    FakeViewHost host;
    std::unique_ptr<CGlobuleView> view;
};

// Whether `screen` shows `text` as DrawText puts it into `rect` with `font`, `format` and
// `colour`: within `area` (by default the rectangle), the pixels wholly in that colour are
// exactly the solid ink of the text drawn alone. The background does not matter, so a wrong
// word or number, or one drawn at another place in its box, fails; so does a text that leaves
// no solid ink to read.
inline bool ShowsText(const QImage& screen, const std::string& text, const CRect& rect,
                      const CFont& font, unsigned format, COLORREF colour, CRect area = {}) {
    if (area.IsRectEmpty()) {
        area = rect;
    }
    QImage alone(screen.size(), QImage::Format_RGB32);
    alone.fill(QColor(255 - GetRValue(colour), 255 - GetGValue(colour), 255 - GetBValue(colour)));
    CDC dc(alone);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(font);
    dc.SetTextColor(colour);
    dc.DrawText(text, rect, format);
    int ink = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const bool expected = (alone.pixel(x, y) & 0xFFFFFFu) == colour;
            if (((screen.pixel(x, y) & 0xFFFFFFu) == colour) != expected) {
                return false;
            }
            ink += expected;
        }
    }
    return ink > 0 || text.empty();
}
