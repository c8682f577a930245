#include "platform/wave/QtWavePlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace brivello::platform {

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
                                 m_failure = u"la registrazione non è un file audio leggibile"_s;
                             else if (error != QMediaPlayer::NoError)
                                 m_failure = u"il riproduttore audio non la può riprodurre"_s;
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
        m_failure = u"il sistema non ha un'uscita audio"_s;
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

} // namespace brivello::platform

brivello::platform::WavePlayer *brivello_make_wave_player()
{
    return new brivello::platform::QtWavePlayer;
}
