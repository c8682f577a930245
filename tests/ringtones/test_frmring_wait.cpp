#include "docviewer/frmDoc.h"
#include "ringtones/MainTableLoad.h"
#include "ringtones/RingtoneSearch.h"
#include "tests/ringtones/ring_fixture.h"

#include <QLabel>
#include <QRadioButton>

#include <future>

using namespace Qt::StringLiterals;

using namespace brivello;

// The ringtone table is read in the background from the window's first
// showing. These tests hold that read back, so that the user clicks the
// search while it is still under way.
class TestFrmRingWait : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void aSearchClickedBeforeTheCatalogueIsReadWaitsVisiblyThenRuns();
    void escapeLeavesTheWaitAndTheSearchDoesNotRun();
    void aSecondClickOrAnotherWindowLeavesTheWait();
    void aCatalogueThatCannotBeReadIsToldWhenTheWaitEnds();

private:
    ringtones::frmRing &ring() { return m_fixture.ring(); }
    void releaseRead();
    bool looksBusy();
    bool looksIdle();
    void waitUntilRead() { QTRY_VERIFY(ring().mainTableReady()); }

    test::RingFixture m_fixture;
    std::promise<void> m_release;
    bool m_released = false;
};

void TestFrmRingWait::initTestCase()
{
    QString error;
    QVERIFY2(m_fixture.makeDisc(&error), qPrintable(error));
}

void TestFrmRingWait::init()
{
    m_release = std::promise<void>();
    m_released = false;
    std::shared_future<void> released = m_release.get_future().share();
    ringtones::MainTableLoad::setHoldForTests([released] { released.wait(); });
    m_fixture.open(false);
}

void TestFrmRingWait::cleanup()
{
    releaseRead();
    m_fixture.close();
    ringtones::MainTableLoad::setHoldForTests({});
}

void TestFrmRingWait::releaseRead()
{
    if (!m_released)
        m_release.set_value();
    m_released = true;
}

bool TestFrmRingWait::looksBusy()
{
    return ring().search().isWaiting() && ring().lblAttesa().isVisible() &&
           ring().cursor().shape() == Qt::BusyCursor && m_fixture.shows(ring().pctZoek(), 14);
}

bool TestFrmRingWait::looksIdle()
{
    return !ring().search().isWaiting() && !ring().lblAttesa().isVisible() &&
           ring().cursor().shape() == Qt::ArrowCursor && m_fixture.shows(ring().pctZoek(), 13);
}

void TestFrmRingWait::aSearchClickedBeforeTheCatalogueIsReadWaitsVisiblyThenRuns()
{
    QVERIFY(looksIdle());
    m_fixture.search(u"Artista"_s, u"anna"_s);
    QVERIFY(looksBusy());
    QVERIFY(ring().lblAttesa().text().startsWith(u"Lettura del catalogo"_s));
    QCOMPARE(ring().listModel().rowCount(), 0);
    // The window stays usable: the user can go on typing and pick a model.
    test::RingFixture::typeInto(ring().txtSearch(), u"rossi"_s);
    QCOMPARE(ring().txtSearch().text(), u"rossi"_s);
    QTest::mouseClick(&ring().phoneOption(3), Qt::LeftButton);
    QCOMPARE(ring().bytPhoneType(), 3);
    QVERIFY(looksBusy());

    // The search runs when the read ends, with what the boxes hold then.
    releaseRead();
    QTRY_VERIFY(!ring().search().isWaiting());
    QVERIFY(looksIdle());
    QCOMPARE(m_fixture.listed(), QStringList{u"Maria|Lyna Rossi|Dance/Pop"_s});
}

void TestFrmRingWait::escapeLeavesTheWaitAndTheSearchDoesNotRun()
{
    m_fixture.search(u"Artista"_s, u"anna"_s);
    QVERIFY(looksBusy());
    QTest::keyClick(&ring().txtSearch(), Qt::Key_Escape);
    QVERIFY(looksIdle());
    releaseRead();
    waitUntilRead();
    QCoreApplication::processEvents();
    QCOMPARE(ring().listModel().rowCount(), 0);
    QVERIFY(looksIdle());
    // Now that the catalogue is read, a search runs at once.
    m_fixture.clickSearch();
    QCOMPARE(m_fixture.listed(), (QStringList{u"Rose|Anna Verdi|Pop"_s, u"Tema|Anna Verdi|Pop/Rock"_s}));
}

void TestFrmRingWait::aSecondClickOrAnotherWindowLeavesTheWait()
{
    m_fixture.search(u"Artista"_s, u"anna"_s);
    QVERIFY(looksBusy());
    m_fixture.clickSearch();
    QVERIFY(looksIdle());

    m_fixture.clickSearch();
    QVERIFY(looksBusy());
    auto *docButton = ring().findChild<ui::PictureBox *>(u"pctDoc"_s);
    QVERIFY(docButton);
    QTest::mouseClick(docButton, Qt::LeftButton);
    QTRY_VERIFY(m_fixture.windows().doc().isVisible());
    QVERIFY(looksIdle());
    releaseRead();
    waitUntilRead();
    QCoreApplication::processEvents();
    QCOMPARE(ring().listModel().rowCount(), 0);
}

void TestFrmRingWait::aCatalogueThatCannotBeReadIsToldWhenTheWaitEnds()
{
    // The file is cut short after the window has opened it: the background
    // read fails, and the search that waited tells it.
    m_fixture.search(u"Artista"_s, u"anna"_s);
    QVERIFY(looksBusy());
    QFile catalogue(data::discPath(u".\\datafiles\\ringtones.dat"_s));
    const QByteArray kept = [&] {
        QFile reading(catalogue.fileName());
        return reading.open(QIODevice::ReadOnly) ? reading.readAll() : QByteArray();
    }();
    QVERIFY(kept.size() > 8192);
    QVERIFY(catalogue.open(QIODevice::ReadWrite));
    // The pages after the definitions are zeroed: Main's rows are lost.
    QVERIFY(catalogue.seek(4 * 4096));
    QVERIFY(catalogue.write(QByteArray(int(kept.size() - 4 * 4096), '\0')) > 0);
    catalogue.close();
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    releaseRead();
    QTRY_VERIFY(!ring().search().isWaiting());
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    QVERIFY(!ring().lblAttesa().isVisible());
    QCOMPARE(ring().cursor().shape(), Qt::ArrowCursor);
    QVERIFY(catalogue.open(QIODevice::WriteOnly));
    QCOMPARE(catalogue.write(kept), kept.size());
}

QTEST_MAIN(TestFrmRingWait)
#include "test_frmring_wait.moc"
