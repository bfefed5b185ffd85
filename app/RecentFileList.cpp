#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString Normalised(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

CRecentFileList::CRecentFileList(QString organization, QString application)
    : m_organization(std::move(organization)), m_application(std::move(application)) {
    Load();
}

void CRecentFileList::Add(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    const QString entry = Normalised(path);
    m_entries.removeAll(entry);
    m_entries.prepend(entry);
    while (m_entries.size() > kMaxEntries) {
        m_entries.removeLast();
    }
    Save();
}

void CRecentFileList::Remove(int index) {
    if (index < 0 || index >= m_entries.size()) {
        return;
    }
    m_entries.removeAt(index);
    Save();
}

void CRecentFileList::Load() {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, m_organization,
                       m_application);
    settings.beginGroup(kGroup);
    m_entries.clear();
    for (int i = 1; i <= kMaxEntries; ++i) {
        const QString value = settings.value(QStringLiteral("File%1").arg(i)).toString();
        // A hand-edited file may hold gaps or the same path twice; keep the first of each.
        if (!value.isEmpty() && !m_entries.contains(value)) {
            m_entries.append(value);
        }
    }
}

void CRecentFileList::Save() const {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, m_organization,
                       m_application);
    settings.beginGroup(kGroup);
    for (int i = 1; i <= kMaxEntries; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_entries.size()) {
            settings.setValue(key, m_entries[i - 1]);
        } else {
            settings.remove(key);
        }
    }
    settings.endGroup();
    settings.sync();
}

QString CRecentFileList::DisplayName(const QString& path, int maxLength) {
    if (path.size() <= maxLength) {
        return path;
    }
    const QString separator = QStringLiteral("/");
    const int lastSlash = path.lastIndexOf(separator);
    if (lastSlash < 0) {
        return path; // a bare name is shown whole, however long
    }
    const QString fileName = path.mid(lastSlash + 1);
    // The root ("/" or "//server/share/") stays, then "...", then as many of the innermost
    // folders as fit, then the file name.
    QString root = separator;
    if (path.startsWith(QStringLiteral("//"))) {
        const int share = path.indexOf(separator, 2);
        const int afterShare = share < 0 ? -1 : path.indexOf(separator, share + 1);
        if (afterShare > 0) {
            root = path.left(afterShare + 1);
        }
    } else if (!path.startsWith(separator)) {
        root.clear();
    }
    const QString ellipsis = QStringLiteral("...");
    QString tail = separator + fileName;
    if (root.size() + ellipsis.size() + tail.size() > maxLength) {
        return fileName;
    }
    const QStringList folders =
        path.mid(root.size(), lastSlash - root.size()).split(separator, Qt::SkipEmptyParts);
    for (auto it = folders.crbegin(); it != folders.crend(); ++it) {
        const QString longer = separator + *it + tail;
        if (root.size() + ellipsis.size() + longer.size() > maxLength) {
            break;
        }
        tail = longer;
    }
    return root + ellipsis + tail;
}
