// A fresh checkout has no shared folder beside it: the suites that read the
// Access files made by others must skip there, naming the folder they looked
// for, and must fail instead where CI asks for them. (They used to abort on an
// uncaught catalogue error.)
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestStandalone : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void suitesSkipWithoutTheSharedFolder_data();
    void suitesSkipWithoutTheSharedFolder();
    void suitesFailWithoutItWhereRequired_data();
    void suitesFailWithoutItWhereRequired();

private:
    struct Run
    {
        int exitCode = -1;
        bool crashed = false;
        QString output;
    };
    Run runSuite(const QString &program, bool required);

    QTemporaryDir m_noShared;
};

TestStandalone::Run TestStandalone::runSuite(const QString &program, bool required)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // An empty folder stands for a checkout with nothing beside it.
    environment.insert(u"BRIVELLO_SHARED_DIR"_s, m_noShared.path());
    environment.remove(u"BRIVELLO_REQUIRE_SHARED"_s);
    if (required)
        environment.insert(u"BRIVELLO_REQUIRE_SHARED"_s, u"1"_s);
    QProcess suite;
    suite.setProcessEnvironment(environment);
    suite.setProcessChannelMode(QProcess::MergedChannels);
    suite.start(program, {});
    Run run;
    if (!suite.waitForFinished(240000))
        return run;
    run.crashed = suite.exitStatus() != QProcess::NormalExit;
    run.exitCode = suite.exitCode();
    run.output = QString::fromLocal8Bit(suite.readAll());
    return run;
}

static void addSuites()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("test_catalogue") << QString::fromUtf8(TEST_CATALOGUE_EXE);
    QTest::newRow("test_datasource") << QString::fromUtf8(TEST_DATASOURCE_EXE);
}

void TestStandalone::suitesSkipWithoutTheSharedFolder_data()
{
    addSuites();
}

void TestStandalone::suitesSkipWithoutTheSharedFolder()
{
    QFETCH(QString, program);
    QVERIFY(m_noShared.isValid());
    const Run run = runSuite(program, false);
    QVERIFY2(!run.crashed, qPrintable(run.output));
    QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    const QString lookedFor = QDir(m_noShared.path()).filePath(u"testdata/access"_s);
    QVERIFY2(run.output.contains(u"SKIP"_s), qPrintable(run.output));
    QVERIFY2(run.output.contains(lookedFor), qPrintable(run.output));
    // The cases that need no shared file still ran and passed.
    QVERIFY2(run.output.contains(u"PASS   :"_s), qPrintable(run.output));
}

void TestStandalone::suitesFailWithoutItWhereRequired_data()
{
    addSuites();
}

void TestStandalone::suitesFailWithoutItWhereRequired()
{
    QFETCH(QString, program);
    const Run run = runSuite(program, true);
    QVERIFY2(!run.crashed, qPrintable(run.output));
    QVERIFY2(run.exitCode != 0, qPrintable(run.output));
    QVERIFY2(run.output.contains(u"FAIL!"_s), qPrintable(run.output));
    QVERIFY2(run.output.contains(u"BRIVELLO_REQUIRE_SHARED"_s), qPrintable(run.output));
    QVERIFY2(!run.output.contains(u"SKIP"_s), qPrintable(run.output));
}

QTEST_GUILESS_MAIN(TestStandalone)
#include "test_standalone.moc"
