#include "tools/ringtonetools/TaskPhoneLink.h"

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

using phone::JobStep;
using phone::PhoneErrorKind;
using phone::PhoneJob;

namespace {

QString phoneName(const phone::PhoneIdentity &identity)
{
    const QString name = QStringList{identity.manufacturer, identity.model}.join(u' ').trimmed();
    return name.isEmpty() ? u"il telefono"_s : name;
}

int percentOf(const phone::JobProgress &progress)
{
    switch (progress.step) {
    case JobStep::Connecting:
        return 10;
    case JobStep::Identifying:
        return 30;
    case JobStep::Writing:
        return 60;
    case JobStep::Closing:
        return 90;
    case JobStep::Sending:
    case JobStep::Sent:
        break;
    }
    return 0;
}

} // namespace

QString identifiedMessage(const phone::PhoneIdentity &identity)
{
    QString text = u"Telefono trovato: %1"_s.arg(phoneName(identity));
    if (!identity.imei.isEmpty())
        text += u", IMEI %1"_s.arg(identity.imei);
    return text + u'.';
}

QString writeFailureMessage(const phone::PhoneError &error, const phone::PhoneIdentity &identity)
{
    switch (error.kind) {
    case PhoneErrorKind::NotSupported:
        // An AT modem or a phone whose driver cannot write ringtones.
        return u"%1 non accetta suonerie via cavo: la sua memoria suonerie non si può "
               "scrivere con questo collegamento. Il telefono non è stato modificato; la "
               "suoneria si può inviare come SMS con «Invia via SMS…»."_s.arg(
                   phoneName(identity).left(1).toUpper() + phoneName(identity).mid(1));
    case PhoneErrorKind::Cancelled:
        return u"Scrittura annullata prima che la suoneria partisse: il telefono non è "
               "stato modificato."_s;
    default:
        break;
    }
    return u"La suoneria non è stata scritta. %1"_s.arg(error.message());
}

TaskPhoneLink::TaskPhoneLink(phone::PhoneTaskFactory tasks, QObject *parent)
    : PhoneLink(parent), m_tasks(std::move(tasks))
{}

TaskPhoneLink::~TaskPhoneLink()
{
    if (m_task && m_task->isRunning()) {
        m_task->disconnect(this);
        m_task->cancel();
    }
}

void TaskPhoneLink::identify(const phone::ConnectionSettings &connection)
{
    PhoneJob job;
    job.action = PhoneJob::Action::Identify;
    job.connection = connection;
    start(job);
}

void TaskPhoneLink::writeRingtone(const phone::ConnectionSettings &connection, const melody::Melody &tune)
{
    PhoneJob job;
    job.action = PhoneJob::Action::WriteRingtone;
    job.connection = connection;
    job.ringtone = melody::writeRtttl(tune);
    m_title = tune.name;
    start(job);
}

void TaskPhoneLink::cancel()
{
    if (m_task && m_task->isRunning() && !m_writing)
        m_task->cancel();
}

void TaskPhoneLink::start(const PhoneJob &job)
{
    if (m_task && m_task->isRunning())
        return;
    m_action = job.action;
    m_writing = false;
    m_task = m_tasks();
    connect(m_task.get(), &phone::PhoneTask::progressed, this, &TaskPhoneLink::progressed);
    connect(m_task.get(), &phone::PhoneTask::finished, this, &TaskPhoneLink::finished);
    m_task->start(job);
}

void TaskPhoneLink::progressed(const phone::JobProgress &progress)
{
    if (progress.step == JobStep::Writing) {
        m_writing = true;
        Q_EMIT cancellable(false);
    }
    if (const int percent = percentOf(progress); percent > 0)
        Q_EMIT this->progress(percent);
}

void TaskPhoneLink::finished(const phone::PhoneJobResult &result)
{
    // The task is still inside its signal; it goes once it has returned.
    m_task.release()->deleteLater();
    m_writing = false;
    if (m_action == PhoneJob::Action::Identify) {
        if (result.error.kind == PhoneErrorKind::Cancelled)
            Q_EMIT identified(false, u"Ricerca del telefono annullata."_s);
        else
            Q_EMIT identified(result.ok(),
                              result.ok() ? identifiedMessage(result.identity) : result.error.message());
        return;
    }
    Q_EMIT progress(100);
    if (result.ok()) {
        Q_EMIT written(true,
                       u"«%1» è nella memoria suonerie di %2."_s.arg(m_title, phoneName(result.identity)));
        return;
    }
    Q_EMIT written(false, writeFailureMessage(result.error, result.identity));
}

} // namespace brivello::ringtonetools
