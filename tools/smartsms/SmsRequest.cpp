#include "SmsRequest.h"

#include "data/SafeWrite.h"
#include "phone/PhoneNumber.h"
#include "phone/RingtoneMessage.h"
#include "ringtones/melody/Melody.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUuid>

#include <array>

using namespace Qt::StringLiterals;

namespace smartsms {

namespace {

const QString numberSeparator = u"##"_s;
const QString idKey = u"Richiesta: "_s;

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned
// bytes there map to themselves, as the platform's own conversion does.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString firstLine(const QString &text)
{
    const qsizetype end = text.indexOf(QRegularExpression(u"[\r\n]"_s));
    return end < 0 ? text : text.left(end);
}

bool existingFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

qsizetype separatorAt(const QString &line, const std::function<bool(const QString &)> &isFile)
{
    for (qsizetype at = line.indexOf(numberSeparator); at >= 0; at = line.indexOf(numberSeparator, at + 1)) {
        if (isFile(line.mid(at + numberSeparator.size()).trimmed()))
            return at;
    }
    return line.lastIndexOf(numberSeparator);
}

// The blocks of the outbox, each with its closing empty line.
QStringList outboxBlocks(const QString &text)
{
    QStringList blocks;
    QString block;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.isEmpty()) {
            if (!block.isEmpty())
                blocks << block + QLatin1Char('\n');
            block.clear();
            continue;
        }
        block += line + QLatin1Char('\n');
    }
    if (!block.isEmpty())
        blocks << block + QLatin1Char('\n');
    return blocks;
}

bool readAll(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    return true;
}

} // namespace

SmsRequest parseRequest(const QStringList &arguments, const std::function<bool(const QString &)> &isFile)
{
    SmsRequest request;
    request.arguments = arguments.join(QLatin1Char(' '));
    const qsizetype separator = separatorAt(request.arguments, isFile);
    if (separator < 0) {
        request.number = request.arguments.trimmed();
        return request;
    }
    request.number = request.arguments.left(separator).trimmed();
    request.scratchPath = request.arguments.mid(separator + numberSeparator.size()).trimmed();
    return request;
}

SmsRequest parseRequest(const QStringList &arguments)
{
    return parseRequest(arguments, existingFile);
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

ScratchRingtone splitScratchLine(const QString &line)
{
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const QString rest = line.mid(colon + 1);
        if (brivello::melody::readRtttl(rest).ok())
            return {line.left(colon).trimmed(), rest};
    }
    // Not the ringtone window's line: the whole of it is the ringtone.
    return {QString(), line};
}

OutboxEntry newOutboxEntry(const SmsRequest &request, const QDateTime &when)
{
    OutboxEntry entry;
    entry.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    entry.when = when;
    entry.request = request;
    entry.international =
        brivello::phone::checkNumber(brivello::phone::typedFromHandedOver(request.number)).international;
    if (request.scratchFound)
        entry.parts =
            brivello::phone::encodeRingtoneText(splitScratchLine(request.ringtone).rtttl).message.parts;
    entry.result = u"Non ancora inviato."_s;
    return entry;
}

QString outboxText(const OutboxEntry &entry)
{
    const SmsRequest &request = entry.request;
    QString text;
    // A line break inside a value would end the entry early.
    const auto add = [&text](const QString &key, QString value) {
        value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += key + u": "_s + value + QLatin1Char('\n');
    };
    add(u"Richiesta"_s, entry.id);
    add(u"Data"_s, entry.when.toString(Qt::ISODate));
    add(u"Argomenti"_s, request.arguments);
    add(u"Numero"_s, request.number);
    add(u"File"_s, request.scratchPath);
    QString content = request.ringtone;
    if (!request.scratchPath.isEmpty() && !request.scratchFound)
        content = u"(file non trovato)"_s;
    add(u"Contenuto"_s, content);
    add(u"Numero internazionale"_s, entry.international);
    add(u"Parti"_s, QString::number(entry.parts.size()));
    for (std::size_t i = 0; i < entry.parts.size(); ++i)
        add(u"Parte %1"_s.arg(i + 1), entry.parts[i].hex());
    add(u"Esito"_s, entry.result);
    return text + QLatin1Char('\n');
}

bool writeOutboxEntry(const QString &outboxPath, const OutboxEntry &entry, QString *error)
{
    const QFileInfo info(outboxPath);
    if (!QDir().mkpath(info.absolutePath())) {
        *error = u"Impossibile creare la cartella %1"_s.arg(info.absolutePath());
        return false;
    }
    QLockFile lock(outboxPath + u".lock"_s);
    if (!lock.tryLock(10000)) {
        *error = u"Il registro è bloccato da un altro programma."_s;
        return false;
    }
    QByteArray existing;
    if (!readAll(outboxPath, &existing, error))
        return false;
    QStringList blocks = outboxBlocks(QString::fromUtf8(existing));
    const QString text = outboxText(entry);
    const auto mine = std::find_if(blocks.begin(), blocks.end(), [&entry](const QString &block) {
        return block.startsWith(idKey + entry.id + u'\n');
    });
    if (mine != blocks.end())
        *mine = text;
    else
        blocks << text;

    return brivello::data::writeFileSafely(outboxPath, blocks.join(QString()).toUtf8(), error);
}

QString defaultOutboxPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/outbox.txt"_s;
}

} // namespace smartsms
