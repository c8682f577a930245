#pragma once

#include "data/AccessHeader.h"
#include "data/Table.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

namespace brivello::data {

// An Access database file opened through libmdb. The file is checked before
// libmdb reads it, and every table read is checked against the file's size,
// so a cut-off copy gives CatalogueError instead of silently fewer rows.
class MdbFile
{
public:
    explicit MdbFile(const QString &path); // throws CatalogueError
    ~MdbFile();
    MdbFile(const MdbFile &) = delete;
    MdbFile &operator=(const MdbFile &) = delete;

    const QString &path() const { return m_path; }
    const AccessHeader &header() const { return m_header; }
    // User tables in the catalogue's stored order, names as stored.
    const QStringList &tableNames() const { return m_tableNames; }
    // Reads one table whole, `name` as tableNames() spells it.
    Table readTable(const QString &name) const; // throws CatalogueError
    // The column names of a table, from its definition alone: no row is read.
    QStringList columnNames(const QString &name) const; // throws CatalogueError

    // Some columns of a table (indexes into its columns; all when `wanted` is
    // empty), with, when `locate` is set, where each row lies in the file for
    // readRow. The columns not wanted cost no reading of their long texts.
    struct ColumnRead
    {
        QString name;
        QStringList columns;
        size_t rowCount = 0;
        std::vector<std::unique_ptr<TextColumn>> kept; // null where not wanted
        std::vector<quint32> locations;
    };
    // A read whose `stop` becomes true ends early with CatalogueError::Kind::Stopped.
    ColumnRead readColumns(const QString &name, const QList<int> &wanted, bool locate,
                           const std::atomic<bool> *stop = nullptr) const; // throws
    // Every column of the row at `location` (from readColumns).
    QStringList readRow(const QString &name, quint32 location) const; // throws CatalogueError

    // The buffer libmdb converts one value into; a value that fills it is read
    // again with a larger one. 0 restores the default of 256 KiB.
    static void setInitialBindSize(size_t bytes);

private:
    void readCatalogue();

    QString m_path;
    AccessHeader m_header;
    struct Handle; // libmdb's handle, whose type is only known inside
    std::unique_ptr<Handle> m_handle;
    QStringList m_tableNames;
};

} // namespace brivello::data
