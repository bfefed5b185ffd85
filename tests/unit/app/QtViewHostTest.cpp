#include "app/QtViewHost.h"
#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A view in a real window host, laid out by its first repaint.
struct HostRig {
    explicit HostRig(ViewPlacement placement = {}, QSize size = {1024, 710}) {
        if (placement.width > 0) {
            host.SetPlacement([placement](int, int, double) { return placement; });
        }
        doc.OnNewDocument();
        view = std::make_unique<CGlobuleView>(doc, host);
        host.SetEvents(view.get());
        host.resize(size);
        host.show();
        Pump();
        host.EnableRepaints();
    }
    ~HostRig() { host.SetEvents(nullptr); }
    static void Pump() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
    }
    void Resize(int width, int height) {
        host.resize(width, height);
        Pump();
    }

    QtViewHost host;
    CGlobuleDoc doc;
    std::unique_ptr<CGlobuleView> view;
};

TEST(QtViewHostTest, PassingSizesLeaveTheViewItsPictureAndItsGame) {
    HostRig rig;
    QTest::keyClick(&rig.host, Qt::Key_Space);
    QTest::keyClick(&rig.host, Qt::Key_Space);
    rig.view->OnTimer(CGlobuleView::kPlayTimer);
    ASSERT_EQ(rig.view->m_nCrossStep, 1);
    const QImage during = rig.host.ClientImage().copy();

    // The window manager takes the maximised state away and the frame puts it back.
    rig.host.HoldRepaints();
    rig.Resize(300, 200);
    EXPECT_EQ(rig.host.ClientImage(), during);
    rig.Resize(1024, 710);
    rig.host.EnableRepaints();
    rig.Pump();
    EXPECT_EQ(rig.view->m_bBadResolution, 0);
    EXPECT_EQ(rig.view->m_nScreen, 5);
    EXPECT_EQ(rig.view->m_nCrossStep, 1);
    EXPECT_EQ(rig.host.ClientImage(), during);
    QTest::keyClick(&rig.host, Qt::Key_Space); // the game goes on to its stop
    EXPECT_EQ(rig.doc.m_lNumGames[0], 1);

    // A size that stays is a change of the display: the view refuses it.
    rig.host.HoldRepaints();
    rig.Resize(1280, 990);
    rig.host.EnableRepaints();
    EXPECT_EQ(rig.view->m_bBadResolution, 1);
    EXPECT_EQ(rig.host.ClientImage().size(), QSize(1280, 990));
}

TEST(QtViewHostTest, AKeyHeldDownReachesTheViewAsARepeatHoweverTheDesktopSaysSo) {
    HostRig rig;
    QTest::keyClick(&rig.host, Qt::Key_Space);
    ASSERT_EQ(rig.view->m_nScreen, 4);
    auto send = [&rig](QEvent::Type type, bool autoRepeat, quint64 timestamp) {
        QKeyEvent key(type, Qt::Key_Space, Qt::NoModifier, 65, 32, 0, QStringLiteral(" "),
                      autoRepeat);
        key.setTimestamp(timestamp);
        QCoreApplication::sendEvent(&rig.host, &key);
    };
    // Flagged as a repeat, as Wayland and most X11 repeats are.
    send(QEvent::KeyPress, true, 0);
    EXPECT_EQ(rig.view->m_nScreen, 4);
    // Unflagged, but released and pressed again in the same moment: how X11 repeats a key
    // when Qt misses the pair.
    send(QEvent::KeyRelease, false, 5000);
    send(QEvent::KeyPress, false, 5000);
    EXPECT_EQ(rig.view->m_nScreen, 4);
    // A real press, a moment after the release.
    send(QEvent::KeyRelease, false, 6000);
    send(QEvent::KeyPress, false, 6120);
    EXPECT_EQ(rig.view->m_nScreen, 5);
}

TEST(QtViewHostTest, ClicksReachTheCellUnderThePointerAtEveryScale) {
    // A name cell of the second player at 1024 wide spans x 354..464 and y 5..22.
    for (const double scale : {1.0, 1.45, 2.0}) {
        SCOPED_TRACE(scale);
        // A little wider than the picture, which sits in its middle.
        HostRig rig({1024, 710, scale},
                    QSize(static_cast<int>(1100 * scale), static_cast<int>(710 * scale)));
        ASSERT_EQ(rig.view->m_bBadResolution, 0);
        QTest::keyClick(&rig.host, Qt::Key_Space);
        ASSERT_EQ(rig.view->m_nScreen, 4);
        const QRectF area = rig.host.ViewArea();
        EXPECT_DOUBLE_EQ(area.width(), std::round(1024 * scale));
        auto shownAt = [&](double x, double y) {
            return QPoint(static_cast<int>(area.left() + (x + 0.5) * scale),
                          static_cast<int>(area.top() + (y + 0.5) * scale));
        };
        EXPECT_EQ(rig.host.ToView(shownAt(355, 6)), (CPoint{355, 6}));
        QTest::mouseClick(&rig.host, Qt::LeftButton, {}, shownAt(355, 6));
        EXPECT_EQ(rig.view->m_nActivePlayer, 1);
        QTest::mouseClick(&rig.host, Qt::LeftButton, {}, shownAt(353, 6)); // between cells
        EXPECT_EQ(rig.view->m_nActivePlayer, 1);
        QTest::mouseClick(&rig.host, Qt::LeftButton, {}, shownAt(239, 21));
        EXPECT_EQ(rig.view->m_nActivePlayer, 1);
        QTest::mouseClick(&rig.host, Qt::LeftButton, {}, shownAt(241, 21));
        EXPECT_EQ(rig.view->m_nActivePlayer, 0);
    }
}

} // namespace
