#include "app/PlayerOptions.h"

#include "app/GlobuleApp.h"
#include "app/UserSettings.h"

#include <QSettings>

namespace {

const QString kShowCentreKey = QStringLiteral("Options/ShowCentreAfterEachGame");

// The settings file the recent-file list lives in, or null while it is not one to touch.
std::unique_ptr<QSettings> OpenSettings() {
    return CUserSettings(QString::fromLatin1(CGlobuleApp::kRegistryKey),
                         QString::fromLatin1(CGlobuleApp::kAppName))
        .Open();
}

} // namespace

namespace playeroptions {

bool ShowCentre() {
    // Only what this program writes turns it on; anything else a hand may have put there is off.
    const std::unique_ptr<QSettings> settings = OpenSettings();
    return settings != nullptr &&
           settings->value(kShowCentreKey).toString() == QStringLiteral("true");
}

void SetShowCentre(bool on) {
    if (const std::unique_ptr<QSettings> settings = OpenSettings()) {
        settings->setValue(kShowCentreKey, on);
        settings->sync();
    }
}

} // namespace playeroptions
