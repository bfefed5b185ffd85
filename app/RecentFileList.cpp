#include "app/RecentFileList.h"

#include "platform/FilePath.h"

#include <QSettings>
#include <algorithm>
#include <climits>
#include <memory>

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString KeyOf(int entry) {
    return QStringLiteral("File%1").arg(entry);
}

// The end of `text` in at most `length` characters, behind "...".
QString EndOf(const QString& text, int length) {
    const QString ellipsis = QStringLiteral("...");
    if (text.size() <= length) {
        return text;
    }
    qsizetype start = text.size() - (length - ellipsis.size());
    if (start < text.size() && text.at(start).isLowSurrogate()) {
        ++start; // never half a character
    }
    return ellipsis + text.mid(start);
}

} // namespace

CRecentFileList::CRecentFileList(QString organization, QString application)
    : m_settings(std::move(organization), std::move(application)) {
    Load();
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    const std::string entry = filepath::Absolute(path);
    std::erase(m_entries, entry);
    m_entries.insert(m_entries.begin(), entry);
    if (m_entries.size() > static_cast<std::size_t>(kMaxEntries)) {
        m_entries.resize(kMaxEntries);
    }
    Save();
}

void CRecentFileList::Remove(int index) {
    if (index < 0 || index >= static_cast<int>(m_entries.size())) {
        return;
    }
    m_entries.erase(m_entries.begin() + index);
    Save();
}

void CRecentFileList::Load() {
    m_entries.clear();
    const std::unique_ptr<QSettings> settings = m_settings.Open();
    if (!settings) {
        return;
    }
    settings->beginGroup(kGroup);
    for (int i = 1; i <= kMaxEntries; ++i) {
        const QVariant value = settings->value(KeyOf(i));
        // No file system takes a path as long as the system's limit; a longer entry (a damaged
        // or hostile file) is no match file, and would only make the menu crawl.
        const bool bytes = value.typeId() == QMetaType::QByteArray;
        const qsizetype length = bytes ? value.toByteArray().size() : value.toString().size();
        if (length == 0 || length >= PATH_MAX) {
            continue;
        }
        const std::string path =
            bytes ? value.toByteArray().toStdString() : value.toString().toStdString();
        // A hand-edited file may hold gaps or the same path twice; keep the first of each.
        if (path.find('\0') == std::string::npos && path.size() < PATH_MAX &&
            std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end()) {
            m_entries.push_back(path);
        }
    }
}

void CRecentFileList::Save() const {
    const std::unique_ptr<QSettings> settings = m_settings.Open();
    if (!settings) {
        return;
    }
    settings->beginGroup(kGroup);
    for (int i = 1; i <= kMaxEntries; ++i) {
        if (i > static_cast<int>(m_entries.size())) {
            settings->remove(KeyOf(i));
            continue;
        }
        // A path that is valid UTF-8 is kept as text, readable in the file; any other as bytes.
        const std::string& path = m_entries[static_cast<std::size_t>(i - 1)];
        settings->setValue(KeyOf(i), filepath::IsUtf8(path)
                                         ? QVariant(QString::fromStdString(path))
                                         : QVariant(QByteArray::fromStdString(path)));
    }
    settings->endGroup();
    settings->sync();
}

QString CRecentFileList::DisplayName(const std::string& bytes, int maxLength) {
    const QString path = QString::fromStdString(filepath::Shown(bytes));
    if (path.size() <= maxLength) {
        return path;
    }
    const QString separator = QStringLiteral("/");
    const qsizetype lastSlash = path.lastIndexOf(separator);
    const QString fileName = path.mid(lastSlash + 1);
    if (lastSlash < 0) {
        return EndOf(fileName, maxLength);
    }
    // The root ("/" or "//server/share/") stays, then "...", then as many of the innermost
    // folders as fit, then the file name.
    QString root = separator;
    if (path.startsWith(QStringLiteral("//"))) {
        const qsizetype share = path.indexOf(separator, 2);
        const qsizetype afterShare = share < 0 ? -1 : path.indexOf(separator, share + 1);
        if (afterShare > 0) {
            root = path.left(afterShare + 1);
        }
    } else if (!path.startsWith(separator)) {
        root.clear();
    }
    const QString ellipsis = QStringLiteral("...");
    QString tail = separator + fileName;
    if (root.size() + ellipsis.size() + tail.size() > maxLength) {
        return EndOf(fileName, maxLength);
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
