#include "platform/QtSystem.h"

#include "platform/Platform.h"
#include "platform/QtDialogs.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
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

QtWavePlayer::QtWavePlayer() = default;
QtWavePlayer::~QtWavePlayer() = default;

bool QtWavePlayer::open(const QString &file)
{
    close();
    if (!QFileInfo(file).isFile())
        return false;
    if (!m_player) {
        m_output = std::make_unique<QAudioOutput>();
        m_player = std::make_unique<QMediaPlayer>();
        m_player->setAudioOutput(m_output.get());
        QObject::connect(m_player.get(), &QMediaPlayer::errorOccurred, m_player.get(),
                         [this](QMediaPlayer::Error error, const QString &) {
                             if (error == QMediaPlayer::FormatError)
                                 m_failure = QStringLiteral("la registrazione non è un file audio leggibile");
                             else if (error != QMediaPlayer::NoError)
                                 m_failure = QStringLiteral("il riproduttore audio non la può riprodurre");
                         });
    }
    m_failure.clear();
    m_player->setSource(QUrl::fromLocalFile(file));
    m_open = true;
    return true;
}

void QtWavePlayer::play()
{
    if (!m_open)
        return;
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        m_failure = QStringLiteral("il sistema non ha un'uscita audio");
        return;
    }
    m_player->play();
}

void QtWavePlayer::stop()
{
    if (m_open)
        m_player->stop();
}

void QtWavePlayer::close()
{
    if (!m_open)
        return;
    m_player->stop();
    m_player->setSource(QUrl());
    m_open = false;
    m_failure.clear();
}

PlayerMode QtWavePlayer::mode() const
{
    if (!m_open)
        return PlayerMode::NotOpen;
    return m_player->playbackState() == QMediaPlayer::PlayingState ? PlayerMode::Playing
                                                                   : PlayerMode::Stopped;
}

QString QtWavePlayer::failure() const
{
    return m_failure;
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
    platform.wavePlayer = std::make_shared<QtWavePlayer>();
    return platform;
}

} // namespace brivello::platform
