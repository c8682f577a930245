// Starts the real program, as a user would, and lets it quit once its home
// window is on the screen.
#include "tests/support/TestDisc.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace brivello;

class TestSmoke : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void programShowsItsHomeWindowOnAWrittenDisc();
    void programShowsItsHomeWindowOnTheSampleDisc();

private:
    void runUntilShown(const QString &program);
};

void TestSmoke::runUntilShown(const QString &program)
{
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"BRIVELLO_QUIT_WHEN_SHOWN"_s, u"1"_s);
    run.setProcessEnvironment(environment);
    run.start(program, {});
    QVERIFY2(run.waitForFinished(120000), "the program did not end");
    const QString output = QString::fromLocal8Bit(run.readAllStandardOutput());
    const QString errors = QString::fromLocal8Bit(run.readAllStandardError());
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QVERIFY2(run.exitCode() == 0, qPrintable(output + errors));
    QVERIFY2(output.contains(u"shown: frmRing"_s), qPrintable(output + errors));
}

void TestSmoke::programShowsItsHomeWindowOnAWrittenDisc()
{
    QTemporaryDir disc;
    test::TestCatalogue catalogue;
    catalogue.ringtones = test::sampleRingtones();
    QString error;
    QVERIFY2(test::writeTestDisc(disc.path(), catalogue, &error), qPrintable(error));
    // The program reads the disc it runs from, so it goes onto the disc.
    const QString program = disc.filePath(u"brivello"_s);
    QVERIFY(QFile::copy(QString::fromUtf8(BRIVELLO_EXE), program));
    runUntilShown(program);
}

void TestSmoke::programShowsItsHomeWindowOnTheSampleDisc()
{
    const QDir disc(qEnvironmentVariable("BRIVELLO_TEST_DISC"));
    if (!QFile::exists(disc.filePath(u"datafiles/ringtones.dat"_s)))
        QSKIP("the sample disc has not been assembled in this build");
    runUntilShown(disc.filePath(u"brivello"_s));
}

QTEST_GUILESS_MAIN(TestSmoke)
#include "test_smoke.moc"
