#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace brivello::data {

// One table of the catalogue, read whole in its stored order. It does not
// change after it has been read; a null value reads as empty text.
struct Table
{
    QString name;
    QStringList columns;           // as stored
    std::vector<QStringList> rows; // rows[r][c]

    Table() = default;
    Table(QString name, QStringList columns, std::vector<QStringList> rows);
    Table(const Table &other);
    Table &operator=(const Table &other);
    ~Table();

    // Index of the column without regard to letter case; -1 when absent.
    int column(QStringView name) const;

    // The values of one column case-folded, made the first time they are
    // asked for. They lie one after another in one block, so a scan reads
    // memory in order. The column stays where it is for the table's life, so
    // callers may keep the reference while they scan.
    struct FoldedColumn
    {
        std::u16string text;
        std::vector<size_t> starts; // one per row, plus the end of the text

        QStringView at(size_t row) const
        {
            return QStringView(text.data() + starts[row],
                               static_cast<qsizetype>(starts[row + 1] - starts[row]));
        }
    };
    const FoldedColumn &foldedColumn(int column) const;

private:
    mutable std::mutex m_foldMutex;
    mutable std::vector<std::unique_ptr<FoldedColumn>> m_folded;
};

// The case-folded form every comparison of the catalogue uses: "È" and "è"
// fold alike.
QString foldCase(const QString &text);

} // namespace brivello::data
