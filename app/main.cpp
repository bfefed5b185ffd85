#include "app/GlobuleApp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    {
        QCoreApplication terminal(argc, argv);
        if (const std::optional<int> status =
                CGlobuleApp::AnswerOnTheTerminal(QCoreApplication::arguments())) {
            return *status;
        }
    }
    QApplication application(argc, argv);
    CGlobuleApp theApp;
    if (const std::optional<int> status = theApp.InitInstance(QApplication::arguments())) {
        return *status;
    }
    return QApplication::exec();
}
