// A scratched disc as the user meets it: the program starts, and the damage
// shows only when a window reads the part of the catalogue that was lost.
// The user is told which file is damaged, and the program goes on.
#include "app/StartUp.h"
#include "app/WindowSet.h"
#include "data/DiscPaths.h"
#include "logos/frmLogo.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/RingtoneSearch.h"
#include "ringtones/frmRing.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestDisc.h"
#include "tests/support/TestSupport.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/WindowStack.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;
using platform::MessageAnswer;

class TestDamagedDisc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstSearchOnADamagedMainTellsAndTheWindowStaysUsable();
    void galleryWhoseCategoriesAreLostTellsAndStillShowsItsLogos();

private:
    QString cataloguePath() const { return m_disc->filePath(u"datafiles/ringtones.dat"_s); }
    void search(const QString &method, const QString &text);
    bool searchButtonShows(int picture) const;
    QString lastMessage() const { return m_fakes.messageBox->shown().back().text; }

    std::unique_ptr<QTemporaryDir> m_disc;
    test::FakePlatform m_fakes;
    std::unique_ptr<app::StartUp> m_startUp;
};

void TestDamagedDisc::init()
{
    m_disc = std::make_unique<QTemporaryDir>();
    QVERIFY(m_disc->isValid());
    QVERIFY(QDir(m_disc->path()).mkpath(u"datafiles"_s));
    data::setProgramFolder(m_disc->path());
    m_fakes = test::FakePlatform();
    m_startUp = std::make_unique<app::StartUp>(m_fakes.platform());
}

void TestDamagedDisc::cleanup()
{
    m_startUp.reset();
    m_fakes.checkUnused();
    data::setProgramFolder(QString());
}

void TestDamagedDisc::search(const QString &method, const QString &text)
{
    ringtones::frmRing &ring = m_startUp->windows().ring();
    const int index = ring.dbcSearch().findText(method);
    QVERIFY2(index >= 0, qPrintable(method));
    ring.dbcSearch().setCurrentIndex(index);
    Q_EMIT ring.dbcSearch().activated(index);
    ring.txtSearch().setFocus();
    ring.txtSearch().clear();
    QTest::keyClicks(&ring.txtSearch(), text);
    QTest::mouseClick(&ring.pctZoek(), Qt::LeftButton);
    // The catalogue is read in the background; the search runs when it is.
    QTRY_VERIFY(!ring.search().isWaiting());
}

bool TestDamagedDisc::searchButtonShows(int picture) const
{
    const ui::PictureBox &button = m_startUp->windows().ring().pctZoek();
    const QImage expected =
        m_startUp->images().picture(picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect area = expected.rect() & button.canvas().rect();
    return button.canvas().copy(area) == expected.copy(area);
}

// Mended fault: a data page of Main zeroed by a read error passed the
// start-up, and the first search (which reads Main) ended the program with
// SIGABRT and no word.
void TestDamagedDisc::firstSearchOnADamagedMainTellsAndTheWindowStaysUsable()
{
    QVERIFY(QFile::copy(test::damagedCatalogue(u"first-search-abort-damaged-main.dat"_s), cataloguePath()));
    QCOMPARE(m_startUp->start(), 0);
    ringtones::frmRing &ring = m_startUp->windows().ring();

    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    search(u"Artista"_s, u"a"_s);
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(1));
    QVERIFY2(lastMessage().contains(u"ringtones.dat"_s) && lastMessage().contains(u"«Main»"_qs) &&
                 lastMessage().contains(u"danneggiato"_s),
             qPrintable(lastMessage()));
    QCOMPARE(ring.listModel().rowCount(), 0);
    QVERIFY(searchButtonShows(13));

    // The window still answers: another search tells again, the SMS tool
    // starts, and the program has not ended.
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    search(u"Titolo"_s, u"b"_s);
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(2));
    QTest::mouseClick(&ring.pctSMS(), Qt::LeftButton);
    QCOMPARE(m_fakes.programStarter->calls().size(), std::size_t(1));
    QCOMPARE(m_startUp->stack().activeWindow(), &ring);
    QVERIFY(ring.isVisible());
    QVERIFY(!m_startUp->finished());
}

// Mended fault: a category table whose rows were lost left an empty combo
// and no word.
void TestDamagedDisc::galleryWhoseCategoriesAreLostTellsAndStillShowsItsLogos()
{
    test::TestCatalogue catalogue;
    catalogue.ringtones = test::sampleRingtones();
    QString error;
    QVERIFY2(test::writeTestDisc(m_disc->path(), catalogue, &error), qPrintable(error));
    QVERIFY2(test::zeroPageHolding(cataloguePath(), u"Persone"_s, &error), qPrintable(error));
    QCOMPARE(m_startUp->start(), 0);

    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    logos::frmLogo &gallery = m_startUp->windows().logo();
    m_startUp->stack().showModal(gallery);
    m_startUp->stack().settle();
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(1));
    QVERIFY2(lastMessage().contains(u"ringtones.dat"_s) && lastMessage().contains(u"«Rubrieken»"_qs),
             qPrintable(lastMessage()));
    // The logos travel inside the program: "Persone" is shown all the same.
    QCOMPARE(gallery.dbcRubriek().currentText(), u"Persone"_s);
    QVERIFY(gallery.pctLogo1(0).isVisible());
    QCOMPARE(m_startUp->stack().activeWindow(), &gallery);
}

QTEST_MAIN(TestDamagedDisc)
#include "test_damageddisc.moc"
