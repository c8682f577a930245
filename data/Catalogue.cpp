#include "data/Catalogue.h"

#include "data/MdbFile.h"

namespace brivello::data {

std::shared_ptr<Catalogue> Catalogue::open(const QString &path)
{
    return std::shared_ptr<Catalogue>(new Catalogue(std::make_unique<MdbFile>(path)));
}

Catalogue::Catalogue(std::unique_ptr<MdbFile> file) : m_file(std::move(file)) {}

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
    const std::lock_guard lock(m_mutex);
    auto &cached = m_tables[stored];
    if (!cached)
        cached = std::make_shared<const Table>(m_file->readTable(stored));
    return cached;
}

void Catalogue::requireFields(const QString &name, const QStringList &fields) const
{
    const QString stored = storedName(name);
    QStringList columns;
    {
        const std::lock_guard lock(m_mutex);
        const auto cached = m_tables.find(stored);
        columns = cached != m_tables.end() && cached->second ? cached->second->columns
                                                             : m_file->columnNames(stored);
    }
    for (const QString &field : fields) {
        if (!columns.contains(field, Qt::CaseInsensitive))
            throw CatalogueError::missingField(m_file->path(), stored, field);
    }
}

} // namespace brivello::data
