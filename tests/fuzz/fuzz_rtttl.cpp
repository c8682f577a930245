// Fuzz target: the RTTTL reader and writer, and the five phone codes.
//
// The first byte chooses how the rest is read:
//  - even: the rest is a ringtone text (UTF-8). What the reader accepts must
//    be a melody within the reader's limits, and the text the writer makes of
//    it must read back, without any mending, to the same melody;
//  - odd: the rest gives a melody field by field, any numbers at all. The
//    writer must make of it a text that reads back to the melody with its
//    values brought into range.
// Both melodies then go through the five phone codes, which must cope with
// whatever they are given.

#include "ringtones/melody/Melody.h"
#include "ringtones/melody/MelodyInternal.h"
#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

using namespace brivello::melody;
using brivello::fuzz::FuzzInput;

namespace {

[[noreturn]] void mismatch(const char *what, const QString &text, const QString &other = {})
{
    std::fprintf(stderr, "rtttl mismatch: %s\n  text: %s\n  then: %s\n", what, qPrintable(text),
                 qPrintable(other));
    std::abort();
}

bool isValidNote(const Note &note)
{
    return detail::isValidDuration(note.duration) && note.pitch >= -1 && note.pitch <= 11 &&
           note.octave >= detail::LowestOctave && note.octave <= detail::HighestOctave;
}

bool sameMelody(const Melody &a, const Melody &b)
{
    return a.name == b.name && a.defaultDuration == b.defaultDuration && a.defaultOctave == b.defaultOctave &&
           a.bpm == b.bpm && a.notes == b.notes;
}

// What the writer keeps of a name: no colon, no control character, blanks
// made single.
QString cleanName(const QString &name)
{
    QString clean = name;
    for (QChar &c : clean) {
        if (c == u':' || c.category() == QChar::Other_Control)
            c = u' ';
    }
    return clean.simplified();
}

// The melody a written text must read back to: values brought into range,
// each pause in the default octave, which is all a written pause keeps.
Melody inRange(const Melody &m)
{
    Melody expected;
    expected.name = cleanName(m.name);
    expected.defaultDuration = detail::isValidDuration(m.defaultDuration) ? m.defaultDuration : 4;
    expected.defaultOctave = std::clamp(m.defaultOctave, detail::LowestOctave, detail::HighestOctave);
    expected.bpm = std::clamp(m.bpm, MinBpm, MaxBpm);
    for (const Note &raw : m.notes) {
        Note note = detail::sanitized(raw);
        if (note.isPause())
            note.octave = expected.defaultOctave;
        expected.notes.push_back(note);
    }
    return expected;
}

// Writes `m`, reads the text back and checks it gives `expected` cleanly.
void checkRoundTrip(const Melody &m, const Melody &expected, const QString &source)
{
    const QString written = writeRtttl(m);
    const RtttlReading back = readRtttl(written);
    if (!back.ok())
        mismatch("written text refused", source, written + u" -> "_s + back.error);
    // The only remark a clean text may draw is the lack of a name.
    if (!back.fixes.isEmpty() && !(back.fixes == QStringList{u"Nome mancante."_s} && expected.name.isEmpty()))
        mismatch("written text needed mending", source, written + u" -> "_s + back.fixes.join(u" / "_s));
    if (!sameMelody(back.melody, expected))
        mismatch("written text reads back to another melody", source, written);
    if (writeRtttl(back.melody) != written)
        mismatch("writing the melody read back gives another text", source, written);
}

void checkReading(const QString &text)
{
    const RtttlReading reading = readRtttl(text);
    if (!reading.ok()) {
        if (!reading.melody.notes.empty())
            mismatch("refused text left notes", text);
        return;
    }
    const Melody &m = reading.melody;
    if (m.notes.empty() || static_cast<int>(m.notes.size()) > MaxNotes || m.bpm < MinBpm || m.bpm > MaxBpm ||
        !std::all_of(m.notes.begin(), m.notes.end(), isValidNote))
        mismatch("accepted text gives a melody out of range", text);
    if (!detail::isValidDuration(m.defaultDuration) || m.defaultOctave < detail::LowestOctave ||
        m.defaultOctave > detail::HighestOctave)
        mismatch("accepted text gives defaults out of range", text);
    checkRoundTrip(m, inRange(m), text);
}

Melody melodyFrom(FuzzInput &in)
{
    Melody m;
    m.name = in.rawText(24);
    m.defaultDuration = in.flag() ? in.int32() : (1 << in.below(7));
    m.defaultOctave = in.flag() ? in.int32() : static_cast<int>(in.below(10));
    m.bpm = in.flag() ? in.int32() : static_cast<int>(in.below(1000));
    const unsigned count = 1 + in.below(200) * (1 + in.below(5));
    for (unsigned i = 0; i < count && !in.empty(); ++i) {
        Note note;
        const bool wild = in.flag();
        note.duration = wild ? in.int32() : (1 << in.below(7));
        note.dotted = in.flag();
        note.pitch = wild ? in.int32() : static_cast<int>(in.below(14)) - 1;
        note.octave = wild ? in.int32() : static_cast<int>(in.below(10));
        m.notes.push_back(note);
    }
    return m;
}

void phoneCodes(const Melody &m)
{
    const QString codes[] = {nokiaKeypad(m), nokiaScreen(m), siemensScreen(m), ericssonScreen(m),
                             motorolaScreen(m)};
    // A melody with notes has a code for every phone.
    for (const QString &code : codes) {
        if (!m.notes.empty() && code.isEmpty())
            mismatch("empty phone code for a melody with notes", writeRtttl(m));
    }
    if (noteCount(m) != static_cast<int>(m.notes.size()))
        mismatch("note count", writeRtttl(m));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    if (!in.flag()) {
        const QString text = QString::fromUtf8(in.rest());
        checkReading(text);
        phoneCodes(readRtttl(text).melody);
        return 0;
    }
    const Melody m = melodyFrom(in);
    // A melody without notes is no ringtone: the reader refuses its text.
    if (!m.notes.empty())
        checkRoundTrip(m, inRange(m), writeRtttl(m));
    phoneCodes(m);
    return 0;
}
