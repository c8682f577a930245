#include "app/StartUp.h"
#include "app/WindowSet.h"
#include "app/frmSplash.h"
#include "data/DiscPaths.h"
#include "docviewer/frmDoc.h"
#include "logos/frmLogo.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/frmRing.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestDisc.h"
#include "toolcatalogue/frmTools.h"
#include "ui/ButtonImages.h"
#include "ui/NavigationBar.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"
#include "ui/Window.h"
#include "ui/WindowStack.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;

namespace {

QStringList visibleWindows()
{
    QStringList names;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && qobject_cast<ui::Window *>(widget))
            names << widget->objectName();
    }
    return names;
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void leavesOnlyTheRingtoneWindowVisible();
    void loadsTheToolsWindowOnceInsideTheInstallDialogsLoad();
    void homeWindowStartsEmptyWithItsControlsInPlace();
    void startProgramReturnsWhenTheHomeWindowIsHidden();
    void navigationBarStandsInPlaceOnEveryMainWindow();
    void missingCatalogueIsReportedAndEndsTheRun();
    void damagedCatalogueIsReportedAndEndsTheRun();
    void catalogueWithoutRingtonesIsReportedAndEndsTheRun();
    void catalogueWithoutAFieldIsReportedAndEndsTheRun_data();
    void catalogueWithoutAFieldIsReportedAndEndsTheRun();

private:
    void writeDisc();

    std::unique_ptr<QTemporaryDir> m_disc;
    test::FakePlatform m_fakes;
    std::unique_ptr<app::StartUp> m_startUp;
};

void TestStartUp::init()
{
    m_disc = std::make_unique<QTemporaryDir>();
    QVERIFY(m_disc->isValid());
    data::setProgramFolder(m_disc->path());
    m_fakes = test::FakePlatform();
    m_startUp = std::make_unique<app::StartUp>(m_fakes.platform());
}

void TestStartUp::cleanup()
{
    m_startUp.reset();
    m_fakes.checkUnused();
    data::setProgramFolder(QString());
}

void TestStartUp::writeDisc()
{
    test::TestCatalogue catalogue;
    catalogue.ringtones = test::sampleRingtones();
    QString error;
    QVERIFY2(test::writeTestDisc(m_disc->path(), catalogue, &error), qPrintable(error));
}

void TestStartUp::leavesOnlyTheRingtoneWindowVisible()
{
    writeDisc();
    QCOMPARE(m_startUp->start(), 0);
    QCOMPARE(visibleWindows(), QStringList{u"frmRing"_s});
    app::WindowSet &windows = m_startUp->windows();
    QCOMPARE(m_startUp->stack().activeWindow(), &windows.ring());
    // The splash is hidden but stays loaded for the exit sequence.
    ui::Window &splash = windows.splash();
    QVERIFY(!splash.isVisible());
    QVERIFY(m_startUp->stack().isLoaded(splash));
    QVERIFY(!m_startUp->finished());
    QVERIFY(windows.ring().isWindow());
    QVERIFY(windows.ring().windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(splash.size(), QSize(640, 480));
}

void TestStartUp::loadsTheToolsWindowOnceInsideTheInstallDialogsLoad()
{
    writeDisc();
    QStringList journal;
    ui::WindowStack &stack = m_startUp->stack();
    connect(&stack, &ui::WindowStack::loadStarted, this,
            [&](ui::Window *window) { journal << window->objectName() + u" starts"_s; });
    connect(&stack, &ui::WindowStack::loadFinished, this,
            [&](ui::Window *window) { journal << window->objectName() + u" ends"_s; });
    QCOMPARE(m_startUp->start(), 0);
    const QStringList expected{
        u"frmSplash starts"_s,  u"frmSplash ends"_s,  u"frmRing starts"_s,      u"frmRing ends"_s,
        u"frmInstall starts"_s, u"frmTools starts"_s, u"frmTools ends"_s,       u"frmInstall ends"_s,
        u"frmDoc starts"_s,     u"frmDoc ends"_s,     u"frmSplashOut starts"_s, u"frmSplashOut ends"_s,
    };
    QCOMPARE(journal, expected);
    // The logo gallery and the help window wait for their first showing.
    QStringList made;
    for (ui::Window *window : m_startUp->windows().made())
        made << window->objectName();
    QVERIFY(!made.contains(u"frmLogo"_s));
    QVERIFY(!made.contains(u"frmHelp"_s));
}

void TestStartUp::homeWindowStartsEmptyWithItsControlsInPlace()
{
    writeDisc();
    QCOMPARE(m_startUp->start(), 0);
    ringtones::frmRing &ring = m_startUp->windows().ring();
    QCOMPARE(ring.listModel().rowCount(), 0);
    QVERIFY(!ring.lstMain().currentIndex().isValid());
    QCOMPARE(ring.dbcSearch().count(), 6);
    QCOMPARE(ring.dbcSearch().itemText(2), u"Titolo + Artista"_s);
    QCOMPARE(ring.dbcSearch().currentText(), QString());
    QCOMPARE(ring.dbcGenre().count(), 3);
    QVERIFY(ring.txtSearch().isVisible());
    QVERIFY(!ring.txtSArt().isVisible() && !ring.txtSsng().isVisible() && !ring.dbcGenre().isVisible());
    QCOMPARE(ring.txtNoten().text(), u"Quantità di note"_s);
    QCOMPARE(ring.txtTempo().text(), u"Velocità"_s);
    QVERIFY(ring.phoneOption(1).isChecked());
    QCOMPARE(ring.phoneOption(5).text(), u"Motorola Schermo"_s);
    QCOMPARE(ring.bytPhoneType(), 1);
    QCOMPARE(ring.lstMain().geometry(), ui::twipsRect(1710, 1220, 7905, 4060));
    QCOMPARE(ring.pctZoek().geometry(), ui::twipsRect(8560, 600, 1050, 330));
    QCOMPARE(ring.pctZoek().toolTip(), u"Ricerca nel database"_s);
    QCOMPARE(ring.pctZoek().canvas(), m_startUp->images().picture(13));
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QCOMPARE(ring.pctBG().pos(), QPoint((screen.width() - 640) / 2, (screen.height() - 480) / 2));
    QCOMPARE(ring.geometry(), QGuiApplication::primaryScreen()->geometry());
    QCOMPARE(ring.palette().color(QPalette::Window), QColor(Qt::black));
}

void TestStartUp::startProgramReturnsWhenTheHomeWindowIsHidden()
{
    writeDisc();
    ui::WindowStack &stack = m_startUp->stack();
    // Once the home window is active, a later event hides it.
    connect(&stack, &ui::WindowStack::activated, this, [&stack](ui::Window *window) {
        QTimer::singleShot(0, window, [&stack, window] { stack.hide(*window); });
    });
    QCOMPARE(m_startUp->StartProgram(), 0);
    QVERIFY(m_startUp->finished());
    QVERIFY(visibleWindows().isEmpty());
}

void TestStartUp::navigationBarStandsInPlaceOnEveryMainWindow()
{
    writeDisc();
    QCOMPARE(m_startUp->start(), 0);
    app::WindowSet &windows = m_startUp->windows();
    const ui::ButtonImages &images = m_startUp->images();
    const ui::NavigationBar ring = windows.ring().navigationBar();
    const ui::NavigationBar logo = windows.logo().navigationBar();
    const ui::NavigationBar tools = windows.tools().navigationBar();
    const ui::NavigationBar doc = windows.doc().navigationBar();
    QCOMPARE(ring.pctRingTones->geometry(), ui::twipsRect(240, 120, 480, 345));
    QCOMPARE(ring.pctLogo->geometry(), ui::twipsRect(840, 120, 480, 345));
    QCOMPARE(logo.pctLogo->geometry(), ui::twipsRect(840, 120, 480, 360));
    QCOMPARE(tools.pctDoc->geometry(), ui::twipsRect(2040, 120, 480, 345));
    QCOMPARE(doc.pctDoc->geometry(), ui::twipsRect(2040, 120, 480, 360));
    QCOMPARE(ring.pctHelp->geometry(), ui::twipsRect(8280, 120, 480, 360));
    QCOMPARE(ring.pctQuit->geometry(), ui::twipsRect(8880, 120, 480, 360));
    // Each window's own button is lit, the others are not.
    QCOMPARE(ring.pctRingTones->canvas().copy(0, 0, 32, 23), images.picture(2));
    QCOMPARE(ring.pctLogo->canvas().copy(0, 0, 32, 23), images.picture(3));
    QCOMPARE(logo.pctLogo->canvas(), images.picture(4));
    QCOMPARE(logo.pctRingTones->canvas(), images.picture(1));
    QCOMPARE(tools.pctTools->canvas(), images.picture(6));
    QCOMPARE(doc.pctDoc->canvas(), images.picture(8));
    QCOMPARE(doc.pctHelp->canvas(), images.picture(11));
    QCOMPARE(ring.pctHelp->toolTip(), u"Aiuto per Brivello"_s);
    QCOMPARE(tools.pctHelp->toolTip(), u"Aiuta per I Tools"_s);
    QCOMPARE(doc.pctLogo->toolTip(), u"Nokia logo Operatore"_s);
    QCOMPARE(logo.pctLogo->toolTip(), QString());
    QCOMPARE(logo.pctRingTones->toolTip(), u"Brivello"_s);
}

void TestStartUp::missingCatalogueIsReportedAndEndsTheRun()
{
    m_fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
    QVERIFY(m_startUp->start() != 0);
    QCOMPARE(m_fakes.messageBox->shown().size(), 1u);
    const platform::MessageRequest &message = m_fakes.messageBox->shown().front();
    QCOMPARE(message.title, u"Brivello"_s);
    QCOMPARE(message.icon, platform::MessageIcon::Critical);
    QVERIFY2(message.text.contains(u"ringtones.dat"_s), qPrintable(message.text));
    QVERIFY(message.text.contains(u"Il programma verrà chiuso."_s));
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!m_startUp->finished());
}

void TestStartUp::damagedCatalogueIsReportedAndEndsTheRun()
{
    QVERIFY(QDir(m_disc->path()).mkpath(u"datafiles"_s));
    QFile garbage(m_disc->filePath(u"datafiles/ringtones.dat"_s));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(5000, 'x'));
    garbage.close();
    m_fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
    QVERIFY(m_startUp->start() != 0);
    QCOMPARE(m_fakes.messageBox->shown().size(), 1u);
    QVERIFY(m_fakes.messageBox->shown().front().text.contains(u"ringtones.dat"_s));
    QVERIFY(visibleWindows().isEmpty());
}

void TestStartUp::catalogueWithoutRingtonesIsReportedAndEndsTheRun()
{
    test::TestCatalogue catalogue;
    catalogue.withMainTable = false;
    QString error;
    QVERIFY2(test::writeTestDisc(m_disc->path(), catalogue, &error), qPrintable(error));
    m_fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
    QVERIFY(m_startUp->start() != 0);
    QCOMPARE(m_fakes.messageBox->shown().size(), 1u);
    const QString text = m_fakes.messageBox->shown().front().text;
    QVERIFY2(text.contains(u"Main"_s) && text.contains(u"ringtones.dat"_s), qPrintable(text));
    QVERIFY(visibleWindows().isEmpty());
}

void TestStartUp::catalogueWithoutAFieldIsReportedAndEndsTheRun_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    const struct
    {
        const char *table;
        QStringList fields;
    } read[] = {
        {"Main",
         {u"song"_qs, u"artiest"_qs, u"Genre"_qs, u"bestand"_qs, u"nokia_hand"_qs, u"nokia_scherm"_qs,
          u"siemens"_qs, u"ericsson"_qs, u"motorola"_qs, u"aantalnoten"_qs, u"tempo"_qs, u"bieps"_qs}},
        {"Genres", {u"Genre"_qs}},
        {"Zoekmethodes", {u"Zoekmethode"_qs}},
        {"Rubrieken", {u"Groep"_qs}},
        {"Tools",
         {u"toolnaam"_qs, u"imgnr"_qs, u"telefoon"_qs, u"tooltype"_qs, u"medium"_qs, u"beschrijving"_qs,
          u"type"_qs, u"dirname"_qs, u"start"_qs}},
    };
    for (const auto &table : read) {
        for (const QString &field : table.fields)
            QTest::addRow("%s.%s", table.table, qPrintable(field))
                << QString::fromLatin1(table.table) << field;
    }
}

// Mended fault: a catalogue without a field that a window reads passed the
// start-up, and the first search, row click, save or visit of the tools
// window that needed the field ended the program without a word.
void TestStartUp::catalogueWithoutAFieldIsReportedAndEndsTheRun()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    test::TestCatalogue catalogue;
    catalogue.ringtones = test::sampleRingtones();
    catalogue.leftOut = QStringList{table + u'.' + field};
    QString error;
    QVERIFY2(test::writeTestDisc(m_disc->path(), catalogue, &error), qPrintable(error));
    m_fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
    QVERIFY(m_startUp->start() != 0);
    QCOMPARE(m_fakes.messageBox->shown().size(), 1u);
    const QString text = m_fakes.messageBox->shown().front().text;
    QVERIFY2(text.contains(u"«%1»"_s.arg(table)) && text.contains(u"«%1»"_s.arg(field)) &&
                 text.contains(u"ringtones.dat"_s) && text.endsWith(u"Il programma verrà chiuso."_s),
             qPrintable(text));
    QVERIFY(visibleWindows().isEmpty());
}

QTEST_MAIN(TestStartUp)
#include "test_startup.moc"
