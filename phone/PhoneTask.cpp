#include "phone/PhoneTask.h"

#include "phone/GammuLink.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>

#include <cstdio>
#include <signal.h>
#include <sys/prctl.h>

using namespace Qt::StringLiterals;

namespace brivello::phone {

namespace {

const QString WorkerFlag = u"--phone-worker"_s;

// The worker tells its steps and its result one JSON object a line.
QByteArray line(const char *key, const QJsonObject &value)
{
    return QJsonDocument(QJsonObject{{QString::fromLatin1(key), value}}).toJson(QJsonDocument::Compact) +
           '\n';
}

void writeLine(const QByteArray &text)
{
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    std::fflush(stdout);
}

PhoneJobResult failure(PhoneErrorKind kind, const QString &device, int partsSent, const QString &detail = {})
{
    PhoneJobResult result;
    result.error = phoneError(kind, device);
    result.error.partsSent = partsSent;
    result.error.detail = detail;
    return result;
}

void registerTypes()
{
    qRegisterMetaType<JobProgress>();
    qRegisterMetaType<PhoneJobResult>();
}

} // namespace

// --- on a thread ----------------------------------------------------------------

ThreadPhoneTask::ThreadPhoneTask(std::shared_ptr<PhoneLink> link) : m_link(std::move(link))
{
    registerTypes();
}

ThreadPhoneTask::~ThreadPhoneTask()
{
    if (m_thread.joinable()) {
        m_cancelled = true;
        m_link->abort();
        m_thread.join();
    }
}

void ThreadPhoneTask::start(const PhoneJob &job)
{
    if (m_running || m_thread.joinable())
        return;
    m_running = true;
    m_thread = std::thread([this, job] {
        PhoneJobResult result = runPhoneJob(
            *m_link, job,
            [this](const JobProgress &progress) {
                QMetaObject::invokeMethod(
                    this, [this, progress] { Q_EMIT progressed(progress); }, Qt::QueuedConnection);
            },
            [this] { return m_cancelled.load(); });
        QMetaObject::invokeMethod(
            this, [this, result] { deliver(result); }, Qt::QueuedConnection);
    });
}

void ThreadPhoneTask::deliver(PhoneJobResult result)
{
    if (m_thread.joinable())
        m_thread.join();
    m_running = false;
    // A step that failed because it was stopped counts as cancelled.
    if (m_cancelled && !result.ok() && result.error.kind != PhoneErrorKind::Cancelled) {
        const int partsSent = result.error.partsSent;
        result.error = phoneError(PhoneErrorKind::Cancelled, result.error.device);
        result.error.partsSent = partsSent;
    }
    Q_EMIT finished(result);
}

void ThreadPhoneTask::cancel()
{
    if (!m_running)
        return;
    m_cancelled = true;
    m_link->abort();
}

// --- in a worker process -----------------------------------------------------------

WorkerProcessTask::WorkerProcessTask(QString program, QStringList arguments)
    : m_program(std::move(program)), m_arguments(std::move(arguments))
{
    registerTypes();
    m_silence.setSingleShot(true);
    m_silence.setInterval(180000);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardErrorFile(QProcess::nullDevice());
    connect(&m_silence, &QTimer::timeout, this, [this] {
        m_silent = true;
        m_process.kill();
    });
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &WorkerProcessTask::readLines);
    connect(&m_process, &QProcess::finished, this, &WorkerProcessTask::ended);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(failure(PhoneErrorKind::Other, m_device, 0,
                           u"impossibile avviare il programma di collegamento «%1»"_s.arg(m_program)));
    });
}

WorkerProcessTask::~WorkerProcessTask()
{
    m_done = true;
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

void WorkerProcessTask::start(const PhoneJob &job)
{
    if (m_process.state() != QProcess::NotRunning || m_done)
        return;
    m_device = job.connection.device;
    m_starting = true;
    m_process.start(m_program, m_arguments);
    m_starting = false;
    if (m_done)
        return;
    m_process.write(QJsonDocument(toJson(job)).toJson(QJsonDocument::Compact) + '\n');
    m_process.closeWriteChannel();
    m_silence.start();
}

void WorkerProcessTask::cancel()
{
    if (m_done || m_process.state() == QProcess::NotRunning)
        return;
    m_cancelled = true;
    m_process.kill();
}

void WorkerProcessTask::readLines()
{
    m_pending += m_process.readAllStandardOutput();
    m_silence.start();
    qsizetype end = 0;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QJsonObject object = QJsonDocument::fromJson(m_pending.left(end)).object();
        m_pending.remove(0, end + 1);
        if (object.contains(u"progress"_s)) {
            const JobProgress progress = progressFromJson(object.value(u"progress"_s).toObject());
            if (progress.step == JobStep::Sent)
                m_partsSent = progress.part;
            if (!m_cancelled)
                Q_EMIT progressed(progress);
        } else if (object.contains(u"result"_s)) {
            m_result = resultFromJson(object.value(u"result"_s).toObject());
            m_haveResult = true;
        }
    }
}

void WorkerProcessTask::ended()
{
    m_silence.stop();
    readLines();
    if (m_haveResult && !m_cancelled)
        finish(m_result);
    else if (m_cancelled)
        finish(failure(PhoneErrorKind::Cancelled, m_device, m_partsSent));
    else if (m_silent)
        finish(failure(PhoneErrorKind::Timeout, m_device, m_partsSent));
    else
        finish(failure(PhoneErrorKind::Other, m_device, m_partsSent,
                       u"il programma di collegamento si è interrotto"_s));
}

void WorkerProcessTask::finish(PhoneJobResult result)
{
    if (m_done)
        return;
    m_done = true;
    Q_EMIT finished(result);
}

QStringList phoneWorkerArguments()
{
    return {WorkerFlag};
}

PhoneTaskFactory workerProcessTasks()
{
    return [] {
        return std::make_unique<WorkerProcessTask>(QCoreApplication::applicationFilePath(),
                                                   phoneWorkerArguments());
    };
}

std::optional<int> runPhoneWorkerIfAsked(int argc, char **argv)
{
    if (argc != 2 || QString::fromLocal8Bit(argv[1]) != WorkerFlag)
        return std::nullopt;
    // A worker whose window is gone must not keep the device.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 2;
    const PhoneJob job = jobFromJson(QJsonDocument::fromJson(input.readLine()).object());
    GammuLimits limits;
    limits.networkAnswer = std::chrono::milliseconds(job.networkAnswerMs);
    limits.logFile = qEnvironmentVariable("BRIVELLO_PHONE_LOG");
    GammuLink link(limits);
    const PhoneJobResult result = runPhoneJob(
        link, job, [](const JobProgress &progress) { writeLine(line("progress", toJson(progress))); },
        [] { return false; });
    writeLine(line("result", toJson(result)));
    return 0;
}

} // namespace brivello::phone
