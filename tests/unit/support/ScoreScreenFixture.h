#pragma once

#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"
#include "platform/FakeViewHost.h"

#include <gtest/gtest.h>
#include <memory>

// A view laid out by its first paint at a given client size, showing the Score screen of a
// new match. The record outlives a reopening at another size.
class ScoreScreenFixture : public ::testing::Test {
protected:
    void Open(int width = 1024, int height = 710) {
        view.reset();
        host = std::make_unique<FakeViewHost>(width, height);
        view = std::make_unique<CGlobuleView>(doc, *host);
        doc.OnNewDocument();
        CDC paint(host->ClientImage());
        view->OnDraw(paint);
        ASSERT_EQ(view->m_bBadResolution, 0);
        view->EnterScoreScreen();
    }

    CGlobuleDoc doc;
    std::unique_ptr<FakeViewHost> host;
    std::unique_ptr<CGlobuleView> view;
};
