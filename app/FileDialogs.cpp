#include "app/FileDialogs.h"

#include "platform/FilePath.h"

#include <QFile>
#include <QFileDialog>
#include <dirent.h>
#include <memory>

namespace {

const QString kShownFilter = QStringLiteral("All Files (*.*)");

QString RunDialog(QFileDialog& dialog) {
    dialog.resize(760, 480); // room for the size and date columns
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

// The one entry of `folder` whose decoded name is `shown`, or nothing.
std::string EntryShownAs(const std::string& folder, const QString& shown) {
    struct CloseDir {
        void operator()(DIR* dir) const { ::closedir(dir); }
    };
    const std::unique_ptr<DIR, CloseDir> dir(::opendir(folder.c_str()));
    if (!dir) {
        return {};
    }
    std::string found;
    int matches = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (QFile::decodeName(entry->d_name) == shown) {
            found = entry->d_name;
            ++matches;
        }
    }
    return matches == 1 ? found : std::string();
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

std::string FileSystemPath(const QString& chosen) {
    std::string path;
    const QStringList parts = chosen.split(QLatin1Char('/'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (i > 0) {
            path += '/';
        }
        std::string name = QFile::encodeName(part).toStdString();
        if (part.contains(QChar::ReplacementCharacter)) {
            const std::string folder = path.empty() ? std::string(".") : path;
            if (std::string entry = EntryShownAs(folder, part); !entry.empty()) {
                name = std::move(entry);
            }
        }
        path += name;
    }
    return path;
}

std::string ChooseFileToOpen(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    ShowAllFilesFilter(dialog);
    return FileSystemPath(RunDialog(dialog));
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
    return FileSystemPath(chosen);
}
