#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <QWidget>

// A maximised main window with a menu bar, whose client area is painted in the colour of the
// game's Home page, so one probe measures both programs alike. Given a period in milliseconds,
// it also runs a timer of that period that does nothing: what a poll costs by itself.
class Client : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(255, 200, 160));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setCentralWidget(new Client);
    window.showMaximized();
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    if (argc > 1) {
        poll.start(QString::fromLocal8Bit(argv[1]).toInt());
    }
    return QApplication::exec();
}
