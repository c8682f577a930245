#pragma once

// A melody as the ringtone files phones and their programs load: Smart
// Messaging (.ott, the very bytes the SMS tool sends), iMelody 1.2 (.imy)
// and Standard MIDI file type 0 (.mid).
//
// Who writes what: the .ott is libGammu's Smart Messaging encoder, through
// encodeRingtone; the .imy is libGammu's iMelody writer, handed a
// GSM_Ringtone filled from our melody; the .mid is ours, because libGammu's
// MIDI writer puts every note an octave low (c5, 523 Hz, becomes MIDI note
// 60, 262 Hz).

#include "ringtones/melody/Melody.h"

#include <QByteArray>
#include <QString>

namespace brivello::phone {

struct RingtoneFile
{
    QByteArray bytes;
    QString error; // why there is no file, in Italian; empty when there is
    bool ok() const { return error.isEmpty(); }
};

// The most notes libGammu's iMelody writer takes.
inline constexpr int MaxIMelodyNotes = 255;
// MIDI ticks a quarter note lasts: 1/32 (12) and its dotted form (18) are whole ticks.
inline constexpr int MidiTicksPerQuarter = 96;

RingtoneFile smartMessagingFile(const melody::Melody &tune);
RingtoneFile iMelodyFile(const melody::Melody &tune);
RingtoneFile midiFile(const melody::Melody &tune);

// The MIDI note number of a note of ours (a4, 440 Hz, is 69).
int midiNote(const melody::Note &note);

} // namespace brivello::phone
