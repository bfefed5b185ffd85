#include "app/PlayerOptions.h"

#include "app/GlobuleApp.h"

#include <QSettings>

namespace {

const QString kShowCentreKey = QStringLiteral("Options/ShowCentreAfterEachGame");

QSettings UserSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(CGlobuleApp::kRegistryKey),
                     QString::fromLatin1(CGlobuleApp::kAppName));
}

} // namespace

namespace playeroptions {

bool ShowCentre() {
    // Only what this program writes turns it on; anything else a hand may have put there is off.
    return UserSettings().value(kShowCentreKey).toString() == QStringLiteral("true");
}

void SetShowCentre(bool on) {
    QSettings settings = UserSettings();
    settings.setValue(kShowCentreKey, on);
    settings.sync();
}

} // namespace playeroptions
