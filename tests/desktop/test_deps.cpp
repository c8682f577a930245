// scripts/deps.sh installs what is missing as root, through sudo for anyone
// else, and tells a user without sudo what to install rather than failing in
// apt-get. It runs here against stand-ins for dpkg-query, id, sudo and
// apt-get that record what they are asked, so nothing is installed.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;
    QString output;
    QString errors;
};

} // namespace

class TestDeps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void rootInstallsWithAptGet();
    void userInstallsThroughSudo();
    void userWithoutSudoIsToldWhatToInstall();

private:
    void addTool(const QString &name, const QString &script);
    void linkSystemTool(const QString &name);
    Run runDeps(const QString &uid);
    QString journal() const;

    std::unique_ptr<QTemporaryDir> m_bin;
};

void TestDeps::init()
{
    m_bin = std::make_unique<QTemporaryDir>();
    QVERIFY(m_bin->isValid());
    for (const QString &tool : {u"bash"_s, u"env"_s, u"grep"_s})
        linkSystemTool(tool);
    // Every package is missing.
    addTool(u"dpkg-query"_s, u"exit 1"_s);
    addTool(u"apt-get"_s, u"echo \"apt-get $*\" >> \"$JOURNAL\""_s);
}

void TestDeps::linkSystemTool(const QString &name)
{
    const QString system = QStandardPaths::findExecutable(name);
    QVERIFY2(!system.isEmpty(), qPrintable(name));
    QVERIFY(QFile::link(system, m_bin->filePath(name)));
}

void TestDeps::addTool(const QString &name, const QString &script)
{
    QFile tool(m_bin->filePath(name));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!" + QStandardPaths::findExecutable(u"bash"_s).toLocal8Bit() + "\n" + script.toUtf8() +
               "\n");
    tool.close();
    QVERIFY(tool.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

Run TestDeps::runDeps(const QString &uid)
{
    addTool(u"id"_s, u"echo %1"_s.arg(uid));
    QProcessEnvironment environment;
    environment.insert(u"PATH"_s, m_bin->path());
    environment.insert(u"JOURNAL"_s, m_bin->filePath(u"journal"_s));
    QProcess deps;
    deps.setProcessEnvironment(environment);
    deps.start(m_bin->filePath(u"bash"_s),
               {qEnvironmentVariable("BRIVELLO_SOURCE_DIR") + u"/scripts/deps.sh"_s});
    Run run;
    if (!deps.waitForFinished(60000))
        return run;
    run.exitCode = deps.exitCode();
    run.output = QString::fromLocal8Bit(deps.readAllStandardOutput());
    run.errors = QString::fromLocal8Bit(deps.readAllStandardError());
    return run;
}

QString TestDeps::journal() const
{
    QFile file(m_bin->filePath(u"journal"_s));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TestDeps::rootInstallsWithAptGet()
{
    const Run run = runDeps(u"0"_s);
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QStringList calls = journal().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0), u"apt-get update -qq"_s);
    QVERIFY(calls.at(1).startsWith(u"apt-get install -y -qq --no-install-recommends g++ "_s));
    QVERIFY(calls.at(1).contains(u" openbox "_s));
}

// Mended fault: a user who is not root ran apt-get directly, which fails.
void TestDeps::userInstallsThroughSudo()
{
    addTool(u"sudo"_s, u"echo \"sudo $*\" >> \"$JOURNAL\""_s);
    const Run run = runDeps(u"1000"_s);
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QStringList calls = journal().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0), u"sudo apt-get update -qq"_s);
    QVERIFY(calls.at(1).startsWith(
        u"sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "_s));
}

void TestDeps::userWithoutSudoIsToldWhatToInstall()
{
    const Run run = runDeps(u"1000"_s);
    QVERIFY(run.exitCode != 0);
    QCOMPARE(journal(), QString());
    QVERIFY2(run.errors.contains(u"sudo is not installed"_s), qPrintable(run.errors));
    QVERIFY2(run.errors.contains(u"apt-get install g++ cmake"_s), qPrintable(run.errors));
    QVERIFY2(run.errors.contains(u"appstream"_s), qPrintable(run.errors));
}

QTEST_GUILESS_MAIN(TestDeps)
#include "test_deps.moc"
