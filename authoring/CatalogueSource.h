#pragma once

// The text sources of a catalogue: one UTF-8 file per table, named after the
// table ("Main.tsv"). The first line names the columns, separated by tabs, in
// any order but each column of the table once; every further line is one row
// with one field per column. Inside a field a backslash starts an escape:
// \t tab, \n line feed, \r carriage return, \\ backslash, \e nothing (so a
// row of one empty text is not a blank line); a field that is exactly \N is
// NULL. An empty field is an empty text. Blank lines are skipped; lines may
// end in CR LF.

#include "authoring/CatalogueSchema.h"

namespace brivello::authoring {

// Reads one table file. The table is the one of `schema` named by the file's
// base name. On failure returns false with "file:line: message" in *error.
bool readTableSource(const QString &path, const std::vector<TableSchema> &schema, TableData *table,
                     QString *error);

// Reads `<name>.tsv` of every table of `schema` from `folder`, in schema
// order; a .tsv file there that names no table of the schema is an error too.
bool readCatalogueSource(const QString &folder, const std::vector<TableSchema> &schema,
                         std::vector<TableData> *tables, QString *error);

// One value as a field of a table file (the inverse of the reading above).
QString sourceField(const Value &value);

} // namespace brivello::authoring
