// Round trips of files written by writeJet4 through libmdb: its tools and its C API.

#include "MdbReadBack.h"
#include "authoring/Jet4Format.h"
#include "authoring/Jet4Writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace brivello::authoring;
using namespace brivello::authoring::test;

namespace {

constexpr int LibmdbText = 0x0A;
constexpr int LibmdbMemo = 0x0C;
constexpr int LibmdbLong = 0x04;

Column text(const QString &name, int maxLength = 255)
{
    return {name, ColumnType::Text, maxLength};
}
Column memo(const QString &name)
{
    return {name, ColumnType::Memo};
}
Column number(const QString &name)
{
    return {name, ColumnType::Long};
}

QString repeated(const QString &piece, int length)
{
    QString result;
    while (result.size() < length)
        result += piece;
    return result.left(length);
}

// What mdb-export shows for a row: NULL as an empty field.
QStringList exported(const Row &row)
{
    QStringList fields;
    for (const Value &value : row)
        fields.append(value.value_or(QString()));
    return fields;
}

std::vector<Column> nineTextColumns()
{
    std::vector<Column> columns;
    for (int i = 0; i < 9; ++i)
        columns.push_back(text(u"c%1"_s.arg(i)));
    return columns;
}

QStringList namesOf(const std::vector<Column> &columns)
{
    QStringList names;
    for (const Column &column : columns)
        names.append(column.name);
    return names;
}

// The used-pages map row of a table, found through its TDEF.
QByteArray usedPagesMap(const QString &file, uint32_t tdefPage)
{
    const QByteArray tdef = readPage(file, tdefPage);
    const uint32_t pointer = qFromLittleEndian<uint32_t>(tdef.constData() + 55);
    const QByteArray mapPage = readPage(file, pointer >> 8);
    const int row = int(pointer & 0xFF);
    const int start = qFromLittleEndian<uint16_t>(mapPage.constData() + 14 + 2 * row) & 0x1FFF;
    const int end =
        row == 0 ? 4096 : qFromLittleEndian<uint16_t>(mapPage.constData() + 14 + 2 * (row - 1)) & 0x1FFF;
    return mapPage.mid(start, end - start);
}

} // namespace

class TestJet4Writer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void everyTableAndColumnIsListed();
    void valuesComeBackExactly_data();
    void valuesComeBackExactly();
    void nullAndEmptyTextStayApart();
    void longMemosSurvive_data();
    void longMemosSurvive();
    void rowsKeepTheirOrderAcrossPages();
    void tablesWithoutRowsAreEmpty();
    void aMillionRowsSpanManyPages();
    void independentReaderAgrees();
    void badInputFailsWithoutTouchingTheFile_data();
    void badInputFailsWithoutTouchingTheFile();
    void unwritableFolderFailsCleanly();

private:
    QString write(const std::vector<TableData> &tables);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestJet4Writer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestJet4Writer::write(const std::vector<TableData> &tables)
{
    const QString path = m_dir->filePath(u"test.mdb"_s);
    QString error;
    if (!writeJet4(path, tables, &error))
        qWarning("writeJet4 failed: %s", qPrintable(error));
    return path;
}

void TestJet4Writer::everyTableAndColumnIsListed()
{
    const std::vector<TableData> tables = {
        {u"Main"_s,
         {text(u"song"_s), text(u"artiest"_s, 50), memo(u"bieps"_s), number(u"tempo"_s)},
         {{u"Volare"_s, u"Modugno"_s, u"Volare:d=4"_s, u"120"_s}}},
        {u"Genres"_s, {text(u"Genre"_s)}, {{u"Pop"_s}}},
        {u"Città"_s, {text(u"Perché"_s)}, {{u"sì"_s}}},
    };
    const QString file = write(tables);

    QCOMPARE(mdbTables(file), QStringList({u"Main"_s, u"Genres"_s, u"Città"_s}));
    for (const TableData &table : tables) {
        const auto rows = mdbExport(file, table.name);
        QVERIFY2(rows, qPrintable(table.name));
        QCOMPARE(rows->front(), namesOf(table.columns));
    }
    QString error;
    const auto main = readWithLibmdb(file, u"Main"_s, &error);
    QVERIFY2(main, qPrintable(error));
    QCOMPARE(main->columns, namesOf(tables[0].columns));
    QCOMPARE(main->columnTypes, std::vector<int>({LibmdbText, LibmdbText, LibmdbMemo, LibmdbLong}));
}

void TestJet4Writer::valuesComeBackExactly_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << u"Ciao a tutti"_s;
    QTest::newRow("accents") << u"Perché la città è più bella così"_s;
    QTest::newRow("capital accents") << u"È PERCHÉ À Ù"_s;
    QTest::newRow("apostrophes") << u"L'italiano di D'Alessio"_s;
    QTest::newRow("quotes and separators") << u"\"virgolette\", punto; e virgola"_s;
    QTest::newRow("line breaks") << u"prima riga\r\nseconda riga\ttab"_s;
    QTest::newRow("euro and dash") << u"5 € al mese – offerta"_s;
    QTest::newRow("beyond latin-1") << u"Ācqua e Ωmega, привет"_s;
    QTest::newRow("255 characters") << repeated(u"Perché "_s, 255);
    QTest::newRow("255 wide characters") << repeated(u"Ωμέγα "_s, 255);
    QTest::newRow("single character") << u"x"_s;
}

void TestJet4Writer::valuesComeBackExactly()
{
    QFETCH(QString, value);
    const Row row = {value, value, u"-2147483648"_s};
    const Row other = {u"dopo"_s, u"dopo"_s, u"2147483647"_s};
    const QString file =
        write({{u"Valori"_s, {text(u"testo"_s), memo(u"nota"_s), number(u"numero"_s)}, {row, other}}});

    QString error;
    const auto table = readWithLibmdb(file, u"Valori"_s, &error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->rows, std::vector<Row>({row, other}));
    const auto rows = mdbExport(file, u"Valori"_s);
    QVERIFY(rows);
    QCOMPARE(rows->size(), size_t(3));
    QCOMPARE(rows->at(1), exported(row));
}

void TestJet4Writer::nullAndEmptyTextStayApart()
{
    const std::vector<Row> rows = {
        {std::nullopt, QString(), std::nullopt, u"1"_s},
        {QString(), std::nullopt, QString(), std::nullopt},
        {u"a"_s, QString(), std::nullopt, u"0"_s},
    };
    const QString file =
        write({{u"Vuoti"_s, {text(u"a"_s), text(u"b"_s), memo(u"c"_s), number(u"d"_s)}, rows}});

    QString error;
    const auto table = readWithLibmdb(file, u"Vuoti"_s, &error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->rows, rows);
}

void TestJet4Writer::longMemosSurvive_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("inline") << repeated(u"do re mi "_s, 60);
    QTest::newRow("one LVAL row") << repeated(u"8c6,8d6,4e6,"_s, 3000);
    QTest::newRow("over 4 KB, compressed") << repeated(u"città "_s, 1000);
    QTest::newRow("over 4 KB, uncompressed") << repeated(u"Perché la città "_s, 300);
    QTest::newRow("over 20 KB") << repeated(u"Nel blu dipinto di blu, felice di stare lassù. "_s, 21000);
    QTest::newRow("over 20 KB wide") << repeated(u"Ωμέγα "_s, 21000);
}

void TestJet4Writer::longMemosSurvive()
{
    QFETCH(QString, value);
    std::vector<Row> rows;
    for (int i = 0; i < 20; ++i)
        rows.push_back({QString::number(i), QString::number(i) + value});
    const QString file = write({{u"Memo"_s, {number(u"n"_s), memo(u"testo"_s)}, rows}});

    QString error;
    const auto table = readWithLibmdb(file, u"Memo"_s, &error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->rows.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        QCOMPARE(table->rows[i], rows[i]);
    const auto exportedRows = mdbExport(file, u"Memo"_s);
    QVERIFY(exportedRows);
    QCOMPARE(exportedRows->back(), exported(rows.back()));
}

void TestJet4Writer::rowsKeepTheirOrderAcrossPages()
{
    // Shuffled numbers and texts of changing length, so that pages hold different row counts.
    std::vector<Row> rows;
    for (int i = 0; i < 5000; ++i) {
        const int id = (i * 7919) % 5000;
        rows.push_back({QString::number(id), repeated(u"Canzone %1 "_s.arg(id), 5 + id % 200)});
    }
    const QString file = write({{u"Ordine"_s, {number(u"id"_s), text(u"titolo"_s)}, rows}});

    const auto exportedRows = mdbExport(file, u"Ordine"_s);
    QVERIFY(exportedRows);
    QCOMPARE(exportedRows->size(), rows.size() + 1);
    for (size_t i = 0; i < rows.size(); ++i)
        QCOMPARE(exportedRows->at(i + 1), exported(rows[i]));
}

void TestJet4Writer::tablesWithoutRowsAreEmpty()
{
    const QString file = write({
        {u"Vuota"_s, {text(u"a"_s), memo(u"b"_s)}, {}},
        {u"Piena"_s, {text(u"a"_s)}, {{u"x"_s}}},
        {u"Numeri"_s, {number(u"n"_s)}, {}},
    });

    QCOMPARE(mdbTables(file), QStringList({u"Vuota"_s, u"Piena"_s, u"Numeri"_s}));
    QCOMPARE(mdbCount(file, u"Vuota"_s), 0);
    QCOMPARE(mdbCount(file, u"Numeri"_s), 0);
    QCOMPARE(mdbCount(file, u"Piena"_s), 1);
    const auto rows = mdbExport(file, u"Vuota"_s);
    QVERIFY(rows);
    QCOMPARE(rows->size(), size_t(1)); // the header only
}

void TestJet4Writer::aMillionRowsSpanManyPages()
{
    // Rows of about 140 bytes: some 35,000 data pages, beyond the 32,736 one bitmap page covers.
    constexpr int RowCount = 1000000;
    auto rowAt = [](int i) -> Row {
        return {QString::number(i * 3 - 7), u"Titolo numero %1 – città"_s.arg(i),
                i % 10 == 0 ? Value() : Value(u"Autore %1"_s.arg(i % 997)),
                repeated(u"%1 do re mi fa sol "_s.arg(i % 13), 80 + i % 17)};
    };
    int next = 0;
    const TableSource source{
        u"Grande"_s, {number(u"id"_s), text(u"song"_s), text(u"artiest"_s), text(u"bieps"_s)}, [&](Row &row) {
            if (next == RowCount)
                return false;
            row = rowAt(next++);
            return true;
        }};
    const QString file = m_dir->filePath(u"grande.mdb"_s);
    QString error;
    QVERIFY2(writeJet4(file, {source}, {}, &error), qPrintable(error));

    QCOMPARE(mdbCount(file, u"Grande"_s), RowCount);
    const QByteArray map = usedPagesMap(file, 3 + 1); // the first table's TDEF follows the one map page
    QCOMPARE(map.size(), 69);
    QCOMPARE(int(map[0]), 1);                                           // a reference map
    QVERIFY(qFromLittleEndian<uint32_t>(map.constData() + 1 + 4) != 0); // with pages past 32,736

    int index = 0;
    int mismatches = 0;
    const bool read = forEachExportedRow(file, u"Grande"_s, [&](const QStringList &row) {
        const bool sampled = index < 300 || index % 4099 == 0 || index >= RowCount - 300;
        if (row.at(0) != QString::number(index * 3 - 7) || (sampled && row != exported(rowAt(index)))) {
            if (++mismatches < 5)
                qWarning("row %d differs: %s", index, qPrintable(row.join(u'|')));
        }
        ++index;
    });
    QVERIFY(read);
    QCOMPARE(index, RowCount);
    QCOMPARE(mismatches, 0);
}

void TestJet4Writer::independentReaderAgrees()
{
    std::vector<Row> values;
    for (const QString &text :
         {u"Perché la città è più bella così"_s, u"L'italiano di D'Alessio"_s, u"5 € al mese – offerta"_s,
          u"Ācqua e Ωmega"_s, u"a\r\nb \"c\""_s, repeated(u"Perché "_s, 255), repeated(u"Ωμέγα "_s, 255)})
        values.push_back({text, text, u"-2147483648"_s});
    values.push_back({QString(), QString(), u"0"_s});
    values.push_back({std::nullopt, std::nullopt, std::nullopt});
    // Around the limits: 64 bytes inline, one LVAL row up to 4,080 bytes, compressed up to 1,024 characters.
    for (const int length : {62, 63, 1024, 1025, 2040, 2041, 25000})
        values.push_back({u"memo"_s, repeated(u"città "_s, length), QString::number(length)});
    values.push_back({u"memo"_s, repeated(u"Ωμέγα "_s, 12000), u"1"_s});
    std::vector<Row> many;
    for (int i = 0; i < 40000; ++i)
        many.push_back({u"Titolo %1"_s.arg(i)});
    const std::vector<TableData> tables = {
        {u"Valori"_s, {text(u"testo"_s), memo(u"nota"_s), number(u"n"_s)}, values},
        {u"Vuota"_s, {text(u"a"_s), memo(u"b"_s)}, {}},
        {u"Molte"_s, {text(u"song"_s)}, many},
    };
    const QString file = write(tables);

    const MdbReaderDump dump = readWithMdbReader(file);
    if (!dump.skipReason.isEmpty())
        QSKIP(qPrintable(dump.skipReason));
    QVERIFY2(dump.error.isEmpty(), qPrintable(dump.error));
    QCOMPARE(dump.tables, QStringList({u"Valori"_s, u"Vuota"_s, u"Molte"_s}));
    for (const TableData &table : tables)
        QCOMPARE(dump.rows.at(table.name), table.rows);
}

void TestJet4Writer::badInputFailsWithoutTouchingTheFile_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<std::vector<TableData>>("tables");
    const std::vector<Column> columns = {text(u"song"_s, 10), number(u"tempo"_s)};
    auto table = [&](const Row &row) { return TableData{u"Main"_s, columns, {row}}; };
    QTest::newRow("text too long") << u"table \"Main\", row 1: column \"song\": text of 11 characters"_s
                                   << std::vector<TableData>{table({u"12345678901"_s, u"1"_s})};
    QTest::newRow("bad number") << u"column \"tempo\": \"12a\" is not a whole number"_s
                                << std::vector<TableData>{table({u"x"_s, u"12a"_s})};
    QTest::newRow("number too big") << u"\"2147483648\" is not a whole number"_s
                                    << std::vector<TableData>{table({u"x"_s, u"2147483648"_s})};
    QTest::newRow("missing value") << u"row 1: 1 values for 2 columns"_s
                                   << std::vector<TableData>{table({u"x"_s})};
    QTest::newRow("duplicate table") << u"table name \"main\" is used twice"_s
                                     << std::vector<TableData>{table({u"x"_s, u"1"_s}),
                                                               {u"main"_s, columns, {}}};
    QTest::newRow("reserved table") << u"\"MSysObjects\" is used twice or is reserved"_s
                                    << std::vector<TableData>{{u"MSysObjects"_s, columns, {}}};
    QTest::newRow("duplicate column")
        << u"column \"Song\" appears twice"_s
        << std::vector<TableData>{{u"T"_s, {text(u"song"_s), text(u"Song"_s)}, {}}};
    QTest::newRow("text column too wide") << u"a TEXT column holds 1 to 255 characters, not 300"_s
                                          << std::vector<TableData>{{u"T"_s, {text(u"song"_s, 300)}, {}}};
    QTest::newRow("row too long") << u"use MEMO columns"_s
                                  << std::vector<TableData>{
                                         {u"T"_s, nineTextColumns(), {Row(9, repeated(u"Ā"_s, 255))}}};
}

void TestJet4Writer::badInputFailsWithoutTouchingTheFile()
{
    QFETCH(QString, expected);
    QFETCH(std::vector<TableData>, tables);
    const QString path = m_dir->filePath(u"ringtones.dat"_s);
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the previous catalogue");
    }

    QString error;
    QVERIFY(!writeJet4(path, tables, &error));
    QVERIFY2(error.contains(expected), qPrintable(error));
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the previous catalogue"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({u"ringtones.dat"_s}));
}

void TestJet4Writer::unwritableFolderFailsCleanly()
{
    const QString path = m_dir->filePath(u"missing/ringtones.dat"_s);
    QString error;
    QVERIFY(!writeJet4(path, {{u"T"_s, {text(u"a"_s)}, {}}}, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestJet4Writer)
#include "test_jet4writer.moc"
