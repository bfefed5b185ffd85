#include "platform/sound/QtSoundPlayer.h"

#include "platform/sound/SoundStream.h"
#include "platform/sound/Wave.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <utility>

namespace {

// Sound reaches the device a few tens of milliseconds after the sink starts.
constexpr qint64 kOutputLatencyMs = 50;
// The silence after each sound: longer than the sink keeps ahead of the server (some 150 ms),
// so that once the sink has read it all, what the server has left to play is silence.
constexpr qint64 kSilenceAfterMs = 250;
// However the device behaves, a wait never outlasts the sound by more than this.
constexpr qint64 kGuardMarginMs = 500;

} // namespace

QtSoundPlayer::QtSoundPlayer(QObject* parent) : QObject(parent) {
    for (QTimer* timer : {&m_length, &m_guard}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer); // a coarse timer may run late by 5%
    }
    connect(&m_length, &QTimer::timeout, this, &QtSoundPlayer::LengthPassed);
    connect(&m_guard, &QTimer::timeout, this, [this] {
        MarkHeard();
        Close();
    });
}

QtSoundPlayer::~QtSoundPlayer() {
    if (m_sink) {
        m_sink->stop();
    }
}

void QtSoundPlayer::Stop() {
    if (!m_sink) {
        return;
    }
    Close();
    emit stopped();
}

void QtSoundPlayer::Close() {
    m_length.stop();
    m_guard.stop();
    if (!m_sink) {
        return;
    }
    m_sink->stop();
    std::exchange(m_sink, nullptr)->deleteLater();
}

void QtSoundPlayer::Play(unsigned id, bool wait) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return; // no such sound: whatever is playing goes on
    }
    PlayImage(file.readAll(), wait);
}

void QtSoundPlayer::PlayImage(const QByteArray& image, bool wait) {
    const std::optional<WaveFormat> parsed = ParseWave(image);
    Stop();
    if (!parsed || parsed->samples.isEmpty()) {
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return;
    }
    const WaveFormat wave = ToSigned16(*parsed);
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(QAudioFormat::Int16);

    const quint64 number = ++m_sound;
    m_soundTaken = m_silenceTaken = m_lengthPassed = m_heard = false;
    m_sink = new QAudioSink(device, format, this);
    // The stream is the sink's child, so it outlives every read the sink makes from it. It
    // reports from within the sink's own code: what follows waits for that to return.
    auto* stream =
        new SoundStream(wave.samples, format.bytesForDuration(kSilenceAfterMs * 1000), m_sink);
    connect(stream, &SoundStream::soundTaken, this,
            [this, number] { Later(number, &QtSoundPlayer::SoundTaken); });
    connect(stream, &SoundStream::silenceTaken, this,
            [this, number] { Later(number, &QtSoundPlayer::SilenceTaken); });
    m_sink->start(stream);
    if (m_sink->state() == QAudio::StoppedState) {
        Close(); // no server or device (OpenError): silence
        return;
    }
    const qint64 durationMs = wave.FrameCount() * 1000 / wave.sampleRate;
    m_length.start(durationMs + kOutputLatencyMs);
    m_guard.start(durationMs + kSilenceAfterMs + kGuardMarginMs);
    if (wait) {
        WaitUntilHeard(durationMs);
    }
}

void QtSoundPlayer::Later(quint64 number, void (QtSoundPlayer::*step)()) {
    QMetaObject::invokeMethod(
        this,
        [this, number, step] {
            if (number == m_sound && m_sink) {
                (this->*step)();
            }
        },
        Qt::QueuedConnection);
}

void QtSoundPlayer::SoundTaken() {
    m_soundTaken = true;
    Follow();
}

void QtSoundPlayer::SilenceTaken() {
    m_silenceTaken = true;
    Follow();
}

void QtSoundPlayer::LengthPassed() {
    m_lengthPassed = true;
    Follow();
}

void QtSoundPlayer::Follow() {
    // The sink reads ahead of what is heard, so the sound has ended when both its length has
    // passed and the sink has read its last sample; its stream may close once the silence after
    // it has been read too, and the server has only silence left to play.
    if (!m_lengthPassed || !m_soundTaken) {
        return;
    }
    MarkHeard();
    if (m_silenceTaken) {
        Close();
    }
}

void QtSoundPlayer::MarkHeard() {
    if (!m_heard) {
        m_heard = true;
        emit heard();
    }
}

void QtSoundPlayer::WaitUntilHeard(qint64 durationMs) {
    QEventLoop loop;
    connect(this, &QtSoundPlayer::heard, &loop, &QEventLoop::quit);
    connect(this, &QtSoundPlayer::stopped, &loop, &QEventLoop::quit);
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(durationMs + kGuardMarginMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
