// Round trips of files written by writeJet4 through libmdb: its tools and its C API.

#include "MdbReadBack.h"
#include "authoring/Jet4Format.h"
#include "authoring/Jet4Writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

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
        columns.push_back(text(QStringLiteral("c%1").arg(i)));
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
    const QString path = m_dir->filePath(QStringLiteral("test.mdb"));
    QString error;
    if (!writeJet4(path, tables, &error))
        qWarning("writeJet4 failed: %s", qPrintable(error));
    return path;
}

void TestJet4Writer::everyTableAndColumnIsListed()
{
    const std::vector<TableData> tables = {
        {QStringLiteral("Main"),
         {text(QStringLiteral("song")), text(QStringLiteral("artiest"), 50), memo(QStringLiteral("bieps")),
          number(QStringLiteral("tempo"))},
         {{QStringLiteral("Volare"), QStringLiteral("Modugno"), QStringLiteral("Volare:d=4"),
           QStringLiteral("120")}}},
        {QStringLiteral("Genres"), {text(QStringLiteral("Genre"))}, {{QStringLiteral("Pop")}}},
        {QStringLiteral("Città"), {text(QStringLiteral("Perché"))}, {{QStringLiteral("sì")}}},
    };
    const QString file = write(tables);

    QCOMPARE(mdbTables(file),
             QStringList({QStringLiteral("Main"), QStringLiteral("Genres"), QStringLiteral("Città")}));
    for (const TableData &table : tables) {
        const auto rows = mdbExport(file, table.name);
        QVERIFY2(rows, qPrintable(table.name));
        QCOMPARE(rows->front(), namesOf(table.columns));
    }
    QString error;
    const auto main = readWithLibmdb(file, QStringLiteral("Main"), &error);
    QVERIFY2(main, qPrintable(error));
    QCOMPARE(main->columns, namesOf(tables[0].columns));
    QCOMPARE(main->columnTypes, std::vector<int>({LibmdbText, LibmdbText, LibmdbMemo, LibmdbLong}));
}

void TestJet4Writer::valuesComeBackExactly_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << QStringLiteral("Ciao a tutti");
    QTest::newRow("accents") << QStringLiteral("Perché la città è più bella così");
    QTest::newRow("capital accents") << QStringLiteral("È PERCHÉ À Ù");
    QTest::newRow("apostrophes") << QStringLiteral("L'italiano di D'Alessio");
    QTest::newRow("quotes and separators") << QStringLiteral("\"virgolette\", punto; e virgola");
    QTest::newRow("line breaks") << QStringLiteral("prima riga\r\nseconda riga\ttab");
    QTest::newRow("euro and dash") << QStringLiteral("5 € al mese – offerta");
    QTest::newRow("beyond latin-1") << QStringLiteral("Ācqua e Ωmega, привет");
    QTest::newRow("255 characters") << repeated(QStringLiteral("Perché "), 255);
    QTest::newRow("255 wide characters") << repeated(QStringLiteral("Ωμέγα "), 255);
    QTest::newRow("single character") << QStringLiteral("x");
}

void TestJet4Writer::valuesComeBackExactly()
{
    QFETCH(QString, value);
    const Row row = {value, value, QStringLiteral("-2147483648")};
    const Row other = {QStringLiteral("dopo"), QStringLiteral("dopo"), QStringLiteral("2147483647")};
    const QString file = write(
        {{QStringLiteral("Valori"),
          {text(QStringLiteral("testo")), memo(QStringLiteral("nota")), number(QStringLiteral("numero"))},
          {row, other}}});

    QString error;
    const auto table = readWithLibmdb(file, QStringLiteral("Valori"), &error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->rows, std::vector<Row>({row, other}));
    const auto rows = mdbExport(file, QStringLiteral("Valori"));
    QVERIFY(rows);
    QCOMPARE(rows->size(), size_t(3));
    QCOMPARE(rows->at(1), exported(row));
}

void TestJet4Writer::nullAndEmptyTextStayApart()
{
    const std::vector<Row> rows = {
        {std::nullopt, QString(), std::nullopt, QStringLiteral("1")},
        {QString(), std::nullopt, QString(), std::nullopt},
        {QStringLiteral("a"), QString(), std::nullopt, QStringLiteral("0")},
    };
    const QString file = write({{QStringLiteral("Vuoti"),
                                 {text(QStringLiteral("a")), text(QStringLiteral("b")),
                                  memo(QStringLiteral("c")), number(QStringLiteral("d"))},
                                 rows}});

    QString error;
    const auto table = readWithLibmdb(file, QStringLiteral("Vuoti"), &error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->rows, rows);
}

void TestJet4Writer::longMemosSurvive_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("inline") << repeated(QStringLiteral("do re mi "), 60);
    QTest::newRow("one LVAL row") << repeated(QStringLiteral("8c6,8d6,4e6,"), 3000);
    QTest::newRow("over 4 KB, compressed") << repeated(QStringLiteral("città "), 1000);
    QTest::newRow("over 4 KB, uncompressed") << repeated(QStringLiteral("Perché la città "), 300);
    QTest::newRow("over 20 KB") << repeated(QStringLiteral("Nel blu dipinto di blu, felice di stare lassù. "),
                                            21000);
    QTest::newRow("over 20 KB wide") << repeated(QStringLiteral("Ωμέγα "), 21000);
}

void TestJet4Writer::longMemosSurvive()
{
    QFETCH(QString, value);
    std::vector<Row> rows;
    for (int i = 0; i < 20; ++i)
        rows.push_back({QString::number(i), QString::number(i) + value});
    const QString file =
        write({{QStringLiteral("Memo"), {number(QStringLiteral("n")), memo(QStringLiteral("testo"))}, rows}});

    QString error;
    const auto table = readWithLibmdb(file, QStringLiteral("Memo"), &error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->rows.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        QCOMPARE(table->rows[i], rows[i]);
    const auto exportedRows = mdbExport(file, QStringLiteral("Memo"));
    QVERIFY(exportedRows);
    QCOMPARE(exportedRows->back(), exported(rows.back()));
}

void TestJet4Writer::rowsKeepTheirOrderAcrossPages()
{
    // Shuffled numbers and texts of changing length, so that pages hold different row counts.
    std::vector<Row> rows;
    for (int i = 0; i < 5000; ++i) {
        const int id = (i * 7919) % 5000;
        rows.push_back({QString::number(id), repeated(QStringLiteral("Canzone %1 ").arg(id), 5 + id % 200)});
    }
    const QString file = write(
        {{QStringLiteral("Ordine"), {number(QStringLiteral("id")), text(QStringLiteral("titolo"))}, rows}});

    const auto exportedRows = mdbExport(file, QStringLiteral("Ordine"));
    QVERIFY(exportedRows);
    QCOMPARE(exportedRows->size(), rows.size() + 1);
    for (size_t i = 0; i < rows.size(); ++i)
        QCOMPARE(exportedRows->at(i + 1), exported(rows[i]));
}

void TestJet4Writer::tablesWithoutRowsAreEmpty()
{
    const QString file = write({
        {QStringLiteral("Vuota"), {text(QStringLiteral("a")), memo(QStringLiteral("b"))}, {}},
        {QStringLiteral("Piena"), {text(QStringLiteral("a"))}, {{QStringLiteral("x")}}},
        {QStringLiteral("Numeri"), {number(QStringLiteral("n"))}, {}},
    });

    QCOMPARE(mdbTables(file),
             QStringList({QStringLiteral("Vuota"), QStringLiteral("Piena"), QStringLiteral("Numeri")}));
    QCOMPARE(mdbCount(file, QStringLiteral("Vuota")), 0);
    QCOMPARE(mdbCount(file, QStringLiteral("Numeri")), 0);
    QCOMPARE(mdbCount(file, QStringLiteral("Piena")), 1);
    const auto rows = mdbExport(file, QStringLiteral("Vuota"));
    QVERIFY(rows);
    QCOMPARE(rows->size(), size_t(1)); // the header only
}

void TestJet4Writer::aMillionRowsSpanManyPages()
{
    // Rows of about 140 bytes: some 35,000 data pages, beyond the 32,736 one bitmap page covers.
    constexpr int RowCount = 1000000;
    auto rowAt = [](int i) -> Row {
        return {QString::number(i * 3 - 7), QStringLiteral("Titolo numero %1 – città").arg(i),
                i % 10 == 0 ? Value() : Value(QStringLiteral("Autore %1").arg(i % 997)),
                repeated(QStringLiteral("%1 do re mi fa sol ").arg(i % 13), 80 + i % 17)};
    };
    int next = 0;
    const TableSource source{QStringLiteral("Grande"),
                             {number(QStringLiteral("id")), text(QStringLiteral("song")),
                              text(QStringLiteral("artiest")), text(QStringLiteral("bieps"))},
                             [&](Row &row) {
                                 if (next == RowCount)
                                     return false;
                                 row = rowAt(next++);
                                 return true;
                             }};
    const QString file = m_dir->filePath(QStringLiteral("grande.mdb"));
    QString error;
    QVERIFY2(writeJet4(file, {source}, {}, &error), qPrintable(error));

    QCOMPARE(mdbCount(file, QStringLiteral("Grande")), RowCount);
    const QByteArray map = usedPagesMap(file, 3 + 1); // the first table's TDEF follows the one map page
    QCOMPARE(map.size(), 69);
    QCOMPARE(int(map[0]), 1);                                           // a reference map
    QVERIFY(qFromLittleEndian<uint32_t>(map.constData() + 1 + 4) != 0); // with pages past 32,736

    int index = 0;
    int mismatches = 0;
    const bool read = forEachExportedRow(file, QStringLiteral("Grande"), [&](const QStringList &row) {
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
         {QStringLiteral("Perché la città è più bella così"), QStringLiteral("L'italiano di D'Alessio"),
          QStringLiteral("5 € al mese – offerta"), QStringLiteral("Ācqua e Ωmega"),
          QStringLiteral("a\r\nb \"c\""), repeated(QStringLiteral("Perché "), 255),
          repeated(QStringLiteral("Ωμέγα "), 255)})
        values.push_back({text, text, QStringLiteral("-2147483648")});
    values.push_back({QString(), QString(), QStringLiteral("0")});
    values.push_back({std::nullopt, std::nullopt, std::nullopt});
    // Around the limits: 64 bytes inline, one LVAL row up to 4,080 bytes, compressed up to 1,024 characters.
    for (const int length : {62, 63, 1024, 1025, 2040, 2041, 25000})
        values.push_back(
            {QStringLiteral("memo"), repeated(QStringLiteral("città "), length), QString::number(length)});
    values.push_back(
        {QStringLiteral("memo"), repeated(QStringLiteral("Ωμέγα "), 12000), QStringLiteral("1")});
    std::vector<Row> many;
    for (int i = 0; i < 40000; ++i)
        many.push_back({QStringLiteral("Titolo %1").arg(i)});
    const std::vector<TableData> tables = {
        {QStringLiteral("Valori"),
         {text(QStringLiteral("testo")), memo(QStringLiteral("nota")), number(QStringLiteral("n"))},
         values},
        {QStringLiteral("Vuota"), {text(QStringLiteral("a")), memo(QStringLiteral("b"))}, {}},
        {QStringLiteral("Molte"), {text(QStringLiteral("song"))}, many},
    };
    const QString file = write(tables);

    const MdbReaderDump dump = readWithMdbReader(file);
    if (!dump.skipReason.isEmpty())
        QSKIP(qPrintable(dump.skipReason));
    QVERIFY2(dump.error.isEmpty(), qPrintable(dump.error));
    QCOMPARE(dump.tables,
             QStringList({QStringLiteral("Valori"), QStringLiteral("Vuota"), QStringLiteral("Molte")}));
    for (const TableData &table : tables)
        QCOMPARE(dump.rows.at(table.name), table.rows);
}

void TestJet4Writer::badInputFailsWithoutTouchingTheFile_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<std::vector<TableData>>("tables");
    const std::vector<Column> columns = {text(QStringLiteral("song"), 10), number(QStringLiteral("tempo"))};
    auto table = [&](const Row &row) { return TableData{QStringLiteral("Main"), columns, {row}}; };
    QTest::newRow("text too long")
        << QStringLiteral("table \"Main\", row 1: column \"song\": text of 11 characters")
        << std::vector<TableData>{table({QStringLiteral("12345678901"), QStringLiteral("1")})};
    QTest::newRow("bad number") << QStringLiteral("column \"tempo\": \"12a\" is not a whole number")
                                << std::vector<TableData>{
                                       table({QStringLiteral("x"), QStringLiteral("12a")})};
    QTest::newRow("number too big") << QStringLiteral("\"2147483648\" is not a whole number")
                                    << std::vector<TableData>{
                                           table({QStringLiteral("x"), QStringLiteral("2147483648")})};
    QTest::newRow("missing value") << QStringLiteral("row 1: 1 values for 2 columns")
                                   << std::vector<TableData>{table({QStringLiteral("x")})};
    QTest::newRow("duplicate table") << QStringLiteral("table name \"main\" is used twice")
                                     << std::vector<TableData>{
                                            table({QStringLiteral("x"), QStringLiteral("1")}),
                                            {QStringLiteral("main"), columns, {}}};
    QTest::newRow("reserved table") << QStringLiteral("\"MSysObjects\" is used twice or is reserved")
                                    << std::vector<TableData>{{QStringLiteral("MSysObjects"), columns, {}}};
    QTest::newRow("duplicate column")
        << QStringLiteral("column \"Song\" appears twice")
        << std::vector<TableData>{
               {QStringLiteral("T"), {text(QStringLiteral("song")), text(QStringLiteral("Song"))}, {}}};
    QTest::newRow("text column too wide")
        << QStringLiteral("a TEXT column holds 1 to 255 characters, not 300")
        << std::vector<TableData>{{QStringLiteral("T"), {text(QStringLiteral("song"), 300)}, {}}};
    QTest::newRow("row too long") << QStringLiteral("use MEMO columns")
                                  << std::vector<TableData>{{QStringLiteral("T"),
                                                             nineTextColumns(),
                                                             {Row(9, repeated(QStringLiteral("Ā"), 255))}}};
}

void TestJet4Writer::badInputFailsWithoutTouchingTheFile()
{
    QFETCH(QString, expected);
    QFETCH(std::vector<TableData>, tables);
    const QString path = m_dir->filePath(QStringLiteral("ringtones.dat"));
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
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral("ringtones.dat")}));
}

void TestJet4Writer::unwritableFolderFailsCleanly()
{
    const QString path = m_dir->filePath(QStringLiteral("missing/ringtones.dat"));
    QString error;
    QVERIFY(!writeJet4(path, {{QStringLiteral("T"), {text(QStringLiteral("a"))}, {}}}, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestJet4Writer)
#include "tst_jet4writer.moc"
