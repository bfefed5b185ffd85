#pragma once

#include <QString>
#include <memory>

class QSettings;

// The per-user settings file, "<organization>/<application>.conf" in the user's configuration
// folder ($XDG_CONFIG_HOME, or ~/.config), where QSettings keeps them on Linux. Every key the
// program keeps is read and written through here.
//
// The file is read or written only while it is a regular file, or not there yet: a named pipe
// in its place would hold start-up until someone wrote to it, and a device or a folder is no
// settings file. The program then goes on without its settings.
class CUserSettings {
public:
    CUserSettings(QString organization, QString application);

    QString FilePath() const;
    // The settings, or null while the file is not one to touch. Open them for each use, and
    // let go soon: another copy of the program may change the file meanwhile.
    std::unique_ptr<QSettings> Open() const;

private:
    QString m_organization;
    QString m_application;
};
