#pragma once

// A GSM modem on a pseudo-terminal, for tests and for trying the phone
// tools without a phone. It answers the AT commands a modem answers (echo,
// identification, character sets, PIN, signal, network, service centre,
// PDU mode), prompts "> " for AT+CMGS, takes the PDU up to Ctrl-Z and
// answers "+CMGS: <reference>" or "+CMS ERROR: <code>". A script chosen per
// test makes it ask for a PIN, refuse a part, fall silent or vanish in the
// middle of a send. It records every command line and every PDU it gets.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace brivello::test {

// What the simulated modem does, chosen per test.
struct ModemScript
{
    QString manufacturer = u"Brivello"_s;
    QString model = u"Modem simulato"_s;
    QString revision = u"1.0"_s;
    QString imei = u"490154203237518"_s;
    int signal = 20;              // +CSQ: 0..31, 99 unknown
    int registration = 1;         // +CREG: 1 home, 5 roaming, 0 and 2 none, 3 denied
    QString network = u"22201"_s; // +COPS numeric
    QString networkName = u"Rete simulata"_s;
    QString serviceCentre = u"+393359609600"_s; // empty: none on the SIM
    QString pin;                                // the SIM asks for this PIN until it is given
    bool puk = false;                           // the SIM is blocked
    bool simMissing = false;
    int firstReference = 42; // +CMGS references count up from here
    int refuseWith = 0;      // +CMS ERROR code for a refused PDU; 0 refuses none
    int refusePart = 0;      // which PDU is refused, from 1; 0 every one
    int silentFromPdu = 0;   // answers nothing from this PDU on, from 1; 0 never
    int vanishAfterPdus = 0; // closes the line once this many PDUs arrived; 0 never
    bool silent = false;     // answers nothing at all
    // Sees each command line first; an answer it gives (without the
    // echo) replaces the modem's own.
    std::function<std::optional<QByteArray>(const QByteArray &command)> answer;
};

class ModemSimulator
{
public:
    using Script = ModemScript;

    ModemSimulator() : ModemSimulator(Script{}) {}
    explicit ModemSimulator(Script script);
    ~ModemSimulator();
    ModemSimulator(const ModemSimulator &) = delete;
    ModemSimulator &operator=(const ModemSimulator &) = delete;

    bool isOpen() const;
    // The device to connect to ("/dev/pts/3").
    QString devicePath() const;
    // Every command line received, without its CR, in order.
    QStringList commands() const;
    // Every PDU received between the prompt and Ctrl-Z, as the hex text sent.
    QStringList pdus() const;
    // The length each AT+CMGS announced, in order.
    QList<int> announcedLengths() const;
    // How often a program that had the line open closed it again.
    int closings() const;
    // Whether a program has the line open now.
    bool inUse() const;
    // Closes the line as a modem that is unplugged.
    void vanish();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace brivello::test
