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

using namespace Qt::StringLiterals;

using namespace brivello;

namespace {

// The picture a navigation button shows when the mouse is not over it; the
// lit one follows it in the list.
int atRest(const QString &button)
{
    static const QHash<QString, ui::ButtonPicture> pictures{
        {u"pctRingTones"_s, ui::ButtonPicture::RingTones}, {u"pctLogo"_s, ui::ButtonPicture::Logo},
        {u"pctTools"_s, ui::ButtonPicture::Tools},         {u"pctDoc"_s, ui::ButtonPicture::Doc},
        {u"pctHelp"_s, ui::ButtonPicture::Help},           {u"pctQuit"_s, ui::ButtonPicture::Quit}};
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
    QFile page(folder + u"/datafiles/"_s + file);
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
    writePage(m_disc->path(), u"belt.dat"_s, u"Aiuto suonerie"_s);
    writePage(m_disc->path(), u"info.dat"_s, u"Aiuto informazioni"_s);
    writePage(m_disc->path(), u"logos.dat"_s, u"Aiuto loghi"_s);
    writePage(m_disc->path(), u"tools.dat"_s, u"Aiuto tools"_s);
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
    const QHash<QString, QString> buttonFor{
        {u"frmLogo"_s, u"pctLogo"_s}, {u"frmDoc"_s, u"pctDoc"_s}, {u"frmTools"_s, u"pctTools"_s}};
    if (buttonFor.contains(name))
        click(u"frmRing"_s, buttonFor.value(name));
    QCOMPARE(stack().activeWindow(), &mainWindow(name));
}

void TestNavigation::quitFrom(const QString &window)
{
    click(window, u"pctQuit"_s);
    QCOMPARE(stack().activeWindow(), &windows().splashOut());
    QVERIFY(windows().splashOut().isVisible());
}

void TestNavigation::rolloverWalksLightTheButtonUnderTheMouse()
{
    // Each window: over each other window's button and back to the page,
    // then help, quit and the margin; the window's own button stays lit.
    const QList<QPair<QString, QString>> windows{{u"frmRing"_s, u"pctRingTones"_s},
                                                 {u"frmLogo"_s, u"pctLogo"_s},
                                                 {u"frmDoc"_s, u"pctDoc"_s},
                                                 {u"frmTools"_s, u"pctTools"_s}};
    const QStringList pages{u"pctRingTones"_s, u"pctLogo"_s, u"pctTools"_s, u"pctDoc"_s};
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
            QVERIFY2(showsLit(other), qPrintable(window + u" over "_s + other));
            moveMouseOver(shown.pctBG());
            QVERIFY2(showsAtRest(other), qPrintable(window + u": page after "_s + other));
        }
        moveMouseOver(button(window, u"pctHelp"_s));
        QVERIFY(showsLit(u"pctHelp"_s));
        QVERIFY(showsAtRest(u"pctQuit"_s));
        moveMouseOver(button(window, u"pctQuit"_s));
        QVERIFY(showsLit(u"pctQuit"_s));
        QVERIFY(showsAtRest(u"pctHelp"_s));
        moveMouseOver(shown);
        QVERIFY2(showsAtRest(u"pctQuit"_s) && showsAtRest(u"pctHelp"_s), qPrintable(window + u": margin"_s));
        QVERIFY2(showsLit(own), qPrintable(window + u": own button"_s));
        if (window == u"frmRing") {
            // The search button comes back to rest when the mouse reaches the text box.
            m_startUp->images().paint(button(window, u"pctZoek"_s), ui::ButtonPicture::SearchPressed);
            moveMouseOver(*shown.findChild<QLineEdit *>(u"txtSearch"_s));
            QVERIFY(shows(button(window, u"pctZoek"_s), int(ui::ButtonPicture::Search)));
        } else {
            click(window, u"pctRingTones"_s);
        }
    }
}

void TestNavigation::logoThenToolsWithoutThePageLeavesBothLit()
{
    for (const QString &window : {u"frmRing"_s, u"frmDoc"_s}) {
        reachTheMainWindow(window);
        moveMouseOver(button(window, u"pctLogo"_s));
        moveMouseOver(button(window, u"pctTools"_s));
        QVERIFY(shows(button(window, u"pctLogo"_s), 4));
        QVERIFY(shows(button(window, u"pctTools"_s), 6));
        // The other way round the tools button goes out.
        moveMouseOver(button(window, u"pctLogo"_s));
        QVERIFY(shows(button(window, u"pctTools"_s), 5));
        QVERIFY(shows(button(window, u"pctLogo"_s), 4));
        if (window != u"frmRing")
            click(window, u"pctRingTones"_s);
    }
}

void TestNavigation::helpButtonIsPutOutWhenTheHelpWindowCloses()
{
    for (const QString &window : {u"frmRing"_s, u"frmLogo"_s, u"frmDoc"_s, u"frmTools"_s}) {
        reachTheMainWindow(window);
        ui::PictureBox &help = button(window, u"pctHelp"_s);
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
            click(window, u"pctRingTones"_s);
    }
}

void TestNavigation::ringtoneButtonCollapsesEveryPendingLevel()
{
    moveMouseOver(button(u"frmRing"_s, u"pctLogo"_s));
    click(u"frmRing"_s, u"pctLogo"_s);
    click(u"frmLogo"_s, u"pctTools"_s);
    click(u"frmTools"_s, u"pctLogo"_s);
    click(u"frmLogo"_s, u"pctDoc"_s);
    click(u"frmDoc"_s, u"pctTools"_s);
    QCOMPARE(visibleWindows(), (QStringList{u"frmRing"_s, u"frmTools"_s}));
    QCOMPARE(stack().depth(), 6);

    click(u"frmTools"_s, u"pctRingTones"_s);
    QCOMPARE(visibleWindows(), QStringList{u"frmRing"_s});
    QCOMPARE(stack().activeWindow(), &windows().ring());
    QCOMPARE(stack().depth(), 1);
    QVERIFY(!m_startUp->finished());
    // The button clicked on the home window stays lit until the page is
    // crossed.
    QVERIFY(shows(button(u"frmRing"_s, u"pctLogo"_s), 4));
    moveMouseOver(windows().ring().pctBG());
    QVERIFY(shows(button(u"frmRing"_s, u"pctLogo"_s), 3));
}

void TestNavigation::toolsWindowReturnsToTheProgramFolderExceptForDocumentation()
{
    const QString elsewhere = m_disc->path() + u"/tools/Musicbox"_s;
    const QString programFolder = data::programFolder();

    reachTheMainWindow(u"frmTools"_s);
    m_fakes.currentDirectory->set(elsewhere);
    click(u"frmTools"_s, u"pctRingTones"_s);
    QCOMPARE(m_fakes.currentDirectory->current(), programFolder);

    reachTheMainWindow(u"frmTools"_s);
    m_fakes.currentDirectory->set(elsewhere);
    click(u"frmTools"_s, u"pctLogo"_s);
    QCOMPARE(m_fakes.currentDirectory->current(), programFolder);
    QCOMPARE(stack().activeWindow(), &windows().logo());

    click(u"frmLogo"_s, u"pctTools"_s);
    m_fakes.currentDirectory->set(elsewhere);
    click(u"frmTools"_s, u"pctDoc"_s);
    QCOMPARE(m_fakes.currentDirectory->current(), elsewhere);
    QCOMPARE(stack().activeWindow(), &windows().doc());
    QCOMPARE(visibleWindows(), (QStringList{u"frmDoc"_s, u"frmRing"_s}));
}

void TestNavigation::ownButtonClickChangesNothing()
{
    for (const auto &[window, own] :
         {std::pair{u"frmRing"_s, u"pctRingTones"_s}, std::pair{u"frmLogo"_s, u"pctLogo"_s},
          std::pair{u"frmTools"_s, u"pctTools"_s}}) {
        reachTheMainWindow(window);
        const int depth = stack().depth();
        click(window, own);
        QCOMPARE(stack().depth(), depth);
        QCOMPARE(stack().activeWindow(), &mainWindow(window));
        QVERIFY(mainWindow(window).isVisible());
        if (window != u"frmRing")
            click(window, u"pctRingTones"_s);
    }
}

void TestNavigation::quittingFromDepthClosesEveryWindow()
{
    click(u"frmRing"_s, u"pctLogo"_s);
    click(u"frmLogo"_s, u"pctTools"_s);
    click(u"frmTools"_s, u"pctLogo"_s);
    click(u"frmLogo"_s, u"pctHelp"_s);
    clickBox(windows().help().pctBG());
    click(u"frmLogo"_s, u"pctDoc"_s);
    click(u"frmDoc"_s, u"pctTools"_s);
    quitFrom(u"frmTools"_s);
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
    quitFrom(u"frmRing"_s);
    clickBox(windows().splashOut().pctBG());
    QVERIFY(m_startUp->finished());
    QStringList made;
    for (ui::Window *window : windows().made()) {
        made << window->objectName();
        QVERIFY(!stack().isLoaded(*window));
    }
    QVERIFY(!made.contains(u"frmLogo"_s));
    QVERIFY(!made.contains(u"frmHelp"_s));
}

void TestNavigation::bannerFollowsItsSchedule()
{
    quitFrom(u"frmRing"_s);
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
        QVERIFY2(banner() == (secondShown ? second : first), qPrintable(u"tick %1"_s.arg(tick)));
        QVERIFY(splashOut.bytTeller() <= 50);
    }
    clickBox(splashOut.pctBG());
    QVERIFY(!splashOut.Timer1().isActive());
}

void TestNavigation::bannerClickOpensTheAddressAndStopsTheAnimation()
{
    quitFrom(u"frmRing"_s);
    app::frmSplashOut &splashOut = windows().splashOut();
    m_fakes.clock->advance(5100);
    QCOMPARE(splashOut.pctBanner().canvas(), splashOut.animationFrame(2));

    clickBox(splashOut.pctBanner());
    QCOMPARE(m_fakes.urlOpener->opened(), QList<QUrl>{QUrl(u"https://www.brivello.example/"_s)});
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
        {u"frmRing"_s, u"Aiuto suonerie"_s, app::frmHelp::HelpBox::Vindara},
        {u"frmLogo"_s, u"Aiuto loghi"_s, app::frmHelp::HelpBox::Logo},
        {u"frmDoc"_s, u"Aiuto informazioni"_s, app::frmHelp::HelpBox::Info},
        {u"frmTools"_s, u"Aiuto tools"_s, app::frmHelp::HelpBox::Tools},
    };
    const app::frmHelp::HelpBox all[] = {app::frmHelp::HelpBox::Vindara, app::frmHelp::HelpBox::Info,
                                         app::frmHelp::HelpBox::Logo, app::frmHelp::HelpBox::Tools};
    for (const auto &each : cases) {
        reachTheMainWindow(each.window);
        click(each.window, u"pctHelp"_s);
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
            click(each.window, u"pctRingTones"_s);
    }
}

void TestNavigation::aboutPanelNamesPublisherAndDeveloper()
{
    clickBox(button(u"frmRing"_s, u"pctParvel"_s));
    app::frmHelp &help = windows().help();
    QCOMPARE(stack().activeWindow(), &help);
    QVERIFY(help.fraAbout().isVisible());
    for (auto box : {app::frmHelp::HelpBox::Vindara, app::frmHelp::HelpBox::Info, app::frmHelp::HelpBox::Logo,
                     app::frmHelp::HelpBox::Tools})
        QVERIFY(!help.helpBox(box).isVisible());
    QCOMPARE(help.aboutLabel(u"lblProdukt"_s).text(), u"Brivello è un prodotto di:"_s);
    QCOMPARE(help.aboutLabel(u"lblOnt"_s).text(), u"Brivello è sviluppato da:"_s);
    QVERIFY(help.aboutLabel(u"lblProdukt"_s).font().bold());
    QVERIFY(!help.aboutLabel(u"lblAdres"_s).font().bold());
    clickBox(help.pctBG());
    QCOMPARE(stack().activeWindow(), &windows().ring());

    click(u"frmRing"_s, u"pctHelp"_s);
    QVERIFY(!help.fraAbout().isVisible());
    QVERIFY(help.helpBox(app::frmHelp::HelpBox::Vindara).isVisible());
}

void TestNavigation::documentationHelpHidesTheSmsPage()
{
    reachTheMainWindow(u"frmDoc"_s);
    docviewer::frmDoc &doc = windows().doc();
    doc.rtfSms().show();
    click(u"frmDoc"_s, u"pctHelp"_s);
    QVERIFY(doc.rtfSms().isHidden());
    clickBox(windows().help().pctBG());
    QVERIFY(doc.rtfSms().isHidden());
    QCOMPARE(stack().activeWindow(), &doc);
}

void TestNavigation::helpPagesAreReadOnlyOnce()
{
    click(u"frmRing"_s, u"pctHelp"_s);
    app::frmHelp &help = windows().help();
    clickBox(help.pctBG());
    // A page changed on disc after the first showing is not read again.
    writePage(m_disc->path(), u"belt.dat"_s, u"Pagina nuova"_s);
    click(u"frmRing"_s, u"pctHelp"_s);
    const QString shown = help.helpBox(app::frmHelp::HelpBox::Vindara).toPlainText();
    QVERIFY2(shown.contains(u"Aiuto suonerie"_s), qPrintable(shown));
    QVERIFY(!shown.contains(u"Pagina nuova"_s));
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
            QTest::mouseClick(&button(u"frmRing"_s, u"pctQuit"_s), Qt::LeftButton, {}, QPoint(3, 3));
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
