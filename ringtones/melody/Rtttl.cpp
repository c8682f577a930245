// RTTTL: "name:d=4,o=6,b=63:8c6.,d,16p". The reader accepts the slips that
// ringtones typed by hand and copied from web pages carry, and tells which ones
// it met, so whoever fills the catalogue can clean the source. Only a text it
// cannot read as a melody at all is refused. Its work is linear in the text,
// and the text, the numbers and the note count are capped before anything grows.

#include "ringtones/melody/Melody.h"
#include "ringtones/melody/MelodyInternal.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brivello::melody {

namespace {

using detail::HighestOctave;
using detail::LowestOctave;

// Digits are read into a saturating value so a thousand nines stay a number.
constexpr long long DigitCap = 1'000'000'000LL;

struct Digits
{
    bool present = false;
    long long value = 0;
};

Digits readDigits(QStringView text, qsizetype &pos)
{
    Digits digits;
    while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128) {
        digits.present = true;
        digits.value = std::min(DigitCap, digits.value * 10 + (text[pos].unicode() - u'0'));
        ++pos;
    }
    return digits;
}

class RtttlReader
{
public:
    RtttlReading read(QStringView text);

private:
    void fix(const QString &message);
    bool splitSections(QStringView text);
    void splitOneColon(QStringView left, QStringView right);
    void readControls(QStringView section);
    void readControl(QStringView pair);
    bool readNotes(QStringView section);
    bool readNote(QStringView token, int index);
    int pitchOf(QChar letter, bool sharp, int &octave);

    RtttlReading m_result;
    QString m_name;
    QString m_controls;
    QString m_notes;
    int m_duration = 4;
    int m_octave = 6;
};

void RtttlReader::fix(const QString &message)
{
    if (!m_result.fixes.contains(message))
        m_result.fixes.append(message);
}

bool isControlPair(QStringView token)
{
    return token.contains(u'=');
}

// A section made only of control pairs ("d=4,o=5,b=100").
bool looksLikeControls(QStringView section)
{
    const auto pieces = section.split(u',', Qt::SkipEmptyParts);
    return !pieces.isEmpty() && std::all_of(pieces.begin(), pieces.end(),
                                            [](QStringView p) { return isControlPair(p.trimmed()); });
}

// Removes blanks outside the name and lowers the case, noting both.
QString normalised(QStringView section, bool &hadBlanks, bool &hadUpper)
{
    QString out;
    out.reserve(section.size());
    for (QChar c : section) {
        if (c.isSpace()) {
            hadBlanks = true;
            continue;
        }
        if (c.isUpper()) {
            hadUpper = true;
            c = c.toLower();
        }
        out.append(c);
    }
    return out;
}

bool RtttlReader::splitSections(QStringView text)
{
    const qsizetype colons = text.count(u':');
    if (colons == 0) {
        m_result.error = u"Manca il separatore ':' tra nome, impostazioni e note."_s;
        return false;
    }
    const qsizetype first = text.indexOf(u':');
    if (colons == 1) {
        splitOneColon(text.left(first), text.mid(first + 1));
        return true;
    }
    const qsizetype last = text.lastIndexOf(u':');
    const qsizetype second = text.lastIndexOf(u':', last - 1);
    if (colons > 2) {
        // A title such as "Mission: Impossible" brings its own colon.
        if (!looksLikeControls(text.mid(second + 1, last - second - 1))) {
            m_result.error = u"Troppi separatori ':' (%1): il testo non è una suoneria RTTTL."_s.arg(colons);
            return false;
        }
        fix(u"Due punti nel nome sostituiti da uno spazio."_s);
        QString name = text.left(second).toString();
        name.replace(u':', u' ');
        m_name = name.simplified();
    } else {
        m_name = text.left(first).trimmed().toString();
    }
    m_controls = text.mid(second + 1, last - second - 1).toString();
    m_notes = text.mid(last + 1).toString();
    return true;
}

// "name:notes", "d=4,o=5:notes" or "name:d=4,o=5,b=100,c,d,e": one separator lost.
void RtttlReader::splitOneColon(QStringView left, QStringView right)
{
    if (looksLikeControls(left)) {
        fix(u"Nome mancante."_s);
        m_controls = left.toString();
        m_notes = right.toString();
        return;
    }
    m_name = left.trimmed().toString();
    const auto tokens = right.split(u',');
    qsizetype controlTokens = 0;
    while (controlTokens < tokens.size() && isControlPair(tokens[controlTokens]))
        ++controlTokens;
    if (controlTokens > 0) {
        fix(u"Manca il separatore ':' tra impostazioni e note."_s);
        // The comma before the first note belongs to neither section.
        const qsizetype notesStart =
            controlTokens < tokens.size() ? tokens[controlTokens].data() - right.data() : right.size() + 1;
        m_controls = right.left(notesStart - 1).toString();
        m_notes = right.mid(notesStart).toString();
    } else {
        fix(u"Impostazioni mancanti: valgono d=4, o=6, b=63."_s);
        m_notes = right.toString();
    }
}

void RtttlReader::readControls(QStringView section)
{
    if (section.isEmpty())
        return;
    const auto pairs = section.split(u',');
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        if (pairs[i].isEmpty()) {
            // "d=4,o=5," before the notes is a common trailing comma.
            if (!(i == pairs.size() - 1 && i > 0))
                fix(u"Separatore vuoto ignorato."_s);
            else
                fix(u"Virgola superflua dopo le impostazioni."_s);
            continue;
        }
        readControl(pairs[i]);
    }
}

void RtttlReader::readControl(QStringView pair)
{
    const QChar key = pair.front();
    qsizetype pos = 1;
    if (pos < pair.size() && pair[pos] == u'=')
        ++pos;
    else
        fix(u"Manca '=' in un'impostazione."_s);
    const Digits digits = readDigits(pair, pos);
    if (key != u'd' && key != u'o' && key != u'b') {
        fix(u"Impostazione sconosciuta ignorata: %1"_s.arg(pair));
        return;
    }
    if (!digits.present || pos != pair.size()) {
        fix(u"Valore non valido ignorato: %1"_s.arg(pair));
        return;
    }
    const long long value = digits.value;
    if (key == u'd') {
        m_duration = detail::nearestDuration(value);
        if (!detail::isValidDuration(static_cast<int>(std::min(value, 64LL))))
            fix(u"Durata predefinita %1 non valida, uso %2."_s.arg(value).arg(m_duration));
    } else if (key == u'o') {
        m_octave = static_cast<int>(std::clamp<long long>(value, LowestOctave, HighestOctave));
        if (m_octave != value)
            fix(u"Ottava predefinita %1 fuori intervallo, uso %2."_s.arg(value).arg(m_octave));
    } else {
        const int bpm = static_cast<int>(std::clamp<long long>(value, MinBpm, MaxBpm));
        if (bpm != value)
            fix(u"Tempo %1 fuori intervallo, uso %2."_s.arg(value).arg(bpm));
        if (m_result.melody.notes.empty())
            m_result.melody.bpm = bpm;
        else
            fix(u"Cambio di tempo a metà melodia ignorato."_s);
    }
}

bool RtttlReader::readNotes(QStringView section)
{
    const auto tokens = section.split(u',');
    int index = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QStringView token = tokens[i];
        if (token.isEmpty()) {
            if (i == tokens.size() - 1 && i > 0)
                fix(u"Virgola finale superflua."_s);
            else
                fix(u"Separatore vuoto ignorato."_s);
            continue;
        }
        if (isControlPair(token)) {
            readControl(token);
            continue;
        }
        if (static_cast<int>(m_result.melody.notes.size()) >= MaxNotes) {
            m_result.error = u"Troppe note: al massimo %1."_s.arg(MaxNotes);
            m_result.errorNote = index + 1;
            return false;
        }
        if (!readNote(token, ++index))
            return false;
    }
    if (m_result.melody.notes.empty()) {
        m_result.error = u"Nessuna nota."_s;
        return false;
    }
    return true;
}

int RtttlReader::pitchOf(QChar letter, bool sharp, int &octave)
{
    static constexpr int natural[] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    const int base = natural[letter.unicode() - u'a'];
    if (!sharp)
        return base;
    if (letter == u'e' || letter == u'b') {
        fix(u"%1# letto come %2."_s.arg(letter).arg(QChar(letter == u'e' ? u'f' : u'c')));
        if (letter == u'b') {
            if (octave < HighestOctave) {
                ++octave;
                return 0;
            }
            return 11;
        }
        return 5;
    }
    return base + 1;
}

bool RtttlReader::readNote(QStringView token, int index)
{
    const auto invalid = [&] {
        m_result.error = u"Nota %1 non valida: «%2»."_s.arg(index).arg(token.left(20));
        m_result.errorNote = index;
        return false;
    };
    qsizetype pos = 0;
    Note note;
    const Digits duration = readDigits(token, pos);
    note.duration = duration.present ? detail::nearestDuration(duration.value) : m_duration;
    if (duration.present && !detail::isValidDuration(static_cast<int>(std::min(duration.value, 64LL))))
        fix(u"Durata %1 non valida, uso %2."_s.arg(duration.value).arg(note.duration));
    if (pos < token.size() && token[pos] == u'.') {
        note.dotted = true;
        fix(u"Punto prima della nota spostato dopo."_s);
        ++pos;
    }
    if (pos >= token.size())
        return invalid();
    QChar letter = token[pos++];
    if (letter == u'h') {
        fix(u"'h' letto come 'b'."_s);
        letter = u'b';
    }
    const bool pause = letter == u'p' || letter == u'-';
    if (letter == u'-')
        fix(u"'-' letto come pausa 'p'."_s);
    if (!pause && (letter < u'a' || letter > u'g'))
        return invalid();
    const bool sharp = pos < token.size() && token[pos] == u'#';
    if (sharp)
        ++pos;
    if (pos < token.size() && token[pos] == u'.') {
        note.dotted = true;
        ++pos;
        if (pos < token.size() && token[pos].isDigit())
            fix(u"Punto prima dell'ottava spostato dopo."_s);
    }
    const Digits octave = readDigits(token, pos);
    note.octave = octave.present
                      ? static_cast<int>(std::clamp<long long>(octave.value, LowestOctave, HighestOctave))
                      : m_octave;
    if (pos < token.size() && token[pos] == u'.') {
        if (note.dotted)
            fix(u"Punto doppio ignorato."_s);
        note.dotted = true;
        ++pos;
    }
    if (pos != token.size())
        return invalid();
    if (pause) {
        if (sharp)
            fix(u"Diesis su una pausa ignorato."_s);
        if (octave.present)
            fix(u"Ottava su una pausa ignorata."_s);
        note.pitch = -1;
        note.octave = m_octave;
    } else {
        if (octave.present && note.octave != octave.value)
            fix(u"Ottava %1 fuori intervallo, uso %2."_s.arg(octave.value).arg(note.octave));
        note.pitch = pitchOf(letter, sharp, note.octave);
    }
    m_result.melody.notes.push_back(note);
    return true;
}

RtttlReading RtttlReader::read(QStringView text)
{
    if (text.size() > MaxRtttlLength) {
        m_result.error =
            u"Testo troppo lungo per una suoneria (%1 caratteri, al massimo %2)."_s.arg(text.size())
                .arg(MaxRtttlLength);
        return m_result;
    }
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        m_result.error = u"Testo vuoto."_s;
        return m_result;
    }
    if (!splitSections(trimmed))
        return m_result;

    bool hadBlanks = false;
    bool hadUpper = false;
    const QString controls = normalised(m_controls, hadBlanks, hadUpper);
    const QString notes = normalised(m_notes, hadBlanks, hadUpper);
    if (hadBlanks)
        fix(u"Spazi ignorati."_s);
    if (hadUpper)
        fix(u"Maiuscole lette come minuscole."_s);
    if (m_name.isEmpty() && !m_result.fixes.contains(u"Nome mancante."_s))
        fix(u"Nome mancante."_s);

    readControls(controls);
    m_result.melody.name = m_name;
    m_result.melody.defaultDuration = m_duration;
    m_result.melody.defaultOctave = m_octave;
    if (!readNotes(notes))
        m_result.melody.notes.clear();
    return m_result;
}

QString noteText(const Note &raw, int defaultDuration, int defaultOctave)
{
    const Note note = detail::sanitized(raw);
    QString text;
    if (note.duration != defaultDuration)
        text += QString::number(note.duration);
    if (note.isPause()) {
        text += u'p';
    } else {
        text += detail::pitchLetter(note.pitch);
        if (detail::isSharp(note.pitch))
            text += u'#';
        if (note.octave != defaultOctave)
            text += QString::number(note.octave);
    }
    if (note.dotted)
        text += u'.';
    return text;
}

QString writableName(const QString &name)
{
    QString clean;
    for (QChar c : name)
        clean += (c == u':' || c.category() == QChar::Other_Control) ? u' ' : c;
    return clean.simplified();
}

} // namespace

RtttlReading readRtttl(QStringView text)
{
    return RtttlReader().read(text);
}

QString writeRtttl(const Melody &melody)
{
    const int duration = detail::isValidDuration(melody.defaultDuration) ? melody.defaultDuration : 4;
    const int octave = std::clamp(melody.defaultOctave, LowestOctave, HighestOctave);
    QStringList notes;
    notes.reserve(static_cast<qsizetype>(melody.notes.size()));
    for (const Note &note : melody.notes)
        notes.append(noteText(note, duration, octave));
    // The name and the notes are joined on, not put in with arg(): a "%1" in
    // a name would take the place of a setting.
    return writableName(melody.name) +
           u":d=%1,o=%2,b=%3:"_s.arg(duration).arg(octave).arg(detail::sanitizedBpm(melody.bpm)) +
           notes.join(u',');
}

} // namespace brivello::melody
