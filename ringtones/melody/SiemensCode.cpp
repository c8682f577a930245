// Siemens' screen notation, as the ringtone code sheets of the time print it:
// each note is its capital letter, its octave and its length as a fraction,
// "C1(1/8)", and a pause is "P(1/4)"; entries are separated by a blank.
// Choices where the sheets disagree or stay silent, and why:
// - Sharps are written "C#1(1/8)", with the sign, not with the German names
//   ("Cis"), and b stays "B" rather than "H": the sheets use both, and the sign
//   is what the other codes of the catalogue and the readers of its Italian
//   guide use.
// - Octaves 1..3 pair with RTTTL 5..7, like the Nokia composer's, so one melody
//   shows the same octave numbers on both; melodies that reach RTTTL octave 4
//   move up whole when they fit, as on the Nokia.
// - A dotted length keeps its dot after the fraction, "G1(1/2.)", the way RTTTL
//   writes it, rather than an uncommon fraction such as 3/4.
// - Tempo is set in the phone's menu, not in the notes.

#include "ringtones/melody/Melody.h"
#include "ringtones/melody/MelodyInternal.h"

using namespace Qt::StringLiterals;

namespace brivello::melody {

namespace {

constexpr int LowestSiemensOctave = 5; // RTTTL octave of Siemens octave 1
constexpr int HighestSiemensOctave = 7;

QString siemensLength(const Note &note)
{
    return u"(1/%1%2)"_s.arg(note.duration).arg(note.dotted ? u"."_s : QString());
}

} // namespace

QString siemensScreen(const Melody &m)
{
    const std::vector<int> octaves = detail::fittedOctaves(m, LowestSiemensOctave, HighestSiemensOctave);
    QStringList entries;
    for (std::size_t i = 0; i < m.notes.size(); ++i) {
        const Note note = detail::sanitized(m.notes[i]);
        if (note.isPause()) {
            entries.append(u'P' + siemensLength(note));
            continue;
        }
        QString entry = detail::pitchLetter(note.pitch).toUpper();
        if (detail::isSharp(note.pitch))
            entry += u'#';
        entry += QString::number(octaves[i] - LowestSiemensOctave + 1);
        entries.append(entry + siemensLength(note));
    }
    return entries.join(u' ');
}

} // namespace brivello::melody
