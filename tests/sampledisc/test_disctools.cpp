// The outside programs on the sample disc: the SMS tool records what it was
// handed, and every tool started from the disc runs and says who it is.
#include "DiscTestSupport.h"

#include "data/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

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
        entry.insert(line.section(u": "_s, 0, 0), line.section(u": "_s, 1));
    }
    return entries;
}

} // namespace

class TestDiscTools : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    QString smsTool() const { return onDisc(u"\\tools\\smartsms limited edition\\smartsmsle.exe"_s); }
    QString outbox() const { return m_home.filePath(u"smartsmsle/outbox.txt"_s); }

    QProcessEnvironment smsEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_DATA_HOME"_s, m_home.path());
        environment.insert(u"BRIVELLO_SMS_NO_WINDOW"_s, u"1"_s);
        return environment;
    }

    QString writeScratchFile(const QByteArray &line)
    {
        const QString path = m_home.filePath(u"disc folder/temp.txt"_s);
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
        const QString request = u"0039333123456##"_s + scratch;
        QCOMPARE(runProgram(smsTool(), {request}, smsEnvironment()).exitCode, 0);
        QCOMPARE(runProgram(smsTool(), {u"0039347000##"_s + scratch}, smsEnvironment()).exitCode, 0);

        const auto entries = readOutbox(outbox());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].value(u"Argomenti"_s), request);
        QCOMPARE(entries[0].value(u"Numero"_s), u"0039333123456"_s);
        QCOMPARE(entries[0].value(u"File"_s), scratch);
        QCOMPARE(entries[0].value(u"Contenuto"_s), u"Händel:Alleluia:d=8,o=5,b=100:4d6,a.,16b,a"_s);
        QCOMPARE(entries[1].value(u"Numero"_s), u"0039347000"_s);
    }

    // A caller that splits the line at the blank in the folder name still
    // reaches the whole scratch file path.
    void smsToolJoinsASplitCommandLine()
    {
        const QString scratch = writeScratchFile("Verdi:Donna:d=8,o=5,b=140:a,a,a");
        const QString request = u"0039333##"_s + scratch;
        QCOMPARE(runProgram(smsTool(), request.split(QLatin1Char(' ')), smsEnvironment()).exitCode, 0);
        const auto entries = readOutbox(outbox());
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].value(u"File"_s), scratch);
        QCOMPARE(entries[0].value(u"Contenuto"_s), u"Verdi:Donna:d=8,o=5,b=140:a,a,a"_s);
    }

    void smsToolStartedAloneOrWithoutScratchFile()
    {
        QCOMPARE(runProgram(smsTool(), {}, smsEnvironment()).exitCode, 0);
        const QString missing = m_home.filePath(u"nowhere/temp.txt"_s);
        QCOMPARE(runProgram(smsTool(), {u"0039333##"_s + missing}, smsEnvironment()).exitCode, 0);
        const auto entries = readOutbox(outbox());
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].value(u"Numero"_s), QString());
        QCOMPARE(entries[0].value(u"File"_s), QString());
        QCOMPARE(entries[1].value(u"File"_s), missing);
        QCOMPARE(entries[1].value(u"Contenuto"_s), u"(file non trovato)"_s);
    }

    void everyStartedToolRunsAndNamesItself()
    {
        const auto catalogue = brivello::data::Catalogue::open(onDisc(u".\\datafiles\\ringtones.dat"_s));
        const auto tools = catalogue->table(u"Tools"_s);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"BRIVELLO_TOOL_QUIT"_s, u"1"_s);
        int started = 0;
        for (const QStringList &row : tools->rows()) {
            if (row.at(tools->column(u"type"_s)) == QLatin1String("K"))
                continue;
            const QString dirname = row.at(tools->column(u"dirname"_s));
            const QString folder =
                row.at(tools->column(u"toolnaam"_s)) == QLatin1String("Musicbox") ? u"Musicbox"_s : dirname;
            const QString program =
                onDisc(u"\\tools\\"_s + folder + QLatin1Char('\\') + row.at(tools->column(u"start"_s)));
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
