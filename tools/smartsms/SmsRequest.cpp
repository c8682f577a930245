#include "SmsRequest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <array>

namespace smartsms {

namespace {

const QString numberSeparator = QStringLiteral("##");

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned
// bytes there map to themselves, as the platform's own conversion does.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString firstLine(const QString &text)
{
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return end < 0 ? text : text.left(end);
}

} // namespace

SmsRequest parseRequest(const QStringList &arguments)
{
    SmsRequest request;
    request.arguments = arguments.join(QLatin1Char(' '));
    const qsizetype separator = request.arguments.indexOf(numberSeparator);
    if (separator < 0) {
        request.number = request.arguments.trimmed();
        return request;
    }
    request.number = request.arguments.left(separator).trimmed();
    request.scratchPath = request.arguments.mid(separator + numberSeparator.size()).trimmed();
    return request;
}

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code >= 0x80 && code <= 0x9F)
            text.append(QChar(windows1252High[code - 0x80]));
        else
            text.append(QChar(char16_t(code)));
    }
    return text;
}

void readScratchFile(SmsRequest &request)
{
    if (request.scratchPath.isEmpty())
        return;
    QFile file(request.scratchPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    request.scratchFound = true;
    request.ringtone = firstLine(decodeWindows1252(file.readAll()));
}

QString outboxEntry(const SmsRequest &request, const QDateTime &when)
{
    QString entry;
    entry += QStringLiteral("Data: ") + when.toString(Qt::ISODate) + QLatin1Char('\n');
    entry += QStringLiteral("Argomenti: ") + request.arguments + QLatin1Char('\n');
    entry += QStringLiteral("Numero: ") + request.number + QLatin1Char('\n');
    entry += QStringLiteral("File: ") + request.scratchPath + QLatin1Char('\n');
    QString content = request.ringtone;
    if (!request.scratchPath.isEmpty() && !request.scratchFound)
        content = QStringLiteral("(file non trovato)");
    entry += QStringLiteral("Contenuto: ") + content + QLatin1Char('\n');
    entry += QLatin1Char('\n');
    return entry;
}

bool appendToOutbox(const QString &outboxPath, const QString &entry, QString *error)
{
    const QFileInfo info(outboxPath);
    if (!QDir().mkpath(info.absolutePath())) {
        *error = QStringLiteral("Impossibile creare la cartella %1").arg(info.absolutePath());
        return false;
    }
    QByteArray existing;
    QFile current(outboxPath);
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly)) {
            *error = current.errorString();
            return false;
        }
        existing = current.readAll();
        current.close();
    }
    QSaveFile out(outboxPath);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = out.errorString();
        return false;
    }
    out.write(existing);
    out.write(entry.toUtf8());
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

QString defaultOutboxPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/outbox.txt");
}

} // namespace smartsms
