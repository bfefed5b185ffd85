#pragma once

#include <QString>
#include <QStringList>

// The per-user list of the last match files opened or saved, most recent first, kept in the
// settings store as "Recent File List/File1".."File4". Every change is written at once, so a
// crash loses nothing.
class CRecentFileList {
public:
    static constexpr int kMaxEntries = 4;
    static constexpr int kDisplayLength = 30;

    // Reads the list from the user's settings of `organization`/`application`.
    CRecentFileList(QString organization, QString application);

    const QStringList& Entries() const { return m_entries; }
    // Puts `path` at the top, dropping an older copy of it and anything beyond four entries.
    void Add(const QString& path);
    void Remove(int index);
    void Load();
    void Save() const;

    // The path as a menu shows it: at most `maxLength` characters where possible, keeping the
    // file name whole and replacing folders after the root with "...".
    static QString DisplayName(const QString& path, int maxLength = kDisplayLength);

private:
    QString m_organization;
    QString m_application;
    QStringList m_entries;
};
