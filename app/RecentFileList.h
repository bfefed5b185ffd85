#pragma once

#include "app/UserSettings.h"

#include <QString>
#include <string>
#include <vector>

// The per-user list of the last match files opened or saved, most recent first, kept in the
// settings as "Recent File List/File1".."File4". Every change is written at once, so a crash
// loses nothing. Paths are the file system's bytes: one that is not valid UTF-8 is kept as
// bytes in the settings, and only the menu shows it decoded.
class CRecentFileList {
public:
    static constexpr int kMaxEntries = 4;
    static constexpr int kDisplayLength = 30;

    // Reads the list from the user's settings of `organization`/`application`.
    CRecentFileList(QString organization, QString application);

    const std::vector<std::string>& Entries() const { return m_entries; }
    // Puts `path` at the top, dropping an older copy of it and anything beyond four entries.
    void Add(const std::string& path);
    void Remove(int index);
    void Load();
    void Save() const;

    // The path as a menu shows it: at most `maxLength` characters, keeping the file name whole
    // where it fits and replacing folders after the root with "..."; a file name too long
    // for that shows its end after "...", as the caption does.
    static QString DisplayName(const std::string& path, int maxLength = kDisplayLength);

private:
    CUserSettings m_settings;
    std::vector<std::string> m_entries;
};
