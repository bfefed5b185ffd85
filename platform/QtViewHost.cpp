#include "platform/QtViewHost.h"

#include "platform/DrawContext.h"
#include "platform/QtText.h"
#include "platform/SoundOutput.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

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

} // namespace

QtViewHost::QtViewHost(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image = QImage(1, 1, QImage::Format_RGB32);
    m_image.fill(Qt::white);
}

QtViewHost::~QtViewHost() = default;

void QtViewHost::EnableRepaints() {
    m_repaintsEnabled = true;
    // At once, so that the window's next paint already shows the game; a repaint asked for
    // earlier is then covered by this one.
    DeliverRepaint();
}

void QtViewHost::RequestRepaint() {
    if (m_repaintPending) {
        return;
    }
    m_repaintPending = true;
    // Queued, so the handler that asked (a key that opened a box, say) finishes first.
    QTimer::singleShot(0, this, [this] {
        if (m_repaintPending) {
            DeliverRepaint();
        }
    });
}

void QtViewHost::DeliverRepaint() {
    m_repaintPending = false;
    if (!m_repaintsEnabled || m_events == nullptr) {
        return;
    }
    CDC dc(m_image);
    m_events->OnDraw(dc);
    update();
}

void QtViewHost::FitViewArea() {
    int width = this->width();
    const int height = this->height();
    if (m_fitWidth) {
        const int fitted = m_fitWidth(width, height);
        if (fitted > 0) {
            width = fitted;
        }
    }
    m_viewArea = QRect((this->width() - width) / 2, 0, width, height);
    if (m_image.size() != m_viewArea.size() && !m_viewArea.isEmpty()) {
        m_image = QImage(m_viewArea.size(), QImage::Format_RGB32);
        m_image.fill(Qt::white);
    }
}

void QtViewHost::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitViewArea();
    RequestRepaint();
}

void QtViewHost::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(40, 40, 40));
    painter.drawImage(m_viewArea.topLeft(), m_image);
}

void QtViewHost::keyPressEvent(QKeyEvent* event) {
    if (m_events == nullptr) {
        return;
    }
    m_events->OnKeyDown(VirtualKey(event->key()), 1, 0);
    update();
}

void QtViewHost::mousePressEvent(QMouseEvent* event) {
    if (m_events == nullptr || event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint at = event->position().toPoint() - m_viewArea.topLeft();
    m_events->OnLButtonDown(0, CPoint{at.x(), at.y()});
    update();
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
        connect(timer, &QTimer::timeout, this, [this, id] {
            if (m_events != nullptr) {
                m_events->OnTimer(static_cast<unsigned>(id));
                update();
            }
        });
    }
    timer->start(periodMs);
    return true;
}

void QtViewHost::KillTimer(int id) {
    const auto it = m_timers.find(id);
    if (it != m_timers.end() && it->second != nullptr) {
        it->second->stop();
    }
}

void QtViewHost::SetWindowText(const std::string& caption) {
    window()->setWindowTitle(QString::fromStdString(caption));
}

void QtViewHost::PlaySound(unsigned id, bool wait) {
    if (!m_soundLoaded) {
        m_soundLoaded = true;
        m_sound = LoadSoundOutput();
    }
    if (m_sound == nullptr) {
        return;
    }
    if (wait) {
        repaint(); // what the player sees while the sound holds the game
    }
    m_sound->Play(id, wait);
}

CRect QtViewHost::GetClientRect() const {
    return CRect(0, 0, m_image.width(), m_image.height());
}

void QtViewHost::ShowMessage(const std::string& text) {
    update();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Globule"), ToQString(text),
                    QMessageBox::Ok, this);
    box.exec();
    RequestRepaint();
}
