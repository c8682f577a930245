#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace smartsms {

// What the program that started the SMS tool handed over: the command line
// "<number>##<scratch file>" (or nothing), and the scratch file's text.
struct SmsRequest
{
    QString arguments;   // the command line as received, arguments joined by blanks
    QString number;      // the phone number, empty when none was given
    QString scratchPath; // the scratch file named after "##", empty when none
    QString ringtone;    // the scratch file's line without its line end
    bool scratchFound = false;
};

// The scratch file's path may hold blanks; a caller that split the line at
// blanks still reaches the tool, so the arguments are joined again first.
SmsRequest parseRequest(const QStringList &arguments);

// Reads the scratch file (Windows-1252 text, one line ended by CR LF).
void readScratchFile(SmsRequest &request);

QString decodeWindows1252(const QByteArray &bytes);

// One outbox entry: a block of "Key: value" lines ended by an empty line.
QString outboxEntry(const SmsRequest &request, const QDateTime &when);

// Appends the entry to the outbox file, replacing the file as a whole so a
// failure never leaves it half written. Creates the folder when needed.
bool appendToOutbox(const QString &outboxPath, const QString &entry, QString *error);

// outbox.txt in the tool's data folder.
QString defaultOutboxPath();

} // namespace smartsms
