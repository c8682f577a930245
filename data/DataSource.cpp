#include "data/DataSource.h"

namespace brivello::data {

namespace {

// The list fill alternates between at most a handful of strings (the search
// and its name variants), so a short list is enough.
constexpr size_t CompiledCriteriaKept = 8;

} // namespace

DataSource::DataSource(std::shared_ptr<Catalogue> catalogue, const QString &tableName)
    : m_catalogue(std::move(catalogue)), m_table(m_catalogue->table(tableName))
{}

DataSource::DataSource(std::shared_ptr<const Table> table) : m_table(std::move(table)) {}

DataSource::DataSource(std::shared_ptr<Catalogue> catalogue, std::shared_ptr<const Table> table)
    : m_catalogue(std::move(catalogue)), m_table(std::move(table))
{}

void DataSource::moveFirst()
{
    m_position = 0;
}

void DataSource::moveNext()
{
    if (!eof())
        ++m_position;
}

bool DataSource::eof() const
{
    return m_position >= rowCount();
}

int DataSource::rowCount() const
{
    return static_cast<int>(m_table->rowCount());
}

bool DataSource::findFirst(const QString &criteria)
{
    return find(criteria, 0);
}

bool DataSource::findNext(const QString &criteria)
{
    return find(criteria, m_position + 1);
}

bool DataSource::find(const QString &criteria, int startRow)
{
    if (m_findObserver)
        m_findObserver(criteria);
    const int row = compiled(criteria).findFrom(*m_table, startRow);
    m_noMatch = row < 0;
    if (!m_noMatch)
        m_position = row;
    return !m_noMatch;
}

const Criteria &DataSource::compiled(const QString &criteria)
{
    for (auto it = m_compiled.begin(); it != m_compiled.end(); ++it) {
        if (it->text() == criteria) {
            if (it != m_compiled.begin()) {
                Criteria found = std::move(*it);
                m_compiled.erase(it);
                m_compiled.push_front(std::move(found));
            }
            return m_compiled.front();
        }
    }
    m_compiled.push_front(Criteria::compile(criteria, *m_table));
    if (m_compiled.size() > CompiledCriteriaKept)
        m_compiled.pop_back();
    return m_compiled.front();
}

int DataSource::columnOf(QStringView name) const
{
    const int column = m_table->column(name);
    if (column < 0) {
        const QString path = m_catalogue ? m_catalogue->path() : QString();
        throw CatalogueError::missingField(path, m_table->name, name.toString());
    }
    return column;
}

QString DataSource::field(QStringView name) const
{
    return value(columnOf(name));
}

QString DataSource::value(int column) const
{
    if (eof())
        return {};
    return m_table->value(static_cast<size_t>(m_position), column);
}

QStringList DataSource::values(QStringView name) const
{
    const int column = columnOf(name);
    QStringList result;
    result.reserve(rowCount());
    for (size_t row = 0; row < m_table->rowCount(); ++row)
        result.append(m_table->value(row, column));
    return result;
}

std::vector<int> DataSource::findAll(const QString &criteria)
{
    if (m_findObserver)
        m_findObserver(criteria);
    std::vector<int> rows = compiled(criteria).findAll(*m_table, 0);
    // Where a find-first and find-next walk would leave the source: on the
    // last row found, with the find after it failed.
    if (!rows.empty())
        m_position = rows.back();
    m_noMatch = true;
    return rows;
}

void DataSource::setFindObserver(std::function<void(const QString &criteria)> observer)
{
    m_findObserver = std::move(observer);
}

} // namespace brivello::data
