#include "app/StartUp.h"
#include "app/WindowSet.h"
#include "app/frmHelp.h"
#include "app/frmSplashOut.h"
#include "data/DiscPaths.h"
#include "docviewer/frmDoc.h"
#include "logos/frmLogo.h"
#include "ringtones/frmRing.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestDisc.h"
#include "toolcatalogue/frmTools.h"
#include "ui/ButtonImages.h"
#include "ui/NavigationBar.h"
#include "ui/PictureBox.h"
#include "ui/Window.h"
#include "ui/WindowStack.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <memory>

using namespace brivello;

namespace {

// The picture a navigation button shows when the mouse is not over it; the
// lit one follows it in the list.
int atRest(const QString &button)
{
    static const QHash<QString, ui::ButtonPicture> pictures{
        {QStringLiteral("pctRingTones"), ui::ButtonPicture::RingTones},
        {QStringLiteral("pctLogo"), ui::ButtonPicture::Logo},
        {QStringLiteral("pctTools"), ui::ButtonPicture::Tools},
        {QStringLiteral("pctDoc"), ui::ButtonPicture::Doc},
        {QStringLiteral("pctHelp"), ui::ButtonPicture::Help},
        {QStringLiteral("pctQuit"), ui::ButtonPicture::Quit}};
    return int(pictures.value(button));
}

QStringList visibleWindows()
{
    QStringList names;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && qobject_cast<ui::Window *>(widget))
            names << widget->objectName();
    }
    names.sort();
    return names;
}

void moveMouseOver(QWidget &widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

void writePage(const QString &folder, const QString &file, const QString &text)
{
    QFile page(folder + QStringLiteral("/datafiles/") + file);
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("{\\rtf1\\ansi " + text.toLatin1() + "\\par}");
}

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void rolloverWalksLightTheButtonUnderTheMouse();
    void logoThenToolsWithoutThePageLeavesBothLit();
    void helpButtonIsPutOutWhenTheHelpWindowCloses();
    void ringtoneButtonCollapsesEveryPendingLevel();
    void toolsWindowReturnsToTheProgramFolderExceptForDocumentation();
    void ownButtonClickChangesNothing();
    void quittingFromDepthClosesEveryWindow();
    void quittingWithoutLogoOrHelpLeavesThemUnloaded();
    void bannerFollowsItsSchedule();
    void bannerClickOpensTheAddressAndStopsTheAnimation();
    void helpPagesShowOneAtATime();
    void aboutPanelNamesPublisherAndDeveloper();
    void documentationHelpHidesTheSmsPage();
    void helpPagesAreReadOnlyOnce();
    void startProgramEndsWithStatusZeroAfterQuitting();

private:
    app::WindowSet &windows() const { return m_startUp->windows(); }
    ui::WindowStack &stack() const { return m_startUp->stack(); }
    ui::MainWindow &mainWindow(const QString &name) const;
    ui::PictureBox &button(const QString &window, const QString &name) const;
    void click(const QString &window, const QString &button);
    void clickBox(ui::PictureBox &box);
    bool shows(const ui::PictureBox &box, int picture) const;
    void reachTheMainWindow(const QString &name);
    void quitFrom(const QString &window);

    std::unique_ptr<QTemporaryDir> m_disc;
    test::FakePlatform m_fakes;
    std::unique_ptr<app::StartUp> m_startUp;
};

void TestNavigation::init()
{
    m_disc = std::make_unique<QTemporaryDir>();
    QVERIFY(m_disc->isValid());
    data::setProgramFolder(m_disc->path());
    test::TestCatalogue catalogue;
    catalogue.ringtones = test::sampleRingtones();
    QString error;
    QVERIFY2(test::writeTestDisc(m_disc->path(), catalogue, &error), qPrintable(error));
    writePage(m_disc->path(), QStringLiteral("belt.dat"), QStringLiteral("Aiuto suonerie"));
    writePage(m_disc->path(), QStringLiteral("info.dat"), QStringLiteral("Aiuto informazioni"));
    writePage(m_disc->path(), QStringLiteral("logos.dat"), QStringLiteral("Aiuto loghi"));
    writePage(m_disc->path(), QStringLiteral("tools.dat"), QStringLiteral("Aiuto tools"));
    m_fakes = test::FakePlatform();
    m_startUp = std::make_unique<app::StartUp>(m_fakes.platform());
    QCOMPARE(m_startUp->start(), 0);
}

void TestNavigation::cleanup()
{
    m_startUp.reset();
    m_fakes.checkUnused();
    data::setProgramFolder(QString());
}

ui::MainWindow &TestNavigation::mainWindow(const QString &name) const
{
    if (name == u"frmLogo")
        return windows().logo();
    if (name == u"frmDoc")
        return windows().doc();
    if (name == u"frmTools")
        return windows().tools();
    return windows().ring();
}

ui::PictureBox &TestNavigation::button(const QString &window, const QString &name) const
{
    auto *box = mainWindow(window).findChild<ui::PictureBox *>(name);
    Q_ASSERT(box);
    return *box;
}

void TestNavigation::clickBox(ui::PictureBox &box)
{
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(3, 3));
    stack().settle();
}

void TestNavigation::click(const QString &window, const QString &name)
{
    clickBox(button(window, name));
}

bool TestNavigation::shows(const ui::PictureBox &box, int picture) const
{
    const QImage expected =
        m_startUp->images().picture(picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect area = expected.rect() & box.canvas().rect();
    return box.canvas().copy(area) == expected.copy(area);
}

void TestNavigation::reachTheMainWindow(const QString &name)
{
    const QHash<QString, QString> buttonFor{{QStringLiteral("frmLogo"), QStringLiteral("pctLogo")},
                                            {QStringLiteral("frmDoc"), QStringLiteral("pctDoc")},
                                            {QStringLiteral("frmTools"), QStringLiteral("pctTools")}};
    if (buttonFor.contains(name))
        click(QStringLiteral("frmRing"), buttonFor.value(name));
    QCOMPARE(stack().activeWindow(), &mainWindow(name));
}

void TestNavigation::quitFrom(const QString &window)
{
    click(window, QStringLiteral("pctQuit"));
    QCOMPARE(stack().activeWindow(), &windows().splashOut());
    QVERIFY(windows().splashOut().isVisible());
}

void TestNavigation::rolloverWalksLightTheButtonUnderTheMouse()
{
    // Each window: over each other window's button and back to the page,
    // then help, quit and the margin; the window's own button stays lit.
    const QList<QPair<QString, QString>> windows{{QStringLiteral("frmRing"), QStringLiteral("pctRingTones")},
                                                 {QStringLiteral("frmLogo"), QStringLiteral("pctLogo")},
                                                 {QStringLiteral("frmDoc"), QStringLiteral("pctDoc")},
                                                 {QStringLiteral("frmTools"), QStringLiteral("pctTools")}};
    const QStringList pages{QStringLiteral("pctRingTones"), QStringLiteral("pctLogo"),
                            QStringLiteral("pctTools"), QStringLiteral("pctDoc")};
    for (const auto &[window, own] : windows) {
        reachTheMainWindow(window);
        ui::MainWindow &shown = mainWindow(window);
        const auto showsAtRest = [&](const QString &name) {
            return shows(button(window, name), atRest(name));
        };
        const auto showsLit = [&](const QString &name) {
            return shows(button(window, name), atRest(name) + 1);
        };
        for (const QString &other : pages) {
            if (other == own)
                continue;
            moveMouseOver(button(window, other));
            QVERIFY2(showsLit(other), qPrintable(window + QStringLiteral(" over ") + other));
            moveMouseOver(shown.pctBG());
            QVERIFY2(showsAtRest(other), qPrintable(window + QStringLiteral(": page after ") + other));
        }
        moveMouseOver(button(window, QStringLiteral("pctHelp")));
        QVERIFY(showsLit(QStringLiteral("pctHelp")));
        QVERIFY(showsAtRest(QStringLiteral("pctQuit")));
        moveMouseOver(button(window, QStringLiteral("pctQuit")));
        QVERIFY(showsLit(QStringLiteral("pctQuit")));
        QVERIFY(showsAtRest(QStringLiteral("pctHelp")));
        moveMouseOver(shown);
        QVERIFY2(showsAtRest(QStringLiteral("pctQuit")) && showsAtRest(QStringLiteral("pctHelp")),
                 qPrintable(window + QStringLiteral(": margin")));
        QVERIFY2(showsLit(own), qPrintable(window + QStringLiteral(": own button")));
        if (window == u"frmRing") {
            // The search button comes back to rest when the mouse reaches the text box.
            m_startUp->images().paint(button(window, QStringLiteral("pctZoek")),
                                      ui::ButtonPicture::SearchPressed);
            moveMouseOver(*shown.findChild<QLineEdit *>(QStringLiteral("txtSearch")));
            QVERIFY(shows(button(window, QStringLiteral("pctZoek")), int(ui::ButtonPicture::Search)));
        } else {
            click(window, QStringLiteral("pctRingTones"));
        }
    }
}

void TestNavigation::logoThenToolsWithoutThePageLeavesBothLit()
{
    for (const QString &window : {QStringLiteral("frmRing"), QStringLiteral("frmDoc")}) {
        reachTheMainWindow(window);
        moveMouseOver(button(window, QStringLiteral("pctLogo")));
        moveMouseOver(button(window, QStringLiteral("pctTools")));
        QVERIFY(shows(button(window, QStringLiteral("pctLogo")), 4));
        QVERIFY(shows(button(window, QStringLiteral("pctTools")), 6));
        // The other way round the tools button goes out.
        moveMouseOver(button(window, QStringLiteral("pctLogo")));
        QVERIFY(shows(button(window, QStringLiteral("pctTools")), 5));
        QVERIFY(shows(button(window, QStringLiteral("pctLogo")), 4));
        if (window != u"frmRing")
            click(window, QStringLiteral("pctRingTones"));
    }
}

void TestNavigation::helpButtonIsPutOutWhenTheHelpWindowCloses()
{
    for (const QString &window : {QStringLiteral("frmRing"), QStringLiteral("frmLogo"),
                                  QStringLiteral("frmDoc"), QStringLiteral("frmTools")}) {
        reachTheMainWindow(window);
        ui::PictureBox &help = button(window, QStringLiteral("pctHelp"));
        moveMouseOver(help);
        QVERIFY(shows(help, 12));
        clickBox(help);
        app::frmHelp &helpWindow = windows().help();
        QCOMPARE(stack().activeWindow(), &helpWindow);
        QVERIFY(helpWindow.isVisible());
        // The main window below takes no mouse moves while help is open.
        moveMouseOver(help);
        QVERIFY(shows(help, 12));
        clickBox(helpWindow.pctBG());
        QVERIFY(!helpWindow.isVisible());
        QCOMPARE(stack().activeWindow(), &mainWindow(window));
        QVERIFY(shows(help, 11));
        moveMouseOver(help);
        QVERIFY(shows(help, 12));
        if (window != u"frmRing")
            click(window, QStringLiteral("pctRingTones"));
    }
}

void TestNavigation::ringtoneButtonCollapsesEveryPendingLevel()
{
    moveMouseOver(button(QStringLiteral("frmRing"), QStringLiteral("pctLogo")));
    click(QStringLiteral("frmRing"), QStringLiteral("pctLogo"));
    click(QStringLiteral("frmLogo"), QStringLiteral("pctTools"));
    click(QStringLiteral("frmTools"), QStringLiteral("pctLogo"));
    click(QStringLiteral("frmLogo"), QStringLiteral("pctDoc"));
    click(QStringLiteral("frmDoc"), QStringLiteral("pctTools"));
    QCOMPARE(visibleWindows(), (QStringList{QStringLiteral("frmRing"), QStringLiteral("frmTools")}));
    QCOMPARE(stack().depth(), 6);

    click(QStringLiteral("frmTools"), QStringLiteral("pctRingTones"));
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmRing")});
    QCOMPARE(stack().activeWindow(), &windows().ring());
    QCOMPARE(stack().depth(), 1);
    QVERIFY(!m_startUp->finished());
    // The button clicked on the home window stays lit until the page is
    // crossed.
    QVERIFY(shows(button(QStringLiteral("frmRing"), QStringLiteral("pctLogo")), 4));
    moveMouseOver(windows().ring().pctBG());
    QVERIFY(shows(button(QStringLiteral("frmRing"), QStringLiteral("pctLogo")), 3));
}

void TestNavigation::toolsWindowReturnsToTheProgramFolderExceptForDocumentation()
{
    const QString elsewhere = m_disc->path() + QStringLiteral("/tools/Musicbox");
    const QString programFolder = data::programFolder();

    reachTheMainWindow(QStringLiteral("frmTools"));
    m_fakes.currentDirectory->set(elsewhere);
    click(QStringLiteral("frmTools"), QStringLiteral("pctRingTones"));
    QCOMPARE(m_fakes.currentDirectory->current(), programFolder);

    reachTheMainWindow(QStringLiteral("frmTools"));
    m_fakes.currentDirectory->set(elsewhere);
    click(QStringLiteral("frmTools"), QStringLiteral("pctLogo"));
    QCOMPARE(m_fakes.currentDirectory->current(), programFolder);
    QCOMPARE(stack().activeWindow(), &windows().logo());

    click(QStringLiteral("frmLogo"), QStringLiteral("pctTools"));
    m_fakes.currentDirectory->set(elsewhere);
    click(QStringLiteral("frmTools"), QStringLiteral("pctDoc"));
    QCOMPARE(m_fakes.currentDirectory->current(), elsewhere);
    QCOMPARE(stack().activeWindow(), &windows().doc());
    QCOMPARE(visibleWindows(), (QStringList{QStringLiteral("frmDoc"), QStringLiteral("frmRing")}));
}

void TestNavigation::ownButtonClickChangesNothing()
{
    for (const auto &[window, own] : {std::pair{QStringLiteral("frmRing"), QStringLiteral("pctRingTones")},
                                      std::pair{QStringLiteral("frmLogo"), QStringLiteral("pctLogo")},
                                      std::pair{QStringLiteral("frmTools"), QStringLiteral("pctTools")}}) {
        reachTheMainWindow(window);
        const int depth = stack().depth();
        click(window, own);
        QCOMPARE(stack().depth(), depth);
        QCOMPARE(stack().activeWindow(), &mainWindow(window));
        QVERIFY(mainWindow(window).isVisible());
        if (window != u"frmRing")
            click(window, QStringLiteral("pctRingTones"));
    }
}

void TestNavigation::quittingFromDepthClosesEveryWindow()
{
    click(QStringLiteral("frmRing"), QStringLiteral("pctLogo"));
    click(QStringLiteral("frmLogo"), QStringLiteral("pctTools"));
    click(QStringLiteral("frmTools"), QStringLiteral("pctLogo"));
    click(QStringLiteral("frmLogo"), QStringLiteral("pctHelp"));
    clickBox(windows().help().pctBG());
    click(QStringLiteral("frmLogo"), QStringLiteral("pctDoc"));
    click(QStringLiteral("frmDoc"), QStringLiteral("pctTools"));
    quitFrom(QStringLiteral("frmTools"));
    QVERIFY(!m_startUp->finished());

    // Outside both pictures nothing happens.
    app::frmSplashOut &splashOut = windows().splashOut();
    QTest::mouseClick(&splashOut, Qt::LeftButton, {}, QPoint(10, splashOut.height() - 10));
    stack().settle();
    QVERIFY(splashOut.isVisible());

    clickBox(splashOut.pctBG());
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(m_startUp->finished());
    QCOMPARE(stack().depth(), 0);
    for (ui::Window *window : windows().made())
        QVERIFY2(!stack().isLoaded(*window), qPrintable(window->objectName()));
}

void TestNavigation::quittingWithoutLogoOrHelpLeavesThemUnloaded()
{
    quitFrom(QStringLiteral("frmRing"));
    clickBox(windows().splashOut().pctBG());
    QVERIFY(m_startUp->finished());
    QStringList made;
    for (ui::Window *window : windows().made()) {
        made << window->objectName();
        QVERIFY(!stack().isLoaded(*window));
    }
    QVERIFY(!made.contains(QStringLiteral("frmLogo")));
    QVERIFY(!made.contains(QStringLiteral("frmHelp")));
}

void TestNavigation::bannerFollowsItsSchedule()
{
    quitFrom(QStringLiteral("frmRing"));
    app::frmSplashOut &splashOut = windows().splashOut();
    const QImage first = splashOut.animationFrame(1);
    const QImage second = splashOut.animationFrame(2);
    QVERIFY(first != second);
    const auto banner = [&splashOut] { return splashOut.pctBanner().canvas(); };
    QCOMPARE(banner(), first);
    QVERIFY(splashOut.Timer1().isActive());

    for (int tick = 1; tick <= 160; ++tick) {
        m_fakes.clock->advance(100);
        // Second frame from tick 51, then the frames take turns every 25.
        const bool secondShown = tick >= 51 && ((tick - 51) / 25) % 2 == 0;
        QVERIFY2(banner() == (secondShown ? second : first), qPrintable(QStringLiteral("tick %1").arg(tick)));
        QVERIFY(splashOut.bytTeller() <= 50);
    }
    clickBox(splashOut.pctBG());
    QVERIFY(!splashOut.Timer1().isActive());
}

void TestNavigation::bannerClickOpensTheAddressAndStopsTheAnimation()
{
    quitFrom(QStringLiteral("frmRing"));
    app::frmSplashOut &splashOut = windows().splashOut();
    m_fakes.clock->advance(5100);
    QCOMPARE(splashOut.pctBanner().canvas(), splashOut.animationFrame(2));

    clickBox(splashOut.pctBanner());
    QCOMPARE(m_fakes.urlOpener->opened(), QList<QUrl>{QUrl(QStringLiteral("https://www.brivello.example/"))});
    QVERIFY(splashOut.isVisible());
    QVERIFY(!splashOut.Timer1().isActive());
    m_fakes.clock->advance(10000);
    QCOMPARE(splashOut.pctBanner().canvas(), splashOut.animationFrame(2));

    clickBox(splashOut.pctBanner());
    QCOMPARE(m_fakes.urlOpener->opened().size(), 2);
    QVERIFY(splashOut.isVisible());
    QVERIFY(!m_startUp->finished());
}

void TestNavigation::helpPagesShowOneAtATime()
{
    const struct
    {
        QString window;
        QString text;
        app::frmHelp::HelpBox box;
    } cases[] = {
        {QStringLiteral("frmRing"), QStringLiteral("Aiuto suonerie"), app::frmHelp::HelpBox::Vindara},
        {QStringLiteral("frmLogo"), QStringLiteral("Aiuto loghi"), app::frmHelp::HelpBox::Logo},
        {QStringLiteral("frmDoc"), QStringLiteral("Aiuto informazioni"), app::frmHelp::HelpBox::Info},
        {QStringLiteral("frmTools"), QStringLiteral("Aiuto tools"), app::frmHelp::HelpBox::Tools},
    };
    const app::frmHelp::HelpBox all[] = {app::frmHelp::HelpBox::Vindara, app::frmHelp::HelpBox::Info,
                                         app::frmHelp::HelpBox::Logo, app::frmHelp::HelpBox::Tools};
    for (const auto &each : cases) {
        reachTheMainWindow(each.window);
        click(each.window, QStringLiteral("pctHelp"));
        app::frmHelp &help = windows().help();
        QVERIFY(help.isVisible());
        QVERIFY(!help.fraAbout().isVisible());
        for (app::frmHelp::HelpBox box : all)
            QCOMPARE(help.helpBox(box).isVisible(), box == each.box);
        QVERIFY2(help.helpBox(each.box).toPlainText().contains(each.text),
                 qPrintable(help.helpBox(each.box).toPlainText()));
        // Each page opens at its beginning, not scrolled to its end.
        QCOMPARE(help.helpBox(each.box).textCursor().position(), 0);
        // A click on the page itself does not close the window.
        QTest::mouseClick(help.helpBox(each.box).viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        stack().settle();
        QVERIFY(help.isVisible());
        clickBox(help.pctBG());
        QVERIFY(!help.isVisible());
        if (each.window != u"frmRing")
            click(each.window, QStringLiteral("pctRingTones"));
    }
}

void TestNavigation::aboutPanelNamesPublisherAndDeveloper()
{
    clickBox(button(QStringLiteral("frmRing"), QStringLiteral("pctParvel")));
    app::frmHelp &help = windows().help();
    QCOMPARE(stack().activeWindow(), &help);
    QVERIFY(help.fraAbout().isVisible());
    for (auto box : {app::frmHelp::HelpBox::Vindara, app::frmHelp::HelpBox::Info, app::frmHelp::HelpBox::Logo,
                     app::frmHelp::HelpBox::Tools})
        QVERIFY(!help.helpBox(box).isVisible());
    QCOMPARE(help.aboutLabel(QStringLiteral("lblProdukt")).text(),
             QStringLiteral("Brivello è un prodotto di:"));
    QCOMPARE(help.aboutLabel(QStringLiteral("lblOnt")).text(), QStringLiteral("Brivello è sviluppato da:"));
    QVERIFY(help.aboutLabel(QStringLiteral("lblProdukt")).font().bold());
    QVERIFY(!help.aboutLabel(QStringLiteral("lblAdres")).font().bold());
    clickBox(help.pctBG());
    QCOMPARE(stack().activeWindow(), &windows().ring());

    click(QStringLiteral("frmRing"), QStringLiteral("pctHelp"));
    QVERIFY(!help.fraAbout().isVisible());
    QVERIFY(help.helpBox(app::frmHelp::HelpBox::Vindara).isVisible());
}

void TestNavigation::documentationHelpHidesTheSmsPage()
{
    reachTheMainWindow(QStringLiteral("frmDoc"));
    docviewer::frmDoc &doc = windows().doc();
    doc.rtfSms().show();
    click(QStringLiteral("frmDoc"), QStringLiteral("pctHelp"));
    QVERIFY(doc.rtfSms().isHidden());
    clickBox(windows().help().pctBG());
    QVERIFY(doc.rtfSms().isHidden());
    QCOMPARE(stack().activeWindow(), &doc);
}

void TestNavigation::helpPagesAreReadOnlyOnce()
{
    click(QStringLiteral("frmRing"), QStringLiteral("pctHelp"));
    app::frmHelp &help = windows().help();
    clickBox(help.pctBG());
    // A page changed on disc after the first showing is not read again.
    writePage(m_disc->path(), QStringLiteral("belt.dat"), QStringLiteral("Pagina nuova"));
    click(QStringLiteral("frmRing"), QStringLiteral("pctHelp"));
    const QString shown = help.helpBox(app::frmHelp::HelpBox::Vindara).toPlainText();
    QVERIFY2(shown.contains(QStringLiteral("Aiuto suonerie")), qPrintable(shown));
    QVERIFY(!shown.contains(QStringLiteral("Pagina nuova")));
}

void TestNavigation::startProgramEndsWithStatusZeroAfterQuitting()
{
    // A fresh run, this time through the program's own event loop: once the
    // home window is up, the user quits.
    m_startUp = std::make_unique<app::StartUp>(m_fakes.platform());
    bool quitting = false;
    connect(&stack(), &ui::WindowStack::activated, this, [this, &quitting](ui::Window *window) {
        if (quitting || window->objectName() != u"frmRing")
            return;
        quitting = true;
        QTimer::singleShot(0, this, [this] {
            QTest::mouseClick(&button(QStringLiteral("frmRing"), QStringLiteral("pctQuit")), Qt::LeftButton,
                              {}, QPoint(3, 3));
            QTest::mouseClick(&windows().splashOut().pctBG(), Qt::LeftButton, {}, QPoint(3, 3));
        });
    });
    // Should the run not end by itself, this ends it with a status of its own.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    guard.start(20000);
    QCOMPARE(m_startUp->StartProgram(), 0);
    QVERIFY(quitting);
    QVERIFY(m_startUp->finished());
    QVERIFY(visibleWindows().isEmpty());
}

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
