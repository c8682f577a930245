// The real program on a real X server with a window manager (Xvfb and
// openbox in CI), seen through the X server: every window shown above
// another stays above it and keeps the input whatever the user clicks below
// it, and every window and dialog lies inside the screen, at 1024 x 768 and
// at 800 x 600. The displays to use are in BRIVELLO_DESKTOP_DISPLAYS
// (separated by blanks), else DISPLAY.
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// How long the window manager and the program may take to answer.
constexpr int answerTimeout = 15000;

struct XWindow
{
    QString id;
    QString title;
    QRect frame; // with the decorations the window manager adds
};

int twips(int value)
{
    return (value + 7) / 15;
}

} // namespace

// Skips without a desktop to run on (fails instead where CI asks for one),
// else starts the program and waits for its home window.
#define START_ON_DISPLAY()                                                                                   \
    do {                                                                                                     \
        const QString missing = openDisplay();                                                               \
        BRIVELLO_SKIP_UNLESS(missing.isEmpty(), "BRIVELLO_REQUIRE_DESKTOP", missing);                        \
        startProgram();                                                                                      \
        if (QTest::currentTestFailed())                                                                      \
            return;                                                                                          \
    } while (false)

class TestDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void helpWindowStaysAboveTheHomeWindow_data() { addDisplays(); }
    void helpWindowStaysAboveTheHomeWindow();
    void exitSplashStaysAboveAndEndsTheRun_data() { addDisplays(); }
    void exitSplashStaysAboveAndEndsTheRun();
    void inputBoxAndSaveDialogStayAboveInsideTheScreen_data() { addDisplays(); }
    void inputBoxAndSaveDialogStayAboveInsideTheScreen();
    void messageBoxAndInstallDialogStayAbove_data() { addDisplays(); }
    void messageBoxAndInstallDialogStayAbove();
    void cleanup();

private:
    static void addDisplays();
    QString openDisplay();
    void startProgram();
    QString x(const QString &tool, const QStringList &arguments) const;
    QList<XWindow> programWindows() const;
    std::optional<XWindow> topWindow() const;
    QString activeWindow() const;
    std::optional<XWindow> windowTitled(const QString &title, const QSize &size = {}) const;
    void click(const QPoint &point) const;
    void keys(const QStringList &keys) const;
    void type(const QString &text) const;
    QPoint onPage(int left, int top, int width, int height) const;
    void checkStaysOnTopAfterClickBelow(const XWindow &above, const QPoint &below);
    void checkInsideTheScreen(const XWindow &window) const;
    void waitForHome();

    QString m_display;
    QSize m_screen;
    std::unique_ptr<QTemporaryDir> m_disc;
    std::unique_ptr<QProcess> m_program;
    XWindow m_home;
};

void TestDesktop::addDisplays()
{
    QTest::addColumn<QString>("display");
    QString displays = qEnvironmentVariable("BRIVELLO_DESKTOP_DISPLAYS");
    if (displays.trimmed().isEmpty())
        displays = qEnvironmentVariable("DISPLAY");
    for (const QString &display : displays.split(u' ', Qt::SkipEmptyParts))
        QTest::newRow(qPrintable(display)) << display;
    if (displays.trimmed().isEmpty())
        QTest::newRow("no display") << QString();
}

QString TestDesktop::x(const QString &tool, const QStringList &arguments) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, m_display);
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Why the tests cannot run on the display of the running row: no X server,
// no window manager or no X tools; empty when they can.
QString TestDesktop::openDisplay()
{
    QFETCH(QString, display);
    m_display = display;
    for (const QString &tool : {u"xprop"_s, u"xwininfo"_s, u"xdotool"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return tool + u" is not installed (packages x11-utils, xdotool)"_s;
    }
    if (display.isEmpty())
        return u"no X server: neither BRIVELLO_DESKTOP_DISPLAYS nor DISPLAY is set"_s;
    const QString root = x(u"xwininfo"_s, {u"-root"_s});
    if (root.isEmpty())
        return u"no X server answers on display %1"_s.arg(display);
    const QString manager = x(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s});
    if (!manager.contains(u"window id #"_s))
        return u"no window manager runs on display %1 (openbox in CI)"_s.arg(display);
    const auto width = QRegularExpression(u"Width: (\\d+)"_s).match(root);
    const auto height = QRegularExpression(u"Height: (\\d+)"_s).match(root);
    m_screen = QSize(width.captured(1).toInt(), height.captured(1).toInt());
    qInfo("display %s: screen of %dx%d", qPrintable(display), m_screen.width(), m_screen.height());
    return {};
}

// The program runs from a folder of its own beside the sample disc's files,
// so that what it writes there stays in the test.
void TestDesktop::startProgram()
{
    const QDir sample(qEnvironmentVariable("BRIVELLO_TEST_DISC"));
    QVERIFY2(QFileInfo::exists(sample.filePath(u"datafiles/ringtones.dat"_s)),
             "the sample disc has not been assembled");
    m_disc = std::make_unique<QTemporaryDir>();
    QVERIFY(QFile::copy(sample.filePath(u"brivello"_s), m_disc->filePath(u"brivello"_s)));
    for (const QString &entry : {u"datafiles"_s, u"tools"_s, u"links.htm"_s})
        QVERIFY(QFile::link(sample.filePath(entry), m_disc->filePath(entry)));
    m_program = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, m_display);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    m_program->setProcessEnvironment(environment);
    m_program->setProcessChannelMode(QProcess::ForwardedChannels);
    m_program->start(m_disc->filePath(u"brivello"_s), {});
    QVERIFY(m_program->waitForStarted());
    waitForHome();
}

void TestDesktop::cleanup()
{
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->kill();
        m_program->waitForFinished();
    }
    m_program.reset();
    m_disc.reset();
}

QList<XWindow> TestDesktop::programWindows() const
{
    QList<XWindow> windows;
    const QString stacking = x(u"xprop"_s, {u"-root"_s, u"_NET_CLIENT_LIST_STACKING"_s});
    const QString pid = QString::number(m_program ? m_program->processId() : 0);
    const QRegularExpression ids(u"0x[0-9a-f]+"_s);
    for (const auto &match : ids.globalMatch(stacking.section(u'#', 1))) {
        const QString id = match.captured();
        const QString properties =
            x(u"xprop"_s, {u"-id"_s, id, u"_NET_WM_PID"_s, u"_NET_WM_NAME"_s, u"_NET_FRAME_EXTENTS"_s});
        if (!properties.contains(u"_NET_WM_PID(CARDINAL) = "_s + pid + u'\n'))
            continue;
        XWindow window;
        window.id = id;
        window.title =
            QRegularExpression(u"_NET_WM_NAME\\(UTF8_STRING\\) = \"(.*)\""_s).match(properties).captured(1);
        const QString info = x(u"xwininfo"_s, {u"-id"_s, id});
        auto number = [&info](const QString &label) {
            return QRegularExpression(label + u":\\s+(-?\\d+)"_s).match(info).captured(1).toInt();
        };
        QRect client(number(u"Absolute upper-left X"_s), number(u"Absolute upper-left Y"_s),
                     number(u"Width"_s), number(u"Height"_s));
        const auto extents = QRegularExpression(u"_NET_FRAME_EXTENTS\\(CARDINAL\\) = (\\d+), (\\d+), "
                                                "(\\d+), (\\d+)"_s)
                                 .match(properties);
        if (extents.hasMatch())
            client.adjust(-extents.captured(1).toInt(), -extents.captured(3).toInt(),
                          extents.captured(2).toInt(), extents.captured(4).toInt());
        window.frame = client;
        windows.append(window);
    }
    return windows;
}

std::optional<XWindow> TestDesktop::topWindow() const
{
    const QList<XWindow> windows = programWindows();
    if (windows.isEmpty())
        return std::nullopt;
    return windows.last();
}

QString TestDesktop::activeWindow() const
{
    const QString active = x(u"xprop"_s, {u"-root"_s, u"_NET_ACTIVE_WINDOW"_s});
    return QRegularExpression(u"0x[0-9a-f]+"_s).match(active.section(u'#', 1)).captured();
}

std::optional<XWindow> TestDesktop::windowTitled(const QString &title, const QSize &size) const
{
    for (const XWindow &window : programWindows()) {
        if (window.title == title && (size.isEmpty() || window.frame.size() == size))
            return window;
    }
    return std::nullopt;
}

void TestDesktop::click(const QPoint &point) const
{
    x(u"xdotool"_s,
      {u"mousemove"_s, QString::number(point.x()), QString::number(point.y()), u"click"_s, u"1"_s});
}

void TestDesktop::keys(const QStringList &keys) const
{
    x(u"xdotool"_s, QStringList{u"key"_s, u"--delay"_s, u"50"_s} + keys);
}

void TestDesktop::type(const QString &text) const
{
    x(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"50"_s, text});
}

// The middle of a control of the page, given in twips as the windows give it.
QPoint TestDesktop::onPage(int left, int top, int width, int height) const
{
    const QPoint page((m_screen.width() - 640) / 2, (m_screen.height() - 480) / 2);
    return page + QPoint(twips(left) + twips(width) / 2, twips(top) + twips(height) / 2);
}

void TestDesktop::waitForHome()
{
    QTRY_VERIFY_WITH_TIMEOUT(windowTitled(u"Brivello"_s, m_screen).has_value(), answerTimeout);
    m_home = *windowTitled(u"Brivello"_s, m_screen);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), m_home.id, answerTimeout);
}

void TestDesktop::checkInsideTheScreen(const XWindow &window) const
{
    QVERIFY2(QRect(QPoint(0, 0), m_screen).contains(window.frame),
             qPrintable(u"\"%1\" at %2,%3 %4x%5 on a screen of %6x%7"_s.arg(window.title)
                            .arg(window.frame.x())
                            .arg(window.frame.y())
                            .arg(window.frame.width())
                            .arg(window.frame.height())
                            .arg(m_screen.width())
                            .arg(m_screen.height())));
}

// A click on a window below leaves `above` on top and with the input. The
// window manager answers a click in its own time and nothing tells when it
// is done, so the order is watched for a second after the click.
void TestDesktop::checkStaysOnTopAfterClickBelow(const XWindow &above, const QPoint &below)
{
    QVERIFY2(!above.frame.contains(below), "the click must land outside the window on top");
    click(below);
    for (int look = 0; look < 10; ++look) {
        QTest::qWait(100);
        const std::optional<XWindow> top = topWindow();
        QVERIFY(top);
        QVERIFY2(top->id == above.id, qPrintable(u"\"%1\" came above \"%2\""_s.arg(top->title, above.title)));
        QCOMPARE(activeWindow(), above.id);
    }
}

// Mended fault: a click on the home window raised it over the help window,
// which kept blocking the input: the program looked frozen.
void TestDesktop::helpWindowStaysAboveTheHomeWindow()
{
    START_ON_DISPLAY();
    click(onPage(8280, 120, 480, 360)); // pctHelp
    QTRY_VERIFY_WITH_TIMEOUT(windowTitled(u"Brivello"_s, QSize(641, 315)).has_value(), answerTimeout);
    const XWindow help = *windowTitled(u"Brivello"_s, QSize(641, 315));
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), help.id, answerTimeout);
    checkInsideTheScreen(help);
    // The logo button of the home window, above the help window.
    checkStaysOnTopAfterClickBelow(help, onPage(840, 120, 480, 345));
    QCOMPARE(programWindows().size(), 2);
    // The help window takes the input: a click on its background closes it.
    click(help.frame.topLeft() + QPoint(100, 10));
    QTRY_COMPARE_WITH_TIMEOUT(programWindows().size(), 1, answerTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), m_home.id, answerTimeout);
}

void TestDesktop::exitSplashStaysAboveAndEndsTheRun()
{
    START_ON_DISPLAY();
    click(onPage(8880, 120, 480, 360)); // pctQuit
    QTRY_VERIFY_WITH_TIMEOUT(windowTitled(u"Brivello"_s, QSize(709, 558)).has_value(), answerTimeout);
    const XWindow splash = *windowTitled(u"Brivello"_s, QSize(709, 558));
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), splash.id, answerTimeout);
    checkInsideTheScreen(splash);
    // The home window's margin, left of the splash.
    checkStaysOnTopAfterClickBelow(splash, QPoint(splash.frame.left() / 2, m_screen.height() / 2));
    click(splash.frame.topLeft() + QPoint(twips(600) + 20, m_screen.height() > 600 ? 300 : 200));
    QVERIFY(m_program->waitForFinished(answerTimeout));
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program->exitCode(), 0);
}

// Mended fault: the prompt of "Invia" was one line of 1408 pixels, its field
// and buttons off a 1024 x 768 screen.
void TestDesktop::inputBoxAndSaveDialogStayAboveInsideTheScreen()
{
    START_ON_DISPLAY();
    click(onPage(1320, 600, 2775, 315)); // dbcSearch
    type(u"Titolo"_s);
    click(onPage(4200, 600, 4125, 300)); // txtSearch
    type(u"*"_s);
    click(onPage(8560, 600, 1050, 330)); // pctZoek
    click(onPage(120, 5600, 1185, 240)); // pctSend
    QTRY_VERIFY_WITH_TIMEOUT(windowTitled(u"- Inviare via Modem"_s).has_value(), answerTimeout);
    const XWindow prompt = *windowTitled(u"- Inviare via Modem"_s);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), prompt.id, answerTimeout);
    checkInsideTheScreen(prompt);
    const QPoint offCentre = prompt.frame.center() - QRect(QPoint(0, 0), m_screen).center();
    QVERIFY2(std::abs(offCentre.x()) <= 48 && std::abs(offCentre.y()) <= 48,
             qPrintable(
                 u"%1 px across, %2 px down from the page's middle"_s.arg(offCentre.x()).arg(offCentre.y())));
    checkStaysOnTopAfterClickBelow(prompt, onPage(840, 120, 480, 345));
    keys({u"Escape"_s});
    QTRY_VERIFY_WITH_TIMEOUT(!windowTitled(u"- Inviare via Modem"_s).has_value(), answerTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), m_home.id, answerTimeout);

    // A double click on the first ringtone asks where to save its text.
    const QPoint firstRow = onPage(1710, 1220, 7905, 0) + QPoint(-200, 30);
    x(u"xdotool"_s, {u"mousemove"_s, QString::number(firstRow.x()), QString::number(firstRow.y()), u"click"_s,
                     u"--repeat"_s, u"2"_s, u"1"_s});
    const QString saveTitle = u"Indicare il nome del documento:"_s;
    QTRY_VERIFY_WITH_TIMEOUT(windowTitled(saveTitle).has_value(), answerTimeout);
    const XWindow save = *windowTitled(saveTitle);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), save.id, answerTimeout);
    checkInsideTheScreen(save);
    checkStaysOnTopAfterClickBelow(save, onPage(840, 120, 480, 345).y() < save.frame.top()
                                             ? onPage(840, 120, 480, 345)
                                             : QPoint(save.frame.left() / 2, m_screen.height() / 2));
    keys({u"Escape"_s});
    QTRY_VERIFY_WITH_TIMEOUT(!windowTitled(saveTitle).has_value(), answerTimeout);
}

void TestDesktop::messageBoxAndInstallDialogStayAbove()
{
    START_ON_DISPLAY();
    click(onPage(1440, 120, 480, 345)); // pctTools
    QTRY_COMPARE_WITH_TIMEOUT(programWindows().size(), 2, answerTimeout);
    const XWindow tools = *topWindow();
    QCOMPARE(tools.frame.size(), m_screen);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), tools.id, answerTimeout);

    // Install with no tool chosen: a message box says so.
    click(onPage(1710, 5240, 1200, 240)); // pctInstall
    QTRY_VERIFY_WITH_TIMEOUT(windowTitled(u"Brivello-Tools:"_s).has_value(), answerTimeout);
    const XWindow message = *windowTitled(u"Brivello-Tools:"_s);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), message.id, answerTimeout);
    checkInsideTheScreen(message);
    checkStaysOnTopAfterClickBelow(message, onPage(8280, 120, 480, 360));
    keys({u"Return"_s});
    QTRY_VERIFY_WITH_TIMEOUT(!windowTitled(u"Brivello-Tools:"_s).has_value(), answerTimeout);

    // "Manuale GSM", the seventh tool, is copied: the install dialog asks where.
    click(onPage(1730, 1200, 7750, 0) + QPoint(0, 8));
    keys({u"Home"_s, u"Down"_s, u"Down"_s, u"Down"_s, u"Down"_s, u"Down"_s, u"Down"_s});
    click(onPage(1710, 5240, 1200, 240)); // pctInstall
    QTRY_VERIFY_WITH_TIMEOUT(windowTitled(u"Installare Tool"_s).has_value(), answerTimeout);
    const XWindow install = *windowTitled(u"Installare Tool"_s);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), install.id, answerTimeout);
    checkInsideTheScreen(install);
    checkStaysOnTopAfterClickBelow(install, onPage(840, 120, 480, 345));
    // Its close button: nothing is copied.
    keys({u"alt+F4"_s});
    QTRY_VERIFY_WITH_TIMEOUT(!windowTitled(u"Installare Tool"_s).has_value(), answerTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), tools.id, answerTimeout);
}

QTEST_GUILESS_MAIN(TestDesktop)
#include "test_desktop.moc"
