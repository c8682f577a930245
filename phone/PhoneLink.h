#pragma once

// The link to a phone or GSM modem, behind a small interface of ours: the
// real one goes through libGammu (GammuLink), tests use a recording fake.
// Every call blocks until the phone answers or a time limit passes, so a
// window never calls it on its own thread: see PhoneTask.

#include "phone/SmartMessage.h"
#include "ringtones/melody/Melody.h"

#include <QString>

namespace brivello::phone {

using namespace Qt::StringLiterals;

// Where the phone is and how to talk to it.
struct ConnectionSettings
{
    QString device;               // "/dev/ttyUSB0", "/dev/rfcomm0", a Bluetooth address
    QString connection = u"at"_s; // libGammu's name: "at", "at115200", "fbus", "dlr3", "dku2"…
    friend bool operator==(const ConnectionSettings &, const ConnectionSettings &) = default;
};

struct PhoneIdentity
{
    QString manufacturer;
    QString model;
    QString imei;
    int signalPercent = -1; // -1 when the phone does not say
    int signalDbm = 0;
    QString network; // the network's name, when the phone gives it
    friend bool operator==(const PhoneIdentity &, const PhoneIdentity &) = default;
};

enum class PhoneErrorKind {
    None,
    NoDevice,        // the device does not exist
    DeviceBusy,      // another program holds it
    NoPermission,    // the user may not open it (the group that may, in `group`)
    PinNeeded,       // the SIM asks for its PIN
    PinWrong,        // the PIN given was refused
    PukNeeded,       // the SIM is blocked
    SimNotReady,     // no SIM, or the SIM is still starting
    NoNetwork,       // not registered on a network
    NoServiceCentre, // no SMS service centre number on the SIM
    CentreRefused,   // the service centre refused the message (`code`: its +CMS ERROR)
    Timeout,         // the phone did not answer in time
    DeviceLost,      // the line went away during the work
    WrongConnection, // the device answered, but not in the connection kind chosen
    NotSupported,    // the phone cannot do this
    Cancelled,       // the user stopped the work
    Other,           // anything else (libGammu's own words in `detail`)
};

struct PhoneError
{
    PhoneErrorKind kind = PhoneErrorKind::None;
    int code = -1;     // the +CMS ERROR code, for CentreRefused
    QString device;    // the device concerned, when there is one
    QString group;     // for NoPermission: the group that may open the device
    QString detail;    // for Other: libGammu's own words
    int partsSent = 0; // parts the phone had taken when the work stopped

    bool ok() const { return kind == PhoneErrorKind::None; }
    // One or two plain Italian sentences for the user.
    QString message() const;
    friend bool operator==(const PhoneError &, const PhoneError &) = default;
};

PhoneError phoneError(PhoneErrorKind kind, const QString &device = {});

// The meaning of a +CMS ERROR code (GSM 07.05 and 03.40) in plain Italian.
QString cmsErrorText(int code);

class PhoneLink
{
public:
    virtual ~PhoneLink() = default;
    // Opens the line, greets the phone and, when the SIM asks for it,
    // enters `pin` (digits only; empty asks the caller to get one first).
    virtual PhoneError connect(const ConnectionSettings &settings, const QString &pin) = 0;
    virtual PhoneError identify(PhoneIdentity *identity) = 0;
    // Hands one part to the phone for `number` (international form,
    // "+39…") and waits for the network's answer; `reference` receives the
    // message reference the network gave it.
    virtual PhoneError sendPart(const QString &number, const SmsPart &part, int *reference) = 0;
    // Writes the melody into the phone's ringtone memory, as one piece: the
    // phone takes it whole or not at all.
    virtual PhoneError writeRingtone(const melody::Melody &tune) = 0;
    // Closes the line; safe to call at any time, also when connect failed.
    virtual void disconnect() = 0;
    // Asks a call in progress on another thread to give up soon. Safe to
    // call from any thread.
    virtual void abort() = 0;
};

} // namespace brivello::phone
