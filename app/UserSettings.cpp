#include "app/UserSettings.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <sys/stat.h>

CUserSettings::CUserSettings(QString organization, QString application)
    : m_organization(std::move(organization)), m_application(std::move(application)) {}

QString CUserSettings::FilePath() const {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + m_organization + QLatin1Char('/') + m_application +
           QStringLiteral(".conf");
}

std::unique_ptr<QSettings> CUserSettings::Open() const {
    const QString path = FilePath();
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return nullptr;
    }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}
