// The logo tools as a user meets them on an installed copy of the sample
// disc: the tools window starts "Editor Loghi", "Logo Gruppo" or "Messaggi
// Illustrati" from the disc, the program runs and names itself, and in its
// window the user takes a gallery logo, touches it up and saves it for
// another tool, or sends it as an SMS. The saved file is read back by the
// published layout and by the outside readers that are installed; the SMS
// goes through the installed program as phone worker to the simulated modem.

#include "app/WindowSet.h"
#include "data/DiscPaths.h"
#include "logos/frmLogo.h"
#include "logos/pictures/LogoCatalogue.h"
#include "ringtones/frmRing.h"
#include "tests/logotools/LogoToolsTestSupport.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ModemSimulator.h"
#include "tests/support/PduBuilder.h"
#include "toolcatalogue/frmTools.h"
#include "tools/logotools/editor/GalleryPicker.h"
#include "tools/logotools/editor/LogoToolWindow.h"
#include "tools/logotools/editor/OperatorPicker.h"
#include "tools/logotools/editor/PhoneScreenView.h"
#include "tools/logotools/editor/PixelCanvas.h"
#include "tools/logotools/gammu/GammuBitmap.h"
#include "tools/logotools/picture/LogoSms.h"
#include "tools/logotools/picture/MonoPicture.h"
#include "tools/logotools/picture/PixelEdits.h"
#include "tools/logotools/send/SmsSendStep.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/WindowStack.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <unistd.h>

#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::logotools;
using test::fileContents;
using test::pixelDifference;

namespace {

// The disc's files in another folder, as an installation copies them: hard
// links where the file system allows, copies elsewhere.
bool installDisc(const QString &from, const QString &to)
{
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (!QDir().mkpath(QFileInfo(target).path()))
            return false;
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0 &&
            !QFile::copy(source, target))
            return false;
    }
    return true;
}

// The first 72 x 14 or 72 x 28 picture gnokii or gammu draws with '#' rows.
QImage textPicture(const QByteArray &output, int height)
{
    QStringList rows;
    for (const QString &line : QString::fromLocal8Bit(output).split(QLatin1Char('\n'))) {
        if (line.size() == 72 && line.count(QLatin1Char('#')) + line.count(QLatin1Char(' ')) == 72)
            rows << line;
    }
    if (rows.size() < height)
        return {};
    QImage picture = gammubitmap::blankPicture(72, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 72; ++x) {
            if (rows.at(y).at(x) == QLatin1Char('#'))
                picture.setPixel(x, y, 1);
        }
    }
    return picture;
}

QByteArray runAndRead(const QString &program, const QStringList &arguments, const QString &home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return process.readAllStandardOutput();
}

// A .nol or .ngg file by its published layout: the picture, and the
// network of an operator logo.
QImage nokiaPicture(const QByteArray &bytes, QString *networkCode)
{
    const bool nol = bytes.startsWith("NOL");
    if (!nol && !bytes.startsWith("NGG"))
        return {};
    const int header = nol ? 20 : 16;
    const auto le16 = [&](int offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); };
    const int width = le16(nol ? 10 : 6);
    const int height = le16(nol ? 12 : 8);
    if (nol)
        *networkCode = u"%1 %2"_s.arg(le16(6)).arg(le16(8), 2, 10, QLatin1Char('0'));
    if (bytes.size() < header + width * height)
        return {};
    QImage picture = gammubitmap::blankPicture(width, height);
    for (int i = 0; i < width * height; ++i) {
        if (bytes.at(header + i) == '1')
            picture.setPixel(i % width, i / width, 1);
    }
    return picture;
}

} // namespace

class TestLogoToolsDisc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void theThreeToolsStartFromTheDiscAndNameThemselves();
    void galleryLogoTouchedUpAndSavedAsOperatorLogo();
    void galleryExportTouchedUpInLogoGruppo();

private:
    // Selects the tool in the tools window and clicks Installare; the
    // program it started, as the platform was asked to start it.
    test::FakeProgramStarter::Call install(const QString &tool);
    // The tool's window as the program opens it when started as `program`;
    // its sends go through `program` as phone worker to `modemDevice`.
    void openTool(const QString &program, const QString &modemDevice = {});
    // Checks `file` with every outside reader of its format that is installed.
    void checkWithOutsideReaders(const QString &file, const QImage &expected);
    void pickCategory(const QString &name);
    LogoToolWindow &tool() { return *m_tool; }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }

    std::unique_ptr<QTemporaryDir> m_installed;
    QTemporaryDir m_home;
    QString m_documents;
    test::FakePlatform m_fakes;
    std::shared_ptr<test::FakeOpenFileDialog> m_open;
    std::unique_ptr<ui::ButtonImages> m_images;
    std::unique_ptr<ui::WindowStack> m_stack;
    std::unique_ptr<app::WindowSet> m_windows;
    std::shared_ptr<SmsSendStep> m_send;
    std::unique_ptr<LogoToolWindow> m_tool;
};

void TestLogoToolsDisc::initTestCase()
{
    const QString disc = qEnvironmentVariable("BRIVELLO_TEST_DISC");
    if (!QFileInfo::exists(disc + u"/datafiles/ringtones.dat"_s))
        QSKIP("the sample disc has not been assembled (BRIVELLO_TEST_DISC)");
    // Beside the disc, so that the installation can link its files.
    m_installed = std::make_unique<QTemporaryDir>(QFileInfo(disc).absolutePath() + u"/installed-XXXXXX"_s);
    QVERIFY(m_installed->isValid());
    QVERIFY(installDisc(disc, m_installed->path()));
    data::setProgramFolder(m_installed->path());
    m_images = std::make_unique<ui::ButtonImages>();
    m_documents = m_home.filePath(u"Documenti"_s);
    QVERIFY(QDir().mkpath(m_documents));
}

void TestLogoToolsDisc::init()
{
    m_fakes = test::FakePlatform();
    m_open = std::make_shared<test::FakeOpenFileDialog>();
    m_stack = std::make_unique<ui::WindowStack>();
    m_windows = std::make_unique<app::WindowSet>(m_fakes.platform(), *m_stack, *m_images);
    // As at start-up: the install dialog loads the tools window.
    m_windows->install();
    m_stack->showModal(m_windows->ring());
}

void TestLogoToolsDisc::cleanup()
{
    m_tool.reset();
    m_send.reset();
    m_windows.reset();
    m_stack.reset();
    m_fakes.checkUnused();
    QVERIFY(m_open->problems().isEmpty());
}

test::FakeProgramStarter::Call TestLogoToolsDisc::install(const QString &name)
{
    toolcatalogue::frmTools &tools = m_windows->tools();
    m_stack->showModal(tools);
    m_stack->settle();
    QListWidget &list = tools.lstTools();
    const QList<QListWidgetItem *> found = list.findItems(name, Qt::MatchExactly);
    if (found.size() != 1)
        return {};
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(found.first()).center());
    QSignalSpy ended(&tools, &toolcatalogue::frmTools::installEnded);
    QTest::mouseClick(&tools.pctInstall(), Qt::LeftButton);
    if (!QTest::qWaitFor([&ended] { return ended.count() == 1; }) || m_fakes.programStarter->calls().empty())
        return {};
    return m_fakes.programStarter->calls().back();
}

void TestLogoToolsDisc::openTool(const QString &program, const QString &modemDevice)
{
    // The tool runs as a program of its own; here it shares the process with
    // the catalogue, whose modal windows would hold its input: they go first.
    m_windows.reset();
    m_stack.reset();
    const ToolStart start = toolStart(program);
    LogoToolServices services;
    services.saveFileDialog = m_fakes.saveFileDialog;
    services.openFileDialog = m_open;
    services.messageBox = m_fakes.messageBox;
    services.helpFile = start.helpFile;
    services.startFolder = m_documents;
    LogoSendSetup sending;
    sending.tasks = [program] {
        return std::make_unique<phone::WorkerProcessTask>(program, phone::phoneWorkerArguments());
    };
    sending.devices = [modemDevice] {
        return std::vector<phone::DeviceEntry>{{modemDevice, u"Modem simulato"_s}};
    };
    sending.settingsFile = m_home.filePath(u"collegamento.ini"_s);
    sending.networkAnswerMs = 20000;
    m_send = std::make_shared<SmsSendStep>(sending, m_fakes.messageBox);
    services.sendSteps = {m_send};
    m_tool = std::make_unique<LogoToolWindow>(*start.face, services);
    m_tool->show();
    m_tool->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_tool.get()));
}

void TestLogoToolsDisc::checkWithOutsideReaders(const QString &file, const QImage &expected)
{
    int readers = 0;
    const QString gnokii = QStandardPaths::findExecutable(u"gnokii"_s);
    if (!gnokii.isEmpty()) {
        const QImage read =
            textPicture(runAndRead(gnokii, {u"--viewlogo"_s, file}, m_home.path()), expected.height());
        QCOMPARE(pixelDifference(expected, read), QString());
        ++readers;
    }
    const QString gammu = QStandardPaths::findExecutable(u"gammu"_s);
    if (!gammu.isEmpty()) {
        const QImage read =
            textPicture(runAndRead(gammu, {u"copybitmap"_s, file}, m_home.path()), expected.height());
        QCOMPARE(pixelDifference(expected, read), QString());
        ++readers;
    }
    if (readers == 0)
        qWarning("neither gnokii (gnokii-cli) nor gammu is on the PATH: %s was checked by its layout only",
                 qPrintable(file));
}

void TestLogoToolsDisc::pickCategory(const QString &name)
{
    QComboBox &combo = m_windows->logo().dbcRubriek();
    const int row = combo.findText(name);
    QVERIFY2(row >= 0, qPrintable(name));
    combo.showPopup();
    QAbstractItemView *list = combo.view();
    QTRY_VERIFY(list->isVisible());
    const QModelIndex index = list->model()->index(row, combo.modelColumn());
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    QTRY_VERIFY(!list->isVisible());
}

void TestLogoToolsDisc::theThreeToolsStartFromTheDiscAndNameThemselves()
{
    const QList<std::pair<QString, QString>> tools = {{u"Editor Loghi"_s, u"editor loghi"_s},
                                                      {u"Logo Gruppo"_s, u"logo gruppo"_s},
                                                      {u"Messaggi Illustrati"_s, u"messaggi illustrati"_s}};
    for (const auto &[name, folder] : tools) {
        const test::FakeProgramStarter::Call call = install(name);
        QVERIFY2(!call.program.isEmpty(), qPrintable(name));
        QVERIFY(call.arguments.isEmpty());
        QCOMPARE(QDir(call.workingDirectory).canonicalPath(), QDir(m_installed->path()).canonicalPath());
        QVERIFY2(QFileInfo(call.program).isExecutable(), qPrintable(call.program));
        QCOMPARE(toolStart(call.program).face->title, name);
        // The program itself runs from the installed copy and says who it is.
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"BRIVELLO_TOOL_QUIT"_s, u"1"_s);
        environment.insert(u"HOME"_s, m_home.path());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(call.workingDirectory);
        process.start(call.program, call.arguments);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        // The first line names the folder, as every tool on the disc does;
        // the second the face this program shows, which the demo has not.
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY(lines.size() >= 2);
        QCOMPARE(lines.at(0), folder);
        QCOMPARE(lines.at(1), name);
    }
}

void TestLogoToolsDisc::galleryLogoTouchedUpAndSavedAsOperatorLogo()
{
    const test::FakeProgramStarter::Call call = install(u"Editor Loghi"_s);
    QVERIFY(!call.program.isEmpty());
    test::ModemSimulator modem;
    openTool(call.program, modem.devicePath());
    QCOMPARE(tool().windowTitle(), u"senza nome[*] - Editor Loghi"_s);

    // A logo of the gallery: "Testi", the fifth, picked with the keyboard.
    key(Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(tool().galleryPicker());
    GalleryPicker &picker = *tool().galleryPicker();
    picker.categoryBox().setCurrentIndex(picker.categoryBox().findText(u"Testi"_s));
    picker.logoList().setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&picker.logoList(), Qt::Key_Right);
    QTest::keyClick(&picker.logoList(), Qt::Key_Return);
    QTRY_VERIFY(!tool().galleryPicker());
    // The offscreen platform has no window manager to give the activation
    // back when the dialog closes.
    tool().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_tool.get()));

    // Touched up: moved one pixel left, a line under it drawn with the mouse.
    PixelBitmap expected = shifted(toBitmap(logos::logoImage(logos::Category::Testi, 5)), -1, 0);
    key(Qt::Key_Left, Qt::AltModifier);
    key(Qt::Key_L);
    PixelCanvas &canvas = tool().canvas();
    QTest::mousePress(&canvas, Qt::LeftButton, {}, canvas.pixelRect({2, 13}).center());
    QTest::mouseMove(&canvas, canvas.pixelRect({69, 13}).center());
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, canvas.pixelRect({69, 13}).center());
    drawLine(&expected, {2, 13}, {69, 13}, true);
    QCOMPARE(tool().editor().picture(), expected);
    QCOMPARE(tool().phoneScreen().screen().isInk(6 + 2, 10 + 13), true);

    // The help is the tool's leggimi.txt on the installed disc.
    key(Qt::Key_F1);
    QDialog *help = nullptr;
    QTRY_VERIFY((help = tool().findChild<QDialog *>(u"help"_s)) != nullptr);
    QVERIFY(help->findChild<QPlainTextEdit *>()->toPlainText().startsWith(
        u"Editor Loghi: disegna e ritocca loghi di operatore"_s));
    help->reject();
    QTRY_VERIFY(!tool().findChild<QDialog *>(u"help"_s));

    // Saved for a phone tool as a Nokia operator logo of TIM.
    const QString saved = m_documents + u"/tim.nol"_s;
    m_fakes.saveFileDialog->queueAnswer(saved);
    QTest::mouseClick(&tool().saveButton(), Qt::LeftButton);
    QCOMPARE(m_fakes.saveFileDialog->calls().back().startFolder, m_documents);
    QTRY_VERIFY(tool().operatorPicker());
    QTest::keyClicks(&tool().operatorPicker()->searchBox(), u"tim"_s);
    QTest::keyClick(&tool().operatorPicker()->searchBox(), Qt::Key_Return);
    QTRY_VERIFY(QFile::exists(saved));
    QVERIFY(!tool().isWindowModified());

    QString networkCode;
    const QImage read = nokiaPicture(fileContents(saved), &networkCode);
    QCOMPARE(networkCode, u"222 01"_s);
    QCOMPARE(pixelDifference(toPicture(expected), read), QString());
    checkWithOutsideReaders(saved, toPicture(expected));

    // And sent to a friend's phone: the installed program does the phone
    // work, the simulated modem gets the operator logo whole.
    const phone::SmartMessage sms = smsFor(tool().document()).message;
    QTest::mouseClick(tool().sendButtons().first(), Qt::LeftButton);
    QTRY_VERIFY(m_send->dialog() && m_send->dialog()->isVisible());
    LogoSendDialog &sending = *m_send->dialog();
    QTest::keyClicks(sending.numberEdit(), u"333 765 4321"_s);
    QTest::keyClick(sending.numberEdit(), Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(!sending.isWorking(), 90000);
    QVERIFY2(sending.statusLabel()->text().endsWith(
                 u"inviato a +393337654321, 1 SMS accettato dalla rete (riferimento 42)."_s),
             qPrintable(sending.statusLabel()->text()));
    QCOMPARE(modem.pdus(),
             QStringList{test::submitPdu(u"+393359609600"_s, u"+393337654321"_s, sms.parts.front())});
    QTRY_COMPARE(modem.closings(), 1);
}

void TestLogoToolsDisc::galleryExportTouchedUpInLogoGruppo()
{
    // In the gallery: "Animali", the third logo, exported as a bitmap.
    m_stack->showModal(m_windows->logo());
    m_stack->settle();
    pickCategory(u"Animali"_s);
    QTest::mouseClick(&m_windows->logo().pctLogo1(2), Qt::LeftButton);
    const QString exported = m_documents + u"/gatto.bmp"_s;
    m_fakes.saveFileDialog->queueAnswer(exported);
    QTest::mouseClick(&m_windows->logo().pctExporteren(), Qt::LeftButton);
    QTRY_VERIFY(QFile::exists(exported));
    m_stack->hide(m_windows->logo());
    m_stack->settle();

    // In Logo Gruppo, started from the tools window: opened, touched up
    // with the pencil and the eraser, saved as a Nokia group graphic.
    const test::FakeProgramStarter::Call call = install(u"Logo Gruppo"_s);
    QVERIFY(!call.program.isEmpty());
    openTool(call.program);
    m_open->queueAnswer(exported);
    key(Qt::Key_O, Qt::ControlModifier);
    PixelBitmap expected = toBitmap(logos::logoImage(logos::Category::Animali, 3));
    QCOMPARE(tool().editor().picture(), expected);
    QCOMPARE(tool().filePath(), exported);
    key(Qt::Key_Space);
    expected.setInk(0, 0, true);
    key(Qt::Key_G);
    for (int i = 0; i < 36; ++i)
        key(Qt::Key_Right);
    for (int i = 0; i < 7; ++i)
        key(Qt::Key_Down, Qt::ShiftModifier);
    drawLine(&expected, {36, 0}, {36, 7}, false);
    QCOMPARE(tool().editor().picture(), expected);

    QCOMPARE(tool().formatBox().currentData().toInt(), int(PictureFormat::Bmp));
    tool().formatBox().setCurrentIndex(tool().formatBox().findData(int(PictureFormat::GroupGraphic)));
    const QString saved = m_documents + u"/gatto.ngg"_s;
    m_fakes.saveFileDialog->queueAnswer(m_documents + u"/gatto"_s);
    QTest::mouseClick(&tool().saveButton(), Qt::LeftButton);
    QCOMPARE(tool().filePath(), saved);
    QString networkCode;
    QCOMPARE(pixelDifference(toPicture(expected), nokiaPicture(fileContents(saved), &networkCode)),
             QString());
    checkWithOutsideReaders(saved, toPicture(expected));
    // The export itself is as the gallery wrote it.
    QCOMPARE(pixelDifference(logos::logoImage(logos::Category::Animali, 3), QImage(exported)), QString());
}

QTEST_MAIN(TestLogoToolsDisc)
#include "test_logo_tools_disc.moc"
