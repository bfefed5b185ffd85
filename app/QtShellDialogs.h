#pragma once

#include "app/ShellDialogs.h"

class QWidget;
class QtChangeNamesDlg;

// The real dialogs, over `parent`; messages go to `messages` (the view's window, so that the
// game is repainted when a box closes).
class QtShellDialogs : public IShellDialogs {
public:
    QtShellDialogs(QWidget* parent, IMessageBox& messages);
    ~QtShellDialogs() override;

    std::string ChooseOpenPath() override;
    std::string ChooseSavePath(const std::string& proposed) override;
    SaveChoice AskToSaveResults() override;
    CChangeNamesDlg& NamesDialog() override;
    void ShowAbout() override;
    void ShowHallOfFame(const std::vector<hall::Entry>& entries, const QString& note) override;
    IMessageBox& Messages() override { return m_messages; }

private:
    QWidget* m_parent;
    IMessageBox& m_messages;
    QtChangeNamesDlg* m_names = nullptr; // made on first use, owned by `m_parent`
};
