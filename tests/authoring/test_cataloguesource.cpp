// The text sources of a catalogue: their syntax, the messages that point at
// a mistake, and brivello-mkcatalogue, which turns them into a database.

#include "MdbReadBack.h"
#include "authoring/CatalogueSource.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace brivello::authoring;
using namespace brivello::authoring::test;

namespace {

// A table with a column of each type, beside the real catalogue tables.
std::vector<TableSchema> testSchema()
{
    return {{u"Prova"_s,
             {{u"nome"_s, ColumnType::Text, 255},
              {u"nota"_s, ColumnType::Memo},
              {u"numero"_s, ColumnType::Long}}},
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
    const TableData table = read(u"Prova.tsv"_s, "nome\tnota\tnumero\n"
                                                 "Perch\xC3\xA9\tuna\\triga\\ne mezza\t-12\n"
                                                 "\t\\N\t\\N\n"
                                                 "C:\\\\musica\\r\t\\e\t+7\n"
                                                 "L'estate\tx\\\\N\t2147483647\n");
    QCOMPARE(table.name, u"Prova"_s);
    QCOMPARE(table.rows.size(), size_t(4));
    QCOMPARE(table.rows[0], Row({u"Perché"_s, u"una\triga\ne mezza"_s, u"-12"_s}));
    QCOMPARE(table.rows[1], Row({QString(), std::nullopt, std::nullopt}));
    QVERIFY(table.rows[1][0].has_value());
    QCOMPARE(table.rows[2], Row({u"C:\\musica\r"_s, QString(), u"+7"_s}));
    QCOMPARE(table.rows[3], Row({u"L'estate"_s, u"x\\N"_s, u"2147483647"_s}));
}

void TestCatalogueSource::headerMayReorderColumns()
{
    const TableData table = read(u"prova.tsv"_s, "NUMERO\tNome\tnota\n5\tcinque\t\\N\n");
    QCOMPARE(table.columns.size(), size_t(3));
    QCOMPARE(table.columns[0].name, u"nome"_s);
    QCOMPARE(table.rows, std::vector<Row>({{u"cinque"_s, std::nullopt, u"5"_s}}));
}

void TestCatalogueSource::linesEndingsBlankLinesAndMark()
{
    const TableData table = read(u"Genres.tsv"_s, "\xEF\xBB\xBFGenre\r\nPop\r\n\r\n\\e\r\nRock/Pop\r\n\n");
    QCOMPARE(table.name, catalogue::Genres);
    QCOMPARE(table.rows, std::vector<Row>({{u"Pop"_s}, {QString()}, {u"Rock/Pop"_s}}));
}

void TestCatalogueSource::mistakesNameFileAndLine_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    const QByteArray header = "nome\tnota\tnumero\n";
    QTest::newRow("unknown table") << u"Suonerie.tsv"_s << header
                                   << u"Suonerie.tsv:1: unknown table \"Suonerie\" (the tables are Prova, "
                                      "Genres)"_s;
    QTest::newRow("too few fields") << u"Prova.tsv"_s << header + "a\tb\t1\nsolo\tdue\n"
                                    << u"Prova.tsv:3: 2 fields, but the header names 3 columns"_s;
    QTest::newRow("too many fields") << u"Prova.tsv"_s << header + "\n\na\tb\t1\tx\n"
                                     << u"Prova.tsv:4: 4 fields, but the header names 3 columns"_s;
    QTest::newRow("text over 255") << u"Prova.tsv"_s
                                   << header + "ok\t\t1\n" + QByteArray(256, 'x') + "\t\t2\n"
                                   << u"Prova.tsv:3: column \"nome\": 256 characters, more than the 255 "
                                      "a TEXT column holds"_s;
    QTest::newRow("accented text over 255")
        << u"Prova.tsv"_s << header + QByteArray("\xC3\xA8").repeated(256) + "\t\t2\n"
        << u"Prova.tsv:2: column \"nome\": 256 characters"_s;
    QTest::newRow("bad number") << u"Prova.tsv"_s << header + "a\tb\t12a\n"
                                << u"Prova.tsv:2: column \"numero\": \"12a\" is not a whole number"_s;
    QTest::newRow("number out of range") << u"Prova.tsv"_s << header + "a\tb\t-2147483649\n"
                                         << u"Prova.tsv:2: column \"numero\": \"-2147483649\" is not a "
                                            "whole number"_s;
    QTest::newRow("empty number") << u"Prova.tsv"_s << header + "a\tb\t\n"
                                  << u"Prova.tsv:2: column \"numero\": \"\" is not a whole number"_s;
    QTest::newRow("unknown column") << u"Prova.tsv"_s << QByteArray("nome\tnota\tnumro\n")
                                    << u"Prova.tsv:1: unknown column \"numro\" in table Prova"_s;
    QTest::newRow("missing column") << u"Prova.tsv"_s << QByteArray("nome\tnota\n")
                                    << u"Prova.tsv:1: column \"numero\" of table Prova is missing"_s;
    QTest::newRow("column twice") << u"Prova.tsv"_s << QByteArray("nome\tnota\tnumero\tNome\n")
                                  << u"Prova.tsv:1: column \"Nome\" named twice"_s;
    QTest::newRow("unknown escape") << u"Prova.tsv"_s << header + "a\\x\tb\t1\n"
                                    << u"Prova.tsv:2: column \"nome\": unknown escape \\x"_s;
    QTest::newRow("backslash at the end") << u"Prova.tsv"_s << header + "a\tb\\\t1\n"
                                          << u"Prova.tsv:2: column \"nota\": a backslash ends the field"_s;
    QTest::newRow("not UTF-8") << u"Prova.tsv"_s << header + "Perch\xE9\tb\t1\n"
                               << u"Prova.tsv:2: not valid UTF-8 text"_s;
    QTest::newRow("no header") << u"Prova.tsv"_s << QByteArray("\n\n") << u"Prova.tsv:1: no header line"_s;
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
        {u"Main.tsv"_s, mainHeader + "Volare\tDomenico Modugno\tPop/Classici\tr001\t4 4 5\t4e1 4e1\t"
                                     "E1(1/4)\te e\t*5e2\t2\t120\tVolare:d=4,o=5,b=120:e,e\n"
                                     "Perch\xC3\xA9 no\tL'Orchestra\tPop\tr002\t\\N\t\t\t\t\t0\t90\t\\N\n"},
        {u"Genres.tsv"_s, "Genre\nPop\nClassici\n"},
        {u"Zoekmethodes.tsv"_s, "Zoekmethode\nArtista\nTitolo\n"},
        {u"Rubrieken.tsv"_s, "Groep\nAmore\nViaggi & Vacanze\n"},
        {u"tools.tsv"_s, "toolnaam\timgnr\ttelefoon\ttooltype\tmedium\tbeschrijving\ttype\tdirname\tstart\n"
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
    const QString folder = m_dir->filePath(u"sorgenti"_s);
    writeCatalogueSources(folder);
    std::vector<TableData> tables;
    QString error;
    QVERIFY2(readCatalogueSource(folder, catalogueSchema(), &tables, &error), qPrintable(error));
    QCOMPARE(tables.size(), size_t(5));
    QCOMPARE(tables[4].name, catalogue::Tools);
    QCOMPARE(tables[4].rows.at(0).at(5), Value(u"Un programma.\nSeconda riga."_s));

    QVERIFY(QFile::rename(QDir(folder).filePath(u"tools.tsv"_s), QDir(folder).filePath(u"Tool.tsv"_s)));
    QVERIFY(!readCatalogueSource(folder, catalogueSchema(), &tables, &error));
    QVERIFY2(error.contains(u"Tool.tsv:1: unknown table \"Tool\""_s), qPrintable(error));

    QVERIFY(QFile::remove(QDir(folder).filePath(u"Tool.tsv"_s)));
    QVERIFY(!readCatalogueSource(folder, catalogueSchema(), &tables, &error));
    QVERIFY2(error.contains(u"no Tools.tsv for table Tools"_s), qPrintable(error));
}

void TestCatalogueSource::sourceFieldsReadBackUnchanged()
{
    const std::vector<Value> values = {std::nullopt,     QString(), u"\\N"_s,
                                       u"a\tb\nc\r\\"_s, u"\\e"_s,  u"Città – 5 €"_s};
    QByteArray content = "Genre\n";
    for (const Value &value : values)
        content += sourceField(value).toUtf8() + "\n";
    const TableData table = read(u"Genres.tsv"_s, content);
    QCOMPARE(table.rows.size(), values.size());
    for (size_t i = 0; i < values.size(); ++i)
        QCOMPARE(table.rows[i].at(0), values[i]);
}

void TestCatalogueSource::mkcatalogueBuildsTheDatabase()
{
    const QString folder = m_dir->filePath(u"sorgenti"_s);
    writeCatalogueSources(folder);
    const QString output = m_dir->filePath(u"datafiles/ringtones.dat"_s);
    QDir().mkpath(m_dir->filePath(u"datafiles"_s));

    const ToolResult result = runTool(QString::fromUtf8(MKCATALOGUE), {folder, output});
    QVERIFY2(result.ok, qPrintable(result.errors));
    QCOMPARE(mdbTables(output),
             QStringList({u"Main"_s, u"Genres"_s, u"Zoekmethodes"_s, u"Rubrieken"_s, u"Tools"_s}));
    const auto main = readWithLibmdb(output, u"Main"_s);
    QVERIFY(main);
    QCOMPARE(main->rows.size(), size_t(2));
    QCOMPARE(main->rows[1], Row({u"Perché no"_s, u"L'Orchestra"_s, u"Pop"_s, u"r002"_s, std::nullopt,
                                 QString(), QString(), QString(), QString(), u"0"_s, u"90"_s, std::nullopt}));
    const auto rubrieken = mdbExport(output, u"Rubrieken"_s);
    QVERIFY(rubrieken);
    QCOMPARE(rubrieken->back(), QStringList({u"Viaggi & Vacanze"_s}));
}

void TestCatalogueSource::mkcatalogueStopsAtAMistake()
{
    const QString folder = m_dir->filePath(u"sorgenti"_s);
    writeCatalogueSources(folder);
    QFile genres(QDir(folder).filePath(u"Genres.tsv"_s));
    QVERIFY(genres.open(QIODevice::Append));
    genres.write("Jazz\tBlues\n");
    genres.close();
    const QString output = m_dir->filePath(u"ringtones.dat"_s);

    const ToolResult result = runTool(QString::fromUtf8(MKCATALOGUE), {folder, output});
    QVERIFY(!result.ok);
    QVERIFY2(result.errors.contains(QDir(folder).filePath(u"Genres.tsv:4: 2 fields, but the header "
                                                          "names 1 columns"_s)),
             qPrintable(result.errors));
    QVERIFY(!QFile::exists(output));
}

QTEST_GUILESS_MAIN(TestCatalogueSource)
#include "test_cataloguesource.moc"
