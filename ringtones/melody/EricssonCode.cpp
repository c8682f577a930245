// Ericsson's melody notation, as the Ericsson T39 user's guide gives it for the
// phone's own melodies (in its AT command pages): notes c d e f g a h; lower
// case a short note (150 ms), upper case a long one (225 ms), a dot after the
// letter makes either twice as long (300 ms, 450 ms); "#" before the letter
// raises it a semitone, "+" an octave, "++" two; "p" is a short pause, "P" a
// long one.
// Choices, and why:
// - The phone has no tempo and only these four lengths, so each note takes the
//   length nearest to how long it really lasts at the melody's tempo. A note
//   longer than the longest (450 ms) keeps its rhythm by a trail of pauses, as
//   does every rest: P (taken as 225 ms) while at least 188 ms are left, then
//   one p (150 ms) when at least 75 ms are left. A rest shorter than that still
//   gets its one "p", or it would vanish.
// - Octaves: no prefix, "+" and "++" pair with RTTTL 5, 6 and 7, the same three
//   octaves as the Nokia composer's; melodies that reach octave 4 move up whole
//   when they fit.
// - The guide allows two prefixes without fixing their order; the octave comes
//   first ("+#c") so that every note of one octave starts alike. Entries are
//   separated by a blank for reading.
// - "h", not "b", as the guide writes it; the RTTTL reader accepts "h" too.

#include "ringtones/melody/Melody.h"
#include "ringtones/melody/MelodyInternal.h"

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace brivello::melody {

namespace {

constexpr int LowestEricssonOctave = 5;
constexpr int HighestEricssonOctave = 7;
constexpr double LongPause = 0.225;
constexpr double ShortPause = 0.150;

struct EricssonLength
{
    double seconds;
    bool upper;
    bool dotted;
};

constexpr std::array<EricssonLength, 4> Lengths{{
    {0.150, false, false},
    {0.225, true, false},
    {0.300, false, true},
    {0.450, true, true},
}};

EricssonLength nearestLength(double seconds)
{
    EricssonLength best = Lengths.front();
    for (const EricssonLength &length : Lengths) {
        if (std::abs(length.seconds - seconds) < std::abs(best.seconds - seconds))
            best = length;
    }
    return best;
}

void appendPauses(QStringList &entries, double seconds, bool atLeastOne)
{
    const qsizetype before = entries.size();
    while (seconds >= 0.188) {
        entries.append(u"P"_s);
        seconds -= LongPause;
    }
    if (seconds >= 0.075 || (atLeastOne && entries.size() == before))
        entries.append(u"p"_s);
}

QString ericssonLetter(int pitch)
{
    const QChar letter = pitch == 11 ? QChar(u'h') : detail::pitchLetter(pitch);
    return QString(letter);
}

} // namespace

QString ericssonScreen(const Melody &m)
{
    const std::vector<int> octaves = detail::fittedOctaves(m, LowestEricssonOctave, HighestEricssonOctave);
    QStringList entries;
    for (std::size_t i = 0; i < m.notes.size(); ++i) {
        const Note note = detail::sanitized(m.notes[i]);
        const double seconds = noteSeconds(note, m.bpm);
        if (note.isPause()) {
            appendPauses(entries, seconds, true);
            continue;
        }
        const EricssonLength length = nearestLength(seconds);
        QString entry(octaves[i] - LowestEricssonOctave, u'+');
        if (detail::isSharp(note.pitch))
            entry += u'#';
        const QString letter = ericssonLetter(note.pitch);
        entry += length.upper ? letter.toUpper() : letter;
        if (length.dotted)
            entry += u'.';
        entries.append(entry);
        appendPauses(entries, seconds - length.seconds, false);
    }
    return entries.join(u' ');
}

} // namespace brivello::melody
