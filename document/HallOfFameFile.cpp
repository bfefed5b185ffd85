#include "document/HallOfFameFile.h"

#include "document/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr int kAsideNames = 9; // FILE.damaged, FILE.damaged-2 .. FILE.damaged-9

QString SystemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

HallRead Damaged(QString problem) {
    HallRead read;
    read.state = HallRead::State::Damaged;
    read.problem = std::move(problem);
    return read;
}

// Moves `path` to a free name beside it, whatever it is (a link, a pipe, a folder), without
// reading it and without replacing anything there. Returns the new name, or empty.
QString SetAside(const QString& path) {
    const QByteArray from = QFile::encodeName(path);
    for (int n = 1; n <= kAsideNames; ++n) {
        const QString aside =
            path + (n == 1 ? QStringLiteral(".damaged") : QStringLiteral(".damaged-%1").arg(n));
        const QByteArray to = QFile::encodeName(aside);
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) ==
            0) {
            return aside;
        }
        if (errno == EINVAL || errno == ENOSYS) {
            // A file system that cannot promise not to replace: look first.
            struct stat there {};
            if (::lstat(to.constData(), &there) != 0 && errno == ENOENT &&
                ::rename(from.constData(), to.constData()) == 0) {
                return aside;
            }
        }
        if (errno != EEXIST && errno != ENOTEMPTY && errno != EINVAL && errno != ENOSYS) {
            return {};
        }
    }
    return {};
}

bool WriteHall(const QString& path, const hall::Table& table, QString& problem) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        problem = QStringLiteral("its folder cannot be made");
        return false;
    }
    const std::string text = table.Format();
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        problem = SystemError(errno != 0 ? errno : EACCES);
        return false;
    }
    const bool written = file.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         file.flush();
    if (!written) {
        problem = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        problem = file.errorString();
        return false;
    }
    return true;
}

} // namespace

HallRead ReadHallFile(const QString& path) {
    // Not through a link: only a regular file of its own is a hall.
    QFile file;
    const RegularFileOpen opened =
        OpenRegularFile(file, QFile::encodeName(path), /*followLinks=*/false);
    switch (opened.outcome) {
    case RegularFileOpen::Outcome::Opened:
        break;
    case RegularFileOpen::Outcome::OpenFailed:
        if (opened.error == ENOENT) {
            return {}; // no game has entered the hall yet
        }
        return Damaged(opened.error == ELOOP
                           ? QStringLiteral("it is a symbolic link")
                           : QStringLiteral("it cannot be read: ") + SystemError(opened.error));
    case RegularFileOpen::Outcome::NotRegular:
        return Damaged(QStringLiteral("it is not a regular file"));
    case RegularFileOpen::Outcome::Unreadable:
        return Damaged(QStringLiteral("it cannot be read"));
    }
    // One byte more than a hall may hold tells a file that is too large, however large.
    const QByteArray bytes = file.read(static_cast<qint64>(hall::kMaxFileBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        return Damaged(QStringLiteral("it cannot be read: ") + file.errorString());
    }
    hall::Parsed parsed = hall::Parse(std::string_view(bytes.constData(), bytes.size()));
    if (!parsed.ok) {
        return Damaged(QString::fromStdString(parsed.problem));
    }
    HallRead read;
    read.state = HallRead::State::Read;
    read.table = std::move(parsed.table);
    return read;
}

HallRecord RecordInHallFile(const QString& path, const hall::Entry& game) {
    HallRecord record;
    HallRead read = ReadHallFile(path);
    if (read.state == HallRead::State::Damaged) {
        const QString aside = SetAside(path);
        if (aside.isEmpty()) {
            record.note = QStringLiteral("The hall of fame in %1 cannot be used (%2), nor set "
                                         "aside; games are not entered in it until it is "
                                         "removed.")
                              .arg(path, read.problem);
            return record;
        }
        record.note = QStringLiteral("The hall of fame in %1 could not be used (%2). It was kept "
                                     "as %3, and a new hall was started.")
                          .arg(path, read.problem, aside);
        read.table = hall::Table();
    }
    if (!read.table.Enter(game)) {
        return record;
    }
    QString problem;
    if (!WriteHall(path, read.table, problem)) {
        const QString failed =
            QStringLiteral("The hall of fame could not be written to %1 (%2).").arg(path, problem);
        record.note = record.note.isEmpty() ? failed : record.note + QLatin1Char(' ') + failed;
        return record;
    }
    record.entered = true;
    return record;
}
