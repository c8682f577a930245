#include "platform/ModuleWavePlayer.h"
#include "platform/QtSystem.h"
#include "tests/support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

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
    first.text = u"Primo?"_s;
    first.buttons = platform::MessageButtons::YesNo;
    platform::MessageRequest second{u"Altro"_s, u"Secondo?"_s};
    QCOMPARE(services.messageBox->show(first), MessageAnswer::Yes);
    QCOMPARE(services.messageBox->show(second), MessageAnswer::No);
    QCOMPARE(m_fakes.messageBox->shown().size(), 2u);
    QCOMPARE(m_fakes.messageBox->shown()[0].title, u"Brivello"_s);
    QCOMPARE(m_fakes.messageBox->shown()[0].buttons, platform::MessageButtons::YesNo);
    QCOMPARE(m_fakes.messageBox->shown()[1].title, u"Altro"_s);

    m_fakes.inputBox->queueAnswer(u"0612345678"_s);
    QCOMPARE(services.inputBox->ask(u"SMS"_s, u"Numero?"_s, u"06"_s), u"0612345678"_s);
    QCOMPARE(m_fakes.inputBox->calls().at(0).defaultText, u"06"_s);

    m_fakes.saveFileDialog->queueAnswer(u"/tmp/a.txt"_s);
    platform::SaveFileRequest request{u"Salva"_s, u"/tmp"_s, u"*.txt"_s, u"txt"_s, true};
    QCOMPARE(services.saveFileDialog->ask(request), u"/tmp/a.txt"_s);
    QCOMPARE(m_fakes.saveFileDialog->calls().at(0).defaultExtension, u"txt"_s);
    QVERIFY(m_fakes.problems().isEmpty());
}

void TestPlatform::fakeDialogsReportMissingAndUnusedAnswers()
{
    test::FakePlatform fakes;
    fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    fakes.saveFileDialog->queueAnswer(u"/tmp/x.bmp"_s);
    QCOMPARE(fakes.inputBox->ask(u"T"_s, u"Nome?"_s, QString()), QString());
    const QStringList problems = fakes.problems();
    QCOMPARE(problems.size(), 3);
    QVERIFY(problems.join(u'\n').contains(u"message box: 1 queued answer(s) never used"_s));
    QVERIFY(problems.join(u'\n').contains(u"save dialog: 1 queued answer(s) never used"_s));
    QVERIFY(problems.join(u'\n').contains(u"input box \"Nome?\" shown with no answer queued"_s));
}

void TestPlatform::fixtureFailsATestThatLeavesAnswersUnused()
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    child.setProcessEnvironment(environment);
    child.start(QString::fromUtf8(FAKE_UNUSED_ANSWER_EXE), {});
    QVERIFY(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() != 0, qPrintable(output));
    QVERIFY2(output.contains(u"FAIL!  : FakeUnusedAnswer::leavesAnAnswerQueued()"_s), qPrintable(output));
    QVERIFY(output.contains(u"message box: 1 queued answer(s) never used"_s));
}

void TestPlatform::fakeClockFiresTimersInDueOrder()
{
    auto &clock = *m_fakes.clock;
    auto slow = clock.createTimer();
    auto fast = clock.createTimer();
    slow->setInterval(2000);
    fast->setInterval(100);
    QStringList fired;
    connect(slow.get(), &platform::Timer::timeout, this, [&] { fired << u"slow@%1"_s.arg(clock.now()); });
    connect(fast.get(), &platform::Timer::timeout, this, [&] { fired << u"fast@%1"_s.arg(clock.now()); });
    slow->start();
    clock.advance(1000);
    fast->start();
    clock.advance(1050);
    QCOMPARE(fired.size(), 11);
    QCOMPARE(fired.first(), u"fast@1100"_s);
    QCOMPARE(fired.at(9), u"slow@2000"_s);
    QCOMPARE(fired.at(10), u"fast@2000"_s);
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
    QVERIFY(player.open(u"/disc/datafiles/a.dat"_s));
    player.play();
    QCOMPARE(player.mode(), platform::PlayerMode::Playing);
    player.finish();
    QCOMPARE(player.mode(), platform::PlayerMode::Stopped);
    player.close();
    player.refuse(u"/disc/missing.dat"_s);
    QVERIFY(!player.open(u"/disc/missing.dat"_s));
    QCOMPARE(player.calls(), (QStringList{u"play"_s, u"open /disc/datafiles/a.dat"_s, u"play"_s, u"close"_s,
                                          u"open /disc/missing.dat"_s}));
}

void TestPlatform::qtProgramStarterPassesArgumentsWithoutAShell()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    platform::QtProgramStarter starter;
    // Through a shell these would make two files and a comment.
    const QString name = u"a;b $HOME #c"_s;
    QVERIFY(starter.start(u"touch"_s, {name}, folder.path()));
    QTRY_VERIFY(QFile::exists(folder.filePath(name)));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{name});
}

void TestPlatform::qtProgramStarterReportsAMissingProgram()
{
    QTemporaryDir folder;
    platform::QtProgramStarter starter;
    QVERIFY(!starter.start(folder.filePath(u"nothing-here.exe"_s), {}, folder.path()));
}

void TestPlatform::qtCurrentDirectoryChangesTheProcessDirectory()
{
    const QString before = QDir::currentPath();
    QTemporaryDir folder;
    platform::QtCurrentDirectory directory;
    QVERIFY(directory.set(folder.path()));
    QCOMPARE(QDir(directory.current()).canonicalPath(), QDir(folder.path()).canonicalPath());
    QVERIFY(!directory.set(folder.filePath(u"missing"_s)));
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
    platform::ModuleWavePlayer player(QString::fromUtf8(BRIVELLO_WAVE_MODULE_DIR));
    QVERIFY(!player.open(u"/nonexistent/ring.dat"_s));
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
    QFile recording(QDir(empty.path()).filePath(u"ring.dat"_s));
    QVERIFY(recording.open(QIODevice::WriteOnly));
    recording.close();
    QVERIFY(!player.open(recording.fileName()));
    QCOMPARE(player.mode(), platform::PlayerMode::NotOpen);
    QVERIFY2(player.failure().startsWith(u"manca il modulo audio del programma"_s),
             qPrintable(player.failure()));
    QVERIFY(player.failure().contains(platform::ModuleWavePlayer::moduleFileName()));
    player.play();
    player.stop();
    player.close();
    QCOMPARE(player.mode(), platform::PlayerMode::NotOpen);
}

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
