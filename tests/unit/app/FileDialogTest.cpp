#include "app/FileDialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// The names the dialog lists in `folder`, once its file model has read the folder.
QStringList Listed(QFileDialog& dialog, const QString& folder) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (model == nullptr) {
        return {};
    }
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, &loop, [&](const QString& path) {
        if (QDir(path) == QDir(folder)) {
            loaded = true;
            loop.quit();
        }
    });
    QTimer guard; // a stuck model fails the test rather than hanging it
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    dialog.setDirectory(folder);
    if (!loaded) {
        guard.start(10000);
        loop.exec();
    }
    QCoreApplication::processEvents(); // rows that arrived with the load
    const QModelIndex root = model->index(folder);
    QStringList names;
    for (int i = 0; i < model->rowCount(root); ++i) {
        names << model->index(i, 0, root).data().toString();
    }
    names.sort();
    return names;
}

TEST(FileDialogTest, TheFilterReadsAllFilesStarDotStarAndHidesNothing) {
    QTemporaryDir dir;
    Touch(dir.filePath("match"));
    Touch(dir.filePath("played.bin"));

    QFileDialog dialog;
    ShowAllFilesFilter(dialog);
    // What the filter box shows, whatever the dialog calls its boxes.
    QStringList shown;
    for (const QComboBox* combo : dialog.findChildren<QComboBox*>()) {
        for (int i = 0; i < combo->count(); ++i) {
            shown << combo->itemText(i);
        }
    }
    EXPECT_TRUE(shown.contains(QStringLiteral("All Files (*.*)")))
        << shown.join(", ").toStdString();
    EXPECT_EQ(dialog.nameFilters().size(), 1);
    EXPECT_EQ(Listed(dialog, dir.path()), (QStringList{"match", "played.bin"}));

    // The plain *.* pattern would have hidden the file without a dot.
    QFileDialog plain;
    plain.setOption(QFileDialog::DontUseNativeDialog, true);
    plain.setNameFilter(QStringLiteral("All Files (*.*)"));
    EXPECT_EQ(Listed(plain, dir.path()), QStringList{"played.bin"});
}

TEST(FileDialogTest, ASaveDialogKeepsTheProposedNameWhole) {
    QTemporaryDir dir;
    QFileDialog dialog;
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    ShowAllFilesFilter(dialog);
    dialog.selectFile(dir.filePath("match.bin"));
    QStringList typed;
    for (const QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        typed << edit->text();
    }
    EXPECT_TRUE(typed.contains(QStringLiteral("match.bin"))) << typed.join(", ").toStdString();
}

} // namespace
