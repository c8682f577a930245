#pragma once

// One piece of work with a phone, from opening the line to closing it:
// identify the phone ("Prova"), send the parts of a message ("Invia"), or
// write a ringtone into the phone's memory after it has said who it is.
// Every job opens the line afresh and always closes it, also on failure.

#include "phone/PhoneLink.h"

#include <QJsonObject>
#include <QString>

#include <functional>
#include <vector>

namespace brivello::phone {

struct PhoneJob
{
    enum class Action { Identify, Send, WriteRingtone };
    Action action = Action::Identify;
    ConnectionSettings connection;
    QString pin;
    QString number; // international form, for Send
    std::vector<SmsPart> parts;
    QString ringtone; // RTTTL, for WriteRingtone
    // How long the network may take to answer one part.
    int networkAnswerMs = 60000;
};

struct PhoneJobResult
{
    PhoneError error;
    PhoneIdentity identity;      // what Identify learnt
    std::vector<int> references; // the network's reference of each part sent
    bool ok() const { return error.ok(); }
};

enum class JobStep { Connecting, Identifying, Sending, Sent, Closing, Writing };

// Told of each step as the job reaches it; `part` counts from 1.
struct JobProgress
{
    JobStep step = JobStep::Connecting;
    int part = 0;
    int parts = 0;
    int reference = -1; // for Sent
};

// The job runs on the caller's thread. `cancelled` is asked between steps;
// a step in progress is stopped by the link's abort().
PhoneJobResult runPhoneJob(PhoneLink &link, const PhoneJob &job,
                           const std::function<void(const JobProgress &)> &progress,
                           const std::function<bool()> &cancelled);

// An Italian line for a step ("Invio della parte 2 di 3…").
QString stepText(const JobProgress &progress);

// How many steps a progress bar shows for the job: two for each part and
// two more for a send, three for the other jobs.
int progressSteps(const PhoneJob &job);
// Where a bar of `steps` steps stands once `progress` is reached; -1 when
// the step does not move it.
int progressPosition(const JobProgress &progress, int steps);

// "Collegamento riuscito: Nokia 3310, IMEI …, segnale 60% (-73 dBm), rete
// TIM.": what a successful "Prova" learnt.
QString connectedText(const PhoneIdentity &identity);

// The job, its progress and its result as JSON, for the worker process.
QJsonObject toJson(const PhoneJob &job);
PhoneJob jobFromJson(const QJsonObject &object);
QJsonObject toJson(const JobProgress &progress);
JobProgress progressFromJson(const QJsonObject &object);
QJsonObject toJson(const PhoneJobResult &result);
PhoneJobResult resultFromJson(const QJsonObject &object);

} // namespace brivello::phone
