#include "tools/mkdisc/TsvSource.h"

#include <QFile>
#include <QStringDecoder>

namespace brivello::mkdisc {

namespace {

QString lineError(const QString &path, int line, const QString &message)
{
    return QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(message);
}

} // namespace

QString rowError(const TsvTable &table, std::size_t row, const QString &message)
{
    return lineError(table.path, table.lineNumbers.at(row), message);
}

bool readTsv(const QString &path, TsvTable *table, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(file.readAll());
    if (decode.hasError()) {
        *error = QStringLiteral("%1: not UTF-8 text").arg(path);
        return false;
    }

    *table = TsvTable{};
    table->path = path;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        QString line = lines.at(index);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QStringList values = line.split(QLatin1Char('\t'));
        const int lineNumber = index + 1;
        if (table->columns.isEmpty()) {
            table->columns = values;
            continue;
        }
        if (values.size() != table->columns.size()) {
            *error = lineError(path, lineNumber,
                               QStringLiteral("%1 values where the header names %2 columns")
                                   .arg(values.size())
                                   .arg(table->columns.size()));
            return false;
        }
        table->rows.push_back(values);
        table->lineNumbers.push_back(lineNumber);
    }
    if (table->columns.isEmpty()) {
        *error = lineError(path, 1, QStringLiteral("no header line"));
        return false;
    }
    return true;
}

} // namespace brivello::mkdisc
