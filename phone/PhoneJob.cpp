#include "phone/PhoneJob.h"

#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace brivello::phone {

namespace {

struct Closer
{
    PhoneLink &link;
    const std::function<void(const JobProgress &)> &progress;
    ~Closer()
    {
        progress({JobStep::Closing});
        link.disconnect();
    }
};

PhoneJobResult cancelledAfter(int partsSent)
{
    PhoneJobResult result;
    result.error = phoneError(PhoneErrorKind::Cancelled);
    result.error.partsSent = partsSent;
    return result;
}

PhoneJobResult sendParts(PhoneLink &link, const PhoneJob &job,
                         const std::function<void(const JobProgress &)> &progress,
                         const std::function<bool()> &cancelled)
{
    PhoneJobResult result;
    const int parts = static_cast<int>(job.parts.size());
    for (int i = 0; i < parts; ++i) {
        if (cancelled())
            return cancelledAfter(i);
        progress({JobStep::Sending, i + 1, parts});
        int reference = -1;
        result.error = link.sendPart(job.number, job.parts[static_cast<std::size_t>(i)], &reference);
        if (!result.error.ok()) {
            result.error.partsSent = i;
            return result;
        }
        result.references.push_back(reference);
        progress({JobStep::Sent, i + 1, parts, reference});
    }
    result.error.partsSent = parts;
    return result;
}

// The phone has said who it is; a cancel up to here leaves it untouched.
PhoneJobResult writeRingtone(PhoneLink &link, const PhoneJob &job,
                             const std::function<void(const JobProgress &)> &progress,
                             const std::function<bool()> &cancelled, PhoneJobResult identified)
{
    const melody::RtttlReading reading = melody::readRtttl(job.ringtone);
    if (!reading.ok()) {
        identified.error = phoneError(PhoneErrorKind::Other, job.connection.device);
        identified.error.detail = reading.error;
        return identified;
    }
    if (cancelled()) {
        identified.error = phoneError(PhoneErrorKind::Cancelled);
        return identified;
    }
    progress({JobStep::Writing});
    identified.error = link.writeRingtone(reading.melody);
    return identified;
}

} // namespace

PhoneJobResult runPhoneJob(PhoneLink &link, const PhoneJob &job,
                           const std::function<void(const JobProgress &)> &progress,
                           const std::function<bool()> &cancelled)
{
    Closer closer{link, progress};
    if (cancelled())
        return cancelledAfter(0);
    progress({JobStep::Connecting});
    PhoneJobResult result;
    result.error = link.connect(job.connection, job.pin);
    if (!result.error.ok())
        return result;
    if (cancelled())
        return cancelledAfter(0);
    if (job.action == PhoneJob::Action::Send)
        return sendParts(link, job, progress, cancelled);
    progress({JobStep::Identifying});
    result.error = link.identify(&result.identity);
    if (!result.error.ok() || job.action == PhoneJob::Action::Identify)
        return result;
    return writeRingtone(link, job, progress, cancelled, std::move(result));
}

QString stepText(const JobProgress &progress)
{
    switch (progress.step) {
    case JobStep::Connecting:
        return u"Collegamento con il telefono…"_s;
    case JobStep::Identifying:
        return u"Lettura dei dati del telefono…"_s;
    case JobStep::Sending:
        return progress.parts == 1 ? u"Invio dell'SMS…"_s
                                   : u"Invio della parte %1 di %2…"_s.arg(progress.part).arg(progress.parts);
    case JobStep::Sent:
        return u"Parte %1 di %2 accettata dalla rete (riferimento %3)."_s.arg(progress.part)
            .arg(progress.parts)
            .arg(progress.reference);
    case JobStep::Closing:
        return u"Chiusura del collegamento…"_s;
    case JobStep::Writing:
        return u"Scrittura della suoneria nel telefono…"_s;
    }
    return {};
}

int progressSteps(const PhoneJob &job)
{
    return job.action == PhoneJob::Action::Send ? 2 * static_cast<int>(job.parts.size()) + 2 : 3;
}

int progressPosition(const JobProgress &progress, int steps)
{
    switch (progress.step) {
    case JobStep::Connecting:
        return 1;
    case JobStep::Identifying:
        return 2;
    case JobStep::Sending:
        return 2 * progress.part;
    case JobStep::Sent:
        return 2 * progress.part + 1;
    case JobStep::Closing:
        return steps;
    case JobStep::Writing:
        break;
    }
    return -1;
}

QString connectedText(const PhoneIdentity &identity)
{
    QStringList parts{u"%1 %2"_s.arg(identity.manufacturer, identity.model).trimmed()};
    if (!identity.imei.isEmpty())
        parts << u"IMEI %1"_s.arg(identity.imei);
    if (identity.signalPercent >= 0)
        parts << u"segnale %1% (%2 dBm)"_s.arg(identity.signalPercent).arg(identity.signalDbm);
    if (!identity.network.isEmpty())
        parts << u"rete %1"_s.arg(identity.network);
    return u"Collegamento riuscito: %1."_s.arg(parts.join(u", "_s));
}

// --- JSON ---------------------------------------------------------------------

namespace {

QJsonObject toJson(const SmsPart &part)
{
    return {{u"udh"_s, QString::fromLatin1(part.udh.toHex())},
            {u"data"_s, QString::fromLatin1(part.data.toHex())},
            {u"class"_s, part.messageClass}};
}

QString actionName(PhoneJob::Action action)
{
    switch (action) {
    case PhoneJob::Action::Send:
        return u"send"_s;
    case PhoneJob::Action::WriteRingtone:
        return u"ringtone"_s;
    case PhoneJob::Action::Identify:
        break;
    }
    return u"identify"_s;
}

SmsPart partFromJson(const QJsonObject &object)
{
    SmsPart part;
    part.udh = QByteArray::fromHex(object.value(u"udh"_s).toString().toLatin1());
    part.data = QByteArray::fromHex(object.value(u"data"_s).toString().toLatin1());
    part.messageClass = object.value(u"class"_s).toInt(1);
    return part;
}

} // namespace

QJsonObject toJson(const PhoneJob &job)
{
    QJsonArray parts;
    for (const SmsPart &part : job.parts)
        parts.append(toJson(part));
    return {{u"action"_s, actionName(job.action)},
            {u"ringtone"_s, job.ringtone},
            {u"device"_s, job.connection.device},
            {u"connection"_s, job.connection.connection},
            {u"pin"_s, job.pin},
            {u"number"_s, job.number},
            {u"networkAnswerMs"_s, job.networkAnswerMs},
            {u"parts"_s, parts}};
}

PhoneJob jobFromJson(const QJsonObject &object)
{
    PhoneJob job;
    const QString action = object.value(u"action"_s).toString();
    job.action = action == u"send"       ? PhoneJob::Action::Send
                 : action == u"ringtone" ? PhoneJob::Action::WriteRingtone
                                         : PhoneJob::Action::Identify;
    job.ringtone = object.value(u"ringtone"_s).toString();
    job.connection.device = object.value(u"device"_s).toString();
    job.connection.connection = object.value(u"connection"_s).toString();
    job.pin = object.value(u"pin"_s).toString();
    job.number = object.value(u"number"_s).toString();
    job.networkAnswerMs = object.value(u"networkAnswerMs"_s).toInt(job.networkAnswerMs);
    for (const QJsonValue &part : object.value(u"parts"_s).toArray())
        job.parts.push_back(partFromJson(part.toObject()));
    return job;
}

QJsonObject toJson(const JobProgress &progress)
{
    return {{u"step"_s, static_cast<int>(progress.step)},
            {u"part"_s, progress.part},
            {u"parts"_s, progress.parts},
            {u"reference"_s, progress.reference}};
}

JobProgress progressFromJson(const QJsonObject &object)
{
    JobProgress progress;
    progress.step = static_cast<JobStep>(
        std::clamp(object.value(u"step"_s).toInt(), 0, static_cast<int>(JobStep::Writing)));
    progress.part = object.value(u"part"_s).toInt();
    progress.parts = object.value(u"parts"_s).toInt();
    progress.reference = object.value(u"reference"_s).toInt(-1);
    return progress;
}

QJsonObject toJson(const PhoneJobResult &result)
{
    QJsonArray references;
    for (const int reference : result.references)
        references.append(reference);
    const PhoneError &error = result.error;
    const PhoneIdentity &identity = result.identity;
    return {{u"kind"_s, static_cast<int>(error.kind)},
            {u"code"_s, error.code},
            {u"device"_s, error.device},
            {u"group"_s, error.group},
            {u"detail"_s, error.detail},
            {u"partsSent"_s, error.partsSent},
            {u"manufacturer"_s, identity.manufacturer},
            {u"model"_s, identity.model},
            {u"imei"_s, identity.imei},
            {u"signalPercent"_s, identity.signalPercent},
            {u"signalDbm"_s, identity.signalDbm},
            {u"network"_s, identity.network},
            {u"references"_s, references}};
}

PhoneJobResult resultFromJson(const QJsonObject &object)
{
    PhoneJobResult result;
    PhoneError &error = result.error;
    error.kind = static_cast<PhoneErrorKind>(
        std::clamp(object.value(u"kind"_s).toInt(static_cast<int>(PhoneErrorKind::Other)), 0,
                   static_cast<int>(PhoneErrorKind::Other)));
    error.code = object.value(u"code"_s).toInt(-1);
    error.device = object.value(u"device"_s).toString();
    error.group = object.value(u"group"_s).toString();
    error.detail = object.value(u"detail"_s).toString();
    error.partsSent = object.value(u"partsSent"_s).toInt();
    PhoneIdentity &identity = result.identity;
    identity.manufacturer = object.value(u"manufacturer"_s).toString();
    identity.model = object.value(u"model"_s).toString();
    identity.imei = object.value(u"imei"_s).toString();
    identity.signalPercent = object.value(u"signalPercent"_s).toInt(-1);
    identity.signalDbm = object.value(u"signalDbm"_s).toInt();
    identity.network = object.value(u"network"_s).toString();
    for (const QJsonValue &reference : object.value(u"references"_s).toArray())
        result.references.push_back(reference.toInt());
    return result;
}

} // namespace brivello::phone
