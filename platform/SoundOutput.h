#pragma once

#include <QString>
#include <memory>

// Sound playback, kept in a module of its own that is loaded at the first sound: the audio
// libraries then cost nothing at start-up, and a machine without them is simply silent.
class ISoundOutput {
public:
    virtual ~ISoundOutput() = default;
    // Plays sound resource `id`; with `wait` returns when it has ended.
    virtual void Play(unsigned id, bool wait) = 0;
};

// The sound module from `folder`, or null when it is not there or will not load.
std::unique_ptr<ISoundOutput> LoadSoundOutputFrom(const QString& folder);

// The sound module beside the program (a build tree) or where it is installed.
std::unique_ptr<ISoundOutput> LoadSoundOutput();

// The name the module's factory is exported under.
inline constexpr const char* kSoundOutputFactory = "globule_create_sound_output";
