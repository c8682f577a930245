#include "tools/ringtonetools/TuneFile.h"

#include "ringtones/melody/Melody.h"
#include "ringtones/shared/RingtoneText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

// The lines that may be tunes: those the reader can read, or, when none
// can be read, every line with a ':', so the user learns why.
QStringList tunesInText(const QString &text)
{
    QStringList candidates;
    QStringList readable;
    QString normalised = text;
    normalised.replace(u"\r\n"_s, u"\n"_s);
    normalised.replace(u'\r', u'\n');
    for (const QString &line : normalised.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.contains(u':'))
            continue;
        candidates.append(trimmed);
        if (melody::readRtttl(trimmed).ok())
            readable.append(trimmed);
    }
    return readable.isEmpty() ? candidates : readable;
}

TuneFileReading readTuneFile(const QString &path)
{
    TuneFileReading reading;
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    // A pipe or a device would never end or never answer.
    if (!info.isFile()) {
        reading.error = u"«%1» non è un file."_s.arg(shown);
        return reading;
    }
    if (info.size() > MaxTuneFileBytes) {
        reading.error = u"«%1» è troppo grande per essere una suoneria (%2 byte, al massimo %3)."_s.arg(shown)
                            .arg(info.size())
                            .arg(MaxTuneFileBytes);
        return reading;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reading.error = u"Impossibile leggere «%1»: %2"_s.arg(shown, file.errorString());
        return reading;
    }
    const QByteArray bytes = file.read(MaxTuneFileBytes + 1);
    reading.tunes = tunesInText(ringtones::shared::decodeTextFile(bytes));
    if (reading.tunes.isEmpty())
        reading.error = u"«%1» non contiene suonerie: nessuna riga ha la forma "
                        "«nome:impostazioni:note»."_s.arg(shown);
    return reading;
}

} // namespace brivello::ringtonetools
