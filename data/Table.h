#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace brivello::data {

// The values of one column of a table, one after another in one block, so a
// scan reads memory in order and a row costs four bytes besides its text.
class TextColumn
{
public:
    size_t size() const { return m_ends.size(); }
    QStringView at(size_t row) const
    {
        const quint32 start = row == 0 ? 0 : m_ends[row - 1];
        return QStringView(m_text.data() + start, static_cast<qsizetype>(m_ends[row] - start));
    }
    // Throws std::length_error when the column would outgrow 4 Gi characters.
    void append(QStringView value);
    // A value as UTF-8 bytes; plain ASCII is widened in place, without a
    // QString of its own.
    void appendUtf8(const char *bytes, qsizetype length);
    void reserve(size_t rows) { m_ends.reserve(rows); }
    // Room for `characters` of text in all, so that appending them copies
    // nothing already held.
    void reserveText(size_t characters) { m_text.reserve(characters); }
    size_t textSize() const { return m_text.size(); }
    // Gives back room left over, unless it is too little to be worth the copy.
    void shrinkToFit();
    // Bytes held, for the memory the catalogue reports.
    size_t bytes() const
    {
        return m_text.capacity() * sizeof(char16_t) + m_ends.capacity() * sizeof(quint32);
    }

private:
    std::u16string m_text;
    std::vector<quint32> m_ends; // where each row's value ends in m_text
};

// What a table kept in part reads from its file when it is asked for a value
// it does not hold: one row whole, or one column whole.
class TableReader
{
public:
    virtual ~TableReader() = default;
    // Every column's value of one row, in the table's column order.
    virtual QStringList readRow(size_t row) const = 0;   // throws CatalogueError
    virtual TextColumn readColumn(int column) const = 0; // throws CatalogueError
};

// One table of the catalogue in its stored order. It does not change after it
// has been read; a null value reads as empty text. A large table may be kept
// in part: the columns it does not hold are read from the file when asked for,
// one row at a time for a value, the whole column for a search on it.
class Table
{
public:
    QString name;
    QStringList columns; // as stored

    Table();
    // A table held whole; rows[r][c], a short row reads as empty past its end.
    Table(QString name, QStringList columns, const std::vector<QStringList> &rows);
    // A table held in part: `kept` has one entry per column, null where the
    // column is left in the file for `reader`.
    Table(QString name, QStringList columns, size_t rowCount, std::vector<std::unique_ptr<TextColumn>> kept,
          std::shared_ptr<const TableReader> reader);
    Table(const Table &other);
    Table &operator=(const Table &other);
    ~Table();

    size_t rowCount() const { return m_rowCount; }
    // Index of the column without regard to letter case; -1 when absent.
    int column(QStringView name) const;
    bool holds(int column) const;

    // A value, read from the file when its column is not held. Throws
    // CatalogueError when that read fails.
    QString value(size_t row, int column) const;
    QStringList row(size_t row) const;
    // Every row whole, for a small table.
    std::vector<QStringList> rows() const;

    // The values of one column case-folded, made the first time they are
    // asked for (a column not held is read whole first). The column stays
    // where it is for the table's life, so callers may keep the reference
    // while they scan.
    const TextColumn &foldedColumn(int column) const;
    // Makes the folded columns of `columns` now, so the first search need
    // not; they are made side by side, one thread each after the first.
    void prepareFolded(const QList<int> &columns) const;

    // Bytes held by the values and their folded forms.
    size_t bytes() const;

private:
    struct Slot
    {
        std::atomic<const TextColumn *> text{nullptr};
        std::atomic<const TextColumn *> folded{nullptr};
        // Held while the folded form is made, so that columns fold side by side.
        std::mutex folding;
    };
    void adopt(std::vector<std::shared_ptr<const TextColumn>> texts,
               std::vector<std::shared_ptr<const TextColumn>> folded);
    const TextColumn &heldColumn(int column) const;

    size_t m_rowCount = 0;
    std::shared_ptr<const TableReader> m_reader;
    std::unique_ptr<Slot[]> m_slots;
    mutable std::mutex m_mutex; // guards what follows and the reads of the reader
    mutable std::vector<std::shared_ptr<const TextColumn>> m_texts;
    mutable std::vector<std::shared_ptr<const TextColumn>> m_folded;
    mutable size_t m_cachedRow = SIZE_MAX; // the last row read from the file
    mutable QStringList m_cachedValues;
};

// The case-folded form every comparison of the catalogue uses: "È" and "è"
// fold alike.
QString foldCase(const QString &text);

} // namespace brivello::data
