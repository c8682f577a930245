#include "app/WindowSet.h"
#include "app/frmHelp.h"
#include "data/DiscPaths.h"
#include "docviewer/EntryLabel.h"
#include "docviewer/frmDoc.h"
#include "docviewer/rtf/RtfReader.h"
#include "tests/support/FakePlatform.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"
#include "ui/WindowStack.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <memory>

using namespace brivello;
using namespace Qt::StringLiterals;
using docviewer::EntryLabel;
using docviewer::frmDoc;
using ui::twips;

namespace {

QByteArray rtfPage(const QString &title)
{
    return u"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}"
           "\\pard\\b\\fs32 %1\\b0\\fs20\\par Testo della pagina.\\par}"_s.arg(title)
               .toLatin1();
}

const QByteArray linksHtml =
    QByteArrayLiteral("<html><head><meta charset=\"utf-8\"><title>Collegamenti Web</title></head><body>"
                      "<h1>Collegamenti Web</h1>"
                      "<p><a href=\"http://www.esempio.it/telefonia\">Telefonia oggi</a></p>"
                      "<p><a href=\"altre/vicina.htm\">Pagina vicina</a></p>"
                      "</body></html>");

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A disc with every page the window reads, each titled so that a test can
// tell which one a box holds.
bool writeDocumentationDisc(const QString &folder)
{
    if (!QDir(folder).mkpath(u"datafiles"_s))
        return false;
    const QString pages = folder + u"/datafiles/"_s;
    bool written = true;
    for (int page = 1; page <= frmDoc::generalPageCount; ++page)
        written &= writeFile(pages + u"pag1-%1.dat"_s.arg(page), rtfPage(u"Pagina generale %1"_s.arg(page)));
    for (int page = 1; page <= frmDoc::phoneGuideCount; ++page)
        written &=
            writeFile(pages + u"nokpg1-%1.dat"_s.arg(page), rtfPage(u"Guida del telefono %1"_s.arg(page)));
    written &= writeFile(pages + u"pag3-1.dat"_s, rtfPage(u"Elenco centrali SMS"_s));
    written &= writeFile(folder + u"/links.htm"_s, linksHtml);
    return written;
}

// The number in the title of the page a box shows, 0 for none.
int pageNumberIn(const QTextEdit &box, const QString &title)
{
    const QRegularExpression pattern(title + u" (\\d)"_s);
    const QRegularExpressionMatch match = pattern.match(box.toPlainText());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

class TestFrmDoc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captionsShowOneAmpersand();
    void entriesStandInTheirPanels();
    void opensOnTheContentsPanelAlone();
    void contentsEntriesOpenTheirPanels_data();
    void contentsEntriesOpenTheirPanels();
    void indexEntriesOpenTheirPages_data();
    void indexEntriesOpenTheirPages();
    void entryOpensWithTheKeyboard();
    void nextStepsThroughTheGeneralPagesAndBackToContents();
    void nextStepsThroughThePhoneGuidesAndBackToContents();
    void lastGeneralPageFromTheIndexVersusReachedByStepping();
    void lastPhoneGuideFromTheIndexStaysPut();
    void previousStepsBackAndLightsNext();
    void previousOnFirstPageGoesToTheSetsOwnIndex_data();
    void previousOnFirstPageGoesToTheSetsOwnIndex();
    void buttonsDoNothingWithoutAPage_data();
    void buttonsDoNothingWithoutAPage();
    void homeShowsTheContentsAloneFromEveryState_data();
    void homeShowsTheContentsAloneFromEveryState();
    void ownButtonAndResetShowTheContentsAlone_data();
    void ownButtonAndResetShowTheContentsAlone();
    void returnFromHelpShowsTheContentsAlone();
    void linksPageIsWidenedOnFirstShowing();
    void linksOpenInTheSystemsBrowser();
    void missingPageShowsANotice();
    void missingLinksPageShowsANotice();
    void hugeLinksPageShowsANotice();
    void pagesAreReadOnly();

private:
    frmDoc &doc() { return m_windows->doc(); }
    void open();
    void click(QWidget &widget);
    void reach(const QString &state);
    QString seen();
    QString buttonLook(const ui::PictureBox &button, bool flag, int activePicture, int inactivePicture) const;
    QPoint anchorPoint(const QString &text);

    std::unique_ptr<QTemporaryDir> m_disc;
    test::FakePlatform m_fakes;
    std::unique_ptr<ui::WindowStack> m_stack;
    std::unique_ptr<ui::ButtonImages> m_images;
    std::unique_ptr<app::WindowSet> m_windows;
};

void TestFrmDoc::initTestCase()
{
    m_images = std::make_unique<ui::ButtonImages>();
}

void TestFrmDoc::init()
{
    m_disc = std::make_unique<QTemporaryDir>();
    QVERIFY(m_disc->isValid());
    QVERIFY(writeDocumentationDisc(m_disc->path()));
    data::setProgramFolder(m_disc->path());
    m_fakes = test::FakePlatform();
    m_stack = std::make_unique<ui::WindowStack>();
    m_windows = std::make_unique<app::WindowSet>(m_fakes.platform(), *m_stack, *m_images);
}

void TestFrmDoc::cleanup()
{
    m_windows.reset();
    m_stack.reset();
    m_fakes.checkUnused();
}

// Shows the window as the navigation bar of another window does, or resets
// it when it is shown already.
void TestFrmDoc::open()
{
    doc().ResetToContents();
    if (m_stack->activeWindow() != &doc())
        m_stack->showModal(doc());
    QVERIFY(doc().isVisible());
}

void TestFrmDoc::click(QWidget &widget)
{
    QVERIFY2(widget.isVisible(), qPrintable(widget.objectName()));
    QTest::mouseClick(&widget, Qt::LeftButton);
}

// The button's picture and flag, as one word; a picture that does not match
// its flag shows up as a mismatch.
QString TestFrmDoc::buttonLook(const ui::PictureBox &button, bool flag, int activePicture,
                               int inactivePicture) const
{
    auto shows = [&](int number) {
        const QImage picture = m_images->picture(number).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage drawn = button.canvas().copy(QRect(QPoint(0, 0), picture.size()));
        return drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied) == picture;
    };
    if (flag && shows(activePicture) && !shows(inactivePicture))
        return u"on"_s;
    if (!flag && shows(inactivePicture) && !shows(activePicture))
        return u"off"_s;
    return u"mismatch"_s;
}

// What the user sees: the one visible panel (the page it shows, for a page
// box) and the two buttons.
QString TestFrmDoc::seen()
{
    QStringList visible;
    QWidget *const panels[] = {&doc().fraInhoud(), &doc().fraInhoud2(), &doc().fraInhoud3(), &doc().rtfMain(),
                               &doc().rtfTips(),   &doc().rtfSms(),     &doc().WebLinks()};
    for (QWidget *panel : panels) {
        if (panel->isVisible())
            visible << panel->objectName();
    }
    if (visible.size() != 1)
        return u"visible: "_s + visible.join(u'+');
    const QString shown = visible.first();
    QString panel;
    if (shown == u"fraInhoud")
        panel = u"contents"_s;
    else if (shown == u"fraInhoud2")
        panel = u"general index"_s;
    else if (shown == u"fraInhoud3")
        panel = u"guide index"_s;
    else if (shown == u"rtfMain")
        panel = u"general %1"_s.arg(pageNumberIn(doc().rtfMain(), u"Pagina generale"_s));
    else if (shown == u"rtfTips")
        panel = u"guide %1"_s.arg(pageNumberIn(doc().rtfTips(), u"Guida del telefono"_s));
    else if (shown == u"rtfSms")
        panel = doc().rtfSms().toPlainText().contains(u"Elenco centrali SMS") ? u"sms"_s : u"sms?"_s;
    else
        panel = u"links"_s;
    return u"%1, next %2, prev %3"_s.arg(panel,
                                         buttonLook(doc().pctVolgende(), doc().blnNextActive(), 19, 28),
                                         buttonLook(doc().pctVorige(), doc().blnPrevActive(), 21, 27));
}

// Brings the window, by clicks, into one of the states the tests name.
void TestFrmDoc::reach(const QString &state)
{
    open();
    if (state == u"contents")
        return;
    if (state == u"general index") {
        click(doc().lblAlgemeen());
    } else if (state == u"guide index") {
        click(doc().lblTips());
    } else if (state == u"links") {
        click(doc().Label2());
    } else if (state == u"sms") {
        click(doc().Label4());
    } else if (state.startsWith(u"general ")) {
        click(doc().lblAlgemeen());
        click(doc().generalEntry(state.mid(8).toInt()));
    } else if (state.startsWith(u"guide ")) {
        click(doc().lblTips());
        click(doc().phoneGuideEntry(state.mid(6).toInt()));
    } else {
        QFAIL(qPrintable(u"no such state: "_s + state));
    }
}

void TestFrmDoc::captionsShowOneAmpersand()
{
    QCOMPARE(docviewer::labelCaption(u"Consigli && trucchetti"), u"Consigli & trucchetti"_s);
    QCOMPARE(docviewer::labelCaption(u"&Nokia"), u"Nokia"_s);
    QCOMPARE(docviewer::labelCaption(u"A && B &&& C&"), u"A & B & C"_s);
    QCOMPARE(doc().lblTips().text(), u"Consigli & trucchetti"_s);
    QCOMPARE(doc().lblTipsInh().text(), u"Consigli & trucchetti:"_s);
    QCOMPARE(doc().lblTitel().text(), u"Informazioni:"_s);
    QCOMPARE(doc().lblKop().text(), u"Informazioni generali:"_s);
}

void TestFrmDoc::entriesStandInTheirPanels()
{
    auto captions = [](const QFrame &panel) {
        QStringList shown;
        for (const EntryLabel *entry : panel.findChildren<EntryLabel *>())
            shown << entry->objectName() + u'=' + entry->text();
        return shown;
    };
    QCOMPARE(captions(doc().fraInhoud()),
             (QStringList{u"lblAlgemeen=Informazioni generali"_s, u"lblTips=Consigli & trucchetti"_s,
                          u"Label2=Collegamenti Web"_s, u"Label4=Centrali SMS"_s}));
    QCOMPARE(captions(doc().fraInhoud2()),
             (QStringList{u"lblKop1=Storia ed evoluzione"_s, u"lblKop2=La funzione di una rete GSM"_s,
                          u"lblKop3=Le Frequenze"_s, u"lblKop4=Chiamate in uscita ed in entrata"_s,
                          u"lblKop5=Service provider"_s, u"lblKop6=Servizi"_s, u"lblKop8=Il Futuro"_s,
                          u"lblKop9=Sigle ed abbreviazioni"_s}));
    QCOMPARE(captions(doc().fraInhoud3()),
             (QStringList{u"lblNokia=Nokia"_s, u"lblEricsson=Ericsson"_s, u"lblSiemens=Siemens"_s}));
    // Top to bottom, in the order of the list.
    QVERIFY(doc().generalEntry(7).y() > doc().generalEntry(6).y());
    QVERIFY(doc().Label4().y() > doc().Label2().y());
    QCOMPARE(doc().fraInhoud().geometry(), ui::twipsRect(1560, 1200, 8040, 5040));
    QCOMPARE(doc().fraInhoud3().geometry(), ui::twipsRect(1560, 1320, 8040, 5295));
    QCOMPARE(doc().rtfTips().geometry().left(), twips(1815));
    QCOMPARE(doc().pctHome().toolTip(), u"Home"_s);
}

void TestFrmDoc::opensOnTheContentsPanelAlone()
{
    // Shown straight after loading, with no reset before.
    m_stack->showModal(doc());
    QCOMPARE(seen(), u"contents, next off, prev off"_s);
    QVERIFY(doc().WebLinks().toPlainText().contains(u"Telefonia oggi"));
    // The page is centred on the screen.
    const QRect screen = doc().screen()->geometry();
    QCOMPARE(doc().pctBG().geometry().center(), QRect(QPoint(0, 0), screen.size()).center());
    QCOMPARE(doc().bytPage(), 1);
    QCOMPARE(pageNumberIn(doc().rtfMain(), u"Pagina generale"_s), 1);
    QCOMPARE(pageNumberIn(doc().rtfTips(), u"Guida del telefono"_s), 1);
    QVERIFY(doc().rtfSms().toPlainText().contains(u"Elenco centrali SMS"));
}

void TestFrmDoc::contentsEntriesOpenTheirPanels_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("expected");
    QTest::newRow("lblAlgemeen") << "lblAlgemeen"
                                 << "general index, next off, prev off";
    QTest::newRow("lblTips") << "lblTips"
                             << "guide index, next off, prev off";
    QTest::newRow("Label2") << "Label2"
                            << "links, next off, prev off";
    QTest::newRow("Label4") << "Label4"
                            << "sms, next off, prev off";
}

void TestFrmDoc::contentsEntriesOpenTheirPanels()
{
    QFETCH(QString, entry);
    QFETCH(QString, expected);
    open();
    auto *label = doc().fraInhoud().findChild<EntryLabel *>(entry);
    QVERIFY(label);
    click(*label);
    QCOMPARE(seen(), expected);
}

void TestFrmDoc::indexEntriesOpenTheirPages_data()
{
    QTest::addColumn<bool>("general");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("expected");
    for (int page = 1; page <= frmDoc::generalPageCount; ++page)
        QTest::addRow("general %d", page)
            << true << page
            << u"general %1, next %2, prev on"_s.arg(page).arg(page == 8 ? u"off"_s : u"on"_s);
    for (int page = 1; page <= frmDoc::phoneGuideCount; ++page)
        QTest::addRow("guide %d", page)
            << false << page << u"guide %1, next %2, prev on"_s.arg(page).arg(page == 3 ? u"off"_s : u"on"_s);
}

void TestFrmDoc::indexEntriesOpenTheirPages()
{
    QFETCH(bool, general);
    QFETCH(int, page);
    QFETCH(QString, expected);
    open();
    click(general ? doc().lblAlgemeen() : doc().lblTips());
    click(general ? doc().generalEntry(page) : doc().phoneGuideEntry(page));
    QCOMPARE(seen(), expected);
    QCOMPARE(doc().bytPage(), page);
}

void TestFrmDoc::entryOpensWithTheKeyboard()
{
    open();
    // Each panel shown hands the keyboard to its first entry.
    QCOMPARE(doc().focusWidget(), &doc().lblAlgemeen());
    QTest::keyClick(doc().focusWidget(), Qt::Key_Down);
    QCOMPARE(doc().focusWidget(), &doc().lblTips());
    QTest::keyClick(doc().focusWidget(), Qt::Key_Up);
    QTest::keyClick(doc().focusWidget(), Qt::Key_Return);
    QCOMPARE(seen(), u"general index, next off, prev off"_s);
    QCOMPARE(doc().focusWidget(), &doc().generalEntry(1));
    QTest::keyClick(doc().focusWidget(), Qt::Key_Down);
    QTest::keyClick(doc().focusWidget(), Qt::Key_Down);
    QTest::keyClick(doc().focusWidget(), Qt::Key_Space);
    QCOMPARE(seen(), u"general 3, next on, prev on"_s);
    QCOMPARE(doc().focusWidget(), &doc().rtfMain());
}

void TestFrmDoc::nextStepsThroughTheGeneralPagesAndBackToContents()
{
    reach(u"general 1"_s);
    for (int page = 2; page <= frmDoc::generalPageCount; ++page) {
        click(doc().pctVolgende());
        QCOMPARE(seen(), u"general %1, next on, prev on"_s.arg(page));
        QCOMPARE(doc().bytPage(), page);
    }
    click(doc().pctVolgende());
    QCOMPARE(seen(), u"contents, next off, prev off"_s);
    QCOMPARE(doc().bytPage(), 1);
    QCOMPARE(pageNumberIn(doc().rtfMain(), u"Pagina generale"_s), 1);
    // The next general page opened is read from the disc again.
    QVERIFY(
        writeFile(data::discPath(u".\\datafiles\\pag1-2.dat"_s), rtfPage(u"Pagina generale 2 riveduta"_s)));
    click(doc().lblAlgemeen());
    click(doc().generalEntry(2));
    QVERIFY(doc().rtfMain().toPlainText().contains(u"Pagina generale 2 riveduta"));
}

void TestFrmDoc::nextStepsThroughThePhoneGuidesAndBackToContents()
{
    reach(u"guide 1"_s);
    click(doc().pctVolgende());
    QCOMPARE(seen(), u"guide 2, next on, prev on"_s);
    click(doc().pctVolgende());
    QCOMPARE(seen(), u"guide 3, next on, prev on"_s);
    click(doc().pctVolgende());
    QCOMPARE(seen(), u"contents, next off, prev off"_s);
    QCOMPARE(doc().bytPage(), 1);
    QCOMPARE(pageNumberIn(doc().rtfTips(), u"Guida del telefono"_s), 1);
}

void TestFrmDoc::lastGeneralPageFromTheIndexVersusReachedByStepping()
{
    reach(u"general 8"_s);
    QCOMPARE(seen(), u"general 8, next off, prev on"_s);
    click(doc().pctVolgende());
    QCOMPARE(seen(), u"general 8, next off, prev on"_s);
    click(doc().pctVorige());
    QCOMPARE(seen(), u"general 7, next on, prev on"_s);
    click(doc().pctVolgende());
    QCOMPARE(seen(), u"general 8, next on, prev on"_s);
    click(doc().pctVolgende());
    QCOMPARE(seen(), u"contents, next off, prev off"_s);
    QCOMPARE(pageNumberIn(doc().rtfMain(), u"Pagina generale"_s), 1);
}

void TestFrmDoc::lastPhoneGuideFromTheIndexStaysPut()
{
    reach(u"guide 3"_s);
    click(doc().pctVolgende());
    QCOMPARE(seen(), u"guide 3, next off, prev on"_s);
    QCOMPARE(doc().bytPage(), 3);
    click(doc().pctVorige());
    QCOMPARE(seen(), u"guide 2, next on, prev on"_s);
}

void TestFrmDoc::previousStepsBackAndLightsNext()
{
    reach(u"general 5"_s);
    click(doc().pctVorige());
    QCOMPARE(seen(), u"general 4, next on, prev on"_s);
    QCOMPARE(doc().bytPage(), 4);
    for (int page = 3; page >= 1; --page) {
        click(doc().pctVorige());
        QCOMPARE(seen(), u"general %1, next on, prev on"_s.arg(page));
    }
}

void TestFrmDoc::previousOnFirstPageGoesToTheSetsOwnIndex_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("expected");
    QTest::newRow("general 1") << "general 1"
                               << "general index, next off, prev off";
    QTest::newRow("guide 1") << "guide 1"
                             << "guide index, next off, prev off";
}

void TestFrmDoc::previousOnFirstPageGoesToTheSetsOwnIndex()
{
    QFETCH(QString, state);
    QFETCH(QString, expected);
    reach(state);
    click(doc().pctVorige());
    QCOMPARE(seen(), expected);
    QCOMPARE(doc().bytPage(), 1);
    // Stepped back to page 1 from page 2, the same.
    reach(state == u"general 1" ? u"general 2"_s : u"guide 2"_s);
    click(doc().pctVorige());
    click(doc().pctVorige());
    QCOMPARE(seen(), expected);
}

void TestFrmDoc::buttonsDoNothingWithoutAPage_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("expected");
    QTest::newRow("contents") << "contents"
                              << "contents, next off, prev off";
    QTest::newRow("general index") << "general index"
                                   << "general index, next off, prev off";
    QTest::newRow("guide index") << "guide index"
                                 << "guide index, next off, prev off";
    QTest::newRow("sms") << "sms"
                         << "sms, next off, prev off";
    QTest::newRow("links") << "links"
                           << "links, next off, prev off";
}

void TestFrmDoc::buttonsDoNothingWithoutAPage()
{
    QFETCH(QString, state);
    QFETCH(QString, expected);
    reach(state);
    // A page left open before does not wake the buttons either.
    const QString before = doc().rtfMain().toPlainText();
    for (int i = 0; i < 2; ++i) {
        click(doc().pctVolgende());
        QCOMPARE(seen(), expected);
        click(doc().pctVorige());
        QCOMPARE(seen(), expected);
    }
    QCOMPARE(doc().bytPage(), 1);
    QCOMPARE(doc().rtfMain().toPlainText(), before);
}

void TestFrmDoc::homeShowsTheContentsAloneFromEveryState_data()
{
    QTest::addColumn<QString>("state");
    for (const char *state : {"contents", "general index", "guide index", "general 1", "general 4",
                              "general 8", "guide 2", "guide 3", "sms", "links"})
        QTest::newRow(state) << QString::fromLatin1(state);
}

void TestFrmDoc::homeShowsTheContentsAloneFromEveryState()
{
    QFETCH(QString, state);
    reach(state);
    click(doc().pctHome());
    QCOMPARE(seen(), u"contents, next off, prev off"_s);
    QCOMPARE(doc().bytPage(), 1);
    QCOMPARE(pageNumberIn(doc().rtfMain(), u"Pagina generale"_s), 1);
    QCOMPARE(pageNumberIn(doc().rtfTips(), u"Guida del telefono"_s), 1);
}

void TestFrmDoc::ownButtonAndResetShowTheContentsAlone_data()
{
    homeShowsTheContentsAloneFromEveryState_data();
}

void TestFrmDoc::ownButtonAndResetShowTheContentsAlone()
{
    QFETCH(QString, state);
    reach(state);
    click(*doc().navigationBar().pctDoc);
    QCOMPARE(seen(), u"contents, next off, prev off"_s);
    QCOMPARE(doc().bytPage(), 1);

    // Left for another window and opened again from there.
    reach(state);
    m_stack->hide(doc());
    m_stack->settle();
    open();
    QCOMPARE(seen(), u"contents, next off, prev off"_s);
    QCOMPARE(pageNumberIn(doc().rtfTips(), u"Guida del telefono"_s), 1);
}

void TestFrmDoc::returnFromHelpShowsTheContentsAlone()
{
    for (const QString &state : {u"sms"_s, u"guide 2"_s, u"general 6"_s, u"guide index"_s, u"links"_s}) {
        reach(state);
        m_stack->showModal(m_windows->help());
        m_stack->hide(m_windows->help());
        m_stack->settle();
        QCOMPARE(m_stack->activeWindow(), &doc());
        QCOMPARE(seen(), u"contents, next off, prev off"_s);
        QCOMPARE(doc().bytPage(), 1);
        QCOMPARE(pageNumberIn(doc().rtfMain(), u"Pagina generale"_s), 1);
    }
}

void TestFrmDoc::linksPageIsWidenedOnFirstShowing()
{
    open();
    QCOMPARE(doc().WebLinks().width(), twips(825));
    click(doc().Label2());
    QCOMPARE(doc().WebLinks().width(), twips(7815));
    QCOMPARE(doc().WebLinks().geometry(), ui::twipsRect(1785, 1230, 7815, 5370));
    click(doc().pctHome());
    QCOMPARE(doc().WebLinks().width(), twips(7815));
    click(doc().Label2());
    QCOMPARE(doc().WebLinks().width(), twips(7815));
}

// Where the user clicks to follow the link with the given text.
QPoint TestFrmDoc::anchorPoint(const QString &text)
{
    QTextBrowser &browser = doc().WebLinks();
    QTextCursor found = browser.document()->find(text);
    if (found.isNull())
        return {};
    QTextCursor middle(browser.document());
    middle.setPosition(found.selectionStart() + 2);
    return browser.cursorRect(middle).center();
}

void TestFrmDoc::linksOpenInTheSystemsBrowser()
{
    open();
    click(doc().Label2());
    QTextBrowser &browser = doc().WebLinks();
    QVERIFY(browser.toPlainText().contains(u"Telefonia oggi"));
    const QUrl page = browser.source();

    QPoint point = anchorPoint(u"Telefonia oggi"_s);
    QVERIFY(!point.isNull());
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, point);
    QCOMPARE(m_fakes.urlOpener->opened(), (QList<QUrl>{QUrl(u"http://www.esempio.it/telefonia"_s)}));

    // A link relative to the page names a file beside it.
    point = anchorPoint(u"Pagina vicina"_s);
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, point);
    QCOMPARE(m_fakes.urlOpener->opened().size(), 2);
    QCOMPARE(m_fakes.urlOpener->opened().at(1),
             QUrl::fromLocalFile(QDir(m_disc->path()).filePath(u"altre/vicina.htm"_s)));

    // The page itself stays where it was.
    QCOMPARE(browser.source(), page);
    QVERIFY(browser.toPlainText().contains(u"Telefonia oggi"));
    QCOMPARE(seen(), u"links, next off, prev off"_s);
}

void TestFrmDoc::missingPageShowsANotice()
{
    QVERIFY(QFile::remove(data::discPath(u".\\datafiles\\pag1-4.dat"_s)));
    QVERIFY(writeFile(data::discPath(u".\\datafiles\\nokpg1-2.dat"_s), QByteArray("\x00\x01junk", 6)));
    reach(u"general 3"_s);
    click(doc().pctVolgende());
    QVERIFY(doc().rtfMain().isVisible());
    QCOMPARE(doc().bytPage(), 4);
    QVERIFY2(doc().rtfMain().toPlainText().contains(u"Pagina non disponibile: pag1-4.dat"),
             qPrintable(doc().rtfMain().toPlainText()));
    // The user steps on past it.
    click(doc().pctVolgende());
    QCOMPARE(seen(), u"general 5, next on, prev on"_s);

    reach(u"guide 2"_s);
    QVERIFY(doc().rtfTips().toPlainText().contains(u"Pagina non disponibile: nokpg1-2.dat"));
}

void TestFrmDoc::missingLinksPageShowsANotice()
{
    QVERIFY(QFile::remove(data::discPath(u".\\links.htm"_s)));
    open();
    click(doc().Label2());
    QVERIFY(doc().WebLinks().toPlainText().contains(u"Pagina non disponibile: links.htm"));
    QCOMPARE(seen(), u"links, next off, prev off"_s);
}

// Mended fault: a links page of tens of megabytes was read and laid out
// whole, for half a minute and gigabytes of memory.
void TestFrmDoc::hugeLinksPageShowsANotice()
{
    QFile links(data::discPath(u".\\links.htm"_s));
    QVERIFY(links.open(QIODevice::WriteOnly));
    links.write(linksHtml);
    QVERIFY(links.resize(rtf::maxPageSize + 1)); // the rest reads as zero bytes
    links.close();
    open();
    click(doc().Label2());
    QVERIFY2(doc().WebLinks().toPlainText().contains(u"Pagina non disponibile: links.htm"),
             qPrintable(doc().WebLinks().toPlainText().left(200)));
}

void TestFrmDoc::pagesAreReadOnly()
{
    reach(u"general 2"_s);
    const QString before = doc().rtfMain().toPlainText();
    doc().rtfMain().setFocus();
    QTest::keyClicks(&doc().rtfMain(), u"xyz"_s);
    QTest::keyClick(&doc().rtfMain(), Qt::Key_Delete);
    QCOMPARE(doc().rtfMain().toPlainText(), before);
    QVERIFY(doc().rtfMain().isReadOnly());
    QVERIFY(doc().WebLinks().isReadOnly());
}

QTEST_MAIN(TestFrmDoc)
#include "test_frmdoc.moc"
