#include "tests/ringtones/ring_fixture.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>

using namespace Qt::StringLiterals;

using namespace brivello;

class TestFrmRingDetails : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { m_fixture.open(); }
    void cleanup() { m_fixture.close(); }
    void clickingARowShowsTheCodeOfEachPhoneModel();
    void switchingTheModelReplacesTheCodeAtOnce();
    void arrowKeysShowTheDetailsOfEachNewRow();
    void aSearchLeavesTheDetailsEmptyUntilARowIsClicked();
    void theNoResultRowShowsNothing();
    void choosingAModelWithAnEmptyListOnlyFocusesTheList();
    void aTitleWithAnApostropheFindsItsOwnRecord();

private:
    ringtones::frmRing &ring() { return m_fixture.ring(); }
    bool listHasFocus() { return ring().focusWidget() == &ring().lstMain(); }
    test::RingFixture m_fixture;
};

void TestFrmRingDetails::initTestCase()
{
    QString error;
    QVERIFY2(m_fixture.makeDisc(&error), qPrintable(error));
}

void TestFrmRingDetails::clickingARowShowsTheCodeOfEachPhoneModel()
{
    QCOMPARE(ring().txtNoten().text(), u"Quantità di note"_s);
    QCOMPARE(ring().txtTempo().text(), u"Velocità"_s);
    QVERIFY(ring().phoneOption(1).isChecked());
    m_fixture.search(u"Artista"_s, u"anna"_s);
    const QStringList codes{u"nokia hand code of Tema"_s, u"nokia scherm code of Tema"_s,
                            u"siemens code of Tema"_s, u"ericsson code of Tema"_s,
                            u"motorola code of Tema"_s};
    for (int model = 1; model <= 5; ++model) {
        QTest::mouseClick(&ring().phoneOption(model), Qt::LeftButton);
        QCOMPARE(ring().bytPhoneType(), model);
        m_fixture.clickRow(1);
        QCOMPARE(ring().txtCode().toPlainText(), codes.at(model - 1));
        QCOMPARE(ring().txtNoten().text(), u"Quantità di note: 4"_s);
        QCOMPARE(ring().txtTempo().text(), u"Velocità: 120"_s);
        QVERIFY(ring().blnSongSelected());
        QVERIFY(listHasFocus());
    }
    QCOMPARE(ring().criteria(), u"song = 'Tema' and artiest = 'Anna Verdi' and bestand = 'tema'"_s);
}

void TestFrmRingDetails::switchingTheModelReplacesTheCodeAtOnce()
{
    m_fixture.search(u"Titolo"_s, u"ros"_s);
    m_fixture.clickRow(1);
    QCOMPARE(ring().txtCode().toPlainText(), u"nokia hand code of rosa"_s);
    QTest::mouseClick(&ring().phoneOption(4), Qt::LeftButton);
    QCOMPARE(ring().txtCode().toPlainText(), u"ericsson code of rosa"_s);
    QTest::mouseClick(&ring().phoneOption(2), Qt::LeftButton);
    QCOMPARE(ring().txtCode().toPlainText(), u"nokia scherm code of rosa"_s);
    QVERIFY(listHasFocus());
}

void TestFrmRingDetails::arrowKeysShowTheDetailsOfEachNewRow()
{
    QTest::mouseClick(&ring().phoneOption(3), Qt::LeftButton);
    m_fixture.search(u"Artista"_s, u"*"_s);
    m_fixture.clickRow(0);
    QCOMPARE(ring().txtCode().toPlainText(), u"siemens code of Rose"_s);
    QTest::keyClick(&ring().lstMain(), Qt::Key_Down);
    QCOMPARE(ring().txtCode().toPlainText(), u"siemens code of Blue Night"_s);
    QCOMPARE(ring().txtNoten().text(), u"Quantità di note: 10"_s);
    QTest::keyClick(&ring().lstMain(), Qt::Key_Down);
    QCOMPARE(ring().txtCode().toPlainText(), u"siemens code of rosa"_s);
    QTest::keyClick(&ring().lstMain(), Qt::Key_Up);
    QCOMPARE(ring().txtCode().toPlainText(), u"siemens code of Blue Night"_s);
}

void TestFrmRingDetails::aSearchLeavesTheDetailsEmptyUntilARowIsClicked()
{
    m_fixture.search(u"Titolo"_s, u"rose"_s);
    m_fixture.clickRow(0);
    QVERIFY(!ring().txtCode().toPlainText().isEmpty());
    m_fixture.search(u"Titolo"_s, u"tema"_s);
    QCOMPARE(ring().lstMain().currentIndex().row(), 0);
    QVERIFY(ring().txtCode().toPlainText().isEmpty());
    QVERIFY(ring().txtNoten().text().isEmpty());
    QVERIFY(ring().txtTempo().text().isEmpty());
    QVERIFY(!ring().blnSongSelected());
}

void TestFrmRingDetails::theNoResultRowShowsNothing()
{
    m_fixture.search(u"Titolo"_s, u"zzz"_s);
    QCOMPARE(m_fixture.listed(), QStringList{u"--||"_s});
    m_fixture.takeCriteria();
    m_fixture.clickRow(0);
    QTest::mouseClick(&ring().phoneOption(5), Qt::LeftButton);
    QVERIFY(ring().txtCode().toPlainText().isEmpty());
    QVERIFY(ring().txtNoten().text().isEmpty());
    QVERIFY(!ring().blnSongSelected());
    QCOMPARE(m_fixture.takeCriteria(), QStringList{});
}

void TestFrmRingDetails::choosingAModelWithAnEmptyListOnlyFocusesTheList()
{
    QTest::mouseClick(&ring().phoneOption(2), Qt::LeftButton);
    QCOMPARE(ring().bytPhoneType(), 2);
    QVERIFY(listHasFocus());
    QVERIFY(ring().txtCode().toPlainText().isEmpty());
    QCOMPARE(ring().txtNoten().text(), u"Quantità di note"_s);
    QVERIFY(!ring().blnSongSelected());
}

void TestFrmRingDetails::aTitleWithAnApostropheFindsItsOwnRecord()
{
    m_fixture.search(u"Titolo"_s, u"l'est"_s);
    QCOMPARE(m_fixture.listed(), QStringList{u"L'Estate|D'Alessio|Pop"_s});
    m_fixture.takeCriteria();
    m_fixture.clickRow(0);
    QCOMPARE(m_fixture.takeCriteria(),
             QStringList{u"song = 'L''Estate' and artiest = 'D''Alessio' and bestand = 'estate'"_s});
    QCOMPARE(ring().txtCode().toPlainText(), u"nokia hand code of L'Estate"_s);
    QVERIFY(ring().blnSongSelected());
}

QTEST_MAIN(TestFrmRingDetails)
#include "test_frmring_details.moc"
