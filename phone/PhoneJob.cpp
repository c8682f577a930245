#include "phone/PhoneJob.h"

#include <QJsonArray>

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
        return QStringLiteral("Collegamento con il telefono…");
    case JobStep::Identifying:
        return QStringLiteral("Lettura dei dati del telefono…");
    case JobStep::Sending:
        return progress.parts == 1
                   ? QStringLiteral("Invio dell'SMS…")
                   : QStringLiteral("Invio della parte %1 di %2…").arg(progress.part).arg(progress.parts);
    case JobStep::Sent:
        return QStringLiteral("Parte %1 di %2 accettata dalla rete (riferimento %3).")
            .arg(progress.part)
            .arg(progress.parts)
            .arg(progress.reference);
    case JobStep::Closing:
        return QStringLiteral("Chiusura del collegamento…");
    case JobStep::Writing:
        return QStringLiteral("Scrittura della suoneria nel telefono…");
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
    QStringList parts{QStringLiteral("%1 %2").arg(identity.manufacturer, identity.model).trimmed()};
    if (!identity.imei.isEmpty())
        parts << QStringLiteral("IMEI %1").arg(identity.imei);
    if (identity.signalPercent >= 0)
        parts << QStringLiteral("segnale %1% (%2 dBm)").arg(identity.signalPercent).arg(identity.signalDbm);
    if (!identity.network.isEmpty())
        parts << QStringLiteral("rete %1").arg(identity.network);
    return QStringLiteral("Collegamento riuscito: %1.").arg(parts.join(QStringLiteral(", ")));
}

// --- JSON ---------------------------------------------------------------------

namespace {

QJsonObject toJson(const SmsPart &part)
{
    return {{QStringLiteral("udh"), QString::fromLatin1(part.udh.toHex())},
            {QStringLiteral("data"), QString::fromLatin1(part.data.toHex())},
            {QStringLiteral("class"), part.messageClass}};
}

QString actionName(PhoneJob::Action action)
{
    switch (action) {
    case PhoneJob::Action::Send:
        return QStringLiteral("send");
    case PhoneJob::Action::WriteRingtone:
        return QStringLiteral("ringtone");
    case PhoneJob::Action::Identify:
        break;
    }
    return QStringLiteral("identify");
}

SmsPart partFromJson(const QJsonObject &object)
{
    SmsPart part;
    part.udh = QByteArray::fromHex(object.value(QStringLiteral("udh")).toString().toLatin1());
    part.data = QByteArray::fromHex(object.value(QStringLiteral("data")).toString().toLatin1());
    part.messageClass = object.value(QStringLiteral("class")).toInt(1);
    return part;
}

} // namespace

QJsonObject toJson(const PhoneJob &job)
{
    QJsonArray parts;
    for (const SmsPart &part : job.parts)
        parts.append(toJson(part));
    return {{QStringLiteral("action"), actionName(job.action)},
            {QStringLiteral("ringtone"), job.ringtone},
            {QStringLiteral("device"), job.connection.device},
            {QStringLiteral("connection"), job.connection.connection},
            {QStringLiteral("pin"), job.pin},
            {QStringLiteral("number"), job.number},
            {QStringLiteral("networkAnswerMs"), job.networkAnswerMs},
            {QStringLiteral("parts"), parts}};
}

PhoneJob jobFromJson(const QJsonObject &object)
{
    PhoneJob job;
    const QString action = object.value(QStringLiteral("action")).toString();
    job.action = action == u"send"       ? PhoneJob::Action::Send
                 : action == u"ringtone" ? PhoneJob::Action::WriteRingtone
                                         : PhoneJob::Action::Identify;
    job.ringtone = object.value(QStringLiteral("ringtone")).toString();
    job.connection.device = object.value(QStringLiteral("device")).toString();
    job.connection.connection = object.value(QStringLiteral("connection")).toString();
    job.pin = object.value(QStringLiteral("pin")).toString();
    job.number = object.value(QStringLiteral("number")).toString();
    job.networkAnswerMs = object.value(QStringLiteral("networkAnswerMs")).toInt(job.networkAnswerMs);
    for (const QJsonValue &part : object.value(QStringLiteral("parts")).toArray())
        job.parts.push_back(partFromJson(part.toObject()));
    return job;
}

QJsonObject toJson(const JobProgress &progress)
{
    return {{QStringLiteral("step"), static_cast<int>(progress.step)},
            {QStringLiteral("part"), progress.part},
            {QStringLiteral("parts"), progress.parts},
            {QStringLiteral("reference"), progress.reference}};
}

JobProgress progressFromJson(const QJsonObject &object)
{
    JobProgress progress;
    progress.step = static_cast<JobStep>(
        std::clamp(object.value(QStringLiteral("step")).toInt(), 0, static_cast<int>(JobStep::Writing)));
    progress.part = object.value(QStringLiteral("part")).toInt();
    progress.parts = object.value(QStringLiteral("parts")).toInt();
    progress.reference = object.value(QStringLiteral("reference")).toInt(-1);
    return progress;
}

QJsonObject toJson(const PhoneJobResult &result)
{
    QJsonArray references;
    for (const int reference : result.references)
        references.append(reference);
    const PhoneError &error = result.error;
    const PhoneIdentity &identity = result.identity;
    return {{QStringLiteral("kind"), static_cast<int>(error.kind)},
            {QStringLiteral("code"), error.code},
            {QStringLiteral("device"), error.device},
            {QStringLiteral("group"), error.group},
            {QStringLiteral("detail"), error.detail},
            {QStringLiteral("partsSent"), error.partsSent},
            {QStringLiteral("manufacturer"), identity.manufacturer},
            {QStringLiteral("model"), identity.model},
            {QStringLiteral("imei"), identity.imei},
            {QStringLiteral("signalPercent"), identity.signalPercent},
            {QStringLiteral("signalDbm"), identity.signalDbm},
            {QStringLiteral("network"), identity.network},
            {QStringLiteral("references"), references}};
}

PhoneJobResult resultFromJson(const QJsonObject &object)
{
    PhoneJobResult result;
    PhoneError &error = result.error;
    error.kind = static_cast<PhoneErrorKind>(
        std::clamp(object.value(QStringLiteral("kind")).toInt(static_cast<int>(PhoneErrorKind::Other)), 0,
                   static_cast<int>(PhoneErrorKind::Other)));
    error.code = object.value(QStringLiteral("code")).toInt(-1);
    error.device = object.value(QStringLiteral("device")).toString();
    error.group = object.value(QStringLiteral("group")).toString();
    error.detail = object.value(QStringLiteral("detail")).toString();
    error.partsSent = object.value(QStringLiteral("partsSent")).toInt();
    PhoneIdentity &identity = result.identity;
    identity.manufacturer = object.value(QStringLiteral("manufacturer")).toString();
    identity.model = object.value(QStringLiteral("model")).toString();
    identity.imei = object.value(QStringLiteral("imei")).toString();
    identity.signalPercent = object.value(QStringLiteral("signalPercent")).toInt(-1);
    identity.signalDbm = object.value(QStringLiteral("signalDbm")).toInt();
    identity.network = object.value(QStringLiteral("network")).toString();
    for (const QJsonValue &reference : object.value(QStringLiteral("references")).toArray())
        result.references.push_back(reference.toInt());
    return result;
}

} // namespace brivello::phone
