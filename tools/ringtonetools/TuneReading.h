#pragma once

// What the tools tell the user about a ringtone text: the melody the tolerant
// reader found in it, what it had to mend, and for a text it cannot read,
// where the fault lies and why.

#include "ringtones/melody/Melody.h"

#include <QString>
#include <QStringList>

namespace brivello::ringtonetools {

struct TextSpot
{
    qsizetype start = -1;
    qsizetype length = 0;
    bool found() const { return start >= 0; }
};

struct TuneReading
{
    melody::RtttlReading reading;
    // For a text that cannot be read: the place in the text (when it is one
    // note) and the explanation shown to the user.
    TextSpot spot;
    QString explanation;
};

TuneReading readTune(const QString &text);

// Where note `note` (counted from 1, as the reader counts) stands in `text`;
// not found when the text has fewer notes.
TextSpot locateNote(const QString &text, int note);

// Why the reader could not take `token` as a note, in plain Italian.
QString whyNotANote(const QString &token);

// A note as the user reads it: "8c#6." and its name, "do diesis, ottava 6,
// un ottavo puntato"; a pause "pausa, un quarto".
QString noteToken(const melody::Note &note);
QString noteName(const melody::Note &note);

} // namespace brivello::ringtonetools
