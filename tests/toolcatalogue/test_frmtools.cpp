#include "app/WindowSet.h"
#include "data/DataSource.h"
#include "data/DiscPaths.h"
#include "tests/support/FakePlatform.h"
#include "tests/toolcatalogue/ToolDisc.h"
#include "toolcatalogue/ScreenPictures.h"
#include "toolcatalogue/frmInstall.h"
#include "toolcatalogue/frmTools.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/WindowStack.h"

#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;
using toolcatalogue::frmTools;
using toolcatalogue::screenPicture;

namespace {

QStringList entries(const QListWidget &list)
{
    QStringList names;
    for (int row = 0; row < list.count(); ++row)
        names << list.item(row)->text();
    return names;
}

QStringList tableNames()
{
    QStringList names;
    for (const test::TestTool &tool : test::testTools())
        names << tool.name;
    return names;
}

// What the details show: phones | kind | medium | description.
QString details(const frmTools &tools)
{
    return QStringList{tools.lblTel().text(), tools.lblSoort().text(), tools.lblMedium().text(),
                       tools.lblBeschrijving().text()}
        .join(u'|');
}

QString detailsOf(const QString &name)
{
    return u"Telefoni di %1|Tipo di %1|Medium di %1|Descrizione di %1"_s.arg(name);
}

} // namespace

class TestFrmTools : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void activationListsEveryToolOnceInTableOrder();
    void clickShowsTheToolsDetailsAndPicture();
    void returningShowsFormerDetailsWithNoSelection();
    void lastPictureForImageNumber31();
    void arrowKeysActAsClicks();
    void nameWithApostropheIsFound();
    void captionsAndPlaces();
    void screenPicturesAreDistinctPhoneScreens();

private:
    frmTools &tools() { return m_windows->tools(); }
    void click(const QString &name);
    void comeBack();

    QTemporaryDir m_disc;
    test::FakePlatform m_fakes;
    std::unique_ptr<ui::WindowStack> m_stack;
    std::unique_ptr<ui::ButtonImages> m_images;
    std::unique_ptr<app::WindowSet> m_windows;
};

void TestFrmTools::initTestCase()
{
    QString error;
    QVERIFY2(test::writeToolDisc(m_disc.path(), &error), qPrintable(error));
    data::setProgramFolder(m_disc.path());
    m_images = std::make_unique<ui::ButtonImages>();
}

void TestFrmTools::init()
{
    m_fakes = test::FakePlatform();
    m_stack = std::make_unique<ui::WindowStack>();
    m_windows = std::make_unique<app::WindowSet>(m_fakes.platform(), *m_stack, *m_images);
    // As at start-up: the install dialog loads the tools window.
    m_windows->install();
    m_stack->showModal(tools());
}

void TestFrmTools::cleanup()
{
    m_windows.reset();
    m_stack.reset();
    m_fakes.checkUnused();
}

void TestFrmTools::click(const QString &name)
{
    QListWidget &list = tools().lstTools();
    const QList<QListWidgetItem *> found = list.findItems(name, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(found.first()).center());
}

// Another main window shows above the tools window and goes again.
void TestFrmTools::comeBack()
{
    ui::Window other(u"frmOther"_s);
    m_stack->showModal(other);
    m_stack->hide(other);
    m_stack->settle();
    QCOMPARE(m_stack->activeWindow(), &tools());
}

void TestFrmTools::activationListsEveryToolOnceInTableOrder()
{
    QCOMPARE(entries(tools().lstTools()), tableNames());
    QVERIFY(tools().lstTools().selectedItems().isEmpty());
    QVERIFY(!tools().pctScreens().isVisible());
    comeBack();
    comeBack();
    QCOMPARE(entries(tools().lstTools()), tableNames());
    QVERIFY(tools().lstTools().selectedItems().isEmpty());
    QVERIFY(!tools().pctScreens().isVisible());
}

void TestFrmTools::clickShowsTheToolsDetailsAndPicture()
{
    click(u"Avvio"_s);
    QCOMPARE(details(tools()), detailsOf(u"Avvio"_s));
    QVERIFY(tools().pctScreens().isVisible());
    QCOMPARE(tools().pctScreens().canvas(), screenPicture(5));
    QCOMPARE(tools().strToolCriteria(), u"toolnaam = 'Avvio'"_s);
    QCOMPARE(tools().datTools().field(u"dirname"), u"avvio"_s);
    click(u"Musicbox"_s);
    QCOMPARE(details(tools()), detailsOf(u"Musicbox"_s));
    QCOMPARE(tools().pctScreens().canvas(), screenPicture(3));
}

void TestFrmTools::returningShowsFormerDetailsWithNoSelection()
{
    click(u"Minuscolo"_s);
    comeBack();
    QVERIFY(tools().lstTools().selectedItems().isEmpty());
    QCOMPARE(entries(tools().lstTools()), tableNames());
    QCOMPARE(details(tools()), detailsOf(u"Minuscolo"_s));
    QVERIFY(tools().pctScreens().isVisible());
    QCOMPARE(tools().pctScreens().canvas(), screenPicture(4));
}

void TestFrmTools::lastPictureForImageNumber31()
{
    click(u"Grande"_s);
    QCOMPARE(tools().pctScreens().canvas(), screenPicture(31));
    QCOMPARE(tools().pctScreens().size(), QSize(160, 120));
}

void TestFrmTools::arrowKeysActAsClicks()
{
    click(u"Primo Kit"_s);
    QCOMPARE(details(tools()), detailsOf(u"Primo Kit"_s));
    QTest::keyClick(&tools().lstTools(), Qt::Key_Down);
    QCOMPARE(details(tools()), detailsOf(u"Avvio"_s));
    QCOMPARE(tools().pctScreens().canvas(), screenPicture(5));
    QTest::keyClick(&tools().lstTools(), Qt::Key_Down);
    QCOMPARE(details(tools()), detailsOf(u"Musicbox"_s));
    QTest::keyClick(&tools().lstTools(), Qt::Key_Up);
    QCOMPARE(details(tools()), detailsOf(u"Avvio"_s));
    QCOMPARE(tools().datTools().field(u"toolnaam"), u"Avvio"_s);
}

void TestFrmTools::nameWithApostropheIsFound()
{
    click(u"D'Artagnan"_s);
    QCOMPARE(details(tools()), detailsOf(u"D'Artagnan"_s));
    QCOMPARE(tools().pctScreens().canvas(), screenPicture(9));
}

void TestFrmTools::captionsAndPlaces()
{
    QCOMPARE(tools().lblTelefoon().text(), u"Adatto per i telefoni seguenti :"_s);
    QCOMPARE(tools().lblType().text(), u"Tipo di programma :"_s);
    QCOMPARE(tools().Label1().text(), u"Medium:"_s);
    QCOMPARE(tools().lstTools().geometry(), QRect(115, 80, 517, 236));
    QCOMPARE(tools().pctScreens().geometry(), QRect(464, 344, 160, 120));
    QCOMPARE(tools().pctInstall().pos(), QPoint(114, 349));
    QVERIFY(tools().lblBeschrijving().wordWrap());
    // Each caption is read whole and ends before its value begins.
    const std::pair<QLabel *, QLabel *> rows[] = {{&tools().lblTelefoon(), &tools().lblTel()},
                                                  {&tools().lblType(), &tools().lblSoort()},
                                                  {&tools().Label1(), &tools().lblMedium()}};
    for (const auto &[caption, value] : rows) {
        QVERIFY2(caption->sizeHint().width() <= caption->width(),
                 qPrintable(u"%1: %2 > %3"_s.arg(caption->objectName())
                                .arg(caption->sizeHint().width())
                                .arg(caption->width())));
        QVERIFY(caption->geometry().right() < value->x());
        QVERIFY(value->geometry().right() < tools().pctScreens().x());
    }
}

void TestFrmTools::screenPicturesAreDistinctPhoneScreens()
{
    const QImage blank = screenPicture(0);
    QCOMPARE(blank.size(), QSize(160, 120));
    QCOMPARE(screenPicture(32), blank);
    std::vector<QImage> pictures;
    for (int number = 1; number <= toolcatalogue::screenPictureCount; ++number) {
        const QImage picture = screenPicture(number);
        QCOMPARE(picture.size(), QSize(160, 120));
        QVERIFY2(picture != blank, qPrintable(QString::number(number)));
        for (std::size_t before = 0; before < pictures.size(); ++before)
            QVERIFY2(picture != pictures[before], qPrintable(u"%1 = %2"_s.arg(number).arg(before + 1)));
        pictures.push_back(picture);
    }
    // The screen itself is light, with the tool drawn on it in dark ink.
    const QColor middle = pictures.front().pixelColor(20, 80);
    QVERIFY(middle.lightness() > 128);
}

QTEST_MAIN(TestFrmTools)
#include "test_frmtools.moc"
