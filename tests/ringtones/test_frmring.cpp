#include "app/WindowSet.h"
#include "data/CatalogueError.h"
#include "data/Criteria.h"
#include "data/DataSource.h"
#include "data/DiscPaths.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/frmRing.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestDisc.h"
#include "ui/ButtonImages.h"
#include "ui/Twips.h"
#include "ui/WindowStack.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;
using ringtones::RingtoneListModel;

namespace {

// The rows of the list as the user reads them: title | artist | genre.
QStringList listed(const QTreeView &list)
{
    QStringList rows;
    const QAbstractItemModel &model = *list.model();
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 3; ++column)
            cells << model.index(row, column).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

} // namespace

class TestFrmRing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void listIsEmptyAfterLoading();
    void appendsMatchesInTableOrder();
    void twoPassesListARowTwice();
    void starMatchesEveryRow();
    void noMatchAppendsNothing();
    void rejectedCriteriaKeepTheRowsAppendedBefore();
    void firstRowOfAnEmptyListBecomesSelected();
    void noResultRowHasNoSubItems();
    void columnsHaveTheirWidthsAndTheFileColumnStaysHidden();
    void clickingACellSelectsTheWholeRow();
    void aHundredThousandRowsArriveInOneInsertion();

private:
    ringtones::frmRing &ring() { return m_windows->ring(); }
    void search(const QString &criteria);

    QTemporaryDir m_disc;
    test::FakePlatform m_fakes;
    std::unique_ptr<ui::WindowStack> m_stack;
    std::unique_ptr<ui::ButtonImages> m_images;
    std::unique_ptr<app::WindowSet> m_windows;
};

void TestFrmRing::initTestCase()
{
    test::TestCatalogue catalogue;
    catalogue.ringtones = test::sampleRingtones();
    QString error;
    QVERIFY2(test::writeTestDisc(m_disc.path(), catalogue, &error), qPrintable(error));
    data::setProgramFolder(m_disc.path());
    m_images = std::make_unique<ui::ButtonImages>();
}

void TestFrmRing::init()
{
    m_fakes = test::FakePlatform();
    m_stack = std::make_unique<ui::WindowStack>();
    m_windows = std::make_unique<app::WindowSet>(m_fakes.platform(), *m_stack, *m_images);
    m_stack->showModal(ring());
}

void TestFrmRing::cleanup()
{
    m_windows.reset();
    m_stack.reset();
    m_fakes.checkUnused();
}

void TestFrmRing::search(const QString &criteria)
{
    ring().setCriteria(criteria);
    ring().AddMatches();
}

void TestFrmRing::listIsEmptyAfterLoading()
{
    QCOMPARE(ring().listModel().rowCount(), 0);
    QCOMPARE(ring().lngFound(), 0);
    QVERIFY(ring().lstMain().isVisible());
    QCOMPARE(ring().datMain().rowCount(), 4);
}

void TestFrmRing::appendsMatchesInTableOrder()
{
    search(u"artiest like 'ANNA*'"_s);
    QCOMPARE(listed(ring().lstMain()),
             (QStringList{u"Rose|Anna Verdi|Pop"_s, u"Tema|Anna Verdi|Pop/Rock"_s}));
    QCOMPARE(ring().listModel().row(1).file, u"tema"_s);
    QCOMPARE(ring().lngFound(), 2);
}

void TestFrmRing::twoPassesListARowTwice()
{
    search(u"song like 'ROS*'"_s);
    search(u"artiest like 'ANNA*'"_s);
    QCOMPARE(listed(ring().lstMain()),
             (QStringList{u"Rose|Anna Verdi|Pop"_s, u"rosa|Marco Bianchi|Dance"_s, u"Rose|Anna Verdi|Pop"_s,
                          u"Tema|Anna Verdi|Pop/Rock"_s}));
    QCOMPARE(ring().lngFound(), 4);
    ring().resetFound();
    QCOMPARE(ring().lngFound(), 0);
}

void TestFrmRing::starMatchesEveryRow()
{
    search(u"song like '*'"_s);
    QCOMPARE(ring().listModel().rowCount(), 4);
    search(u"artiest like '*' and Genre like '*'"_s);
    QCOMPARE(ring().listModel().rowCount(), 8);
    QCOMPARE(listed(ring().lstMain()).mid(4), listed(ring().lstMain()).mid(0, 4));
    QCOMPARE(ring().listModel().row(3).song, u"Tema"_s);
}

void TestFrmRing::noMatchAppendsNothing()
{
    search(u"song like 'ZZZ*'"_s);
    QCOMPARE(ring().listModel().rowCount(), 0);
    QCOMPARE(ring().lngFound(), 0);
}

void TestFrmRing::rejectedCriteriaKeepTheRowsAppendedBefore()
{
    search(u"song = 'Rose'"_s);
    // A typed quote ends the literal early.
    ring().setCriteria(u"song like 'ROSE'S*'"_s);
    QVERIFY_THROWS_EXCEPTION(data::CriteriaError, ring().AddMatches());
    QCOMPARE(listed(ring().lstMain()), QStringList{u"Rose|Anna Verdi|Pop"_s});
}

void TestFrmRing::firstRowOfAnEmptyListBecomesSelected()
{
    search(u"Genre like '*Rock*'"_s);
    QCOMPARE(ring().lstMain().currentIndex().row(), 0);
    QVERIFY(ring().lstMain().selectionModel()->isRowSelected(0, {}));
    ring().lstMain().setCurrentIndex(ring().listModel().index(1, 0));
    search(u"song like '*'"_s);
    QCOMPARE(ring().lstMain().currentIndex().row(), 1);
}

void TestFrmRing::noResultRowHasNoSubItems()
{
    ring().listModel().appendNoResult();
    const RingtoneListModel &model = ring().listModel();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0, RingtoneListModel::Song).data().toString(), u"--"_s);
    QVERIFY(!model.index(0, RingtoneListModel::Artist).data().isValid());
    QVERIFY(!model.index(0, RingtoneListModel::File).data().isValid());
    QVERIFY(model.isNoResult(0));
    search(u"song = 'rosa'"_s);
    QVERIFY(!model.isNoResult(1));
}

void TestFrmRing::columnsHaveTheirWidthsAndTheFileColumnStaysHidden()
{
    QHeaderView &header = *ring().lstMain().header();
    QCOMPARE(header.sectionSize(0), ui::twips(3151));
    QCOMPARE(header.sectionSize(1), ui::twips(2849));
    QCOMPARE(header.sectionSize(2), ui::twips(1600));
    QVERIFY(header.isSectionHidden(3));
    QVERIFY(header.model()->headerData(0, Qt::Horizontal).toString().isEmpty());
    search(u"song like '*'"_s);
    // The user drags the right border of the genre column far to the right,
    // then past the left border of the title column.
    const int border = header.sectionViewportPosition(2) + header.sectionSize(2) - 1;
    const int middle = header.height() / 2;
    QTest::mousePress(header.viewport(), Qt::LeftButton, {}, QPoint(border, middle));
    QTest::mouseMove(header.viewport(), QPoint(border + 150, middle));
    QTest::mouseRelease(header.viewport(), Qt::LeftButton, {}, QPoint(border + 150, middle));
    QVERIFY2(header.sectionSize(2) > ui::twips(1600), "the drag did not reach the border");
    QVERIFY(header.isSectionHidden(3));
    QCOMPARE(header.sectionSize(3), 0);
    QCOMPARE(header.visualIndex(3), 3);
    ring().listModel().clear();
    search(u"song like '*'"_s);
    QVERIFY(header.isSectionHidden(3));
}

void TestFrmRing::clickingACellSelectsTheWholeRow()
{
    search(u"song like '*'"_s);
    QTreeView &list = ring().lstMain();
    const QRect artistCell = list.visualRect(ring().listModel().index(2, RingtoneListModel::Artist));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, artistCell.center());
    QCOMPARE(list.currentIndex().row(), 2);
    QVERIFY(list.selectionModel()->isRowSelected(2, {}));
    QCOMPARE(list.selectionModel()->selectedRows().size(), 1);
}

void TestFrmRing::aHundredThousandRowsArriveInOneInsertion()
{
    RingtoneListModel &model = ring().listModel();
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    std::vector<ringtones::RingtoneRow> rows;
    rows.reserve(100000);
    for (int number = 0; number < 100000; ++number)
        rows.push_back({u"Song %1"_s.arg(number), u"Artist"_s, u"Pop"_s, u"f%1"_s.arg(number), true});
    model.append(std::move(rows));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(model.rowCount(), 100000);
    QCOMPARE(model.index(99999, 0).data().toString(), u"Song 99999"_s);
    // A search appends its matches in one insertion too.
    search(u"song like '*'"_s);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(model.rowCount(), 100004);
}

QTEST_MAIN(TestFrmRing)
#include "test_frmring.moc"
