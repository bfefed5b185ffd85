#include "document/DocumentFile.h"

#include "document/Archive.h"
#include "document/GlobuleDoc.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Tell(IMessageBox& messages, const char* pattern, const QString& path) {
    messages.ShowMessage(QString::fromLatin1(pattern).arg(path).toStdString());
}

// The message for a file that could not be opened or created, from the error the system gave.
void TellFileError(IMessageBox& messages, int error, const QString& path) {
    switch (error) {
    case ENOENT:
        Tell(messages, "%1 was not found.", path);
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        Tell(messages, "Access to %1 was denied.", path);
        break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        Tell(messages, "Disk full while accessing %1.", path);
        break;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EISDIR:
        Tell(messages, "%1 contains an incorrect path.", path);
        break;
    case ETXTBSY:
    case EBUSY:
        Tell(messages, "A sharing violation occurred while accessing %1.", path);
        break;
    default:
        Tell(messages, "An unexpected error occurred while accessing %1.", path);
        break;
    }
}

} // namespace

FileOutcome OpenDocumentFile(CGlobuleDoc& doc, const QString& path, IMessageBox& messages) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    // A pipe would hold the open until someone writes to it, and a device reads as nothing or
    // without end: the file is opened without waiting and read only if it is a regular one.
    // (Not waiting changes nothing for a regular file.)
    errno = 0;
    const int fd =
        ::open(QFile::encodeName(fullPath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        TellFileError(messages, errno != 0 ? errno : EACCES, fullPath);
        return FileOutcome::Failed;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        if (S_ISDIR(info.st_mode)) {
            TellFileError(messages, EISDIR, fullPath);
        } else {
            messages.ShowMessage("Failed to open document.");
        }
        return FileOutcome::Failed;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        messages.ShowMessage("Failed to open document.");
        return FileOutcome::Failed;
    }
    const qint64 size = file.size();
    if (size == 0) {
        // An empty file reads nothing and still counts as opened.
        doc.m_strPathName = fullPath.toStdString();
        return FileOutcome::Done;
    }
    if (size > kMaxMatchFileBytes) {
        messages.ShowMessage("Failed to open document.");
        return FileOutcome::Failed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        messages.ShowMessage("Failed to open document.");
        return FileOutcome::Failed;
    }
    CArchive archive(CArchive::load, fullPath.toStdString(), bytes.toStdString());
    switch (doc.Serialize(archive, messages)) {
    case CGlobuleDoc::SerializeResult::Done:
        doc.m_strPathName = fullPath.toStdString();
        return FileOutcome::Done;
    case CGlobuleDoc::SerializeResult::Refused:
        return FileOutcome::Refused;
    case CGlobuleDoc::SerializeResult::UnexpectedFormat:
        break;
    }
    messages.ShowMessage("Unexpected file format.");
    return FileOutcome::Failed;
}

FileOutcome SaveDocumentFile(CGlobuleDoc& doc, const QString& path, IMessageBox& messages) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    const std::string previousName = doc.m_szFileName;
    const int previousUnsaved = doc.m_bUnsavedResults;
    auto fail = [&](int error) {
        doc.m_szFileName = previousName;
        doc.m_bUnsavedResults = previousUnsaved;
        TellFileError(messages, error, fullPath);
        return FileOutcome::Failed;
    };

    // The record is made before anything touches the disk, so a refusal leaves a file whole.
    CArchive archive(CArchive::store, fullPath.toStdString());
    if (doc.Serialize(archive, messages) != CGlobuleDoc::SerializeResult::Done) {
        return FileOutcome::Refused;
    }

    const QFileInfo target(fullPath);
    if (target.isDir()) {
        return fail(EISDIR);
    }
    if (!target.dir().exists()) {
        return fail(ENOENT);
    }
    // Replacing a file through a new one would get round its read-only flag; and a pipe or a
    // device is no match file to replace.
    if (target.exists() && (!target.isWritable() || !target.isFile())) {
        return fail(EACCES);
    }
    QSaveFile file(fullPath);
    // A folder the user may not write still lets a file in it that the user may write be
    // written in place, without the temporary file that would keep the old one whole.
    file.setDirectWriteFallback(true);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(errno != 0 ? errno : EACCES);
    }
    const std::string& bytes = archive.Bytes();
    errno = 0;
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Flush before committing: a short write found only by commit() would still replace the
    // old file with the truncated one.
    const bool flushed = written == static_cast<qint64>(bytes.size()) && file.flush();
    int error = errno;
    if (!flushed || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return fail(error != 0 ? error : ENOSPC);
    }
    errno = 0;
    if (!file.commit()) {
        error = errno;
        return fail(error != 0 ? error : ENOSPC);
    }
    doc.m_strPathName = fullPath.toStdString();
    return FileOutcome::Done;
}
