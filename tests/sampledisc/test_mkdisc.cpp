// brivello-mkdisc on small sources made here: what it writes, what a second
// run leaves behind, and how it reports a mistake in the sources.
#include "data/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString mainHeader = QStringLiteral("song\tartiest\tGenre\tbestand\tbieps\n");
const QString toolsHeader =
    QStringLiteral("toolnaam\timgnr\ttelefoon\ttooltype\tmedium\tbeschrijving\ttype\tdirname\tstart\n");

struct Result
{
    int exitCode = -1;
    QString errors;
};

} // namespace

class TestMkdisc : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString sources() const { return m_dir.filePath(QStringLiteral("src")); }
    QString disc() const { return m_dir.filePath(QStringLiteral("disc")); }

    void write(const QString &relative, const QString &text)
    {
        const QString path = sources() + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }

    void writeSources(const QString &mainRows, const QString &toolRows)
    {
        write(QStringLiteral("catalogue/Main.tsv"), mainHeader + mainRows);
        write(QStringLiteral("catalogue/Genres.tsv"), QStringLiteral("Genre\nClassica\nNatale\n"));
        write(QStringLiteral("catalogue/Zoekmethodes.tsv"), QStringLiteral("Zoekmethode\nArtista\nTitolo\n"));
        write(QStringLiteral("catalogue/Rubrieken.tsv"), QStringLiteral("Groep\nAmore\n"));
        write(QStringLiteral("catalogue/Tools.tsv"), toolsHeader + toolRows);
    }

    static QString twoRingtones()
    {
        return QStringLiteral(
            "Per Elisa\tBeethoven\tClassica\tr001\tElise:d=8,o=5,b=125:e6,d#6,e6\n"
            "Astro del ciel\tGruber\tNatale/Classica\tr002\tAstro:d=4,o=5,b=80:g.,8a,g,2e.\n");
    }

    static QString twoTools()
    {
        return QStringLiteral(
            "Musicbox\t3\tTutti\tLettore\tNessuno\tAscolta le suonerie.\tP\tMusicbox\tmb.exe\n"
            "Raccolta\t31\tTutti\tTesti\tNessuno\tSuonerie in testo.\tK\traccolta\tleggimi.txt\n");
    }

    Result run(const QStringList &extra = {})
    {
        QProcess process;
        process.start(QStringLiteral(BRIVELLO_MKDISC),
                      QStringList{QStringLiteral("--source"), sources(), QStringLiteral("--disc"), disc(),
                                  QStringLiteral("--tool-demo"), QStringLiteral(BRIVELLO_TOOLDEMO),
                                  QStringLiteral("--sms-tool"), QStringLiteral(BRIVELLO_SMSTOOL)} +
                          extra);
        Result result;
        if (!process.waitForFinished(60000))
            return result;
        result.exitCode = process.exitCode();
        result.errors = QString::fromLocal8Bit(process.readAllStandardError());
        return result;
    }

    void expectFailure(const QString &file, int line, const QString &words)
    {
        const Result result = run();
        QVERIFY(result.exitCode != 0);
        QVERIFY2(result.errors.contains(QStringLiteral("%1:%2:").arg(file).arg(line)),
                 qPrintable(result.errors));
        QVERIFY2(result.errors.contains(words), qPrintable(result.errors));
    }

private Q_SLOTS:
    void init()
    {
        QDir(sources()).removeRecursively();
        QDir(disc()).removeRecursively();
    }

    void writesCatalogueRecordingsAndTools()
    {
        writeSources(twoRingtones(), twoTools());
        write(QStringLiteral("tools/raccolta/uno.txt"), QStringLiteral("uno\n"));
        write(QStringLiteral("tools/raccolta/due.txt"), QStringLiteral("due\n"));
        write(QStringLiteral("pages/belt.rtf"), QStringLiteral("{\\rtf1 aiuto}"));
        const Result result = run();
        QVERIFY2(result.exitCode == 0, qPrintable(result.errors));

        const auto catalogue =
            brivello::data::Catalogue::open(disc() + QStringLiteral("/datafiles/ringtones.dat"));
        const auto main = catalogue->table(QStringLiteral("Main"));
        QCOMPARE(main->rows().size(), std::size_t(2));
        const QStringList second = main->rows()[1];
        QCOMPARE(second.at(main->column(QStringLiteral("song"))), QStringLiteral("Astro del ciel"));
        QCOMPARE(second.at(main->column(QStringLiteral("Genre"))), QStringLiteral("Natale/Classica"));
        QCOMPARE(second.at(main->column(QStringLiteral("aantalnoten"))), QStringLiteral("4"));
        QCOMPARE(second.at(main->column(QStringLiteral("tempo"))), QStringLiteral("80"));
        QCOMPARE(second.at(main->column(QStringLiteral("nokia_scherm"))).split(QLatin1Char(' ')).size(), 4);
        QCOMPARE(catalogue->table(QStringLiteral("Tools"))->rows().size(), std::size_t(2));

        QVERIFY(QFileInfo(disc() + QStringLiteral("/datafiles/r001.dat")).size() > 44);
        QVERIFY(QFileInfo(disc() + QStringLiteral("/datafiles/r002.dat")).size() > 44);
        QVERIFY(QFileInfo::exists(disc() + QStringLiteral("/datafiles/belt.dat")));
        QVERIFY(QFileInfo(disc() + QStringLiteral("/tools/Musicbox/mb.exe")).isExecutable());
        QCOMPARE(QDir(disc() + QStringLiteral("/tools/raccolta")).entryList(QDir::Files),
                 QStringList(
                     {QStringLiteral("due.txt"), QStringLiteral("leggimi.txt"), QStringLiteral("uno.txt")}));
        QVERIFY(QFileInfo(disc() + QStringLiteral("/tools/smartsms limited edition/smartsmsle.exe"))
                    .isExecutable());
    }

    void aToolWithItsOwnProgramGetsItInsteadOfTheDemo()
    {
        writeSources(twoRingtones(),
                     twoTools() +
                         QStringLiteral("Altro\t4\tTutti\tUtilita\tNessuno\tAltro.\tS\taltro\taltro.exe\n"));
        // Any program other than the demo tells the two apart; the SMS tool is one.
        const Result result = run(
            {QStringLiteral("--tool-program"), QStringLiteral("MB.EXE=") + QStringLiteral(BRIVELLO_SMSTOOL)});
        QVERIFY2(result.exitCode == 0, qPrintable(result.errors));
        auto bytesOf = [](const QString &path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray own = bytesOf(QStringLiteral(BRIVELLO_SMSTOOL));
        const QByteArray demo = bytesOf(QStringLiteral(BRIVELLO_TOOLDEMO));
        QVERIFY(!own.isEmpty() && own != demo);
        QCOMPARE(bytesOf(disc() + QStringLiteral("/tools/Musicbox/mb.exe")), own);
        QCOMPARE(bytesOf(disc() + QStringLiteral("/tools/altro/altro.exe")), demo);
        QVERIFY(run({QStringLiteral("--tool-program"), QStringLiteral("=nothing")}).exitCode != 0);
    }

    void secondRunRemovesWhatIsGone()
    {
        writeSources(twoRingtones(), twoTools());
        write(QStringLiteral("pages/belt.rtf"), QStringLiteral("{\\rtf1 aiuto}"));
        QCOMPARE(run().exitCode, 0);
        writeSources(twoRingtones().section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n'),
                     twoTools().section(QLatin1Char('\n'), 1, 1) + QLatin1Char('\n'));
        QFile::remove(sources() + QStringLiteral("/pages/belt.rtf"));
        QCOMPARE(run().exitCode, 0);

        QCOMPARE(QDir(disc() + QStringLiteral("/datafiles")).entryList(QDir::Files),
                 QStringList({QStringLiteral("r001.dat"), QStringLiteral("ringtones.dat")}));
        QVERIFY(!QFileInfo::exists(disc() + QStringLiteral("/tools/Musicbox")));
        QVERIFY(QFileInfo::exists(disc() + QStringLiteral("/tools/raccolta/leggimi.txt")));
    }

    void mistakesInTheSourcesNameFileAndLine()
    {
        const QString main = sources() + QStringLiteral("/catalogue/Main.tsv");
        const QString tools = sources() + QStringLiteral("/catalogue/Tools.tsv");

        writeSources(twoRingtones() + QStringLiteral("Altra\tBach\tClassica\tR001\tA:d=4,o=5,b=90:c\n"),
                     twoTools());
        expectFailure(main, 4, QStringLiteral("R001"));

        writeSources(twoRingtones() + QStringLiteral("Altra\tBach\tJazz\tr003\tA:d=4,o=5,b=90:c\n"),
                     twoTools());
        expectFailure(main, 4, QStringLiteral("Jazz"));

        writeSources(QStringLiteral("Altra\tBach\tClassica\n"), twoTools());
        expectFailure(main, 2, QStringLiteral("header names 5 columns"));

        writeSources(QStringLiteral("Altra\tBach\tClassica\tr003\t\n"), twoTools());
        expectFailure(main, 2, QStringLiteral("bieps"));

        // A field that is \N (NULL) is no title.
        writeSources(twoRingtones() + QStringLiteral("\\N\tBach\tClassica\tr003\tA:d=4,o=5,b=90:c\n"),
                     twoTools());
        expectFailure(main, 4, QStringLiteral("song is empty"));

        writeSources(twoRingtones(),
                     twoTools() + QStringLiteral("L'editor\t2\tT\tT\tM\tD\tS\teditor\te.exe\n"));
        expectFailure(tools, 4, QStringLiteral("apostrophe"));

        writeSources(twoRingtones(),
                     twoTools() + QStringLiteral("Raccolta\t2\tT\tT\tM\tD\tS\taltra\te.exe\n"));
        expectFailure(tools, 4, QStringLiteral("twice"));

        writeSources(twoRingtones(),
                     twoTools() + QStringLiteral("Editor\t32\tT\tT\tM\tD\tS\teditor\te.exe\n"));
        expectFailure(tools, 4, QStringLiteral("imgnr"));

        // Nothing is written while the sources are wrong.
        QVERIFY(!QFileInfo::exists(disc() + QStringLiteral("/datafiles/ringtones.dat")));
    }
};

QTEST_GUILESS_MAIN(TestMkdisc)
#include "test_mkdisc.moc"
