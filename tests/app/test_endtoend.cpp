// One session through the real windows, as a user walks it from the start to
// the exit splash, over a copy of the sample disc. Every dialog and every
// program the session would start is answered or recorded by the fakes.

#include "app/StartUp.h"
#include "app/WindowSet.h"
#include "app/frmHelp.h"
#include "app/frmSplashOut.h"
#include "data/DiscPaths.h"
#include "docviewer/EntryLabel.h"
#include "docviewer/frmDoc.h"
#include "logos/LogoGrid.h"
#include "logos/frmLogo.h"
#include "logos/pictures/LogoCatalogue.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/RingtoneSearch.h"
#include "ringtones/RingtoneTransfer.h"
#include "ringtones/frmRing.h"
#include "tests/support/FakePlatform.h"
#include "toolcatalogue/frmInstall.h"
#include "toolcatalogue/frmTools.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/Window.h"
#include "ui/WindowStack.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFrame>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;
using platform::MessageAnswer;

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Copies `from` into `to`, sub-folders included.
bool copyFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator files(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(source);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(source, target))
            return false;
    }
    return true;
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

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void aWholeSession();
    void cleanupTestCase();

private:
    app::WindowSet &windows() const { return m_startUp->windows(); }
    ui::WindowStack &stack() const { return m_startUp->stack(); }
    ringtones::frmRing &ring() const { return windows().ring(); }
    logos::frmLogo &gallery() const { return windows().logo(); }
    docviewer::frmDoc &doc() const { return windows().doc(); }
    toolcatalogue::frmTools &tools() const { return windows().tools(); }

    void clickBox(ui::PictureBox &box);
    bool shows(const ui::PictureBox &box, int picture) const;
    QString discCopy(const QString &relative) const { return m_disc.filePath(relative); }

    void walkTheRingtones();
    void walkTheLogos();
    void walkTheDocumentation();
    void walkTheTools();
    void aboutAndQuit();
    // Opens the help window from `window`, checks the one page it shows and
    // closes it again.
    void checkHelp(ui::Window &window, app::frmHelp::HelpBox box, const QString &title);

    QTemporaryDir m_disc;
    QTemporaryDir m_out;
    test::FakePlatform m_fakes;
    std::unique_ptr<app::StartUp> m_startUp;
};

void TestEndToEnd::initTestCase()
{
    const QString sampleDisc = qEnvironmentVariable("BRIVELLO_TEST_DISC");
    if (!QFileInfo::exists(sampleDisc + u"/datafiles/ringtones.dat"_s))
        QSKIP("the sample disc has not been assembled");
    QVERIFY(m_disc.isValid() && m_out.isValid());
    QVERIFY(copyFolder(sampleDisc + u"/datafiles"_s, discCopy(u"datafiles"_s)));
    QVERIFY(copyFolder(sampleDisc + u"/tools"_s, discCopy(u"tools"_s)));
    QVERIFY(QFile::copy(sampleDisc + u"/links.htm"_s, discCopy(u"links.htm"_s)));
    data::setProgramFolder(m_disc.path());
}

void TestEndToEnd::cleanupTestCase()
{
    m_startUp.reset();
    m_fakes.checkUnused();
    data::setProgramFolder(QString());
}

void TestEndToEnd::clickBox(ui::PictureBox &box)
{
    QVERIFY2(box.isVisible(), qPrintable(box.objectName()));
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(3, 3));
    stack().settle();
}

bool TestEndToEnd::shows(const ui::PictureBox &box, int picture) const
{
    const QImage expected =
        m_startUp->images().picture(picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect area = expected.rect() & box.canvas().rect();
    return box.canvas().copy(area) == expected.copy(area);
}

void TestEndToEnd::checkHelp(ui::Window &window, app::frmHelp::HelpBox box, const QString &title)
{
    clickBox(*window.findChild<ui::PictureBox *>(u"pctHelp"_s));
    app::frmHelp &help = windows().help();
    QCOMPARE(stack().activeWindow(), &help);
    QVERIFY(!help.fraAbout().isVisible());
    for (auto each : {app::frmHelp::HelpBox::Vindara, app::frmHelp::HelpBox::Info,
                      app::frmHelp::HelpBox::Logo, app::frmHelp::HelpBox::Tools})
        QCOMPARE(help.helpBox(each).isVisible(), each == box);
    QVERIFY2(help.helpBox(box).toPlainText().startsWith(title), qPrintable(help.helpBox(box).toPlainText()));
    clickBox(help.pctBG());
    QVERIFY(!help.isVisible());
    QCOMPARE(stack().activeWindow(), &window);
}

void TestEndToEnd::walkTheRingtones()
{
    // The program starts on the ringtone window alone.
    QCOMPARE(m_startUp->start(), 0);
    QCOMPARE(stack().activeWindow(), &ring());
    QCOMPARE(visibleWindows(), QStringList{u"frmRing"_s});

    // Search by title.
    QComboBox &method = ring().dbcSearch();
    const int titolo = method.findText(u"Titolo"_s);
    QVERIFY(titolo >= 0);
    method.setCurrentIndex(titolo);
    Q_EMIT method.activated(titolo);
    ring().txtSearch().setFocus();
    QTest::keyClicks(&ring().txtSearch(), u"per el"_s);
    QTest::mouseClick(&ring().pctZoek(), Qt::LeftButton);
    QTRY_VERIFY(!ring().search().isWaiting());
    const QAbstractItemModel &rows = ring().listModel();
    QCOMPARE(rows.rowCount(), 1);
    QCOMPARE(rows.index(0, 0).data().toString(), u"Per Elisa"_s);
    QCOMPARE(rows.index(0, 1).data().toString(), u"Beethoven"_s);
    QCOMPARE(rows.index(0, 2).data().toString(), u"Classica"_s);

    // Select the row: its code for the first phone model shows.
    QTreeView &list = ring().lstMain();
    const QPoint cell = list.visualRect(rows.index(0, 0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell);
    QVERIFY(ring().phoneOption(1).isChecked());
    const QString firstCode = ring().txtCode().toPlainText();
    QVERIFY(!firstCode.isEmpty());

    // Another phone model shows another code for the same ringtone.
    QTest::mouseClick(&ring().phoneOption(3), Qt::LeftButton);
    QCOMPARE(ring().bytPhoneType(), 3);
    QVERIFY(!ring().txtCode().toPlainText().isEmpty());
    QVERIFY(ring().txtCode().toPlainText() != firstCode);

    // Play the recording, then stop it.
    QTest::mouseClick(&ring().pctPlay(), Qt::LeftButton);
    QVERIFY(shows(ring().pctPlay(), 16) && shows(ring().pctStop(), 17));
    const QString recording = data::discPath(u".\\datafiles\\r001.dat"_s);
    QCOMPARE(m_fakes.wavePlayer->calls(), (QStringList{u"open "_s + recording, u"play"_s}));
    QTest::mouseClick(&ring().pctStop(), Qt::LeftButton);
    QVERIFY(shows(ring().pctPlay(), 15) && shows(ring().pctStop(), 18));
    QCOMPARE(m_fakes.wavePlayer->calls().mid(2), (QStringList{u"stop"_s, u"close"_s}));

    // Save the ringtone text with a double click on its row.
    const QString saved = m_out.filePath(u"elisa.txt"_s);
    m_fakes.saveFileDialog->queueAnswer(saved);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cell);
    const QByteArray text = contentsOf(saved);
    QVERIFY2(text.startsWith("FurElise:d=8,o=5,b=125:e6,d#6,e6,") && text.endsWith("\r\n"), text.constData());
    QCOMPARE(text.count('\n'), 1);

    // Send it: the number is asked for and the sending tool started once.
    m_fakes.inputBox->queueAnswer(u"3351234567"_s);
    QTest::mouseClick(&ring().pctSend(), Qt::LeftButton);
    const QString scratch = ringtones::RingtoneTransfer::scratchPath();
    QCOMPARE(contentsOf(scratch), QByteArray("Beethoven:") + text);
    QCOMPARE(m_fakes.programStarter->calls().size(), std::size_t(1));
    const auto &sent = m_fakes.programStarter->calls().front();
    QVERIFY2(sent.program.endsWith(u"/tools/smartsms limited edition/smartsmsle.exe"),
             qPrintable(sent.program));
    QCOMPARE(sent.arguments, QStringList{u"00393351234567##"_s + QDir::toNativeSeparators(scratch)});

    checkHelp(ring(), app::frmHelp::HelpBox::Vindara, u"Aiuto: le suonerie"_s);
}

void TestEndToEnd::walkTheLogos()
{
    // To the gallery.
    clickBox(*ring().findChild<ui::PictureBox *>(u"pctLogo"_s));
    QCOMPARE(stack().activeWindow(), &gallery());
    QCOMPARE(visibleWindows(), (QStringList{u"frmLogo"_s, u"frmRing"_s}));

    // Pick the animals from the list of categories.
    QComboBox &combo = gallery().dbcRubriek();
    const int row = combo.findText(u"Animali"_s);
    QVERIFY(row >= 0);
    combo.showPopup();
    QAbstractItemView *popup = combo.view();
    QTRY_VERIFY(popup->isVisible());
    const QModelIndex entry = popup->model()->index(row, combo.modelColumn());
    popup->scrollTo(entry);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(entry).center());
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(combo.currentText(), u"Animali"_s);
    const auto category = logos::Category::Animali;
    const qsizetype pages =
        (logos::logoList(category).size() + logos::logoBoxCount - 1) / logos::logoBoxCount;
    QVERIFY(pages >= 2);
    QCOMPARE(gallery().Pagina().text(), u"1 di %1"_s.arg(pages));

    // The next page shows the following logos.
    QTest::mouseClick(&gallery().pctVolgende(), Qt::LeftButton);
    QCOMPARE(gallery().Pagina().text(), u" 2 di %1"_s.arg(pages));
    const int number = logos::logoBoxCount + 3;
    ui::PictureBox &box = gallery().pctLogo1(2);
    QVERIFY(box.isVisible());
    QCOMPARE(box.canvas().convertToFormat(QImage::Format_RGB32),
             logos::logoImage(category, number).convertToFormat(QImage::Format_RGB32));

    // Select the third box and export its logo.
    QTest::mouseClick(&box, Qt::LeftButton);
    QCOMPARE(gallery().state().bytLogo, number);
    QVERIFY(gallery().selectionMark().isVisible());
    const QString exported = m_out.filePath(u"animale.bmp"_s);
    m_fakes.saveFileDialog->queueAnswer(exported);
    QTest::mouseClick(&gallery().pctExporteren(), Qt::LeftButton);
    QImageReader reader(exported);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage read = reader.read();
    QCOMPARE(read.size(), QSize(72, 14));
    QCOMPARE(read.convertToFormat(QImage::Format_RGB32),
             logos::logoImage(category, number).convertToFormat(QImage::Format_RGB32));

    checkHelp(gallery(), app::frmHelp::HelpBox::Logo, u"Aiuto: i loghi"_s);
}

void TestEndToEnd::walkTheDocumentation()
{
    // To the documentation, which opens on its contents.
    clickBox(*gallery().findChild<ui::PictureBox *>(u"pctDoc"_s));
    QCOMPARE(stack().activeWindow(), &doc());
    QVERIFY(doc().fraInhoud().isVisible());
    QVERIFY(!doc().rtfMain().isVisible());

    // The general index, its first page and the next one.
    QTest::mouseClick(&doc().lblAlgemeen(), Qt::LeftButton);
    QVERIFY(doc().fraInhoud2().isVisible());
    QVERIFY(!doc().fraInhoud().isVisible());
    QTest::mouseClick(&doc().generalEntry(1), Qt::LeftButton);
    QVERIFY(doc().rtfMain().isVisible());
    QVERIFY(doc().rtfMain().toPlainText().startsWith(u"Storia ed evoluzione"));
    QTest::mouseClick(&doc().pctVolgende(), Qt::LeftButton);
    QCOMPARE(doc().bytPage(), 2);
    QVERIFY(doc().rtfMain().toPlainText().startsWith(u"La funzione di una rete GSM"));

    // Home, then the links page; a link opens in the browser.
    QTest::mouseClick(&doc().pctHome(), Qt::LeftButton);
    QVERIFY(doc().fraInhoud().isVisible());
    QVERIFY(!doc().rtfMain().isVisible());
    QTest::mouseClick(&doc().Label2(), Qt::LeftButton);
    QTextBrowser &links = doc().WebLinks();
    QVERIFY(links.isVisible());
    QVERIFY(!doc().fraInhoud().isVisible());
    const QTextCursor found = links.document()->find(u"Omnitel"_s);
    QVERIFY(!found.isNull());
    QTextCursor middle(links.document());
    middle.setPosition(found.selectionStart() + 2);
    links.ensureCursorVisible();
    QTest::mouseClick(links.viewport(), Qt::LeftButton, {}, links.cursorRect(middle).center());
    QCOMPARE(m_fakes.urlOpener->opened(), QList<QUrl>{QUrl(u"http://www.example.com/operatori/omnitel/"_s)});
    QVERIFY(links.isVisible());

    checkHelp(doc(), app::frmHelp::HelpBox::Info, u"Aiuto: le informazioni"_s);
}

void TestEndToEnd::walkTheTools()
{
    // To the tools.
    clickBox(*doc().findChild<ui::PictureBox *>(u"pctTools"_s));
    QCOMPARE(stack().activeWindow(), &tools());
    QVERIFY(tools().lstTools().count() > 0);
    QSignalSpy ended(&tools(), &toolcatalogue::frmTools::installEnded);
    const auto select = [this](const QString &name) {
        QListWidget &list = tools().lstTools();
        const QList<QListWidgetItem *> found = list.findItems(name, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(name));
        list.scrollToItem(found.first());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(found.first()).center());
        QVERIFY(found.first()->isSelected());
    };

    // A copying install: the folder is asked for, the files copied.
    select(u"Manuale GSM"_s);
    QTest::mouseClick(&tools().pctInstall(), Qt::LeftButton);
    toolcatalogue::frmInstall &dialog = windows().install();
    QVERIFY(dialog.isVisible());
    QCOMPARE(stack().activeWindow(), &dialog);
    const QString target = m_out.filePath(u"manuale"_s);
    QLineEdit &folder = dialog.txtGetDir();
    folder.selectAll();
    QTest::keyClick(&folder, Qt::Key_Delete);
    QTest::keyClicks(&folder, target);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    QTest::mouseClick(&dialog.cmdOK(), Qt::LeftButton);
    QTRY_COMPARE(ended.count(), 1);
    QVERIFY(!dialog.isVisible());
    const QString source = discCopy(u"tools/manuale gsm"_s);
    QCOMPARE(filesIn(target), filesIn(source));
    QCOMPARE(filesIn(target).size(), 4);
    for (const QString &name : filesIn(source))
        QCOMPARE(contentsOf(target + u'/' + name), contentsOf(source + u'/' + name));
    QCOMPARE(m_fakes.messageBox->shown().back().text, u"Installare è perfecto! "_s + target);
    QCOMPARE(stack().activeWindow(), &tools());

    // A running install: the program is started from its own folder.
    select(u"Musicbox"_s);
    QTest::mouseClick(&tools().pctInstall(), Qt::LeftButton);
    QTRY_COMPARE(ended.count(), 2);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_fakes.programStarter->calls().size(), std::size_t(2));
    const auto &started = m_fakes.programStarter->calls().back();
    QCOMPARE(QFileInfo(started.program).canonicalFilePath(),
             QFileInfo(discCopy(u"tools/Musicbox/musicbox.exe"_s)).canonicalFilePath());
    QVERIFY(started.arguments.isEmpty());
    QCOMPARE(QDir(started.workingDirectory).canonicalPath(),
             QDir(discCopy(u"tools/Musicbox"_s)).canonicalPath());
    QCOMPARE(m_fakes.currentDirectory->current(), started.workingDirectory);

    checkHelp(tools(), app::frmHelp::HelpBox::Tools, u"Aiuto: i tools"_s);

    // Back home: every other window goes, the program folder is current again.
    clickBox(*tools().findChild<ui::PictureBox *>(u"pctRingTones"_s));
    QCOMPARE(stack().activeWindow(), &ring());
    QCOMPARE(visibleWindows(), QStringList{u"frmRing"_s});
    QCOMPARE(m_fakes.currentDirectory->current(), data::programFolder());
}

void TestEndToEnd::aboutAndQuit()
{
    // The about panel.
    clickBox(*ring().findChild<ui::PictureBox *>(u"pctParvel"_s));
    app::frmHelp &help = windows().help();
    QCOMPARE(stack().activeWindow(), &help);
    QVERIFY(help.fraAbout().isVisible());
    QCOMPARE(help.aboutLabel(u"lblProdukt"_s).text(), u"Brivello è un prodotto di:"_s);
    clickBox(help.pctBG());
    QCOMPARE(stack().activeWindow(), &ring());

    // Quit: the exit splash, and after its click no window is left.
    clickBox(*ring().findChild<ui::PictureBox *>(u"pctQuit"_s));
    QCOMPARE(stack().activeWindow(), &windows().splashOut());
    QVERIFY(windows().splashOut().isVisible());
    QVERIFY(!m_startUp->finished());
    clickBox(windows().splashOut().pctBG());
    QVERIFY(m_startUp->finished());
    QVERIFY(visibleWindows().isEmpty());
    QCOMPARE(stack().depth(), 0);
}

void TestEndToEnd::aWholeSession()
{
    m_startUp = std::make_unique<app::StartUp>(m_fakes.platform());
    // Each stage goes on from where the one before left the windows.
    for (void (TestEndToEnd::*stage)() :
         {&TestEndToEnd::walkTheRingtones, &TestEndToEnd::walkTheLogos, &TestEndToEnd::walkTheDocumentation,
          &TestEndToEnd::walkTheTools, &TestEndToEnd::aboutAndQuit}) {
        (this->*stage)();
        if (QTest::currentTestFailed())
            return;
    }
    // What the session left on disk besides the disc: the text, the bitmap
    // and the tool's folder the user asked for.
    QCOMPARE(filesIn(m_out.path()), (QStringList{u"animale.bmp"_s, u"elisa.txt"_s}));
    QVERIFY(QFileInfo(m_out.filePath(u"manuale"_s)).isDir());
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(1));
}

QTEST_MAIN(TestEndToEnd)
#include "test_endtoend.moc"
