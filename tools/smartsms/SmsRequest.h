#pragma once

#include "phone/SmartMessage.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace smartsms {

// What the program that started the SMS tool handed over: the command line
// "<number>##<scratch file>" (or nothing), and the scratch file's text.
struct SmsRequest
{
    QString arguments;   // the command line as received, arguments joined by blanks
    QString number;      // the phone number as received, empty when none was given
    QString scratchPath; // the scratch file named after "##", empty when none
    QString ringtone;    // the scratch file's line without its line end
    bool scratchFound = false;
};

// The scratch file's path may hold blanks; a caller that split the line at
// blanks still reaches the tool, so the arguments are joined again first.
// The number is passed as the user typed it and may hold "##" itself, so
// the line is cut at the first "##" whose remainder names an existing file
// (`isFile`), and at the last "##" when none does.
SmsRequest parseRequest(const QStringList &arguments, const std::function<bool(const QString &)> &isFile);
SmsRequest parseRequest(const QStringList &arguments);

// Reads the scratch file (Windows-1252 text, one line ended by CR LF).
void readScratchFile(SmsRequest &request);

QString decodeWindows1252(const QByteArray &bytes);

// The scratch line is "<artist, at most 9 letters>:<RTTTL text>".
struct ScratchRingtone
{
    QString artist;
    QString rtttl;
};
ScratchRingtone splitScratchLine(const QString &line);

// One request in the outbox, with what was sent and how it ended. The entry
// is written when the tool starts and rewritten after every attempt.
struct OutboxEntry
{
    QString id; // tells this request's entry from the others
    QDateTime when;
    SmsRequest request;
    QString international;
    std::vector<brivello::phone::SmsPart> parts;
    QString result;
};

// A new entry with the number in international form and the parts the
// ringtone makes, not yet sent.
OutboxEntry newOutboxEntry(const SmsRequest &request, const QDateTime &when);

// One outbox entry: a block of "Key: value" lines ended by an empty line.
QString outboxText(const OutboxEntry &entry);

// Puts the entry in the outbox file in place of the one with the same id,
// or at its end; the file is replaced as a whole so a failure never leaves
// it half written, and a lock keeps two tools from losing each other's
// entries. Creates the folder when needed.
bool writeOutboxEntry(const QString &outboxPath, const OutboxEntry &entry, QString *error);

// outbox.txt in the tool's data folder.
QString defaultOutboxPath();

} // namespace smartsms
