#include "SoakStandIns.h"

#include "SoakDriver.h"
#include "engine/GlobuleView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

void SoakMessageBox::ShowMessage(const std::string& text) {
    const std::size_t index = m_driver.BeginModal(Modal::Kind::Box);
    m_driver.ModalAt(index).text = text;
    m_driver.InsideModal(index); // then OK
}

int SoakNamesDialog::DoModal() {
    const std::size_t index = m_driver.BeginModal(Modal::Kind::Names);
    for (int row = 0; row < 6; ++row) {
        m_driver.ModalAt(index).shownNames[row] = m_strCurrentName[row];
    }
    LoadBoxes();
    m_driver.InsideModal(index);
    const bool ok = m_driver.Chance(75);
    m_driver.ModalAt(index).ok = ok;
    if (!ok) {
        return IDCANCEL;
    }
    for (int row = 0; row < 6; ++row) {
        if (!m_driver.Chance(45)) {
            continue;
        }
        const QString typed = m_driver.RandomTypedName();
        m_driver.ModalAt(index).typed[row] = typed;
        // Key by key, as a person types, so that the box's limit and its code-page filter act.
        for (const QChar c : typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(NewNameBox(row), &press);
        }
    }
    StoreBoxes();
    for (int row = 0; row < 6; ++row) {
        m_driver.ModalAt(index).stored[row] = m_strNewName[row];
    }
    return IDOK;
}

std::string SoakDialogs::ChooseOpenPath() {
    const std::size_t index = m_driver.BeginModal(Modal::Kind::OpenDialog);
    m_driver.InsideModal(index);
    const QString answer = m_driver.OpenAnswer();
    m_driver.ModalAt(index).answer = answer;
    return answer.toStdString();
}

std::string SoakDialogs::ChooseSavePath(const std::string& proposed) {
    const std::size_t index = m_driver.BeginModal(Modal::Kind::SaveDialog);
    m_driver.ModalAt(index).proposed = QString::fromStdString(proposed);
    m_driver.InsideModal(index);
    const QString answer = m_driver.SaveAnswer();
    m_driver.ModalAt(index).answer = answer;
    return answer.toStdString();
}

IShellDialogs::SaveChoice SoakDialogs::AskToSaveResults() {
    const std::size_t index = m_driver.BeginModal(Modal::Kind::SaveQuestion);
    m_driver.InsideModal(index);
    const Modal::Choice choice = m_driver.SaveChoice();
    m_driver.ModalAt(index).choice = choice;
    switch (choice) {
    case Modal::Choice::Save:
        return SaveChoice::Save;
    case Modal::Choice::Discard:
        return SaveChoice::Discard;
    case Modal::Choice::Cancel:
        break;
    }
    return SaveChoice::Cancel;
}

void SoakDialogs::ShowAbout() {
    m_driver.InsideModal(m_driver.BeginModal(Modal::Kind::About));
}

void SoakSound::Play(unsigned id, bool wait) {
    const std::size_t index = m_driver.BeginModal(Modal::Kind::Sound);
    m_driver.ModalAt(index).sound = id;
    m_driver.ModalAt(index).wait = wait;
    if (id == CGlobuleView::kSoundStop) {
        m_driver.StopBegins(index);
    }
    if (wait) {
        m_driver.DuringHold(index);
    }
}
