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
    for (const QString &tool : {QStringLiteral("bash"), QStringLiteral("env"), QStringLiteral("grep")})
        linkSystemTool(tool);
    // Every package is missing.
    addTool(QStringLiteral("dpkg-query"), QStringLiteral("exit 1"));
    addTool(QStringLiteral("apt-get"), QStringLiteral("echo \"apt-get $*\" >> \"$JOURNAL\""));
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
    tool.write("#!" + QStandardPaths::findExecutable(QStringLiteral("bash")).toLocal8Bit() + "\n" +
               script.toUtf8() + "\n");
    tool.close();
    QVERIFY(tool.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

Run TestDeps::runDeps(const QString &uid)
{
    addTool(QStringLiteral("id"), QStringLiteral("echo %1").arg(uid));
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), m_bin->path());
    environment.insert(QStringLiteral("JOURNAL"), m_bin->filePath(QStringLiteral("journal")));
    QProcess deps;
    deps.setProcessEnvironment(environment);
    deps.start(m_bin->filePath(QStringLiteral("bash")),
               {qEnvironmentVariable("BRIVELLO_SOURCE_DIR") + QStringLiteral("/scripts/deps.sh")});
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
    QFile file(m_bin->filePath(QStringLiteral("journal")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TestDeps::rootInstallsWithAptGet()
{
    const Run run = runDeps(QStringLiteral("0"));
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QStringList calls = journal().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0), QStringLiteral("apt-get update -qq"));
    QVERIFY(calls.at(1).startsWith(QStringLiteral("apt-get install -y -qq --no-install-recommends g++ ")));
    QVERIFY(calls.at(1).contains(QStringLiteral(" openbox ")));
}

// Mended fault: a user who is not root ran apt-get directly, which fails.
void TestDeps::userInstallsThroughSudo()
{
    addTool(QStringLiteral("sudo"), QStringLiteral("echo \"sudo $*\" >> \"$JOURNAL\""));
    const Run run = runDeps(QStringLiteral("1000"));
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QStringList calls = journal().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0), QStringLiteral("sudo apt-get update -qq"));
    QVERIFY(calls.at(1).startsWith(QStringLiteral(
        "sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ")));
}

void TestDeps::userWithoutSudoIsToldWhatToInstall()
{
    const Run run = runDeps(QStringLiteral("1000"));
    QVERIFY(run.exitCode != 0);
    QCOMPARE(journal(), QString());
    QVERIFY2(run.errors.contains(QStringLiteral("sudo is not installed")), qPrintable(run.errors));
    QVERIFY2(run.errors.contains(QStringLiteral("apt-get install g++ cmake")), qPrintable(run.errors));
    QVERIFY2(run.errors.contains(QStringLiteral("appstream")), qPrintable(run.errors));
}

QTEST_GUILESS_MAIN(TestDeps)
#include "test_deps.moc"
