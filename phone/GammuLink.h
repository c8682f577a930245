#pragma once

// The phone link through libGammu: AT modems and phones ("at",
// "at115200"…), Nokia cables ("fbus", "dlr3", "dku2", "dku5"…) and
// Bluetooth ("bluerfat"…), as libGammu names its connections; "none" is
// libGammu's file-backed dummy phone, its device a folder.

#include "phone/PhoneLink.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <mutex>

struct _GSM_StateMachine;

namespace brivello::phone {

struct GammuLimits
{
    // How often libGammu sends a request that got no answer.
    int attempts = 1;
    // How long the network may take to accept a message once the phone has
    // it; networks answer within seconds, a busy one within a minute.
    std::chrono::milliseconds networkAnswer{60000};
    // libGammu's own log (every byte on the line), for whoever must see
    // what a phone does; empty logs nothing.
    QString logFile;
};

class GammuLink final : public PhoneLink
{
public:
    explicit GammuLink(GammuLimits limits = {});
    ~GammuLink() override;
    GammuLink(const GammuLink &) = delete;
    GammuLink &operator=(const GammuLink &) = delete;

    PhoneError connect(const ConnectionSettings &settings, const QString &pin) override;
    PhoneError identify(PhoneIdentity *identity) override;
    PhoneError sendPart(const QString &number, const SmsPart &part, int *reference) override;
    PhoneError writeRingtone(const melody::Melody &tune) override;
    void disconnect() override;
    void abort() override;

    // Called by libGammu when the network answered a message.
    void networkAnswered(int status, int reference);

private:
    PhoneError fromGammu(int error) const;
    PhoneError unlockSim(const QString &pin);
    PhoneError checkNetwork();
    PhoneError loadServiceCentre();
    PhoneError awaitNetworkAnswer(int *reference);
    PhoneError refusal(int code) const;
    bool deviceStillThere() const;

    GammuLimits m_limits;
    ConnectionSettings m_settings;
    _GSM_StateMachine *m_state = nullptr;
    std::mutex m_stateMutex; // guards m_state against abort() from another thread
    std::atomic<bool> m_aborted{false};
    QByteArray m_serviceCentre; // libGammu's UCS-2 form, read once per connection
    bool m_networkChecked = false;
    int m_answerStatus = 0;
    int m_answerReference = -1;
    bool m_answered = false;
};

} // namespace brivello::phone
