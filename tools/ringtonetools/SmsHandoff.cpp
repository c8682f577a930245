#include "tools/ringtonetools/SmsHandoff.h"

#include "data/DiscPaths.h"
#include "ringtones/shared/RingtoneText.h"
#include "tools/ringtonetools/ToolServices.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

namespace {

constexpr QFileDevice::Permissions OwnerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

void removeStaleScratchFiles(const QDir &folder)
{
    const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
    const QFileInfoList files = folder.entryInfoList({u"suoneria-*.txt"_s}, QDir::Files);
    for (const QFileInfo &file : files) {
        if (file.lastModified() < dayAgo)
            QFile::remove(file.absoluteFilePath());
    }
}

void warn(const ToolServices &services, const QString &text)
{
    platform::MessageRequest request;
    request.title = u"Invio via SMS"_s;
    request.text = text;
    request.icon = platform::MessageIcon::Warning;
    services.platform.messageBox->show(request);
}

} // namespace

QString smsToolOnDisc(const QString &discFolder)
{
    return data::discPath(discFolder, QString::fromUtf16(ringtones::shared::SmsToolPath));
}

ScratchFile writeScratchFile(const QString &folder, const QString &line)
{
    ScratchFile scratch;
    const QString shown = QDir::toNativeSeparators(folder);
    if (!QDir().mkpath(folder) || !QFile::setPermissions(folder, OwnerOnly)) {
        scratch.error = u"Impossibile preparare la cartella «%1» per l'invio."_s.arg(shown);
        return scratch;
    }
    removeStaleScratchFiles(QDir(folder));
    // Made exclusively, readable by the user alone.
    QTemporaryFile file(QDir(folder).filePath(u"suoneria-XXXXXX.txt"_s));
    file.setAutoRemove(false);
    if (!file.open()) {
        scratch.error =
            u"Impossibile creare il file per l'invio in «%1»: %2"_s.arg(shown, file.errorString());
        return scratch;
    }
    const QByteArray bytes = ringtones::shared::windows1252Line(line);
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        scratch.error = u"Impossibile scrivere il file per l'invio «%1»: %2"_s.arg(
            QDir::toNativeSeparators(file.fileName()), file.errorString());
        file.remove();
        return scratch;
    }
    scratch.path = file.fileName();
    return scratch;
}

bool sendBySms(const ToolServices &services, const QString &artist, const melody::Melody &tune)
{
    const QString number = services.platform.inputBox->ask(
        u"- Inviare via Modem"_s,
        u"Indicare il numero completo di GSM:\r\re' possibile soltanto con i telefoni che "
        "ricevono le suonerie via SMS."_s,
        QString());
    if (number.isEmpty())
        return false;
    const ScratchFile scratch = writeScratchFile(
        services.scratchFolder, ringtones::shared::scratchLine(artist, melody::writeRtttl(tune)));
    if (!scratch.error.isEmpty()) {
        warn(services, scratch.error);
        return false;
    }
    const QString tool = smsToolOnDisc(services.discFolder);
    const QString argument = ringtones::shared::smsArgument(number, scratch.path);
    if (!QFileInfo(tool).isFile() ||
        !services.platform.programStarter->start(tool, {argument}, QFileInfo(tool).absolutePath())) {
        QFile::remove(scratch.path);
        warn(services, u"Impossibile avviare il programma SMS «%1»."_s.arg(QDir::toNativeSeparators(tool)));
        return false;
    }
    return true;
}

} // namespace brivello::ringtonetools
