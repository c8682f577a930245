// The assembled sample disc: every file of the layout, the five tables with
// the cases the windows rely on, and a valid recording for every ringtone.
#include "DiscTestSupport.h"

#include "data/Catalogue.h"
#include "data/CatalogueError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

using brivello::data::Catalogue;
using brivello::data::Table;
using brivello::test::onDisc;
using brivello::test::sampleDiscSources;
using brivello::test::testDisc;

namespace {

QStringList columnValues(const Table &table, const QString &column)
{
    QStringList values;
    const int index = table.column(column);
    for (const QStringList &row : table.rows())
        values.append(row.at(index));
    return values;
}

// Length in seconds of an RTTTL text, worked out here from the text alone:
// each note lasts 4/duration beats at b beats a minute, half as long again
// when dotted. Only the canonical spelling (e.g. "8c#6.") is accepted.
double rtttlSeconds(const QString &rtttl, QString *problem)
{
    const QStringList sections = rtttl.split(QLatin1Char(':'));
    if (sections.size() != 3) {
        *problem = u"not three sections"_s;
        return 0;
    }
    int duration = 4, bpm = 63;
    for (const QString &setting : sections[1].split(QLatin1Char(','))) {
        const QStringList pair = setting.trimmed().split(QLatin1Char('='));
        if (pair.size() == 2 && pair[0] == QLatin1String("d"))
            duration = pair[1].toInt();
        else if (pair.size() == 2 && pair[0] == QLatin1String("b"))
            bpm = pair[1].toInt();
    }
    static const QRegularExpression note(u"^(\\d*)([a-gp]#?)(\\d?)(\\.?)$"_s);
    double seconds = 0;
    for (const QString &token : sections[2].split(QLatin1Char(','))) {
        const QRegularExpressionMatch match = note.match(token.trimmed());
        if (!match.hasMatch()) {
            *problem = u"note %1"_s.arg(token);
            return 0;
        }
        const int noteDuration = match.captured(1).isEmpty() ? duration : match.captured(1).toInt();
        double length = 60.0 / bpm * 4.0 / noteDuration;
        if (!match.captured(4).isEmpty())
            length *= 1.5;
        seconds += length;
    }
    return seconds;
}

struct WavInfo
{
    bool valid = false;
    QString problem;
    int sampleRate = 0;
    double seconds = 0;
};

// Walks the RIFF chunks the way a strict player does.
WavInfo readWav(const QByteArray &bytes)
{
    WavInfo info;
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        info.problem = u"no RIFF WAVE header"_s;
        return info;
    }
    if (u32(4) != quint32(bytes.size() - 8)) {
        info.problem = u"RIFF length %1 for a file of %2 bytes"_s.arg(u32(4)).arg(bytes.size());
        return info;
    }
    int channels = 0, bits = 0;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(at + 4);
        if (at + 8 + qsizetype(size) > bytes.size()) {
            info.problem = u"chunk %1 runs past the end"_s.arg(QString::fromLatin1(id));
            return info;
        }
        if (id == "fmt ") {
            if (u16(at + 8) != 1) {
                info.problem = u"not PCM"_s;
                return info;
            }
            channels = u16(at + 10);
            info.sampleRate = int(u32(at + 12));
            bits = u16(at + 22);
        } else if (id == "data") {
            if (channels != 1 || (bits != 8 && bits != 16)) {
                info.problem = u"not mono 8 or 16 bit before the data"_s;
                return info;
            }
            info.seconds = double(size) / (info.sampleRate * channels * (bits / 8));
            info.valid = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!info.valid)
        info.problem = u"no data chunk"_s;
    return info;
}

} // namespace

class TestSampleDisc : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<Catalogue> m_catalogue;

    std::shared_ptr<const Table> table(const QString &name) { return m_catalogue->table(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(testDisc()).isDir(), qPrintable(testDisc()));
        try {
            m_catalogue = Catalogue::open(onDisc(u".\\datafiles\\ringtones.dat"_s));
        } catch (const brivello::data::CatalogueError &error) {
            QFAIL(error.what());
        }
    }

    void layoutFilesExist_data()
    {
        QTest::addColumn<QString>("path");
        const QStringList paths = {u"datafiles\\ringtones.dat"_s, u"tools\\Musicbox"_s,
                                   u"tools\\smartsms limited edition\\smartsmsle.exe"_s};
        for (const QString &path : paths)
            QTest::newRow(qPrintable(path)) << path;
        // The logo gallery writes "Datafiles": both spellings reach one folder.
        QTest::newRow("Datafiles\\RINGTONES.DAT") << u"Datafiles\\RINGTONES.DAT"_s;
    }

    void layoutFilesExist()
    {
        QFETCH(QString, path);
        QVERIFY2(QFileInfo::exists(onDisc(path)), qPrintable(onDisc(path)));
    }

    void smsToolIsAProgram()
    {
        const QFileInfo tool(onDisc(u"\\tools\\smartsms limited edition\\smartsmsle.exe"_s));
        QVERIFY(tool.isFile());
        QVERIFY(tool.isExecutable());
    }

    // Each page is checked once its rich-text source has been written.
    void pagesAreOnTheDisc_data()
    {
        QTest::addColumn<QString>("page");
        QStringList pages;
        for (int i = 1; i <= 8; ++i)
            pages.append(u"pag1-%1"_s.arg(i));
        for (int i = 1; i <= 3; ++i)
            pages.append(u"nokpg1-%1"_s.arg(i));
        pages << u"pag3-1"_s << u"belt"_s << u"info"_s << u"logos"_s << u"tools"_s;
        for (const QString &page : pages)
            QTest::newRow(qPrintable(page)) << page;
    }

    void pagesAreOnTheDisc()
    {
        QFETCH(QString, page);
        const QString source = sampleDiscSources() + u"/pages/"_s + page + u".rtf"_s;
        if (!QFileInfo::exists(source))
            QSKIP("the page's source is not written yet");
        QFile onDiscFile(onDisc(u".\\datafiles\\"_s + page + u".dat"_s));
        QVERIFY2(onDiscFile.open(QIODevice::ReadOnly), qPrintable(onDiscFile.fileName()));
        QFile sourceFile(source);
        QVERIFY(sourceFile.open(QIODevice::ReadOnly));
        const QByteArray bytes = onDiscFile.readAll();
        QVERIFY(bytes.startsWith("{\\rtf"));
        QCOMPARE(bytes, sourceFile.readAll());
    }

    void linksPageIsInTheRoot()
    {
        if (!QFileInfo::exists(sampleDiscSources() + u"/pages/links.htm"_s))
            QSKIP("the links page is not written yet");
        QFile links(onDisc(u".\\links.htm"_s));
        QVERIFY(links.open(QIODevice::ReadOnly));
        QVERIFY(links.readAll().toLower().contains("<a href="));
    }

    void everyRingtoneIsComplete()
    {
        const auto main = table(u"Main"_s);
        QVERIFY2(main->rows().size() >= 150, qPrintable(QString::number(main->rows().size())));
        const QStringList fields = {u"song"_s,       u"artiest"_s,      u"Genre"_s,   u"bestand"_s,
                                    u"nokia_hand"_s, u"nokia_scherm"_s, u"siemens"_s, u"ericsson"_s,
                                    u"motorola"_s,   u"aantalnoten"_s,  u"tempo"_s,   u"bieps"_s};
        for (const QString &field : fields)
            QVERIFY2(main->column(field) >= 0, qPrintable(field));
        for (const QStringList &row : main->rows()) {
            for (const QString &field : fields)
                QVERIFY2(!row.at(main->column(field)).isEmpty(),
                         qPrintable(row.at(main->column(u"bestand"_s)) + QLatin1Char(' ') + field));
        }
        const QStringList files = columnValues(*main, u"bestand"_s);
        QSet<QString> distinct;
        for (const QString &file : files)
            distinct.insert(file.toLower());
        QCOMPARE(distinct.size(), files.size());
    }

    // aantalnoten and tempo follow the ringtone text, counted independently.
    void countsAndTempoFollowTheText()
    {
        const auto main = table(u"Main"_s);
        static const QRegularExpression bpm(u"b=(\\d+)"_s);
        for (const QStringList &row : main->rows()) {
            const QString rtttl = row.at(main->column(u"bieps"_s));
            const QString notes = rtttl.section(QLatin1Char(':'), 2);
            QCOMPARE(row.at(main->column(u"aantalnoten"_s)),
                     QString::number(notes.split(QLatin1Char(',')).size()));
            QCOMPARE(row.at(main->column(u"tempo"_s)), bpm.match(rtttl).captured(1));
        }
    }

    void nokiaScreenCodeHasOneEntryPerNote()
    {
        const auto main = table(u"Main"_s);
        for (const QStringList &row : main->rows()) {
            const int notes = row.at(main->column(u"aantalnoten"_s)).toInt();
            const QStringList entries =
                row.at(main->column(u"nokia_scherm"_s)).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QCOMPARE(entries.size(), notes);
        }
    }

    void searchCasesArePresent()
    {
        const auto main = table(u"Main"_s);
        const QStringList artists = columnValues(*main, u"artiest"_s);
        const QStringList songs = columnValues(*main, u"song"_s);
        QStringList upper;
        for (const QString &artist : artists)
            upper.append(artist.toUpper());

        QVERIFY(upper.filter(u"SOLDARA"_s).size() > 0);
        QVERIFY(upper.filter(u"SOLDRA"_s).size() > 0);
        QVERIFY(songs.filter(u"'"_s).size() > 0);
        QVERIFY(artists.filter(u"'"_s).size() > 0);

        // A name typed with I where the catalogue writes Y (and the reverse)
        // is found only through its name variant.
        auto beginsSomeName = [&](const QString &prefix) {
            for (const QString &name : upper) {
                if (name.startsWith(prefix))
                    return true;
            }
            return false;
        };
        auto variantFinds = [&](QChar inName, QChar typed) {
            for (const QString &name : upper) {
                const qsizetype at = name.indexOf(inName);
                if (at < 0 || name.left(at).contains(typed))
                    continue;
                QString typedName = name;
                typedName[at] = typed;
                if (!beginsSomeName(typedName))
                    return true;
            }
            return false;
        };
        QVERIFY(variantFinds(QLatin1Char('Y'), QLatin1Char('I')));
        QVERIFY(variantFinds(QLatin1Char('I'), QLatin1Char('Y')));

        auto hasAccent = [](const QString &text) {
            for (const QChar c : text) {
                if (c.unicode() > 0x7F && c.isLetter())
                    return true;
            }
            return false;
        };
        QVERIFY(std::any_of(songs.begin(), songs.end(), hasAccent));
        QVERIFY(std::any_of(artists.begin(), artists.end(), hasAccent));
    }

    void sameTitleAndArtistWithTwoRecordings()
    {
        const auto main = table(u"Main"_s);
        QHash<QString, QString> firstFile;
        bool found = false;
        for (const QStringList &row : main->rows()) {
            const QString key =
                row.at(main->column(u"song"_s)) + QLatin1Char('\t') + row.at(main->column(u"artiest"_s));
            const QString file = row.at(main->column(u"bestand"_s));
            if (firstFile.contains(key) && firstFile.value(key) != file)
                found = true;
            firstFile.insert(key, file);
        }
        QVERIFY(found);
    }

    void genresListEveryGenreUsedOnce()
    {
        const QStringList genres = columnValues(*table(u"Genres"_s), u"Genre"_s);
        QCOMPARE(QSet<QString>(genres.begin(), genres.end()).size(), genres.size());
        QSet<QString> used;
        const QStringList values = columnValues(*table(u"Main"_s), u"Genre"_s);
        for (const QString &value : values) {
            for (const QString &genre : value.split(QLatin1Char('/')))
                used.insert(genre);
        }
        QCOMPARE(used, QSet<QString>(genres.begin(), genres.end()));
    }

    // The genre search finds a genre last, first or alone in the field; one
    // genre of the disc stands in all three places.
    void aGenreStandsFirstLastAndAlone()
    {
        const QStringList genres = columnValues(*table(u"Genres"_s), u"Genre"_s);
        const QStringList values = columnValues(*table(u"Main"_s), u"Genre"_s);
        bool found = false;
        for (const QString &genre : genres) {
            const bool alone = values.contains(genre);
            const bool first =
                !values
                     .filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(genre) +
                                                QLatin1Char('/')))
                     .isEmpty();
            const bool last =
                !values
                     .filter(QRegularExpression(QLatin1Char('/') + QRegularExpression::escape(genre) +
                                                QLatin1Char('$')))
                     .isEmpty();
            found = found || (alone && first && last);
        }
        QVERIFY(found);
    }

    void searchMethodsAndLogoCategories()
    {
        QCOMPARE(columnValues(*table(u"Zoekmethodes"_s), u"Zoekmethode"_s),
                 QStringList({u"Artista"_s, u"Titolo"_s, u"Titolo + Artista"_s, u"Genere"_s,
                              u"Artista + Genere"_s, u"Titolo + Genere"_s}));
        QCOMPARE(columnValues(*table(u"Rubrieken"_s), u"Groep"_s),
                 QStringList({u"Amore"_s, u"Persone"_s, u"Animali"_s, u"Testi"_s, u"Viaggi & Vacanze"_s}));
    }

    void toolsKeepTheirLimits()
    {
        const auto tools = table(u"Tools"_s);
        QVERIFY(tools->rows().size() >= 20 && tools->rows().size() <= 31);
        const QStringList names = columnValues(*tools, u"toolnaam"_s);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        QVERIFY(names.filter(u"'"_s).isEmpty());
        QVERIFY(names.contains(u"Musicbox"_s));
        QSet<int> pictures;
        for (const QString &picture : columnValues(*tools, u"imgnr"_s)) {
            bool ok = false;
            const int number = picture.toInt(&ok);
            QVERIFY2(ok && number >= 1 && number <= 31, qPrintable(picture));
            pictures.insert(number);
        }
        QVERIFY(pictures.contains(1) && pictures.contains(31));
        const QStringList types = columnValues(*tools, u"type"_s);
        QVERIFY(types.count(u"K"_s) >= 1);
        QVERIFY(types.size() - types.count(u"K"_s) >= 3);
        for (const QString &field :
             {u"telefoon"_s, u"tooltype"_s, u"medium"_s, u"beschrijving"_s, u"dirname"_s, u"start"_s})
            QVERIFY2(!columnValues(*tools, field).contains(QString()), qPrintable(field));
    }

    void everyToolFolderHoldsItsFiles()
    {
        const auto tools = table(u"Tools"_s);
        for (const QStringList &row : tools->rows()) {
            const QString name = row.at(tools->column(u"toolnaam"_s));
            const QString type = row.at(tools->column(u"type"_s));
            const QString folder = onDisc(u"\\tools\\"_s + row.at(tools->column(u"dirname"_s)));
            const QStringList files = QDir(folder).entryList(QDir::Files);
            QVERIFY2(!files.isEmpty(), qPrintable(folder));
            if (type == QLatin1String("K")) {
                QVERIFY2(files.size() >= 2, qPrintable(name));
                continue;
            }
            const QString programFolder =
                name == QLatin1String("Musicbox") ? onDisc(u"\\tools\\Musicbox"_s) : folder;
            const QFileInfo program(programFolder + QLatin1Char('/') + row.at(tools->column(u"start"_s)));
            QVERIFY2(program.isFile() && program.isExecutable(), qPrintable(program.filePath()));
        }
    }

    void everyRecordingIsAWavAsLongAsItsMelody()
    {
        const auto main = table(u"Main"_s);
        for (const QStringList &row : main->rows()) {
            const QString file = row.at(main->column(u"bestand"_s));
            QFile recording(onDisc(u"\\datafiles\\"_s + file + u".dat"_s));
            QVERIFY2(recording.open(QIODevice::ReadOnly), qPrintable(recording.fileName()));
            const WavInfo wav = readWav(recording.readAll());
            QVERIFY2(wav.valid, qPrintable(file + u": "_s + wav.problem));
            QVERIFY2(wav.sampleRate == 8000 || wav.sampleRate == 16000, qPrintable(file));
            QString problem;
            const double expected = rtttlSeconds(row.at(main->column(u"bieps"_s)), &problem);
            QVERIFY2(problem.isEmpty(), qPrintable(file + u": "_s + problem));
            const double tolerance = std::max(0.05, expected * 0.02);
            QVERIFY2(std::abs(wav.seconds - expected) <= tolerance,
                     qPrintable(
                         u"%1: %2 s recorded, %3 s in the text"_s.arg(file).arg(wav.seconds).arg(expected)));
        }
    }

    // Nothing in datafiles/ but the database, the recordings and the pages.
    void datafilesHoldNoLeftovers()
    {
        QSet<QString> expected = {u"ringtones.dat"_s};
        for (const QString &file : columnValues(*table(u"Main"_s), u"bestand"_s))
            expected.insert(file.toLower() + u".dat"_s);
        const QStringList pages =
            QDir(sampleDiscSources() + u"/pages"_s).entryList({u"*.rtf"_s}, QDir::Files);
        for (const QString &page : pages)
            expected.insert(QFileInfo(page).completeBaseName().toLower() + u".dat"_s);
        const QStringList onDiscFiles = QDir(onDisc(u"datafiles"_s)).entryList(QDir::Files);
        QCOMPARE(onDiscFiles.size(), expected.size());
        for (const QString &file : onDiscFiles)
            QVERIFY2(expected.contains(file.toLower()), qPrintable(file));
    }
};

QTEST_GUILESS_MAIN(TestSampleDisc)
#include "test_sampledisc.moc"
