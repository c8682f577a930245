#include "tests/ringtones/ring_fixture.h"
#include "ui/Twips.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

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
    QCOMPARE(visible(), u"1000"_s);
    test::RingFixture::typeInto(search, u"kept"_s);
    m_fixture.pickMethod(u"Titolo + Artista"_s);
    QCOMPARE(visible(), u"0110"_s);
    QCOMPARE(artist.text(), u"Artista"_s);
    QCOMPARE(title.text(), u"Titolo"_s);
    QCOMPARE(title.x(), ui::twips(6480));
    test::RingFixture::typeInto(artist, u"anna"_s);
    test::RingFixture::typeInto(title, u"te"_s);
    m_fixture.pickMethod(u"Titolo + Genere"_s);
    QCOMPARE(visible(), u"0011"_s);
    QCOMPARE(title.x(), ui::twips(4080));
    QCOMPARE(title.text(), u"te"_s);
    m_fixture.pickMethod(u"Artista + Genere"_s);
    QCOMPARE(visible(), u"0101"_s);
    QCOMPARE(artist.text(), u"anna"_s);
    m_fixture.pickMethod(u"Genere"_s);
    QCOMPARE(visible(), u"0001"_s);
    // A text naming no method leaves the boxes as they are.
    ring().dbcSearch().setEditText(u"Altro"_s);
    QCOMPARE(visible(), u"0001"_s);
    m_fixture.pickMethod(u"Titolo"_s);
    QCOMPARE(visible(), u"1000"_s);
    QCOMPARE(search.text(), u"kept"_s);
    QCOMPARE(title.text(), u"te"_s);
}

void TestFrmRingSearch::placeholdersGoOnFocusAndWithTheNextTick()
{
    ring().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&ring()));
    m_fixture.pickMethod(u"Titolo + Artista"_s);
    QCOMPARE(ring().txtSArt().text(), u"Artista"_s);
    QTest::mouseClick(&ring().txtSArt(), Qt::LeftButton);
    QVERIFY(ring().txtSArt().text().isEmpty());
    QCOMPARE(ring().txtSsng().text(), u"Titolo"_s);
    m_fixture.fakes().clock->advance(2000);
    QVERIFY(ring().txtSsng().text().isEmpty());
    // The word typed by hand is taken for the placeholder.
    test::RingFixture::typeInto(ring().txtSArt(), u"Artista"_s);
    test::RingFixture::typeInto(ring().txtSsng(), u"Titolone"_s);
    m_fixture.fakes().clock->advance(2000);
    QVERIFY(ring().txtSArt().text().isEmpty());
    QCOMPARE(ring().txtSsng().text(), u"Titolone"_s);
}

void TestFrmRingSearch::artistSearchPasses()
{
    m_fixture.search(u"Artista"_s, u"ros"_s);
    QCOMPARE(criteria(), strings({u"artiest like 'ROS*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{u"--||"_s});
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));

    m_fixture.search(u"Artista"_s, u"lina"_s);
    QCOMPARE(criteria(),
             strings({u"artiest like 'LINA*'", u"artiest like '*LINA*'", u"artiest like 'LYNA*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{u"Maria|Lyna Rossi|Dance/Pop"_s});

    // Found at once: no contains pass, then the I/Y variant.
    m_fixture.search(u"Artista"_s, u"anna verdi"_s);
    QCOMPARE(criteria(), strings({u"artiest like 'ANNA VERDI*'", u"artiest like 'ANNA VERDY*'"}));
    QCOMPARE(m_fixture.listed(), strings({u"Rose|Anna Verdi|Pop", u"Tema|Anna Verdi|Pop/Rock"}));

    m_fixture.search(u"Artista"_s, u"ossi"_s);
    QCOMPARE(criteria(),
             strings({u"artiest like 'OSSI*'", u"artiest like '*OSSI*'", u"artiest like 'OSSY*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{u"Maria|Lyna Rossi|Dance/Pop"_s});
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));
}

void TestFrmRingSearch::titleSearchLooksForTheNameVariantInTheArtists()
{
    m_fixture.search(u"Titolo"_s, u"maria"_s);
    QCOMPARE(criteria(), strings({u"song like 'MARIA*'", u"artiest like 'MARYA*'"}));
    QCOMPARE(m_fixture.listed(), strings({u"Maria|Lyna Rossi|Dance/Pop", u"Notte|Marya Blu|Dance"}));
}

void TestFrmRingSearch::soldraBecomesSoldaraKeepingTheWordsAfterIt()
{
    m_fixture.search(u"Artista"_s, u"soldra x"_s);
    QCOMPARE(criteria(), strings({u"artiest like 'SOLDRA X*'", u"artiest like '*SOLDRA X*'",
                                  u"artiest like 'SOLDARA X*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{u"Sole|Soldara X|Rock"_s});
    // Typed the other way, the first pass of every search tries SOLDRA.
    m_fixture.search(u"Titolo"_s, u"soldara"_s);
    QCOMPARE(criteria(),
             strings({u"artiest like 'SOLDRA*'", u"song like 'SOLDARA*'", u"artiest like 'SOLDRA*'"}));
}

void TestFrmRingSearch::genreSearchFindsTheGenreLastFirstOrAlone()
{
    m_fixture.pickMethod(u"Genere"_s);
    m_fixture.pickGenre(u"Pop"_s);
    criteria();
    m_fixture.clickSearch();
    QCOMPARE(criteria(), strings({u"Genre like '*/Pop'", u"Genre like 'Pop/*'", u"Genre = 'Pop'"}));
    QCOMPARE(m_fixture.listed(),
             strings({u"Blue Night|The Keys|Rock/Pop", u"Maria|Lyna Rossi|Dance/Pop",
                      u"Tema|Anna Verdi|Pop/Rock", u"Rose|Anna Verdi|Pop", u"L'Estate|D'Alessio|Pop"}));
}

void TestFrmRingSearch::titleAndArtistSearchesBothOrFallsBackToOneField()
{
    m_fixture.pickMethod(u"Titolo + Artista"_s);
    test::RingFixture::typeInto(ring().txtSArt(), u"anna"_s);
    typeAndSearch(ring().txtSsng(), u"te"_s);
    QCOMPARE(criteria(), strings({u"song like 'TE*' and artiest like 'ANNA*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{u"Tema|Anna Verdi|Pop/Rock"_s});

    m_fixture.pickMethod(u"Titolo + Artista"_s);
    ring().txtSsng().clear();
    typeAndSearch(ring().txtSArt(), u"lina"_s);
    QCOMPARE(criteria(),
             strings({u"artiest like 'LINA*'", u"artiest like '*LINA*'", u"artiest like 'LYNA*'"}));
    QCOMPARE(ring().dbcSearch().currentText(), u"Artista"_s);
    QCOMPARE(ring().txtSearch().text(), u"lina"_s);
    QVERIFY(ring().txtSArt().text().isEmpty());
    QVERIFY(ring().txtSearch().isVisible());
    QVERIFY(!ring().txtSArt().isVisible() && !ring().txtSsng().isVisible());

    m_fixture.pickMethod(u"Titolo + Artista"_s);
    ring().txtSArt().clear();
    typeAndSearch(ring().txtSsng(), u"rosa"_s);
    QCOMPARE(criteria(), strings({u"song like 'ROSA*'"}));
    QCOMPARE(ring().dbcSearch().currentText(), u"Titolo"_s);
    QCOMPARE(ring().txtSearch().text(), u"rosa"_s);
    QCOMPARE(m_fixture.listed(), QStringList{u"rosa|Marco Bianchi|Dance"_s});
}

void TestFrmRingSearch::titleAndGenreFallBacks()
{
    m_fixture.pickMethod(u"Titolo + Genere"_s);
    m_fixture.pickGenre(u"Pop"_s);
    typeAndSearch(ring().txtSsng(), u"ro"_s);
    QCOMPARE(criteria(), strings({u"song like 'RO*' and Genre like 'POP*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{u"Rose|Anna Verdi|Pop"_s});

    ring().txtSsng().clear();
    criteria();
    m_fixture.clickSearch();
    QCOMPARE(criteria(), strings({u"Genre like '*Pop*'"}));
    QCOMPARE(m_fixture.listed().size(), 5);
    QCOMPARE(ring().dbcSearch().currentText(), u"Genere"_s);
    QVERIFY(ring().dbcGenre().isVisible() && !ring().txtSearch().isVisible());

    // Without a genre the title is searched, the variants come from the
    // single box, and the window is left arranged for "Titolo".
    m_fixture.pickMethod(u"Titolo + Genere"_s);
    ring().dbcGenre().setCurrentIndex(-1);
    typeAndSearch(ring().txtSsng(), u"maria"_s);
    QCOMPARE(criteria(), strings({u"song like 'MARIA*'"}));
    QCOMPARE(ring().dbcSearch().currentText(), u"Titolo"_s);
    QVERIFY(ring().txtSearch().isVisible() && !ring().txtSsng().isVisible() &&
            !ring().dbcGenre().isVisible());
}

void TestFrmRingSearch::artistAndGenreSearchesLikeTitleAndGenre()
{
    m_fixture.pickMethod(u"Artista + Genere"_s);
    m_fixture.pickGenre(u"Pop"_s);
    typeAndSearch(ring().txtSArt(), u"anna"_s);
    QCOMPARE(criteria(), strings({u"artiest like 'ANNA*' and Genre like 'POP*'"}));
    QCOMPARE(m_fixture.listed(), strings({u"Rose|Anna Verdi|Pop", u"Tema|Anna Verdi|Pop/Rock"}));

    ring().txtSArt().clear();
    m_fixture.pickGenre(u"Dance"_s);
    criteria();
    m_fixture.clickSearch();
    QCOMPARE(criteria(), strings({u"Genre like '*Dance*'"}));
    QCOMPARE(ring().dbcSearch().currentText(), u"Genere"_s);

    m_fixture.pickMethod(u"Artista + Genere"_s);
    ring().dbcGenre().setCurrentIndex(-1);
    typeAndSearch(ring().txtSArt(), u"d'alessio"_s);
    QCOMPARE(criteria(), strings({u"artiest like 'D''ALESSIO*'", u"artiest like 'D''ALESSYO*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{u"L'Estate|D'Alessio|Pop"_s});
    QCOMPARE(ring().dbcSearch().currentText(), u"Artista"_s);
    QCOMPARE(ring().txtSearch().text(), u"d'alessio"_s);
    QVERIFY(ring().txtSearch().isVisible() && !ring().txtSArt().isVisible());
}

void TestFrmRingSearch::emptyBoxesEndWithTheNoResultRow()
{
    m_fixture.pickMethod(u"Genere"_s);
    criteria();
    m_fixture.clickSearch();
    QCOMPARE(criteria(), QStringList{});
    QCOMPARE(m_fixture.listed(), QStringList{u"--||"_s});
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));
    m_fixture.search(u"Artista"_s, QString());
    QCOMPARE(criteria(), QStringList{});
    QCOMPARE(m_fixture.listed(), QStringList{u"--||"_s});
    QCOMPARE(ring().lngFound(), 0);
}

void TestFrmRingSearch::anApostropheIsTypedLikeAnyOtherCharacter()
{
    m_fixture.search(u"Artista"_s, u"d'alessio"_s);
    QCOMPARE(criteria(), strings({u"artiest like 'D''ALESSIO*'", u"artiest like 'D''ALESSYO*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{u"L'Estate|D'Alessio|Pop"_s});
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));
    // A typed pattern character still acts as one.
    m_fixture.search(u"Titolo"_s, u"*'e"_s);
    QCOMPARE(criteria(), strings({u"song like '*''E*'"}));
    QCOMPARE(m_fixture.listed(), QStringList{u"L'Estate|D'Alessio|Pop"_s});
}

void TestFrmRingSearch::matchedWordsFarIntoTheTextAreFound()
{
    const QString padding(300, u'x');
    m_fixture.search(u"Artista"_s, padding + u" soldara"_s);
    const QStringList passes = criteria();
    const QString upper = padding.toUpper();
    QCOMPARE(passes.first(), u"artiest like '"_s + upper + u" SOLDRA*'"_s);
    QCOMPARE(passes.last(), u"artiest like '"_s + upper + u" SOLDRA*'"_s);
    QCOMPARE(passes.size(), 4);
    QCOMPARE(m_fixture.listed(), QStringList{u"--||"_s});
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
    m_fixture.search(u"Titolo"_s, u"ros"_s);
    QCOMPARE(m_fixture.listed().size(), 2);
    m_fixture.search(method, typed);
    QCOMPARE(m_fixture.listed(), QStringList{u"--||"_s});
    QVERIFY(!ring().blnSongSelected());
    QVERIFY(m_fixture.shows(ring().pctZoek(), 13));
    QVERIFY(m_fixture.fakes().messageBox->shown().empty());
}

QTEST_MAIN(TestFrmRingSearch)
#include "test_frmring_search.moc"
