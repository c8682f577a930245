#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace brivello::mkdisc {

// One table of the catalogue as its author keeps it: a UTF-8 text file whose
// first line names the columns and whose every further line is one row, the
// values separated by tabs. Empty lines are skipped.
struct TsvTable
{
    QString path;
    QStringList columns;
    std::vector<QStringList> rows;
    std::vector<int> lineNumbers; // the source line of each row, for messages

    int column(const QString &name) const { return columns.indexOf(name); }
};

// Reads `path`; on failure returns false with "file:line: what" in *error.
bool readTsv(const QString &path, TsvTable *table, QString *error);

// "file:line: message" for row `row` of `table`.
QString rowError(const TsvTable &table, std::size_t row, const QString &message);

} // namespace brivello::mkdisc
