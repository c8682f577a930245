#include "MdbReadBack.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

#include <mdbtools.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace brivello::authoring::test {

namespace {

constexpr char16_t FieldSeparator = 0x1f;
constexpr char16_t RowSeparator = 0x1e;
constexpr size_t BindSize = 1 << 20; // large enough for every MEMO a test writes

struct HandleCloser
{
    void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
};
struct TableFreer
{
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};

} // namespace

ToolResult runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForFinished(600000)) {
        result.errors = process.errorString();
        return result;
    }
    result.output = process.readAllStandardOutput();
    result.errors = QString::fromUtf8(process.readAllStandardError());
    result.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return result;
}

QStringList mdbTables(const QString &file)
{
    const ToolResult result = runTool(u"mdb-tables"_s, {u"-1"_s, file});
    if (!result.ok)
        return {};
    return QString::fromUtf8(result.output).split(u'\n', Qt::SkipEmptyParts);
}

qint64 mdbCount(const QString &file, const QString &table)
{
    const ToolResult result = runTool(u"mdb-count"_s, {file, table});
    bool ok = false;
    const qint64 count = QString::fromUtf8(result.output).trimmed().toLongLong(&ok);
    return result.ok && ok ? count : -1;
}

std::optional<std::vector<QStringList>> mdbExport(const QString &file, const QString &table)
{
    const ToolResult result = runTool(u"mdb-export"_s, {u"-Q"_s, u"-d"_s, QString(QChar(FieldSeparator)),
                                                        u"-R"_s, QString(QChar(RowSeparator)), file, table});
    if (!result.ok)
        return std::nullopt;
    std::vector<QStringList> rows;
    const QString text = QString::fromUtf8(result.output);
    for (const QString &line : text.split(QChar(RowSeparator), Qt::SkipEmptyParts))
        rows.push_back(line.split(QChar(FieldSeparator)));
    return rows;
}

bool forEachExportedRow(const QString &file, const QString &table,
                        const std::function<void(const QStringList &)> &visit)
{
    const QString exportFile = file + u".export"_s;
    QProcess process;
    process.setStandardOutputFile(exportFile);
    process.start(u"mdb-export"_s, {u"-Q"_s, u"-H"_s, u"-d"_s, QString(QChar(FieldSeparator)), file, table});
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return false;
    QFile in(exportFile);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    while (!in.atEnd()) {
        QByteArray line = in.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        visit(QString::fromUtf8(line).split(QChar(FieldSeparator)));
    }
    in.remove();
    return true;
}

namespace {

bool visitTable(const QString &file, const QString &tableName, LibmdbTable *header,
                const std::function<void(const Row &)> &visit, QString *error)
{
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    std::unique_ptr<MdbHandle, HandleCloser> mdb(mdb_open(QFile::encodeName(file).constData(), MDB_NOFLAGS));
    if (!mdb)
        return fail(u"mdb_open failed"_s);
    mdb_set_bind_size(mdb.get(), BindSize);
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        return fail(u"mdb_read_catalog failed"_s);
    QByteArray name = tableName.toUtf8();
    std::unique_ptr<MdbTableDef, TableFreer> table(mdb_read_table_by_name(mdb.get(), name.data(), MDB_TABLE));
    if (!table)
        return fail(u"no table "_s + tableName);
    mdb_read_columns(table.get());
    mdb_rewind_table(table.get());

    const int columnCount = int(table->num_cols);
    std::vector<QByteArray> buffers(size_t(columnCount), QByteArray(int(BindSize), '\0'));
    std::vector<int> lengths(size_t(columnCount), 0);
    for (int i = 0; i < columnCount; ++i) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        header->columns.append(QString::fromUtf8(column->name));
        header->columnTypes.push_back(column->col_type);
        mdb_bind_column(table.get(), i + 1, buffers[size_t(i)].data(), &lengths[size_t(i)]);
    }
    std::vector<MdbField> fields(256);
    Row row;
    while (mdb_fetch_row(table.get())) {
        int start = 0;
        size_t length = 0;
        mdb_find_row(mdb.get(), int(table->cur_row) - 1, &start, &length);
        mdb_crack_row(table.get(), start & 0x1FFF, length, fields.data());
        row.clear();
        for (int i = 0; i < columnCount; ++i) {
            if (fields[size_t(i)].is_null)
                row.push_back(std::nullopt);
            else
                row.push_back(QString::fromUtf8(buffers[size_t(i)].constData(), lengths[size_t(i)]));
        }
        visit(row);
    }
    return true;
}

} // namespace

bool forEachLibmdbRow(const QString &file, const QString &table,
                      const std::function<void(const Row &)> &visit, QString *error)
{
    LibmdbTable header;
    return visitTable(file, table, &header, visit, error);
}

std::optional<LibmdbTable> readWithLibmdb(const QString &file, const QString &tableName, QString *error)
{
    LibmdbTable result;
    if (!visitTable(
            file, tableName, &result, [&result](const Row &row) { result.rows.push_back(row); }, error))
        return std::nullopt;
    return result;
}

MdbReaderDump readWithMdbReader(const QString &file)
{
    MdbReaderDump dump;
    const QString node = QStandardPaths::findExecutable(u"node"_s);
    if (node.isEmpty()) {
        dump.skipReason = u"node is not installed: the check with the independent reader mdb-reader "
                          "is skipped"_s;
        return dump;
    }
    const ToolResult result = runTool(node, {QString::fromUtf8(MDB_READER_SCRIPT), file});
    if (!result.ok && result.errors.contains(u"mdb-reader is not installed"_s)) {
        dump.skipReason = u"the npm package mdb-reader is not installed; to run this check install it "
                          "(npm install mdb-reader@3.2.0) and put its node_modules folder in NODE_PATH"_s;
        return dump;
    }
    if (!result.ok) {
        dump.error = result.errors;
        return dump;
    }
    const QJsonObject root = QJsonDocument::fromJson(result.output).object();
    const QJsonObject data = root.value(u"data"_s).toObject();
    for (const QJsonValue &name : root.value(u"tables"_s).toArray()) {
        dump.tables.append(name.toString());
        std::vector<Row> &rows = dump.rows[name.toString()];
        for (const QJsonValue &jsonRow : data.value(name.toString()).toObject().value(u"rows"_s).toArray()) {
            Row row;
            for (const QJsonValue &value : jsonRow.toArray())
                row.push_back(value.isNull()     ? Value()
                              : value.isDouble() ? Value(QString::number(qint64(value.toDouble())))
                                                 : Value(value.toString()));
            rows.push_back(std::move(row));
        }
    }
    return dump;
}

QByteArray readPage(const QString &file, uint32_t page)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly) || !in.seek(qint64(page) * 4096))
        return {};
    return in.read(4096);
}

} // namespace brivello::authoring::test
