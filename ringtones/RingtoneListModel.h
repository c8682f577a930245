#pragma once

#include <QAbstractTableModel>

#include <array>
#include <memory>
#include <vector>

namespace brivello::data {
class Table;
}

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
// finds a hundred thousand ringtones tells the view once. A row found in the
// catalogue is held as its place in the ringtone table, so a long list costs
// four bytes a row; its texts are taken from the table when shown.
class RingtoneListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Song, Artist, Genre, File, ColumnCount };
    // The table's columns that hold song, artist, genre and file, in that order.
    using TableColumns = std::array<int, ColumnCount>;

    using QAbstractTableModel::QAbstractTableModel;

    void append(std::vector<RingtoneRow> rows);
    // Appends rows of `table` by their places in it.
    void appendTableRows(std::shared_ptr<const data::Table> table, const TableColumns &columns,
                         const std::vector<int> &rows);
    // The row a search adds when it found nothing: the text "--", no sub-items.
    void appendNoResult();
    void clear();

    RingtoneRow row(int index) const;
    bool isNoResult(int index) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString text(int index, Column column) const;
    void keepTableRowsAsTexts();

    std::shared_ptr<const data::Table> m_table;
    TableColumns m_columns{};
    // A row of m_table when 0 or more, else -(i + 1) for m_texts[i].
    std::vector<qint32> m_rows;
    std::vector<RingtoneRow> m_texts;
};

} // namespace brivello::ringtones
