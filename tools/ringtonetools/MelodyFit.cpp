#include "tools/ringtonetools/MelodyFit.h"

#include "phone/RingtoneMessage.h"
#include "ringtones/melody/MelodyInternal.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

namespace {

// A fixed length within this share of a note's real length plays it well enough.
constexpr double LengthTolerance = 0.10;

QString plural(int count, const QString &one, const QString &many)
{
    return QString::number(count) + u' ' + (count == 1 ? one : many);
}

QString joinedNumbers(const QList<int> &values, const QString &prefix = QString())
{
    QStringList texts;
    for (const int value : values)
        texts.append(prefix + QString::number(value));
    return texts.join(u", "_s);
}

void checkLength(const PhoneFit &fit, const PhoneModel &model, QStringList &changes, bool &tooLong)
{
    if (model.maxNotes.known() && fit.entries > model.maxNotes.value) {
        changes.append(
            u"Troppe note: %1, il telefono ne tiene %2; restano fuori le ultime %3."_s.arg(fit.entries)
                .arg(model.maxNotes.value)
                .arg(fit.entries - model.maxNotes.value));
        tooLong = true;
    }
    if (model.maxCharacters.known() && fit.characters > model.maxCharacters.value) {
        changes.append(
            u"La melodia scritta occupa %1 caratteri, il telefono ne accetta %2."_s.arg(fit.characters)
                .arg(model.maxCharacters.value));
        tooLong = true;
    }
}

void checkDurations(const melody::Melody &tune, const PhoneModel &model, QStringList &changes)
{
    if (!model.durations.known())
        return;
    int missing = 0;
    QList<int> lacking;
    for (const melody::Note &raw : tune.notes) {
        const melody::Note note = melody::detail::sanitized(raw);
        if (model.durations.value.contains(note.duration))
            continue;
        ++missing;
        if (!lacking.contains(note.duration))
            lacking.append(note.duration);
    }
    if (missing > 0) {
        std::sort(lacking.begin(), lacking.end());
        changes.append(u"%1 con una durata che il telefono non ha (%2)."_s.arg(
            plural(missing, u"nota o pausa"_s, u"note o pause"_s), joinedNumbers(lacking, u"1/"_s)));
    }
}

void checkFixedLengths(const melody::Melody &tune, const PhoneModel &model, QStringList &changes)
{
    if (!model.lengthsMs.known())
        return;
    int changed = 0;
    for (const melody::Note &note : tune.notes) {
        const double ms = melody::noteSeconds(note, tune.bpm) * 1000.0;
        const auto nearest =
            std::min_element(model.lengthsMs.value.begin(), model.lengthsMs.value.end(),
                             [ms](int a, int b) { return std::abs(a - ms) < std::abs(b - ms); });
        if (std::abs(*nearest - ms) > LengthTolerance * ms)
            ++changed;
    }
    if (changed > 0)
        changes.append(u"%1 durata: il telefono ha solo le lunghezze di %2 ms."_s.arg(
            plural(changed, u"nota o pausa cambia"_s, u"note o pause cambiano"_s),
            joinedNumbers(model.lengthsMs.value)));
}

void checkOctaves(const melody::Melody &tune, const PhoneModel &model, QStringList &changes)
{
    if (!model.octaves.known())
        return;
    const OctaveRange range = model.octaves.value;
    const std::vector<int> fitted = melody::detail::fittedOctaves(tune, range.lowest, range.highest);
    int moved = 0;
    int shift = 0;
    bool sameShift = true;
    for (std::size_t i = 0; i < tune.notes.size(); ++i) {
        const melody::Note note = melody::detail::sanitized(tune.notes[i]);
        if (note.isPause())
            continue;
        const int delta = fitted[i] - note.octave;
        if (delta == 0) {
            sameShift = false;
            continue;
        }
        if (moved > 0 && delta != shift)
            sameShift = false;
        shift = delta;
        ++moved;
    }
    if (moved == 0)
        return;
    const QString octaves = u"%1-%2"_s.arg(range.lowest).arg(range.highest);
    if (sameShift) {
        changes.append(u"Melodia spostata di %1 %2: il telefono ha solo le ottave %3."_s.arg(
            plural(std::abs(shift), u"ottava"_s, u"ottave"_s), shift > 0 ? u"in su"_s : u"in giù"_s,
            octaves));
    } else {
        changes.append(u"%1 delle ottave del telefono (%2) %3 nell'ottava più vicina."_s.arg(
            plural(moved, u"nota fuori"_s, u"note fuori"_s), octaves,
            moved == 1 ? u"portata"_s : u"portate"_s));
    }
}

void checkDots(const melody::Melody &tune, const PhoneModel &model, QStringList &changes,
               QStringList &unknown)
{
    int dottedNotes = 0;
    int dottedPauses = 0;
    for (const melody::Note &note : tune.notes) {
        if (!note.dotted)
            continue;
        (note.isPause() ? dottedPauses : dottedNotes) += 1;
    }
    if (dottedNotes > 0 && model.dottedNotes.unknown())
        unknown.append(u"note puntate"_s);
    if (dottedNotes > 0 && model.dottedNotes.known() && !model.dottedNotes.value)
        changes.append(
            u"%1 il punto."_s.arg(plural(dottedNotes, u"nota puntata perde"_s, u"note puntate perdono"_s)));
    if (dottedPauses > 0 && model.dottedPauses.unknown())
        unknown.append(u"pause puntate"_s);
    if (dottedPauses > 0 && model.dottedPauses.known() && !model.dottedPauses.value)
        changes.append(u"%1 in due pause (il telefono non ha pause puntate)."_s.arg(
            plural(dottedPauses, u"pausa puntata divisa"_s, u"pause puntate divise"_s)));
}

QString sourcesOf(const PhoneModel &model)
{
    QStringList lines;
    const auto add = [&lines](const QString &what, const QString &source) {
        if (!source.isEmpty())
            lines.append(what + u": "_s + source);
    };
    add(u"Note"_s, model.maxNotes.source);
    add(u"Caratteri"_s, model.maxCharacters.source);
    add(u"Durate"_s, model.durations.source);
    add(u"Lunghezze"_s, model.lengthsMs.source);
    add(u"Ottave"_s, model.octaves.source);
    add(u"Note puntate"_s, model.dottedNotes.source);
    add(u"Pause puntate"_s, model.dottedPauses.source);
    return lines.join(u'\n');
}

} // namespace

QString phoneCode(const melody::Melody &tune, const QString &code)
{
    if (code == u"nokia_hand")
        return melody::nokiaKeypad(tune);
    if (code == u"nokia_scherm")
        return melody::nokiaScreen(tune);
    if (code == u"siemens")
        return melody::siemensScreen(tune);
    if (code == u"ericsson")
        return melody::ericssonScreen(tune);
    if (code == u"motorola")
        return melody::motorolaScreen(tune);
    return {};
}

PhoneFit fitOnPhone(const melody::Melody &tune, const PhoneModel &model)
{
    PhoneFit fit;
    const QString code = phoneCode(tune, model.code);
    const QStringList entries = code.split(u' ', Qt::SkipEmptyParts);
    fit.entries = static_cast<int>(entries.size());
    fit.characters = static_cast<int>(entries.join(QString()).size());

    bool tooLong = false;
    checkLength(fit, model, fit.changes, tooLong);
    checkDurations(tune, model, fit.changes);
    checkFixedLengths(tune, model, fit.changes);
    checkOctaves(tune, model, fit.changes);
    checkDots(tune, model, fit.changes, fit.unknown);
    if (model.maxNotes.unknown())
        fit.unknown.prepend(u"numero di note"_s);
    if (model.durations.unknown() && model.lengthsMs.unknown())
        fit.unknown.append(u"durate"_s);
    if (model.octaves.unknown())
        fit.unknown.append(u"ottave"_s);

    if (tooLong)
        fit.verdict = PhoneFit::Verdict::TooLong;
    else if (!fit.changes.isEmpty())
        fit.verdict = PhoneFit::Verdict::FitsWithChanges;
    else if (!fit.unknown.isEmpty())
        fit.verdict = PhoneFit::Verdict::Unknown;
    else
        fit.verdict = PhoneFit::Verdict::Fits;
    return fit;
}

QString verdictText(PhoneFit::Verdict verdict)
{
    switch (verdict) {
    case PhoneFit::Verdict::Fits:
        return u"Entra così com'è"_s;
    case PhoneFit::Verdict::FitsWithChanges:
        return u"Entra con modifiche"_s;
    case PhoneFit::Verdict::TooLong:
        return u"Troppo lunga"_s;
    case PhoneFit::Verdict::Unknown:
        break;
    }
    return u"Da verificare"_s;
}

QString smsCell(const melody::Melody &tune)
{
    const phone::RingtoneMessage message = phone::encodeRingtone(tune);
    if (!message.ok())
        return u"Non si invia"_s;
    const int parts = message.fit.partCount;
    QString text = parts == 1 ? u"1 SMS"_s : u"%1 SMS concatenati"_s.arg(parts);
    if (message.fit.notesSent < message.fit.notesInMelody)
        text += u", %1 note su %2"_s.arg(message.fit.notesSent).arg(message.fit.notesInMelody);
    return text;
}

std::vector<FitColumn> fitColumns()
{
    const auto noTooltip = [](const melody::Melody &, const PhoneModel &) { return QString(); };
    std::vector<FitColumn> columns;
    columns.push_back({u"Modello"_s,
                       [](const melody::Melody &, const PhoneModel &model) { return model.name; },
                       noTooltip});
    columns.push_back(
        {u"Note sul telefono"_s,
         [](const melody::Melody &tune, const PhoneModel &model) {
             const int entries = fitOnPhone(tune, model).entries;
             if (model.maxNotes.known())
                 return u"%1 su %2"_s.arg(entries).arg(model.maxNotes.value);
             return u"%1 (limite non noto)"_s.arg(entries);
         },
         [](const melody::Melody &, const PhoneModel &model) { return model.maxNotes.source; }});
    columns.push_back({u"Esito"_s,
                       [](const melody::Melody &tune, const PhoneModel &model) {
                           return verdictText(fitOnPhone(tune, model).verdict);
                       },
                       noTooltip});
    // The same for every model: how many SMS the Smart Messaging ringtone
    // takes, as the SMS tool would send it.
    columns.push_back({u"Via SMS"_s,
                       [](const melody::Melody &tune, const PhoneModel &) { return smsCell(tune); },
                       [](const melody::Melody &tune, const PhoneModel &) {
                           const phone::RingtoneMessage message = phone::encodeRingtone(tune);
                           return message.ok() ? message.fit.statement() : message.error;
                       }});
    columns.push_back({u"Cosa cambia"_s,
                       [](const melody::Melody &tune, const PhoneModel &model) {
                           const PhoneFit fit = fitOnPhone(tune, model);
                           QStringList parts = fit.changes;
                           if (!fit.unknown.isEmpty())
                               parts.append(u"Non noti: %1."_s.arg(fit.unknown.join(u", "_s)));
                           return parts.isEmpty() ? u"Nulla"_s : parts.join(u' ');
                       },
                       [](const melody::Melody &, const PhoneModel &model) { return sourcesOf(model); }});
    return columns;
}

} // namespace brivello::ringtonetools
