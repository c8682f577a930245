#include "tools/ringtonetools/SaveFormats.h"

#include "data/SafeWrite.h"
#include "phone/RingtoneFiles.h"
#include "ringtones/shared/RingtoneText.h"
#include "tools/ringtonetools/BuzzerVoice.h"
#include "tools/ringtonetools/ToolServices.h"

#include <QDir>

using namespace Qt::StringLiterals;

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
        base = u"suoneria"_s;
    return base + u'.' + extension;
}

} // namespace

std::vector<SaveFormat> saveFormats()
{
    std::vector<SaveFormat> formats;
    // The catalogue's own saves: the ringtone text as one line.
    formats.push_back({u"rtttl"_s, u"RTTTL (.txt)"_s, u"Suoneria RTTTL (*.txt)"_s, u"txt"_s,
                       [](const melody::Melody &tune, QString *) -> std::optional<QByteArray> {
                           return ringtones::shared::windows1252Line(melody::writeRtttl(tune));
                       }});
    // The phones' own ringtone files; see phone/RingtoneFiles.h for which
    // are libGammu's writers and which are ours.
    const auto phoneFile = [](phone::RingtoneFile (*write)(const melody::Melody &)) {
        return [write](const melody::Melody &tune, QString *error) -> std::optional<QByteArray> {
            phone::RingtoneFile file = write(tune);
            if (!file.ok()) {
                *error = file.error;
                return std::nullopt;
            }
            return std::move(file.bytes);
        };
    };
    formats.push_back({u"ott"_s, u"Smart Messaging (.ott)"_s, u"Suoneria Smart Messaging (*.ott)"_s, u"ott"_s,
                       phoneFile(&phone::smartMessagingFile)});
    formats.push_back({u"imy"_s, u"iMelody (.imy)"_s, u"Suoneria iMelody 1.2 (*.imy)"_s, u"imy"_s,
                       phoneFile(&phone::iMelodyFile)});
    formats.push_back(
        {u"mid"_s, u"MIDI (.mid)"_s, u"File MIDI standard (*.mid)"_s, u"mid"_s, phoneFile(&phone::midiFile)});
    // For the phones of today, which take any recording as a ringtone.
    formats.push_back({u"wav"_s, u"WAV (.wav)"_s, u"Audio WAV (*.wav)"_s, u"wav"_s,
                       [](const melody::Melody &tune, QString *error) -> std::optional<QByteArray> {
                           auto wav = voiceWav(tune);
                           if (!wav)
                               *error = u"La melodia dura più di %1 minuti: troppo per una "
                                        "registrazione."_s.arg(MaxRecordingSeconds / 60);
                           return wav;
                       }});
    return formats;
}

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QString reason;
    if (data::writeFileSafely(path, bytes, &reason))
        return true;
    *error = u"Impossibile scrivere il file «%1»: %2. Il file esistente non è stato modificato."_s.arg(
        QDir::toNativeSeparators(path), reason);
    return false;
}

QString savedMessage(const QString &path)
{
    return u"Suoneria salvata in «%1»."_s.arg(QDir::toNativeSeparators(path));
}

QString saveAs(const ToolServices &services, const SaveFormat &format, const melody::Melody &tune)
{
    platform::SaveFileRequest request;
    request.title = u"Salvare la suoneria come %1"_s.arg(format.label);
    request.startFolder = QDir::home().filePath(fileNameFor(tune, format.extension));
    request.filter = format.filter;
    request.defaultExtension = format.extension;
    request.promptOverwrite = true;
    const QString path = services.platform.saveFileDialog->ask(request);
    if (path.isEmpty())
        return {};
    QString error;
    const std::optional<QByteArray> bytes = format.bytes(tune, &error);
    if (bytes && writeAtomically(path, *bytes, &error))
        return path;
    platform::MessageRequest message;
    message.title = u"Salvare la suoneria"_s;
    message.text = error;
    message.icon = platform::MessageIcon::Warning;
    services.platform.messageBox->show(message);
    return {};
}

} // namespace brivello::ringtonetools
