#include "app/GlobuleApp.h"

#include "app/MainFrame.h"
#include "app/RecentFileList.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>

CGlobuleApp::CGlobuleApp() = default;

CGlobuleApp::~CGlobuleApp() = default;

namespace {

void DescribeCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral("Globule, a game of judgement."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A match file to open."),
                                 QStringLiteral("[file]"));
}

// Help and version, printed when asked for; the status to end with then.
std::optional<int> AnswerHelpOrVersion(const QCommandLineParser& parser) {
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("Globule Version " GLOBULE_VERSION_LABEL "\n");
        return 0;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> CGlobuleApp::AnswerOnTheTerminal(const QStringList& arguments) {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    // The window system's own options are not known here; they are parsed with the window.
    parser.parse(arguments);
    return AnswerHelpOrVersion(parser);
}

std::optional<int> CGlobuleApp::InitInstance(const QStringList& arguments) {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kRegistryKey));
    QCoreApplication::setApplicationName(QString::fromLatin1(kAppName));
    QCoreApplication::setApplicationVersion(QStringLiteral(GLOBULE_VERSION_LABEL));
    QGuiApplication::setDesktopFileName(QStringLiteral("globule"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/globule.png")));

    QCommandLineParser parser;
    DescribeCommandLine(parser);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "globule: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (const std::optional<int> answered = AnswerHelpOrVersion(parser)) {
        return answered;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "globule: one match file at most\n");
        return 2;
    }

    m_recentFiles = std::make_unique<CRecentFileList>(QString::fromLatin1(kRegistryKey),
                                                      QString::fromLatin1(kAppName));
    m_frame = std::make_unique<CMainFrame>(m_document, *m_recentFiles);
    if (files.isEmpty()) {
        m_document.OnNewDocument();
    } else if (!m_frame->OpenStartupFile(files.constFirst())) {
        return 1; // the reason has been shown
    }
    m_frame->ShowMaximizedForGame();
    return std::nullopt;
}
