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

std::shared_ptr<const Table> Catalogue::table(const QString &name) const
{
    QString stored;
    for (const QString &candidate : m_file->tableNames()) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0) {
            stored = candidate;
            break;
        }
    }
    if (stored.isEmpty())
        throw CatalogueError::missingTable(m_file->path(), name);

    const std::lock_guard lock(m_mutex);
    auto &cached = m_tables[stored];
    if (!cached)
        cached = std::make_shared<const Table>(m_file->readTable(stored));
    return cached;
}

} // namespace brivello::data
