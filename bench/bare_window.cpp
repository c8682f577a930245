// The floor for the start-up benchmark: a bare Qt program that shows one
// empty window and ends once the window system shows it.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(640, 480);
    window.show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &window, [&window] {
        if (window.windowHandle() && window.windowHandle()->isExposed())
            QCoreApplication::exit(0);
    });
    poll.start(20);
    return QApplication::exec();
}
