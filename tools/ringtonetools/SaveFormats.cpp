#include "tools/ringtonetools/SaveFormats.h"

#include "ringtones/shared/RingtoneText.h"
#include "tools/ringtonetools/BuzzerVoice.h"
#include "tools/ringtonetools/ToolServices.h"

#include <QDir>
#include <QSaveFile>

namespace brivello::ringtonetools {

namespace {

// A file name made of the tune's name, for the save dialog to propose.
QString fileNameFor(const melody::Melody &tune, const QString &extension)
{
    QString base;
    for (const QChar c : tune.name) {
        if (c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_')
            base += c;
    }
    base = base.simplified();
    if (base.isEmpty())
        base = QStringLiteral("suoneria");
    return base + u'.' + extension;
}

} // namespace

std::vector<SaveFormat> saveFormats()
{
    std::vector<SaveFormat> formats;
    // The catalogue's own saves: the ringtone text as one line.
    formats.push_back({QStringLiteral("rtttl"), QStringLiteral("RTTTL (.txt)"),
                       QStringLiteral("Suoneria RTTTL (*.txt)"), QStringLiteral("txt"),
                       [](const melody::Melody &tune, QString *) -> std::optional<QByteArray> {
                           return ringtones::shared::windows1252Line(melody::writeRtttl(tune));
                       }});
    // For the phones of today, which take any recording as a ringtone.
    formats.push_back({QStringLiteral("wav"), QStringLiteral("WAV (.wav)"),
                       QStringLiteral("Audio WAV (*.wav)"), QStringLiteral("wav"),
                       [](const melody::Melody &tune, QString *error) -> std::optional<QByteArray> {
                           auto wav = voiceWav(tune);
                           if (!wav)
                               *error = QStringLiteral("La melodia dura più di %1 minuti: troppo per una "
                                                       "registrazione.")
                                            .arg(MaxRecordingSeconds / 60);
                           return wav;
                       }});
    return formats;
}

std::optional<QString> writeAtomically(const QString &path, const QByteArray &bytes)
{
    const QString shown = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Impossibile scrivere «%1»: %2").arg(shown, file.errorString());
    // commit() can report success after a final flush failed on a full
    // disk, so the data is flushed and checked first.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Impossibile scrivere «%1»: %2. Il file esistente non è stato modificato.")
            .arg(shown, reason);
    }
    if (!file.commit())
        return QStringLiteral("Impossibile completare «%1»: %2. Il file esistente non è stato modificato.")
            .arg(shown, file.errorString());
    return std::nullopt;
}

QString savedMessage(const QString &path)
{
    return QStringLiteral("Suoneria salvata in «%1».").arg(QDir::toNativeSeparators(path));
}

QString saveAs(const ToolServices &services, const SaveFormat &format, const melody::Melody &tune)
{
    platform::SaveFileRequest request;
    request.title = QStringLiteral("Salvare la suoneria come %1").arg(format.label);
    request.startFolder = QDir::home().filePath(fileNameFor(tune, format.extension));
    request.filter = format.filter;
    request.defaultExtension = format.extension;
    request.promptOverwrite = true;
    const QString path = services.platform.saveFileDialog->ask(request);
    if (path.isEmpty())
        return {};
    QString error;
    const std::optional<QByteArray> bytes = format.bytes(tune, &error);
    const std::optional<QString> failure =
        bytes ? writeAtomically(path, *bytes) : std::optional<QString>(error);
    if (!failure)
        return path;
    platform::MessageRequest message;
    message.title = QStringLiteral("Salvare la suoneria");
    message.text = *failure;
    message.icon = platform::MessageIcon::Warning;
    services.platform.messageBox->show(message);
    return {};
}

} // namespace brivello::ringtonetools
