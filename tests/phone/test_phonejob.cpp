// A phone job from opening the line to closing it: the line is closed
// whatever happens, Cancel stops it on a thread and in a worker process,
// and the worker process sends through the simulated modem.

#include "phone/PhoneTask.h"
#include "phone/RingtoneMessage.h"
#include "tests/support/FakePhoneLink.h"
#include "tests/support/ModemSimulator.h"
#include "tests/support/PduBuilder.h"

#include <QSignalSpy>
#include <QTest>

using namespace brivello::phone;
using namespace Qt::StringLiterals;
using brivello::test::FakePhoneLink;
using brivello::test::ModemSimulator;
using Call = FakePhoneLink::Call;

namespace {

PhoneJob sendJob(const QString &device, int parts)
{
    PhoneJob job;
    job.action = PhoneJob::Action::Send;
    job.connection = {device, u"at"_s};
    job.number = u"+393331234567"_s;
    for (int i = 0; i < parts; ++i)
        job.parts.push_back({QByteArray::fromHex("0B05041581000000037E030") + char('1' + i), "parte"});
    return job;
}

QList<Call> calls(const FakePhoneLink &link)
{
    QList<Call> list;
    for (const FakePhoneLink::Record &record : link.records())
        list << record.call;
    return list;
}

struct Outcome
{
    QList<JobStep> steps;
    PhoneJobResult result;
    bool finished = false;
};

// Collects what a task tells until it finishes.
void watch(PhoneTask &task, Outcome &outcome)
{
    QObject::connect(&task, &PhoneTask::progressed, &task,
                     [&outcome](const JobProgress &progress) { outcome.steps << progress.step; });
    QObject::connect(&task, &PhoneTask::finished, &task, [&outcome](const PhoneJobResult &result) {
        outcome.result = result;
        outcome.finished = true;
    });
}

PhoneJobResult runWithoutThread(FakePhoneLink &link, const PhoneJob &job, bool cancelled = false)
{
    return runPhoneJob(
        link, job, [](const JobProgress &) {}, [cancelled] { return cancelled; });
}

} // namespace

class TestPhoneJob : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineIsClosedWhateverHappens();
    void cancelStopsAThreadAtOnce();
    void jobProgressAndResultCrossTheProcessBoundary();
    void workerProcessSendsThroughTheModem();
    void cancellingTheWorkerReleasesTheLine();
    void silentWorkerIsStoppedAsATimeout();
    void workerThatCannotStartIsTold();
};

void TestPhoneJob::lineIsClosedWhateverHappens()
{
    {
        FakePhoneLink link;
        link.queueConnect(phoneError(PhoneErrorKind::PinNeeded, u"/dev/ttyUSB0"_s));
        const PhoneJobResult result = runWithoutThread(link, sendJob(u"/dev/ttyUSB0"_s, 2));
        QCOMPARE(result.error.kind, PhoneErrorKind::PinNeeded);
        QCOMPARE(calls(link), (QList<Call>{Call::Connect, Call::Disconnect}));
    }
    {
        FakePhoneLink link;
        link.queueSend({});
        PhoneError refused = phoneError(PhoneErrorKind::CentreRefused);
        refused.code = 42;
        link.queueSend(refused);
        const PhoneJobResult result = runWithoutThread(link, sendJob(u"/dev/ttyUSB0"_s, 3));
        QCOMPARE(result.error.kind, PhoneErrorKind::CentreRefused);
        QCOMPARE(result.error.partsSent, 1);
        QCOMPARE(result.references, std::vector<int>{100});
        QCOMPARE(calls(link), (QList<Call>{Call::Connect, Call::SendPart, Call::SendPart, Call::Disconnect}));
        QVERIFY(!link.isOpen());
    }
    {
        FakePhoneLink link;
        const PhoneJobResult result = runWithoutThread(link, sendJob(u"/dev/ttyUSB0"_s, 2), true);
        QCOMPARE(result.error.kind, PhoneErrorKind::Cancelled);
        QCOMPARE(calls(link), QList<Call>{Call::Disconnect});
    }
    {
        FakePhoneLink link;
        link.setIdentity({u"Nokia"_s, u"6310i"_s, u"350000000000000"_s, 75, -63, u"I TIM"_s});
        PhoneJob job;
        job.connection = {u"/dev/rfcomm0"_s, u"at"_s};
        const PhoneJobResult result = runWithoutThread(link, job);
        QVERIFY(result.ok());
        QCOMPARE(result.identity.model, u"6310i"_s);
        QCOMPARE(calls(link), (QList<Call>{Call::Connect, Call::Identify, Call::Disconnect}));
        QCOMPARE(link.records().front().settings.device, u"/dev/rfcomm0"_s);
    }
}

void TestPhoneJob::cancelStopsAThreadAtOnce()
{
    auto link = std::make_shared<FakePhoneLink>();
    link->hold(Call::SendPart);
    ThreadPhoneTask task(link);
    Outcome outcome;
    watch(task, outcome);
    task.start(sendJob(u"/dev/ttyUSB0"_s, 3));
    QVERIFY(task.isRunning());
    QTRY_VERIFY(link->holding());
    task.cancel();
    QTRY_VERIFY(outcome.finished);
    QVERIFY(!task.isRunning());
    QCOMPARE(outcome.result.error.kind, PhoneErrorKind::Cancelled);
    QCOMPARE(outcome.result.error.partsSent, 0);
    QCOMPARE(outcome.result.error.message(), u"Invio annullato: non è partito nulla."_s);
    QCOMPARE(link->count(Call::SendPart), 1);
    QCOMPARE(calls(*link).back(), Call::Disconnect);
    QVERIFY(outcome.steps.contains(JobStep::Connecting));
    QCOMPARE(outcome.steps.back(), JobStep::Closing);
}

void TestPhoneJob::jobProgressAndResultCrossTheProcessBoundary()
{
    PhoneJob job = sendJob(u"/dev/ttyACM0"_s, 2);
    job.pin = u"0000"_s;
    job.networkAnswerMs = 1234;
    job.parts[1].messageClass = -1;
    const PhoneJob back = jobFromJson(toJson(job));
    QCOMPARE(back.action, PhoneJob::Action::Send);
    QCOMPARE(back.connection, job.connection);
    QCOMPARE(back.pin, job.pin);
    QCOMPARE(back.number, job.number);
    QCOMPARE(back.networkAnswerMs, 1234);
    QCOMPARE(back.parts, job.parts);

    const JobProgress progress{JobStep::Sent, 2, 3, 77};
    const JobProgress progressBack = progressFromJson(toJson(progress));
    QCOMPARE(progressBack.step, JobStep::Sent);
    QCOMPARE(progressBack.reference, 77);
    QCOMPARE(stepText(progressBack), u"Parte 2 di 3 accettata dalla rete (riferimento 77)."_s);

    PhoneJobResult result;
    result.error = phoneError(PhoneErrorKind::NoPermission, u"/dev/ttyS0"_s);
    result.error.group = u"dialout"_s;
    result.error.partsSent = 1;
    result.identity = {u"Siemens"_s, u"M20"_s, u"1"_s, 30, -93, u"Rete"_s};
    result.references = {5, 6};
    const PhoneJobResult resultBack = resultFromJson(toJson(result));
    QCOMPARE(resultBack.error, result.error);
    QCOMPARE(resultBack.identity, result.identity);
    QCOMPARE(resultBack.references, result.references);
    QCOMPARE(
        resultBack.error.message(),
        u"Non è permesso aprire «/dev/ttyS0»: il dispositivo è del gruppo «dialout». Aggiungere l'utente al "
        u"gruppo (sudo adduser $USER dialout), poi uscire e rientrare nella sessione."_s);
}

void TestPhoneJob::workerProcessSendsThroughTheModem()
{
    ModemSimulator modem;
    const RingtoneMessage ringtone = encodeRingtoneText(u"Test:d=4,o=5,b=125:8c,8d,e,2g.,8p,c6");
    PhoneJob job = sendJob(modem.devicePath(), 0);
    job.parts = ringtone.message.parts;
    WorkerProcessTask task(QString::fromUtf8(PHONE_WORKER), phoneWorkerArguments());
    Outcome outcome;
    watch(task, outcome);
    task.start(job);
    QTRY_VERIFY_WITH_TIMEOUT(outcome.finished, 60000);
    QVERIFY2(outcome.result.ok(), qPrintable(outcome.result.error.message()));
    QCOMPARE(outcome.result.references, std::vector<int>{42});
    QCOMPARE(outcome.steps,
             (QList<JobStep>{JobStep::Connecting, JobStep::Sending, JobStep::Sent, JobStep::Closing}));
    QCOMPARE(modem.pdus(),
             QStringList{brivello::test::submitPdu(u"+393359609600"_s, job.number, job.parts[0])});
    QTRY_COMPARE(modem.closings(), 1);
}

void TestPhoneJob::cancellingTheWorkerReleasesTheLine()
{
    ModemSimulator::Script script;
    script.silent = true;
    ModemSimulator modem(script);
    WorkerProcessTask task(QString::fromUtf8(PHONE_WORKER), phoneWorkerArguments());
    Outcome outcome;
    watch(task, outcome);
    task.start(sendJob(modem.devicePath(), 1));
    // libGammu waits half a minute for a silent modem; Cancel must not. The
    // long wait is for the worker to start on a loaded machine.
    QTRY_VERIFY_WITH_TIMEOUT(modem.inUse(), 30000);
    task.cancel();
    QTRY_VERIFY(outcome.finished);
    QCOMPARE(outcome.result.error.kind, PhoneErrorKind::Cancelled);
    QTRY_VERIFY(!modem.inUse());
    QCOMPARE(modem.closings(), 1);
    QVERIFY(!task.isRunning());
}

void TestPhoneJob::silentWorkerIsStoppedAsATimeout()
{
    ModemSimulator::Script script;
    script.silent = true;
    ModemSimulator modem(script);
    WorkerProcessTask task(QString::fromUtf8(PHONE_WORKER), phoneWorkerArguments());
    task.setSilenceLimit(1000);
    Outcome outcome;
    watch(task, outcome);
    task.start(sendJob(modem.devicePath(), 1));
    QTRY_VERIFY_WITH_TIMEOUT(outcome.finished, 30000);
    QCOMPARE(outcome.result.error.kind, PhoneErrorKind::Timeout);
    QTRY_VERIFY(!modem.inUse());
}

void TestPhoneJob::workerThatCannotStartIsTold()
{
    WorkerProcessTask task(u"/nonexistent/brivello-worker"_s, phoneWorkerArguments());
    Outcome outcome;
    watch(task, outcome);
    task.start(sendJob(u"/dev/ttyUSB0"_s, 1));
    QTRY_VERIFY(outcome.finished);
    QCOMPARE(outcome.result.error.kind, PhoneErrorKind::Other);
    QVERIFY(outcome.result.error.message().contains(u"impossibile avviare il programma di collegamento"_s));
}

QTEST_GUILESS_MAIN(TestPhoneJob)
#include "test_phonejob.moc"
