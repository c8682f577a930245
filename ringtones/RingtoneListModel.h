#pragma once

#include <QAbstractTableModel>

#include <vector>

namespace brivello::ringtones {

// One row of the ringtone list: the title is the row's text, artist, genre
// and file name its three sub-items.
struct RingtoneRow
{
    QString song;
    QString artist;
    QString genre;
    QString file;
    bool hasSubItems = true;
};

// The rows of lstMain. Rows are appended in batches, so that a search that
// finds a hundred thousand ringtones tells the view once.
class RingtoneListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Song, Artist, Genre, File, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void append(std::vector<RingtoneRow> rows);
    // The row a search adds when it found nothing: the text "--", no sub-items.
    void appendNoResult();
    void clear();

    const RingtoneRow &row(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }
    bool isNoResult(int index) const { return !row(index).hasSubItems; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<RingtoneRow> m_rows;
};

} // namespace brivello::ringtones
