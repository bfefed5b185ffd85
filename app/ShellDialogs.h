#pragma once

#include "document/HallOfFame.h"

#include <QString>
#include <vector>

class CChangeNamesDlg;
class IMessageBox;

// The modal windows the main window opens for its commands. The window owns the real ones;
// tests put stand-ins in their place, since a modal dialog would wait for a person.
class IShellDialogs {
public:
    virtual ~IShellDialogs() = default;
    // The chosen path, or empty when the user cancels.
    virtual QString ChooseOpenPath() = 0;
    virtual QString ChooseSavePath(const QString& proposed) = 0;
    // One names dialog serves every use of the command.
    virtual CChangeNamesDlg& NamesDialog() = 0;
    virtual void ShowAbout() = 0;
    // The hall's games, best first, and what the player should know of its file, if anything.
    virtual void ShowHallOfFame(const std::vector<hall::Entry>& entries, const QString& note) = 0;
    // Where the file commands report their failures.
    virtual IMessageBox& Messages() = 0;
};
