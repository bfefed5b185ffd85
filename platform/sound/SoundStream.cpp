#include "platform/sound/SoundStream.h"

SoundStream::SoundStream(const QByteArray& samples, qint64 silenceBytes, QObject* parent)
    : QBuffer(parent), m_soundBytes(samples.size()) {
    // Signed samples: silence is zero bytes.
    setData(samples + QByteArray(silenceBytes, '\0'));
    open(QIODevice::ReadOnly);
}

qint64 SoundStream::readData(char* data, qint64 maxSize) {
    const qint64 read = QBuffer::readData(data, maxSize);
    if (read <= 0) {
        return read;
    }
    const qint64 before = m_taken;
    m_taken += read;
    if (before < m_soundBytes && m_taken >= m_soundBytes) {
        emit soundTaken();
    }
    if (m_taken >= size()) {
        emit silenceTaken();
    }
    return read;
}
