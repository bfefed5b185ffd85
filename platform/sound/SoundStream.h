#pragma once

#include <QBuffer>
#include <QByteArray>

// What one sound feeds its audio sink: its samples, then a stretch of silence, so that the
// sink can be stopped once the sound has been heard while the server still has silence to play,
// and never runs dry with the stream open. Says when the last of the sound's own samples has
// been read, and when the silence has too.
class SoundStream : public QBuffer {
    Q_OBJECT
public:
    SoundStream(const QByteArray& samples, qint64 silenceBytes, QObject* parent);

signals:
    // Both are emitted from within the sink's read: react through a queued connection.
    void soundTaken();
    void silenceTaken();

protected:
    qint64 readData(char* data, qint64 maxSize) override;

private:
    qint64 m_soundBytes;
    qint64 m_taken = 0;
};
