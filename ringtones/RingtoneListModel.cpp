#include "ringtones/RingtoneListModel.h"

namespace brivello::ringtones {

void RingtoneListModel::append(std::vector<RingtoneRow> rows)
{
    if (rows.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    if (m_rows.empty()) {
        m_rows = std::move(rows);
    } else {
        m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()),
                      std::make_move_iterator(rows.end()));
    }
    endInsertRows();
}

void RingtoneListModel::appendNoResult()
{
    append({RingtoneRow{QStringLiteral("--"), {}, {}, {}, false}});
}

void RingtoneListModel::clear()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
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
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const RingtoneRow &entry = row(index.row());
    switch (index.column()) {
    case Song:
        return entry.song;
    case Artist:
        return entry.hasSubItems ? QVariant(entry.artist) : QVariant();
    case Genre:
        return entry.hasSubItems ? QVariant(entry.genre) : QVariant();
    case File:
        return entry.hasSubItems ? QVariant(entry.file) : QVariant();
    default:
        return {};
    }
}

QVariant RingtoneListModel::headerData(int, Qt::Orientation, int role) const
{
    // The columns carry no captions.
    return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
}

} // namespace brivello::ringtones
