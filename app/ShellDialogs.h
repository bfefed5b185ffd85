#pragma once

#include "document/HallOfFame.h"

#include <QString>
#include <string>
#include <vector>

class CChangeNamesDlg;
class IMessageBox;

// The modal windows the main window opens for its commands. The window owns the real ones;
// tests put stand-ins in their place, since a modal dialog would wait for a person.
class IShellDialogs {
public:
    // The answers to "Save the results of this match?".
    enum class SaveChoice { Save, Discard, Cancel };

    virtual ~IShellDialogs() = default;
    // The chosen path as the file system names it, or empty when the user cancels.
    virtual std::string ChooseOpenPath() = 0;
    virtual std::string ChooseSavePath(const std::string& proposed) = 0;
    // Asked before unsaved results would be lost.
    virtual SaveChoice AskToSaveResults() = 0;
    // One names dialog serves every use of the command.
    virtual CChangeNamesDlg& NamesDialog() = 0;
    virtual void ShowAbout() = 0;
    // The hall's games, best first, and what the player should know of its file, if anything.
    virtual void ShowHallOfFame(const std::vector<hall::Entry>& entries, const QString& note) = 0;
    // Where the file commands report their failures.
    virtual IMessageBox& Messages() = 0;
};
