#pragma once

#include <QString>
#include <string>

class QFileDialog;
class QWidget;

// The Open and Save As dialogs. Match files have no extension of their own, so the one filter
// reads "All Files (*.*)" as players know it, yet lists every file, dotted or not.
void ShowAllFilesFilter(QFileDialog& dialog);

// The chosen path as the file system names it, or an empty string when the user cancels.
std::string ChooseFileToOpen(QWidget* parent);
std::string ChooseFileToSave(QWidget* parent, const std::string& proposed);

// The path a dialog's choice stands for. The dialog shows names as Qt decodes them, so a name
// that is not valid UTF-8 comes back with U+FFFD for its odd bytes; such a part of the path is
// matched against the entries of its folder, and taken when exactly one decodes to it.
std::string FileSystemPath(const QString& chosen);
