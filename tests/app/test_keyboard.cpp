// The windows as a keyboard and screen-reader user meets them: every control
// that can be operated tells assistive technology what it is and what it is
// called, and a ringtone can be found, played and saved with the keyboard
// alone. Over a copy of the sample disc, with the recording fakes.

#include "app/StartUp.h"
#include "app/WindowSet.h"
#include "app/frmHelp.h"
#include "app/frmSplashOut.h"
#include "data/DiscPaths.h"
#include "logos/frmLogo.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/RingtoneSearch.h"
#include "ringtones/frmRing.h"
#include "tests/support/FakePlatform.h"
#include "toolcatalogue/frmInstall.h"
#include "toolcatalogue/frmTools.h"
#include "ui/PictureBox.h"
#include "ui/Window.h"
#include "ui/WindowStack.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;

namespace {

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

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

// Something the user can operate: it takes the focus or offers an action.
bool actionable(QAccessibleInterface &control)
{
    const QAccessibleActionInterface *actions = control.actionInterface();
    return control.state().focusable || (actions && !actions->actionNames().isEmpty());
}

QString describe(QAccessibleInterface &control)
{
    const QObject *object = control.object();
    return object ? u"%1 (%2)"_s.arg(object->objectName(),
                                     QString::fromLatin1(object->metaObject()->className()))
                  : u"<no object>"_s;
}

// The faults of `control` and of the controls inside it. Items of lists and
// the parts of a combo box speak for their view, so the walk stays with
// widgets.
void collectFaults(QAccessibleInterface &control, QStringList &faults)
{
    if (actionable(control)) {
        if (control.text(QAccessible::Name).trimmed().isEmpty())
            faults << describe(control) + u": no name"_s;
        if (control.role() == QAccessible::NoRole || control.role() == QAccessible::Client)
            faults << describe(control) + u": no role"_s;
    }
    if (auto *box = qobject_cast<ui::PictureBox *>(control.object()); box && box->isButton()) {
        if (control.role() != QAccessible::Button)
            faults << describe(control) + u": a picture button that is no button"_s;
        if (!control.actionInterface() ||
            !control.actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()))
            faults << describe(control) + u": a picture button that cannot be pressed"_s;
        // The logo grid is a single stop; the arrow keys move inside it.
        const bool inLogoGrid = box->property("index").isValid();
        if (!inLogoGrid && !(box->focusPolicy() & Qt::TabFocus))
            faults << describe(control) + u": a picture button the Tab key skips"_s;
    }
    if (control.role() == QAccessible::ComboBox)
        return;
    for (int index = 0; index < control.childCount(); ++index) {
        QAccessibleInterface *child = control.child(index);
        if (child && child->object() && child->object()->isWidgetType())
            collectFaults(*child, faults);
    }
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void everyControlHasANameAndARole();
    void aRingtoneFoundPlayedAndSavedWithTheKeyboard();
    void cleanupTestCase();

private:
    ui::WindowStack &stack() const { return m_startUp->stack(); }
    ringtones::frmRing &ring() const { return m_startUp->windows().ring(); }

    // Presses `key` where the focus is, as the user does.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    // Tabs through the window until `target` has the focus.
    void tabTo(QWidget &target);

    QTemporaryDir m_disc;
    QTemporaryDir m_out;
    std::unique_ptr<test::FakePlatform> m_fakes;
    std::unique_ptr<app::StartUp> m_startUp;
};

void TestKeyboard::initTestCase()
{
    const QString sampleDisc = qEnvironmentVariable("BRIVELLO_TEST_DISC");
    if (!QFileInfo::exists(sampleDisc + u"/datafiles/ringtones.dat"_s))
        QSKIP("the sample disc has not been assembled");
    QVERIFY(m_disc.isValid() && m_out.isValid());
    QVERIFY(copyFolder(sampleDisc + u"/datafiles"_s, m_disc.filePath(u"datafiles"_s)));
    QVERIFY(copyFolder(sampleDisc + u"/tools"_s, m_disc.filePath(u"tools"_s)));
    QVERIFY(QFile::copy(sampleDisc + u"/links.htm"_s, m_disc.filePath(u"links.htm"_s)));
    data::setProgramFolder(m_disc.path());
}

void TestKeyboard::init()
{
    m_fakes = std::make_unique<test::FakePlatform>();
    m_startUp = std::make_unique<app::StartUp>(m_fakes->platform());
    QCOMPARE(m_startUp->start(), 0);
    QCOMPARE(stack().activeWindow(), &ring());
}

void TestKeyboard::cleanup()
{
    m_startUp.reset();
    if (m_fakes)
        m_fakes->checkUnused();
    m_fakes.reset();
}

void TestKeyboard::cleanupTestCase()
{
    data::setProgramFolder(QString());
}

void TestKeyboard::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY2(focus, "nothing has the focus");
    QTest::keyClick(focus, key, modifiers);
    stack().settle();
}

void TestKeyboard::tabTo(QWidget &target)
{
    for (int step = 0; step < 100; ++step) {
        QWidget *focus = QApplication::focusWidget();
        if (focus && (focus == &target || target.isAncestorOf(focus)))
            return;
        press(Qt::Key_Tab);
        if (QTest::currentTestFailed())
            return;
    }
    QFAIL(qPrintable(u"the Tab key never reaches "_s + target.objectName()));
}

void TestKeyboard::everyControlHasANameAndARole()
{
    // The windows loaded when first shown are loaded here too.
    app::WindowSet &windows = m_startUp->windows();
    windows.logo();
    windows.help();
    windows.splashOut();
    windows.install();
    QStringList faults;
    int pictureButtons = 0;
    for (ui::Window *window : windows.made()) {
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window);
        QVERIFY2(root, qPrintable(window->objectName()));
        QStringList own;
        collectFaults(*root, own);
        for (const QString &fault : own)
            faults << window->objectName() + u": "_s + fault;
        for (ui::PictureBox *box : window->findChildren<ui::PictureBox *>())
            pictureButtons += box->isButton() ? 1 : 0;
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    // On the bar of each main window the five that lead elsewhere, and the
    // documentation window's own, which goes back to the contents; on the
    // ringtone window five and the publisher's badge; 24 logos and three more
    // on the gallery; three on the documentation, one on the tools; the help
    // page and two on the exit.
    QCOMPARE(pictureButtons, 4 * 5 + 1 + 5 + 1 + 27 + 3 + 1 + 1 + 2);

    // The names a screen reader reads out for the buttons without a picture
    // of words the reader could read.
    const auto nameOf = [](QWidget &widget) {
        return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
    };
    QCOMPARE(nameOf(ring().pctZoek()), u"Ricerca nel database"_s);
    QCOMPARE(nameOf(ring().pctSend()), u"Invia"_s);
    QCOMPARE(nameOf(windows.logo().pctVolgende()), u"Pagina successiva"_s);
}

void TestKeyboard::aRingtoneFoundPlayedAndSavedWithTheKeyboard()
{
    ring().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&ring()));

    // The method "Titolo", picked with the arrow keys.
    QComboBox &method = ring().dbcSearch();
    tabTo(method);
    for (int step = 0; step < method.count() && method.currentText() != u"Titolo"_s; ++step)
        press(Qt::Key_Down);
    for (int step = 0; step < method.count() && method.currentText() != u"Titolo"_s; ++step)
        press(Qt::Key_Up);
    QCOMPARE(method.currentText(), u"Titolo"_s);

    // A title, and Enter on the search button.
    tabTo(ring().txtSearch());
    QTest::keyClicks(QApplication::focusWidget(), u"per el"_s);
    tabTo(ring().pctZoek());
    press(Qt::Key_Return);
    QTRY_VERIFY(!ring().search().isWaiting());
    QCOMPARE(ring().listModel().rowCount(), 1);
    QCOMPARE(ring().listModel().index(0, 0).data().toString(), u"Per Elisa"_s);

    // Into the list; the space bar picks the row the search selected, and
    // its code shows.
    tabTo(ring().lstMain());
    QVERIFY(ring().txtCode().toPlainText().isEmpty());
    press(Qt::Key_Space);
    QCOMPARE(ring().lstMain().currentIndex().row(), 0);
    QVERIFY(ring().phoneOption(1).isChecked());
    QVERIFY(!ring().txtCode().toPlainText().isEmpty());

    // The space bar on the play button plays it, Enter on the stop button
    // stops it.
    const QImage unfocused = ring().pctPlay().grab().toImage();
    tabTo(ring().pctPlay());
    // A frame on the edge shows where the focus is; the picture inside stays.
    const QImage focused = ring().pctPlay().grab().toImage();
    QVERIFY(focused.pixel(0, 0) != unfocused.pixel(0, 0) || focused.pixel(1, 1) != unfocused.pixel(1, 1));
    const QRect inside = focused.rect().adjusted(2, 2, -2, -2);
    QCOMPARE(focused.copy(inside), unfocused.copy(inside));
    press(Qt::Key_Space);
    const QString recording = data::discPath(u".\\datafiles\\r001.dat"_s);
    QCOMPARE(m_fakes->wavePlayer->calls(), (QStringList{u"open "_s + recording, u"play"_s}));
    tabTo(ring().pctStop());
    press(Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(m_fakes->wavePlayer->calls().mid(2), (QStringList{u"stop"_s, u"close"_s}));

    // Back to the row; Enter saves its ringtone text.
    const QString saved = m_out.filePath(u"elisa.txt"_s);
    m_fakes->saveFileDialog->queueAnswer(saved);
    tabTo(ring().lstMain());
    QCOMPARE(ring().lstMain().currentIndex().row(), 0);
    press(Qt::Key_Return);
    const QByteArray text = contentsOf(saved);
    QVERIFY2(text.startsWith("FurElise:d=8,o=5,b=125:e6,d#6,e6,") && text.endsWith("\r\n"), text.constData());
    QCOMPARE(text.count('\n'), 1);
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
