#include "app/GlobuleApp.h"

#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "platform/FilePath.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>

CGlobuleApp::CGlobuleApp() = default;

CGlobuleApp::~CGlobuleApp() = default;

namespace {

// What the terminal says.
constexpr const char* kDescription = "Globule, a game of judgement.";
constexpr const char* kFileHelp = "A match file to open.";
constexpr const char* kTooManyFiles = "one match file at most";
constexpr const char* kEmptyFileName = "the name of the match file is empty";
constexpr const char* kSeeHelp = "Try 'globule --help' for more.";

// Qt's own options for the window system, which QApplication takes out of the command line
// itself: they are left alone here, with the value that follows those that take one.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowtitle", true},
    {"qwindowicon", true},     {"geometry", true},
    {"title", true},           {"icon", true},
    {"display", true},         {"name", true},
    {"visual", true},          {"session", true},
    {"style", true},           {"stylesheet", true},
    {"qmljsdebugger", true},   {"reverse", false},
    {"widgetcount", false},    {"testability", false},
    {"nograb", false},         {"dograb", false},
};

void DescribeCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    // Qt's options are words after a single dash, as in "-platform xcb".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QString::fromLatin1(kFileHelp),
                                 QStringLiteral("[file]"));
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name), QString(),
                                  qt.takesValue ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// An argument's bytes as a QString that gives them back unchanged: a file name need not be
// UTF-8, and the options are all ASCII.
QString Lossless(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
std::string BytesOf(const QString& lossless) {
    return lossless.toLatin1().toStdString();
}

int Refuse(const std::string& why) {
    std::fprintf(stderr, "globule: %s\n%s\n", why.c_str(), kSeeHelp);
    return 2;
}

} // namespace

CGlobuleApp::CommandLine CGlobuleApp::ReadCommandLine(const std::vector<std::string>& arguments) {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    QStringList lossless;
    for (const std::string& argument : arguments) {
        lossless << Lossless(argument);
    }
    if (lossless.isEmpty()) {
        lossless << QStringLiteral("globule");
    }
    CommandLine line;
    if (!parser.parse(lossless)) {
        // The text names the odd argument as it came: show it readably.
        line.status = Refuse(filepath::Shown(BytesOf(parser.errorText())));
        return line;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        line.status = 0;
        return line;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("Globule Version " GLOBULE_VERSION_LABEL "\n");
        line.status = 0;
        return line;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        line.status = Refuse(kTooManyFiles);
    } else if (files.size() == 1 && files.constFirst().isEmpty()) {
        line.status = Refuse(kEmptyFileName);
    } else if (files.size() == 1) {
        line.file = BytesOf(files.constFirst());
    }
    return line;
}

std::optional<int> CGlobuleApp::InitInstance(const std::vector<std::string>& arguments) {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kRegistryKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppName));
    QCoreApplication::setApplicationVersion(QStringLiteral(GLOBULE_VERSION_LABEL));
    QGuiApplication::setDesktopFileName(QStringLiteral("globule"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/globule.png")));

    const CommandLine line = ReadCommandLine(arguments);
    if (line.status) {
        return line.status;
    }
    m_recentFiles = std::make_unique<CRecentFileList>(QString::fromLatin1(kRegistryKey),
                                                      QString::fromLatin1(kAppName));
    m_frame = std::make_unique<CMainFrame>(m_document, *m_recentFiles);
    if (line.file.empty()) {
        m_document.OnNewDocument();
    } else if (!m_frame->OpenStartupFile(line.file)) {
        return 1; // the reason has been shown
    }
    m_frame->ShowMaximizedForGame();
    return std::nullopt;
}
