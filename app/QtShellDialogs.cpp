#include "app/QtShellDialogs.h"

#include "app/AboutDlg.h"
#include "app/FileDialogs.h"
#include "app/HallOfFameDlg.h"
#include "app/QtChangeNamesDlg.h"
#include "document/FileTexts.h"

#include <QAbstractButton>
#include <QMessageBox>

QtShellDialogs::QtShellDialogs(QWidget* parent, IMessageBox& messages)
    : m_parent(parent), m_messages(messages) {}

QtShellDialogs::~QtShellDialogs() = default;

std::string QtShellDialogs::ChooseOpenPath() {
    return ChooseFileToOpen(m_parent);
}

std::string QtShellDialogs::ChooseSavePath(const std::string& proposed) {
    return ChooseFileToSave(m_parent, proposed);
}

IShellDialogs::SaveChoice QtShellDialogs::AskToSaveResults() {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Globule"),
                    QString::fromLatin1(filetext::kSaveResultsQuestion),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_parent);
    // The same words on every desktop (some would say "Close without Saving").
    box.button(QMessageBox::Save)->setText(QString::fromLatin1(filetext::kSaveAnswer));
    box.button(QMessageBox::Discard)->setText(QString::fromLatin1(filetext::kDiscardAnswer));
    box.button(QMessageBox::Cancel)->setText(QString::fromLatin1(filetext::kCancelAnswer));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

CChangeNamesDlg& QtShellDialogs::NamesDialog() {
    if (m_names == nullptr) {
        m_names = new QtChangeNamesDlg(m_parent);
    }
    return *m_names;
}

void QtShellDialogs::ShowAbout() {
    CAboutDlg about(m_parent);
    about.exec();
}

void QtShellDialogs::ShowHallOfFame(const std::vector<hall::Entry>& entries, const QString& note) {
    CHallOfFameDlg hall(entries, note, m_parent);
    hall.exec();
}
