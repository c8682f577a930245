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
#include <QTextStream>
#include <QTimer>
#include <QWindow>

namespace brivello::app {

namespace {

constexpr int startFailedStatus = 1;
constexpr int neverShownStatus = 3;

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
        return reportFailure(
            QStringLiteral("Brivello non può avviarsi: %1").arg(QString::fromUtf8(error.what())));
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
    request.text = text + QStringLiteral("\n\nIl programma verrà chiuso.");
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
    // For the smoke test: wait until the window system shows the home window,
    // say so, and end the run.
    auto *poll = new QTimer(qApp);
    poll->setInterval(20);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, qApp, [this, poll, waited] {
        ringtones::frmRing &home = m_windows->ring();
        const bool onScreen = home.isVisible() && home.windowHandle() && home.windowHandle()->isExposed();
        if (!onScreen && ++*waited < 500)
            return;
        poll->stop();
        QTextStream(stdout) << (onScreen ? "shown: " : "never shown: ") << home.objectName() << Qt::endl;
        QCoreApplication::exit(onScreen ? 0 : neverShownStatus);
    });
    poll->start();
}

} // namespace brivello::app
