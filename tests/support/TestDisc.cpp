#include "tests/support/TestDisc.h"

#include "authoring/Jet4Writer.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace brivello::test {

namespace {

using authoring::Column;
using authoring::ColumnType;
using authoring::Row;
using authoring::TableData;

TableData mainTable(const std::vector<TestRingtone> &ringtones)
{
    TableData table{u"Main"_s, {}, {}};
    for (const char *name : {"song", "artiest", "Genre", "bestand", "nokia_hand", "nokia_scherm", "siemens",
                             "ericsson", "motorola", "aantalnoten", "tempo"})
        table.columns.push_back({QString::fromLatin1(name), ColumnType::Text, 255});
    table.columns.push_back({u"bieps"_s, ColumnType::Memo, 0});
    for (const TestRingtone &tone : ringtones) {
        Row row{tone.song, tone.artist, tone.genre, tone.file};
        for (const char *model : {"nokia hand", "nokia scherm", "siemens", "ericsson", "motorola"})
            row.push_back(u"%1 code of %2"_s.arg(QLatin1String(model), tone.song));
        row.push_back(QString::number(tone.song.size()));
        row.push_back(u"120"_s);
        row.push_back(u"%1:d=4,o=5,b=120:c,e,g"_s.arg(tone.song));
        table.rows.push_back(std::move(row));
    }
    return table;
}

TableData listTable(const QString &name, const QString &field, const QStringList &values)
{
    TableData table{name, {{field, ColumnType::Text, 255}}, {}};
    for (const QString &value : values)
        table.rows.push_back(Row{value});
    return table;
}

TableData toolsTable()
{
    TableData table{u"Tools"_s, {}, {}};
    for (const char *name :
         {"toolnaam", "imgnr", "telefoon", "tooltype", "medium", "beschrijving", "type", "dirname", "start"})
        table.columns.push_back({QString::fromLatin1(name), ColumnType::Text, 255});
    table.columns[1].type = ColumnType::Long;
    table.rows.push_back(Row{u"Logo Editor"_s, u"1"_s, u"Nokia"_s, u"Editor"_s, u"CD"_s, u"Disegna loghi"_s,
                             u"K"_s, u"LogoEditor"_s, u"setup.exe"_s});
    return table;
}

// The table without the columns `leftOut` names, and without their values.
// A table has at least one column: its only column is renamed instead.
TableData withoutFields(TableData table, const QStringList &leftOut)
{
    for (size_t c = table.columns.size(); c-- > 0;) {
        if (!leftOut.contains(table.name + u'.' + table.columns[c].name))
            continue;
        if (table.columns.size() == 1) {
            table.columns[c].name = u"Altro"_s;
            continue;
        }
        table.columns.erase(table.columns.begin() + static_cast<std::ptrdiff_t>(c));
        for (Row &row : table.rows)
            row.erase(row.begin() + static_cast<std::ptrdiff_t>(c));
    }
    return table;
}

} // namespace

std::vector<TestRingtone> sampleRingtones()
{
    return {
        {u"Rose"_s, u"Anna Verdi"_s, u"Pop"_s, u"rose"_s},
        {u"Blue Night"_s, u"The Keys"_s, u"Rock/Pop"_s, u"bluenight"_s},
        {u"rosa"_s, u"Marco Bianchi"_s, u"Dance"_s, u"rosa"_s},
        {u"Tema"_s, u"Anna Verdi"_s, u"Pop/Rock"_s, u"tema"_s},
    };
}

bool writeTestDisc(const QString &folder, const TestCatalogue &catalogue, QString *error)
{
    QDir disc(folder);
    if (!disc.mkpath(u"datafiles"_s)) {
        *error = u"cannot make %1/datafiles"_s.arg(folder);
        return false;
    }
    std::vector<TableData> tables{
        listTable(u"Genres"_s, u"Genre"_s, catalogue.genres),
        listTable(u"Zoekmethodes"_s, u"Zoekmethode"_s, catalogue.methods),
        listTable(u"Rubrieken"_s, u"Groep"_s, catalogue.categories),
        toolsTable(),
    };
    if (catalogue.withMainTable)
        tables.insert(tables.begin(), mainTable(catalogue.ringtones));
    for (TableData &table : tables)
        table = withoutFields(std::move(table), catalogue.leftOut);
    return authoring::writeJet4(disc.filePath(u"datafiles/ringtones.dat"_s), tables, error);
}

bool zeroPageHolding(const QString &path, const QString &text, QString *error)
{
    constexpr qsizetype pageSize = 4096;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        *error = file.errorString();
        return false;
    }
    QByteArray bytes = file.readAll();
    // The writer stores short texts compressed (one byte a character) and
    // others as UTF-16.
    const QByteArray narrow = text.toLatin1();
    const QByteArray wide(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    std::vector<qsizetype> pages;
    for (qsizetype page = 0; page * pageSize < bytes.size(); ++page) {
        const QByteArray content = bytes.mid(page * pageSize, pageSize);
        if (content.contains(narrow) || content.contains(wide))
            pages.push_back(page);
    }
    if (pages.size() != 1) {
        *error = u"%1 pages hold \"%2\""_s.arg(pages.size()).arg(text);
        return false;
    }
    bytes.replace(pages.front() * pageSize, pageSize, QByteArray(pageSize, '\0'));
    if (!file.seek(0) || file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace brivello::test
