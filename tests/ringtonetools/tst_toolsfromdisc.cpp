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
        environment.insert(QStringLiteral("BRIVELLO_TOOL_QUIT"), QStringLiteral("1"));
        environment.insert(QStringLiteral("HOME"), m_home.path());
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
        QCOMPARE(toolForProgram(QStringLiteral("/cd/tools/Musicbox/musicbox.exe")), Tool::Musicbox);
        QCOMPARE(toolForProgram(QStringLiteral("/cd/tools/convertitore/CONVERT.EXE")), Tool::Converter);
        QCOMPARE(toolForProgram(QStringLiteral("/cd/tools/compositore/compositore.exe")), Tool::Composer);
        QCOMPARE(toolForProgram(QStringLiteral("/cd/tools/carica suonerie/carica.exe")), Tool::Loader);
        // A renamed program is known by its folder; anywhere else by nothing.
        QCOMPARE(toolForProgram(QStringLiteral("/cd/tools/carica suonerie/vecchio.exe")), Tool::Loader);
        QCOMPARE(toolForProgram(QStringLiteral("/cd/tools/altro/altro.exe")), std::nullopt);
        QCOMPARE(discFolderOf(QStringLiteral("/cd/tools/Musicbox/musicbox.exe")), QStringLiteral("/cd"));
    }

    void musicboxStartsInItsFolderAndPlaysWhatItOpensThere()
    {
        const Started started = startFromToolsWindow(QStringLiteral("Musicbox"));
        QCOMPARE(started.program, inCopy(QStringLiteral("tools/Musicbox/musicbox.exe")));
        QCOMPARE(QDir(started.workingDirectory).canonicalPath(),
                 QDir(inCopy(QStringLiteral("tools/Musicbox"))).canonicalPath());
        QCOMPARE(discFolderOf(started.program), QDir::cleanPath(m_copy.path()));

        test::ToolFixture fixture(discFolderOf(started.program));
        const auto window = openAsStarted(started, fixture);
        auto *musicbox = qobject_cast<MusicboxWindow *>(window.get());
        QVERIFY(musicbox);
        // The open dialog starts in Musicbox's own folder, beside its list of tunes.
        fixture.openDialog->queueAnswer(inCopy(QStringLiteral("tools/Musicbox/brani.txt")));
        QTest::mouseClick(&musicbox->input().openButton(), Qt::LeftButton);
        QCOMPARE(QDir(fixture.openDialog->calls().front().startFolder).canonicalPath(),
                 QDir(started.workingDirectory).canonicalPath());
        QTest::mouseClick(&musicbox->playerBar().playButton(), Qt::LeftButton);
        QCOMPARE(fixture.sound->starts().size(), std::size_t(1));
        QVERIFY(musicbox->playerBar().noteLabel().text().startsWith(QStringLiteral("1/40  8e6")));
        // The catalogue is the copy's, two folders above Musicbox's own.
        CataloguePicker &picker = musicbox->catalogue();
        QVERIFY(picker.hasCatalogue());
        picker.methods().setCurrentText(QStringLiteral("Titolo"));
        QTest::keyClicks(&picker.searchBox(), QStringLiteral("quinta"));
        QTest::mouseClick(&picker.searchButton(), Qt::LeftButton);
        QTest::mouseClick(&picker.pickButton(), Qt::LeftButton);
        QVERIFY(musicbox->input().textBox().toPlainText().startsWith(QStringLiteral("Quinta:")));
        QCOMPARE(fixture.sound->starts().size(), std::size_t(2));
        fixture.checkUnused();
        runsForReal(started, QStringLiteral("Musicbox"));
    }

    void theConverterConvertsAPastedTuneAndSavesIt()
    {
        const Started started = startFromToolsWindow(QStringLiteral("Convertitore RTTTL"));
        QCOMPARE(started.program, inCopy(QStringLiteral("tools/convertitore/convert.exe")));
        QCOMPARE(started.workingDirectory, data::programFolder());
        test::ToolFixture fixture(discFolderOf(started.program));
        const auto window = openAsStarted(started, fixture);
        auto *converter = qobject_cast<ConverterWindow *>(window.get());
        QVERIFY(converter);
        QGuiApplication::clipboard()->setText(QStringLiteral("Scala:d=4,o=5,b=120:c,d,e,f,g,a,b,c6"));
        QTest::mouseClick(&converter->input().pasteButton(), Qt::LeftButton);
        QCOMPARE(converter->code(0).toPlainText(), QStringLiteral("1 2 3 4 5 6 7 1*"));
        QCOMPARE(converter->code(1).toPlainText(), QStringLiteral("4c1 4d1 4e1 4f1 4g1 4a1 4b1 4c2"));
        const QString wav = m_home.filePath(QStringLiteral("scala.wav"));
        fixture.fakes.saveFileDialog->queueAnswer(wav);
        QTest::mouseClick(&converter->saveButton(4), Qt::LeftButton);
        QCOMPARE(QFileInfo(wav).size(), qint64(44 + 4 * 44100 * 2));
        fixture.checkUnused();
        runsForReal(started, QStringLiteral("convertitore"));
    }

    void theComposerComposesAndHandsTheTuneToTheDiscsSmsTool()
    {
        const Started started = startFromToolsWindow(QStringLiteral("Compositore Suonerie"));
        QCOMPARE(started.program, inCopy(QStringLiteral("tools/compositore/compositore.exe")));
        test::ToolFixture fixture(discFolderOf(started.program));
        const auto window = openAsStarted(started, fixture);
        auto *composer = qobject_cast<ComposerWindow *>(window.get());
        QVERIFY(composer);
        QTest::keyClicks(&composer->nameBox(), QStringLiteral("Mia"));
        QTest::keyClicks(&composer->artistBox(), QStringLiteral("  Giovanni Battista  "));
        QTest::keyClicks(&composer->screen(), QStringLiteral("1 3 5 8*0"));
        QCOMPARE(composer->tune().screen().join(u' '), QStringLiteral("4c1 4e1 8g2 4-"));
        fixture.fakes.inputBox->queueAnswer(QStringLiteral("3471234567"));
        QTest::mouseClick(&composer->smsButton(), Qt::LeftButton);
        const auto &calls = fixture.fakes.programStarter->calls();
        QCOMPARE(calls.size(), std::size_t(1));
        QCOMPARE(calls[0].program,
                 data::discPath(m_copy.path(), QString::fromUtf16(ringtones::shared::SmsToolPath)));
        QVERIFY(QFileInfo(calls[0].program).isFile());
        const QString scratch = calls[0].arguments.front().section(QStringLiteral("##"), 1);
        QCOMPARE(calls[0].arguments.front(), QStringLiteral("00393471234567##") + scratch);
        QCOMPARE(test::fileBytes(scratch), QByteArray("Giovanni :Mia:d=4,o=6,b=100:c5,e5,8g,p\r\n"));
        QCOMPARE(composer->status().text(), QStringLiteral("Suoneria passata al programma SMS."));
        fixture.checkUnused();
        runsForReal(started, QStringLiteral("compositore"));
    }

    void theLoaderFindsAChoosesAndSendsARingtoneOfTheCopy()
    {
        const Started started = startFromToolsWindow(QStringLiteral("Carica Suonerie"));
        QCOMPARE(started.program, inCopy(QStringLiteral("tools/carica suonerie/carica.exe")));
        test::ToolFixture fixture(discFolderOf(started.program));
        const auto window = openAsStarted(started, fixture);
        auto *loader = qobject_cast<LoaderWindow *>(window.get());
        QVERIFY(loader);
        CataloguePicker &picker = loader->catalogue();
        picker.methods().setCurrentText(QStringLiteral("Genere"));
        picker.genres().setCurrentText(QStringLiteral("Natale"));
        QTest::mouseClick(&picker.searchButton(), Qt::LeftButton);
        QVERIFY(picker.results().topLevelItemCount() > 0);
        for (int i = 0; i < picker.results().topLevelItemCount(); ++i)
            QVERIFY(picker.results().topLevelItem(i)->text(2).contains(QStringLiteral("Natale")));
        QTest::mouseClick(&picker.pickButton(), Qt::LeftButton);
        QVERIFY(loader->smsButton().isEnabled());
        fixture.fakes.inputBox->queueAnswer(QStringLiteral("3331234567"));
        QTest::mouseClick(&loader->smsButton(), Qt::LeftButton);
        QCOMPARE(fixture.fakes.programStarter->calls().size(), std::size_t(1));
        const QString scratch =
            fixture.fakes.programStarter->calls()[0].arguments.front().section(QStringLiteral("##"), 1);
        QVERIFY(test::fileBytes(scratch).endsWith("\r\n"));
        fixture.checkUnused();
        runsForReal(started, QStringLiteral("carica suonerie"));
    }
};

QTEST_MAIN(TestToolsFromDisc)
#include "tst_toolsfromdisc.moc"
