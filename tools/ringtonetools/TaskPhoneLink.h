#pragma once

// The loader's phone link: each identify or write is a phone job of the
// phone library (libGammu behind it), run by a task away from the window,
// in a worker process in the program as in the SMS tool. The job opens
// the line, asks the phone who it is, writes, and always closes the line.

#include "phone/PhoneTask.h"
#include "tools/ringtonetools/PhoneLink.h"

#include <memory>

namespace brivello::ringtonetools {

class TaskPhoneLink final : public PhoneLink
{
    Q_OBJECT
public:
    explicit TaskPhoneLink(phone::PhoneTaskFactory tasks, QObject *parent = nullptr);
    ~TaskPhoneLink() override;

    void identify(const phone::ConnectionSettings &connection) override;
    void writeRingtone(const phone::ConnectionSettings &connection, const melody::Melody &tune) override;
    void cancel() override;

private:
    void start(const phone::PhoneJob &job);
    void progressed(const phone::JobProgress &progress);
    void finished(const phone::PhoneJobResult &result);

    phone::PhoneTaskFactory m_tasks;
    std::unique_ptr<phone::PhoneTask> m_task;
    phone::PhoneJob::Action m_action = phone::PhoneJob::Action::Identify;
    QString m_title;
    bool m_writing = false;
};

// What the user reads when the job ended: who the phone is, that the
// ringtone is in it, or why not.
QString identifiedMessage(const phone::PhoneIdentity &identity);
QString writeFailureMessage(const phone::PhoneError &error, const phone::PhoneIdentity &identity);

} // namespace brivello::ringtonetools
