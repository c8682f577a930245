#pragma once

// What the ringtone loader needs from a link to a phone by cable: identifying
// the phone on a connection and writing one ringtone into its ringtone
// memory. Every call returns at once and the answer comes as a signal, so a
// blocking library can work off the window's thread. A cancelled write
// leaves the phone as it was; every answer carries its message for the user,
// in Italian.

#include "phone/PhoneLink.h"
#include "ringtones/melody/Melody.h"

#include <QObject>

namespace brivello::ringtonetools {

class PhoneLink : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Asks the phone on `connection` who it is; answers with identified().
    virtual void identify(const phone::ConnectionSettings &connection) = 0;
    // Asks the phone who it is again and writes `tune` into its ringtone
    // memory; answers with progress() and then written().
    virtual void writeRingtone(const phone::ConnectionSettings &connection, const melody::Melody &tune) = 0;
    // Stops the identify or write under way; it answers as cancelled. Once
    // the ringtone is on its way to the phone the write goes to its end, so
    // the phone never holds half of it: cancellable(false) says so.
    virtual void cancel() = 0;

Q_SIGNALS:
    void cancellable(bool can);
    void identified(bool ok, const QString &message);
    void progress(int percent);
    void written(bool ok, const QString &message);
};

} // namespace brivello::ringtonetools
