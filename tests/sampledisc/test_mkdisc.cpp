// brivello-mkdisc on small sources made here: what it writes, what a second
// run leaves behind, and how it reports a mistake in the sources.
#include "data/Catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString mainHeader = u"song\tartiest\tGenre\tbestand\tbieps\n"_s;
const QString toolsHeader =
    u"toolnaam\timgnr\ttelefoon\ttooltype\tmedium\tbeschrijving\ttype\tdirname\tstart\n"_s;

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

    QString sources() const { return m_dir.filePath(u"src"_s); }
    QString disc() const { return m_dir.filePath(u"disc"_s); }

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
        write(u"catalogue/Main.tsv"_s, mainHeader + mainRows);
        write(u"catalogue/Genres.tsv"_s, u"Genre\nClassica\nNatale\n"_s);
        write(u"catalogue/Zoekmethodes.tsv"_s, u"Zoekmethode\nArtista\nTitolo\n"_s);
        write(u"catalogue/Rubrieken.tsv"_s, u"Groep\nAmore\n"_s);
        write(u"catalogue/Tools.tsv"_s, toolsHeader + toolRows);
    }

    static QString twoRingtones()
    {
        return u"Per Elisa\tBeethoven\tClassica\tr001\tElise:d=8,o=5,b=125:e6,d#6,e6\n"
               "Astro del ciel\tGruber\tNatale/Classica\tr002\tAstro:d=4,o=5,b=80:g.,8a,g,2e.\n"_s;
    }

    static QString twoTools()
    {
        return u"Musicbox\t3\tTutti\tLettore\tNessuno\tAscolta le suonerie.\tP\tMusicbox\tmb.exe\n"
               "Raccolta\t31\tTutti\tTesti\tNessuno\tSuonerie in testo.\tK\traccolta\tleggimi.txt\n"_s;
    }

    Result run(const QStringList &extra = {})
    {
        QProcess process;
        process.start(QString::fromUtf8(BRIVELLO_MKDISC),
                      QStringList{u"--source"_s, sources(), u"--disc"_s, disc(), u"--tool-demo"_s,
                                  QString::fromUtf8(BRIVELLO_TOOLDEMO), u"--sms-tool"_s,
                                  QString::fromUtf8(BRIVELLO_SMSTOOL)} +
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
        QVERIFY2(result.errors.contains(u"%1:%2:"_s.arg(file).arg(line)), qPrintable(result.errors));
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
        write(u"tools/raccolta/uno.txt"_s, u"uno\n"_s);
        write(u"tools/raccolta/due.txt"_s, u"due\n"_s);
        write(u"pages/belt.rtf"_s, u"{\\rtf1 aiuto}"_s);
        const Result result = run();
        QVERIFY2(result.exitCode == 0, qPrintable(result.errors));

        const auto catalogue = brivello::data::Catalogue::open(disc() + u"/datafiles/ringtones.dat"_s);
        const auto main = catalogue->table(u"Main"_s);
        QCOMPARE(main->rows().size(), std::size_t(2));
        const QStringList second = main->rows()[1];
        QCOMPARE(second.at(main->column(u"song"_s)), u"Astro del ciel"_s);
        QCOMPARE(second.at(main->column(u"Genre"_s)), u"Natale/Classica"_s);
        QCOMPARE(second.at(main->column(u"aantalnoten"_s)), u"4"_s);
        QCOMPARE(second.at(main->column(u"tempo"_s)), u"80"_s);
        QCOMPARE(second.at(main->column(u"nokia_scherm"_s)).split(QLatin1Char(' ')).size(), 4);
        QCOMPARE(catalogue->table(u"Tools"_s)->rows().size(), std::size_t(2));

        QVERIFY(QFileInfo(disc() + u"/datafiles/r001.dat"_s).size() > 44);
        QVERIFY(QFileInfo(disc() + u"/datafiles/r002.dat"_s).size() > 44);
        QVERIFY(QFileInfo::exists(disc() + u"/datafiles/belt.dat"_s));
        QVERIFY(QFileInfo(disc() + u"/tools/Musicbox/mb.exe"_s).isExecutable());
        QCOMPARE(QDir(disc() + u"/tools/raccolta"_s).entryList(QDir::Files),
                 QStringList({u"due.txt"_s, u"leggimi.txt"_s, u"uno.txt"_s}));
        QVERIFY(QFileInfo(disc() + u"/tools/smartsms limited edition/smartsmsle.exe"_s).isExecutable());
    }

    void aToolWithItsOwnProgramGetsItInsteadOfTheDemo()
    {
        writeSources(twoRingtones(),
                     twoTools() + u"Altro\t4\tTutti\tUtilita\tNessuno\tAltro.\tS\taltro\taltro.exe\n"_s);
        // Any program other than the demo tells the two apart; the SMS tool is one.
        const Result result = run({u"--tool-program"_s, u"MB.EXE="_s + QString::fromUtf8(BRIVELLO_SMSTOOL)});
        QVERIFY2(result.exitCode == 0, qPrintable(result.errors));
        auto bytesOf = [](const QString &path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray own = bytesOf(QString::fromUtf8(BRIVELLO_SMSTOOL));
        const QByteArray demo = bytesOf(QString::fromUtf8(BRIVELLO_TOOLDEMO));
        QVERIFY(!own.isEmpty() && own != demo);
        QCOMPARE(bytesOf(disc() + u"/tools/Musicbox/mb.exe"_s), own);
        QCOMPARE(bytesOf(disc() + u"/tools/altro/altro.exe"_s), demo);
        QVERIFY(run({u"--tool-program"_s, u"=nothing"_s}).exitCode != 0);
    }

    void secondRunRemovesWhatIsGone()
    {
        writeSources(twoRingtones(), twoTools());
        write(u"pages/belt.rtf"_s, u"{\\rtf1 aiuto}"_s);
        QCOMPARE(run().exitCode, 0);
        writeSources(twoRingtones().section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n'),
                     twoTools().section(QLatin1Char('\n'), 1, 1) + QLatin1Char('\n'));
        QFile::remove(sources() + u"/pages/belt.rtf"_s);
        QCOMPARE(run().exitCode, 0);

        QCOMPARE(QDir(disc() + u"/datafiles"_s).entryList(QDir::Files),
                 QStringList({u"r001.dat"_s, u"ringtones.dat"_s}));
        QVERIFY(!QFileInfo::exists(disc() + u"/tools/Musicbox"_s));
        QVERIFY(QFileInfo::exists(disc() + u"/tools/raccolta/leggimi.txt"_s));
    }

    void mistakesInTheSourcesNameFileAndLine()
    {
        const QString main = sources() + u"/catalogue/Main.tsv"_s;
        const QString tools = sources() + u"/catalogue/Tools.tsv"_s;

        writeSources(twoRingtones() + u"Altra\tBach\tClassica\tR001\tA:d=4,o=5,b=90:c\n"_s, twoTools());
        expectFailure(main, 4, u"R001"_s);

        writeSources(twoRingtones() + u"Altra\tBach\tJazz\tr003\tA:d=4,o=5,b=90:c\n"_s, twoTools());
        expectFailure(main, 4, u"Jazz"_s);

        writeSources(u"Altra\tBach\tClassica\n"_s, twoTools());
        expectFailure(main, 2, u"header names 5 columns"_s);

        writeSources(u"Altra\tBach\tClassica\tr003\t\n"_s, twoTools());
        expectFailure(main, 2, u"bieps"_s);

        // A field that is \N (NULL) is no title.
        writeSources(twoRingtones() + u"\\N\tBach\tClassica\tr003\tA:d=4,o=5,b=90:c\n"_s, twoTools());
        expectFailure(main, 4, u"song is empty"_s);

        writeSources(twoRingtones(), twoTools() + u"L'editor\t2\tT\tT\tM\tD\tS\teditor\te.exe\n"_s);
        expectFailure(tools, 4, u"apostrophe"_s);

        writeSources(twoRingtones(), twoTools() + u"Raccolta\t2\tT\tT\tM\tD\tS\taltra\te.exe\n"_s);
        expectFailure(tools, 4, u"twice"_s);

        writeSources(twoRingtones(), twoTools() + u"Editor\t32\tT\tT\tM\tD\tS\teditor\te.exe\n"_s);
        expectFailure(tools, 4, u"imgnr"_s);

        // Nothing is written while the sources are wrong.
        QVERIFY(!QFileInfo::exists(disc() + u"/datafiles/ringtones.dat"_s));
    }
};

QTEST_GUILESS_MAIN(TestMkdisc)
#include "test_mkdisc.moc"
