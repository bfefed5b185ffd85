#pragma once

#include "platform/ViewHost.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

class QTimer;
class ISoundOutput;

// The window side of the game view: shows the off-screen client image, turns key presses,
// left clicks, timer ticks and the desktop's repaint occasions into view events, and offers
// the view its timers, message boxes, caption and sound.
class QtViewHost : public QWidget, public IViewHost {
    Q_OBJECT
public:
    explicit QtViewHost(QWidget* parent = nullptr);
    ~QtViewHost() override;

    void SetEvents(IViewEvents* events) { m_events = events; }
    // Narrows a client width the view would refuse to one it accepts at this height
    // (0: no such width). Without it the view gets the whole widget.
    void SetWidthFit(std::function<int(int width, int height)> fit) { m_fitWidth = std::move(fit); }
    // Until this is called no repaint reaches the view: the window manager may still be
    // resizing the window, and the view fixes its layout at its first repaint. The first
    // repaint is delivered before this returns.
    void EnableRepaints();
    // Stops repaints again until the next EnableRepaints, while the window is being resized
    // back to the size the view was laid out for.
    void HoldRepaints() { m_repaintsEnabled = false; }
    // Asks for the game's repaint, as the desktop does after a box or dialog closes.
    void RequestRepaint();
    // Where the view's client area sits inside the widget.
    QRect ViewArea() const { return m_viewArea; }

    bool SetTimer(int id, int periodMs) override;
    void KillTimer(int id) override;
    void SetWindowText(const std::string& caption) override;
    void PlaySound(unsigned id, bool wait) override;
    CRect GetClientRect() const override;
    QImage& ClientImage() override { return m_image; }
    void ShowMessage(const std::string& text) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void DeliverRepaint();
    void FitViewArea();

    IViewEvents* m_events = nullptr;
    QImage m_image;
    QRect m_viewArea;
    std::function<int(int, int)> m_fitWidth;
    std::map<int, QTimer*> m_timers;
    std::unique_ptr<ISoundOutput> m_sound; // loaded at the first sound
    bool m_soundLoaded = false;
    bool m_repaintsEnabled = false;
    bool m_repaintPending = false;
};
