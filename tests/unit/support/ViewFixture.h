#pragma once

#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"
#include "platform/FakeViewHost.h"

#include <memory>

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
