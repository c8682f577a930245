// The notes go to libGammu as a GSM_Ringtone filled from our melody, never
// through libGammu's own RTTTL reader, which loses notes our reader keeps (a
// dot written after the octave, the last note of a text without a line end).
// libGammu packs the bits and the headers. Three things are done here
// because libGammu gets them wrong or leaves them to its caller:
// - the title: the format gives its length four bits and one byte a
//   letter, but libGammu writes a title of any length and converts it with
//   the process's locale, so "Händel" or a 16-letter title corrupts every
//   bit after it. The title is cut to 15 letters of plain ASCII first;
// - dotted pauses: the format could carry them, but the phones' composers
//   dot only notes, so a dotted pause goes as the pause and one of half its
//   length, as our Nokia composer codes do;
// - the length: the pattern counts its instructions (notes, changes of
//   octave, style and tempo) in one byte, and libGammu lets the count wrap
//   past 255, so that a phone reads a long ringtone that changes octave
//   often as its first few notes. The notes are cut here where the count
//   would pass 255, or at the 130 notes libGammu packs at most; and since
//   libGammu reports one note less than it packed at that limit, what was
//   sent is counted by reading the bytes back.

#include "phone/RingtoneMessage.h"

#include "phone/GammuEncoding.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;

namespace brivello::phone {

namespace {

using melody::Melody;
using melody::Note;
using Kind = RingtoneChange::Kind;

constexpr int MaxTitleLength = 15;
constexpr int LowestOctave = 4; // the format's scale 1, a = 440 Hz
constexpr int HighestOctave = 7;
constexpr std::array<int, 6> Durations{1, 2, 4, 8, 16, 32};

bool isValidDuration(int duration)
{
    return std::find(Durations.begin(), Durations.end(), duration) != Durations.end();
}

int nearestDuration(int duration)
{
    int best = 4;
    double bestDistance = 1e9;
    for (const int candidate : Durations) {
        const double distance = std::abs(std::log2(std::max(duration, 1)) - std::log2(candidate));
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

QString lengthName(int duration)
{
    return duration == 1 ? u"1 (intera)"_s : u"1/%1"_s.arg(duration);
}

// A note as it goes to libGammu, with the place it had in the melody.
struct SentNote
{
    Note note;
    int source = 0; // position in the melody, from 1
};

struct Prepared
{
    std::vector<SentNote> notes;
    std::vector<RingtoneChange> changes;
    int notesInMelody = 0;
};

constexpr int MaxInstructions = 255;

// The notes that fit one pattern. libGammu writes the tempo before the
// first note, the style before the first note that is not a pause, and the
// scale before every such note that changes it.
void cutToPattern(Prepared &prepared)
{
    int instructions = 1;
    int scale = -1;
    bool styled = false;
    std::size_t keep = 0;
    for (const SentNote &sent : prepared.notes) {
        const Note &note = sent.note;
        const bool newScale = !note.isPause() && note.octave != scale;
        const bool newStyle = !note.isPause() && !styled;
        const int cost = 1 + (newScale ? 1 : 0) + (newStyle ? 1 : 0);
        if (keep == static_cast<std::size_t>(MaxSmartNotes) || instructions + cost > MaxInstructions)
            break;
        instructions += cost;
        if (newScale)
            scale = note.octave;
        styled = styled || newStyle;
        ++keep;
    }
    if (keep == prepared.notes.size())
        return;
    const int firstDropped = prepared.notes[keep].source;
    const QString reason = keep == static_cast<std::size_t>(MaxSmartNotes)
                               ? u"una suoneria Smart Messaging ne porta al massimo %1"_s.arg(MaxSmartNotes)
                               : u"una suoneria Smart Messaging porta al massimo %1 istruzioni, e "
                                 "ogni nota e ogni cambio d'ottava ne occupa una"_s.arg(MaxInstructions);
    prepared.changes.push_back(
        {Kind::NotesDropped, firstDropped,
         u"Le note dalla %1 in poi (%2 su %3) sono state tolte: %4."_s.arg(firstDropped)
             .arg(prepared.notesInMelody - firstDropped + 1)
             .arg(prepared.notesInMelody)
             .arg(reason)});
    prepared.notes.resize(keep);
}

Note safeNote(const Note &raw, int position, std::vector<RingtoneChange> &changes)
{
    Note note = raw;
    note.pitch = std::clamp(note.pitch, -1, 11);
    if (!isValidDuration(note.duration)) {
        note.duration = nearestDuration(note.duration);
        changes.push_back({Kind::LengthChanged, position,
                           u"Nota %1: durata 1/%2 non prevista, inviata come %3."_s.arg(position)
                               .arg(raw.duration)
                               .arg(lengthName(note.duration))});
    }
    if (!note.isPause() && (note.octave < LowestOctave || note.octave > HighestOctave)) {
        note.octave = std::clamp(note.octave, LowestOctave, HighestOctave);
        changes.push_back({Kind::OctaveChanged, position,
                           u"Nota %1: ottava %2 fuori dalle quattro dei telefoni (4–7), "
                           "inviata all'ottava %3."_s.arg(position)
                               .arg(raw.octave)
                               .arg(note.octave)});
    }
    return note;
}

Prepared prepare(const Melody &melody)
{
    Prepared prepared;
    prepared.notesInMelody = static_cast<int>(melody.notes.size());
    int leadingPauses = 0;
    for (std::size_t i = 0; i < melody.notes.size(); ++i) {
        const int position = static_cast<int>(i) + 1;
        const Note note = safeNote(melody.notes[i], position, prepared.changes);
        if (note.isPause() && prepared.notes.empty()) {
            ++leadingPauses;
            continue;
        }
        if (note.isPause() && note.dotted) {
            Note first = note;
            first.dotted = false;
            prepared.notes.push_back({first, position});
            if (note.duration < 32) {
                Note second = first;
                second.duration = note.duration * 2;
                prepared.notes.push_back({second, position});
                prepared.changes.push_back({Kind::DottedPauseSplit, position,
                                            u"Nota %1: pausa puntata inviata come due pause (1/%2 e 1/%3), "
                                            "della stessa durata."_s.arg(position)
                                                .arg(note.duration)
                                                .arg(second.duration)});
            } else {
                prepared.changes.push_back({Kind::LengthChanged, position,
                                            u"Nota %1: pausa puntata da 1/32 inviata come "
                                            "pausa da 1/32, la più corta del formato."_s.arg(position)});
            }
            continue;
        }
        prepared.notes.push_back({note, position});
    }
    if (leadingPauses > 0)
        prepared.changes.push_back(
            {Kind::LeadingPausesDropped, 0,
             leadingPauses == 1
                 ? u"La pausa iniziale è stata tolta: la suoneria deve cominciare con una nota."_s
                 : u"Le %1 pause iniziali sono state tolte: la suoneria deve cominciare con "
                   "una nota."_s.arg(leadingPauses)});
    cutToPattern(prepared);
    return prepared;
}

// Plain ASCII without accents and without "~", which libGammu takes for an
// escape; at most 15 letters.
QString smartTitle(const QString &name)
{
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    QString title;
    for (const QChar c : decomposed) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7E)
            title.append(c);
        else if (c.isSpace())
            title.append(u' ');
    }
    return title.simplified().left(MaxTitleLength).trimmed();
}

void setTitle(GSM_Ringtone &ringtone, const QString &title)
{
    std::memset(ringtone.Name, 0, sizeof ringtone.Name);
    for (qsizetype i = 0; i < title.size(); ++i)
        ringtone.Name[2 * i + 1] = static_cast<unsigned char>(title[i].unicode());
}

GSM_RingNoteDuration gammuDuration(int duration)
{
    switch (duration) {
    case 1:
        return Duration_Full;
    case 2:
        return Duration_1_2;
    case 8:
        return Duration_1_8;
    case 16:
        return Duration_1_16;
    case 32:
        return Duration_1_32;
    default:
        return Duration_1_4;
    }
}

// RTTTL octave 4 is the format's scale of a = 440 Hz; libGammu names its
// scales after that frequency and numbers them so that the two agree.
GSM_RingNoteScale gammuScale(int octave)
{
    static_assert(Scale_440 == 4 && Scale_3520 == 7);
    return static_cast<GSM_RingNoteScale>(std::clamp(octave, LowestOctave, HighestOctave));
}

void fillRingtone(GSM_Ringtone &ringtone, const std::vector<SentNote> &notes, int bpm)
{
    ringtone.NoteTone.NrCommands = static_cast<int>(notes.size());
    ringtone.NoteTone.AllNotesScale = false;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const Note &note = notes[i].note;
        GSM_RingCommand &command = ringtone.NoteTone.Commands[i];
        command.Type = RING_Note;
        command.Note.Note =
            note.isPause() ? Note_Pause : static_cast<GSM_RingNoteNote>((note.pitch + 1) << 4);
        command.Note.Duration = gammuDuration(note.duration);
        command.Note.DurationSpec = note.dotted ? DottedNote : NoSpecialDuration;
        command.Note.Scale = gammuScale(note.octave);
        command.Note.Style = NaturalStyle;
        command.Note.Tempo = bpm;
    }
}

QString tempoList()
{
    QStringList values;
    for (const int tempo : smartTempos())
        values << QString::number(tempo);
    return values.join(u", "_s);
}

void describeResult(RingtoneFit &fit, const SmartRingtone &sent, int bpm, const QString &title,
                    const std::vector<SentNote> &notes)
{
    fit.notesSent = static_cast<int>(sent.notes.size());
    fit.bpmSent = sent.bpm;
    fit.titleSent = sent.title;
    if (fit.notesSent < static_cast<int>(notes.size())) {
        const int firstDropped = notes[static_cast<std::size_t>(fit.notesSent)].source;
        fit.changes.push_back({Kind::NotesDropped, firstDropped,
                               u"Le note dalla %1 in poi (%2 su %3) sono state tolte: non "
                               "entrano in tre SMS."_s.arg(firstDropped)
                                   .arg(fit.notesInMelody - firstDropped + 1)
                                   .arg(fit.notesInMelody)});
    }
    if (sent.bpm != bpm)
        fit.changes.push_back({Kind::TempoChanged, 0,
                               u"Tempo %1 inviato come %2 battiti al minuto: il formato "
                               "conosce solo %3."_s.arg(bpm)
                                   .arg(sent.bpm)
                                   .arg(tempoList())});
    if (sent.title != title)
        fit.changes.push_back({Kind::TitleChanged, 0,
                               u"Titolo inviato come «%1»: il formato ne porta al massimo "
                               "%2 lettere, senza accenti."_s.arg(sent.title)
                                   .arg(MaxTitleLength)});
}

// --- reading the bytes back --------------------------------------------------

class BitReader
{
public:
    explicit BitReader(const QByteArray &bytes) : m_bytes(bytes) {}
    bool read(int bits, int &value)
    {
        value = 0;
        for (int i = 0; i < bits; ++i) {
            const qsizetype byte = m_position / 8;
            if (byte >= m_bytes.size())
                return false;
            const int bit = (static_cast<unsigned char>(m_bytes[byte]) >> (7 - m_position % 8)) & 1;
            value = (value << 1) | bit;
            ++m_position;
        }
        return true;
    }
    void align() { m_position = (m_position + 7) / 8 * 8; }

private:
    const QByteArray &m_bytes;
    qsizetype m_position = 0;
};

constexpr int CommandRingingToneProgramming = 0x25;
constexpr int CommandSound = 0x1D;
constexpr int SongBasic = 1;
enum Instruction { PatternHeader = 0, NoteInstruction = 1, Scale = 2, Style = 3, Tempo = 4, Volume = 5 };

bool readInstruction(BitReader &bits, SmartRingtone &ringtone, int &octave)
{
    int id = 0;
    int value = 0;
    if (!bits.read(3, id))
        return false;
    switch (id) {
    case NoteInstruction: {
        int pitch = 0, duration = 0, specifier = 0;
        if (!bits.read(4, pitch) || !bits.read(3, duration) || !bits.read(2, specifier))
            return false;
        if (pitch > 12 || duration > 5)
            return false;
        ringtone.notes.push_back({pitch - 1, 1 << duration, specifier, octave});
        return true;
    }
    case Scale:
        if (!bits.read(2, value))
            return false;
        octave = LowestOctave + value;
        return true;
    case Style:
        return bits.read(2, value);
    case Tempo:
        if (!bits.read(5, value))
            return false;
        ringtone.bpm = smartTempos()[static_cast<std::size_t>(value)];
        return true;
    case Volume:
        return bits.read(4, value);
    default:
        return false;
    }
}

} // namespace

const std::vector<int> &smartTempos()
{
    static const std::vector<int> tempos{25,  28,  31,  35,  40,  45,  50,  56,  63,  70,  80,
                                         90,  100, 112, 125, 140, 160, 180, 200, 225, 250, 285,
                                         320, 355, 400, 450, 500, 565, 635, 715, 800, 900};
    return tempos;
}

bool RingtoneFit::hasChange(RingtoneChange::Kind kind) const
{
    return std::any_of(changes.begin(), changes.end(),
                       [kind](const RingtoneChange &c) { return c.kind == kind; });
}

QString RingtoneFit::phones() const
{
    if (partCount <= 0)
        return u"Nessun SMS da inviare."_s;
    if (partCount == 1)
        return u"Entra in un solo SMS: la riceve ogni telefono Nokia che accetta suonerie "
               "via SMS (Smart Messaging)."_s;
    return u"Occupa %1 SMS concatenati: la ricevono soltanto i telefoni che ricompongono le "
           "suonerie in più parti; un telefono che accetta solo suonerie di un SMS la scarta."_s.arg(
               partCount);
}

QString RingtoneFit::statement() const
{
    QStringList lines{phones()};
    if (changes.empty())
        lines << u"Tutte le note sono inviate come sono."_s;
    for (const RingtoneChange &change : changes)
        lines << change.text;
    return lines.join(u'\n');
}

RingtoneMessage encodeRingtone(const Melody &melody)
{
    RingtoneMessage result;
    result.fit.notesInMelody = static_cast<int>(melody.notes.size());
    Prepared prepared = prepare(melody);
    if (prepared.notes.empty()) {
        result.error = u"La suoneria non ha note da inviare."_s;
        result.fit.changes = std::move(prepared.changes);
        return result;
    }
    const int bpm = std::clamp(melody.bpm, melody::MinBpm, melody::MaxBpm);
    const QString title = melody.name.simplified();

    auto ringtone = gammu::newRingtone();
    setTitle(ringtone->ringtone, smartTitle(title));
    fillRingtone(ringtone->ringtone, prepared.notes, bpm);
    auto info = gammu::newMultiPartInfo();
    info->info.EntriesNum = 1;
    info->info.Entries[0].ID = SMS_NokiaRingtoneLong;
    info->info.Entries[0].Ringtone = &ringtone->ringtone;
    result.message = gammu::encodeMultiPart(info->info, SmartPort::Ringtone);
    if (result.message.parts.empty()) {
        result.error = u"La suoneria non si può comporre in SMS."_s;
        return result;
    }

    result.fit.partCount = result.message.partCount();
    result.fit.changes = std::move(prepared.changes);
    const SmartRingtone sent = decodeSmartRingtone(result.message.payload());
    describeResult(result.fit, sent, bpm, title, prepared.notes);
    return result;
}

namespace {

// The notes section of an RTTTL text, one token a note, when the tokens can
// be paired with the notes the reader found.
QStringList noteTokens(QStringView rtttl, std::size_t notes)
{
    const qsizetype colon = rtttl.lastIndexOf(u':');
    QStringList tokens;
    for (QStringView token : rtttl.mid(colon + 1).split(u',')) {
        QString clean = token.toString();
        clean.remove(QRegularExpression(u"\\s"_s));
        if (clean.isEmpty() || clean.contains(u'='))
            continue;
        tokens << clean.toLower();
    }
    if (static_cast<std::size_t>(tokens.size()) != notes)
        return {};
    return tokens;
}

bool isPerNoteFix(const QString &fix)
{
    static const QRegularExpression perNote(u"^(Durata \\d+ non valida|Ottava \\d+ fuori intervallo)"_s);
    return perNote.match(fix).hasMatch();
}

// What the text asked for a note before the reader mended it: the length
// and octave written in the token, when they were outside the format.
void describeTextNote(const QString &token, int position, const Note &read,
                      std::vector<RingtoneChange> &changes)
{
    static const QRegularExpression shape(u"^(\\d*)\\.?([a-hp\\-])#?\\.?(\\d*)\\.?$"_s);
    const QRegularExpressionMatch match = shape.match(token);
    if (!match.hasMatch())
        return;
    bool ok = false;
    const qlonglong duration = match.captured(1).toLongLong(&ok);
    if (ok && !isValidDuration(static_cast<int>(std::min<qlonglong>(duration, 64))))
        changes.push_back({Kind::LengthChanged, position,
                           u"Nota %1 «%2»: durata %3 non prevista, inviata come %4."_s.arg(position).arg(
                               token, match.captured(1), lengthName(read.duration))});
    const qlonglong octave = match.captured(3).toLongLong(&ok);
    if (ok && !read.isPause() && (octave < LowestOctave || octave > HighestOctave))
        changes.push_back({Kind::OctaveChanged, position,
                           u"Nota %1 «%2»: ottava %3 fuori dalle quattro dei telefoni (4–7), "
                           "inviata all'ottava %4."_s.arg(position)
                               .arg(token, match.captured(3))
                               .arg(read.octave)});
}

} // namespace

RingtoneMessage encodeRingtoneText(QStringView rtttl)
{
    const melody::RtttlReading reading = melody::readRtttl(rtttl);
    if (!reading.ok()) {
        RingtoneMessage result;
        result.error = u"Il testo non è una suoneria: %1"_s.arg(reading.error);
        return result;
    }
    RingtoneMessage result = encodeRingtone(reading.melody);
    std::vector<RingtoneChange> fromText;
    const QStringList tokens = noteTokens(rtttl, reading.melody.notes.size());
    for (qsizetype i = 0; i < tokens.size(); ++i)
        describeTextNote(tokens[i], static_cast<int>(i) + 1,
                         reading.melody.notes[static_cast<std::size_t>(i)], fromText);
    for (const QString &fix : reading.fixes) {
        if (!tokens.isEmpty() && isPerNoteFix(fix))
            continue;
        fromText.push_back({Kind::TextMended, 0, u"Testo corretto: %1"_s.arg(fix)});
    }
    result.fit.changes.insert(result.fit.changes.begin(), fromText.begin(), fromText.end());
    // Note by note in the melody's order, then what concerns the whole.
    std::stable_sort(result.fit.changes.begin(), result.fit.changes.end(),
                     [](const RingtoneChange &a, const RingtoneChange &b) {
                         return (a.note == 0 ? INT_MAX : a.note) < (b.note == 0 ? INT_MAX : b.note);
                     });
    return result;
}

SmartRingtone decodeSmartRingtone(const QByteArray &payload)
{
    SmartRingtone ringtone;
    BitReader bits(payload);
    int value = 0;
    if (!bits.read(8, value) || value < 1 || !bits.read(7, value) || value != CommandRingingToneProgramming)
        return ringtone;
    bits.align();
    if (!bits.read(7, value) || value != CommandSound || !bits.read(3, value) || value != SongBasic)
        return ringtone;
    int titleLength = 0;
    if (!bits.read(4, titleLength))
        return ringtone;
    for (int i = 0; i < titleLength; ++i) {
        if (!bits.read(8, value))
            return ringtone;
        ringtone.title.append(QChar(char16_t(value)));
    }
    int patterns = 0;
    if (!bits.read(8, patterns))
        return ringtone;
    int octave = 5; // the format's default scale, a = 880 Hz
    ringtone.bpm = 63;
    for (int p = 0; p < patterns; ++p) {
        int header = 0, id = 0, loop = 0, count = 0;
        if (!bits.read(3, header) || header != PatternHeader || !bits.read(2, id) || !bits.read(4, loop) ||
            !bits.read(8, count))
            return ringtone;
        for (int i = 0; i < count; ++i) {
            if (!readInstruction(bits, ringtone, octave))
                return ringtone;
        }
    }
    ringtone.ok = true;
    return ringtone;
}

} // namespace brivello::phone
