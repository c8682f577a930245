#include "authoring/CatalogueSchema.h"

namespace brivello::authoring {

namespace {

std::vector<Column> columns(std::initializer_list<const char16_t *> text, ColumnType type = ColumnType::Text)
{
    std::vector<Column> result;
    for (const char16_t *name : text)
        result.push_back({QString::fromUtf16(name), type});
    return result;
}

std::vector<Column> joined(std::initializer_list<std::vector<Column>> parts)
{
    std::vector<Column> result;
    for (const auto &part : parts)
        result.insert(result.end(), part.begin(), part.end());
    return result;
}

std::vector<TableSchema> makeSchema()
{
    using enum ColumnType;
    return {
        {catalogue::Main,
         joined({columns({u"song", u"artiest", u"Genre", u"bestand"}),
                 columns({u"nokia_hand", u"nokia_scherm", u"siemens", u"ericsson", u"motorola"}, Memo),
                 columns({u"aantalnoten", u"tempo"}), columns({u"bieps"}, Memo)})},
        {catalogue::Genres, columns({u"Genre"})},
        {catalogue::Zoekmethodes, columns({u"Zoekmethode"})},
        {catalogue::Rubrieken, columns({u"Groep"})},
        {catalogue::Tools,
         joined({columns({u"toolnaam", u"imgnr", u"telefoon", u"tooltype", u"medium"}),
                 columns({u"beschrijving"}, Memo), columns({u"type", u"dirname", u"start"})})},
    };
}

} // namespace

int TableSchema::column(QStringView name) const
{
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

const std::vector<TableSchema> &catalogueSchema()
{
    static const std::vector<TableSchema> schema = makeSchema();
    return schema;
}

const TableSchema *findCatalogueTable(QStringView name)
{
    for (const TableSchema &table : catalogueSchema()) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

} // namespace brivello::authoring
