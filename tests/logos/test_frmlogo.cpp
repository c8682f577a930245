// The gallery's categories and pages as the user sees them: the combo, the
// 24 boxes, the page label and the page buttons.

#include "tests/logos/test_frmlogo_fixture.h"
#include "ui/Twips.h"

#include <QGroupBox>

using namespace Qt::StringLiterals;

using namespace brivello;
using logos::Category;
using test::numbers;

class TestFrmLogo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { m_fixture.start(); }
    void cleanup() { m_fixture.stop(); }
    void layoutFollowsTheTableOfBoxes();
    void comboListsTheCategoryTable();
    void loadedGalleryShowsNoLogoUntilShown();
    void showingTheGalleryLoadsPersone();
    void amorePagesForwardAndBack();
    void animaliEndsWithOneLogo();
    void viaggiLastPageAndBack();
    void stepsPastEitherEndChangeNothing();
    void pickingTheLoadedCategoryChangesNothing();
    void returningShowsPersoneFromAnotherCategory();
    void returningToPersonePageTwoKeepsThePage();
    void returningToPersoneLastPageKeepsThePage();
    void unknownCategoryEmptiesTheBoxes();
    void arrowKeysWalkTheGridAndEnterSelects();

private:
    logos::frmLogo &gallery() { return m_fixture.gallery(); }
    // The buttons show the pictures of a first, middle or last page.
    void checkButtons(int next, int previous);

    test::GalleryFixture m_fixture;
};

void TestFrmLogo::initTestCase()
{
    QString error;
    QVERIFY2(m_fixture.writeDisc(&error), qPrintable(error));
}

void TestFrmLogo::checkButtons(int next, int previous)
{
    QVERIFY2(m_fixture.showsPicture(gallery().pctVolgende(), next), qPrintable(QString::number(next)));
    QVERIFY2(m_fixture.showsPicture(gallery().pctVorige(), previous), qPrintable(QString::number(previous)));
}

void TestFrmLogo::layoutFollowsTheTableOfBoxes()
{
    // Columns and rows in pixels; box 17 stands one pixel higher.
    const int columns[] = {16, 144, 280, 416};
    const int rows[] = {8, 64, 120, 176, 232, 288};
    const int order[6][4] = {{0, 4, 8, 12},  {1, 5, 9, 13},    {2, 6, 10, 14},
                             {3, 7, 11, 15}, {16, 17, 18, 19}, {20, 21, 22, 23}};
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int index = order[row][column];
            const ui::PictureBox &box = gallery().pctLogo1(index);
            QCOMPARE(box.parentWidget(), &gallery().Frame1());
            const int top = index == 17 ? 231 : rows[row];
            QCOMPARE(box.geometry(), QRect(columns[column], top, 72, 14));
        }
    }
    QCOMPARE(gallery().Frame1().geometry(), QRect(112, 88, 513, 353));
    QCOMPARE(gallery().Pagina().parentWidget(), &gallery().Frame1());
    QCOMPARE(gallery().Pagina().geometry().topLeft(), QPoint(304, 336));
    QCOMPARE(gallery().lblRubriek().text(), u"Genere:"_s);
    QCOMPARE(gallery().pctExporteren().toolTip(),
             u"Esportare il logo selezionato nei data della cartella bit "_s);
    QVERIFY(m_fixture.showsPicture(gallery().pctExporteren(), 23));
}

void TestFrmLogo::comboListsTheCategoryTable()
{
    QComboBox &combo = gallery().dbcRubriek();
    QStringList listed;
    for (int row = 0; row < combo.count(); ++row)
        listed << combo.itemText(row);
    QCOMPARE(listed, (QStringList{u"Amore"_s, u"Persone"_s, u"Animali"_s, u"Testi"_s, u"Viaggi & Vacanze"_s,
                                  u"Sport"_s}));
}

void TestFrmLogo::loadedGalleryShowsNoLogoUntilShown()
{
    m_fixture.stop();
    m_fixture.startHome();
    logos::frmLogo &loaded = gallery(); // the first reference loads the window
    QVERIFY(!loaded.isVisible());
    QCOMPARE(m_fixture.label(), u"1 di 1"_s);
    QCOMPARE(loaded.dbcRubriek().currentText(), QString());
    QCOMPARE(loaded.dbcRubriek().count(), 6);
    QCOMPARE(loaded.state().strRubriek, QString());
    QCOMPARE(loaded.state().bytVolgende, 0);
    for (int box = 0; box < logos::logoBoxCount; ++box)
        QVERIFY(loaded.pctLogo1(box).isHidden());
    m_fixture.showGallery();
    QVERIFY(loaded.isVisible());
    QCOMPARE(m_fixture.shown(Category::Persone), numbers(1, 24));
    QCOMPARE(m_fixture.label(), u"1 di 3"_s);
}

void TestFrmLogo::showingTheGalleryLoadsPersone()
{
    QCOMPARE(gallery().dbcRubriek().currentText(), u"Persone"_s);
    QCOMPARE(m_fixture.shown(Category::Persone), numbers(1, 24));
    QCOMPARE(m_fixture.label(), u"1 di 3"_s);
    checkButtons(19, 27);
    QCOMPARE(gallery().state().strLijst, u"imgBody"_s);
}

void TestFrmLogo::amorePagesForwardAndBack()
{
    m_fixture.pick(u"Amore"_s);
    QCOMPARE(m_fixture.shown(Category::Amore), numbers(1, 24));
    QCOMPARE(m_fixture.label(), u"1 di 5"_s);
    QCOMPARE(gallery().state().strLijst, u"imgLiefde"_s);
    checkButtons(19, 27);

    const struct
    {
        const char16_t *label;
        int first, last, next, previous, start, following;
    } forward[] = {
        {u" 2 di 5", 25, 48, 19, 21, 24, 48},
        {u" 3 di 5", 49, 72, 19, 21, 48, 72},
        {u" 4 di 5", 73, 96, 19, 21, 72, 96},
        {u" 5 di 5", 97, 105, 28, 21, 96, 96},
    };
    for (const auto &page : forward) {
        m_fixture.next();
        QCOMPARE(m_fixture.label(), QString::fromUtf16(page.label));
        QCOMPARE(m_fixture.shown(Category::Amore), numbers(page.first, page.last));
        checkButtons(page.next, page.previous);
        QCOMPARE(gallery().state().bytStart, page.start);
        QCOMPARE(gallery().state().bytVolgende, page.following);
    }
    const struct
    {
        const char16_t *label;
        int first, previous, start;
    } back[] = {
        {u" 4 di 5", 73, 21, 72},
        {u" 3 di 5", 49, 21, 48},
        {u" 2 di 5", 25, 21, 24},
        {u" 1 di 5", 1, 27, 0},
    };
    for (const auto &page : back) {
        m_fixture.previous();
        QCOMPARE(m_fixture.label(), QString::fromUtf16(page.label));
        QCOMPARE(m_fixture.shown(Category::Amore), numbers(page.first, page.first + 23));
        checkButtons(19, page.previous);
        QCOMPARE(gallery().state().bytStart, page.start);
        QCOMPARE(gallery().state().bytVolgende, page.start + 24);
    }
}

void TestFrmLogo::animaliEndsWithOneLogo()
{
    m_fixture.pick(u"Animali"_s);
    QCOMPARE(m_fixture.label(), u"1 di 8"_s);
    for (int step = 0; step < 7; ++step)
        m_fixture.next();
    QCOMPARE(m_fixture.label(), u" 8 di 8"_s);
    QCOMPARE(m_fixture.shown(Category::Animali), QList<int>{169});
    for (int box = 1; box < logos::logoBoxCount; ++box)
        QVERIFY(!gallery().pctLogo1(box).isVisible());
    QCOMPARE(gallery().state().bytStart, 168);
    QCOMPARE(gallery().state().bytVolgende, 168);
    checkButtons(28, 21);
}

void TestFrmLogo::viaggiLastPageAndBack()
{
    m_fixture.pick(u"Viaggi & Vacanze"_s);
    QCOMPARE(gallery().state().strLijst, u"imgLand"_s);
    for (int step = 0; step < 3; ++step)
        m_fixture.next();
    QCOMPARE(m_fixture.shown(Category::ViaggiVacanze), numbers(73, 93));
    QCOMPARE(m_fixture.label(), u" 4 di 4"_s);
    m_fixture.previous();
    QCOMPARE(m_fixture.shown(Category::ViaggiVacanze), numbers(49, 72));
    QCOMPARE(m_fixture.label(), u" 3 di 4"_s);
    checkButtons(19, 21);
    m_fixture.next();
    QCOMPARE(m_fixture.shown(Category::ViaggiVacanze), numbers(73, 93));
    checkButtons(28, 21);
}

void TestFrmLogo::stepsPastEitherEndChangeNothing()
{
    m_fixture.pick(u"Testi"_s);
    m_fixture.previous();
    QCOMPARE(m_fixture.shown(Category::Testi), numbers(1, 24));
    QCOMPARE(m_fixture.label(), u"1 di 3"_s);
    checkButtons(19, 27);

    m_fixture.next();
    m_fixture.next();
    QCOMPARE(m_fixture.shown(Category::Testi), numbers(49, 67));
    m_fixture.next();
    QCOMPARE(m_fixture.shown(Category::Testi), numbers(49, 67));
    QCOMPARE(m_fixture.label(), u" 3 di 3"_s);
    checkButtons(28, 21);
    QCOMPARE(gallery().state().bytStart, 48);
    QCOMPARE(gallery().state().bytVolgende, 48);
}

void TestFrmLogo::pickingTheLoadedCategoryChangesNothing()
{
    m_fixture.pick(u"Amore"_s);
    m_fixture.next();
    m_fixture.next();
    m_fixture.pick(u"Amore"_s);
    QCOMPARE(m_fixture.shown(Category::Amore), numbers(49, 72));
    QCOMPARE(m_fixture.label(), u" 3 di 5"_s);
    checkButtons(19, 21);
    m_fixture.previous();
    QCOMPARE(m_fixture.shown(Category::Amore), numbers(25, 48));
}

void TestFrmLogo::returningShowsPersoneFromAnotherCategory()
{
    m_fixture.pick(u"Amore"_s);
    m_fixture.next();
    m_fixture.next();
    m_fixture.leaveAndReturn();
    QCOMPARE(gallery().dbcRubriek().currentText(), u"Persone"_s);
    QCOMPARE(m_fixture.shown(Category::Persone), numbers(1, 24));
    QCOMPARE(m_fixture.label(), u"1 di 3"_s);
    checkButtons(19, 27);
    QCOMPARE(gallery().state().bytVolgende, 24);
}

void TestFrmLogo::returningToPersonePageTwoKeepsThePage()
{
    m_fixture.next();
    QCOMPARE(m_fixture.label(), u" 2 di 3"_s);
    m_fixture.leaveAndReturn();
    QCOMPARE(m_fixture.shown(Category::Persone), numbers(25, 48));
    QCOMPARE(m_fixture.label(), u" 2 di 3"_s);
    checkButtons(19, 27);
    m_fixture.previous();
    QCOMPARE(m_fixture.shown(Category::Persone), numbers(25, 48));
    QCOMPARE(m_fixture.label(), u" 2 di 3"_s);
    m_fixture.next();
    QCOMPARE(m_fixture.shown(Category::Persone), numbers(49, 64));
    QCOMPARE(m_fixture.label(), u" 3 di 3"_s);
    checkButtons(28, 21);
}

void TestFrmLogo::returningToPersoneLastPageKeepsThePage()
{
    m_fixture.next();
    m_fixture.next();
    m_fixture.leaveAndReturn();
    QCOMPARE(m_fixture.shown(Category::Persone), numbers(49, 64));
    QCOMPARE(m_fixture.label(), u" 3 di 3"_s);
    checkButtons(19, 27);
    m_fixture.next();
    QCOMPARE(m_fixture.shown(Category::Persone), numbers(49, 64));
    QCOMPARE(m_fixture.label(), u" 3 di 3"_s);
    checkButtons(28, 21);
    m_fixture.previous();
    QCOMPARE(m_fixture.shown(Category::Persone), numbers(25, 48));
    QCOMPARE(gallery().state().bytVolgende, 48);
}

void TestFrmLogo::unknownCategoryEmptiesTheBoxes()
{
    m_fixture.pick(u"Amore"_s);
    m_fixture.next();
    m_fixture.pick(u"Sport"_s);
    QVERIFY(m_fixture.shown(Category::Amore).isEmpty());
    QCOMPARE(m_fixture.label(), u" 2 di 5"_s);
    checkButtons(19, 21);
    m_fixture.next();
    m_fixture.previous();
    QVERIFY(m_fixture.shown(Category::Amore).isEmpty());
    QCOMPARE(m_fixture.label(), u" 2 di 5"_s);

    m_fixture.pick(u"Testi"_s);
    QCOMPARE(m_fixture.shown(Category::Testi), numbers(1, 24));
    QCOMPARE(m_fixture.label(), u"1 di 3"_s);
    checkButtons(19, 27);
}

void TestFrmLogo::arrowKeysWalkTheGridAndEnterSelects()
{
    // Every arrow leads to the next box that way on screen, or nowhere at
    // the edge of the grid.
    const auto centre = [](int box) { return logos::logoBoxRect(box).center(); };
    for (int box = 0; box < logos::logoBoxCount; ++box) {
        const QPoint from = centre(box);
        const int left = logos::logoBoxBeside(box, Qt::Key_Left);
        const int right = logos::logoBoxBeside(box, Qt::Key_Right);
        const int up = logos::logoBoxBeside(box, Qt::Key_Up);
        const int down = logos::logoBoxBeside(box, Qt::Key_Down);
        QVERIFY2(left == box ? from.x() == centre(0).x() : centre(left).x() < from.x(),
                 qPrintable(QString::number(box)));
        QVERIFY2(right == box ? from.x() == centre(12).x() : centre(right).x() > from.x(),
                 qPrintable(QString::number(box)));
        QVERIFY2(up == box ? from.y() == centre(0).y() : centre(up).y() < from.y(),
                 qPrintable(QString::number(box)));
        QVERIFY2(down == box ? from.y() == centre(20).y() : centre(down).y() > from.y(),
                 qPrintable(QString::number(box)));
        QCOMPARE(logos::logoBoxBeside(right, Qt::Key_Left), right == box ? left : box);
        QCOMPARE(logos::logoBoxBeside(down, Qt::Key_Up), down == box ? up : box);
    }

    // In the gallery: from the first box right, down, and Enter selects.
    const auto focused = [this] { return gallery().focusWidget(); };
    gallery().pctLogo1(0).setFocus();
    QCOMPARE(focused(), &gallery().pctLogo1(0));
    QTest::keyClick(focused(), Qt::Key_Right);
    QCOMPARE(focused(), &gallery().pctLogo1(4));
    QTest::keyClick(focused(), Qt::Key_Down);
    QCOMPARE(focused(), &gallery().pctLogo1(5));
    // The Tab key stops at the grid once, on the box the arrows left.
    for (int box = 0; box < logos::logoBoxCount; ++box)
        QCOMPARE(bool(gallery().pctLogo1(box).focusPolicy() & Qt::TabFocus), box == 5);
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(gallery().state().bytVak, 5);
    QVERIFY(gallery().pctLogo1(5).hasBorder());
    QTest::keyClick(focused(), Qt::Key_Left);
    QTest::keyClick(focused(), Qt::Key_Space);
    QCOMPARE(gallery().state().bytVak, 1);
    QVERIFY(!gallery().pctLogo1(5).hasBorder());

    // Empty boxes are hidden: the focus does not go there.
    m_fixture.pick(u"Animali"_s);
    for (int step = 0; step < 7; ++step)
        m_fixture.next();
    gallery().pctLogo1(0).setFocus();
    QTest::keyClick(focused(), Qt::Key_Right);
    QTest::keyClick(focused(), Qt::Key_Down);
    QCOMPARE(focused(), &gallery().pctLogo1(0));
    QVERIFY(gallery().pctLogo1(0).focusPolicy() & Qt::TabFocus);
}

QTEST_MAIN(TestFrmLogo)
#include "test_frmlogo.moc"
