#pragma once

#include "data/AccessHeader.h"
#include "data/Table.h"

#include <QString>
#include <QStringList>

#include <memory>

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

private:
    void readCatalogue();

    QString m_path;
    AccessHeader m_header;
    struct Handle; // libmdb's handle, whose type is only known inside
    std::unique_ptr<Handle> m_handle;
    QStringList m_tableNames;
};

} // namespace brivello::data
