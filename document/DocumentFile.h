#pragma once

#include <QtGlobal>
#include <string>

class CGlobuleDoc;
class IMessageBox;

// The file commands' steps around Serialize: opening, reading and safely writing the file, and
// the messages the user sees when that fails. Every failure leaves the match as it was. Paths
// are the file system's bytes (see platform/FilePath.h); messages show them decoded.
enum class FileOutcome {
    Done,    // the document now has this path (the recent-file list may record it)
    Refused, // the screen forbids it; the user has been told; nothing changed on disk or here
    Failed,  // the user has been told why; nothing changed here, and a file on disk is whole
};

// Why a save happens: the Save commands are refused off the Score screen, but the save the
// player chose when asked before results are lost writes the match whatever the screen.
enum class SaveOccasion { Command, BeforeDiscarding };

FileOutcome OpenDocumentFile(CGlobuleDoc& doc, const std::string& path, IMessageBox& messages);
FileOutcome SaveDocumentFile(CGlobuleDoc& doc, const std::string& path, IMessageBox& messages,
                             SaveOccasion occasion = SaveOccasion::Command);

// Whether Save can write to `path` without asking for a name: the file is there and may be
// written.
bool CanSaveTo(const std::string& path);

// Files larger than this are no match file; refusing them keeps a stray pick from filling memory.
constexpr qint64 kMaxMatchFileBytes = 256LL * 1024 * 1024;
