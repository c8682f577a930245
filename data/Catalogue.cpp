#include "data/Catalogue.h"

#include "data/MdbFile.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brivello::data {

struct Catalogue::Access
{
    explicit Access(std::unique_ptr<MdbFile> file) : file(std::move(file)) {}
    std::unique_ptr<MdbFile> file;
    std::mutex mutex; // libmdb's handle reads one page at a time
};

namespace {

// Reads the values a table kept in part leaves in the file.
class RowsInFile : public TableReader
{
public:
    RowsInFile(std::shared_ptr<Catalogue::Access> access, QString table, std::vector<quint32> locations)
        : m_access(std::move(access)), m_table(std::move(table)), m_locations(std::move(locations))
    {}

    QStringList readRow(size_t row) const override;
    TextColumn readColumn(int column) const override;

private:
    std::shared_ptr<Catalogue::Access> m_access;
    QString m_table;
    std::vector<quint32> m_locations;
};

} // namespace

std::shared_ptr<Catalogue> Catalogue::open(const QString &path)
{
    return std::shared_ptr<Catalogue>(new Catalogue(std::make_unique<MdbFile>(path)));
}

Catalogue::Catalogue(std::unique_ptr<MdbFile> file)
    : m_access(std::make_shared<Access>(std::move(file))), m_file(m_access->file.get())
{}

Catalogue::~Catalogue() = default;

QString Catalogue::path() const
{
    return m_file->path();
}

QStringList Catalogue::tableNames() const
{
    return m_file->tableNames();
}

QString Catalogue::storedName(const QString &name) const
{
    for (const QString &candidate : m_file->tableNames()) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    throw CatalogueError::missingTable(m_file->path(), name);
}

std::shared_ptr<const Table> Catalogue::table(const QString &name) const
{
    const QString stored = storedName(name);
    const std::lock_guard cacheLock(m_cacheMutex);
    auto &cached = m_tables[stored];
    if (!cached) {
        const std::lock_guard lock(m_access->mutex);
        cached = std::make_shared<const Table>(m_file->readTable(stored));
    }
    return cached;
}

std::shared_ptr<const Table> Catalogue::table(const QString &name, const QStringList &kept,
                                              const std::atomic<bool> *stop) const
{
    const QString stored = storedName(name);
    const QStringList columns = [&] {
        const std::lock_guard lock(m_access->mutex);
        return m_file->columnNames(stored);
    }();
    QList<int> wanted;
    for (const QString &field : kept) {
        const auto found = std::find_if(columns.begin(), columns.end(), [&](const QString &column) {
            return column.compare(field, Qt::CaseInsensitive) == 0;
        });
        if (found == columns.end())
            throw CatalogueError::missingField(m_file->path(), stored, field);
        wanted.append(static_cast<int>(found - columns.begin()));
    }
    MdbFile::ColumnRead read = [&] {
        const std::lock_guard lock(m_access->mutex);
        return m_file->readColumns(stored, wanted, true, stop);
    }();
    const size_t rows = read.rowCount;
    auto reader = std::make_shared<RowsInFile>(m_access, stored, std::move(read.locations));
    return std::make_shared<const Table>(read.name, read.columns, rows, std::move(read.kept),
                                         std::move(reader));
}

void Catalogue::requireFields(const QString &name, const QStringList &fields) const
{
    const QString stored = storedName(name);
    QStringList columns;
    {
        const std::lock_guard cacheLock(m_cacheMutex);
        const auto cached = m_tables.find(stored);
        if (cached != m_tables.end() && cached->second) {
            columns = cached->second->columns;
        } else {
            const std::lock_guard lock(m_access->mutex);
            columns = m_file->columnNames(stored);
        }
    }
    for (const QString &field : fields) {
        if (!columns.contains(field, Qt::CaseInsensitive))
            throw CatalogueError::missingField(m_file->path(), stored, field);
    }
}

QStringList RowsInFile::readRow(size_t row) const
{
    const std::lock_guard lock(m_access->mutex);
    return m_access->file->readRow(m_table, m_locations.at(row));
}

TextColumn RowsInFile::readColumn(int column) const
{
    MdbFile::ColumnRead read = [&] {
        const std::lock_guard lock(m_access->mutex);
        return m_access->file->readColumns(m_table, {column}, false);
    }();
    // The file does not change under the program; a different count means
    // the disc was swapped or is failing.
    if (read.rowCount != m_locations.size() || !read.kept.at(static_cast<size_t>(column)))
        throw CatalogueError::damaged(m_access->file->path(),
                                      u"la tabella «%1» non ha più le righe lette prima"_s.arg(m_table));
    return std::move(*read.kept[static_cast<size_t>(column)]);
}

} // namespace brivello::data
