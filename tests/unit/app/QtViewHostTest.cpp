#include "app/QtViewHost.h"
#include "document/GlobuleDoc.h"
#include "engine/GlobuleView.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

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

TEST(QtViewHostTest, LaterSizesShowTheSamePictureScaledToFitAndTheGameGoesOn) {
    HostRig rig;
    QTest::keyClick(&rig.host, Qt::Key_Space);
    QTest::keyClick(&rig.host, Qt::Key_Space);
    rig.view->OnTimer(CGlobuleView::kPlayTimer);
    ASSERT_EQ(rig.view->m_nCrossStep, 1);
    const QImage during = rig.host.ClientImage().copy();
    const int tick = rig.host.TimerPeriodForTest(CGlobuleView::kPlayTimer);
    ASSERT_GT(tick, 0);

    struct Case {
        QSize window;
        QRectF shown;
    };
    const Case cases[] = {
        {{1024, 662}, {34, 0, 955, 662}},    // a panel came: smaller, whole, centred
        {{1400, 900}, {188, 95, 1024, 710}}, // never larger than it was laid out
        {{300, 200}, {6, 0, 288, 200}},      // unmaximised to a small window
        {{1024, 710}, {0, 0, 1024, 710}},    // back as it was
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1x%2").arg(c.window.width()).arg(c.window.height()).toStdString());
        rig.Resize(c.window.width(), c.window.height());
        EXPECT_EQ(rig.host.ViewArea(), c.shown);
        EXPECT_EQ(rig.host.ClientImage(), during);
        EXPECT_EQ(rig.view->m_bBadResolution, 0);
        EXPECT_EQ(rig.view->m_nScreen, 5);
        EXPECT_EQ(rig.view->m_nCrossStep, 1);
        EXPECT_EQ(rig.host.TimerPeriodForTest(CGlobuleView::kPlayTimer), tick);
    }
    QTest::keyClick(&rig.host, Qt::Key_Space); // the game goes on to its stop
    EXPECT_EQ(rig.doc.m_lNumGames[0], 1);

    // A click in the smaller window reaches the cell under the pointer: the second player's
    // name spans x 354..464 and y 5..22 of the picture.
    rig.Resize(700, 500);
    const QRectF area = rig.host.ViewArea();
    const QPointF name(area.left() + 400.5 * area.width() / 1024,
                       area.top() + 14.5 * area.height() / 710);
    EXPECT_EQ(rig.host.ToView(name), (CPoint{400, 14}));
    QTest::mouseClick(&rig.host, Qt::LeftButton, {}, name.toPoint());
    EXPECT_EQ(rig.view->m_nActivePlayer, 1);
}

// Counts the paint events of a widget, that is the times its window is drawn again.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    // The paints since the last call, once what was asked for has been delivered.
    int Paints() {
        QCoreApplication::processEvents();
        return std::exchange(m_paints, 0);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        m_paints += event->type() == QEvent::Paint;
        return false;
    }

private:
    int m_paints = 0;
};

// The Score screen's poll runs every 50 ms, on the Score screen and on the Home page after End:
// one that finds nothing changed must leave the image untouched and the window undrawn.
TEST(QtViewHostTest, APollThatFindsNothingDrawsNothing) {
    HostRig rig;
    PaintCounter counter(rig.host);
    QTest::keyClick(&rig.host, Qt::Key_Space);
    ASSERT_EQ(rig.view->m_nScreen, 4);
    EXPECT_GT(counter.Paints(), 0);
    auto pollsDrawNothing = [&] {
        const qint64 shown = rig.host.ClientImage().cacheKey();
        for (int poll = 0; poll < 3; ++poll) {
            ASSERT_TRUE(rig.host.FireTimerForTest(CGlobuleView::kPollTimer));
        }
        EXPECT_EQ(rig.host.ClientImage().cacheKey(), shown);
        EXPECT_EQ(counter.Paints(), 0);
    };
    pollsDrawNothing();
    QTest::keyClick(&rig.host, Qt::Key_End); // the poll runs on behind the Home page
    ASSERT_EQ(rig.view->m_nScreen, 0);
    EXPECT_GT(counter.Paints(), 0);
    pollsDrawNothing();

    // Until an event comes, the poll rests: nothing wakes the idle program.
    auto pollWakes = [&] {
        const QList<QTimer*> timers = rig.host.findChildren<QTimer*>();
        return std::any_of(timers.begin(), timers.end(),
                           [](const QTimer* t) { return t->isActive() && t->interval() == 50; });
    };
    EXPECT_FALSE(pollWakes());
    EXPECT_EQ(rig.host.TimerPeriodForTest(CGlobuleView::kPollTimer), 50);

    // A command changes the record: the poll goes on, and must show it with the Score screen.
    rig.host.Dispatch([&] { rig.doc.m_bUnsavedResults = 1; });
    EXPECT_TRUE(pollWakes());
    ASSERT_TRUE(rig.host.FireTimerForTest(CGlobuleView::kPollTimer));
    EXPECT_EQ(rig.view->m_nScreen, 4);
    EXPECT_GT(counter.Paints(), 0);
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
    // Presses that a program or a virtual keyboard sends carry no time: each is a press.
    send(QEvent::KeyRelease, false, 0);
    send(QEvent::KeyPress, false, 0);
    EXPECT_EQ(rig.view->m_nScreen, 5);
}

TEST(QtViewHostTest, ClicksReachTheCellUnderThePointerAtEveryScale) {
    // A name cell of the second player at 1024 wide spans x 354..464 and y 5..22.
    for (const double scale : {1.0, 1.45, 2.0}) {
        SCOPED_TRACE(scale);
        // A little wider than the picture, which sits in its middle.
        HostRig rig({1024, 710, scale}, QSize(static_cast<int>(1100 * scale),
                                              static_cast<int>(std::ceil(710 * scale))));
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
