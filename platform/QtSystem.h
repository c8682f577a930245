#pragma once

#include "platform/Clock.h"
#include "platform/System.h"
#include "platform/WavePlayer.h"

#include <memory>

class QTimer;

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

} // namespace brivello::platform
