// The random-play soak. Usage:
//   globule_soak [--seed N | --seed clock] [--events N] [--trace]
// Drives the real main window offscreen for N events (20000 unless told) from the seed (the
// clock's when told, printed either way), checking every step against the model of the match.
// A failure prints the seed, the event number and the last events; the same seed and event
// count replay the run exactly.
#include "SoakDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The offscreen platform says at every new window that it cannot pass size hints on; the rest
// of what Qt says is kept.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

bool ParseArguments(int argc, char** argv, SoakDriver::Options& options) {
    options.seed = 14;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seed" && hasValue) {
            const std::string value = argv[++i];
            options.seed = value == "clock"
                               ? static_cast<std::uint64_t>(
                                     std::chrono::system_clock::now().time_since_epoch().count())
                               : std::strtoull(value.c_str(), nullptr, 10);
        } else if (arg == "--events" && hasValue) {
            options.events = std::strtol(argv[++i], nullptr, 10);
        } else if (arg == "--trace") {
            options.trace = true;
        } else {
            std::fprintf(stderr, "usage: globule_soak [--seed N|clock] [--events N] [--trace]\n");
            return false;
        }
    }
    return options.events > 0;
}

} // namespace

int main(int argc, char** argv) {
    SoakDriver::Options options;
    if (!ParseArguments(argc, argv, options)) {
        return 2;
    }
    // Everything the run writes, the recent-file list included, goes to a scratch folder.
    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/globule-soak-XXXXXX"));
    if (!scratch.isValid()) {
        std::fprintf(stderr, "soak: no scratch folder\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A delay between QTest's input events would run the event loop, and timers with it.
    qunsetenv("QTEST_KEYEVENT_DELAY");
    qunsetenv("QTEST_MOUSEEVENT_DELAY");
    const QByteArray runtime = (scratch.path() + QStringLiteral("/runtime")).toLocal8Bit();
    QDir().mkdir(QString::fromLocal8Bit(runtime));
    QFile::setPermissions(QString::fromLocal8Bit(runtime),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime);
    // The games the soak scores enter a hall of fame of its own.
    qputenv("XDG_DATA_HOME", (scratch.path() + QStringLiteral("/data")).toLocal8Bit());
    qInstallMessageHandler(QuietHandler);
    // The user's settings live in the configuration folder this names.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.path() + QStringLiteral("/settings")));
    QApplication app(argc, argv);
    QDir().mkdir(scratch.path() + QStringLiteral("/files"));

    std::printf("soak: seed %llu, %ld events\n", static_cast<unsigned long long>(options.seed),
                options.events);
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    SoakDriver driver(options, scratch.path() + QStringLiteral("/files"));
    const bool passed = driver.Run();
    const MatchModel::Counts& n = driver.Tally();
    std::printf("soak: %s after %ld events (%ld more given inside windows and holds) in %.1f s, "
                "seed %llu\n",
                passed ? "passed" : "FAILED", driver.EventsRun(), driver.NestedEvents(),
                clock.elapsed() / 1000.0, static_cast<unsigned long long>(options.seed));
    std::printf("soak: %ld windows, %ld refused; %ld games (%ld stopped, %ld of them on a "
                "painted split, %ld jackpots; %ld timed out; %ld given up with F1), %ld dropped "
                "by a repaint; best natural score %d\n",
                n.sessions, n.refusals, n.games, n.stops, n.forced, n.jackpots, n.timeOuts,
                n.aborts, n.dropped, n.bestNaturalScore);
    std::printf("soak: %ld holds with %ld events held back; %ld message boxes; %ld loads, %ld "
                "refused as not a match; %ld saves, %ld failed; %ld names changed\n",
                n.holds, n.heldEvents, n.boxes, n.loads, n.failedLoads, n.saves, n.failedSaves,
                n.renames);
    std::printf("soak: %ld questions about unsaved results, %ld answered by a save; %ld exits "
                "kept the window\n",
                n.questions, n.savesWhenAsked, n.keptOnExit);
    return passed ? 0 : 1;
}
