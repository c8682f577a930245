#pragma once

#include <QObject>

#include <memory>

namespace brivello::platform {

// A repeating timer. Windows own their timers through this interface so that
// tests can drive them from a fake clock instead of waiting.
class Timer : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

Q_SIGNALS:
    void timeout();
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

} // namespace brivello::platform
