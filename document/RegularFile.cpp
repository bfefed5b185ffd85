#include "document/RegularFile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileOpen OpenRegularFile(QFile& file, const QByteArray& path, bool followLinks) {
    RegularFileOpen result;
    errno = 0;
    const int fd = ::open(path.constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        result.error = errno != 0 ? errno : EACCES;
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        result.outcome = RegularFileOpen::Outcome::NotRegular;
        result.folder = S_ISDIR(info.st_mode);
        return result;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.outcome = RegularFileOpen::Outcome::Unreadable;
        return result;
    }
    result.outcome = RegularFileOpen::Outcome::Opened;
    return result;
}
