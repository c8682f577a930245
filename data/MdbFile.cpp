#include "data/MdbFile.h"

#include "data/CatalogueError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cmath>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mdbtools.h>
#include <memory>
#include <mutex>
#include <optional>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace brivello::data {

struct MdbFile::Handle
{
    MdbHandle *mdb = nullptr;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
};

namespace {

// Large enough for any memo a person types; a value that fills it is read again
// with a larger buffer, so long memos come out whole.
constexpr size_t DefaultBindSize = 256 * 1024;
constexpr size_t LargestBindSize = 256 * 1024 * 1024;
std::atomic<size_t> initialBindSize{DefaultBindSize};

// libmdb reports damaged pages on stderr, and prints some stray lines on
// stdout, as it goes. The catalogue turns trouble into one CatalogueError, so
// the chatter is kept off the terminal while libmdb works.
// BRIVELLO_MDB_VERBOSE leaves it visible for debugging.
class QuietStream
{
public:
    QuietStream(FILE *stream, int descriptor) : m_stream(stream), m_descriptor(descriptor)
    {
        if (qEnvironmentVariableIsSet("BRIVELLO_MDB_VERBOSE"))
            return;
        std::fflush(m_stream);
        m_saved = ::dup(m_descriptor);
        const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && devNull >= 0)
            ::dup2(devNull, m_descriptor);
        if (devNull >= 0)
            ::close(devNull);
    }
    ~QuietStream()
    {
        if (m_saved < 0)
            return;
        std::fflush(m_stream);
        ::dup2(m_saved, m_descriptor);
        ::close(m_saved);
    }
    QuietStream(const QuietStream &) = delete;
    QuietStream &operator=(const QuietStream &) = delete;

private:
    FILE *m_stream;
    int m_descriptor;
    int m_saved = -1;
};

// Every file's reads share the process's stdout and stderr, and reads of two
// catalogues may run at once: the streams are quieted by the first read and
// given back by the last. A read away from the program's main thread leaves
// them alone: the windows keep running while it reads, and whatever they
// print meanwhile would be lost; libmdb speaks only of damaged pages, which
// the read reports as an error anyway.
class QuietLibmdb
{
public:
    QuietLibmdb() : m_active(onMainThread())
    {
        if (!m_active)
            return;
        const std::lock_guard lock(mutex());
        if (depth()++ == 0) {
            streams().out.emplace(stdout, STDOUT_FILENO);
            streams().err.emplace(stderr, STDERR_FILENO);
        }
    }
    ~QuietLibmdb()
    {
        if (!m_active)
            return;
        const std::lock_guard lock(mutex());
        if (--depth() == 0) {
            streams().err.reset();
            streams().out.reset();
        }
    }
    QuietLibmdb(const QuietLibmdb &) = delete;
    QuietLibmdb &operator=(const QuietLibmdb &) = delete;

private:
    // Without an application object the program is a command-line tool that
    // reads on one thread.
    static bool onMainThread()
    {
        const QCoreApplication *application = QCoreApplication::instance();
        return !application || QThread::currentThread() == application->thread();
    }

    bool m_active;
    struct Streams
    {
        std::optional<QuietStream> out;
        std::optional<QuietStream> err;
    };
    static std::mutex &mutex()
    {
        static std::mutex instance;
        return instance;
    }
    static int &depth()
    {
        static int instance = 0;
        return instance;
    }
    static Streams &streams()
    {
        static Streams instance;
        return instance;
    }
};

// libmdb converts text with iconv to the code set named by MDBICONV (UTF-8
// when unset). The catalogue needs UTF-8, whatever the environment says.
class Utf8Conversion
{
public:
    Utf8Conversion() : m_saved(qgetenv("MDBICONV")), m_wasSet(qEnvironmentVariableIsSet("MDBICONV"))
    {
        if (m_wasSet)
            qunsetenv("MDBICONV");
    }
    ~Utf8Conversion()
    {
        if (m_wasSet)
            qputenv("MDBICONV", m_saved);
    }
    Utf8Conversion(const Utf8Conversion &) = delete;
    Utf8Conversion &operator=(const Utf8Conversion &) = delete;

private:
    QByteArray m_saved;
    bool m_wasSet;
};

struct TableDefDeleter
{
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};
using TableDefPtr = std::unique_ptr<MdbTableDef, TableDefDeleter>;

QString hexText(const unsigned char *bytes, int length)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(bytes), length).toHex().toUpper());
}

// An Access date is a count of days from 30 December 1899 whose fraction, taken
// without its sign, is the time of day. libmdb's own conversion goes wrong for
// years before 1900 and for the year 9999, so dates are converted here.
QString accessDateText(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        return {};
    const double days = std::trunc(value);
    qint64 seconds = std::llround(std::fabs(value - days) * 86400.0);
    qint64 dayCount = static_cast<qint64>(days);
    if (seconds >= 86400) { // a fraction that rounds up to the next midnight
        seconds -= 86400;
        dayCount += value < 0 ? -1 : 1;
    }
    const QDateTime moment(QDate(1899, 12, 30).addDays(dayCount),
                           QTime(0, 0).addSecs(static_cast<int>(seconds)));
    return moment.toString(u"yyyy-MM-dd HH:mm:ss"_s);
}

// Bound buffers of one table read; libmdb writes up to its bind size into each.
struct Bindings
{
    std::vector<std::unique_ptr<char[]>> buffers;
    std::vector<int> lengths;
};

// Binds the columns `wanted` (indexes from 0); libmdb converts only bound
// columns, so a long text that is not wanted costs no page reads.
Bindings bindColumns(MdbTableDef *table, const std::vector<int> &wanted, size_t bindSize)
{
    Bindings bindings;
    bindings.lengths.assign(table->num_cols, 0);
    bindings.buffers.resize(table->num_cols);
    for (const int c : wanted) {
        bindings.buffers[c].reset(new char[bindSize]);
        bindings.buffers[c][0] = '\0';
        mdb_bind_column(table, c + 1, bindings.buffers[c].get(), &bindings.lengths[c]);
    }
    return bindings;
}

std::vector<int> allColumns(const MdbTableDef *table)
{
    std::vector<int> all(table->num_cols);
    for (unsigned int c = 0; c < table->num_cols; ++c)
        all[c] = static_cast<int>(c);
    return all;
}

} // namespace

MdbFile::MdbFile(const QString &path) : m_path(path), m_header(AccessHeader::read(path))
{
    const QuietLibmdb quiet;
    const Utf8Conversion utf8;
    m_handle = std::make_unique<Handle>();
    m_handle->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    MdbHandle *mdb = m_handle->mdb;
    if (!mdb)
        throw CatalogueError::notAccess(path, u"libmdb non lo riconosce"_s);
    mdb_set_bind_size(mdb, initialBindSize);
    mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
    mdb_set_shortdate_fmt(mdb, "%Y-%m-%d");
    mdb_set_boolean_fmt_numbers(mdb);
    readCatalogue();
}

MdbFile::~MdbFile() = default;

namespace {

// True when every page the table's usage map names lies inside the file.
bool pagesInsideFile(MdbHandle *mdb, MdbTableDef *table, qint64 pageCount)
{
    if (!table->usage_map || table->map_sz == 0)
        return true;
    gint32 page = 0;
    for (qint64 guard = 0; guard <= pageCount; ++guard) {
        page = mdb_map_find_next(mdb, table->usage_map, static_cast<unsigned int>(table->map_sz),
                                 static_cast<guint32>(page));
        if (page <= 0)
            return true;
        if (page >= pageCount)
            return false;
    }
    return false; // a map that never ends
}

QString tableDamage(MdbHandle *mdb, MdbTableDef *table, qint64 pageCount, qint64 rowsRead)
{
    // Every row the definition states was read: no page was lost, and the
    // walk of a large table's page list (a read of the list for every page)
    // is spared. A count of zero proves nothing, so such a table is walked.
    const bool allRowsRead = table->num_rows > 0 && rowsRead >= static_cast<qint64>(table->num_rows);
    if (!allRowsRead && !pagesInsideFile(mdb, table, pageCount))
        return u"la tabella «%1» prosegue oltre la fine del file"_s.arg(QString::fromUtf8(table->name));
    // A count of zero is what an improperly closed database leaves; only a
    // shortfall against a stated count means lost pages.
    if (rowsRead < static_cast<qint64>(table->num_rows))
        // One arg() for all three: a "%2" in the table's name stays as it is.
        return u"della tabella «%1» si leggono %2 righe su %3"_s.arg(
            QString::fromUtf8(table->name), QString::number(rowsRead), QString::number(table->num_rows));
    return {};
}

// libmdb walks a table's usage map to find its rows and reads the map's first
// byte without looking: a definition whose map row is empty (its page replaced
// by a read error) would crash it. A map of a type libmdb does not know is no
// danger: it then scans the pages for the table's own.
bool hasUsageMap(const MdbTableDef *table)
{
    return table->usage_map && table->map_sz >= 1;
}

TableDefPtr readDefinition(MdbCatalogEntry *entry, const AccessHeader &header, const QString &path)
{
    if (entry->table_pg < 1 || static_cast<qint64>(entry->table_pg) >= header.pageCount)
        throw CatalogueError::damaged(path, u"la definizione della tabella «%1» è fuori dal file"_s.arg(
                                                QString::fromUtf8(entry->object_name)));
    TableDefPtr table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get()))
        throw CatalogueError::damaged(path, u"la definizione della tabella «%1» è illeggibile"_s.arg(
                                                QString::fromUtf8(entry->object_name)));
    // The row count sizes the columns before any row is read: a count no
    // file of this size can hold is a damaged definition, not a reason to
    // ask for gigabytes. Each row takes at least its two-byte place in a
    // page's row list.
    if (static_cast<qint64>(table->num_rows) > header.pageCount * (header.pageSize / 2))
        throw CatalogueError::damaged(
            path, u"la tabella «%1» dice di avere %2 righe, più di "
                  "quante il file ne possa contenere"_s.arg(QString::fromUtf8(entry->object_name),
                                                            QString::number(table->num_rows)));
    if (!hasUsageMap(table.get()))
        throw CatalogueError::damaged(path, u"la tabella «%1» ha perso l'elenco delle sue pagine"_s.arg(
                                                QString::fromUtf8(entry->object_name)));
    return table;
}

} // namespace

void MdbFile::readCatalogue()
{
    MdbHandle *mdb = m_handle->mdb;
    // The catalogue table itself is checked first: a copy cut inside it would
    // otherwise just list fewer tables.
    MdbCatalogEntry catalogue{};
    catalogue.mdb = mdb;
    catalogue.object_type = MDB_TABLE;
    catalogue.table_pg = 2;
    std::strcpy(catalogue.object_name, "MSysObjects");
    {
        TableDefPtr table = readDefinition(&catalogue, m_header, m_path);
        mdb_rewind_table(table.get());
        qint64 rows = 0;
        while (mdb_fetch_row(table.get()))
            ++rows;
        const QString damage = tableDamage(mdb, table.get(), m_header.pageCount, rows);
        if (!damage.isEmpty())
            throw CatalogueError::damaged(m_path, damage);
    }

    GPtrArray *entries = mdb_read_catalog(mdb, MDB_TABLE);
    if (!entries)
        throw CatalogueError::damaged(m_path, u"l'elenco delle tabelle è illeggibile"_s);
    for (guint i = 0; i < entries->len; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(entries, i));
        if (mdb_is_user_table(entry))
            m_tableNames.append(QString::fromUtf8(entry->object_name));
    }
}

namespace {

QString valueText(MdbHandle *mdb, MdbColumn *column, const char *bound, int length, qint64 pageSize)
{
    switch (column->col_type) {
    case MDB_OLE:
        return {}; // pictures and documents have no text form
    case MDB_BINARY: {
        const int start = column->cur_value_start;
        const int size = column->cur_value_len;
        if (start < 0 || size <= 0 || start + size > pageSize)
            return {};
        return hexText(mdb->pg_buf + start, size);
    }
    case MDB_DATETIME: {
        const int start = column->cur_value_start;
        if (start < 0 || column->cur_value_len != 8 || start + 8 > pageSize)
            return {};
        return accessDateText(mdb_get_double(mdb->pg_buf, start));
    }
    default:
        break;
    }
    return QString::fromUtf8(bound, length);
}

// libmdb reads a memo whose pages are lost as empty text; a memo that says it
// has a length but came out empty, or that points past the end of the file, is
// a sign of a cut-off copy.
bool memoInsideFile(const MdbColumn *column, MdbHandle *mdb, int length, qint64 pageCount)
{
    constexpr int MemoHeaderSize = 12;
    constexpr quint32 Inline = 0x80000000;
    const int start = column->cur_value_start;
    if (column->col_type != MDB_MEMO || column->cur_value_len < MemoHeaderSize || start < 0 ||
        start + MemoHeaderSize > mdb->fmt->pg_size)
        return true;
    const auto memoLength = static_cast<quint32>(mdb_get_int32(mdb->pg_buf, start));
    if (memoLength & Inline)
        return true;
    const auto pageRow = static_cast<quint32>(mdb_get_int32(mdb->pg_buf, start + 4));
    if (static_cast<qint64>(pageRow >> 8) >= pageCount)
        return false;
    return (memoLength & 0x00FFFFFF) == 0 || length > 0;
}

bool isLongValue(const MdbColumn *column)
{
    return column->col_type == MDB_MEMO || column->col_type == MDB_TEXT;
}

// libmdb gathers a memo kept over several pages into a buffer of the length
// its header states; for a stated length of 0 it gets no buffer, converts
// nothing and hands back its value buffer unwritten, whose bytes it then
// copies up to the first zero it meets, past the buffer's end if there is
// none. Such a header (an empty memo is never kept over pages) is refused
// before libmdb reads the value. The headers are read from the row libmdb
// has just read with nothing bound, which converts nothing.
bool hasEmptyMultiPageMemo(MdbHandle *mdb, MdbTableDef *table, const std::vector<int> &bound, qint64 pageSize)
{
    for (const int c : bound) {
        const auto *column = static_cast<const MdbColumn *>(g_ptr_array_index(table->columns, c));
        const int start = column->cur_value_start;
        if (column->col_type != MDB_MEMO || column->cur_value_len < MDB_MEMO_OVERHEAD || start < 0 ||
            start + MDB_MEMO_OVERHEAD > pageSize)
            continue;
        // No flag (kept over pages) and a length of 0.
        if (static_cast<quint32>(mdb_get_int32(mdb->pg_buf, start)) == 0)
            return true;
    }
    return false;
}

CatalogueError emptyMultiPageMemo(const QString &path, MdbTableDef *table)
{
    return CatalogueError::damaged(path, u"un testo lungo della tabella «%1» ha perso la sua "
                                         "lunghezza"_s.arg(QString::fromUtf8(table->name)));
}

bool bindsMemo(MdbTableDef *table, const std::vector<int> &bound)
{
    return std::any_of(bound.begin(), bound.end(), [table](int c) {
        return static_cast<const MdbColumn *>(g_ptr_array_index(table->columns, c))->col_type == MDB_MEMO;
    });
}

// Walks every row with nothing bound before a read that converts memos.
void checkMemoHeaders(MdbHandle *mdb, MdbTableDef *table, const std::vector<int> &bound,
                      const AccessHeader &header, const QString &path)
{
    if (!bindsMemo(table, bound))
        return;
    mdb_rewind_table(table);
    while (mdb_fetch_row(table)) {
        if (hasEmptyMultiPageMemo(mdb, table, bound, header.pageSize))
            throw emptyMultiPageMemo(path, table);
    }
}

} // namespace

namespace {

MdbCatalogEntry *entryOf(MdbHandle *mdb, const QString &name, const QString &path)
{
    MdbCatalogEntry *entry = mdb_get_catalogentry_by_name(mdb, name.toUtf8().constData());
    if (!entry || entry->object_type != MDB_TABLE)
        throw CatalogueError::missingTable(path, name);
    return entry;
}

// One value of the row libmdb has just read, its long text checked against
// the file's end.
void checkMemoInsideFile(MdbHandle *mdb, MdbColumn *column, int length, const QString &table,
                         const AccessHeader &header, const QString &path)
{
    if (!memoInsideFile(column, mdb, length, header.pageCount))
        throw CatalogueError::damaged(path,
                                      u"un testo lungo della tabella «%1» è fuori dal file"_s.arg(table));
}

QString boundValue(MdbHandle *mdb, MdbColumn *column, const char *bound, int length, const QString &table,
                   const AccessHeader &header, const QString &path)
{
    checkMemoInsideFile(mdb, column, length, table, header, path);
    return valueText(mdb, column, bound, length, header.pageSize);
}

// As boundValue(), appended to `values`; text, the bulk of a table, is
// appended without a QString of its own.
void appendBoundValue(TextColumn &values, MdbHandle *mdb, MdbColumn *column, const char *bound, int length,
                      const QString &table, const AccessHeader &header, const QString &path)
{
    if (!isLongValue(column)) {
        values.append(boundValue(mdb, column, bound, length, table, header, path));
        return;
    }
    checkMemoInsideFile(mdb, column, length, table, header, path);
    values.appendUtf8(bound, length);
}

// After the first rows, each column reserves room for the text of all rows at
// their length so far, so that growing it seldom copies what it holds.
constexpr qint64 RowsBeforeEstimate = 1024;

void reserveTextForAllRows(std::vector<std::unique_ptr<TextColumn>> &kept, qint64 rowsRead, qint64 rowCount)
{
    if (rowCount <= rowsRead)
        return;
    for (auto &column : kept) {
        if (!column)
            continue;
        const double perRow = double(column->textSize()) / double(rowsRead);
        column->reserveText(static_cast<size_t>(perRow * double(rowCount) * 1.05) + 64);
    }
}

// Where a row lies: its page and its place in the page's row list, in one
// number. Pages of a file of 2 GiB and rows of a page both fit.
constexpr quint32 RowBits = 12;

quint32 rowLocation(quint32 page, unsigned int row, const QString &path)
{
    if (page >= (1u << (32 - RowBits)) || row >= (1u << RowBits))
        throw CatalogueError::damaged(path, u"una riga sta oltre la pagina %1"_s.arg(page));
    return (page << RowBits) | row;
}

} // namespace

QStringList MdbFile::columnNames(const QString &name) const
{
    const QuietLibmdb quiet;
    MdbCatalogEntry *entry = entryOf(m_handle->mdb, name, m_path);
    const TableDefPtr definition = readDefinition(entry, m_header, m_path);
    QStringList names;
    for (unsigned int c = 0; c < definition->num_cols; ++c)
        names.append(
            QString::fromUtf8(static_cast<MdbColumn *>(g_ptr_array_index(definition->columns, c))->name));
    return names;
}

Table MdbFile::readTable(const QString &name) const
{
    ColumnRead read = readColumns(name, {}, false);
    const size_t rows = read.rowCount;
    return Table(read.name, read.columns, rows, std::move(read.kept), nullptr);
}

MdbFile::ColumnRead MdbFile::readColumns(const QString &name, const QList<int> &wanted, bool locate,
                                         const std::atomic<bool> *stop) const
{
    MdbHandle *mdb = m_handle->mdb;
    const QuietLibmdb quiet;
    MdbCatalogEntry *entry = entryOf(m_handle->mdb, name, m_path);

    for (size_t bindSize = initialBindSize;; bindSize *= 4) {
        TableDefPtr definition = readDefinition(entry, m_header, m_path);
        MdbTableDef *table = definition.get();
        std::vector<int> bound =
            wanted.isEmpty() ? allColumns(table) : std::vector<int>(wanted.begin(), wanted.end());
        for (const int c : bound) {
            if (c < 0 || c >= static_cast<int>(table->num_cols))
                throw CatalogueError::damaged(m_path, u"la tabella «%1» ha cambiato le sue colonne"_s.arg(
                                                          QString::fromUtf8(entry->object_name)));
        }
        if (bindSize == initialBindSize)
            checkMemoHeaders(mdb, table, bound, m_header, m_path);
        mdb_set_bind_size(mdb, bindSize);
        Bindings bindings = bindColumns(table, bound, bindSize);

        ColumnRead result;
        result.name = QString::fromUtf8(entry->object_name);
        std::vector<MdbColumn *> columns;
        for (unsigned int c = 0; c < table->num_cols; ++c) {
            columns.push_back(static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c)));
            result.columns.append(QString::fromUtf8(columns.back()->name));
        }
        result.kept.resize(table->num_cols);
        for (const int c : bound) {
            result.kept[c] = std::make_unique<TextColumn>();
            result.kept[c]->reserve(table->num_rows);
        }
        if (locate)
            result.locations.reserve(table->num_rows);

        bool clipped = false;
        mdb_rewind_table(table);
        while (mdb_fetch_row(table)) {
            if (stop && stop->load(std::memory_order_relaxed)) {
                mdb_set_bind_size(mdb, initialBindSize);
                throw CatalogueError::stopped(m_path);
            }
            for (const int c : bound) {
                const int length = bindings.lengths[c];
                if (isLongValue(columns[c]) && static_cast<size_t>(length) + 1 >= bindSize)
                    clipped = true;
                appendBoundValue(*result.kept[c], mdb, columns[c], bindings.buffers[c].get(), length,
                                 result.name, m_header, m_path);
            }
            if (locate)
                result.locations.push_back(rowLocation(table->cur_phys_pg, table->cur_row - 1, m_path));
            ++result.rowCount;
            if (static_cast<qint64>(result.rowCount) == RowsBeforeEstimate)
                reserveTextForAllRows(result.kept, RowsBeforeEstimate, static_cast<qint64>(table->num_rows));
        }
        mdb_set_bind_size(mdb, initialBindSize);
        if (clipped && bindSize < LargestBindSize)
            continue;

        const QString damage =
            tableDamage(mdb, table, m_header.pageCount, static_cast<qint64>(result.rowCount));
        if (!damage.isEmpty())
            throw CatalogueError::damaged(m_path, damage);
        for (auto &column : result.kept) {
            if (column)
                column->shrinkToFit();
        }
        return result;
    }
}

QStringList MdbFile::readRow(const QString &name, quint32 location) const
{
    MdbHandle *mdb = m_handle->mdb;
    const QuietLibmdb quiet;
    MdbCatalogEntry *entry = entryOf(m_handle->mdb, name, m_path);
    const quint32 page = location >> RowBits;
    const unsigned int row = location & ((1u << RowBits) - 1);

    const auto rowRead = [&](MdbTableDef *table) {
        return static_cast<qint64>(page) < m_header.pageCount && mdb_read_pg(mdb, page) > 0 &&
               mdb_read_row(table, row);
    };
    for (size_t bindSize = initialBindSize;; bindSize *= 4) {
        TableDefPtr definition = readDefinition(entry, m_header, m_path);
        MdbTableDef *table = definition.get();
        const std::vector<int> all = allColumns(table);
        const QString tableName = QString::fromUtf8(entry->object_name);
        const auto lost = [&] {
            mdb_set_bind_size(mdb, initialBindSize);
            return CatalogueError::damaged(m_path,
                                           u"una riga della tabella «%1» non si legge più"_s.arg(tableName));
        };
        // The row is read once with nothing bound, to look at its memo headers.
        if (bindSize == initialBindSize) {
            if (!rowRead(table))
                throw lost();
            if (hasEmptyMultiPageMemo(mdb, table, all, m_header.pageSize))
                throw emptyMultiPageMemo(m_path, table);
        }
        mdb_set_bind_size(mdb, bindSize);
        Bindings bindings = bindColumns(table, all, bindSize);
        if (!rowRead(table))
            throw lost();
        QStringList values;
        bool clipped = false;
        for (const int c : all) {
            auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, c));
            const int length = bindings.lengths[c];
            if (isLongValue(column) && static_cast<size_t>(length) + 1 >= bindSize)
                clipped = true;
            values.append(
                boundValue(mdb, column, bindings.buffers[c].get(), length, tableName, m_header, m_path));
        }
        mdb_set_bind_size(mdb, initialBindSize);
        if (clipped && bindSize < LargestBindSize)
            continue;
        return values;
    }
}

void MdbFile::setInitialBindSize(size_t bytes)
{
    initialBindSize = bytes == 0 ? DefaultBindSize : bytes;
}

} // namespace brivello::data
