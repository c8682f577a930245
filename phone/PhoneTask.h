#pragma once

// A phone job run away from the user interface: the window starts it, is
// told of each step, may cancel it, and hears the result once.
//
// The program runs every job in a worker process (WorkerProcessTask), not
// in a thread. libGammu blocks inside calls that cannot all be interrupted:
// its abort flag is checked only while it waits for an answer, not while it
// opens a Bluetooth link or writes to a line that does not drain, and once
// set it stays set, so that closing the connection then fails and leaves the
// device open. A process can always be stopped: Cancel kills it, and the
// system closes the device and releases its lock whatever libGammu was
// doing. Tests run the same job on a thread (ThreadPhoneTask) with a fake
// link that honours abort().

#include "phone/PhoneJob.h"

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace brivello::phone {

class PhoneTask : public QObject
{
    Q_OBJECT
public:
    // Runs one job; a task is used once.
    virtual void start(const PhoneJob &job) = 0;
    // Stops the job; finished() follows with the outcome (Cancelled unless
    // the job had already ended).
    virtual void cancel() = 0;
    virtual bool isRunning() const = 0;

Q_SIGNALS:
    void progressed(const brivello::phone::JobProgress &progress);
    void finished(const brivello::phone::PhoneJobResult &result);
};

using PhoneTaskFactory = std::function<std::unique_ptr<PhoneTask>()>;

// Runs the job on a thread of its own with the link given.
class ThreadPhoneTask final : public PhoneTask
{
    Q_OBJECT
public:
    explicit ThreadPhoneTask(std::shared_ptr<PhoneLink> link);
    ~ThreadPhoneTask() override;
    void start(const PhoneJob &job) override;
    void cancel() override;
    bool isRunning() const override { return m_running; }

private:
    void deliver(PhoneJobResult result);

    std::shared_ptr<PhoneLink> m_link;
    std::thread m_thread;
    std::atomic<bool> m_cancelled{false};
    bool m_running = false;
};

// Runs the job in a worker process: `program` started with `arguments`
// (a program whose main calls runPhoneWorkerIfAsked()).
class WorkerProcessTask final : public PhoneTask
{
    Q_OBJECT
public:
    WorkerProcessTask(QString program, QStringList arguments);
    ~WorkerProcessTask() override;
    // A worker silent this long is taken for hung and stopped; libGammu's
    // own limits and the network's answer all fall well within it.
    void setSilenceLimit(int milliseconds) { m_silence.setInterval(milliseconds); }
    void start(const PhoneJob &job) override;
    void cancel() override;
    bool isRunning() const override { return m_process.state() != QProcess::NotRunning || m_starting; }

private:
    void readLines();
    void ended();
    void finish(PhoneJobResult result);

    QString m_program;
    QStringList m_arguments;
    QProcess m_process;
    QTimer m_silence;
    QByteArray m_pending;
    bool m_starting = false;
    bool m_cancelled = false;
    bool m_silent = false;
    bool m_done = false;
    bool m_haveResult = false;
    PhoneJobResult m_result;
    int m_partsSent = 0;
    QString m_device;
};

// The worker's command line: this program, told to work for the phone.
QStringList phoneWorkerArguments();
// A task factory for the program: each job in a worker process that is this
// very program started again (see runPhoneWorkerIfAsked).
PhoneTaskFactory workerProcessTasks();

// Call first in main(): when the program was started as a phone worker it
// reads one job from standard input, runs it through libGammu, writes its
// progress and result to standard output and returns the exit status;
// otherwise it returns nothing and the program goes on.
std::optional<int> runPhoneWorkerIfAsked(int argc, char **argv);

} // namespace brivello::phone

Q_DECLARE_METATYPE(brivello::phone::JobProgress)
Q_DECLARE_METATYPE(brivello::phone::PhoneJobResult)
