// The synthetic catalogue: determinism, plausible contents, and the written
// file read back by libmdb, by the program's own reader and by mdb-reader.

#include "MdbReadBack.h"
#include "authoring/CatalogueGenerator.h"
#include "data/Catalogue.h"
#include "ringtones/melody/Melody.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::authoring;
using namespace brivello::authoring::test;

namespace {

constexpr qint64 FileRingtones = 5000;
const std::vector<qint64> SampledRows = {0, 1, 2, 254, 255, 4321, 4998, 4999};

QStringList exported(const Row &row)
{
    QStringList fields;
    for (const Value &value : row)
        fields.append(value.value_or(QString()));
    return fields;
}

QStringList schemaTableNames()
{
    QStringList names;
    for (const TableSchema &table : catalogueSchema())
        names.append(table.name);
    return names;
}

int column(const QString &name)
{
    return findCatalogueTable(catalogue::Main)->column(name);
}

QString field(const Row &row, const QString &name)
{
    return row.at(size_t(column(name))).value_or(u"<NULL>"_s);
}

} // namespace

class TestCatalogueGenerator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void sameSeedSameCatalogue();
    void ringtonesLookReal();
    void phoneCodesFollowTheRingtoneText();
    void smallTablesHoldTheKnownTexts();
    void generatedFileReadsBackThroughLibmdb();
    void generatedFileReadsBackThroughCatalogue();
    void generatedFileReadsBackThroughMdbReader();

private:
    QTemporaryDir m_dir;
    QString m_file;
    CatalogueGenerator m_generator{GeneratorOptions{FileRingtones, 2026}};
};

void TestCatalogueGenerator::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_file = m_dir.filePath(u"ringtones.dat"_s);
    QString error;
    QVERIFY2(writeGeneratedCatalogue(m_file, {FileRingtones, 2026}, &error), qPrintable(error));
}

void TestCatalogueGenerator::sameSeedSameCatalogue()
{
    const CatalogueGenerator again(GeneratorOptions{FileRingtones, 2026});
    const CatalogueGenerator other(GeneratorOptions{FileRingtones, 2027});
    int differences = 0;
    for (qint64 i = 0; i < 200; ++i) {
        QCOMPARE(again.ringtone(i), m_generator.ringtone(i));
        differences += other.ringtone(i) != m_generator.ringtone(i) ? 1 : 0;
    }
    QCOMPARE(differences, 200);
    QCOMPARE(again.smallTables().back().rows, m_generator.smallTables().back().rows);
    // A row does not depend on the rows made before it.
    QCOMPARE(m_generator.ringtone(4999),
             CatalogueGenerator(GeneratorOptions{FileRingtones, 2026}).ringtone(4999));
}

void TestCatalogueGenerator::ringtonesLookReal()
{
    const QStringList genreList = CatalogueGenerator::genres();
    const QSet<QString> genres(genreList.begin(), genreList.end());
    QSet<QString> files;
    qint64 titleLengths = 0;
    int severalGenres = 0;
    int accented = 0;
    for (qint64 i = 0; i < 2000; ++i) {
        const Row row = m_generator.ringtone(i);
        QCOMPARE(row.size(), findCatalogueTable(catalogue::Main)->columns.size());
        const QString song = field(row, u"song"_s);
        QVERIFY2(song.size() >= 2 && song.size() <= 80, qPrintable(song));
        QVERIFY(song.at(0).isUpper());
        titleLengths += song.size();
        accented += song.contains(QRegularExpression(u"[àèéìòù]"_s)) ? 1 : 0;
        QVERIFY(!field(row, u"artiest"_s).isEmpty());
        const QStringList rowGenres = field(row, u"Genre"_s).split(u'/');
        for (const QString &genre : rowGenres)
            QVERIFY2(genres.contains(genre), qPrintable(genre));
        severalGenres += rowGenres.size() > 1 ? 1 : 0;
        files.insert(field(row, u"bestand"_s));
    }
    QCOMPARE(files.size(), 2000);
    QVERIFY(titleLengths / 2000 >= 8 && titleLengths / 2000 <= 40);
    QVERIFY(severalGenres > 200 && severalGenres < 1800);
    QVERIFY(accented > 100);
}

void TestCatalogueGenerator::phoneCodesFollowTheRingtoneText()
{
    for (qint64 i = 0; i < 300; ++i) {
        const Row row = m_generator.ringtone(i * 31);
        const melody::RtttlReading reading = melody::readRtttl(field(row, u"bieps"_s));
        QVERIFY2(reading.ok(), qPrintable(reading.error));
        QVERIFY2(reading.fixes.isEmpty(), qPrintable(reading.fixes.join(u' ')));
        const melody::Melody &tune = reading.melody;
        QCOMPARE(field(row, u"nokia_hand"_s), melody::nokiaKeypad(tune));
        QCOMPARE(field(row, u"nokia_scherm"_s), melody::nokiaScreen(tune));
        QCOMPARE(field(row, u"siemens"_s), melody::siemensScreen(tune));
        QCOMPARE(field(row, u"ericsson"_s), melody::ericssonScreen(tune));
        QCOMPARE(field(row, u"motorola"_s), melody::motorolaScreen(tune));
        QCOMPARE(field(row, u"aantalnoten"_s), QString::number(melody::noteCount(tune)));
        QCOMPARE(field(row, u"tempo"_s), QString::number(tune.bpm));
    }
}

void TestCatalogueGenerator::smallTablesHoldTheKnownTexts()
{
    const std::vector<TableData> tables = m_generator.smallTables();
    QCOMPARE(tables.size(), size_t(4));
    auto values = [](const TableData &table) {
        QStringList result;
        for (const Row &row : table.rows)
            result.append(row.at(0).value_or(QString()));
        return result;
    };
    QCOMPARE(tables[0].name, catalogue::Genres);
    QCOMPARE(values(tables[0]), CatalogueGenerator::genres());
    QCOMPARE(tables[1].name, catalogue::Zoekmethodes);
    QCOMPARE(values(tables[1]), QStringList({u"Artista"_s, u"Titolo"_s, u"Titolo + Artista"_s, u"Genere"_s,
                                             u"Artista + Genere"_s, u"Titolo + Genere"_s}));
    QCOMPARE(tables[2].name, catalogue::Rubrieken);
    QCOMPARE(values(tables[2]),
             QStringList({u"Amore"_s, u"Persone"_s, u"Animali"_s, u"Testi"_s, u"Viaggi & Vacanze"_s}));

    const TableData &tools = tables[3];
    QCOMPARE(tools.name, catalogue::Tools);
    QVERIFY(tools.rows.size() >= 20 && tools.rows.size() <= 31);
    const TableSchema &schema = *findCatalogueTable(catalogue::Tools);
    QSet<QString> names;
    for (const Row &row : tools.rows) {
        const QString name = *row.at(size_t(schema.column(u"toolnaam")));
        QVERIFY2(!name.contains(u'\''), qPrintable(name));
        names.insert(name.toLower());
        const int picture = row.at(size_t(schema.column(u"imgnr")))->toInt();
        QVERIFY(picture >= 1 && picture <= 31);
        QVERIFY(!row.at(size_t(schema.column(u"dirname")))->isEmpty());
        QVERIFY(row.at(size_t(schema.column(u"start")))->endsWith(u".exe"_s));
    }
    QCOMPARE(size_t(names.size()), tools.rows.size());
    QVERIFY(names.contains(u"musicbox"_s));
}

void TestCatalogueGenerator::generatedFileReadsBackThroughLibmdb()
{
    QCOMPARE(mdbTables(m_file), schemaTableNames());
    QCOMPARE(mdbCount(m_file, catalogue::Main), FileRingtones);
    const std::vector<TableData> small = m_generator.smallTables();
    for (const TableData &table : small) {
        const auto read = readWithLibmdb(m_file, table.name);
        QVERIFY(read);
        QCOMPARE(read->rows, table.rows);
    }
    qint64 index = 0;
    int mismatches = 0;
    QVERIFY(forEachLibmdbRow(m_file, catalogue::Main, [&](const Row &row) {
        if (std::find(SampledRows.begin(), SampledRows.end(), index) != SampledRows.end())
            mismatches += row != m_generator.ringtone(index) ? 1 : 0;
        ++index;
    }));
    QCOMPARE(index, FileRingtones);
    QCOMPARE(mismatches, 0);
}

void TestCatalogueGenerator::generatedFileReadsBackThroughCatalogue()
{
    const std::shared_ptr<data::Catalogue> catalogue = data::Catalogue::open(m_file);
    QCOMPARE(catalogue->tableNames(), schemaTableNames());
    const std::shared_ptr<const data::Table> main = catalogue->table(u"main"_s);
    QCOMPARE(qint64(main->rowCount()), FileRingtones);
    QStringList columns;
    for (const Column &column : findCatalogueTable(catalogue::Main)->columns)
        columns.append(column.name);
    QCOMPARE(main->columns, columns);
    for (const qint64 i : SampledRows)
        QCOMPARE(main->row(size_t(i)), exported(m_generator.ringtone(i)));
    const std::shared_ptr<const data::Table> tools = catalogue->table(u"Tools"_s);
    const TableData expected = m_generator.smallTables().back();
    QCOMPARE(tools->rows().size(), expected.rows.size());
    for (size_t i = 0; i < expected.rows.size(); ++i)
        QCOMPARE(tools->rows()[i], exported(expected.rows[i]));
}

void TestCatalogueGenerator::generatedFileReadsBackThroughMdbReader()
{
    const MdbReaderDump dump = readWithMdbReader(m_file);
    if (!dump.skipReason.isEmpty())
        QSKIP(qPrintable(dump.skipReason));
    QVERIFY2(dump.error.isEmpty(), qPrintable(dump.error));
    QCOMPARE(dump.tables, schemaTableNames());
    const std::vector<Row> &main = dump.rows.at(catalogue::Main);
    QCOMPARE(qint64(main.size()), FileRingtones);
    for (const qint64 i : SampledRows)
        QCOMPARE(main.at(size_t(i)), m_generator.ringtone(i));
    for (const TableData &table : m_generator.smallTables())
        QCOMPARE(dump.rows.at(table.name), table.rows);
}

QTEST_GUILESS_MAIN(TestCatalogueGenerator)
#include "test_cataloguegenerator.moc"
