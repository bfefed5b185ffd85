#include "app/QtShellDialogs.h"

#include "app/AboutDlg.h"
#include "app/FileDialogs.h"
#include "app/HallOfFameDlg.h"
#include "app/QtChangeNamesDlg.h"

QtShellDialogs::QtShellDialogs(QWidget* parent, IMessageBox& messages)
    : m_parent(parent), m_messages(messages) {}

QtShellDialogs::~QtShellDialogs() = default;

QString QtShellDialogs::ChooseOpenPath() {
    return ChooseFileToOpen(m_parent);
}

QString QtShellDialogs::ChooseSavePath(const QString& proposed) {
    return ChooseFileToSave(m_parent, proposed);
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
