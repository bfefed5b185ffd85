#include "app/GlobuleApp.h"

#include <QApplication>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // The arguments as they came: QApplication takes its own options out of argv, and turns
    // bytes that are not UTF-8 into U+FFFD in its own list.
    const std::vector<std::string> arguments(argv, argv + argc);
    {
        // Help, version and a wrong command line are answered before the window system is
        // opened, so they need no display.
        char name[] = "globule";
        int terminalArgc = 1;
        char* terminalArgv[] = {argc > 0 ? argv[0] : name, nullptr};
        QCoreApplication terminal(terminalArgc, terminalArgv);
        if (const std::optional<int> status = CGlobuleApp::ReadCommandLine(arguments).status) {
            return *status;
        }
    }
    QApplication application(argc, argv);
    CGlobuleApp theApp;
    if (const std::optional<int> status = theApp.InitInstance(arguments)) {
        return *status;
    }
    return QApplication::exec();
}
