#pragma once

// A ringtone as Nokia Smart Messaging sends it (destination port 0x1581):
// the notes of our melody model, packed by libGammu into one SMS or, when
// they do not fit, into up to three concatenated parts; and a plain
// statement of fit: which phones take it and what had to change on the way.

#include "phone/SmartMessage.h"
#include "ringtones/melody/Melody.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace brivello::phone {

// One way the ringtone sent differs from the melody it was made from.
struct RingtoneChange
{
    enum class Kind {
        TextMended,       // the RTTTL reader mended the text to read it
        LengthChanged,    // a note length the format lacks
        OctaveChanged,    // an octave outside the phones' four
        DottedPauseSplit, // a dotted pause sent as two pauses
        LeadingPausesDropped,
        NotesDropped, // notes beyond what the format or three SMS hold
        TempoChanged, // a tempo the format lacks
        TitleChanged, // a title too long or with letters the format lacks
    };
    Kind kind;
    int note = 0; // position of the note in the melody, from 1; 0 for the whole ringtone
    QString text; // one plain Italian sentence
};

struct RingtoneFit
{
    int partCount = 0;
    int notesInMelody = 0;
    int notesSent = 0;
    int bpmSent = 0;
    QString titleSent;
    std::vector<RingtoneChange> changes;

    bool isSingleSms() const { return partCount == 1; }
    bool hasChange(RingtoneChange::Kind kind) const;
    // Which phones accept it, in one sentence.
    QString phones() const;
    // phones() and then each change, one sentence a line.
    QString statement() const;
};

struct RingtoneMessage
{
    SmartMessage message;
    RingtoneFit fit;
    QString error; // why there is nothing to send; empty when there is
    bool ok() const { return error.isEmpty(); }
};

// The most notes libGammu packs into a Smart Messaging ringtone, a limit the
// phones' own composers share.
inline constexpr int MaxSmartNotes = 130;
// The tempos the format can carry, in beats per minute.
const std::vector<int> &smartTempos();

// Packs the melody; its name is the title.
RingtoneMessage encodeRingtone(const melody::Melody &melody);
// Reads an RTTTL text with our tolerant reader and packs it. The reader's
// mends are reported with the rest, note by note where the text shows which
// note a mend concerns.
RingtoneMessage encodeRingtoneText(QStringView rtttl);

// What a Smart Messaging ringtone holds, read back from its bytes (an .ott
// file or the parts' data joined).
struct SmartNote
{
    int pitch = -1;    // -1 pause, 0..11 c..b
    int duration = 4;  // 1, 2, 4, 8, 16, 32
    int specifier = 0; // 0 plain, 1 dotted, 2 double dotted, 3 two thirds
    int octave = 5;    // RTTTL numbering: the format's four scales are octaves 4..7
    friend bool operator==(const SmartNote &, const SmartNote &) = default;
};
struct SmartRingtone
{
    bool ok = false;
    QString title;
    int bpm = 0;
    std::vector<SmartNote> notes;
};
SmartRingtone decodeSmartRingtone(const QByteArray &payload);

} // namespace brivello::phone
