// The entry point of the sound module: the program asks it for one sound output.
#include "platform/SoundOutput.h"
#include "platform/sound/QtSoundPlayer.h"

namespace {

class PlayerOutput : public ISoundOutput {
public:
    void Play(unsigned id, bool wait) override { m_player.Play(id, wait); }

private:
    QtSoundPlayer m_player;
};

} // namespace

extern "C" Q_DECL_EXPORT ISoundOutput* globule_create_sound_output() {
    return new PlayerOutput;
}
