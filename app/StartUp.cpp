#include "app/StartUp.h"

#include "app/WindowSet.h"
#include "app/frmSplash.h"
#include "app/frmSplashOut.h"
#include "data/CatalogueError.h"
#include "docviewer/frmDoc.h"
#include "logos/frmLogo.h"
#include "ringtones/frmRing.h"
#include "toolcatalogue/frmInstall.h"
#include "toolcatalogue/frmTools.h"
#include "ui/ButtonImages.h"
#include "ui/WindowStack.h"

#include <QApplication>
#include <QEvent>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace Qt::StringLiterals;

namespace brivello::app {

namespace {

constexpr int startFailedStatus = 1;
constexpr int neverShownStatus = 3;

constexpr int neverShownAfterMs = 10000;

// Calls `exposed` once, after the window is first exposed and has handled it.
class ExposeWatch : public QObject
{
public:
    ExposeWatch(QWindow &window, std::function<void()> exposed)
        : QObject(&window), m_exposed(std::move(exposed))
    {
        window.installEventFilter(this);
        if (window.isExposed())
            tellLater();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
            tellLater();
        return false;
    }

private:
    void tellLater()
    {
        if (m_told)
            return;
        m_told = true;
        QMetaObject::invokeMethod(this, m_exposed, Qt::QueuedConnection);
    }

    std::function<void()> m_exposed;
    bool m_told = false;
};

} // namespace

StartUp::StartUp(platform::Platform platform)
    : m_platform(std::move(platform)), m_stack(std::make_unique<ui::WindowStack>()),
      m_images(std::make_unique<ui::ButtonImages>()),
      m_windows(std::make_unique<WindowSet>(m_platform, *m_stack, *m_images))
{}

StartUp::~StartUp()
{
    m_windows.reset();
}

int StartUp::StartProgram()
{
    const int status = start();
    if (status != 0)
        return status;
    if (m_quitWhenHomeShown)
        quitOnceHomeIsOnScreen();
    m_running = true;
    const int exitStatus = QApplication::exec();
    m_running = false;
    return exitStatus;
}

int StartUp::start()
{
    // Step 1: the ringtone window's song flag starts out false with the window.
    frmSplash &splash = m_windows->splash();
    m_stack->show(splash);
    splash.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    try {
        loadWindows();
    } catch (const data::CatalogueError &error) {
        return reportFailure(error.message());
    } catch (const std::exception &error) {
        return reportFailure(u"Brivello non può avviarsi: %1"_s.arg(QString::fromUtf8(error.what())));
    }
    m_stack->hide(splash);
    m_stack->showModal(m_windows->ring(), [this] { homeShowingEnded(); });
    return 0;
}

void StartUp::loadWindows()
{
    m_windows->ring();
    // The install dialog's load step refers to the tools window and so loads
    // it first.
    m_windows->install();
    m_windows->doc();
    m_windows->splashOut();
    m_windows->tools();
    logos::frmLogo::checkCatalogue();
}

int StartUp::reportFailure(const QString &text)
{
    m_windows->splash().hide();
    platform::MessageRequest request;
    request.text = text + u"\n\nIl programma verrà chiuso."_s;
    request.icon = platform::MessageIcon::Critical;
    m_platform.messageBox->show(request);
    return startFailedStatus;
}

void StartUp::homeShowingEnded()
{
    m_finished = true;
    if (m_running)
        QCoreApplication::exit(0);
}

void StartUp::quitOnceHomeIsOnScreen()
{
    // For the smoke test and the start-up benchmark: as soon as the window
    // system shows the home window (and it is painted), say so and end the
    // run; after ten seconds without it, say that instead.
    ringtones::frmRing &home = m_windows->ring();
    auto report = [&home](bool onScreen) {
        QTextStream(stdout) << (onScreen ? "shown: " : "never shown: ") << home.objectName() << Qt::endl;
        QCoreApplication::exit(onScreen ? 0 : neverShownStatus);
    };
    QWindow *window = home.windowHandle();
    if (!window) {
        QTimer::singleShot(0, qApp, [report] { report(false); });
        return;
    }
    // Told after the expose event is handled, which is when the window paints.
    auto *watch = new ExposeWatch(*window, [report] { report(true); });
    QTimer::singleShot(neverShownAfterMs, watch, [report] { report(false); });
}

} // namespace brivello::app
