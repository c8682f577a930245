#include "platform/QtSystem.h"

#include "platform/Platform.h"
#include "platform/QtDialogs.h"

#include "platform/ModuleWavePlayer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace brivello::platform {

bool QtProgramStarter::start(const QString &program, const QStringList &arguments,
                             const QString &workingDirectory)
{
    return QProcess::startDetached(program, arguments, workingDirectory);
}

bool QtUrlOpener::open(const QUrl &address)
{
    return QDesktopServices::openUrl(address);
}

bool QtCurrentDirectory::set(const QString &path)
{
    return QDir::setCurrent(path);
}

QString QtCurrentDirectory::current() const
{
    return QDir::currentPath();
}

QtTimer::QtTimer() : m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &Timer::timeout);
}

void QtTimer::setInterval(int milliseconds)
{
    m_timer->setInterval(milliseconds);
}

int QtTimer::interval() const
{
    return m_timer->interval();
}

void QtTimer::start()
{
    m_timer->start();
}

void QtTimer::stop()
{
    m_timer->stop();
}

bool QtTimer::isActive() const
{
    return m_timer->isActive();
}

std::unique_ptr<Timer> QtClock::createTimer()
{
    return std::make_unique<QtTimer>();
}

Platform makeQtPlatform()
{
    Platform platform;
    platform.messageBox = std::make_shared<QtMessageBox>();
    platform.inputBox = std::make_shared<QtInputBox>();
    platform.saveFileDialog = std::make_shared<QtSaveFileDialog>();
    platform.programStarter = std::make_shared<QtProgramStarter>();
    platform.urlOpener = std::make_shared<QtUrlOpener>();
    platform.currentDirectory = std::make_shared<QtCurrentDirectory>();
    platform.clock = std::make_shared<QtClock>();
    platform.wavePlayer = std::make_shared<ModuleWavePlayer>(QCoreApplication::applicationDirPath());
    return platform;
}

} // namespace brivello::platform
