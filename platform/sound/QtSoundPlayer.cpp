#include "platform/sound/QtSoundPlayer.h"

#include "platform/sound/Wave.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>

namespace {

// Sound reaches the device a few tens of milliseconds after the sink starts.
constexpr qint64 kOutputLatencyMs = 50;
// However the device behaves, a wait never outlasts the sound by more than this.
constexpr qint64 kGuardMarginMs = 500;

} // namespace

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent) {}

QtSoundPlayer::~QtSoundPlayer() {
    if (m_sink) {
        m_sink->stop();
    }
}

void QtSoundPlayer::Stop() {
    if (!m_sink) {
        return;
    }
    m_sink->stop();
    m_retired = std::move(m_sink);
    emit stopped();
}

void QtSoundPlayer::Play(unsigned id, bool wait) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return; // no such sound: whatever is playing goes on
    }
    PlayImage(file.readAll(), wait);
}

void QtSoundPlayer::PlayImage(const QByteArray& image, bool wait) {
    const std::optional<WaveFormat> wave = ParseWave(image);
    Stop();
    if (!wave || wave->samples.isEmpty()) {
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return;
    }

    QAudioFormat format;
    format.setSampleRate(wave->sampleRate);
    format.setChannelCount(wave->channels);
    format.setSampleFormat(wave->bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);

    m_sink = std::make_unique<QAudioSink>(device, format);
    // The buffer is the sink's child, so it outlives every read the sink makes from it.
    auto* buffer = new QBuffer(m_sink.get());
    buffer->setData(wave->samples);
    buffer->open(QIODevice::ReadOnly);
    m_sink->start(buffer);
    if (m_sink->state() == QAudio::StoppedState) {
        // No server or device (OpenError): silence.
        m_sink->stop();
        m_retired = std::move(m_sink);
        return;
    }
    if (wait) {
        WaitForEnd(m_sink.get(), wave->FrameCount() * 1000 / wave->sampleRate);
    }
}

void QtSoundPlayer::WaitForEnd(QAudioSink* sink, qint64 durationMs) {
    // The sink turns Idle once it has taken the last samples, some 0.1 to 0.25 s before they
    // are heard; so the sound has ended when both its length has passed (counted from when
    // the device starts) and the sink has gone Idle.
    QEventLoop loop;
    bool lengthPassed = false;
    bool drained = false;
    QTimer length;
    length.setSingleShot(true);
    length.setTimerType(Qt::PreciseTimer); // a coarse timer may run late by 5%
    connect(&length, &QTimer::timeout, &loop, [&] {
        lengthPassed = true;
        if (drained) {
            loop.quit();
        }
    });
    const QMetaObject::Connection watch =
        connect(sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State state) {
            if (state == QAudio::StoppedState) {
                loop.quit();
            } else if (state == QAudio::IdleState) {
                drained = true;
                if (lengthPassed) {
                    loop.quit();
                }
            }
        });
    connect(this, &QtSoundPlayer::stopped, &loop, &QEventLoop::quit);
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);

    length.start(durationMs + kOutputLatencyMs);
    guard.start(durationMs + kGuardMarginMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(watch);
}
