#include "data/Table.h"

namespace brivello::data {

Table::Table(QString name, QStringList columns, std::vector<QStringList> rows)
    : name(std::move(name)), columns(std::move(columns)), rows(std::move(rows))
{}

Table::Table(const Table &other) : name(other.name), columns(other.columns), rows(other.rows) {}

Table &Table::operator=(const Table &other)
{
    if (this == &other)
        return *this;
    name = other.name;
    columns = other.columns;
    rows = other.rows;
    const std::lock_guard lock(m_foldMutex);
    m_folded.clear();
    return *this;
}

Table::~Table() = default;

int Table::column(QStringView wanted) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (QStringView(columns.at(i)).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const std::vector<QString> &Table::foldedColumn(int column) const
{
    const std::lock_guard lock(m_foldMutex);
    if (m_folded.size() < static_cast<size_t>(columns.size()))
        m_folded.resize(columns.size());
    auto &slot = m_folded.at(column);
    if (!slot) {
        auto values = std::make_unique<std::vector<QString>>();
        values->reserve(rows.size());
        for (const QStringList &row : rows)
            values->push_back(column < row.size() ? foldCase(row.at(column)) : QString());
        slot = std::move(values);
    }
    return *slot;
}

QString foldCase(const QString &text)
{
    return text.toCaseFolded();
}

} // namespace brivello::data
