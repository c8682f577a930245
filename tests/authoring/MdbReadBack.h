#pragma once

// Reading test files back through libmdb: its command-line tools (the way a
// user would check a file) and its C API (the only way it tells NULL from "").

#include "authoring/Jet4Writer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace brivello::authoring::test {

struct ToolResult
{
    bool ok = false;
    QByteArray output;
    QString errors;
};

ToolResult runTool(const QString &program, const QStringList &arguments);

// `mdb-tables -1`: the user tables, in catalogue order.
QStringList mdbTables(const QString &file);
// `mdb-count`; -1 when it fails.
qint64 mdbCount(const QString &file, const QString &table);
// `mdb-export` of a table: the header row first, then every row. NULL comes
// out as an empty text. nullopt when mdb-export fails.
std::optional<std::vector<QStringList>> mdbExport(const QString &file, const QString &table);

struct LibmdbTable
{
    QStringList columns;
    std::vector<int> columnTypes; // libmdb type codes
    std::vector<Row> rows;        // NULL as std::nullopt
};

// The whole table through the libmdb C API, telling NULL from "" with
// mdb_crack_row; nullopt (and *error) when libmdb cannot open or find it.
std::optional<LibmdbTable> readWithLibmdb(const QString &file, const QString &table,
                                          QString *error = nullptr);

// Hands every row `mdb-export` prints to `visit`, one at a time, through a
// file beside `file` (for tables too large to hold as text; values must not
// contain line breaks). False when mdb-export fails.
bool forEachExportedRow(const QString &file, const QString &table,
                        const std::function<void(const QStringList &)> &visit);

// Hands every row of the table to `visit` without keeping them; false (and
// *error) when libmdb cannot open the file or find the table.
bool forEachLibmdbRow(const QString &file, const QString &table,
                      const std::function<void(const Row &)> &visit, QString *error = nullptr);

struct MdbReaderDump
{
    QString skipReason; // not empty when node or the package is missing
    QString error;      // not empty when mdb-reader failed on the file
    QStringList tables;
    std::map<QString, std::vector<Row>> rows; // NULL as std::nullopt
};

// Every table of the file read by the npm package mdb-reader (an independent
// implementation), through the node script beside these tests.
MdbReaderDump readWithMdbReader(const QString &file);

// One page of a file, for checks on the layout itself.
QByteArray readPage(const QString &file, uint32_t page);

} // namespace brivello::authoring::test
