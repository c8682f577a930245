#include "tools/mkdisc/DiscCatalogue.h"

#include "tools/mkdisc/TsvSource.h"

#include <QDir>
#include <QSet>

namespace brivello::mkdisc {

namespace {

using authoring::Column;
using authoring::ColumnType;
using authoring::Row;
using authoring::TableData;

constexpr int maxTextLength = 255;

Column text(const QString &name, int maxLength = maxTextLength)
{
    return Column{name, ColumnType::Text, maxLength};
}

Column memo(const QString &name)
{
    return Column{name, ColumnType::Memo, 0};
}

// The columns a source file must name, in the order the table stores them.
bool requireColumns(const TsvTable &table, const QStringList &names, QString *error)
{
    for (const QString &name : names) {
        if (table.column(name) < 0) {
            *error = QStringLiteral("%1:1: missing column %2").arg(table.path, name);
            return false;
        }
    }
    return true;
}

bool checkText(const TsvTable &table, std::size_t row, const QString &column, QString *error)
{
    const QString &value = table.rows[row].at(table.column(column));
    if (value.trimmed().isEmpty()) {
        *error = rowError(table, row, QStringLiteral("%1 is empty").arg(column));
        return false;
    }
    if (value.size() > maxTextLength) {
        *error = rowError(table, row,
                          QStringLiteral("%1 is longer than %2 characters").arg(column).arg(maxTextLength));
        return false;
    }
    return true;
}

bool readSource(const QString &folder, const QString &table, const QStringList &columns, TsvTable *source,
                QString *error)
{
    return readTsv(QDir(folder).filePath(table + QStringLiteral(".tsv")), source, error) &&
           requireColumns(*source, columns, error);
}

// A one-column table (Genres, Zoekmethodes, Rubrieken).
bool buildListTable(const QString &folder, const QString &name, const QString &column, TableData *table,
                    QString *error)
{
    TsvTable source;
    if (!readSource(folder, name, {column}, &source, error))
        return false;
    table->name = name;
    table->columns = {text(column, 50)};
    for (std::size_t row = 0; row < source.rows.size(); ++row) {
        if (!checkText(source, row, column, error))
            return false;
        table->rows.push_back(Row{source.rows[row].at(source.column(column))});
    }
    return true;
}

struct MainRowParts
{
    QString song, artiest, genre, bestand, bieps;
};

MainRowParts mainRowParts(const TsvTable &source, std::size_t row)
{
    const QStringList &values = source.rows[row];
    return {values.at(source.column(QStringLiteral("song"))),
            values.at(source.column(QStringLiteral("artiest"))),
            values.at(source.column(QStringLiteral("Genre"))),
            values.at(source.column(QStringLiteral("bestand"))),
            values.at(source.column(QStringLiteral("bieps")))};
}

Row mainRow(const MainRowParts &parts, const melody::Melody &tune)
{
    return Row{parts.song,
               parts.artiest,
               parts.genre,
               parts.bestand,
               melody::nokiaKeypad(tune),
               melody::nokiaScreen(tune),
               melody::siemensScreen(tune),
               melody::ericssonScreen(tune),
               melody::motorolaScreen(tune),
               QString::number(melody::noteCount(tune)),
               QString::number(tune.bpm),
               parts.bieps};
}

bool buildMain(const QString &folder, const QSet<QString> &genres, DiscCatalogue *catalogue, QString *error)
{
    TsvTable source;
    const QStringList required = {QStringLiteral("song"), QStringLiteral("artiest"), QStringLiteral("Genre"),
                                  QStringLiteral("bestand"), QStringLiteral("bieps")};
    if (!readSource(folder, QStringLiteral("Main"), required, &source, error))
        return false;

    TableData table;
    table.name = QStringLiteral("Main");
    table.columns = {text(QStringLiteral("song")),       text(QStringLiteral("artiest")),
                     text(QStringLiteral("Genre")),      text(QStringLiteral("bestand"), 50),
                     memo(QStringLiteral("nokia_hand")), memo(QStringLiteral("nokia_scherm")),
                     memo(QStringLiteral("siemens")),    memo(QStringLiteral("ericsson")),
                     memo(QStringLiteral("motorola")),   text(QStringLiteral("aantalnoten")),
                     text(QStringLiteral("tempo")),      memo(QStringLiteral("bieps"))};

    QSet<QString> files;
    for (std::size_t row = 0; row < source.rows.size(); ++row) {
        for (const QString &column : required) {
            if (!checkText(source, row, column, error))
                return false;
        }
        const MainRowParts parts = mainRowParts(source, row);
        // The recording's name becomes a file name on a disc read without
        // regard to letter case.
        const QString fileKey = parts.bestand.toLower();
        if (files.contains(fileKey)) {
            *error = rowError(source, row, QStringLiteral("bestand %1 is used twice").arg(parts.bestand));
            return false;
        }
        files.insert(fileKey);
        for (const QString &genre : parts.genre.split(QLatin1Char('/'))) {
            if (!genres.contains(genre)) {
                *error = rowError(source, row, QStringLiteral("genre %1 is not in Genres").arg(genre));
                return false;
            }
        }
        const melody::RtttlReading reading = melody::readRtttl(parts.bieps);
        if (!reading.ok()) {
            *error = rowError(source, row, QStringLiteral("bieps: %1").arg(reading.error));
            return false;
        }
        for (const QString &fix : reading.fixes)
            catalogue->warnings.append(rowError(source, row, fix));
        table.rows.push_back(mainRow(parts, reading.melody));
        catalogue->recordings.push_back(Recording{parts.bestand, reading.melody});
    }
    catalogue->tables.push_back(std::move(table));
    return true;
}

bool checkTool(const TsvTable &source, std::size_t row, QSet<QString> *names, QString *error)
{
    const QStringList &values = source.rows[row];
    const QString name = values.at(source.column(QStringLiteral("toolnaam")));
    // The tools window finds a tool by its name between apostrophes.
    if (name.contains(QLatin1Char('\''))) {
        *error = rowError(source, row, QStringLiteral("toolnaam %1 holds an apostrophe").arg(name));
        return false;
    }
    if (names->contains(name)) {
        *error = rowError(source, row, QStringLiteral("toolnaam %1 is used twice").arg(name));
        return false;
    }
    names->insert(name);
    bool isNumber = false;
    const int picture = values.at(source.column(QStringLiteral("imgnr"))).toInt(&isNumber);
    if (!isNumber || picture < 1 || picture > 31) {
        *error = rowError(source, row, QStringLiteral("imgnr must be a number from 1 to 31"));
        return false;
    }
    const QString dirname = values.at(source.column(QStringLiteral("dirname")));
    if (dirname.contains(QLatin1Char('/')) || dirname.contains(QLatin1Char('\\')) ||
        dirname.startsWith(QLatin1Char('.'))) {
        *error = rowError(source, row, QStringLiteral("dirname must name one folder below tools"));
        return false;
    }
    return true;
}

bool buildTools(const QString &folder, DiscCatalogue *catalogue, QString *error)
{
    const QStringList columns = {
        QStringLiteral("toolnaam"), QStringLiteral("imgnr"),   QStringLiteral("telefoon"),
        QStringLiteral("tooltype"), QStringLiteral("medium"),  QStringLiteral("beschrijving"),
        QStringLiteral("type"),     QStringLiteral("dirname"), QStringLiteral("start")};
    TsvTable source;
    if (!readSource(folder, QStringLiteral("Tools"), columns, &source, error))
        return false;
    if (source.rows.empty()) {
        *error = QStringLiteral("%1: the tools window needs at least one tool").arg(source.path);
        return false;
    }

    TableData table;
    table.name = QStringLiteral("Tools");
    for (const QString &column : columns)
        table.columns.push_back(column == QLatin1String("beschrijving") ? memo(column) : text(column));
    QSet<QString> names;
    for (std::size_t row = 0; row < source.rows.size(); ++row) {
        for (const QString &column : columns) {
            if (column != QLatin1String("type") && !checkText(source, row, column, error))
                return false;
        }
        if (!checkTool(source, row, &names, error))
            return false;
        Row values;
        for (const QString &column : columns)
            values.push_back(source.rows[row].at(source.column(column)));
        table.rows.push_back(std::move(values));
    }
    catalogue->tables.push_back(std::move(table));
    return true;
}

QSet<QString> valuesOf(const TableData &table)
{
    QSet<QString> values;
    for (const Row &row : table.rows)
        values.insert(row.front().value_or(QString()));
    return values;
}

} // namespace

bool buildCatalogue(const QString &folder, DiscCatalogue *catalogue, QString *error)
{
    *catalogue = DiscCatalogue{};
    TableData genres, methods, categories;
    if (!buildListTable(folder, QStringLiteral("Genres"), QStringLiteral("Genre"), &genres, error) ||
        !buildListTable(folder, QStringLiteral("Zoekmethodes"), QStringLiteral("Zoekmethode"), &methods,
                        error) ||
        !buildListTable(folder, QStringLiteral("Rubrieken"), QStringLiteral("Groep"), &categories, error))
        return false;
    if (!buildMain(folder, valuesOf(genres), catalogue, error))
        return false;
    catalogue->tables.push_back(std::move(genres));
    catalogue->tables.push_back(std::move(methods));
    catalogue->tables.push_back(std::move(categories));
    return buildTools(folder, catalogue, error);
}

} // namespace brivello::mkdisc
