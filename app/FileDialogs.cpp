#include "app/FileDialogs.h"

#include "platform/FilePath.h"

#include <QFile>
#include <QFileDialog>

namespace {

const QString kShownFilter = QStringLiteral("All Files (*.*)");

QString RunDialog(QFileDialog& dialog) {
    dialog.resize(760, 480); // room for the size and date columns
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

void ShowAllFilesFilter(QFileDialog& dialog) {
    // On Linux the pattern *.* hides every file without a dot, and in a save dialog its "*"
    // suffix would replace the proposed name's extension. So the filter's pattern is "*", and
    // the familiar text is the filter's name, with the pattern itself hidden. This needs Qt's
    // own dialog: a desktop's native one would show its own label.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilter(kShownFilter + QStringLiteral(" (*)"));
}

std::string ChooseFileToOpen(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    ShowAllFilesFilter(dialog);
    return QFile::encodeName(RunDialog(dialog)).toStdString();
}

std::string ChooseFileToSave(QWidget* parent, const std::string& proposed) {
    QFileDialog dialog(parent, QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    ShowAllFilesFilter(dialog);
    const QString shown = QString::fromStdString(filepath::Shown(proposed));
    dialog.selectFile(shown);
    const QString chosen = RunDialog(dialog);
    // The proposal taken as it stands keeps its own bytes, whatever its name shows as.
    if (!proposed.empty() && chosen == shown) {
        return proposed;
    }
    return QFile::encodeName(chosen).toStdString();
}
