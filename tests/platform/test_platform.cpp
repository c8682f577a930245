#include "platform/ModuleWavePlayer.h"
#include "platform/QtSystem.h"
#include "tests/support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace brivello;
using platform::MessageAnswer;

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void fakeDialogsRecordCallsAndAnswerInOrder();
    void fakeDialogsReportMissingAndUnusedAnswers();
    void fixtureFailsATestThatLeavesAnswersUnused();
    void fakeClockFiresTimersInDueOrder();
    void fakeClockIgnoresStoppedAndDeletedTimers();
    void fakeWavePlayerFollowsItsCommands();
    void qtProgramStarterPassesArgumentsWithoutAShell();
    void qtProgramStarterReportsAMissingProgram();
    void qtCurrentDirectoryChangesTheProcessDirectory();
    void qtTimerTicks();
    void qtWavePlayerRefusesAMissingFile();
    void waveModuleMissingIsTold();

private:
    test::FakePlatform m_fakes;
};

void TestPlatform::cleanup()
{
    m_fakes.checkUnused();
    m_fakes = test::FakePlatform();
}

void TestPlatform::fakeDialogsRecordCallsAndAnswerInOrder()
{
    platform::Platform services = m_fakes.platform();
    m_fakes.messageBox->queueAnswer(MessageAnswer::Yes);
    m_fakes.messageBox->queueAnswer(MessageAnswer::No);
    platform::MessageRequest first;
    first.text = QStringLiteral("Primo?");
    first.buttons = platform::MessageButtons::YesNo;
    platform::MessageRequest second{QStringLiteral("Altro"), QStringLiteral("Secondo?")};
    QCOMPARE(services.messageBox->show(first), MessageAnswer::Yes);
    QCOMPARE(services.messageBox->show(second), MessageAnswer::No);
    QCOMPARE(m_fakes.messageBox->shown().size(), 2u);
    QCOMPARE(m_fakes.messageBox->shown()[0].title, QStringLiteral("Brivello"));
    QCOMPARE(m_fakes.messageBox->shown()[0].buttons, platform::MessageButtons::YesNo);
    QCOMPARE(m_fakes.messageBox->shown()[1].title, QStringLiteral("Altro"));

    m_fakes.inputBox->queueAnswer(QStringLiteral("0612345678"));
    QCOMPARE(services.inputBox->ask(QStringLiteral("SMS"), QStringLiteral("Numero?"), QStringLiteral("06")),
             QStringLiteral("0612345678"));
    QCOMPARE(m_fakes.inputBox->calls().at(0).defaultText, QStringLiteral("06"));

    m_fakes.saveFileDialog->queueAnswer(QStringLiteral("/tmp/a.txt"));
    platform::SaveFileRequest request{QStringLiteral("Salva"), QStringLiteral("/tmp"),
                                      QStringLiteral("*.txt"), QStringLiteral("txt"), true};
    QCOMPARE(services.saveFileDialog->ask(request), QStringLiteral("/tmp/a.txt"));
    QCOMPARE(m_fakes.saveFileDialog->calls().at(0).defaultExtension, QStringLiteral("txt"));
    QVERIFY(m_fakes.problems().isEmpty());
}

void TestPlatform::fakeDialogsReportMissingAndUnusedAnswers()
{
    test::FakePlatform fakes;
    fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    fakes.saveFileDialog->queueAnswer(QStringLiteral("/tmp/x.bmp"));
    QCOMPARE(fakes.inputBox->ask(QStringLiteral("T"), QStringLiteral("Nome?"), QString()), QString());
    const QStringList problems = fakes.problems();
    QCOMPARE(problems.size(), 3);
    QVERIFY(problems.join(u'\n').contains(QStringLiteral("message box: 1 queued answer(s) never used")));
    QVERIFY(problems.join(u'\n').contains(QStringLiteral("save dialog: 1 queued answer(s) never used")));
    QVERIFY(problems.join(u'\n').contains(QStringLiteral("input box \"Nome?\" shown with no answer queued")));
}

void TestPlatform::fixtureFailsATestThatLeavesAnswersUnused()
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.start(QStringLiteral(FAKE_UNUSED_ANSWER_EXE), {});
    QVERIFY(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() != 0, qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("FAIL!  : FakeUnusedAnswer::leavesAnAnswerQueued()")),
             qPrintable(output));
    QVERIFY(output.contains(QStringLiteral("message box: 1 queued answer(s) never used")));
}

void TestPlatform::fakeClockFiresTimersInDueOrder()
{
    auto &clock = *m_fakes.clock;
    auto slow = clock.createTimer();
    auto fast = clock.createTimer();
    slow->setInterval(2000);
    fast->setInterval(100);
    QStringList fired;
    connect(slow.get(), &platform::Timer::timeout, this,
            [&] { fired << QStringLiteral("slow@%1").arg(clock.now()); });
    connect(fast.get(), &platform::Timer::timeout, this,
            [&] { fired << QStringLiteral("fast@%1").arg(clock.now()); });
    slow->start();
    clock.advance(1000);
    fast->start();
    clock.advance(1050);
    QCOMPARE(fired.size(), 11);
    QCOMPARE(fired.first(), QStringLiteral("fast@1100"));
    QCOMPARE(fired.at(9), QStringLiteral("slow@2000"));
    QCOMPARE(fired.at(10), QStringLiteral("fast@2000"));
    QCOMPARE(clock.now(), 2050);
}

void TestPlatform::fakeClockIgnoresStoppedAndDeletedTimers()
{
    auto &clock = *m_fakes.clock;
    auto stopped = clock.createTimer();
    auto deleted = clock.createTimer();
    stopped->setInterval(10);
    deleted->setInterval(10);
    QSignalSpy stoppedSpy(stopped.get(), &platform::Timer::timeout);
    stopped->start();
    deleted->start();
    clock.advance(25);
    QCOMPARE(stoppedSpy.count(), 2);
    stopped->stop();
    deleted.reset();
    clock.advance(100);
    QCOMPARE(stoppedSpy.count(), 2);
    QVERIFY(!stopped->isActive());
}

void TestPlatform::fakeWavePlayerFollowsItsCommands()
{
    auto &player = *m_fakes.wavePlayer;
    QCOMPARE(player.mode(), platform::PlayerMode::NotOpen);
    player.play();
    QCOMPARE(player.mode(), platform::PlayerMode::NotOpen);
    QVERIFY(player.open(QStringLiteral("/disc/datafiles/a.dat")));
    player.play();
    QCOMPARE(player.mode(), platform::PlayerMode::Playing);
    player.finish();
    QCOMPARE(player.mode(), platform::PlayerMode::Stopped);
    player.close();
    player.refuse(QStringLiteral("/disc/missing.dat"));
    QVERIFY(!player.open(QStringLiteral("/disc/missing.dat")));
    QCOMPARE(player.calls(),
             (QStringList{QStringLiteral("play"), QStringLiteral("open /disc/datafiles/a.dat"),
                          QStringLiteral("play"), QStringLiteral("close"),
                          QStringLiteral("open /disc/missing.dat")}));
}

void TestPlatform::qtProgramStarterPassesArgumentsWithoutAShell()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    platform::QtProgramStarter starter;
    // Through a shell these would make two files and a comment.
    const QString name = QStringLiteral("a;b $HOME #c");
    QVERIFY(starter.start(QStringLiteral("touch"), {name}, folder.path()));
    QTRY_VERIFY(QFile::exists(folder.filePath(name)));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{name});
}

void TestPlatform::qtProgramStarterReportsAMissingProgram()
{
    QTemporaryDir folder;
    platform::QtProgramStarter starter;
    QVERIFY(!starter.start(folder.filePath(QStringLiteral("nothing-here.exe")), {}, folder.path()));
}

void TestPlatform::qtCurrentDirectoryChangesTheProcessDirectory()
{
    const QString before = QDir::currentPath();
    QTemporaryDir folder;
    platform::QtCurrentDirectory directory;
    QVERIFY(directory.set(folder.path()));
    QCOMPARE(QDir(directory.current()).canonicalPath(), QDir(folder.path()).canonicalPath());
    QVERIFY(!directory.set(folder.filePath(QStringLiteral("missing"))));
    QVERIFY(directory.set(before));
}

void TestPlatform::qtTimerTicks()
{
    platform::QtClock clock;
    auto timer = clock.createTimer();
    timer->setInterval(5);
    QCOMPARE(timer->interval(), 5);
    QSignalSpy ticks(timer.get(), &platform::Timer::timeout);
    timer->start();
    QVERIFY(timer->isActive());
    QTRY_VERIFY(ticks.count() >= 2);
    timer->stop();
    QVERIFY(!timer->isActive());
}

void TestPlatform::qtWavePlayerRefusesAMissingFile()
{
    platform::ModuleWavePlayer player(QStringLiteral(BRIVELLO_WAVE_MODULE_DIR));
    QVERIFY(!player.open(QStringLiteral("/nonexistent/ring.dat")));
    QCOMPARE(player.mode(), platform::PlayerMode::NotOpen);
    player.play();
    QCOMPARE(player.mode(), platform::PlayerMode::NotOpen);
    // The module was found: the refusal is the player's, with nothing to tell.
    QCOMPARE(player.failure(), QString());
}

// A program folder without the wave module opens nothing and says why.
void TestPlatform::waveModuleMissingIsTold()
{
    const QTemporaryDir empty;
    platform::ModuleWavePlayer player(empty.path());
    QFile recording(QDir(empty.path()).filePath(QStringLiteral("ring.dat")));
    QVERIFY(recording.open(QIODevice::WriteOnly));
    recording.close();
    QVERIFY(!player.open(recording.fileName()));
    QCOMPARE(player.mode(), platform::PlayerMode::NotOpen);
    QVERIFY2(player.failure().startsWith(QStringLiteral("manca il modulo audio del programma")),
             qPrintable(player.failure()));
    QVERIFY(player.failure().contains(platform::ModuleWavePlayer::moduleFileName()));
    player.play();
    player.stop();
    player.close();
    QCOMPARE(player.mode(), platform::PlayerMode::NotOpen);
}

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
