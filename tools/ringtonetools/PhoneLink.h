#pragma once

// What the ringtone loader needs from a link to a phone by cable: the
// connections to choose from, identifying the phone, and writing one
// ringtone into its ringtone memory. Every call returns at once and the
// answer comes as a signal, so a blocking library can work off the window's
// thread. A cancelled write leaves the phone as it was; every answer carries
// its message for the user, in Italian.

#include "ringtones/melody/Melody.h"

#include <QObject>
#include <QStringList>

namespace brivello::ringtonetools {

class PhoneLink : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The connections the system offers, as the user picks them
    // ("Cavo dati su /dev/ttyUSB0", ...); empty when there are none.
    virtual QStringList connections() const = 0;
    // Asks the phone on `connection` who it is; answers with identified().
    virtual void identify(const QString &connection) = 0;
    // Writes `tune` into the phone's ringtone memory; answers with
    // progress() and then written().
    virtual void writeRingtone(const QString &connection, const melody::Melody &tune) = 0;
    // Stops the identify or write under way; it answers as cancelled.
    virtual void cancel() = 0;

Q_SIGNALS:
    void identified(bool ok, const QString &message);
    void progress(int percent);
    void written(bool ok, const QString &message);
};

} // namespace brivello::ringtonetools
