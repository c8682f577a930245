#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace brivello::authoring {

// The column types an authored catalogue needs: TEXT (up to 255 characters),
// MEMO (long text) and LONG INTEGER.
enum class ColumnType { Text, Memo, Long };

struct Column
{
    QString name;
    ColumnType type = ColumnType::Text;
    int maxLength = 255; // characters; only TEXT columns use it
};

// std::nullopt is NULL; LONG columns hold their number as decimal text.
using Value = std::optional<QString>;
using Row = std::vector<Value>;

struct TableData
{
    QString name;
    std::vector<Column> columns;
    std::vector<Row> rows;
};

// A table whose rows are produced one at a time, so that catalogues of a
// million rows never have to sit in memory. `nextRow` fills `row` (one value
// per column) and returns false once there are no more rows.
struct TableSource
{
    QString name;
    std::vector<Column> columns;
    std::function<bool(Row &row)> nextRow;
};

struct WriteOptions
{
    // Stored in the header and in the catalogue rows; the current time when invalid.
    QDateTime created;
};

// Writes a Jet 4 (Access 2000) database holding `tables`, in order, with their
// rows in order. The file appears at `path` only when it is complete: it is
// written to a temporary file in the same folder and then renamed. On failure
// returns false, leaves any existing file at `path` untouched and puts a
// message naming the problem into *error.
bool writeJet4(const QString &path, const std::vector<TableData> &tables, QString *error = nullptr);
bool writeJet4(const QString &path, const std::vector<TableSource> &tables, const WriteOptions &options,
               QString *error = nullptr);

// The number a LONG column stores for `text`: optional sign and decimal
// digits, within 32 bits; nullopt for anything else.
std::optional<int32_t> parseLongValue(const QString &text);

// A TableSource that walks the rows of `table`; `table` must outlive it.
TableSource sourceOf(const TableData &table);

} // namespace brivello::authoring
