#include "authoring/CatalogueSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace brivello::authoring {

namespace {

constexpr int MaxTextLength = 255;

QString tr(const char *text)
{
    return QCoreApplication::translate("CatalogueSource", text);
}

QString lineError(const QString &path, int line, const QString &message)
{
    return u"%1:%2: %3"_s.arg(path).arg(line).arg(message);
}

QString knownTables(const std::vector<TableSchema> &schema)
{
    QStringList names;
    for (const TableSchema &table : schema)
        names.append(table.name);
    return names.join(u", "_s);
}

const TableSchema *findTable(const std::vector<TableSchema> &schema, QStringView name)
{
    for (const TableSchema &table : schema) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

// The field with its escapes resolved; nullopt with *problem when an escape is unknown.
std::optional<Value> unescape(QStringView field, QString *problem)
{
    if (field == u"\\N")
        return Value();
    QString text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\') {
            text.append(field[i]);
            continue;
        }
        if (++i == field.size()) {
            *problem = tr("a backslash ends the field; write \\\\ for a backslash");
            return std::nullopt;
        }
        switch (field[i].unicode()) {
        case u't':
            text.append(u'\t');
            break;
        case u'n':
            text.append(u'\n');
            break;
        case u'r':
            text.append(u'\r');
            break;
        case u'\\':
            text.append(u'\\');
            break;
        case u'e':
            break;
        default:
            *problem =
                tr("unknown escape \\%1 (known: \\t \\n \\r \\\\ \\e, and \\N alone for NULL)").arg(field[i]);
            return std::nullopt;
        }
    }
    return Value(text);
}

// What is wrong with `value` for `column`, or an empty text.
QString checkValue(const Column &column, const Value &value)
{
    if (!value)
        return {};
    if (value->contains(QChar(0)))
        return tr("column \"%1\": a NUL character").arg(column.name);
    if (column.type == ColumnType::Text && value->size() > column.maxLength)
        return tr("column \"%1\": %2 characters, more than the %3 a TEXT column holds")
            .arg(column.name)
            .arg(value->size())
            .arg(std::min(column.maxLength, MaxTextLength));
    if (column.type == ColumnType::Long && !parseLongValue(*value))
        return tr("column \"%1\": \"%2\" is not a whole number").arg(column.name, value->left(40));
    return {};
}

// Maps each header field to the table's column; empty text when it does, else the problem.
QString readHeader(const QStringList &fields, const TableSchema &table, std::vector<int> *order)
{
    std::vector<bool> seen(table.columns.size(), false);
    for (const QString &field : fields) {
        const int column = table.column(field);
        if (column < 0)
            return tr("unknown column \"%1\" in table %2").arg(field, table.name);
        if (seen[size_t(column)])
            return tr("column \"%1\" named twice").arg(field);
        seen[size_t(column)] = true;
        order->push_back(column);
    }
    for (size_t i = 0; i < seen.size(); ++i) {
        if (!seen[i])
            return tr("column \"%1\" of table %2 is missing from the header")
                .arg(table.columns[i].name, table.name);
    }
    return {};
}

class SourceReader
{
public:
    SourceReader(const QString &path, const TableSchema &schema, TableData *table)
        : m_path(path), m_schema(schema), m_table(table)
    {}

    bool read(const QByteArray &bytes, QString *error)
    {
        *m_table = m_schema.empty();
        const QList<QByteArray> lines = bytes.split('\n');
        for (int index = 0; index < lines.size(); ++index) {
            QByteArray line = lines[index];
            if (index == 0 && line.startsWith("\xEF\xBB\xBF"))
                line.remove(0, 3);
            if (line.endsWith('\r'))
                line.chop(1);
            if (line.isEmpty())
                continue;
            if (const QString problem = readLine(line); !problem.isEmpty()) {
                *error = lineError(m_path, index + 1, problem);
                return false;
            }
        }
        if (m_order.empty()) {
            *error = lineError(m_path, 1, tr("no header line naming the columns"));
            return false;
        }
        return true;
    }

private:
    QString readLine(const QByteArray &line)
    {
        QStringDecoder decode(QStringDecoder::Utf8);
        const QString text = decode(line);
        if (decode.hasError())
            return tr("not valid UTF-8 text");
        const QStringList fields = text.split(u'\t');
        if (m_order.empty())
            return readHeader(fields, m_schema, &m_order);
        if (size_t(fields.size()) != m_order.size())
            return tr("%1 fields, but the header names %2 columns").arg(fields.size()).arg(m_order.size());
        Row row(m_order.size());
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const Column &column = m_schema.columns[size_t(m_order[size_t(i)])];
            QString problem;
            std::optional<Value> value = unescape(fields[i], &problem);
            if (!value)
                return tr("column \"%1\": %2").arg(column.name, problem);
            if (problem = checkValue(column, *value); !problem.isEmpty())
                return problem;
            row[size_t(m_order[size_t(i)])] = std::move(*value);
        }
        m_table->rows.push_back(std::move(row));
        return {};
    }

    QString m_path;
    const TableSchema &m_schema;
    TableData *m_table;
    std::vector<int> m_order; // table column of each field
};

} // namespace

bool readTableSource(const QString &path, const std::vector<TableSchema> &schema, TableData *table,
                     QString *error)
{
    const QString name = QFileInfo(path).completeBaseName();
    const TableSchema *tableSchema = findTable(schema, name);
    if (!tableSchema) {
        *error =
            lineError(path, 1, tr("unknown table \"%1\" (the tables are %2)").arg(name, knownTables(schema)));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = u"%1: %2"_s.arg(path, file.errorString());
        return false;
    }
    return SourceReader(path, *tableSchema, table).read(file.readAll(), error);
}

bool readCatalogueSource(const QString &folder, const std::vector<TableSchema> &schema,
                         std::vector<TableData> *tables, QString *error)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList({u"*.tsv"_s}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        if (!findTable(schema, QFileInfo(file).completeBaseName())) {
            TableData ignored;
            return readTableSource(dir.filePath(file), schema, &ignored, error);
        }
    }
    tables->clear();
    for (const TableSchema &table : schema) {
        const auto found = std::find_if(files.begin(), files.end(), [&table](const QString &file) {
            return QFileInfo(file).completeBaseName().compare(table.name, Qt::CaseInsensitive) == 0;
        });
        if (found == files.end()) {
            *error = tr("%1: no %2.tsv for table %2").arg(QDir::toNativeSeparators(folder), table.name);
            return false;
        }
        TableData data;
        if (!readTableSource(dir.filePath(*found), schema, &data, error))
            return false;
        tables->push_back(std::move(data));
    }
    return true;
}

QString sourceField(const Value &value)
{
    if (!value)
        return u"\\N"_s;
    if (value->isEmpty())
        return u"\\e"_s;
    QString field;
    field.reserve(value->size());
    for (const QChar c : *value) {
        switch (c.unicode()) {
        case u'\t':
            field.append(u"\\t");
            break;
        case u'\n':
            field.append(u"\\n");
            break;
        case u'\r':
            field.append(u"\\r");
            break;
        case u'\\':
            field.append(u"\\\\");
            break;
        default:
            field.append(c);
        }
    }
    return field;
}

} // namespace brivello::authoring
