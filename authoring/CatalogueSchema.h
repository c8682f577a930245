#pragma once

// The five tables of the ringtone catalogue and their columns, as the
// windows read them. Everything that writes a catalogue (the sample disc,
// test fixtures, the generator) takes its tables from here.

#include "authoring/Jet4Writer.h"

#include <QStringView>

namespace brivello::authoring {

using namespace Qt::StringLiterals;

struct TableSchema
{
    QString name;
    std::vector<Column> columns;

    // Index of the column named `name` without regard to letter case; -1 when absent.
    int column(QStringView name) const;
    // An empty table with these columns.
    TableData empty() const { return {name, columns, {}}; }
};

namespace catalogue {
inline const QString Main = u"Main"_s;
inline const QString Genres = u"Genres"_s;
inline const QString Zoekmethodes = u"Zoekmethodes"_s;
inline const QString Rubrieken = u"Rubrieken"_s;
inline const QString Tools = u"Tools"_s;
} // namespace catalogue

// Main, Genres, Zoekmethodes, Rubrieken and Tools, in that order. Main keeps
// the phone codes and the ringtone text in MEMO columns: a long melody's
// codes run past the 255 characters of a TEXT column.
const std::vector<TableSchema> &catalogueSchema();

// The catalogue table named `name` without regard to letter case, or nullptr.
const TableSchema *findCatalogueTable(QStringView name);

} // namespace brivello::authoring
