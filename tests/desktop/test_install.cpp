// `cmake --install` into a temporary folder gives a program that runs: the
// program and its disc together in lib/brivello, the brivello command, a
// desktop entry, an icon and metainfo that the desktop's own validators
// accept.
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString appId = QStringLiteral("example.brivello.Brivello");

struct Run
{
    bool finished = false;
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Run result;
    result.finished = process.waitForFinished(180000) && process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = QString::fromLocal8Bit(process.readAll());
    return result;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void programAndDiscLieTogether();
    void desktopEntryIconAndMetainfo();
    void validatorsAcceptThem();
    void installedCommandStartsTheProgram();

private:
    QString installed(const QString &path) const { return m_destdir.filePath(QStringLiteral("usr/") + path); }

    QTemporaryDir m_destdir;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_destdir.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), m_destdir.path());
    const Run install = run(QStringLiteral(CMAKE_COMMAND_PATH),
                            {QStringLiteral("--install"), QStringLiteral(BRIVELLO_BUILD_DIR),
                             QStringLiteral("--prefix"), QStringLiteral("/usr")},
                            environment);
    QVERIFY2(install.finished && install.exitCode == 0, qPrintable(install.output));
}

void TestInstall::programAndDiscLieTogether()
{
    const QFileInfo program(installed(QStringLiteral("lib/brivello/brivello")));
    QVERIFY(program.isFile() && program.isExecutable());
    QVERIFY(QFileInfo(installed(QStringLiteral("lib/brivello/datafiles/ringtones.dat"))).isFile());
    QVERIFY(QFileInfo(installed(QStringLiteral("lib/brivello/links.htm"))).isFile());
    const QFileInfo smsTool(
        installed(QStringLiteral("lib/brivello/tools/smartsms limited edition/smartsmsle.exe")));
    QVERIFY2(smsTool.isExecutable(), qPrintable(smsTool.filePath()));
    // Nothing a run left in the build's disc folder goes along.
    QVERIFY(!QFileInfo::exists(installed(QStringLiteral("lib/brivello/temp.txt"))));
    const QFileInfo command(installed(QStringLiteral("bin/brivello")));
    QVERIFY(command.isSymLink());
    QCOMPARE(command.symLinkTarget(), program.absoluteFilePath());
}

void TestInstall::desktopEntryIconAndMetainfo()
{
    QFile entry(installed(QStringLiteral("share/applications/") + appId + QStringLiteral(".desktop")));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    QVERIFY(text.contains(QStringLiteral("\nExec=brivello\n")));
    QVERIFY(text.contains(QStringLiteral("\nIcon=") + appId + QLatin1Char('\n')));
    QFile icon(
        installed(QStringLiteral("share/icons/hicolor/scalable/apps/") + appId + QStringLiteral(".svg")));
    QVERIFY(icon.open(QIODevice::ReadOnly));
    QVERIFY(icon.readAll().contains("<svg"));
    QVERIFY(QFileInfo(installed(QStringLiteral("share/metainfo/") + appId + QStringLiteral(".metainfo.xml")))
                .isFile());
}

void TestInstall::validatorsAcceptThem()
{
    const QString desktopValidate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    BRIVELLO_SKIP_UNLESS(!desktopValidate.isEmpty() && !appstream.isEmpty(), "BRIVELLO_REQUIRE_DESKTOP",
                         QStringLiteral("desktop-file-validate or appstreamcli is not installed "
                                        "(packages desktop-file-utils, appstream)"));
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const Run entry = run(
        desktopValidate,
        {installed(QStringLiteral("share/applications/") + appId + QStringLiteral(".desktop"))}, environment);
    QVERIFY2(entry.finished && entry.exitCode == 0, qPrintable(entry.output));
    // A hint is advice; a warning or an error is not accepted.
    QVERIFY2(!entry.output.contains(QStringLiteral("error:")) &&
                 !entry.output.contains(QStringLiteral("warning:")),
             qPrintable(entry.output));
    const Run metainfo =
        run(appstream,
            {QStringLiteral("validate"), QStringLiteral("--no-net"),
             installed(QStringLiteral("share/metainfo/") + appId + QStringLiteral(".metainfo.xml"))},
            environment);
    QVERIFY2(metainfo.finished && metainfo.exitCode == 0, qPrintable(metainfo.output));
}

void TestInstall::installedCommandStartsTheProgram()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("BRIVELLO_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
    // Started from elsewhere, the program still finds the disc beside itself.
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QDir::homePath());
    process.start(installed(QStringLiteral("bin/brivello")), {});
    QVERIFY(process.waitForFinished(120000));
    const QString output =
        QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("shown: frmRing")), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
