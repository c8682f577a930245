#include "tools/ringtonetools/TuneReading.h"

#include "ringtones/melody/MelodyInternal.h"

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

namespace {

QString withoutBlanks(QStringView text)
{
    QString out;
    for (const QChar c : text) {
        if (!c.isSpace())
            out += c.toLower();
    }
    return out;
}

// Where the notes begin: after the last ':' the reader splits at.
qsizetype notesStart(const QString &text)
{
    const qsizetype last = text.lastIndexOf(u':');
    return last < 0 ? -1 : last + 1;
}

QString durationName(int duration, bool dotted)
{
    static const char16_t *const names[] = {u"un intero", u"una metà",      u"un quarto",
                                            u"un ottavo", u"un sedicesimo", u"un trentaduesimo"};
    int index = 0;
    while ((1 << index) < duration && index < 5)
        ++index;
    QString name = QString::fromUtf16(names[index]);
    if (dotted)
        name += index == 1 ? u" puntata"_s : u" puntato"_s;
    return name;
}

} // namespace

TextSpot locateNote(const QString &text, int note)
{
    const qsizetype start = notesStart(text);
    if (start < 0 || note <= 0)
        return {};
    int seen = 0;
    qsizetype tokenStart = start;
    while (tokenStart <= text.size()) {
        qsizetype tokenEnd = text.indexOf(u',', tokenStart);
        if (tokenEnd < 0)
            tokenEnd = text.size();
        const QStringView token = QStringView(text).mid(tokenStart, tokenEnd - tokenStart);
        const QString bare = withoutBlanks(token);
        // Empty pieces and settings written among the notes are no notes.
        if (!bare.isEmpty() && !bare.contains(u'=') && ++seen == note) {
            const QStringView trimmed = token.trimmed();
            return {tokenStart + (trimmed.data() - token.data()), trimmed.size()};
        }
        tokenStart = tokenEnd + 1;
    }
    return {};
}

QString whyNotANote(const QString &token)
{
    const QString bare = withoutBlanks(token);
    qsizetype pos = 0;
    while (pos < bare.size() && bare[pos].isDigit())
        ++pos;
    if (pos < bare.size() && bare[pos] == u'.')
        ++pos;
    if (pos >= bare.size())
        return u"manca la lettera della nota (da a a g, oppure p per la pausa)."_s;
    const QChar letter = bare[pos];
    const bool known = (letter >= u'a' && letter <= u'h') || letter == u'p' || letter == u'-';
    if (!known)
        return u"«%1» non è una nota: le note sono a, b, c, d, e, f, g (h per il si) e p "
               "per la pausa."_s.arg(letter);
    qsizetype end = pos + 1;
    if (end < bare.size() && bare[end] == u'#')
        ++end;
    if (end < bare.size() && bare[end] == u'.')
        ++end;
    while (end < bare.size() && bare[end].isDigit())
        ++end;
    if (end < bare.size() && bare[end] == u'.')
        ++end;
    if (end < bare.size())
        return u"dopo «%1» viene «%2», che non fa parte di una nota: una nota è durata, "
               "lettera, # per il diesis, ottava e punto, come 8c#6."_s.arg(bare.left(end), bare.mid(end));
    return u"la nota non è scritta nella forma durata, lettera, #, ottava, punto (come 8c#6.)."_s;
}

TuneReading readTune(const QString &text)
{
    TuneReading result;
    result.reading = melody::readRtttl(text);
    if (result.reading.ok())
        return result;
    result.explanation = result.reading.error;
    if (result.reading.errorNote <= 0)
        return result;
    result.spot = locateNote(text, result.reading.errorNote);
    if (result.spot.found() && result.reading.errorNote <= melody::MaxNotes)
        result.explanation +=
            u' ' + u"Il motivo: "_s + whyNotANote(text.mid(result.spot.start, result.spot.length));
    return result;
}

QString noteToken(const melody::Note &raw)
{
    const melody::Note note = melody::detail::sanitized(raw);
    QString token = QString::number(note.duration);
    if (note.isPause()) {
        token += u'p';
    } else {
        token += melody::detail::pitchLetter(note.pitch);
        if (melody::detail::isSharp(note.pitch))
            token += u'#';
        token += QString::number(note.octave);
    }
    if (note.dotted)
        token += u'.';
    return token;
}

QString noteName(const melody::Note &raw)
{
    const melody::Note note = melody::detail::sanitized(raw);
    if (note.isPause())
        return u"pausa, "_s + durationName(note.duration, note.dotted);
    static const char16_t *const names[] = {u"do",         u"do diesis", u"re",        u"re diesis",
                                            u"mi",         u"fa",        u"fa diesis", u"sol",
                                            u"sol diesis", u"la",        u"la diesis", u"si"};
    return QString::fromUtf16(names[note.pitch]) + u", ottava "_s + QString::number(note.octave) + u", "_s +
           durationName(note.duration, note.dotted);
}

} // namespace brivello::ringtonetools
