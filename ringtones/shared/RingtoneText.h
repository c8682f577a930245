#pragma once

// Ringtone texts as they leave the program: the one-line text files of the
// saves and of the SMS tool's scratch file, and the SMS tool's command line.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace brivello::ringtones::shared {

// One line of text as it lands on disk: Windows-1252, CR LF, "?" for a
// character the code page lacks.
QByteArray windows1252Line(const QString &text);

// The text of a file a user hands over: UTF-8 when its bytes are valid UTF-8
// (a byte order mark dropped), else Windows-1252, the code page the saves use.
QString decodeTextFile(const QByteArray &bytes);

// The SMS tool, below the disc's folder, written the disc's way.
inline constexpr char16_t SmsToolPath[] = u"\\tools\\smartsms limited edition\\smartsmsle.exe";

// "0039" and the number as typed, less one leading 0.
QString internationalNumber(const QString &typed);

// The scratch file's line: the artist without its outer blanks, cut to 9
// characters, ":" and the ringtone text.
QString scratchLine(const QString &artist, const QString &rtttl);

// The SMS tool's one argument: the international number, "##" and the
// scratch file's full path in the system's own form.
QString smsArgument(const QString &typedNumber, const QString &scratchPath);

} // namespace brivello::ringtones::shared
