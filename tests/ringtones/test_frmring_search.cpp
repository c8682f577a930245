#include "tests/ringtones/ring_fixture.h"
#include "ui/Twips.h"

#include <QLineEdit>

using namespace brivello;

namespace {

QStringList strings(std::initializer_list<const char16_t *> texts)
{
    QStringList list;
    for (const char16_t *text : texts)
        list << QString::fromUtf16(text);
    return list;
}

} // namespace

class TestFrmRingSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { m_fixture.open(); }
    void cleanup() { m_fixture.close(); }
    void eachMethodArrangesTheBoxes();
    void placeholdersGoOnFocusAndWithTheNextTick();
    void artistSearchPasses();
    void titleSearchLooksForTheNameVariantInTheArtists();
    void soldraBecomesSoldaraKeepingTheWordsAfterIt();
    void genreSearchFindsTheGenreLastFirstOrAlone();
    void titleAndArtistSearchesBothOrFallsBackToOneField();
    void titleAndGenreFallBacks();
    void artistAndGenreSearchesLikeTitleAndGenre();
    void emptyBoxesEndWithTheNoResultRow();
    void anApostropheIsTypedLikeAnyOtherCharacter();
    void matchedWordsFarIntoTheTextAreFound();
    void aPatternTheCatalogueCannotUseEndsLikeASearchThatFoundNothing_data();
    void aPatternTheCatalogueCannotUseEndsLikeASearchThatFoundNothing();

private:
    ringtones::frmRing &ring() { return m_fixture.ring(); }
    QStringList criteria() { return m_fixture.takeCriteria(); }
    void typeAndSearch(QLineEdit &box, const QString &text)
    {
        test::RingFixture::typeInto(box, text);
        criteria();
        m_fixture.clickSearch();
    }
    test::RingFixture m_fixture;
};

void TestFrmRingSearch::initTestCase()
{
    QString error;
    QVERIFY2(m_fixture.makeDisc(&error), qPrintable(error));
}

void TestFrmRingSearch::eachMethodArrangesTheBoxes()
{
    QLineEdit &search = ring().txtSearch();
    QLineEdit &artist = ring().txtSArt();
    QLineEdit &title = ring().txtSsng();
    QComboBox &genres = ring().dbcGenre();
    auto visible = [&] {
        return QString::fromLatin1("%1%2%3%4")
            .arg(int(search.isVisible()))
            .arg(int(artist.isVisible()))
            .arg(int(title.isVisible()))
            .arg(int(genres.isVisible()));
    };
    QCOMPARE(visible(), QStringLiteral("1000"));
    test::RingFixture::typeInto(search, QStringLiteral("kept"));
    m_fixture.pickMethod(QStringLiteral("Titolo + Artista"));
    QCOMPARE(visible(), QStringLiteral("0110"));
    QCOMPARE(artist.text(), QStringLiteral("Artista"));
    QCOMPARE(title.text(), QStringLiteral("Titolo"));
    QCOMPARE(title.x(), ui::twips(6480));
    test::RingFixture::typeInto(artist, QStringLiteral("anna"));
    test::RingFixture::typeInto(title, QStringLiteral("te"));
    m_fixture.pickMethod(QStringLiteral("Titolo + Genere"));
    QCOMPARE(visible(), QStringLiteral("0011"));
    QCOMPARE(title.x(), ui::twips(4080));
    QCOMPARE(title.text(), QStringLiteral("te"));
    m_fixture.pickMethod(QStringLiteral("Artista + Genere"));
    QCOMPARE(visible(), QStringLiteral("0101"));
    QCOMPARE(artist.text(), QStringLiteral("anna"));
    m_fixture.pickMethod(QStringLiteral("Genere"));
    QCOMPARE(visible(), QStringLiteral("0001"));
    // A text naming no method leaves the boxes as they are.
    ring().dbcSearch().setEditText(QStringLiteral("Altro"));
    QCOMPARE(visible(), QStringLiteral("0001"));
    m_fixture.pickMethod(QStringLiteral("Titolo"));
    QCOMPARE(visible(), QStringLiteral("1000"));
    QCOMPARE(search.text(), QStringLiteral("kept"));
    QCOMPARE(title.text(), QStringLiteral("te"));
}

void TestFrmRingSearch::placeholdersGoOnFocusAndWithTheNextTick()
{
    ring().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&ring()));
    m_fixture.pickMethod(QStringLiteral("Titolo + Artista"));
    QCOMPARE(ring().txtSArt().text(), QStringLiteral("Artista"));
    QTest::mouseClick(&ring().txtSArt(), Qt::LeftButton);
    QVERIFY(ring().txtSArt().text().isEmpty());
    QCOMPARE(ring().txtSsng().text(), QStringLiteral("Titolo"));
    m_fixture.fakes().clock->advance(2000);
    QVERIFY(ring().txtSsng().text().isEmpty());
    // The word typed by hand is taken for the placeholder.
    test::RingFixture::typeInto(ring().txtSArt(), QStringLiteral("Artista"));
    test::RingFixture::typeInto(ring().txtSsng(), QStringLiteral("Titolone"));
    m_fixture.fakes().clock->advance(2000);
    QVERIFY(ring().txtSArt().text().isEmpty());
    QCOMPARE(ring().txtSsng().text(), QStringLiteral("Titolone"));
}

void TestFrmRingSearch::artistSearchPasses()
{
    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("ros"));
    QCOMPARE(criteria(), strings({u"artiest like 'ROS*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("--||")});
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));

    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("lina"));
    QCOMPARE(criteria(),
             strings({u"artiest like 'LINA*'", u"artiest like '*LINA*'", u"artiest like 'LYNA*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("Maria|Lyna Rossi|Dance/Pop")});

    // Found at once: no contains pass, then the I/Y variant.
    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("anna verdi"));
    QCOMPARE(criteria(), strings({u"artiest like 'ANNA VERDI*'", u"artiest like 'ANNA VERDY*'"}));
    QCOMPARE(m_fixture.listed(), strings({u"Rose|Anna Verdi|Pop", u"Tema|Anna Verdi|Pop/Rock"}));

    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("ossi"));
    QCOMPARE(criteria(),
             strings({u"artiest like 'OSSI*'", u"artiest like '*OSSI*'", u"artiest like 'OSSY*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("Maria|Lyna Rossi|Dance/Pop")});
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));
}

void TestFrmRingSearch::titleSearchLooksForTheNameVariantInTheArtists()
{
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("maria"));
    QCOMPARE(criteria(), strings({u"song like 'MARIA*'", u"artiest like 'MARYA*'"}));
    QCOMPARE(m_fixture.listed(), strings({u"Maria|Lyna Rossi|Dance/Pop", u"Notte|Marya Blu|Dance"}));
}

void TestFrmRingSearch::soldraBecomesSoldaraKeepingTheWordsAfterIt()
{
    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("soldra x"));
    QCOMPARE(criteria(), strings({u"artiest like 'SOLDRA X*'", u"artiest like '*SOLDRA X*'",
                                  u"artiest like 'SOLDARA X*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("Sole|Soldara X|Rock")});
    // Typed the other way, the first pass of every search tries SOLDRA.
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("soldara"));
    QCOMPARE(criteria(),
             strings({u"artiest like 'SOLDRA*'", u"song like 'SOLDARA*'", u"artiest like 'SOLDRA*'"}));
}

void TestFrmRingSearch::genreSearchFindsTheGenreLastFirstOrAlone()
{
    m_fixture.pickMethod(QStringLiteral("Genere"));
    m_fixture.pickGenre(QStringLiteral("Pop"));
    criteria();
    m_fixture.clickSearch();
    QCOMPARE(criteria(), strings({u"Genre like '*/Pop'", u"Genre like 'Pop/*'", u"Genre = 'Pop'"}));
    QCOMPARE(m_fixture.listed(),
             strings({u"Blue Night|The Keys|Rock/Pop", u"Maria|Lyna Rossi|Dance/Pop",
                      u"Tema|Anna Verdi|Pop/Rock", u"Rose|Anna Verdi|Pop", u"L'Estate|D'Alessio|Pop"}));
}

void TestFrmRingSearch::titleAndArtistSearchesBothOrFallsBackToOneField()
{
    m_fixture.pickMethod(QStringLiteral("Titolo + Artista"));
    test::RingFixture::typeInto(ring().txtSArt(), QStringLiteral("anna"));
    typeAndSearch(ring().txtSsng(), QStringLiteral("te"));
    QCOMPARE(criteria(), strings({u"song like 'TE*' and artiest like 'ANNA*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("Tema|Anna Verdi|Pop/Rock")});

    m_fixture.pickMethod(QStringLiteral("Titolo + Artista"));
    ring().txtSsng().clear();
    typeAndSearch(ring().txtSArt(), QStringLiteral("lina"));
    QCOMPARE(criteria(),
             strings({u"artiest like 'LINA*'", u"artiest like '*LINA*'", u"artiest like 'LYNA*'"}));
    QCOMPARE(ring().dbcSearch().currentText(), QStringLiteral("Artista"));
    QCOMPARE(ring().txtSearch().text(), QStringLiteral("lina"));
    QVERIFY(ring().txtSArt().text().isEmpty());
    QVERIFY(ring().txtSearch().isVisible());
    QVERIFY(!ring().txtSArt().isVisible() && !ring().txtSsng().isVisible());

    m_fixture.pickMethod(QStringLiteral("Titolo + Artista"));
    ring().txtSArt().clear();
    typeAndSearch(ring().txtSsng(), QStringLiteral("rosa"));
    QCOMPARE(criteria(), strings({u"song like 'ROSA*'"}));
    QCOMPARE(ring().dbcSearch().currentText(), QStringLiteral("Titolo"));
    QCOMPARE(ring().txtSearch().text(), QStringLiteral("rosa"));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("rosa|Marco Bianchi|Dance")});
}

void TestFrmRingSearch::titleAndGenreFallBacks()
{
    m_fixture.pickMethod(QStringLiteral("Titolo + Genere"));
    m_fixture.pickGenre(QStringLiteral("Pop"));
    typeAndSearch(ring().txtSsng(), QStringLiteral("ro"));
    QCOMPARE(criteria(), strings({u"song like 'RO*' and Genre like 'POP*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("Rose|Anna Verdi|Pop")});

    ring().txtSsng().clear();
    criteria();
    m_fixture.clickSearch();
    QCOMPARE(criteria(), strings({u"Genre like '*Pop*'"}));
    QCOMPARE(m_fixture.listed().size(), 5);
    QCOMPARE(ring().dbcSearch().currentText(), QStringLiteral("Genere"));
    QVERIFY(ring().dbcGenre().isVisible() && !ring().txtSearch().isVisible());

    // Without a genre the title is searched, the variants come from the
    // single box, and the window is left arranged for "Titolo".
    m_fixture.pickMethod(QStringLiteral("Titolo + Genere"));
    ring().dbcGenre().setCurrentIndex(-1);
    typeAndSearch(ring().txtSsng(), QStringLiteral("maria"));
    QCOMPARE(criteria(), strings({u"song like 'MARIA*'"}));
    QCOMPARE(ring().dbcSearch().currentText(), QStringLiteral("Titolo"));
    QVERIFY(ring().txtSearch().isVisible() && !ring().txtSsng().isVisible() &&
            !ring().dbcGenre().isVisible());
}

void TestFrmRingSearch::artistAndGenreSearchesLikeTitleAndGenre()
{
    m_fixture.pickMethod(QStringLiteral("Artista + Genere"));
    m_fixture.pickGenre(QStringLiteral("Pop"));
    typeAndSearch(ring().txtSArt(), QStringLiteral("anna"));
    QCOMPARE(criteria(), strings({u"artiest like 'ANNA*' and Genre like 'POP*'"}));
    QCOMPARE(m_fixture.listed(), strings({u"Rose|Anna Verdi|Pop", u"Tema|Anna Verdi|Pop/Rock"}));

    ring().txtSArt().clear();
    m_fixture.pickGenre(QStringLiteral("Dance"));
    criteria();
    m_fixture.clickSearch();
    QCOMPARE(criteria(), strings({u"Genre like '*Dance*'"}));
    QCOMPARE(ring().dbcSearch().currentText(), QStringLiteral("Genere"));

    m_fixture.pickMethod(QStringLiteral("Artista + Genere"));
    ring().dbcGenre().setCurrentIndex(-1);
    typeAndSearch(ring().txtSArt(), QStringLiteral("d'alessio"));
    QCOMPARE(criteria(), strings({u"artiest like 'D''ALESSIO*'", u"artiest like 'D''ALESSYO*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("L'Estate|D'Alessio|Pop")});
    QCOMPARE(ring().dbcSearch().currentText(), QStringLiteral("Artista"));
    QCOMPARE(ring().txtSearch().text(), QStringLiteral("d'alessio"));
    QVERIFY(ring().txtSearch().isVisible() && !ring().txtSArt().isVisible());
}

void TestFrmRingSearch::emptyBoxesEndWithTheNoResultRow()
{
    m_fixture.pickMethod(QStringLiteral("Genere"));
    criteria();
    m_fixture.clickSearch();
    QCOMPARE(criteria(), QStringList{});
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("--||")});
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));
    m_fixture.search(QStringLiteral("Artista"), QString());
    QCOMPARE(criteria(), QStringList{});
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("--||")});
    QCOMPARE(ring().lngFound(), 0);
}

void TestFrmRingSearch::anApostropheIsTypedLikeAnyOtherCharacter()
{
    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("d'alessio"));
    QCOMPARE(criteria(), strings({u"artiest like 'D''ALESSIO*'", u"artiest like 'D''ALESSYO*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("L'Estate|D'Alessio|Pop")});
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));
    // A typed pattern character still acts as one.
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("*'e"));
    QCOMPARE(criteria(), strings({u"song like '*''E*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("L'Estate|D'Alessio|Pop")});
}

void TestFrmRingSearch::matchedWordsFarIntoTheTextAreFound()
{
    const QString padding(300, u'x');
    m_fixture.search(QStringLiteral("Artista"), padding + QStringLiteral(" soldara"));
    const QStringList passes = criteria();
    const QString upper = padding.toUpper();
    QCOMPARE(passes.first(), QStringLiteral("artiest like '") + upper + QStringLiteral(" SOLDRA*'"));
    QCOMPARE(passes.last(), QStringLiteral("artiest like '") + upper + QStringLiteral(" SOLDRA*'"));
    QCOMPARE(passes.size(), 4);
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("--||")});
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));
}

void TestFrmRingSearch::aPatternTheCatalogueCannotUseEndsLikeASearchThatFoundNothing_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("typed");
    QTest::newRow("title [") << u"Titolo"_qs << u"["_qs;
    QTest::newRow("title []") << u"Titolo"_qs << u"[]"_qs;
    QTest::newRow("artist [!") << u"Artista"_qs << u"[!"_qs;
    QTest::newRow("artist [z-a]") << u"Artista"_qs << u"[z-a]"_qs;
    QTest::newRow("title ro[") << u"Titolo"_qs << u"ro["_qs;
}

// Mended fault: an unclosed or empty bracket list, or a reversed range, ended
// the search with an empty list: no no-result row and no word.
void TestFrmRingSearch::aPatternTheCatalogueCannotUseEndsLikeASearchThatFoundNothing()
{
    QFETCH(QString, method);
    QFETCH(QString, typed);
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("ros"));
    QCOMPARE(m_fixture.listed().size(), 2);
    m_fixture.search(method, typed);
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("--||")});
    QVERIFY(!ring().blnSongSelected());
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));
    QVERIFY(m_fixture.fakes().messageBox->shown().empty());
}

QTEST_MAIN(TestFrmRingSearch)
#include "test_frmring_search.moc"
