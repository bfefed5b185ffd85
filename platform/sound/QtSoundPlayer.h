#pragma once

#include <QByteArray>
#include <QObject>
#include <memory>

class QAudioSink;

// Plays the program's sound resources (":/sounds/<id>.wav") through one audio sink.
// A new sound stops the one playing; sounds are never mixed. Anything that goes wrong (a
// missing or damaged sound, no audio device, no sound server) is silence.
class QtSoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit QtSoundPlayer(QObject* parent = nullptr);
    ~QtSoundPlayer() override;

    // With `wait`, returns once the sound has ended (or was stopped by another), keeping the
    // window painted and timers running but handling no user input meanwhile.
    void Play(unsigned id, bool wait);
    // Plays a wave image from memory the same way; a damaged image stops the sound playing
    // and is silence.
    void PlayImage(const QByteArray& image, bool wait);

signals:
    // The current sound was stopped to make way for another, finished or not; ends any wait
    // for it.
    void stopped();

private:
    void Stop();
    void WaitForEnd(QAudioSink* sink, qint64 durationMs);

    std::unique_ptr<QAudioSink> m_sink;
    // The sink stopped last. It is deleted only at the next stop, never while its own
    // stop may still be unwinding through Qt's code.
    std::unique_ptr<QAudioSink> m_retired;
};
