#include "engine/QuadrantShapes.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstring>

namespace shapes {

namespace {

constexpr char kResourcePath[] = ":/shapes/quadrants.bin";
constexpr qint64 kResourceBytes = qint64(kShapeCount) * kUsedWords * 4;

} // namespace

bool LoadQuadrantShapes(std::int32_t (&records)[kShapeCount][kRecordWords]) {
    std::memset(records, 0, sizeof(records));
    QFile file(QString::fromLatin1(kResourcePath));
    if (!file.open(QIODevice::ReadOnly) || file.size() != kResourceBytes) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() != kResourceBytes) {
        return false;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (int s = 0; s < kShapeCount; ++s) {
        for (int w = 0; w < kUsedWords; ++w) {
            const unsigned char* p = data + (std::size_t(s) * kUsedWords + w) * 4;
            const std::uint32_t u = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                                    (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
            records[s][w] = static_cast<std::int32_t>(u);
        }
    }
    return true;
}

} // namespace shapes
