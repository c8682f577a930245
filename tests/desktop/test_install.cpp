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

using namespace Qt::StringLiterals;

namespace {

const QString appId = u"example.brivello.Brivello"_s;

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
    QString installed(const QString &path) const { return m_destdir.filePath(u"usr/"_s + path); }

    QTemporaryDir m_destdir;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_destdir.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DESTDIR"_s, m_destdir.path());
    const Run install =
        run(QString::fromUtf8(CMAKE_COMMAND_PATH),
            {u"--install"_s, QString::fromUtf8(BRIVELLO_BUILD_DIR), u"--prefix"_s, u"/usr"_s}, environment);
    QVERIFY2(install.finished && install.exitCode == 0, qPrintable(install.output));
}

void TestInstall::programAndDiscLieTogether()
{
    const QFileInfo program(installed(u"lib/brivello/brivello"_s));
    QVERIFY(program.isFile() && program.isExecutable());
    QVERIFY(QFileInfo(installed(u"lib/brivello/datafiles/ringtones.dat"_s)).isFile());
    QVERIFY(QFileInfo(installed(u"lib/brivello/links.htm"_s)).isFile());
    const QFileInfo smsTool(installed(u"lib/brivello/tools/smartsms limited edition/smartsmsle.exe"_s));
    QVERIFY2(smsTool.isExecutable(), qPrintable(smsTool.filePath()));
    // The wave module the program loads from beside itself on the first playback.
    QVERIFY(QFileInfo(installed(u"lib/brivello/brivello-wave.so"_s)).isFile());
    // Nothing a run left in the build's disc folder goes along.
    QVERIFY(!QFileInfo::exists(installed(u"lib/brivello/temp.txt"_s)));
    const QFileInfo command(installed(u"bin/brivello"_s));
    QVERIFY(command.isSymLink());
    QCOMPARE(command.symLinkTarget(), program.absoluteFilePath());
}

void TestInstall::desktopEntryIconAndMetainfo()
{
    QFile entry(installed(u"share/applications/"_s + appId + u".desktop"_s));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    QVERIFY(text.contains(u"\nExec=brivello\n"_s));
    QVERIFY(text.contains(u"\nIcon="_s + appId + QLatin1Char('\n')));
    QFile icon(installed(u"share/icons/hicolor/scalable/apps/"_s + appId + u".svg"_s));
    QVERIFY(icon.open(QIODevice::ReadOnly));
    QVERIFY(icon.readAll().contains("<svg"));
    QVERIFY(QFileInfo(installed(u"share/metainfo/"_s + appId + u".metainfo.xml"_s)).isFile());
}

void TestInstall::validatorsAcceptThem()
{
    const QString desktopValidate = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
    const QString appstream = QStandardPaths::findExecutable(u"appstreamcli"_s);
    BRIVELLO_SKIP_UNLESS(!desktopValidate.isEmpty() && !appstream.isEmpty(), "BRIVELLO_REQUIRE_DESKTOP",
                         u"desktop-file-validate or appstreamcli is not installed "
                         "(packages desktop-file-utils, appstream)"_s);
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const Run entry =
        run(desktopValidate, {installed(u"share/applications/"_s + appId + u".desktop"_s)}, environment);
    QVERIFY2(entry.finished && entry.exitCode == 0, qPrintable(entry.output));
    // A hint is advice; a warning or an error is not accepted.
    QVERIFY2(!entry.output.contains(u"error:"_s) && !entry.output.contains(u"warning:"_s),
             qPrintable(entry.output));
    const Run metainfo =
        run(appstream,
            {u"validate"_s, u"--no-net"_s, installed(u"share/metainfo/"_s + appId + u".metainfo.xml"_s)},
            environment);
    QVERIFY2(metainfo.finished && metainfo.exitCode == 0, qPrintable(metainfo.output));
}

void TestInstall::installedCommandStartsTheProgram()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"BRIVELLO_QUIT_WHEN_SHOWN"_s, u"1"_s);
    // Started from elsewhere, the program still finds the disc beside itself.
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QDir::homePath());
    process.start(installed(u"bin/brivello"_s), {});
    QVERIFY(process.waitForFinished(120000));
    const QString output =
        QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, qPrintable(output));
    QVERIFY2(output.contains(u"shown: frmRing"_s), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
