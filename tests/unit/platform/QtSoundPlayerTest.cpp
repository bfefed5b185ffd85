#include "platform/sound/QtSoundPlayer.h"
#include "platform/SoundOutput.h"

#include <QFile>
#include <gtest/gtest.h>

// The unit tests run with no sound server, so playback fails to open: every call must come
// back, quietly, whether or not it waits. With a server present the same calls really play,
// and a missing sound must not cut off the tick that is still playing.

TEST(QtSoundPlayer, PlayingReturnsWithOrWithoutWaiting) {
    QtSoundPlayer player;
    player.Play(103, false);
    player.Play(106, false);
    player.Play(103, true);
    player.Play(105, false); // left playing when the player goes away
}

TEST(QtSoundPlayer, MissingSoundIsSilenceAndLeavesThePlayingOneAlone) {
    QtSoundPlayer player;
    int stops = 0;
    QObject::connect(&player, &QtSoundPlayer::stopped, [&stops] { ++stops; });
    player.Play(103, false);
    const int before = stops;
    player.Play(999, false);
    player.Play(999, true);
    EXPECT_EQ(stops, before);
    player.Play(103, true); // still usable afterwards
}

TEST(QtSoundPlayer, DamagedImagesAreSilence) {
    QFile file(QStringLiteral(":/sounds/103.wav"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray image = file.readAll();

    QtSoundPlayer player;
    player.PlayImage(QByteArray(), true);
    player.PlayImage(QByteArray("RIFF\xff\xff\xff\x7fWAVE", 12), true);
    player.PlayImage(image.left(image.size() / 2), true);
    QByteArray wrongTag = image;
    wrongTag[20] = 3;
    player.PlayImage(wrongTag, false);
    player.PlayImage(image, true);
}

namespace {

TEST(SoundModule, LoadsFromItsFolderAndIsAbsentElsewhere) {
    const auto output = LoadSoundOutputFrom(QStringLiteral(GLOBULE_SOUND_MODULE_DIR));
    ASSERT_NE(output, nullptr);
    output->Play(999, false); // a missing sound through the module is silence too
    output->Play(103, false);
    EXPECT_EQ(LoadSoundOutputFrom(QStringLiteral("/nonexistent/folder")), nullptr);
}

} // namespace
