#pragma once

#include "data/Catalogue.h"
#include "data/Criteria.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace brivello::data {

// A window's data source on one table (datMain, datGenre, ...). It has its own
// current row, even where several sources share one catalogue.
class DataSource
{
public:
    // Throws CatalogueError when the table is missing or damaged.
    DataSource(std::shared_ptr<Catalogue> catalogue, const QString &tableName);
    // A source on a table that is already in memory.
    explicit DataSource(std::shared_ptr<const Table> table);
    // A source on a table read from `catalogue`, which it keeps open.
    DataSource(std::shared_ptr<Catalogue> catalogue, std::shared_ptr<const Table> table);

    const Table &table() const { return *m_table; }
    const std::shared_ptr<const Table> &sharedTable() const { return m_table; }

    void moveFirst();
    void moveNext();
    // Past the last row; also true at once for an empty table.
    bool eof() const;

    // Find the first row in stored order that satisfies `criteria`, or the
    // next one after the current row. Throw CriteriaError for a string that
    // cannot be read. A find that fails leaves the current row where it was.
    bool findFirst(const QString &criteria);
    bool findNext(const QString &criteria);
    bool noMatch() const { return m_noMatch; }
    // Every row that satisfies `criteria`, in stored order: the rows a
    // find-first and find-next walk stops on, found in one go. The source is
    // left where that walk would leave it. Throws like findFirst.
    std::vector<int> findAll(const QString &criteria);

    // A field of the current row, its name without regard to letter case;
    // empty past the last row. Throws CatalogueError (MissingField).
    QString field(QStringView name) const;
    // A field of the current row by its index in table().columns.
    QString value(int column) const;
    // The index of a field, its name without regard to letter case. Throws
    // CatalogueError (MissingField).
    int columnOf(QStringView name) const;
    // Every row's value of one field, in order. Throws like field().
    QStringList values(QStringView field) const;

    int rowCount() const;
    int position() const { return m_position; }

    // Hears every criteria string handed to findFirst/findNext, in order.
    void setFindObserver(std::function<void(const QString &criteria)> observer);

private:
    bool find(const QString &criteria, int startRow);
    const Criteria &compiled(const QString &criteria);

    std::shared_ptr<Catalogue> m_catalogue; // keeps the file open as long as the source lives
    std::shared_ptr<const Table> m_table;
    int m_position = 0;
    bool m_noMatch = false;
    std::deque<Criteria> m_compiled; // the last few, most recent first
    std::function<void(const QString &)> m_findObserver;
};

} // namespace brivello::data
