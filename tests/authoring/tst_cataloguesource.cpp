// The text sources of a catalogue: their syntax, the messages that point at
// a mistake, and brivello-mkcatalogue, which turns them into a database.

#include "MdbReadBack.h"
#include "authoring/CatalogueSource.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace brivello::authoring;
using namespace brivello::authoring::test;

namespace {

// A table with a column of each type, beside the real catalogue tables.
std::vector<TableSchema> testSchema()
{
    return {{QStringLiteral("Prova"),
             {{QStringLiteral("nome"), ColumnType::Text, 255},
              {QStringLiteral("nota"), ColumnType::Memo},
              {QStringLiteral("numero"), ColumnType::Long}}},
            *findCatalogueTable(catalogue::Genres)};
}

} // namespace

class TestCatalogueSource : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void fieldsEscapesAndNulls();
    void headerMayReorderColumns();
    void linesEndingsBlankLinesAndMark();
    void mistakesNameFileAndLine_data();
    void mistakesNameFileAndLine();
    void folderNeedsEveryTableAndNoOther();
    void sourceFieldsReadBackUnchanged();
    void mkcatalogueBuildsTheDatabase();
    void mkcatalogueStopsAtAMistake();

private:
    QString writeFile(const QString &name, const QByteArray &content);
    TableData read(const QString &name, const QByteArray &content);
    void writeCatalogueSources(const QString &folder);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCatalogueSource::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestCatalogueSource::writeFile(const QString &name, const QByteArray &content)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

TableData TestCatalogueSource::read(const QString &name, const QByteArray &content)
{
    TableData table;
    QString error;
    if (!readTableSource(writeFile(name, content), testSchema(), &table, &error))
        qWarning("%s", qPrintable(error));
    return table;
}

void TestCatalogueSource::fieldsEscapesAndNulls()
{
    const TableData table = read(QStringLiteral("Prova.tsv"), "nome\tnota\tnumero\n"
                                                              "Perch\xC3\xA9\tuna\\triga\\ne mezza\t-12\n"
                                                              "\t\\N\t\\N\n"
                                                              "C:\\\\musica\\r\t\\e\t+7\n"
                                                              "L'estate\tx\\\\N\t2147483647\n");
    QCOMPARE(table.name, QStringLiteral("Prova"));
    QCOMPARE(table.rows.size(), size_t(4));
    QCOMPARE(table.rows[0],
             Row({QStringLiteral("Perché"), QStringLiteral("una\triga\ne mezza"), QStringLiteral("-12")}));
    QCOMPARE(table.rows[1], Row({QString(), std::nullopt, std::nullopt}));
    QVERIFY(table.rows[1][0].has_value());
    QCOMPARE(table.rows[2], Row({QStringLiteral("C:\\musica\r"), QString(), QStringLiteral("+7")}));
    QCOMPARE(table.rows[3],
             Row({QStringLiteral("L'estate"), QStringLiteral("x\\N"), QStringLiteral("2147483647")}));
}

void TestCatalogueSource::headerMayReorderColumns()
{
    const TableData table = read(QStringLiteral("prova.tsv"), "NUMERO\tNome\tnota\n5\tcinque\t\\N\n");
    QCOMPARE(table.columns.size(), size_t(3));
    QCOMPARE(table.columns[0].name, QStringLiteral("nome"));
    QCOMPARE(table.rows, std::vector<Row>({{QStringLiteral("cinque"), std::nullopt, QStringLiteral("5")}}));
}

void TestCatalogueSource::linesEndingsBlankLinesAndMark()
{
    const TableData table =
        read(QStringLiteral("Genres.tsv"), "\xEF\xBB\xBFGenre\r\nPop\r\n\r\n\\e\r\nRock/Pop\r\n\n");
    QCOMPARE(table.name, catalogue::Genres);
    QCOMPARE(table.rows,
             std::vector<Row>({{QStringLiteral("Pop")}, {QString()}, {QStringLiteral("Rock/Pop")}}));
}

void TestCatalogueSource::mistakesNameFileAndLine_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    const QByteArray header = "nome\tnota\tnumero\n";
    QTest::newRow("unknown table") << QStringLiteral("Suonerie.tsv") << header
                                   << QStringLiteral(
                                          "Suonerie.tsv:1: unknown table \"Suonerie\" (the tables are Prova, "
                                          "Genres)");
    QTest::newRow("too few fields") << QStringLiteral("Prova.tsv") << header + "a\tb\t1\nsolo\tdue\n"
                                    << QStringLiteral(
                                           "Prova.tsv:3: 2 fields, but the header names 3 columns");
    QTest::newRow("too many fields") << QStringLiteral("Prova.tsv") << header + "\n\na\tb\t1\tx\n"
                                     << QStringLiteral(
                                            "Prova.tsv:4: 4 fields, but the header names 3 columns");
    QTest::newRow("text over 255") << QStringLiteral("Prova.tsv")
                                   << header + "ok\t\t1\n" + QByteArray(256, 'x') + "\t\t2\n"
                                   << QStringLiteral(
                                          "Prova.tsv:3: column \"nome\": 256 characters, more than the 255 "
                                          "a TEXT column holds");
    QTest::newRow("accented text over 255")
        << QStringLiteral("Prova.tsv") << header + QByteArray("\xC3\xA8").repeated(256) + "\t\t2\n"
        << QStringLiteral("Prova.tsv:2: column \"nome\": 256 characters");
    QTest::newRow("bad number") << QStringLiteral("Prova.tsv") << header + "a\tb\t12a\n"
                                << QStringLiteral(
                                       "Prova.tsv:2: column \"numero\": \"12a\" is not a whole number");
    QTest::newRow("number out of range")
        << QStringLiteral("Prova.tsv") << header + "a\tb\t-2147483649\n"
        << QStringLiteral("Prova.tsv:2: column \"numero\": \"-2147483649\" is not a "
                          "whole number");
    QTest::newRow("empty number") << QStringLiteral("Prova.tsv") << header + "a\tb\t\n"
                                  << QStringLiteral(
                                         "Prova.tsv:2: column \"numero\": \"\" is not a whole number");
    QTest::newRow("unknown column") << QStringLiteral("Prova.tsv") << QByteArray("nome\tnota\tnumro\n")
                                    << QStringLiteral("Prova.tsv:1: unknown column \"numro\" in table Prova");
    QTest::newRow("missing column") << QStringLiteral("Prova.tsv") << QByteArray("nome\tnota\n")
                                    << QStringLiteral(
                                           "Prova.tsv:1: column \"numero\" of table Prova is missing");
    QTest::newRow("column twice") << QStringLiteral("Prova.tsv") << QByteArray("nome\tnota\tnumero\tNome\n")
                                  << QStringLiteral("Prova.tsv:1: column \"Nome\" named twice");
    QTest::newRow("unknown escape") << QStringLiteral("Prova.tsv") << header + "a\\x\tb\t1\n"
                                    << QStringLiteral("Prova.tsv:2: column \"nome\": unknown escape \\x");
    QTest::newRow("backslash at the end")
        << QStringLiteral("Prova.tsv") << header + "a\tb\\\t1\n"
        << QStringLiteral("Prova.tsv:2: column \"nota\": a backslash ends the field");
    QTest::newRow("not UTF-8") << QStringLiteral("Prova.tsv") << header + "Perch\xE9\tb\t1\n"
                               << QStringLiteral("Prova.tsv:2: not valid UTF-8 text");
    QTest::newRow("no header") << QStringLiteral("Prova.tsv") << QByteArray("\n\n")
                               << QStringLiteral("Prova.tsv:1: no header line");
}

void TestCatalogueSource::mistakesNameFileAndLine()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    TableData table;
    QString error;
    QVERIFY(!readTableSource(writeFile(file, content), testSchema(), &table, &error));
    QVERIFY2(error.startsWith(m_dir->filePath(expected)), qPrintable(error));
}

void TestCatalogueSource::writeCatalogueSources(const QString &folder)
{
    QDir().mkpath(folder);
    const QByteArray mainHeader =
        "song\tartiest\tGenre\tbestand\tnokia_hand\tnokia_scherm\tsiemens\tericsson\t"
        "motorola\taantalnoten\ttempo\tbieps\n";
    const std::vector<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("Main.tsv"),
         mainHeader + "Volare\tDomenico Modugno\tPop/Classici\tr001\t4 4 5\t4e1 4e1\t"
                      "E1(1/4)\te e\t*5e2\t2\t120\tVolare:d=4,o=5,b=120:e,e\n"
                      "Perch\xC3\xA9 no\tL'Orchestra\tPop\tr002\t\\N\t\t\t\t\t0\t90\t\\N\n"},
        {QStringLiteral("Genres.tsv"), "Genre\nPop\nClassici\n"},
        {QStringLiteral("Zoekmethodes.tsv"), "Zoekmethode\nArtista\nTitolo\n"},
        {QStringLiteral("Rubrieken.tsv"), "Groep\nAmore\nViaggi & Vacanze\n"},
        {QStringLiteral("tools.tsv"),
         "toolnaam\timgnr\ttelefoon\ttooltype\tmedium\tbeschrijving\ttype\tdirname\tstart\n"
         "Musicbox\t1\tNokia\tEditor\tCD-ROM\tUn programma.\\nSeconda riga.\tK\tMusicbox\t"
         "musicbox.exe\n"},
    };
    for (const auto &[name, content] : files) {
        QFile file(QDir(folder).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
}

void TestCatalogueSource::folderNeedsEveryTableAndNoOther()
{
    const QString folder = m_dir->filePath(QStringLiteral("sorgenti"));
    writeCatalogueSources(folder);
    std::vector<TableData> tables;
    QString error;
    QVERIFY2(readCatalogueSource(folder, catalogueSchema(), &tables, &error), qPrintable(error));
    QCOMPARE(tables.size(), size_t(5));
    QCOMPARE(tables[4].name, catalogue::Tools);
    QCOMPARE(tables[4].rows.at(0).at(5), Value(QStringLiteral("Un programma.\nSeconda riga.")));

    QVERIFY(QFile::rename(QDir(folder).filePath(QStringLiteral("tools.tsv")),
                          QDir(folder).filePath(QStringLiteral("Tool.tsv"))));
    QVERIFY(!readCatalogueSource(folder, catalogueSchema(), &tables, &error));
    QVERIFY2(error.contains(QStringLiteral("Tool.tsv:1: unknown table \"Tool\"")), qPrintable(error));

    QVERIFY(QFile::remove(QDir(folder).filePath(QStringLiteral("Tool.tsv"))));
    QVERIFY(!readCatalogueSource(folder, catalogueSchema(), &tables, &error));
    QVERIFY2(error.contains(QStringLiteral("no Tools.tsv for table Tools")), qPrintable(error));
}

void TestCatalogueSource::sourceFieldsReadBackUnchanged()
{
    const std::vector<Value> values = {std::nullopt,          QString(),
                                       QStringLiteral("\\N"), QStringLiteral("a\tb\nc\r\\"),
                                       QStringLiteral("\\e"), QStringLiteral("Città – 5 €")};
    QByteArray content = "Genre\n";
    for (const Value &value : values)
        content += sourceField(value).toUtf8() + "\n";
    const TableData table = read(QStringLiteral("Genres.tsv"), content);
    QCOMPARE(table.rows.size(), values.size());
    for (size_t i = 0; i < values.size(); ++i)
        QCOMPARE(table.rows[i].at(0), values[i]);
}

void TestCatalogueSource::mkcatalogueBuildsTheDatabase()
{
    const QString folder = m_dir->filePath(QStringLiteral("sorgenti"));
    writeCatalogueSources(folder);
    const QString output = m_dir->filePath(QStringLiteral("datafiles/ringtones.dat"));
    QDir().mkpath(m_dir->filePath(QStringLiteral("datafiles")));

    const ToolResult result = runTool(QStringLiteral(MKCATALOGUE), {folder, output});
    QVERIFY2(result.ok, qPrintable(result.errors));
    QCOMPARE(mdbTables(output),
             QStringList({QStringLiteral("Main"), QStringLiteral("Genres"), QStringLiteral("Zoekmethodes"),
                          QStringLiteral("Rubrieken"), QStringLiteral("Tools")}));
    const auto main = readWithLibmdb(output, QStringLiteral("Main"));
    QVERIFY(main);
    QCOMPARE(main->rows.size(), size_t(2));
    QCOMPARE(main->rows[1],
             Row({QStringLiteral("Perché no"), QStringLiteral("L'Orchestra"), QStringLiteral("Pop"),
                  QStringLiteral("r002"), std::nullopt, QString(), QString(), QString(), QString(),
                  QStringLiteral("0"), QStringLiteral("90"), std::nullopt}));
    const auto rubrieken = mdbExport(output, QStringLiteral("Rubrieken"));
    QVERIFY(rubrieken);
    QCOMPARE(rubrieken->back(), QStringList({QStringLiteral("Viaggi & Vacanze")}));
}

void TestCatalogueSource::mkcatalogueStopsAtAMistake()
{
    const QString folder = m_dir->filePath(QStringLiteral("sorgenti"));
    writeCatalogueSources(folder);
    QFile genres(QDir(folder).filePath(QStringLiteral("Genres.tsv")));
    QVERIFY(genres.open(QIODevice::Append));
    genres.write("Jazz\tBlues\n");
    genres.close();
    const QString output = m_dir->filePath(QStringLiteral("ringtones.dat"));

    const ToolResult result = runTool(QStringLiteral(MKCATALOGUE), {folder, output});
    QVERIFY(!result.ok);
    QVERIFY2(
        result.errors.contains(QDir(folder).filePath(QStringLiteral("Genres.tsv:4: 2 fields, but the header "
                                                                    "names 1 columns"))),
        qPrintable(result.errors));
    QVERIFY(!QFile::exists(output));
}

QTEST_GUILESS_MAIN(TestCatalogueSource)
#include "tst_cataloguesource.moc"
