#include "platform/sound/QtSoundPlayer.h"
#include "platform/SoundOutput.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Counts the sounds that were stopped to make way for another, and whether a 100 ms timer
// started before a call has fired by its end: only a wait lets it, since a sound played in the
// background returns before any event is handled. Every sound here lasts at least 200 ms.
class QtSoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&player, &QtSoundPlayer::stopped, [this] { ++stops; });
        probe.setSingleShot(true);
        QObject::connect(&probe, &QTimer::timeout, [this] { probeFired = true; });
    }
    // Whether playing waited, running the event loop for longer than 100 ms.
    template <typename Play> bool Waited(Play play) {
        probeFired = false;
        probe.start(100);
        play();
        probe.stop();
        return probeFired;
    }
    static QByteArray Image(unsigned id) {
        QFile file(QStringLiteral(":/sounds/%1.wav").arg(id));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QtSoundPlayer player;
    int stops = 0;
    QTimer probe;
    bool probeFired = false;
};

TEST_F(QtSoundPlayerTest, AWaitedSoundHoldsTheCallerWhileOneInTheBackgroundDoesNot) {
    EXPECT_FALSE(Waited([this] { player.Play(103, false); }));
    EXPECT_TRUE(Waited([this] { player.Play(103, true); }));
    EXPECT_EQ(stops, 1); // the tick in the background made way for the waited one
    EXPECT_FALSE(Waited([this] { player.Play(105, false); }));
}

// A sound started in the background returns before any event is handled: one handled meanwhile
// would reach the game view inside the handler that played the sound. (Deleting a stopped
// sink runs the event loop.)
TEST_F(QtSoundPlayerTest, ABackgroundSoundHandlesNoEventMeanwhile) {
    bool handled = false;
    for (const unsigned id : {104u, 103u, 105u, 103u}) { // each stops the one before
        QTimer::singleShot(0, [&] { handled = true; });
        player.Play(id, false);
        EXPECT_FALSE(handled) << id;
        QCoreApplication::processEvents();
        ASSERT_TRUE(handled);
        handled = false;
    }
    EXPECT_EQ(stops, 3);
}

TEST_F(QtSoundPlayerTest, AMissingSoundIsSilenceAndLeavesThePlayingOneAlone) {
    player.Play(104, false); // 2.6 s, still playing below
    EXPECT_FALSE(Waited([this] { player.Play(999, false); }));
    EXPECT_FALSE(Waited([this] { player.Play(999, true); }));
    EXPECT_EQ(stops, 0);
    player.Play(103, false);
    EXPECT_EQ(stops, 1); // the fanfare was there to be stopped
}

TEST_F(QtSoundPlayerTest, ADamagedImageStopsTheSoundPlayingAndIsSilence) {
    const QByteArray image = Image(103);
    ASSERT_FALSE(image.isEmpty());
    QByteArray wrongFormat = image;
    wrongFormat[20] = 3; // not PCM
    const QByteArray damaged[] = {QByteArray(), QByteArray("RIFF\xff\xff\xff\x7fWAVE", 12),
                                  image.left(image.size() / 2), wrongFormat};
    for (const QByteArray& bytes : damaged) {
        SCOPED_TRACE(bytes.size());
        player.Play(104, false);
        const int before = stops;
        EXPECT_FALSE(Waited([&] { player.PlayImage(bytes, true); })); // nothing to wait for
        EXPECT_EQ(stops, before + 1);
        player.Play(103, false);
        EXPECT_EQ(stops, before + 1); // and nothing was left playing
    }
    EXPECT_TRUE(Waited([&] { player.PlayImage(image, true); }));
}

// The server's streams of this program, as pactl lists them; -1 when pactl fails.
int OpenStreams() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")});
    if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) {
        return -1;
    }
    return static_cast<int>(pactl.readAllStandardOutput().count('\n'));
}

// Silence from an open stream that has run dry is up to the server, and one server fills it
// with noise: each sound's stream is closed once it has been heard, waited for or not.
TEST_F(QtSoundPlayerTest, EachStreamIsClosedOnceItsSoundHasBeenHeard) {
    ASSERT_EQ(OpenStreams(), 0);
    for (const bool wait : {false, true}) {
        SCOPED_TRACE(wait);
        player.Play(103, wait);
        EXPECT_EQ(OpenStreams(), 1); // still playing, or the silence after it
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (OpenStreams() == 0) {
                loop.quit();
            }
        });
        poll.start(50);
        QTimer::singleShot(5000, &loop, &QEventLoop::quit); // the test's own deadline
        loop.exec();
        EXPECT_EQ(OpenStreams(), 0);
    }
    EXPECT_EQ(stops, 0); // each closed on its own, none stopped by the next
}

TEST(SoundModule, LoadsFromItsFolderAndIsAbsentElsewhere) {
    const auto output = LoadSoundOutputFrom(QStringLiteral(GLOBULE_SOUND_MODULE_DIR));
    ASSERT_NE(output, nullptr);
    output->Play(999, false); // a missing sound through the module is silence too
    output->Play(103, false);
    EXPECT_EQ(LoadSoundOutputFrom(QStringLiteral("/nonexistent/folder")), nullptr);
}

} // namespace
