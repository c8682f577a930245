#include "data/DataSource.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

using brivello::data::Catalogue;
using brivello::data::CatalogueError;
using brivello::data::CriteriaError;
using brivello::data::DataSource;
using brivello::data::Table;

namespace {

std::shared_ptr<const Table> ringtones()
{
    return std::make_shared<const Table>(
        u"Main"_s, QStringList{u"song"_s, u"artiest"_s, u"Genre"_s},
        std::vector<QStringList>{{u"Rose rosse"_s, u"Ranieri"_s, u"Pop"_s},
                                 {u"Albachiara"_s, u"Vasco"_s, u"Rock"_s},
                                 {u"rosa"_s, u"D'Alessio"_s, u"Rock/Pop"_s},
                                 {u"Sally"_s, u"Vasco"_s, u"Rock/Pop/Jazz"_s},
                                 {u"Rosalina"_s, u"Mina"_s, u"Pop/Rock"_s}});
}

QString nwind()
{
    return QDir(brivello::test::sharedAccessDir()).filePath(u"nwind.mdb"_s);
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
                 (QStringList{u"Rose rosse"_s, u"Albachiara"_s, u"rosa"_s, u"Sally"_s, u"Rosalina"_s}));
        QCOMPARE(source.position(), 5);
        source.moveNext();
        QVERIFY(source.eof());
        QCOMPARE(source.field(u"song"), QString());
    }

    void emptyTableIsAtEofAtOnce()
    {
        DataSource source(
            std::make_shared<const Table>(u"Genres"_s, QStringList{u"Genre"_s}, std::vector<QStringList>{}));
        source.moveFirst();
        QVERIFY(source.eof());
        QCOMPARE(source.field(u"genre"), QString());
        QVERIFY(!source.findFirst(u"Genre = 'Pop'"_s));
        QVERIFY(source.noMatch());
        QCOMPARE(source.values(u"Genre"), QStringList{});
    }

    void findFirstAndFindNextFollowStoredOrder()
    {
        DataSource source(ringtones());
        const QString criteria = u"song like 'ROS*'"_s;
        QStringList found;
        for (bool ok = source.findFirst(criteria); ok; ok = source.findNext(criteria))
            found.append(source.field(u"song"));
        QCOMPARE(found, (QStringList{u"Rose rosse"_s, u"rosa"_s, u"Rosalina"_s}));
        QVERIFY(source.noMatch());
        QCOMPARE(source.field(u"song"), u"Rosalina"_s);
    }

    void failedFindLeavesTheCurrentRow()
    {
        DataSource source(ringtones());
        QVERIFY(source.findFirst(u"artiest = 'vasco'"_s));
        QCOMPARE(source.position(), 1);
        QVERIFY(!source.noMatch());
        QVERIFY(!source.findFirst(u"artiest = 'Battisti'"_s));
        QVERIFY(source.noMatch());
        QCOMPARE(source.position(), 1);
        QCOMPARE(source.field(u"song"), u"Albachiara"_s);
        QVERIFY(source.findNext(u"artiest = 'VASCO'"_s));
        QVERIFY(!source.noMatch());
        QCOMPARE(source.field(u"Song"), u"Sally"_s);
    }

    void findFirstStartsOverAfterFindNext()
    {
        DataSource source(ringtones());
        QVERIFY(source.findFirst(u"Genre like '*POP*'"_s));
        QVERIFY(source.findNext(u"Genre like '*POP*'"_s));
        QCOMPARE(source.position(), 2);
        QVERIFY(source.findFirst(u"Genre like '*POP*'"_s));
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
        QVERIFY(source.findFirst(u"artiest = '%1'"_s.arg(brivello::data::quoteLiteral(artist))));
        QCOMPARE(source.position(), 2);
    }

    void malformedCriteriaThrowAndKeepTheRow()
    {
        DataSource source(ringtones());
        QVERIFY(source.findFirst(u"song = 'Sally'"_s));
        QVERIFY_THROWS_EXCEPTION(CriteriaError, source.findFirst(u"artiest like 'D'ALESSIO*'"_s));
        QVERIFY_THROWS_EXCEPTION(CriteriaError, source.findNext(u"zanger = 'x'"_s));
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
            QVERIFY(error.message().contains(u"«tempo»"_s));
            QVERIFY(error.message().contains(u"«Main»"_s));
        }
        QVERIFY_THROWS_EXCEPTION(CatalogueError, source.values(u"tempo"));
    }

    void valuesListOneFieldInOrder()
    {
        DataSource source(ringtones());
        QCOMPARE(source.values(u"ARTIEST"),
                 (QStringList{u"Ranieri"_s, u"Vasco"_s, u"D'Alessio"_s, u"Vasco"_s, u"Mina"_s}));
    }

    void observerHearsEveryCriteriaInOrder()
    {
        DataSource source(ringtones());
        QStringList heard;
        source.setFindObserver([&heard](const QString &criteria) { heard.append(criteria); });
        source.findFirst(u"song like 'R*'"_s);
        source.findNext(u"song like 'R*'"_s);
        QVERIFY_THROWS_EXCEPTION(CriteriaError, source.findNext(u"song like"_s));
        QCOMPARE(heard, (QStringList{u"song like 'R*'"_s, u"song like 'R*'"_s, u"song like"_s}));
    }

    // More distinct strings than the source keeps compiled, used alternately:
    // each find must still use its own string.
    void manyAlternatingCriteriaStayApart()
    {
        DataSource source(ringtones());
        const QStringList songs = source.values(u"song");
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < songs.size(); ++i) {
                for (const QString &variant : {u"song = '%1'"_s, u"song like '%1'"_s}) {
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
        DataSource first(catalogue, u"customers"_s);
        DataSource second(catalogue, u"Customers"_s);
        QVERIFY(first.findFirst(u"City = 'Helsinki'"_s));
        QCOMPARE(first.field(u"CompanyName"), u"Wilman Kala"_s);
        second.moveFirst();
        QCOMPARE(second.field(u"CustomerID"), u"ALFKI"_s);
        QCOMPARE(first.field(u"city"), u"Helsinki"_s);
    }

    void findsInTheRealNorthwindFile()
    {
        BRIVELLO_NEEDS_SHARED_ACCESS();
        DataSource customers(Catalogue::open(nwind()), u"Customers"_s);
        QVERIFY(customers.findFirst(u"CompanyName like 'Océ*'"_s));
        QCOMPARE(customers.field(u"CompanyName"), u"Océano Atlántico Ltda."_s);
        QVERIFY(!customers.findNext(u"CompanyName like 'Océ*'"_s));

        QVERIFY(customers.findFirst(u"City = 'MÉXICO D.F.'"_s));
        QStringList mexican;
        for (bool ok = true; ok; ok = customers.findNext(u"city = 'méxico d.f.'"_s))
            mexican.append(customers.field(u"CustomerID"));
        QCOMPARE(mexican.size(), 5);
        QCOMPARE(mexican.first(), u"ANATR"_s);

        QVERIFY(customers.findFirst(u"CompanyName = 'Bon app'''"_s));
        QCOMPARE(customers.field(u"CustomerID"), u"BONAP"_s);
        const QString germanM = u"Country = 'Germany' and City like 'M*'"_s;
        QStringList cities;
        for (bool ok = customers.findFirst(germanM); ok; ok = customers.findNext(germanM))
            cities.append(customers.field(u"City"));
        QCOMPARE(cities, (QStringList{u"Mannheim"_s, u"München"_s, u"Münster"_s}));

        QVERIFY(customers.findFirst(u"city = 'KÖLN'"_s));
        QCOMPARE(customers.field(u"CustomerID"), u"OTTIK"_s);
    }
};

QTEST_GUILESS_MAIN(TestDataSource)
#include "test_datasource.moc"
