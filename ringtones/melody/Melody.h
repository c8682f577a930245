#pragma once

// A ringtone melody as the catalogue keeps it (an RTTTL text), the codes that
// enter it by hand into the phones the catalogue serves, and its recording.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <chrono>
#include <vector>

namespace brivello::melody {

// One note or pause. duration is the divider of a whole note (1, 2, 4, 8, 16, 32);
// pitch -1 is a pause, 0..11 are c, c#, d, d#, e, f, f#, g, g#, a, a#, b;
// octave uses RTTTL's numbering, 4..7, where a4 sounds at 440 Hz.
struct Note
{
    int duration = 4;
    bool dotted = false;
    int pitch = 0;
    int octave = 6;

    bool isPause() const { return pitch < 0; }
    friend bool operator==(const Note &, const Note &) = default;
};

// The defaults are RTTTL's own (d=4, o=6, b=63): a text that leaves out its
// control section still plays as its author heard it.
struct Melody
{
    QString name;
    int defaultDuration = 4;
    int defaultOctave = 6;
    int bpm = 63;
    std::vector<Note> notes;
};

// The outcome of reading an RTTTL text: the melody, what the reader had to mend
// to understand it (one short Italian sentence per kind of deviation), and,
// when the text could not be understood at all, why.
struct RtttlReading
{
    Melody melody;
    QStringList fixes;
    QString error;
    // The note (counted from 1) the error lies in; 0 when it lies elsewhere.
    int errorNote = 0;
    bool ok() const { return error.isEmpty(); }
};

// Limits that keep the reader's work bounded whatever it is handed.
inline constexpr qsizetype MaxRtttlLength = 16 * 1024;
inline constexpr int MaxNotes = 1000;
inline constexpr int MinBpm = 25;
inline constexpr int MaxBpm = 900;

RtttlReading readRtttl(QStringView text);
QString writeRtttl(const Melody &melody);

// Phone codes: what the user types or sees on each phone's melody composer.
QString nokiaKeypad(const Melody &m);    // nokia_hand
QString nokiaScreen(const Melody &m);    // nokia_scherm
QString siemensScreen(const Melody &m);  // siemens
QString ericssonScreen(const Melody &m); // ericsson
QString motorolaScreen(const Melody &m); // motorola

// aantalnoten: every note and every pause counts, because each one is an entry
// the user makes on the phone's composer (whose limits count pauses too).
int noteCount(const Melody &m);

// A RIFF WAVE recording (PCM, mono, 8 bits, unsigned) of the melody played as a
// phone's buzzer plays it: a square wave, with a short silence that ends each
// note so repeated notes stay apart.
QByteArray synthesizeWav(const Melody &m, int sampleRate = 8000);
std::chrono::milliseconds duration(const Melody &m);

// Helpers the converters and the recording share.
double noteSeconds(const Note &note, int bpm);
double frequency(int pitch, int octave);

} // namespace brivello::melody
