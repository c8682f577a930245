// The floor for the start-up benchmark: a bare Qt program that shows one
// empty window and, once the window system shows it, says so and ends, as the
// program does with its home window. With --text the window shows one line of
// text, the least a real window shows: the first text of a run loads the
// font database.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTextStream>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

class ExposeWatch : public QObject
{
public:
    explicit ExposeWatch(QWindow &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed() && !m_told) {
            m_told = true;
            // Told once the window has handled the expose, which paints it.
            QMetaObject::invokeMethod(
                this,
                [] {
                    QTextStream(stdout) << "shown: bare" << Qt::endl;
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_told = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const bool withText = QCoreApplication::arguments().contains(u"--text"_s);
    QLabel window(withText ? u"Suonerie, loghi e tools per il tuo cellulare"_s : QString());
    window.resize(640, 480);
    window.winId(); // makes the native window, to watch it from the start
    new ExposeWatch(*window.windowHandle());
    window.show();
    return QApplication::exec();
}
