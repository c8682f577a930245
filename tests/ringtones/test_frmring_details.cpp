#include "tests/ringtones/ring_fixture.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>

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
    QCOMPARE(ring().txtNoten().text(), QStringLiteral("Quantità di note"));
    QCOMPARE(ring().txtTempo().text(), QStringLiteral("Velocità"));
    QVERIFY(ring().phoneOption(1).isChecked());
    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("anna"));
    const QStringList codes{QStringLiteral("nokia hand code of Tema"),
                            QStringLiteral("nokia scherm code of Tema"),
                            QStringLiteral("siemens code of Tema"), QStringLiteral("ericsson code of Tema"),
                            QStringLiteral("motorola code of Tema")};
    for (int model = 1; model <= 5; ++model) {
        QTest::mouseClick(&ring().phoneOption(model), Qt::LeftButton);
        QCOMPARE(ring().bytPhoneType(), model);
        m_fixture.clickRow(1);
        QCOMPARE(ring().txtCode().toPlainText(), codes.at(model - 1));
        QCOMPARE(ring().txtNoten().text(), QStringLiteral("Quantità di note: 4"));
        QCOMPARE(ring().txtTempo().text(), QStringLiteral("Velocità: 120"));
        QVERIFY(ring().blnSongSelected());
        QVERIFY(listHasFocus());
    }
    QCOMPARE(ring().criteria(),
             QStringLiteral("song = 'Tema' and artiest = 'Anna Verdi' and bestand = 'tema'"));
}

void TestFrmRingDetails::switchingTheModelReplacesTheCodeAtOnce()
{
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("ros"));
    m_fixture.clickRow(1);
    QCOMPARE(ring().txtCode().toPlainText(), QStringLiteral("nokia hand code of rosa"));
    QTest::mouseClick(&ring().phoneOption(4), Qt::LeftButton);
    QCOMPARE(ring().txtCode().toPlainText(), QStringLiteral("ericsson code of rosa"));
    QTest::mouseClick(&ring().phoneOption(2), Qt::LeftButton);
    QCOMPARE(ring().txtCode().toPlainText(), QStringLiteral("nokia scherm code of rosa"));
    QVERIFY(listHasFocus());
}

void TestFrmRingDetails::arrowKeysShowTheDetailsOfEachNewRow()
{
    QTest::mouseClick(&ring().phoneOption(3), Qt::LeftButton);
    m_fixture.search(QStringLiteral("Artista"), QStringLiteral("*"));
    m_fixture.clickRow(0);
    QCOMPARE(ring().txtCode().toPlainText(), QStringLiteral("siemens code of Rose"));
    QTest::keyClick(&ring().lstMain(), Qt::Key_Down);
    QCOMPARE(ring().txtCode().toPlainText(), QStringLiteral("siemens code of Blue Night"));
    QCOMPARE(ring().txtNoten().text(), QStringLiteral("Quantità di note: 10"));
    QTest::keyClick(&ring().lstMain(), Qt::Key_Down);
    QCOMPARE(ring().txtCode().toPlainText(), QStringLiteral("siemens code of rosa"));
    QTest::keyClick(&ring().lstMain(), Qt::Key_Up);
    QCOMPARE(ring().txtCode().toPlainText(), QStringLiteral("siemens code of Blue Night"));
}

void TestFrmRingDetails::aSearchLeavesTheDetailsEmptyUntilARowIsClicked()
{
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("rose"));
    m_fixture.clickRow(0);
    QVERIFY(!ring().txtCode().toPlainText().isEmpty());
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("tema"));
    QCOMPARE(ring().lstMain().currentIndex().row(), 0);
    QVERIFY(ring().txtCode().toPlainText().isEmpty());
    QVERIFY(ring().txtNoten().text().isEmpty());
    QVERIFY(ring().txtTempo().text().isEmpty());
    QVERIFY(!ring().blnSongSelected());
}

void TestFrmRingDetails::theNoResultRowShowsNothing()
{
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("zzz"));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("--||")});
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
    QCOMPARE(ring().txtNoten().text(), QStringLiteral("Quantità di note"));
    QVERIFY(!ring().blnSongSelected());
}

void TestFrmRingDetails::aTitleWithAnApostropheFindsItsOwnRecord()
{
    m_fixture.search(QStringLiteral("Titolo"), QStringLiteral("l'est"));
    QCOMPARE(m_fixture.listed(), QStringList{QStringLiteral("L'Estate|D'Alessio|Pop")});
    m_fixture.takeCriteria();
    m_fixture.clickRow(0);
    QCOMPARE(
        m_fixture.takeCriteria(),
        QStringList{QStringLiteral("song = 'L''Estate' and artiest = 'D''Alessio' and bestand = 'estate'")});
    QCOMPARE(ring().txtCode().toPlainText(), QStringLiteral("nokia hand code of L'Estate"));
    QVERIFY(ring().blnSongSelected());
}

QTEST_MAIN(TestFrmRingDetails)
#include "test_frmring_details.moc"
