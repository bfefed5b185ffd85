#include "platform/SoundOutput.h"

#include <QCoreApplication>
#include <QLibrary>

std::unique_ptr<ISoundOutput> LoadSoundOutputFrom(const QString& folder) {
    QLibrary module(folder + QStringLiteral("/libglobule_sound.so"));
    using Factory = ISoundOutput* (*)();
    const auto create = reinterpret_cast<Factory>(module.resolve(kSoundOutputFactory));
    // The library stays loaded for the rest of the run: the QLibrary object going out of
    // scope does not unload it.
    return std::unique_ptr<ISoundOutput>(create != nullptr ? create() : nullptr);
}

std::unique_ptr<ISoundOutput> LoadSoundOutput() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    for (const QString& folder :
         {programFolder, programFolder + QStringLiteral("/" GLOBULE_SOUND_FROM_BIN)}) {
        if (auto output = LoadSoundOutputFrom(folder)) {
            return output;
        }
    }
    return nullptr;
}
