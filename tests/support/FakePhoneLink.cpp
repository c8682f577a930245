#include "tests/support/FakePhoneLink.h"

#include <algorithm>

namespace brivello::test {

using phone::PhoneError;
using phone::PhoneErrorKind;

void FakePhoneLink::queueConnect(const PhoneError &error)
{
    std::lock_guard lock(m_mutex);
    m_connectAnswers << error;
}

void FakePhoneLink::queueSend(const PhoneError &error)
{
    std::lock_guard lock(m_mutex);
    m_sendAnswers << error;
}

void FakePhoneLink::queueWrite(const PhoneError &error)
{
    std::lock_guard lock(m_mutex);
    m_writeAnswers << error;
}

void FakePhoneLink::setIdentity(const phone::PhoneIdentity &identity)
{
    std::lock_guard lock(m_mutex);
    m_identity = identity;
}

void FakePhoneLink::hold(Call call)
{
    std::lock_guard lock(m_mutex);
    m_holds << call;
}

void FakePhoneLink::release()
{
    std::lock_guard lock(m_mutex);
    m_released = true;
    m_changed.notify_all();
}

bool FakePhoneLink::holding() const
{
    std::lock_guard lock(m_mutex);
    return m_waiting;
}

std::vector<FakePhoneLink::Record> FakePhoneLink::records() const
{
    std::lock_guard lock(m_mutex);
    return m_records;
}

int FakePhoneLink::count(Call call) const
{
    std::lock_guard lock(m_mutex);
    return static_cast<int>(std::count_if(m_records.begin(), m_records.end(),
                                          [call](const Record &r) { return r.call == call; }));
}

bool FakePhoneLink::isOpen() const
{
    std::lock_guard lock(m_mutex);
    return m_open;
}

bool FakePhoneLink::pass(Call call, std::unique_lock<std::mutex> &lock)
{
    if (m_aborted)
        return false;
    if (!m_holds.removeOne(call))
        return true;
    m_waiting = true;
    m_released = false;
    m_changed.wait(lock, [this] { return m_released || m_aborted; });
    m_waiting = false;
    return !m_aborted;
}

PhoneError FakePhoneLink::connect(const phone::ConnectionSettings &settings, const QString &pin)
{
    std::unique_lock lock(m_mutex);
    m_aborted = false;
    m_records.push_back({Call::Connect, settings, pin, {}, {}, {}});
    if (!pass(Call::Connect, lock))
        return phone::phoneError(PhoneErrorKind::Cancelled, settings.device);
    const PhoneError answer = m_connectAnswers.isEmpty() ? PhoneError{} : m_connectAnswers.takeFirst();
    m_open = answer.ok();
    return answer;
}

PhoneError FakePhoneLink::identify(phone::PhoneIdentity *identity)
{
    std::unique_lock lock(m_mutex);
    m_records.push_back({Call::Identify, {}, {}, {}, {}, {}});
    if (!pass(Call::Identify, lock))
        return phone::phoneError(PhoneErrorKind::Cancelled);
    *identity = m_identity;
    return {};
}

PhoneError FakePhoneLink::sendPart(const QString &number, const phone::SmsPart &part, int *reference)
{
    std::unique_lock lock(m_mutex);
    m_records.push_back({Call::SendPart, {}, {}, number, part, {}});
    if (!pass(Call::SendPart, lock))
        return phone::phoneError(PhoneErrorKind::Cancelled);
    const PhoneError answer = m_sendAnswers.isEmpty() ? PhoneError{} : m_sendAnswers.takeFirst();
    if (answer.ok() && reference != nullptr)
        *reference = m_nextReference++;
    return answer;
}

PhoneError FakePhoneLink::writeRingtone(const melody::Melody &tune)
{
    std::unique_lock lock(m_mutex);
    m_records.push_back({Call::WriteRingtone, {}, {}, {}, {}, tune});
    if (!pass(Call::WriteRingtone, lock))
        return phone::phoneError(PhoneErrorKind::Cancelled);
    return m_writeAnswers.isEmpty() ? PhoneError{} : m_writeAnswers.takeFirst();
}

void FakePhoneLink::disconnect()
{
    std::lock_guard lock(m_mutex);
    m_records.push_back({Call::Disconnect, {}, {}, {}, {}, {}});
    m_open = false;
}

void FakePhoneLink::abort()
{
    std::lock_guard lock(m_mutex);
    m_aborted = true;
    m_changed.notify_all();
}

} // namespace brivello::test
