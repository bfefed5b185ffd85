#include "app/QtViewHost.h"

#include "platform/DrawContext.h"
#include "platform/SoundOutput.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>
#include <utility>

namespace {

unsigned VirtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_F1:
        return VK_F1;
    default:
        return 0;
    }
}

// A key that may be the first of a shortcut rather than a press of its own.
bool IsModifier(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

bool IsWholeNumber(double value) {
    return std::abs(value - std::round(value)) < 1e-9;
}

} // namespace

QtViewHost::QtViewHost(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image = QImage(1, 1, QImage::Format_RGB32);
    m_image.fill(Qt::white);
    // A repaint owed from a hold comes after the input, as a blocked thread has it.
    m_gate.SetAfterHold([this] {
        WakeRestingTimers(); // what was held back has reached the view
        DeliverRepaint();
    });
}

QtViewHost::~QtViewHost() = default;

void QtViewHost::SetSoundOutput(std::unique_ptr<ISoundOutput> output) {
    m_sound = std::move(output);
    m_soundLoaded = true;
}

// ---- Events for the view ------------------------------------------------------------------

void QtViewHost::Dispatch(std::function<void()> event) {
    m_gate.Dispatch(std::move(event));
    WakeRestingTimers();
}

bool QtViewHost::IsRepeat(const QKeyEvent& press) const {
    // X11 repeats a held key as a release and a press of the same moment, and Qt, which looks
    // ahead for the press when the release comes, does not always find it in time. (Events
    // that no keyboard made carry no scan code, and may share a millisecond; those that a
    // program sends, or a virtual keyboard, may carry no time at all: two presses of time 0
    // are two presses.)
    return press.isAutoRepeat() ||
           (press.nativeScanCode() != 0 && press.nativeScanCode() == m_lastRelease.scanCode &&
            press.key() == m_lastRelease.key && press.timestamp() != 0 &&
            press.timestamp() == m_lastRelease.timestamp);
}

void QtViewHost::keyReleaseEvent(QKeyEvent* event) {
    m_lastRelease = {event->key(), event->nativeScanCode(), event->timestamp()};
    QWidget::keyReleaseEvent(event);
}

void QtViewHost::keyPressEvent(QKeyEvent* event) {
    const bool repeat = IsRepeat(*event);
    if (m_pause != nullptr) {
        // The player's key ends the look and is spent on it; a held key's repeats do not.
        if (!repeat && !IsModifier(event->key())) {
            m_pause->quit();
        }
        return;
    }
    const unsigned key = VirtualKey(event->key());
    // The view decides what a repeat does, as it would from the desktop's key flags.
    const unsigned flags = repeat ? KF_REPEAT : 0u;
    Dispatch([this, key, flags] {
        if (m_events != nullptr) {
            m_events->OnKeyDown(key, 1, flags);
            ShowIfDrawn();
        }
    });
}

void QtViewHost::mousePressEvent(QMouseEvent* event) {
    // Until the view is laid out, no point maps to it.
    if (event->button() != Qt::LeftButton || !m_laidOut) {
        return;
    }
    const CPoint at = ToView(event->position());
    Dispatch([this, at] {
        if (m_events != nullptr) {
            m_events->OnLButtonDown(0, at);
            ShowIfDrawn();
        }
    });
}

void QtViewHost::ShowIfDrawn() {
    // Every write to the image, through a painter or its pixels, gives it a new cache key: a
    // handler that drew nothing (a poll that found nothing changed) costs the window nothing.
    const qint64 key = m_image.cacheKey();
    if (key != m_shownKey) {
        m_shownKey = key;
        update();
    }
}

bool QtViewHost::focusNextPrevChild(bool) {
    return false;
} // Tab is just another key here

bool QtViewHost::SetTimer(int id, int periodMs) {
    if (periodMs <= 0) {
        return false;
    }
    QTimer*& timer = m_timers[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, [this, id] { OnTimerTick(id); });
    }
    m_resting.erase(id);
    timer->start(periodMs);
    return true;
}

void QtViewHost::RestTimerUntilEvent(int id) {
    const auto it = m_timers.find(id);
    if (it != m_timers.end() && it->second != nullptr && it->second->isActive()) {
        m_resting[id] = it->second->interval();
        it->second->stop(); // an idle Score screen wakes the program no more
    }
}

void QtViewHost::WakeRestingTimers() {
    for (const auto& [id, periodMs] : std::exchange(m_resting, {})) {
        m_timers.at(id)->start(periodMs);
    }
}

void QtViewHost::OnTimerTick(int id) {
    // A blocked thread sees no ticks; the timer's next one comes after the hold.
    if (m_gate.Holding() || m_events == nullptr) {
        return;
    }
    // A tick is no event that could wake a resting timer.
    m_gate.Dispatch([this, id] {
        m_events->OnTimer(static_cast<unsigned>(id));
        ShowIfDrawn();
    });
}

bool QtViewHost::FireTimerForTest(int id) {
    if (TimerPeriodForTest(id) == 0) {
        return false;
    }
    OnTimerTick(id);
    return true;
}

int QtViewHost::TimerPeriodForTest(int id) const {
    if (const auto resting = m_resting.find(id); resting != m_resting.end()) {
        return resting->second;
    }
    const auto it = m_timers.find(id);
    return it != m_timers.end() && it->second != nullptr && it->second->isActive()
               ? it->second->interval()
               : 0;
}

void QtViewHost::KillTimer(int id) {
    m_resting.erase(id);
    const auto it = m_timers.find(id);
    if (it != m_timers.end() && it->second != nullptr) {
        it->second->stop();
    }
}

void QtViewHost::PlaySound(unsigned id, bool wait) {
    if (!m_soundLoaded) {
        m_soundLoaded = true;
        m_sound = LoadSoundOutput();
    }
    if (wait) {
        m_gate.Hold(); // until the handler that waits has returned
    }
    if (m_sound == nullptr) {
        return;
    }
    if (wait) {
        repaint(); // what the player sees while the sound holds the game
    }
    m_sound->Play(id, wait);
}

void QtViewHost::Pause(int periodMs) {
    m_gate.Hold(); // until the handler that pauses has returned
    update();      // what the player is to look at
    QEventLoop look;
    QTimer::singleShot(periodMs, &look, &QEventLoop::quit);
    m_pause = &look;
    look.exec();
    m_pause = nullptr;
}

void QtViewHost::ShowMessage(const std::string& text) {
    update();
    if (m_testMessageBox != nullptr) {
        m_testMessageBox->ShowMessage(text);
        RequestRepaint();
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Globule"), QString::fromStdString(text),
                    QMessageBox::Ok, this);
    box.exec();
    RequestRepaint();
}

void QtViewHost::SetWindowText(const std::string& caption) {
    window()->setWindowTitle(QString::fromStdString(caption));
}

// ---- Repaints and the view's place --------------------------------------------------------

void QtViewHost::EnableRepaints() {
    if (m_laidOut) {
        DeliverRepaint(); // only if one was asked for meanwhile
        return;
    }
    // At once, so that the window's next paint already shows the game; a repaint asked for
    // earlier is then covered by this one.
    PlaceView();
    m_laidOut = true;
    m_repaintPending = true;
    DeliverRepaint();
}

void QtViewHost::RequestRepaint() {
    if (m_repaintPending) {
        return;
    }
    m_repaintPending = true;
    // Queued, so the handler that asked (a key that opened a box, say) finishes first.
    QTimer::singleShot(0, this, [this] { DeliverRepaint(); });
}

void QtViewHost::DeliverRepaint() {
    // A repaint owed before the layout, or while the program is held, waits for them.
    if (!m_repaintPending || !m_laidOut || m_gate.Holding() || m_events == nullptr) {
        return;
    }
    m_repaintPending = false;
    m_gate.Run([this] {
        CDC dc(m_image);
        m_events->OnDraw(dc);
        update();
    });
    WakeRestingTimers();
}

QSize QtViewHost::RealSize() const {
    const double ratio = devicePixelRatioF();
    return {static_cast<int>(std::lround(width() * ratio)),
            static_cast<int>(std::lround(height() * ratio))};
}

void QtViewHost::PlaceView() {
    const QSize real = RealSize();
    m_placedRatio = devicePixelRatioF();
    m_placed = m_placement ? m_placement(real.width(), real.height(), m_placedRatio)
                           : ViewPlacement{width(), height(), m_placedRatio};
    if (m_image.size() != QSize(m_placed.width, m_placed.height) && m_placed.width > 0 &&
        m_placed.height > 0) {
        m_image = QImage(m_placed.width, m_placed.height, QImage::Format_RGB32);
        m_image.fill(Qt::white);
    }
}

ShownArea QtViewHost::Shown() const {
    const QSize real = RealSize();
    return PlaceLaidOutView({m_image.width(), m_image.height(), m_placed.scale}, m_placedRatio,
                            real.width(), real.height(), devicePixelRatioF());
}

QRectF QtViewHost::ViewArea() const {
    const ShownArea shown = Shown();
    const double ratio = devicePixelRatioF();
    return {shown.left / ratio, shown.top / ratio, shown.width / ratio, shown.height / ratio};
}

CPoint QtViewHost::ToView(QPointF widgetPoint) const {
    const ShownArea shown = Shown();
    if (shown.width <= 0 || shown.height <= 0) {
        return {-1, -1};
    }
    const double ratio = devicePixelRatioF();
    const double x = (widgetPoint.x() * ratio - shown.left) * m_image.width() / shown.width;
    const double y = (widgetPoint.y() * ratio - shown.top) * m_image.height() / shown.height;
    return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
}

CRect QtViewHost::GetClientRect() const {
    return CRect(0, 0, m_image.width(), m_image.height());
}

void QtViewHost::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!m_laidOut) {
        PlaceView(); // the image follows the window until the view has fixed its layout
    }
    update();
}

void QtViewHost::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !IsWholeNumber(Shown().scale));
    painter.drawImage(ViewArea(), m_image);
}
