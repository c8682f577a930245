#pragma once

#include "data/CatalogueError.h"
#include "data/Table.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

namespace brivello::data {

class MdbFile;

// The catalogue database, an Access file. Each table is read whole the first
// time it is asked for and kept; the data sources of the windows share it.
class Catalogue
{
public:
    // Throws CatalogueError when the file is missing, not an Access database
    // or damaged.
    static std::shared_ptr<Catalogue> open(const QString &path);
    ~Catalogue();
    Catalogue(const Catalogue &) = delete;
    Catalogue &operator=(const Catalogue &) = delete;

    QString path() const;
    // The user tables, in stored order.
    QStringList tableNames() const;
    // The table named `name` without regard to letter case. Throws
    // CatalogueError (MissingTable, or Damaged when its pages are lost).
    std::shared_ptr<const Table> table(const QString &name) const;
    // The table named `name`, holding only the columns `kept` (names without
    // regard to letter case): the others are read from the file when a value
    // of theirs is asked for, one row at a time. Throws like table(), and
    // MissingField for a kept column the table lacks.
    // A read whose `stop` becomes true ends early with Kind::Stopped.
    std::shared_ptr<const Table> table(const QString &name, const QStringList &kept,
                                       const std::atomic<bool> *stop = nullptr) const;
    // Checks that the table `name` has every one of `fields` (names without
    // regard to letter case), reading its definition only: cheap enough for
    // the start-up, whatever the size of the table. Throws CatalogueError
    // (MissingTable, MissingField naming the first field missing, Damaged).
    void requireFields(const QString &name, const QStringList &fields) const;

    // The file and the lock on libmdb's page buffer, shared with the tables
    // that read rows later.
    struct Access;

private:
    explicit Catalogue(std::unique_ptr<MdbFile> file);
    QString storedName(const QString &name) const;

    std::shared_ptr<Access> m_access;
    const MdbFile *m_file;
    mutable std::mutex m_cacheMutex; // guards the cache
    mutable std::map<QString, std::shared_ptr<const Table>> m_tables;
};

} // namespace brivello::data
