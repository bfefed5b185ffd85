#pragma once

#include <QString>

class CGlobuleDoc;
class IMessageBox;

// The file commands' steps around Serialize: opening, reading and atomically writing the file,
// and the messages the user sees when that fails. Every failure leaves the match as it was.
enum class FileOutcome {
    Done,    // the document now has this path (the recent-file list may record it)
    Refused, // the screen forbids it; the user has been told; nothing changed on disk or here
    Failed,  // the user has been told why; nothing changed here, and a file on disk is whole
};

FileOutcome OpenDocumentFile(CGlobuleDoc& doc, const QString& path, IMessageBox& messages);
FileOutcome SaveDocumentFile(CGlobuleDoc& doc, const QString& path, IMessageBox& messages);

// Files larger than this are no match file; refusing them keeps a stray pick from filling memory.
constexpr qint64 kMaxMatchFileBytes = 256LL * 1024 * 1024;
