#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>

// The sound player is tested against a real sound server: a private PulseAudio with a null
// sink, so sounds really play, nothing is heard, and no session server of the user's is used.
// It must be up before the first use of the audio libraries, which connect to it once.
int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            ::testing::InitGoogleTest(&argc, argv);
            return RUN_ALL_TESTS(); // listing plays nothing
        }
    }
    QTemporaryDir folder;
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (!folder.isValid() || pulseaudio.isEmpty()) {
        std::fprintf(stderr, "the sound tests need pulseaudio (scripts/setup.sh installs it)\n");
        return 1;
    }
    const QString socket = folder.filePath(QStringLiteral("pulse.sock"));
    QProcess server;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("HOME"), folder.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.path());
    server.setProcessEnvironment(environment);
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(pulseaudio,
                 {QStringLiteral("--daemonize=no"), QStringLiteral("--system=false"),
                  QStringLiteral("-n"), QStringLiteral("--use-pid-file=no"),
                  QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--log-level=error"),
                  QStringLiteral("--load=module-null-sink sink_name=tests"),
                  QStringLiteral("--load=module-native-protocol-unix socket=%1 auth-anonymous=1")
                      .arg(socket)});
    for (int wait = 0; wait < 200 && !QFileInfo::exists(socket); ++wait) {
        if (server.state() == QProcess::NotRunning) {
            break;
        }
        QThread::msleep(50);
    }
    if (!QFileInfo::exists(socket)) {
        std::fprintf(stderr, "the private sound server did not start\n");
        return 1;
    }
    qputenv("PULSE_SERVER", "unix:" + socket.toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());

    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    server.terminate();
    server.waitForFinished(5000);
    return status;
}
