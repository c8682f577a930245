// The Nokia composer (3210 and its successors), as its user's guides and the
// public keypress-code sheets describe it:
//   keys 1..7 enter c d e f g a b, 0 a pause; 8 halves and 9 doubles the length
//   of the note just entered (a new note starts as a quarter); # makes it sharp;
//   holding the note key dots it; * steps the octave 1 -> 2 -> 3 -> 1.
//   The screen shows each note as length, dot, sharp, letter, octave ("8.#a3")
//   and a pause as length and dash ("8-").
// Choices where the descriptions disagree or stay silent, and why:
// - Octaves: the composer has three; RTTTL octave 5 is composer octave 1, the
//   pairing the published RTTTL/composer examples use (o=6 "c" is "4c2"). A
//   melody that reaches RTTTL octave 4 moves up whole when it fits, so it keeps
//   its tune; otherwise its lowest notes are folded up.
// - Keypad code: one group of presses per note, groups separated by a blank,
//   as the code sheets print them; a held key is written in brackets "(5)".
//   The octave is a setting the composer keeps from note to note, starting at 1
//   in a new tune, so * is pressed only where the octave changes, after the
//   note, as many times as the cycle needs.
// - A new pause, like a new note, starts as a quarter: the sheets count its 8s
//   and 9s from there.
// - Dotted pauses: the composer dots only notes (the dot comes from holding a
//   note key), so a dotted pause becomes the pause and one of half its length.
// - Tempo is not part of the notes: the composer sets it in its own menu, and
//   the catalogue shows it beside the code.

#include "ringtones/melody/Melody.h"
#include "ringtones/melody/MelodyInternal.h"

using namespace Qt::StringLiterals;

namespace brivello::melody {

namespace {

constexpr int LowestComposerOctave = 5; // RTTTL octave of composer octave 1
constexpr int HighestComposerOctave = 7;

// A pause the composer can hold: dotted ones are split in two.
std::vector<int> pauseLengths(const Note &pause)
{
    if (!pause.dotted || pause.duration >= 32)
        return {pause.duration};
    return {pause.duration, pause.duration * 2};
}

QString lengthPresses(int duration)
{
    switch (duration) {
    case 1:
        return u"99"_s;
    case 2:
        return u"9"_s;
    case 8:
        return u"8"_s;
    case 16:
        return u"88"_s;
    case 32:
        return u"888"_s;
    default:
        return {};
    }
}

QChar noteKey(int pitch)
{
    static constexpr char16_t keys[] = u"112234455667";
    return QChar(keys[pitch]);
}

} // namespace

QString nokiaScreen(const Melody &m)
{
    const std::vector<int> octaves = detail::fittedOctaves(m, LowestComposerOctave, HighestComposerOctave);
    QStringList entries;
    for (std::size_t i = 0; i < m.notes.size(); ++i) {
        const Note note = detail::sanitized(m.notes[i]);
        if (note.isPause()) {
            for (int length : pauseLengths(note))
                entries.append(QString::number(length) + u'-');
            continue;
        }
        QString entry = QString::number(note.duration);
        if (note.dotted)
            entry += u'.';
        if (detail::isSharp(note.pitch))
            entry += u'#';
        entry += detail::pitchLetter(note.pitch);
        entry += QString::number(octaves[i] - LowestComposerOctave + 1);
        entries.append(entry);
    }
    return entries.join(u' ');
}

QString nokiaKeypad(const Melody &m)
{
    const std::vector<int> octaves = detail::fittedOctaves(m, LowestComposerOctave, HighestComposerOctave);
    int composerOctave = 1;
    QStringList groups;
    for (std::size_t i = 0; i < m.notes.size(); ++i) {
        const Note note = detail::sanitized(m.notes[i]);
        if (note.isPause()) {
            for (int length : pauseLengths(note))
                groups.append(u'0' + lengthPresses(length));
            continue;
        }
        const QChar key = noteKey(note.pitch);
        QString group = note.dotted ? u'(' + QString(key) + u')' : QString(key);
        if (detail::isSharp(note.pitch))
            group += u'#';
        group += lengthPresses(note.duration);
        const int wanted = octaves[i] - LowestComposerOctave + 1;
        group += QString((wanted - composerOctave + 3) % 3, u'*');
        composerOctave = wanted;
        groups.append(group);
    }
    return groups.join(u' ');
}

} // namespace brivello::melody
