#pragma once

#include "platform/EventGate.h"
#include "platform/ViewHost.h"
#include "render/ViewPlacement.h"

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

class QEventLoop;
class QTimer;
class ISoundOutput;

// The window side of the game view: shows the off-screen client image, turns key presses,
// left clicks, timer ticks and the desktop's repaint occasions into view events, and offers
// the view its timers, message boxes, caption and sound.
//
// Everything that reaches the view goes through Dispatch, one event at a time. A handler that
// waits for a sound holds the program as a blocked thread would: until it returns, nothing else
// reaches the view, and what came meanwhile follows in order.
class QtViewHost : public QWidget, public IViewHost {
    Q_OBJECT
public:
    using Placement = std::function<ViewPlacement(int realWidth, int realHeight, double ratio)>;

    explicit QtViewHost(QWidget* parent = nullptr);
    ~QtViewHost() override;

    void SetEvents(IViewEvents* events) { m_events = events; }
    // Chooses the view's image for the widget's area in device pixels. Without it the view
    // gets the whole widget at the desktop's scale.
    void SetPlacement(Placement placement) { m_placement = std::move(placement); }
    // Stands in for the sound module, which is otherwise loaded at the first sound.
    void SetSoundOutput(std::unique_ptr<ISoundOutput> output);

    // Until this is called no repaint or click reaches the view: the window manager may still
    // be resizing the window, and the view fixes its layout at its first repaint, which is
    // delivered before this returns. From then on the image keeps its size; a window of
    // another size or scale only shows it scaled to fit (PlaceLaidOutView).
    void EnableRepaints();
    // Asks for the game's repaint, as the desktop does after a box or dialog closes.
    void RequestRepaint();
    // Runs `event` for the view now, or after the hold in progress.
    void Dispatch(std::function<void()> event);
    bool Holding() const { return m_gate.Holding(); }

    // Where the view's image is shown now, in the widget's coordinates.
    QRectF ViewArea() const;
    // The view pixel under a point of the widget.
    CPoint ToView(QPointF widgetPoint) const;

    bool SetTimer(int id, int periodMs) override;
    void KillTimer(int id) override;
    void RestTimerUntilEvent(int id) override;
    void SetWindowText(const std::string& caption) override;
    void PlaySound(unsigned id, bool wait) override;
    void Pause(int periodMs) override;
    CRect GetClientRect() const override;
    QImage& ClientImage() override { return m_image; }
    void ShowMessage(const std::string& text) override;

    // Test seams, for driving the host without an event loop (whose timers would fire on the
    // wall clock). The game itself never calls them.
    // Answers the view's message boxes in place of a real modal box; null for the real one.
    void SetMessageBoxForTest(IMessageBox* box) { m_testMessageBox = box; }
    // A tick of timer `id` by the path a real tick takes; false when the timer is not running.
    bool FireTimerForTest(int id);
    // The period of timer `id`, or 0 when it is not running.
    int TimerPeriodForTest(int id) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void OnTimerTick(int id);
    // Shows the image again if the handler just run has drawn into it.
    void ShowIfDrawn();
    // Resting timers go on at their period once an event has reached the view.
    void WakeRestingTimers();
    // Whether a press is the keyboard repeating a key held down.
    bool IsRepeat(const QKeyEvent& press) const;
    void DeliverRepaint();
    void PlaceView();
    QSize RealSize() const;
    ShownArea Shown() const;

    IViewEvents* m_events = nullptr;
    QImage m_image;
    ViewPlacement m_placed;
    double m_placedRatio = 1.0; // the screen's device-pixel ratio when the view was placed
    Placement m_placement;
    std::map<int, QTimer*> m_timers;
    std::map<int, int> m_resting;          // timer id -> its period, while it rests
    std::unique_ptr<ISoundOutput> m_sound; // loaded at the first sound
    bool m_soundLoaded = false;
    bool m_laidOut = false; // the view has had its first repaint
    bool m_repaintPending = false;
    EventGate m_gate;
    qint64 m_shownKey = 0;         // the image's cache key when it was last shown
    QEventLoop* m_pause = nullptr; // while the player looks at a pause
    struct KeyRelease {
        int key = 0;
        quint32 scanCode = 0;
        quint64 timestamp = 0;
    };
    KeyRelease m_lastRelease;
    IMessageBox* m_testMessageBox = nullptr;
};
