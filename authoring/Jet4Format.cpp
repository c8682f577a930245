#include "authoring/Jet4Format.h"

#include <QtEndian>

#include <array>
#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;

namespace brivello::authoring::jet4 {

namespace {

// Bytes 0x18-0x97 of the header are stored XORed with this fixed key stream.
constexpr std::array<uint8_t, 128> HeaderMask = {
    0xb5, 0x6f, 0x03, 0x62, 0x61, 0x08, 0xc2, 0x55, 0xeb, 0xa9, 0x67, 0x72, 0x43, 0x3f, 0x00, 0x9c,
    0x7a, 0x9f, 0x90, 0xff, 0x80, 0x9a, 0x31, 0xc5, 0x79, 0xba, 0xed, 0x30, 0xbc, 0xdf, 0xcc, 0x9d,
    0x63, 0xd9, 0xe4, 0xc3, 0x7b, 0x42, 0xfb, 0x8a, 0xbc, 0x4e, 0x86, 0xfb, 0xec, 0x37, 0x5d, 0x44,
    0x9c, 0xfa, 0xc6, 0x5e, 0x28, 0xe6, 0x13, 0xb6, 0x8a, 0x60, 0x54, 0x94, 0x7b, 0x36, 0xf5, 0x72,
    0xdf, 0xb1, 0x77, 0xf4, 0x13, 0x43, 0xcf, 0xaf, 0xb1, 0x33, 0x34, 0x61, 0x79, 0x5b, 0x92, 0xb5,
    0x7c, 0x2a, 0x05, 0xf1, 0x7c, 0x99, 0x01, 0x1b, 0x98, 0xfd, 0x12, 0x4f, 0x4a, 0x94, 0x6c, 0x3e,
    0x60, 0x26, 0x5f, 0x95, 0xf8, 0xd0, 0x89, 0x24, 0x85, 0x67, 0xc6, 0x1f, 0x27, 0x44, 0xd2, 0xee,
    0xcf, 0x65, 0xed, 0xff, 0x07, 0xc7, 0x46, 0xa1, 0x78, 0x16, 0x0c, 0xed, 0xe9, 0x2d, 0x62, 0xd4,
};
constexpr int MaskStart = 0x18;

constexpr int TdefColumnsStart = 63;
constexpr int ColumnDescriptorSize = 25;
constexpr uint16_t GeneralSortOrder = 0x0409;
constexpr uint8_t FlagFixed = 0x01;
constexpr uint8_t FlagUserColumn = 0x02;
constexpr uint8_t FlagCompressedUnicode = 0x01;

void appendUInt16(QByteArray &bytes, uint16_t value)
{
    const int at = int(bytes.size());
    bytes.resize(at + 2);
    putUInt16(bytes, at, value);
}

void appendUInt32(QByteArray &bytes, uint32_t value)
{
    const int at = int(bytes.size());
    bytes.resize(at + 4);
    putUInt32(bytes, at, value);
}

QByteArray ucs2(QStringView text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        bytes[2 * i] = char(unit & 0xFF);
        bytes[2 * i + 1] = char(unit >> 8);
    }
    return bytes;
}

// The compressed form: FF FE, then one byte per character while in one-byte
// mode; a zero byte switches between one-byte and two-byte mode.
QByteArray compressed(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size() + 8);
    bytes.append(char(0xFF));
    bytes.append(char(0xFE));
    bool oneByteMode = true;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        const bool fitsOneByte = unit <= 0xFF;
        if (fitsOneByte != oneByteMode) {
            bytes.append('\0');
            oneByteMode = fitsOneByte;
        }
        bytes.append(char(unit & 0xFF));
        if (!oneByteMode)
            bytes.append(char(unit >> 8));
    }
    return bytes;
}

QByteArray columnDescriptor(const ColumnDef &column)
{
    QByteArray bytes(ColumnDescriptorSize, '\0');
    bytes[0] = char(column.type);
    putUInt16(bytes, 5, column.colNum);
    putUInt16(bytes, 7, column.fixed ? 0 : column.varIndex);
    putUInt16(bytes, 9, column.colNum);
    putUInt16(bytes, 11, column.isText() ? GeneralSortOrder : 0);
    bytes[15] = char(column.fixed ? (FlagFixed | FlagUserColumn) : FlagUserColumn);
    bytes[16] = char(column.isText() ? FlagCompressedUnicode : 0);
    putUInt16(bytes, 21, column.fixed ? column.fixedOffset : 0);
    putUInt16(bytes, 23, column.size);
    return bytes;
}

} // namespace

void putUInt16(QByteArray &bytes, int offset, uint16_t value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void putUInt32(QByteArray &bytes, int offset, uint32_t value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

QByteArray int16Bytes(int16_t value)
{
    QByteArray bytes(2, '\0');
    putUInt16(bytes, 0, uint16_t(value));
    return bytes;
}

QByteArray int32Bytes(int32_t value)
{
    QByteArray bytes(4, '\0');
    putUInt32(bytes, 0, uint32_t(value));
    return bytes;
}

QByteArray doubleBytes(double value)
{
    uint64_t raw = 0;
    std::memcpy(&raw, &value, sizeof raw);
    QByteArray bytes(8, '\0');
    qToLittleEndian(raw, bytes.data());
    return bytes;
}

TableDef makeTableDef(const QString &name, const std::vector<ColumnSpec> &columns, bool system)
{
    TableDef table;
    table.name = name;
    table.system = system;
    for (const ColumnSpec &wanted : columns) {
        ColumnDef column;
        column.name = wanted.name;
        column.type = wanted.type;
        column.size = wanted.size;
        column.colNum = uint16_t(table.columns.size());
        column.fixed = wanted.type == Integer || wanted.type == LongInteger || wanted.type == DateTime;
        if (column.fixed) {
            column.fixedOffset = uint16_t(table.fixedAreaSize);
            table.fixedAreaSize += wanted.size;
        } else {
            column.varIndex = uint16_t(table.varCount++);
        }
        table.columns.push_back(column);
    }
    return table;
}

TableDef catalogTableDef()
{
    return makeTableDef(u"MSysObjects"_s,
                        {
                            {u"Id"_s, LongInteger, 4},
                            {u"ParentId"_s, LongInteger, 4},
                            {u"Name"_s, Text, 510},
                            {u"Type"_s, Integer, 2},
                            {u"DateCreate"_s, DateTime, 8},
                            {u"DateUpdate"_s, DateTime, 8},
                            {u"Owner"_s, Binary, 510},
                            {u"Flags"_s, LongInteger, 4},
                            {u"Database"_s, Memo, 0},
                            {u"Connect"_s, Memo, 0},
                            {u"ForeignName"_s, Text, 510},
                            {u"RmtInfoShort"_s, Binary, 510},
                            {u"RmtInfoLong"_s, Ole, 0},
                            {u"Lv"_s, Ole, 0},
                            {u"LvProp"_s, Ole, 0},
                            {u"LvModule"_s, Ole, 0},
                            {u"LvExtra"_s, Ole, 0},
                        },
                        true);
}

QByteArray encodeTdefPage(const TableDef &table, const TdefPointers &pointers)
{
    QByteArray page(TdefColumnsStart, '\0');
    page[0] = 0x02;
    page[1] = 0x01;
    putUInt32(page, 16, pointers.rowCount);
    page[24] = 0x01;
    page[40] = char(table.system ? 0x53 : 0x4E);
    const auto columnCount = uint16_t(table.columns.size());
    putUInt16(page, 41, columnCount);
    putUInt16(page, 43, uint16_t(table.varCount));
    putUInt16(page, 45, columnCount);
    putUInt32(page, 55, pointers.usedMap);
    putUInt32(page, 59, pointers.freeMap);
    for (const ColumnDef &column : table.columns)
        page.append(columnDescriptor(column));
    for (const ColumnDef &column : table.columns) {
        const QByteArray name = ucs2(column.name);
        appendUInt16(page, uint16_t(name.size()));
        page.append(name);
    }
    for (const LongValueMaps &maps : pointers.longValueMaps) {
        appendUInt16(page, maps.colNum);
        appendUInt32(page, maps.usedMap);
        appendUInt32(page, maps.freeMap);
    }
    page.append(char(0xFF));
    page.append(char(0xFF));
    const int length = int(page.size());
    if (length > PageSize - 8)
        return {};
    putUInt16(page, 2, uint16_t(PageSize - 8 - length));
    putUInt32(page, 8, uint32_t(length));
    page.resize(PageSize, '\0');
    return page;
}

bool isCompressible(QStringView text)
{
    for (const QChar c : text) {
        if ((c.unicode() & 0xFF) == 0)
            return false;
    }
    return true;
}

std::optional<QByteArray> encodeText(QStringView text, bool allowCompression)
{
    if (text.isEmpty())
        return QByteArray();
    const bool startsWithMarker = text.front().unicode() == 0xFEFF;
    if (!isCompressible(text))
        return startsWithMarker ? std::nullopt : std::optional<QByteArray>(ucs2(text));
    if (allowCompression || startsWithMarker) {
        QByteArray packed = compressed(text);
        if (startsWithMarker || packed.size() < text.size() * 2)
            return packed;
    }
    return ucs2(text);
}

QByteArray encodeRow(const TableDef &table, const std::vector<Cell> &cells)
{
    QByteArray row;
    row.reserve(64);
    appendUInt16(row, uint16_t(table.columns.size()));
    row.append(QByteArray(table.fixedAreaSize, '\0'));
    std::vector<const ColumnDef *> variable(size_t(table.varCount), nullptr);
    for (const ColumnDef &column : table.columns) {
        if (!column.fixed) {
            variable[column.varIndex] = &column;
            continue;
        }
        const Cell &cell = cells[column.colNum];
        if (cell)
            std::memcpy(row.data() + 2 + column.fixedOffset, cell->constData(), size_t(column.size));
    }
    if (table.varCount > 0) {
        std::vector<uint16_t> offsets;
        offsets.reserve(variable.size());
        for (const ColumnDef *column : variable) {
            offsets.push_back(uint16_t(row.size()));
            if (const Cell &cell = cells[column->colNum])
                row.append(*cell);
        }
        appendUInt16(row, uint16_t(row.size())); // end of the variable data
        for (auto it = offsets.rbegin(); it != offsets.rend(); ++it)
            appendUInt16(row, *it);
        appendUInt16(row, uint16_t(table.varCount));
    }
    QByteArray nullMask((table.columns.size() + 7) / 8, '\0');
    for (const ColumnDef &column : table.columns) {
        if (cells[column.colNum])
            nullMask[column.colNum / 8] = char(nullMask[column.colNum / 8] | (1 << (column.colNum % 8)));
    }
    row.append(nullMask);
    return row;
}

DataPage::DataPage(uint32_t number, uint32_t owner) : m_bytes(PageSize, '\0'), m_number(number)
{
    m_bytes[0] = 0x01;
    m_bytes[1] = 0x01;
    putUInt16(m_bytes, 2, uint16_t(PageSize - DataPageHeaderSize));
    putUInt32(m_bytes, 4, owner);
}

bool DataPage::fits(int rowLength) const
{
    const int used = DataPageHeaderSize + 2 * m_rowCount + (PageSize - m_rowStart);
    return m_rowCount < MaxRowsPerPage && used + rowLength + 2 <= PageSize;
}

int DataPage::add(const QByteArray &row)
{
    m_rowStart -= int(row.size());
    std::memcpy(m_bytes.data() + m_rowStart, row.constData(), size_t(row.size()));
    putUInt16(m_bytes, DataPageHeaderSize + 2 * m_rowCount, uint16_t(m_rowStart));
    ++m_rowCount;
    putUInt16(m_bytes, 12, uint16_t(m_rowCount));
    const int used = DataPageHeaderSize + 2 * m_rowCount + (PageSize - m_rowStart);
    putUInt16(m_bytes, 2, uint16_t(PageSize - used));
    return m_rowCount - 1;
}

double toJetDate(const QDateTime &utc)
{
    constexpr double DaysFrom1899To1970 = 25569.0;
    return DaysFrom1899To1970 + double(utc.toMSecsSinceEpoch()) / 86400000.0;
}

QByteArray headerPage(double created)
{
    QByteArray page(PageSize, '\0');
    page[1] = 0x01;
    const QByteArray magic("Standard Jet DB");
    std::memcpy(page.data() + 4, magic.constData(), size_t(magic.size()));
    page[0x14] = 0x01; // Jet 4

    QByteArray plain(HeaderMask.size(), '\0');
    auto at = [](int fileOffset) { return fileOffset - MaskStart; };
    putUInt16(plain, at(0x3C), 1252); // code page
    putUInt32(plain, at(0x3E), 0);    // database key: not encrypted
    // "No password" is the creation day XORed with an empty password.
    const auto day = uint32_t(int32_t(std::floor(created)));
    for (int i = 0; i < 10; ++i)
        putUInt32(plain, at(0x42) + 4 * i, day);
    putUInt32(plain, at(0x6E), GeneralSortOrder);
    const QByteArray date = doubleBytes(created);
    std::memcpy(plain.data() + at(0x72), date.constData(), 8);
    for (size_t i = 0; i < HeaderMask.size(); ++i)
        page[MaskStart + int(i)] = char(uint8_t(plain[int(i)]) ^ HeaderMask[i]);
    return page;
}

} // namespace brivello::authoring::jet4
