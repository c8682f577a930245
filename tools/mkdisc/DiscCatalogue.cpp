#include "tools/mkdisc/DiscCatalogue.h"

#include "authoring/CatalogueSchema.h"
#include "authoring/CatalogueSource.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <map>

using namespace Qt::StringLiterals;

namespace brivello::mkdisc {

namespace {

using authoring::Column;
using authoring::ColumnType;
using authoring::Row;
using authoring::TableData;
using authoring::TableSchema;

// The author writes song, artiest, Genre, bestand and bieps of a ringtone;
// the rest of its row is derived from bieps.
const std::vector<TableSchema> &sourceSchema()
{
    static const std::vector<TableSchema> schema = [] {
        std::vector<TableSchema> tables = authoring::catalogueSchema();
        for (TableSchema &table : tables) {
            if (table.name == authoring::catalogue::Main)
                table.columns = {{u"song"_s},
                                 {u"artiest"_s},
                                 {u"Genre"_s},
                                 {u"bestand"_s},
                                 {u"bieps"_s, ColumnType::Memo}};
        }
        return tables;
    }();
    return schema;
}

// A table as read from its source, with the source line of each row so that
// a mistake can be shown where the author wrote it.
struct SourceTable
{
    QString path;
    TableData data;
    std::vector<int> lines;

    QString value(std::size_t row, const QString &column) const
    {
        for (std::size_t i = 0; i < data.columns.size(); ++i) {
            if (data.columns[i].name == column)
                return data.rows[row][i].value_or(QString());
        }
        return {};
    }

    QString error(std::size_t row, const QString &message) const
    {
        return u"%1:%2: %3"_s.arg(path).arg(lines.at(row)).arg(message);
    }
};

// Rows are the non-blank lines after the header, one line each (a field
// cannot hold a raw line break).
std::vector<int> rowLines(const QString &path)
{
    std::vector<int> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const QList<QByteArray> text = file.readAll().split('\n');
    bool header = true;
    for (int index = 0; index < text.size(); ++index) {
        if (text[index].trimmed().isEmpty())
            continue;
        if (!header)
            lines.push_back(index + 1);
        header = false;
    }
    return lines;
}

bool readSource(const QString &folder, const QString &name, SourceTable *table, QString *error)
{
    table->path = QDir(folder).filePath(name + u".tsv"_s);
    if (!authoring::readTableSource(table->path, sourceSchema(), &table->data, error))
        return false;
    table->lines = rowLines(table->path);
    if (table->lines.size() != table->data.rows.size()) {
        *error = u"%1: rows could not be matched to lines"_s.arg(table->path);
        return false;
    }
    return true;
}

bool requireText(const SourceTable &table, std::size_t row, const QString &column, QString *error)
{
    if (table.value(row, column).trimmed().isEmpty()) {
        *error = table.error(row, u"%1 is empty"_s.arg(column));
        return false;
    }
    return true;
}

bool checkListTable(const SourceTable &table, QString *error)
{
    for (std::size_t row = 0; row < table.data.rows.size(); ++row) {
        if (!requireText(table, row, table.data.columns.front().name, error))
            return false;
    }
    return true;
}

const TableSchema &mainSchema()
{
    return *authoring::findCatalogueTable(authoring::catalogue::Main);
}

Row mainRow(const SourceTable &source, std::size_t row, const melody::Melody &tune)
{
    const std::map<QString, QString> values = {{u"song"_s, source.value(row, u"song"_s)},
                                               {u"artiest"_s, source.value(row, u"artiest"_s)},
                                               {u"Genre"_s, source.value(row, u"Genre"_s)},
                                               {u"bestand"_s, source.value(row, u"bestand"_s)},
                                               {u"nokia_hand"_s, melody::nokiaKeypad(tune)},
                                               {u"nokia_scherm"_s, melody::nokiaScreen(tune)},
                                               {u"siemens"_s, melody::siemensScreen(tune)},
                                               {u"ericsson"_s, melody::ericssonScreen(tune)},
                                               {u"motorola"_s, melody::motorolaScreen(tune)},
                                               {u"aantalnoten"_s, QString::number(melody::noteCount(tune))},
                                               {u"tempo"_s, QString::number(tune.bpm)},
                                               {u"bieps"_s, source.value(row, u"bieps"_s)}};
    Row result;
    for (const Column &column : mainSchema().columns) {
        const auto found = values.find(column.name);
        result.push_back(found == values.end() ? authoring::Value() : authoring::Value(found->second));
    }
    return result;
}

bool checkRingtone(const SourceTable &source, std::size_t row, const QSet<QString> &genres,
                   QSet<QString> *files, QString *error)
{
    for (const Column &column : source.data.columns) {
        if (!requireText(source, row, column.name, error))
            return false;
    }
    // The recording's name becomes a file name on a disc read without regard
    // to letter case.
    const QString bestand = source.value(row, u"bestand"_s);
    if (files->contains(bestand.toLower())) {
        *error = source.error(row, u"bestand %1 is used twice"_s.arg(bestand));
        return false;
    }
    files->insert(bestand.toLower());
    for (const QString &genre : source.value(row, u"Genre"_s).split(QLatin1Char('/'))) {
        if (!genres.contains(genre)) {
            *error = source.error(row, u"genre %1 is not in Genres"_s.arg(genre));
            return false;
        }
    }
    return true;
}

bool buildMain(const SourceTable &source, const QSet<QString> &genres, DiscCatalogue *catalogue,
               QString *error)
{
    TableData table = mainSchema().empty();
    QSet<QString> files;
    for (std::size_t row = 0; row < source.data.rows.size(); ++row) {
        if (!checkRingtone(source, row, genres, &files, error))
            return false;
        const melody::RtttlReading reading = melody::readRtttl(source.value(row, u"bieps"_s));
        if (!reading.ok()) {
            *error = source.error(row, u"bieps: %1"_s.arg(reading.error));
            return false;
        }
        for (const QString &fix : reading.fixes)
            catalogue->warnings.append(source.error(row, fix));
        table.rows.push_back(mainRow(source, row, reading.melody));
        catalogue->recordings.push_back(Recording{source.value(row, u"bestand"_s), reading.melody});
    }
    catalogue->tables.push_back(std::move(table));
    return true;
}

bool checkTool(const SourceTable &source, std::size_t row, QSet<QString> *names, QString *error)
{
    for (const Column &column : source.data.columns) {
        if (column.name != QLatin1String("type") && !requireText(source, row, column.name, error))
            return false;
    }
    const QString name = source.value(row, u"toolnaam"_s);
    // The tools window finds a tool by its name between apostrophes.
    if (name.contains(QLatin1Char('\''))) {
        *error = source.error(row, u"toolnaam %1 holds an apostrophe"_s.arg(name));
        return false;
    }
    if (names->contains(name)) {
        *error = source.error(row, u"toolnaam %1 is used twice"_s.arg(name));
        return false;
    }
    names->insert(name);
    bool isNumber = false;
    const int picture = source.value(row, u"imgnr"_s).toInt(&isNumber);
    if (!isNumber || picture < 1 || picture > 31) {
        *error = source.error(row, u"imgnr must be a number from 1 to 31"_s);
        return false;
    }
    const QString dirname = source.value(row, u"dirname"_s);
    if (dirname.contains(QLatin1Char('/')) || dirname.contains(QLatin1Char('\\')) ||
        dirname.startsWith(QLatin1Char('.'))) {
        *error = source.error(row, u"dirname must name one folder below tools"_s);
        return false;
    }
    return true;
}

bool checkTools(const SourceTable &source, QString *error)
{
    if (source.data.rows.empty()) {
        *error = u"%1: the tools window needs at least one tool"_s.arg(source.path);
        return false;
    }
    QSet<QString> names;
    for (std::size_t row = 0; row < source.data.rows.size(); ++row) {
        if (!checkTool(source, row, &names, error))
            return false;
    }
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
    SourceTable main, genres, methods, categories, tools;
    if (!readSource(folder, authoring::catalogue::Genres, &genres, error) || !checkListTable(genres, error) ||
        !readSource(folder, authoring::catalogue::Zoekmethodes, &methods, error) ||
        !checkListTable(methods, error) ||
        !readSource(folder, authoring::catalogue::Rubrieken, &categories, error) ||
        !checkListTable(categories, error) || !readSource(folder, authoring::catalogue::Main, &main, error) ||
        !readSource(folder, authoring::catalogue::Tools, &tools, error) || !checkTools(tools, error))
        return false;
    if (!buildMain(main, valuesOf(genres.data), catalogue, error))
        return false;
    catalogue->tables.push_back(std::move(genres.data));
    catalogue->tables.push_back(std::move(methods.data));
    catalogue->tables.push_back(std::move(categories.data));
    catalogue->tables.push_back(std::move(tools.data));
    return true;
}

} // namespace brivello::mkdisc
