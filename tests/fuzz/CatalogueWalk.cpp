#include "tests/fuzz/CatalogueWalk.h"

#include "data/Catalogue.h"
#include "data/DataSource.h"

using namespace Qt::StringLiterals;

namespace brivello::fuzz {

namespace {

QStringList names(std::initializer_list<const char16_t *> list)
{
    QStringList result;
    for (const char16_t *name : list)
        result.append(QString::fromUtf16(name));
    return result;
}

// The fields each window asks for in its load step.
void checkFields(const data::Catalogue &catalogue)
{
    catalogue.requireFields(
        u"Main"_qs, names({u"song", u"artiest", u"Genre", u"bestand", u"nokia_hand", u"nokia_scherm",
                           u"siemens", u"ericsson", u"motorola", u"aantalnoten", u"tempo", u"bieps"}));
    catalogue.requireFields(u"Zoekmethodes"_qs, {u"Zoekmethode"_qs});
    catalogue.requireFields(u"Genres"_qs, {u"Genre"_qs});
    catalogue.requireFields(u"Tools"_qs, names({u"toolnaam", u"imgnr", u"telefoon", u"tooltype", u"medium",
                                                u"beschrijving", u"type", u"dirname", u"start"}));
    catalogue.requireFields(u"Rubrieken"_qs, {u"Groep"_qs});
}

QStringList toolNames(const std::shared_ptr<data::Catalogue> &catalogue)
{
    data::DataSource tools(catalogue, u"Tools"_qs);
    QStringList result;
    for (tools.moveFirst(); !tools.eof(); tools.moveNext())
        result.append(tools.field(u"toolnaam"));
    // The install dialog reads the first tool whole.
    tools.moveFirst();
    for (const QString &field : tools.table().columns)
        tools.field(field);
    return result;
}

} // namespace

WalkResult startUpAndFirstSearch(const QString &path)
{
    const auto catalogue = data::Catalogue::open(path);
    checkFields(*catalogue);
    WalkResult result;
    result.methods = data::DataSource(catalogue, u"Zoekmethodes"_qs).values(u"Zoekmethode");
    result.genres = data::DataSource(catalogue, u"Genres"_qs).values(u"Genre");
    result.tools = toolNames(catalogue);
    result.categories = data::DataSource(catalogue, u"Rubrieken"_qs).values(u"Groep");

    // The ringtone table as the home window reads it: the listed columns
    // held, the others left in the file.
    const QStringList listed = names({u"song", u"artiest", u"Genre", u"bestand"});
    const auto main = catalogue->table(u"Main"_qs, listed);
    QList<int> columns;
    for (const QString &field : listed)
        columns.append(main->column(field));
    main->prepareFolded(columns);
    data::DataSource ringtones(catalogue, main);
    result.ringtones = static_cast<std::size_t>(ringtones.rowCount());

    // A first search, an artist search with its contains pass, and the
    // details of the first row found, read from the file.
    std::vector<int> rows = ringtones.findAll(u"artiest like 'A*'"_qs);
    const std::vector<int> more = ringtones.findAll(u"artiest like '*A*'"_qs);
    rows.insert(rows.end(), more.begin(), more.end());
    result.found = rows.size();
    if (!rows.empty()) {
        const auto row = static_cast<size_t>(rows.front());
        const auto quoted = [&](const char16_t *field) {
            return data::quoteLiteral(main->value(row, main->column(QString::fromUtf16(field))));
        };
        const QString criteria = u"song = '"_qs + quoted(u"song") + u"' and artiest = '"_qs +
                                 quoted(u"artiest") + u"' and bestand = '"_qs + quoted(u"bestand") + u"'"_qs;
        if (ringtones.findFirst(criteria)) {
            for (const QString &field : main->columns)
                result.firstDetails.append(ringtones.field(field));
        }
    }
    return result;
}

std::size_t readEveryTable(const QString &path)
{
    const auto catalogue = data::Catalogue::open(path);
    std::size_t rows = 0;
    for (const QString &name : catalogue->tableNames())
        rows += catalogue->table(name)->rowCount();
    return rows;
}

} // namespace brivello::fuzz
