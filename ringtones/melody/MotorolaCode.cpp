// Motorola's entry notation, as the Motorola V220 user's guide ("Creating Ring
// Tones") gives it: each note is its octave ("*0".."*8"), a sharp sign "#"
// before the letter, the letter a..g and a length digit, 0 whole, 1 half,
// 2 quarter, 3 eighth, 4 sixteenth, 5 thirty-second, then an optional "." for
// a dotted note; "r" and a length is a rest. "*4#c2" is a quarter c# in octave 4.
// Choices, and why:
// - Motorola octaves are iMelody's, where "*4" has its a at 880 Hz, so they
//   are RTTTL octaves minus one. The guide says only octaves 3 to 5 sound as
//   written (the others repeat them), so melodies are fitted into RTTTL 4..6:
//   moved down whole when they fit, folded otherwise.
// - Every note carries its octave: the guide plays a note without one in
//   octave 4, so leaving it out after another octave would change the tune.
// - Entries are separated by a blank for reading; the tempo is set in the
//   phone's menu, not in the notes.
// Older Motorola sheets use another notation ("4 A1 E3 R2") whose signs are
// described in contradictory ways; the guide's notation is unambiguous.

#include "ringtones/melody/Melody.h"
#include "ringtones/melody/MelodyInternal.h"

using namespace Qt::StringLiterals;

namespace brivello::melody {

namespace {

constexpr int LowestMotorolaOctave = 4; // RTTTL octave of Motorola "*3"
constexpr int HighestMotorolaOctave = 6;

int lengthDigit(int duration)
{
    int digit = 0;
    while ((1 << digit) < duration)
        ++digit;
    return digit;
}

QString motorolaLength(const Note &note)
{
    return QString::number(lengthDigit(note.duration)) + (note.dotted ? u"."_s : QString());
}

} // namespace

QString motorolaScreen(const Melody &m)
{
    const std::vector<int> octaves = detail::fittedOctaves(m, LowestMotorolaOctave, HighestMotorolaOctave);
    QStringList entries;
    for (std::size_t i = 0; i < m.notes.size(); ++i) {
        const Note note = detail::sanitized(m.notes[i]);
        if (note.isPause()) {
            entries.append(u'r' + motorolaLength(note));
            continue;
        }
        QString entry = u'*' + QString::number(octaves[i] - 1);
        if (detail::isSharp(note.pitch))
            entry += u'#';
        entry += detail::pitchLetter(note.pitch);
        entries.append(entry + motorolaLength(note));
    }
    return entries.join(u' ');
}

} // namespace brivello::melody
