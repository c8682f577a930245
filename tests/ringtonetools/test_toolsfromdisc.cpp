// Each of the four ringtone tools started from an installed copy of the
// sample disc through the tools window, then doing its job as a user would:
// the window's start (program, arguments, current directory) is recorded by
// the fake starter and the tool is opened in-process as its program opens
// itself from that path; the real program is also run from the copy.
#include "app/WindowSet.h"
#include "data/DiscPaths.h"
#include "ringtones/shared/RingtoneText.h"
#include "tests/ringtonetools/ToolFakes.h"
#include "toolcatalogue/frmTools.h"
#include "tools/ringtonetools/CataloguePicker.h"
#include "tools/ringtonetools/ComposerWindow.h"
#include "tools/ringtonetools/ConverterWindow.h"
#include "tools/ringtonetools/LoaderWindow.h"
#include "tools/ringtonetools/MusicboxWindow.h"
#include "tools/ringtonetools/PlayerBar.h"
#include "tools/ringtonetools/ToolLauncher.h"
#include "tools/ringtonetools/TuneInput.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/WindowStack.h"

#include <QClipboard>
#include <QComboBox>
#include <QDirIterator>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::ringtonetools;

namespace {

// The disc as a user's copy: every file hard-linked where the file system
// allows it (the recordings and programs are large), copied where not.
bool copyDisc(const QString &from, const QString &to)
{
    QDirIterator files(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).absolutePath()))
            return false;
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0 &&
            !QFile::copy(source, target))
            return false;
    }
    return true;
}

struct Started
{
    QString program;
    QString workingDirectory;
};

} // namespace

class TestToolsFromDisc : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QTemporaryDir m_copy;
    QString m_disc;
    std::unique_ptr<ui::ButtonImages> m_images;
    QString m_before;

    // Selects the tool in the tools window and clicks install, as a user does.
    Started startFromToolsWindow(const QString &toolName)
    {
        test::FakePlatform fakes;
        ui::WindowStack stack;
        app::WindowSet windows(fakes.platform(), stack, *m_images);
        windows.install();
        toolcatalogue::frmTools &tools = windows.tools();
        stack.showModal(tools);
        QSignalSpy ended(&tools, &toolcatalogue::frmTools::installEnded);
        const QList<QListWidgetItem *> found = tools.lstTools().findItems(toolName, Qt::MatchExactly);
        if (found.size() != 1)
            return {};
        QTest::mouseClick(tools.lstTools().viewport(), Qt::LeftButton, {},
                          tools.lstTools().visualItemRect(found.first()).center());
        QTest::mouseClick(&tools.pctInstall(), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return ended.count() == 1; }) ||
            fakes.programStarter->calls().size() != 1 || !fakes.messageBox->shown().empty())
            return {};
        const auto &call = fakes.programStarter->calls().front();
        if (!call.arguments.isEmpty() || fakes.currentDirectory->current() != call.workingDirectory)
            return {};
        return {call.program, call.workingDirectory};
    }

    // What the program does first when started from `program`: find its
    // tool and its disc. The current directory is the one it was started in.
    std::unique_ptr<QWidget> openAsStarted(const Started &started, test::ToolFixture &fixture)
    {
        QDir::setCurrent(started.workingDirectory);
        const std::optional<Tool> tool = toolForProgram(started.program);
        if (!tool)
            return {};
        auto window = openTool(*tool, fixture.services);
        window->show();
        return window;
    }

    // The real program of the copy runs, names its folder and ends when asked.
    void runsForReal(const Started &started, const QString &folder)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"BRIVELLO_TOOL_QUIT"_s, u"1"_s);
        environment.insert(u"HOME"_s, m_home.path());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(started.workingDirectory);
        process.start(started.program, {});
        QVERIFY2(process.waitForFinished(60000), qPrintable(started.program));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).section(u'\n', 0, 0), folder);
    }

    QString inCopy(const QString &relative) const { return QDir(m_copy.path()).filePath(relative); }

private Q_SLOTS:
    void initTestCase()
    {
        test::useHome(m_home.path());
        m_disc = test::sampleDisc();
        if (m_disc.isEmpty())
            QSKIP("the sample disc has not been assembled (BRIVELLO_TEST_DISC)");
        QVERIFY(copyDisc(m_disc, m_copy.path()));
        data::setProgramFolder(m_copy.path());
        m_images = std::make_unique<ui::ButtonImages>();
        m_before = QDir::currentPath();
    }

    void cleanup() { QDir::setCurrent(m_before); }

    void theNameItIsStartedUnderChoosesTheTool()
    {
        QCOMPARE(toolForProgram(u"/cd/tools/Musicbox/musicbox.exe"_s), Tool::Musicbox);
        QCOMPARE(toolForProgram(u"/cd/tools/convertitore/CONVERT.EXE"_s), Tool::Converter);
        QCOMPARE(toolForProgram(u"/cd/tools/compositore/compositore.exe"_s), Tool::Composer);
        QCOMPARE(toolForProgram(u"/cd/tools/carica suonerie/carica.exe"_s), Tool::Loader);
        // A renamed program is known by its folder; anywhere else by nothing.
        QCOMPARE(toolForProgram(u"/cd/tools/carica suonerie/vecchio.exe"_s), Tool::Loader);
        QCOMPARE(toolForProgram(u"/cd/tools/altro/altro.exe"_s), std::nullopt);
        QCOMPARE(discFolderOf(u"/cd/tools/Musicbox/musicbox.exe"_s), u"/cd"_s);
    }

    void musicboxStartsInItsFolderAndPlaysWhatItOpensThere()
    {
        const Started started = startFromToolsWindow(u"Musicbox"_s);
        QCOMPARE(started.program, inCopy(u"tools/Musicbox/musicbox.exe"_s));
        QCOMPARE(QDir(started.workingDirectory).canonicalPath(),
                 QDir(inCopy(u"tools/Musicbox"_s)).canonicalPath());
        QCOMPARE(discFolderOf(started.program), QDir::cleanPath(m_copy.path()));

        test::ToolFixture fixture(discFolderOf(started.program));
        const auto window = openAsStarted(started, fixture);
        auto *musicbox = qobject_cast<MusicboxWindow *>(window.get());
        QVERIFY(musicbox);
        // The open dialog starts in Musicbox's own folder, beside its list of tunes.
        fixture.openDialog->queueAnswer(inCopy(u"tools/Musicbox/brani.txt"_s));
        QTest::mouseClick(&musicbox->input().openButton(), Qt::LeftButton);
        QCOMPARE(QDir(fixture.openDialog->calls().front().startFolder).canonicalPath(),
                 QDir(started.workingDirectory).canonicalPath());
        QTest::mouseClick(&musicbox->playerBar().playButton(), Qt::LeftButton);
        QCOMPARE(fixture.sound->starts().size(), std::size_t(1));
        QVERIFY(musicbox->playerBar().noteLabel().text().startsWith(u"1/40  8e6"_s));
        // The catalogue is the copy's, two folders above Musicbox's own.
        CataloguePicker &picker = musicbox->catalogue();
        QVERIFY(picker.hasCatalogue());
        picker.methods().setCurrentText(u"Titolo"_s);
        QTest::keyClicks(&picker.searchBox(), u"quinta"_s);
        QTest::mouseClick(&picker.searchButton(), Qt::LeftButton);
        QTest::mouseClick(&picker.pickButton(), Qt::LeftButton);
        QVERIFY(musicbox->input().textBox().toPlainText().startsWith(u"Quinta:"_s));
        QCOMPARE(fixture.sound->starts().size(), std::size_t(2));
        fixture.checkUnused();
        runsForReal(started, u"Musicbox"_s);
    }

    void theConverterConvertsAPastedTuneAndSavesIt()
    {
        const Started started = startFromToolsWindow(u"Convertitore RTTTL"_s);
        QCOMPARE(started.program, inCopy(u"tools/convertitore/convert.exe"_s));
        QCOMPARE(started.workingDirectory, data::programFolder());
        test::ToolFixture fixture(discFolderOf(started.program));
        const auto window = openAsStarted(started, fixture);
        auto *converter = qobject_cast<ConverterWindow *>(window.get());
        QVERIFY(converter);
        QGuiApplication::clipboard()->setText(u"Scala:d=4,o=5,b=120:c,d,e,f,g,a,b,c6"_s);
        QTest::mouseClick(&converter->input().pasteButton(), Qt::LeftButton);
        QCOMPARE(converter->code(0).toPlainText(), u"1 2 3 4 5 6 7 1*"_s);
        QCOMPARE(converter->code(1).toPlainText(), u"4c1 4d1 4e1 4f1 4g1 4a1 4b1 4c2"_s);
        const QString wav = m_home.filePath(u"scala.wav"_s);
        fixture.fakes.saveFileDialog->queueAnswer(wav);
        QTest::mouseClick(&converter->saveButton(4), Qt::LeftButton);
        QCOMPARE(QFileInfo(wav).size(), qint64(44 + 4 * 44100 * 2));
        fixture.checkUnused();
        runsForReal(started, u"convertitore"_s);
    }

    void theComposerComposesAndHandsTheTuneToTheDiscsSmsTool()
    {
        const Started started = startFromToolsWindow(u"Compositore Suonerie"_s);
        QCOMPARE(started.program, inCopy(u"tools/compositore/compositore.exe"_s));
        test::ToolFixture fixture(discFolderOf(started.program));
        const auto window = openAsStarted(started, fixture);
        auto *composer = qobject_cast<ComposerWindow *>(window.get());
        QVERIFY(composer);
        QTest::keyClicks(&composer->nameBox(), u"Mia"_s);
        QTest::keyClicks(&composer->artistBox(), u"  Giovanni Battista  "_s);
        QTest::keyClicks(&composer->screen(), u"1 3 5 8*0"_s);
        QCOMPARE(composer->tune().screen().join(u' '), u"4c1 4e1 8g2 4-"_s);
        fixture.fakes.inputBox->queueAnswer(u"3471234567"_s);
        QTest::mouseClick(&composer->smsButton(), Qt::LeftButton);
        const auto &calls = fixture.fakes.programStarter->calls();
        QCOMPARE(calls.size(), std::size_t(1));
        QCOMPARE(calls[0].program,
                 data::discPath(m_copy.path(), QString::fromUtf16(ringtones::shared::SmsToolPath)));
        QVERIFY(QFileInfo(calls[0].program).isFile());
        const QString scratch = calls[0].arguments.front().section(u"##"_s, 1);
        QCOMPARE(calls[0].arguments.front(), u"00393471234567##"_s + scratch);
        QCOMPARE(test::fileBytes(scratch), QByteArray("Giovanni :Mia:d=4,o=6,b=100:c5,e5,8g,p\r\n"));
        QCOMPARE(composer->status().text(), u"Suoneria passata al programma SMS."_s);
        fixture.checkUnused();
        runsForReal(started, u"compositore"_s);
    }

    void theLoaderFindsAChoosesAndSendsARingtoneOfTheCopy()
    {
        const Started started = startFromToolsWindow(u"Carica Suonerie"_s);
        QCOMPARE(started.program, inCopy(u"tools/carica suonerie/carica.exe"_s));
        test::ToolFixture fixture(discFolderOf(started.program));
        const auto window = openAsStarted(started, fixture);
        auto *loader = qobject_cast<LoaderWindow *>(window.get());
        QVERIFY(loader);
        CataloguePicker &picker = loader->catalogue();
        picker.methods().setCurrentText(u"Genere"_s);
        picker.genres().setCurrentText(u"Natale"_s);
        QTest::mouseClick(&picker.searchButton(), Qt::LeftButton);
        QVERIFY(picker.results().topLevelItemCount() > 0);
        for (int i = 0; i < picker.results().topLevelItemCount(); ++i)
            QVERIFY(picker.results().topLevelItem(i)->text(2).contains(u"Natale"_s));
        QTest::mouseClick(&picker.pickButton(), Qt::LeftButton);
        QVERIFY(loader->smsButton().isEnabled());
        fixture.fakes.inputBox->queueAnswer(u"3331234567"_s);
        QTest::mouseClick(&loader->smsButton(), Qt::LeftButton);
        QCOMPARE(fixture.fakes.programStarter->calls().size(), std::size_t(1));
        const QString scratch =
            fixture.fakes.programStarter->calls()[0].arguments.front().section(u"##"_s, 1);
        QVERIFY(test::fileBytes(scratch).endsWith("\r\n"));
        fixture.checkUnused();
        runsForReal(started, u"carica suonerie"_s);
    }
};

QTEST_MAIN(TestToolsFromDisc)
#include "test_toolsfromdisc.moc"
