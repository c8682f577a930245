#include "authoring/Jet4Writer.h"

#include "authoring/Jet4PageFile.h"

#include <QCoreApplication>
#include <QSet>

using namespace Qt::StringLiterals;

namespace brivello::authoring {

using namespace jet4;

namespace {

constexpr uint32_t FirstMapPage = 3;
constexpr int MapRowsPerPage = (PageSize - DataPageHeaderSize) / (UsageMapRowLength + 2);
constexpr int MaxNameLength = 64;
constexpr int InlineMemoBytes = 64;       // longer memo data goes to LVAL pages
constexpr int CompressedMemoChars = 1024; // longer memo text is stored uncompressed
constexpr int SingleLvalBytes = PageSize - DataPageHeaderSize - 2;
constexpr int ChainPieceBytes = SingleLvalBytes - 4;
constexpr int MaxMemoBytes = 0xFFFFFF;
constexpr int32_t TablesContainerId = 0x0F000001;
constexpr int32_t ContainersParentId = 0x0F000000;
constexpr int32_t SystemObjectFlags = int32_t(0x80000000u);
constexpr int16_t TableObjectType = 1;
constexpr int16_t ContainerObjectType = 3;

QString tr(const char *text)
{
    return QCoreApplication::translate("Jet4Writer", text);
}

// The rows of the usage-map pages (pages 3 and on), handed out to tables in order.
class MapSlots
{
public:
    explicit MapSlots(int count) : m_rows(size_t(count), emptyUsageMapRow()) {}

    int reserve(int count)
    {
        const int first = m_next;
        m_next += count;
        return first;
    }
    static uint32_t pointer(int slot)
    {
        return pageRow(FirstMapPage + uint32_t(slot / MapRowsPerPage), slot % MapRowsPerPage);
    }
    void set(int slot, const QByteArray &row) { m_rows[size_t(slot)] = row; }
    int pageCount() const { return (int(m_rows.size()) + MapRowsPerPage - 1) / MapRowsPerPage; }

    void writePages(PageFile &file) const
    {
        for (int page = 0; page < pageCount(); ++page) {
            DataPage data(FirstMapPage + uint32_t(page), 0);
            const size_t end = std::min(m_rows.size(), size_t((page + 1) * MapRowsPerPage));
            for (size_t slot = size_t(page * MapRowsPerPage); slot < end; ++slot)
                data.add(m_rows[slot]);
            file.write(data.number(), data.bytes());
        }
    }

private:
    std::vector<QByteArray> m_rows;
    int m_next = 0;
};

int slotsFor(const TableDef &table)
{
    int count = 2;
    for (const ColumnDef &column : table.columns)
        count += column.isLongValue() ? 2 : 0;
    return count;
}

QByteArray memoHeader(int length, uint8_t kind, uint32_t pointer)
{
    QByteArray header(12, '\0');
    putUInt32(header, 0, uint32_t(length));
    header[3] = char(kind);
    putUInt32(header, 4, pointer);
    return header;
}

// The LVAL pages of one MEMO column: short values stay in the row, the
// rest goes to one LVAL row or a chain of them.
class LongValueStore
{
public:
    LongValueStore(PageFile &file, uint16_t colNum) : m_stream(file, LvalOwner), m_colNum(colNum) {}

    QByteArray store(const QByteArray &data)
    {
        const int length = int(data.size());
        if (length <= InlineMemoBytes)
            return memoHeader(length, 0x80, 0) + data;
        if (length <= SingleLvalBytes)
            return memoHeader(length, 0x40, m_stream.add(data));
        // The chain is placed last piece first, so each piece knows where the next one is.
        std::vector<QByteArray> pieces;
        for (int at = 0; at < length; at += ChainPieceBytes)
            pieces.push_back(data.mid(at, ChainPieceBytes));
        uint32_t next = 0;
        for (auto it = pieces.rbegin(); it != pieces.rend(); ++it)
            next = m_stream.add(int32Bytes(int32_t(next)) + *it);
        return memoHeader(length, 0x00, next);
    }

    void finish() { m_stream.finish(); }
    uint16_t colNum() const { return m_colNum; }
    const std::vector<uint32_t> &pages() const { return m_stream.pages(); }

private:
    PageStream m_stream;
    uint16_t m_colNum;
};

uint8_t typeCode(ColumnType type)
{
    switch (type) {
    case ColumnType::Text:
        return Text;
    case ColumnType::Memo:
        return Memo;
    case ColumnType::Long:
        return LongInteger;
    }
    return Text;
}

uint16_t sizeOf(const Column &column)
{
    switch (column.type) {
    case ColumnType::Text:
        return uint16_t(2 * column.maxLength);
    case ColumnType::Memo:
        return 0;
    case ColumnType::Long:
        return 4;
    }
    return 0;
}

bool isValidName(const QString &name)
{
    return !name.trimmed().isEmpty() && name.size() <= MaxNameLength && !name.contains(QChar(0));
}

QString checkColumns(const TableSource &table)
{
    if (table.columns.empty())
        return tr("table \"%1\" has no columns").arg(table.name);
    if (table.columns.size() > 255)
        return tr("table \"%1\" has more than 255 columns").arg(table.name);
    QSet<QString> seen;
    for (const Column &column : table.columns) {
        if (!isValidName(column.name))
            return tr("table \"%1\": invalid column name \"%2\"").arg(table.name, column.name);
        if (seen.contains(column.name.toCaseFolded()))
            return tr("table \"%1\": column \"%2\" appears twice").arg(table.name, column.name);
        seen.insert(column.name.toCaseFolded());
        if (column.type == ColumnType::Text && (column.maxLength < 1 || column.maxLength > 255))
            return tr("table \"%1\", column \"%2\": a TEXT column holds 1 to 255 characters, not %3")
                .arg(table.name, column.name)
                .arg(column.maxLength);
    }
    return {};
}

// The table definitions, or a message naming what is wrong with them.
QString defineTables(const std::vector<TableSource> &tables, std::vector<TableDef> *defs)
{
    QSet<QString> seen{u"msysobjects"_s};
    for (const TableSource &table : tables) {
        if (!isValidName(table.name))
            return tr("invalid table name \"%1\"").arg(table.name);
        if (seen.contains(table.name.toCaseFolded()))
            return tr("table name \"%1\" is used twice or is reserved").arg(table.name);
        seen.insert(table.name.toCaseFolded());
        if (const QString problem = checkColumns(table); !problem.isEmpty())
            return problem;
        std::vector<ColumnSpec> specs;
        for (const Column &column : table.columns)
            specs.push_back({column.name, typeCode(column.type), sizeOf(column)});
        defs->push_back(makeTableDef(table.name, specs));
    }
    return {};
}

// Writes the TDEF, data pages and LVAL pages of one user table.
class TableWriter
{
public:
    TableWriter(PageFile &file, const TableDef &def, const TableSource &source, MapSlots &slots)
        : m_file(file), m_def(def), m_source(source), m_slots(slots)
    {}

    // Returns the TDEF page, or 0 after a failure (the message is in the page file).
    uint32_t write()
    {
        m_tdefPage = m_file.allocate();
        m_rows.emplace(m_file, m_tdefPage);
        m_firstSlot = m_slots.reserve(slotsFor(m_def));
        for (const ColumnDef &column : m_def.columns) {
            if (column.isLongValue())
                m_longValues.emplace_back(std::make_unique<LongValueStore>(m_file, column.colNum));
        }
        if (!writeRows())
            return 0;
        finishMaps();
        writeTdef();
        return m_file.failed() ? 0 : m_tdefPage;
    }

private:
    bool writeRows()
    {
        Row values;
        while (m_source.nextRow && m_source.nextRow(values)) {
            ++m_rowCount;
            std::vector<Cell> cells;
            if (!toCells(values, &cells))
                return false;
            const QByteArray row = encodeRow(m_def, cells);
            if (row.size() > MaxRowLength)
                return fail(tr("the row is %1 bytes long, more than the %2 a row can hold; "
                               "use MEMO columns for long texts")
                                .arg(row.size())
                                .arg(MaxRowLength));
            m_rows->add(row);
            if (m_file.failed())
                return false;
            values.clear();
        }
        m_rows->finish();
        for (auto &store : m_longValues)
            store->finish();
        return !m_file.failed();
    }

    bool toCells(const Row &values, std::vector<Cell> *cells)
    {
        if (values.size() != m_source.columns.size())
            return fail(tr("%1 values for %2 columns").arg(values.size()).arg(m_source.columns.size()));
        size_t longValue = 0;
        for (size_t i = 0; i < values.size(); ++i) {
            const Column &column = m_source.columns[i];
            LongValueStore *store =
                column.type == ColumnType::Memo ? m_longValues[longValue++].get() : nullptr;
            if (!values[i]) {
                cells->push_back(std::nullopt);
                continue;
            }
            std::optional<QByteArray> cell = toCell(column, *values[i], store);
            if (!cell)
                return false;
            cells->push_back(std::move(cell));
        }
        return true;
    }

    std::optional<QByteArray> toCell(const Column &column, const QString &text, LongValueStore *store)
    {
        if (column.type == ColumnType::Long) {
            if (const auto number = parseLongValue(text))
                return int32Bytes(*number);
            fail(tr("column \"%1\": \"%2\" is not a whole number between -2147483648 and 2147483647")
                     .arg(column.name, text.left(40)));
            return std::nullopt;
        }
        if (text.contains(QChar(0))) {
            fail(tr("column \"%1\": text contains a NUL character").arg(column.name));
            return std::nullopt;
        }
        if (column.type == ColumnType::Text && text.size() > column.maxLength) {
            fail(tr("column \"%1\": text of %2 characters, more than the %3 the column holds")
                     .arg(column.name)
                     .arg(text.size())
                     .arg(column.maxLength));
            return std::nullopt;
        }
        const bool compress = column.type == ColumnType::Text || text.size() <= CompressedMemoChars;
        std::optional<QByteArray> bytes = encodeText(text, compress);
        if (!bytes || (column.type == ColumnType::Text && bytes->size() > 2 * column.maxLength)) {
            fail(tr("column \"%1\": a text that begins with U+FEFF must be storable in compressed form")
                     .arg(column.name));
            return std::nullopt;
        }
        if (column.type == ColumnType::Text)
            return bytes;
        if (bytes->size() > MaxMemoBytes) {
            fail(tr("column \"%1\": MEMO text of %2 bytes is too long").arg(column.name).arg(bytes->size()));
            return std::nullopt;
        }
        return store->store(*bytes);
    }

    bool fail(const QString &message)
    {
        m_file.fail(tr("table \"%1\", row %2: %3").arg(m_def.name).arg(m_rowCount).arg(message));
        return false;
    }

    void finishMaps()
    {
        m_slots.set(m_firstSlot, usageMapRow(m_rows->pages(), m_file));
        int slot = m_firstSlot + 2;
        for (const auto &store : m_longValues) {
            m_slots.set(slot, usageMapRow(store->pages(), m_file));
            m_pointers.longValueMaps.push_back(
                {store->colNum(), MapSlots::pointer(slot), MapSlots::pointer(slot + 1)});
            slot += 2;
        }
    }

    void writeTdef()
    {
        m_pointers.rowCount = uint32_t(m_rowCount);
        m_pointers.usedMap = MapSlots::pointer(m_firstSlot);
        m_pointers.freeMap = MapSlots::pointer(m_firstSlot + 1);
        const QByteArray page = encodeTdefPage(m_def, m_pointers);
        if (page.isEmpty()) {
            m_file.fail(
                tr("table \"%1\": its columns do not fit in one table definition page").arg(m_def.name));
            return;
        }
        m_file.write(m_tdefPage, page);
    }

    PageFile &m_file;
    const TableDef &m_def;
    const TableSource &m_source;
    MapSlots &m_slots;
    std::optional<PageStream> m_rows;
    std::vector<std::unique_ptr<LongValueStore>> m_longValues;
    TdefPointers m_pointers;
    uint32_t m_tdefPage = 0;
    int m_firstSlot = 0;
    qint64 m_rowCount = 0;
};

std::vector<Cell> catalogRow(const TableDef &catalog, int32_t id, int32_t parent, const QString &name,
                             int16_t type, int32_t flags, double created)
{
    std::vector<Cell> cells(catalog.columns.size());
    cells[0] = int32Bytes(id);
    cells[1] = int32Bytes(parent);
    cells[2] = encodeText(name, true);
    cells[3] = int16Bytes(type);
    cells[4] = doubleBytes(created);
    cells[5] = doubleBytes(created);
    cells[7] = int32Bytes(flags);
    return cells;
}

// MSysObjects: its rows list the tables in the order readers will list them.
void writeCatalog(PageFile &file, const TableDef &catalog, const std::vector<TableDef> &tables,
                  const std::vector<uint32_t> &tdefPages, MapSlots &slots, int firstSlot, double created)
{
    PageStream rows(file, CatalogTdefPage);
    rows.add(encodeRow(catalog, catalogRow(catalog, TablesContainerId, ContainersParentId, u"Tables"_s,
                                           ContainerObjectType, SystemObjectFlags, created)));
    rows.add(encodeRow(catalog, catalogRow(catalog, int32_t(CatalogTdefPage), TablesContainerId, catalog.name,
                                           TableObjectType, SystemObjectFlags, created)));
    for (size_t i = 0; i < tables.size(); ++i)
        rows.add(encodeRow(catalog, catalogRow(catalog, int32_t(tdefPages[i]), TablesContainerId,
                                               tables[i].name, TableObjectType, 0, created)));
    rows.finish();
    slots.set(firstSlot, usageMapRow(rows.pages(), file));

    TdefPointers pointers;
    pointers.rowCount = uint32_t(tables.size() + 2);
    pointers.usedMap = MapSlots::pointer(firstSlot);
    pointers.freeMap = MapSlots::pointer(firstSlot + 1);
    int slot = firstSlot + 2;
    for (const ColumnDef &column : catalog.columns) {
        if (column.isLongValue()) {
            pointers.longValueMaps.push_back(
                {column.colNum, MapSlots::pointer(slot), MapSlots::pointer(slot + 1)});
            slot += 2;
        }
    }
    file.write(CatalogTdefPage, encodeTdefPage(catalog, pointers));
}

bool failWith(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

std::optional<int32_t> parseLongValue(const QString &text)
{
    static const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const qsizetype start = (text.startsWith(u'-') || text.startsWith(u'+')) ? 1 : 0;
    if (text.size() == start || !std::all_of(text.begin() + start, text.end(), digit))
        return std::nullopt;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return int32_t(value);
}

TableSource sourceOf(const TableData &table)
{
    auto next = std::make_shared<size_t>(0);
    const std::vector<Row> *rows = &table.rows;
    return {table.name, table.columns, [rows, next](Row &row) {
                if (*next >= rows->size())
                    return false;
                row = (*rows)[(*next)++];
                return true;
            }};
}

bool writeJet4(const QString &path, const std::vector<TableData> &tables, QString *error)
{
    std::vector<TableSource> sources;
    for (const TableData &table : tables)
        sources.push_back(sourceOf(table));
    return writeJet4(path, sources, WriteOptions{}, error);
}

bool writeJet4(const QString &path, const std::vector<TableSource> &tables, const WriteOptions &options,
               QString *error)
{
    std::vector<TableDef> defs;
    if (const QString problem = defineTables(tables, &defs); !problem.isEmpty())
        return failWith(error, problem);
    const TableDef catalog = catalogTableDef();
    int slotCount = slotsFor(catalog);
    for (const TableDef &def : defs)
        slotCount += slotsFor(def);
    MapSlots slots(slotCount);
    const int catalogSlot = slots.reserve(slotsFor(catalog));
    const double created =
        toJetDate(options.created.isValid() ? options.created.toUTC() : QDateTime::currentDateTimeUtc());

    PageFile file(path);
    if (!file.open())
        return failWith(error, file.error());
    for (uint32_t page = 0; page < FirstMapPage + uint32_t(slots.pageCount()); ++page)
        file.allocate();
    std::vector<uint32_t> tdefPages;
    for (size_t i = 0; i < tables.size() && !file.failed(); ++i)
        tdefPages.push_back(TableWriter(file, defs[i], tables[i], slots).write());
    if (!file.failed()) {
        writeCatalog(file, catalog, defs, tdefPages, slots, catalogSlot, created);
        slots.writePages(file);
        file.write(1, globalUsageMapPage(file));
        file.write(0, headerPage(created));
    }
    if (!file.commit())
        return failWith(error, file.error());
    return true;
}

} // namespace brivello::authoring
