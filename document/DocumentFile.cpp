#include "document/DocumentFile.h"

#include "document/Archive.h"
#include "document/FileTexts.h"
#include "document/GlobuleDoc.h"
#include "document/RegularFile.h"
#include "document/SafeWrite.h"
#include "platform/FilePath.h"
#include "platform/MessageBox.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Tell(IMessageBox& messages, std::string_view pattern, const std::string& path) {
    std::string text(pattern);
    const std::size_t at = text.find("%1");
    if (at != std::string::npos) {
        text.replace(at, 2, filepath::Shown(path));
    }
    messages.ShowMessage(text);
}

// The message for a file that could not be opened or written, from the error the system gave.
void TellFileError(IMessageBox& messages, int error, const std::string& path) {
    switch (error) {
    case ENOENT:
        Tell(messages, filetext::kNotFound, path);
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        Tell(messages, filetext::kAccessDenied, path);
        break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        Tell(messages, filetext::kDiskFull, path);
        break;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EISDIR:
    case ELOOP:
        Tell(messages, filetext::kIncorrectPath, path);
        break;
    case ETXTBSY:
    case EBUSY:
        Tell(messages, filetext::kSharingViolation, path);
        break;
    default:
        Tell(messages, filetext::kUnexpectedError, path);
        break;
    }
}

} // namespace

FileOutcome OpenDocumentFile(CGlobuleDoc& doc, const std::string& path, IMessageBox& messages) {
    const std::string fullPath = filepath::Absolute(path);
    if (fullPath.empty()) {
        TellFileError(messages, ENOENT, fullPath);
        return FileOutcome::Failed;
    }
    QFile file;
    const RegularFileOpen opened =
        OpenRegularFile(file, QByteArray::fromStdString(fullPath), /*followLinks=*/true);
    if (opened.outcome == RegularFileOpen::Outcome::OpenFailed) {
        TellFileError(messages, opened.error, fullPath);
        return FileOutcome::Failed;
    }
    if (opened.outcome == RegularFileOpen::Outcome::NotRegular && opened.folder) {
        TellFileError(messages, EISDIR, fullPath);
        return FileOutcome::Failed;
    }
    if (opened.outcome != RegularFileOpen::Outcome::Opened) {
        messages.ShowMessage(filetext::kFailedToOpen);
        return FileOutcome::Failed;
    }
    const qint64 size = file.size();
    if (size == 0) {
        // An empty file reads nothing and still counts as opened.
        doc.m_strPathName = fullPath;
        return FileOutcome::Done;
    }
    if (size > kMaxMatchFileBytes) {
        messages.ShowMessage(filetext::kFailedToOpen);
        return FileOutcome::Failed;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        messages.ShowMessage(filetext::kFailedToOpen);
        return FileOutcome::Failed;
    }
    CArchive archive(CArchive::load, fullPath, bytes.toStdString());
    switch (doc.Serialize(archive, messages)) {
    case CGlobuleDoc::SerializeResult::Done:
        doc.m_strPathName = fullPath;
        return FileOutcome::Done;
    case CGlobuleDoc::SerializeResult::Refused:
        return FileOutcome::Refused;
    case CGlobuleDoc::SerializeResult::UnexpectedFormat:
        break;
    }
    messages.ShowMessage(filetext::kUnexpectedFormat);
    return FileOutcome::Failed;
}

FileOutcome SaveDocumentFile(CGlobuleDoc& doc, const std::string& path, IMessageBox& messages,
                             SaveOccasion occasion) {
    const std::string fullPath = filepath::Absolute(path);
    const std::string previousName = doc.m_szFileName;
    const int previousUnsaved = doc.m_bUnsavedResults;
    auto fail = [&](int error) {
        doc.m_szFileName = previousName;
        doc.m_bUnsavedResults = previousUnsaved;
        TellFileError(messages, error, fullPath);
        return FileOutcome::Failed;
    };

    // The record is made before anything touches the disk, so a refusal leaves a file whole.
    CArchive archive(CArchive::store, fullPath);
    archive.SetAnyScreen(occasion == SaveOccasion::BeforeDiscarding);
    if (doc.Serialize(archive, messages) != CGlobuleDoc::SerializeResult::Done) {
        return FileOutcome::Refused;
    }
    if (fullPath.empty()) {
        return fail(ENOENT);
    }
    // Replacing a file through a new one would get round its read-only flag; and a pipe or a
    // device is no match file to replace.
    struct stat info {};
    if (::stat(fullPath.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return fail(EISDIR);
        }
        if (!S_ISREG(info.st_mode) || ::faccessat(AT_FDCWD, fullPath.c_str(), W_OK, AT_EACCESS)) {
            return fail(EACCES);
        }
    }
    if (const int error = ReplaceFileBytes(fullPath, archive.Bytes()); error != 0) {
        return fail(error);
    }
    doc.m_strPathName = fullPath;
    return FileOutcome::Done;
}

bool CanSaveTo(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}
