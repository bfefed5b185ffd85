#pragma once

#include "app/QtChangeNamesDlg.h"
#include "app/ShellDialogs.h"
#include "platform/MessageBox.h"
#include "platform/SoundOutput.h"

class SoakDriver;

// The modal windows and the sound output, answered by the soak at once instead of waiting for
// a person or a sound card. Each tells the driver it came up, so that the driver can give
// input while it is up and the model can check it was due.

class SoakMessageBox : public IMessageBox {
public:
    explicit SoakMessageBox(SoakDriver& driver) : m_driver(driver) {}
    void ShowMessage(const std::string& text) override;

private:
    SoakDriver& m_driver;
};

// The real names dialog, typed into by key presses but never run as a modal window.
class SoakNamesDialog : public QtChangeNamesDlg {
public:
    explicit SoakNamesDialog(SoakDriver& driver) : m_driver(driver) {}
    int DoModal() override;

private:
    SoakDriver& m_driver;
};

class SoakDialogs : public IShellDialogs {
public:
    explicit SoakDialogs(SoakDriver& driver) : m_driver(driver), m_names(driver) {}
    // File messages go to the view's window, as the real dialogs' do; it exists only once the
    // main window has been made.
    void SetMessages(IMessageBox& messages) { m_messages = &messages; }
    std::string ChooseOpenPath() override;
    std::string ChooseSavePath(const std::string& proposed) override;
    SaveChoice AskToSaveResults() override;
    CChangeNamesDlg& NamesDialog() override { return m_names; }
    void ShowAbout() override;
    // The soak gives no command that shows it.
    void ShowHallOfFame(const std::vector<hall::Entry>&, const QString&) override {}
    IMessageBox& Messages() override { return *m_messages; }

private:
    SoakDriver& m_driver;
    IMessageBox* m_messages = nullptr;
    SoakNamesDialog m_names;
};

// A waited sound lets the driver give input while the program is held.
class SoakSound : public ISoundOutput {
public:
    explicit SoakSound(SoakDriver& driver) : m_driver(driver) {}
    void Play(unsigned id, bool wait) override;

private:
    SoakDriver& m_driver;
};
