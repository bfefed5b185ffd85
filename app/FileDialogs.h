#pragma once

#include <QString>

class QFileDialog;
class QWidget;

// The Open and Save As dialogs. Match files have no extension of their own, so the one filter
// reads "All Files (*.*)" as players know it, yet lists every file, dotted or not.
void ShowAllFilesFilter(QFileDialog& dialog);

// The chosen path, or an empty string when the user cancels.
QString ChooseFileToOpen(QWidget* parent);
QString ChooseFileToSave(QWidget* parent, const QString& proposed);
