#pragma once

#include "platform/Clock.h"
#include "platform/System.h"
#include "platform/WavePlayer.h"

#include <memory>

class QTimer;
class QMediaPlayer;
class QAudioOutput;

namespace brivello::platform {

class QtProgramStarter final : public ProgramStarter
{
public:
    bool start(const QString &program, const QStringList &arguments,
               const QString &workingDirectory) override;
};

class QtUrlOpener final : public UrlOpener
{
public:
    bool open(const QUrl &address) override;
};

class QtCurrentDirectory final : public CurrentDirectory
{
public:
    bool set(const QString &path) override;
    QString current() const override;
};

class QtTimer final : public Timer
{
    Q_OBJECT
public:
    QtTimer();
    void setInterval(int milliseconds) override;
    int interval() const override;
    void start() override;
    void stop() override;
    bool isActive() const override;

private:
    QTimer *m_timer;
};

class QtClock final : public Clock
{
public:
    std::unique_ptr<Timer> createTimer() override;
};

// Made on the first open, so that a run that plays nothing never starts the
// multimedia back end.
class QtWavePlayer final : public WavePlayer
{
public:
    QtWavePlayer();
    ~QtWavePlayer() override;
    bool open(const QString &file) override;
    void play() override;
    void stop() override;
    void close() override;
    PlayerMode mode() const override;
    QString failure() const override;

private:
    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
    bool m_open = false;
    QString m_failure;
};

} // namespace brivello::platform
