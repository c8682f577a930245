#pragma once

// Hands a melody to the disc's SMS tool the way the ringtone window does:
// the phone number asked for, a scratch file of one line "<artist cut to
// 9>:<ringtone text>" (Windows-1252, CR LF), and the tool started with the
// one argument "0039<number>##<scratch file>". The scratch file is made with
// a name of its own in a folder only the user can enter, never under a fixed
// name in a shared folder.

#include "ringtones/melody/Melody.h"

#include <QString>

#include <optional>

namespace brivello::ringtonetools {

struct ToolServices;

struct ScratchFile
{
    QString path;
    QString error; // in Italian, when no file was written
};

// Writes the scratch file below `folder`, which is made and closed to others
// first; scratch files older than a day left there are removed.
ScratchFile writeScratchFile(const QString &folder, const QString &line);

// The whole hand-over; false when the user cancelled or something failed
// (the user has then been told why).
bool sendBySms(const ToolServices &services, const QString &artist, const melody::Melody &tune);

// The SMS tool on the tools' disc.
QString smsToolOnDisc(const QString &discFolder);

} // namespace brivello::ringtonetools
