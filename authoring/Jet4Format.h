#pragma once

// Byte-level pieces of a Jet 4 database file: column and table definitions,
// text and row encoding, data pages and the database header. The writer in
// Jet4Writer.cpp puts them together.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace brivello::authoring::jet4 {

constexpr int PageSize = 4096;
constexpr int DataPageHeaderSize = 14;
constexpr int MaxRowsPerPage = 255; // the row index of a page/row pointer is one byte
constexpr int MaxRowLength = 4060;  // the longest row Access itself writes
constexpr int UsageMapRowLength = 69;
constexpr int PagesPerBitmapPage = (PageSize - 4) * 8; // 32,736 pages per 0x05 bitmap page
constexpr int ReferenceMapRanges = 17;                 // covers the 2 GB file limit
constexpr uint32_t MaxPages = uint32_t(PagesPerBitmapPage) * ReferenceMapRanges;
constexpr uint32_t LvalOwner = 0x4C41564C; // "LVAL" as it appears in the page
constexpr uint32_t CatalogTdefPage = 2;    // readers look for the catalogue here

enum TypeCode : uint8_t {
    Integer = 0x03,
    LongInteger = 0x04,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
};

struct ColumnDef
{
    QString name;
    uint8_t type = Text;
    uint16_t size = 0; // bytes: 4 for LONG, 2 x characters for TEXT, 0 for MEMO/OLE
    uint16_t colNum = 0;
    uint16_t varIndex = 0;
    uint16_t fixedOffset = 0;
    bool fixed = false;

    bool isLongValue() const { return type == Memo || type == Ole; }
    bool isText() const { return type == Text || type == Memo; }
};

struct TableDef
{
    QString name;
    std::vector<ColumnDef> columns;
    int fixedAreaSize = 0;
    int varCount = 0;
    bool system = false;
};

// One column as the caller describes it: name, type code and, for TEXT and
// BINARY, the size in bytes.
struct ColumnSpec
{
    QString name;
    uint8_t type;
    uint16_t size;
};

// Numbers the columns, lays out the fixed area and the variable-offset table.
TableDef makeTableDef(const QString &name, const std::vector<ColumnSpec> &columns, bool system = false);

// The catalogue table with the 17 columns Access gives it.
TableDef catalogTableDef();

// Where a long-value column keeps the maps of its LVAL pages.
struct LongValueMaps
{
    uint16_t colNum;
    uint32_t usedMap; // pg_row
    uint32_t freeMap; // pg_row
};

struct TdefPointers
{
    uint32_t rowCount = 0;
    uint32_t usedMap = 0; // pg_row of the map of the table's data pages
    uint32_t freeMap = 0; // pg_row of the map of pages with free space
    std::vector<LongValueMaps> longValueMaps;
};

// The table definition page, or an empty array when the definition does not
// fit in one page.
QByteArray encodeTdefPage(const TableDef &table, const TdefPointers &pointers);

// True when the text can take the compressed form (no code unit with a zero low byte).
bool isCompressible(QStringView text);

// Jet 4 text: the compressed form when allowed, possible and shorter,
// otherwise UCS-2LE. A leading U+FEFF forces the compressed form, because in
// UCS-2LE it would read as the compression marker; nullopt when that is impossible.
std::optional<QByteArray> encodeText(QStringView text, bool allowCompression);

// One value of a row: nullopt for NULL, otherwise its stored bytes (the fixed
// bytes of a fixed column, or the data of a variable column).
using Cell = std::optional<QByteArray>;

QByteArray encodeRow(const TableDef &table, const std::vector<Cell> &cells);

QByteArray int16Bytes(int16_t value);
QByteArray int32Bytes(int32_t value);
QByteArray doubleBytes(double value);
void putUInt16(QByteArray &bytes, int offset, uint16_t value);
void putUInt32(QByteArray &bytes, int offset, uint32_t value);

constexpr uint32_t pageRow(uint32_t page, int row)
{
    return (page << 8) | uint32_t(row);
}

// A data page being filled: rows go from the end of the page downwards, in
// the order they are added.
class DataPage
{
public:
    DataPage(uint32_t number, uint32_t owner);

    bool fits(int rowLength) const;
    int add(const QByteArray &row); // returns the row index
    int rowCount() const { return m_rowCount; }
    uint32_t number() const { return m_number; }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    uint32_t m_number;
    int m_rowCount = 0;
    int m_rowStart = PageSize; // start of the last row added
};

// Days since 1899-12-30, the fraction being the time of day.
double toJetDate(const QDateTime &utc);

QByteArray headerPage(double created);

} // namespace brivello::authoring::jet4
