#pragma once

// A phone link that talks to no phone: it records every call and answers
// what the test queued. A step can be held until the test releases it or the
// link is aborted, to try Cancel while a step is under way.

#include "phone/PhoneLink.h"

#include <QList>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace brivello::test {

class FakePhoneLink final : public phone::PhoneLink
{
public:
    enum class Call { Connect, Identify, SendPart, WriteRingtone, Disconnect };
    struct Record
    {
        Call call;
        phone::ConnectionSettings settings; // Connect
        QString pin;                        // Connect
        QString number;                     // SendPart
        phone::SmsPart part;                // SendPart
        melody::Melody ringtone;            // WriteRingtone
    };

    // Answers for the next calls of each kind, in order; a call with nothing
    // queued succeeds.
    void queueConnect(const phone::PhoneError &error);
    void queueSend(const phone::PhoneError &error);
    void queueWrite(const phone::PhoneError &error);
    void setIdentity(const phone::PhoneIdentity &identity);
    // The next call of this kind waits until release() or abort().
    void hold(Call call);
    void release();
    // Whether a call is waiting now.
    bool holding() const;

    std::vector<Record> records() const;
    int count(Call call) const;
    // Whether the line is open now (connected and not yet disconnected).
    bool isOpen() const;

    phone::PhoneError connect(const phone::ConnectionSettings &settings, const QString &pin) override;
    phone::PhoneError identify(phone::PhoneIdentity *identity) override;
    phone::PhoneError sendPart(const QString &number, const phone::SmsPart &part, int *reference) override;
    phone::PhoneError writeRingtone(const melody::Melody &tune) override;
    void disconnect() override;
    void abort() override;

private:
    // Waits when the call is held; false when the wait ended by abort().
    bool pass(Call call, std::unique_lock<std::mutex> &lock);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Record> m_records;
    QList<phone::PhoneError> m_connectAnswers;
    QList<phone::PhoneError> m_sendAnswers;
    QList<phone::PhoneError> m_writeAnswers;
    phone::PhoneIdentity m_identity;
    QList<Call> m_holds;
    bool m_waiting = false;
    bool m_released = false;
    bool m_aborted = false;
    bool m_open = false;
    int m_nextReference = 100;
};

} // namespace brivello::test
