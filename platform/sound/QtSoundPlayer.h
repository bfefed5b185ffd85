#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QAudioSink;

// Plays the program's sound resources (":/sounds/<id>.wav") through one audio sink.
// A new sound stops the one playing; sounds are never mixed. Anything that goes wrong (a
// missing or damaged sound, no audio device, no sound server) is silence.
//
// Every sound reaches the server as signed 16-bit samples followed by silence, and its stream
// is closed once the sound has been heard and the silence taken: no stream is left open and
// starved between sounds, which some servers fill with noise.
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
    // The current sound has been heard to its end.
    void heard();

private:
    void Stop();
    void Close();
    // Runs `step` for sound `number` after the current event, if that sound still plays.
    void Later(quint64 number, void (QtSoundPlayer::*step)());
    void SoundTaken();
    void SilenceTaken();
    void LengthPassed();
    void Follow();
    // Says once per sound that it has been heard.
    void MarkHeard();
    void WaitUntilHeard(qint64 durationMs);

    // The sound's sink, a child of the player. A stopped sink is deleted by the event loop, never
    // at once: deleting one runs the event loop (Qt's PulseAudio sink does), which must not
    // happen inside a handler of the view, nor while the sink's own stop is unwinding.
    QAudioSink* m_sink = nullptr;
    quint64 m_sound = 0; // numbers the sounds, so that a late report of an old one is ignored
    QTimer m_length;     // the sound's length, counted from its start, and the output's latency
    QTimer m_guard;      // however the device behaves, the stream is closed by then
    bool m_soundTaken = false;   // the sink has read the last of the sound's samples
    bool m_silenceTaken = false; // ... and the silence after them
    bool m_lengthPassed = false;
    bool m_heard = false;
};
