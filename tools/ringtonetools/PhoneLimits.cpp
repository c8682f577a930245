#include "tools/ringtonetools/PhoneLimits.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

namespace {

template <typename T> bool setState(Figure<T> &figure, const QString &value, const QString &source)
{
    figure.source = source;
    if (value == u"?") {
        figure.state = Figure<T>::State::Unknown;
        return false;
    }
    if (value == u"-") {
        figure.state = Figure<T>::State::NotApplicable;
        return false;
    }
    figure.state = Figure<T>::State::Known;
    return true;
}

std::optional<int> number(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value <= 0)
        return std::nullopt;
    return value;
}

std::optional<QList<int>> numbers(const QString &text)
{
    QList<int> values;
    for (const QString &piece : text.split(u' ', Qt::SkipEmptyParts)) {
        const auto value = number(piece);
        if (!value)
            return std::nullopt;
        values.append(*value);
    }
    if (values.isEmpty())
        return std::nullopt;
    return values;
}

std::optional<OctaveRange> octaveRange(const QString &text)
{
    const QStringList ends = text.split(u'-');
    if (ends.size() != 2)
        return std::nullopt;
    const auto low = number(ends[0]);
    const auto high = number(ends[1]);
    if (!low || !high || *low > *high)
        return std::nullopt;
    return OctaveRange{*low, *high};
}

std::optional<bool> yesNo(const QString &text)
{
    if (text == u"sì")
        return true;
    if (text == u"no")
        return false;
    return std::nullopt;
}

template <typename T, typename Parse>
bool readFigure(Figure<T> &figure, const QString &value, const QString &source, Parse parse)
{
    if (!setState(figure, value, source))
        return true;
    const auto parsed = parse(value);
    if (!parsed)
        return false;
    figure.value = *parsed;
    return true;
}

bool readEntry(PhoneModel &model, const QString &key, const QString &value, const QString &source)
{
    if (key == u"codice") {
        static const QStringList codes{u"nokia_scherm"_s, u"siemens"_s, u"ericsson"_s, u"motorola"_s};
        model.code = value;
        return codes.contains(value);
    }
    if (key == u"note_max")
        return readFigure(model.maxNotes, value, source, number);
    if (key == u"caratteri_max")
        return readFigure(model.maxCharacters, value, source, number);
    if (key == u"durate")
        return readFigure(model.durations, value, source, numbers);
    if (key == u"lunghezze_ms")
        return readFigure(model.lengthsMs, value, source, numbers);
    if (key == u"ottave")
        return readFigure(model.octaves, value, source, octaveRange);
    if (key == u"note_puntate")
        return readFigure(model.dottedNotes, value, source, yesNo);
    if (key == u"pause_puntate")
        return readFigure(model.dottedPauses, value, source, yesNo);
    return false;
}

PhoneModel &modelNamed(std::vector<PhoneModel> &models, const QString &name)
{
    for (PhoneModel &model : models) {
        if (model.name == name)
            return model;
    }
    models.push_back(PhoneModel{});
    models.back().name = name;
    return models.back();
}

} // namespace

PhoneLimitsTable parsePhoneLimits(const QString &text)
{
    PhoneLimitsTable table;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = lines[i].split(u'\t');
        const auto problem = [&](const QString &what) {
            table.problems.append(u"riga %1: %2"_s.arg(i + 1).arg(what));
        };
        if (fields.size() != 4) {
            problem(u"servono 4 colonne, ce ne sono %1"_s.arg(fields.size()));
            continue;
        }
        const QString source = fields[3].trimmed();
        if (source.isEmpty()) {
            problem(u"manca la fonte"_s);
            continue;
        }
        PhoneModel &model = modelNamed(table.models, fields[0].trimmed());
        if (!readEntry(model, fields[1].trimmed(), fields[2].trimmed(), source))
            problem(u"«%1» = «%2» non è un valore valido"_s.arg(fields[1], fields[2]));
    }
    for (const PhoneModel &model : table.models) {
        if (model.code.isEmpty())
            table.problems.append(u"%1: manca il codice"_s.arg(model.name));
    }
    return table;
}

const PhoneLimitsTable &phoneLimits()
{
    static const PhoneLimitsTable table = [] {
        QFile file(u":/ringtonetools/data/limiti-telefoni.tsv"_s);
        if (!file.open(QIODevice::ReadOnly))
            return PhoneLimitsTable{{}, {u"tabella dei limiti mancante"_s}};
        return parsePhoneLimits(QString::fromUtf8(file.readAll()));
    }();
    return table;
}

} // namespace brivello::ringtonetools
