#pragma once

// Ringtone texts read from a file the user opens: a catalogue save (one
// line), a collection of several (one tune a line, with lines of prose around
// them, as the disc's own lists have), in Windows-1252 or UTF-8.

#include <QString>
#include <QStringList>

namespace brivello::ringtonetools {

struct TuneFileReading
{
    // Every line that may be a ringtone (it holds a ':'), in file order.
    QStringList tunes;
    // Why the file gave nothing, in Italian; empty when it gave tunes.
    QString error;
};

// A ringtone file is small; anything larger is not one.
inline constexpr qint64 MaxTuneFileBytes = 1024 * 1024;

TuneFileReading readTuneFile(const QString &path);

// The same for a text already in hand (a paste).
QStringList tunesInText(const QString &text);

} // namespace brivello::ringtonetools
