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

const Table::FoldedColumn &Table::foldedColumn(int column) const
{
    const std::lock_guard lock(m_foldMutex);
    if (m_folded.size() < static_cast<size_t>(columns.size()))
        m_folded.resize(columns.size());
    auto &slot = m_folded.at(column);
    if (!slot) {
        auto folded = std::make_unique<FoldedColumn>();
        folded->starts.reserve(rows.size() + 1);
        for (const QStringList &row : rows) {
            folded->starts.push_back(folded->text.size());
            if (column < row.size()) {
                const QString value = foldCase(row.at(column));
                folded->text.append(reinterpret_cast<const char16_t *>(value.utf16()), value.size());
            }
        }
        folded->starts.push_back(folded->text.size());
        slot = std::move(folded);
    }
    return *slot;
}

QString foldCase(const QString &text)
{
    return text.toCaseFolded();
}

} // namespace brivello::data
