#include "data/DataSource.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTest>

using brivello::data::Catalogue;
using brivello::data::CatalogueError;
using brivello::data::CriteriaError;
using brivello::data::DataSource;
using brivello::data::Table;

namespace {

std::shared_ptr<const Table> ringtones()
{
    return std::make_shared<const Table>(
        QStringLiteral("Main"),
        QStringList{QStringLiteral("song"), QStringLiteral("artiest"), QStringLiteral("Genre")},
        std::vector<QStringList>{
            {QStringLiteral("Rose rosse"), QStringLiteral("Ranieri"), QStringLiteral("Pop")},
            {QStringLiteral("Albachiara"), QStringLiteral("Vasco"), QStringLiteral("Rock")},
            {QStringLiteral("rosa"), QStringLiteral("D'Alessio"), QStringLiteral("Rock/Pop")},
            {QStringLiteral("Sally"), QStringLiteral("Vasco"), QStringLiteral("Rock/Pop/Jazz")},
            {QStringLiteral("Rosalina"), QStringLiteral("Mina"), QStringLiteral("Pop/Rock")}});
}

QString nwind()
{
    return QDir(brivello::test::sharedAccessDir()).filePath(QStringLiteral("nwind.mdb"));
}

} // namespace

class TestDataSource : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void movesThroughEveryRowToEof()
    {
        DataSource source(ringtones());
        QCOMPARE(source.rowCount(), 5);
        QStringList songs;
        for (source.moveFirst(); !source.eof(); source.moveNext())
            songs.append(source.field(u"SONG"));
        QCOMPARE(songs,
                 (QStringList{QStringLiteral("Rose rosse"), QStringLiteral("Albachiara"),
                              QStringLiteral("rosa"), QStringLiteral("Sally"), QStringLiteral("Rosalina")}));
        QCOMPARE(source.position(), 5);
        source.moveNext();
        QVERIFY(source.eof());
        QCOMPARE(source.field(u"song"), QString());
    }

    void emptyTableIsAtEofAtOnce()
    {
        DataSource source(std::make_shared<const Table>(
            QStringLiteral("Genres"), QStringList{QStringLiteral("Genre")}, std::vector<QStringList>{}));
        source.moveFirst();
        QVERIFY(source.eof());
        QCOMPARE(source.field(u"genre"), QString());
        QVERIFY(!source.findFirst(QStringLiteral("Genre = 'Pop'")));
        QVERIFY(source.noMatch());
        QCOMPARE(source.values(u"Genre"), QStringList{});
    }

    void findFirstAndFindNextFollowStoredOrder()
    {
        DataSource source(ringtones());
        const QString criteria = QStringLiteral("song like 'ROS*'");
        QStringList found;
        for (bool ok = source.findFirst(criteria); ok; ok = source.findNext(criteria))
            found.append(source.field(u"song"));
        QCOMPARE(found, (QStringList{QStringLiteral("Rose rosse"), QStringLiteral("rosa"),
                                     QStringLiteral("Rosalina")}));
        QVERIFY(source.noMatch());
        QCOMPARE(source.field(u"song"), QStringLiteral("Rosalina"));
    }

    void failedFindLeavesTheCurrentRow()
    {
        DataSource source(ringtones());
        QVERIFY(source.findFirst(QStringLiteral("artiest = 'vasco'")));
        QCOMPARE(source.position(), 1);
        QVERIFY(!source.noMatch());
        QVERIFY(!source.findFirst(QStringLiteral("artiest = 'Battisti'")));
        QVERIFY(source.noMatch());
        QCOMPARE(source.position(), 1);
        QCOMPARE(source.field(u"song"), QStringLiteral("Albachiara"));
        QVERIFY(source.findNext(QStringLiteral("artiest = 'VASCO'")));
        QVERIFY(!source.noMatch());
        QCOMPARE(source.field(u"Song"), QStringLiteral("Sally"));
    }

    void findFirstStartsOverAfterFindNext()
    {
        DataSource source(ringtones());
        QVERIFY(source.findFirst(QStringLiteral("Genre like '*POP*'")));
        QVERIFY(source.findNext(QStringLiteral("Genre like '*POP*'")));
        QCOMPARE(source.position(), 2);
        QVERIFY(source.findFirst(QStringLiteral("Genre like '*POP*'")));
        QCOMPARE(source.position(), 0);
    }

    void quotedStoredValueSelectsItsRow()
    {
        DataSource source(ringtones());
        source.moveFirst();
        source.moveNext();
        source.moveNext();
        const QString artist = source.field(u"artiest");
        source.moveFirst();
        QVERIFY(source.findFirst(QStringLiteral("artiest = '%1'").arg(brivello::data::quoteLiteral(artist))));
        QCOMPARE(source.position(), 2);
    }

    void malformedCriteriaThrowAndKeepTheRow()
    {
        DataSource source(ringtones());
        QVERIFY(source.findFirst(QStringLiteral("song = 'Sally'")));
        QVERIFY_THROWS_EXCEPTION(CriteriaError,
                                 source.findFirst(QStringLiteral("artiest like 'D'ALESSIO*'")));
        QVERIFY_THROWS_EXCEPTION(CriteriaError, source.findNext(QStringLiteral("zanger = 'x'")));
        QCOMPARE(source.position(), 3);
    }

    void unknownFieldIsACatalogueError()
    {
        DataSource source(ringtones());
        try {
            source.field(u"tempo");
            QFAIL("no error for a missing field");
        } catch (const CatalogueError &error) {
            QCOMPARE(error.kind(), CatalogueError::Kind::MissingField);
            QVERIFY(error.message().contains(QStringLiteral("«tempo»")));
            QVERIFY(error.message().contains(QStringLiteral("«Main»")));
        }
        QVERIFY_THROWS_EXCEPTION(CatalogueError, source.values(u"tempo"));
    }

    void valuesListOneFieldInOrder()
    {
        DataSource source(ringtones());
        QCOMPARE(source.values(u"ARTIEST"),
                 (QStringList{QStringLiteral("Ranieri"), QStringLiteral("Vasco"), QStringLiteral("D'Alessio"),
                              QStringLiteral("Vasco"), QStringLiteral("Mina")}));
    }

    void observerHearsEveryCriteriaInOrder()
    {
        DataSource source(ringtones());
        QStringList heard;
        source.setFindObserver([&heard](const QString &criteria) { heard.append(criteria); });
        source.findFirst(QStringLiteral("song like 'R*'"));
        source.findNext(QStringLiteral("song like 'R*'"));
        QVERIFY_THROWS_EXCEPTION(CriteriaError, source.findNext(QStringLiteral("song like")));
        QCOMPARE(heard, (QStringList{QStringLiteral("song like 'R*'"), QStringLiteral("song like 'R*'"),
                                     QStringLiteral("song like")}));
    }

    // More distinct strings than the source keeps compiled, used alternately:
    // each find must still use its own string.
    void manyAlternatingCriteriaStayApart()
    {
        DataSource source(ringtones());
        const QStringList songs = source.values(u"song");
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < songs.size(); ++i) {
                for (const QString &variant :
                     {QStringLiteral("song = '%1'"), QStringLiteral("song like '%1'")}) {
                    QVERIFY(source.findFirst(variant.arg(brivello::data::quoteLiteral(songs.at(i)))));
                    QCOMPARE(source.position(), i);
                }
            }
        }
    }

    void twoSourcesOnOneCatalogueKeepTheirOwnRow()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        const auto catalogue = Catalogue::open(nwind());
        DataSource first(catalogue, QStringLiteral("customers"));
        DataSource second(catalogue, QStringLiteral("Customers"));
        QVERIFY(first.findFirst(QStringLiteral("City = 'Helsinki'")));
        QCOMPARE(first.field(u"CompanyName"), QStringLiteral("Wilman Kala"));
        second.moveFirst();
        QCOMPARE(second.field(u"CustomerID"), QStringLiteral("ALFKI"));
        QCOMPARE(first.field(u"city"), QStringLiteral("Helsinki"));
    }

    void findsInTheRealNorthwindFile()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        DataSource customers(Catalogue::open(nwind()), QStringLiteral("Customers"));
        QVERIFY(customers.findFirst(QStringLiteral("CompanyName like 'Océ*'")));
        QCOMPARE(customers.field(u"CompanyName"), QStringLiteral("Océano Atlántico Ltda."));
        QVERIFY(!customers.findNext(QStringLiteral("CompanyName like 'Océ*'")));

        QVERIFY(customers.findFirst(QStringLiteral("City = 'MÉXICO D.F.'")));
        QStringList mexican;
        for (bool ok = true; ok; ok = customers.findNext(QStringLiteral("city = 'méxico d.f.'")))
            mexican.append(customers.field(u"CustomerID"));
        QCOMPARE(mexican.size(), 5);
        QCOMPARE(mexican.first(), QStringLiteral("ANATR"));

        QVERIFY(customers.findFirst(QStringLiteral("CompanyName = 'Bon app'''")));
        QCOMPARE(customers.field(u"CustomerID"), QStringLiteral("BONAP"));
        const QString germanM = QStringLiteral("Country = 'Germany' and City like 'M*'");
        QStringList cities;
        for (bool ok = customers.findFirst(germanM); ok; ok = customers.findNext(germanM))
            cities.append(customers.field(u"City"));
        QCOMPARE(cities, (QStringList{QStringLiteral("Mannheim"), QStringLiteral("München"),
                                      QStringLiteral("Münster")}));

        QVERIFY(customers.findFirst(QStringLiteral("city = 'KÖLN'")));
        QCOMPARE(customers.field(u"CustomerID"), QStringLiteral("OTTIK"));
    }
};

QTEST_GUILESS_MAIN(TestDataSource)
#include "test_datasource.moc"
