#pragma once

#include <QString>
#include <string>

class QFileDialog;
class QWidget;

// The Open and Save As dialogs. Match files have no extension of their own, so the one filter
// reads "All Files (*.*)" as players know it, yet lists every file, dotted or not.
void ShowAllFilesFilter(QFileDialog& dialog);

// The chosen path as the file system names it, or an empty string when the user cancels. (Qt's
// dialog lists no name that is not UTF-8; such files open from the command line and the
// recent-file list. A proposed name of that kind keeps its bytes when taken as it stands.)
std::string ChooseFileToOpen(QWidget* parent);
std::string ChooseFileToSave(QWidget* parent, const std::string& proposed);
