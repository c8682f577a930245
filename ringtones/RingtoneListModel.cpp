#include "ringtones/RingtoneListModel.h"

#include "data/Table.h"

using namespace Qt::StringLiterals;

namespace brivello::ringtones {

void RingtoneListModel::append(std::vector<RingtoneRow> rows)
{
    if (rows.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    m_rows.reserve(m_rows.size() + rows.size());
    for (RingtoneRow &row : rows) {
        m_texts.push_back(std::move(row));
        m_rows.push_back(-static_cast<qint32>(m_texts.size()));
    }
    endInsertRows();
}

void RingtoneListModel::appendTableRows(std::shared_ptr<const data::Table> table, const TableColumns &columns,
                                        const std::vector<int> &rows)
{
    if (rows.empty())
        return;
    if (m_table && (m_table != table || m_columns != columns))
        keepTableRowsAsTexts();
    m_table = std::move(table);
    m_columns = columns;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    m_rows.insert(m_rows.end(), rows.begin(), rows.end());
    endInsertRows();
}

// Rows of another table are kept by their texts, so every place in m_rows
// belongs to one table.
void RingtoneListModel::keepTableRowsAsTexts()
{
    for (qint32 &place : m_rows) {
        if (place >= 0) {
            m_texts.push_back(row(static_cast<int>(&place - m_rows.data())));
            place = -static_cast<qint32>(m_texts.size());
        }
    }
    m_table.reset();
}

void RingtoneListModel::appendNoResult()
{
    append({RingtoneRow{u"--"_s, {}, {}, {}, false}});
}

void RingtoneListModel::clear()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows = {};
    m_texts = {};
    endResetModel();
}

RingtoneRow RingtoneListModel::row(int index) const
{
    const qint32 place = m_rows.at(static_cast<size_t>(index));
    if (place < 0)
        return m_texts.at(static_cast<size_t>(-place - 1));
    const auto tableRow = static_cast<size_t>(place);
    return {m_table->value(tableRow, m_columns[Song]), m_table->value(tableRow, m_columns[Artist]),
            m_table->value(tableRow, m_columns[Genre]), m_table->value(tableRow, m_columns[File]), true};
}

bool RingtoneListModel::isNoResult(int index) const
{
    const qint32 place = m_rows.at(static_cast<size_t>(index));
    return place < 0 && !m_texts.at(static_cast<size_t>(-place - 1)).hasSubItems;
}

QString RingtoneListModel::text(int index, Column column) const
{
    const qint32 place = m_rows.at(static_cast<size_t>(index));
    if (place >= 0)
        return m_table->value(static_cast<size_t>(place), m_columns[column]);
    const RingtoneRow &entry = m_texts.at(static_cast<size_t>(-place - 1));
    switch (column) {
    case Song:
        return entry.song;
    case Artist:
        return entry.artist;
    case Genre:
        return entry.genre;
    default:
        return entry.file;
    }
}

int RingtoneListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RingtoneListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RingtoneListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.column() >= ColumnCount)
        return {};
    const auto column = static_cast<Column>(index.column());
    if (column != Song && isNoResult(index.row()))
        return {};
    return text(index.row(), column);
}

QVariant RingtoneListModel::headerData(int, Qt::Orientation, int role) const
{
    // The columns carry no captions.
    return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
}

} // namespace brivello::ringtones
