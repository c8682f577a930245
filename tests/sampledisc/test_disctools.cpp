// The outside programs on the sample disc: the SMS tool records what it was
// handed, and every tool started from the disc runs and says who it is.
#include "DiscTestSupport.h"

#include "data/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using brivello::test::onDisc;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray output;
};

Run runProgram(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.output = process.readAllStandardOutput();
    return run;
}

// The outbox is a series of blocks of "Key: value" lines.
QList<QMap<QString, QString>> readOutbox(const QString &path)
{
    QList<QMap<QString, QString>> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QMap<QString, QString> entry;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty()) {
            if (!entry.isEmpty())
                entries.append(entry);
            entry.clear();
            continue;
        }
        entry.insert(line.section(QStringLiteral(": "), 0, 0), line.section(QStringLiteral(": "), 1));
    }
    return entries;
}

} // namespace

class TestDiscTools : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    QString smsTool() const
    {
        return onDisc(QStringLiteral("\\tools\\smartsms limited edition\\smartsmsle.exe"));
    }
    QString outbox() const { return m_home.filePath(QStringLiteral("smartsmsle/outbox.txt")); }

    QProcessEnvironment smsEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.path());
        environment.insert(QStringLiteral("BRIVELLO_SMS_NO_WINDOW"), QStringLiteral("1"));
        return environment;
    }

    QString writeScratchFile(const QByteArray &line)
    {
        const QString path = m_home.filePath(QStringLiteral("disc folder/temp.txt"));
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(line + "\r\n");
        return path;
    }

private Q_SLOTS:
    void init() { QFile::remove(outbox()); }

    void smsToolRecordsNumberAndRingtone()
    {
        // "Händel" in Windows-1252, in a folder whose name has a blank.
        const QString scratch = writeScratchFile("H\xe4ndel:Alleluia:d=8,o=5,b=100:4d6,a.,16b,a");
        const QString request = QStringLiteral("0039333123456##") + scratch;
        QCOMPARE(runProgram(smsTool(), {request}, smsEnvironment()).exitCode, 0);
        QCOMPARE(runProgram(smsTool(), {QStringLiteral("0039347000##") + scratch}, smsEnvironment()).exitCode,
                 0);

        const auto entries = readOutbox(outbox());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].value(QStringLiteral("Argomenti")), request);
        QCOMPARE(entries[0].value(QStringLiteral("Numero")), QStringLiteral("0039333123456"));
        QCOMPARE(entries[0].value(QStringLiteral("File")), scratch);
        QCOMPARE(entries[0].value(QStringLiteral("Contenuto")),
                 QStringLiteral("Händel:Alleluia:d=8,o=5,b=100:4d6,a.,16b,a"));
        QCOMPARE(entries[1].value(QStringLiteral("Numero")), QStringLiteral("0039347000"));
    }

    // A caller that splits the line at the blank in the folder name still
    // reaches the whole scratch file path.
    void smsToolJoinsASplitCommandLine()
    {
        const QString scratch = writeScratchFile("Verdi:Donna:d=8,o=5,b=140:a,a,a");
        const QString request = QStringLiteral("0039333##") + scratch;
        QCOMPARE(runProgram(smsTool(), request.split(QLatin1Char(' ')), smsEnvironment()).exitCode, 0);
        const auto entries = readOutbox(outbox());
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].value(QStringLiteral("File")), scratch);
        QCOMPARE(entries[0].value(QStringLiteral("Contenuto")),
                 QStringLiteral("Verdi:Donna:d=8,o=5,b=140:a,a,a"));
    }

    void smsToolStartedAloneOrWithoutScratchFile()
    {
        QCOMPARE(runProgram(smsTool(), {}, smsEnvironment()).exitCode, 0);
        const QString missing = m_home.filePath(QStringLiteral("nowhere/temp.txt"));
        QCOMPARE(runProgram(smsTool(), {QStringLiteral("0039333##") + missing}, smsEnvironment()).exitCode,
                 0);
        const auto entries = readOutbox(outbox());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].value(QStringLiteral("Numero")), QString());
        QCOMPARE(entries[0].value(QStringLiteral("File")), QString());
        QCOMPARE(entries[1].value(QStringLiteral("File")), missing);
        QCOMPARE(entries[1].value(QStringLiteral("Contenuto")), QStringLiteral("(file non trovato)"));
    }

    void everyStartedToolRunsAndNamesItself()
    {
        const auto catalogue =
            brivello::data::Catalogue::open(onDisc(QStringLiteral(".\\datafiles\\ringtones.dat")));
        const auto tools = catalogue->table(QStringLiteral("Tools"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("BRIVELLO_TOOL_QUIT"), QStringLiteral("1"));
        int started = 0;
        for (const QStringList &row : tools->rows()) {
            if (row.at(tools->column(QStringLiteral("type"))) == QLatin1String("K"))
                continue;
            const QString dirname = row.at(tools->column(QStringLiteral("dirname")));
            const QString folder =
                row.at(tools->column(QStringLiteral("toolnaam"))) == QLatin1String("Musicbox")
                    ? QStringLiteral("Musicbox")
                    : dirname;
            const QString program = onDisc(QStringLiteral("\\tools\\") + folder + QLatin1Char('\\') +
                                           row.at(tools->column(QStringLiteral("start"))));
            const Run run = runProgram(program, {}, environment);
            QVERIFY2(run.exitCode == 0, qPrintable(program));
            QCOMPARE(QString::fromUtf8(run.output).section(QLatin1Char('\n'), 0, 0), folder);
            ++started;
        }
        QVERIFY(started >= 3);
    }
};

QTEST_GUILESS_MAIN(TestDiscTools)
#include "test_disctools.moc"
