// Every logo of the gallery saved in each of the editor's formats, read back
// by a reader other than its writer: Debian's gammu for the files we write
// ourselves (BMP, WBMP), ImageMagick for BMP, WBMP and OTB, the published
// layouts for the files libGammu writes (.nol, .ngg, .nlm), and gnokii as a
// second outside reader of the Nokia files and OTB. A reader that is not
// installed skips its check, saying what it looked for.

#include "logos/pictures/LogoCatalogue.h"
#include "tests/logotools/LogoToolsTestSupport.h"
#include "tools/logotools/gammu/GammuBitmap.h"
#include "tools/logotools/picture/PictureFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::logotools;
using test::fileContents;
using test::pixelDifference;

namespace {

struct SavedLogo
{
    logos::Category category;
    int number;
    QImage picture;
    // The file of each format, by extension.
    QMap<QString, QString> files;
};

QString logoName(const SavedLogo &logo)
{
    return u"%1 logo %2"_s.arg(logos::categoryName(logo.category)).arg(logo.number);
}

struct Run
{
    bool finished = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

Run runProgram(const QString &program, const QStringList &arguments, const QString &home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run run;
    run.finished = process.waitForFinished(120000);
    run.exitCode = process.exitCode();
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    return run;
}

// A picture drawn as text rows, '#' for ink and ' ' for paper.
QImage fromTextRows(const QStringList &rows)
{
    if (rows.isEmpty())
        return {};
    QImage picture = gammubitmap::blankPicture(int(rows.first().size()), int(rows.size()));
    for (int y = 0; y < rows.size(); ++y) {
        if (rows.at(y).size() != picture.width())
            return {};
        for (int x = 0; x < picture.width(); ++x) {
            if (rows.at(y).at(x) == QLatin1Char('#'))
                picture.setPixel(x, y, 1);
        }
    }
    return picture;
}

// gammu's batch output: for each "copybitmap <file>" command, a line
// "<kind>, width W, height H" followed by H rows.
QMap<QString, QImage> gammuBatchPictures(const QByteArray &output)
{
    QMap<QString, QImage> pictures;
    const QStringList lines = QString::fromLocal8Bit(output).split(QLatin1Char('\n'));
    const QString marker = u": copybitmap "_s;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype at = lines.at(i).indexOf(marker);
        if (!lines.at(i).startsWith(u"Executing batch"_s) || at < 0 || i + 1 >= lines.size())
            continue;
        const QString file = lines.at(i).mid(at + marker.size()).trimmed();
        const QString size = lines.at(i + 1).section(u"height "_s, 1).trimmed();
        const int height = size.toInt();
        if (height <= 0 || i + 1 + height >= lines.size())
            continue;
        pictures.insert(file, fromTextRows(lines.mid(i + 2, height)));
    }
    return pictures;
}

// The published layouts of the Nokia files, read without libGammu.
QImage readNokiaFile(const QByteArray &bytes, QString *networkCode)
{
    const auto le16 = [&](int offset) { return qFromLittleEndian<quint16>(bytes.constData() + offset); };
    if (bytes.startsWith("NOL") || bytes.startsWith("NGG")) {
        const bool nol = bytes.startsWith("NOL");
        const int header = nol ? 20 : 16;
        const int sizeAt = nol ? 10 : 6;
        const int width = le16(sizeAt);
        const int height = le16(sizeAt + 2);
        if (bytes.size() < header + width * height)
            return {};
        if (nol)
            *networkCode = u"%1 %2"_s.arg(le16(6)).arg(le16(8), 2, 10, QLatin1Char('0'));
        QImage picture = gammubitmap::blankPicture(width, height);
        for (int i = 0; i < width * height; ++i) {
            if (bytes.at(header + i) == '1')
                picture.setPixel(i % width, i / width, 1);
        }
        return picture;
    }
    if (bytes.startsWith("NLM ")) {
        const int width = quint8(bytes.at(7));
        const int height = quint8(bytes.at(8));
        const int rowBytes = (width + 7) / 8;
        if (bytes.size() < 10 + rowBytes * height)
            return {};
        QImage picture = gammubitmap::blankPicture(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (quint8(bytes.at(10 + y * rowBytes + x / 8)) & (0x80 >> (x % 8)))
                    picture.setPixel(x, y, 1);
            }
        }
        return picture;
    }
    return {};
}

} // namespace

class TestLogoPeers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void bmpAndWbmpReadByGammu();
    void bmpWbmpAndOtbReadByImageMagick();
    void nokiaFilesReadByTheirLayout();
    void nokiaFilesAndOtbReadByGnokii();

private:
    void checkImageMagick(const QString &extension);

    QTemporaryDir m_folder;
    QTemporaryDir m_home;
    QList<SavedLogo> m_logos;
};

void TestLogoPeers::initTestCase()
{
    QVERIFY(m_folder.isValid());
    const Network tim{u"222"_s, u"01"_s, u"TIM"_s, u"Italy"_s};
    for (logos::Category category : logos::AllCategories) {
        for (int number = 1; number <= logos::logoCount(category); ++number) {
            SavedLogo logo{category, number, logos::logoImage(category, number), {}};
            LogoDocument document;
            document.kind = LogoKind::OperatorLogo;
            document.picture = logo.picture;
            document.network = tim;
            for (const FormatInfo &info : pictureFormats()) {
                // No blanks in the names: gammu's batch splits its commands at them.
                const QString path =
                    m_folder.filePath(u"%1-%2.%3"_s.arg(int(category)).arg(number).arg(info.extension));
                // The bytes the editor saves, written plainly: the all-or-nothing
                // save syncs every file to the disk, which 2,748 files would wait for.
                QByteArray bytes;
                QString error;
                QVERIFY2(encodePicture(info.format, document, &bytes, &error), qPrintable(error));
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
                logo.files.insert(info.extension, path);
            }
            m_logos.append(logo);
        }
    }
    QCOMPARE(m_logos.size(), 105 + 64 + 169 + 67 + 93);
}

void TestLogoPeers::bmpAndWbmpReadByGammu()
{
    const QString gammu = QStandardPaths::findExecutable(u"gammu"_s);
    if (gammu.isEmpty())
        QSKIP("gammu (Debian package gammu) is not on the PATH: its reading of our BMP and WBMP is not "
              "checked");
    // One gammu run reads them all: a batch of copybitmap commands, each of
    // which prints the picture it read.
    QByteArray batch;
    for (const SavedLogo &logo : std::as_const(m_logos)) {
        for (const QString &extension : {u"bmp"_s, u"wbmp"_s})
            batch += "copybitmap " + QFile::encodeName(logo.files.value(extension)) + '\n';
    }
    const QString batchFile = m_folder.filePath(u"batch.txt"_s);
    QFile file(batchFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(batch);
    file.close();
    const Run run = runProgram(gammu, {u"batch"_s, batchFile}, m_home.path());
    QVERIFY2(run.finished, "gammu did not finish");
    const QMap<QString, QImage> read = gammuBatchPictures(run.output);
    QCOMPARE(read.size(), m_logos.size() * 2);
    for (const SavedLogo &logo : std::as_const(m_logos)) {
        for (const QString &extension : {u"bmp"_s, u"wbmp"_s}) {
            const QString difference = pixelDifference(logo.picture, read.value(logo.files.value(extension)));
            QVERIFY2(difference.isEmpty(),
                     qPrintable(u"%1 .%2: %3"_s.arg(logoName(logo), extension, difference)));
        }
    }
}

void TestLogoPeers::checkImageMagick(const QString &extension)
{
    const QString convert = QStandardPaths::findExecutable(u"convert"_s);
    if (convert.isEmpty())
        QSKIP(
            "convert (Debian package imagemagick) is not on the PATH: ImageMagick's reading is not checked");
    // One run reads them all, stacked into one black-and-white picture.
    QStringList arguments;
    for (const SavedLogo &logo : std::as_const(m_logos))
        arguments << logo.files.value(extension);
    arguments << u"-append"_s << u"pbm:-"_s;
    const Run run = runProgram(convert, arguments, m_home.path());
    QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
    const QImage stacked = QImage::fromData(run.output, "PBM");
    QCOMPARE(stacked.size(), QSize(72, 14 * int(m_logos.size())));
    for (qsizetype i = 0; i < m_logos.size(); ++i) {
        const SavedLogo &logo = m_logos.at(i);
        const QString difference = pixelDifference(logo.picture, stacked.copy(0, int(i) * 14, 72, 14));
        QVERIFY2(difference.isEmpty(),
                 qPrintable(u"%1 .%2: %3"_s.arg(logoName(logo), extension, difference)));
    }
}

void TestLogoPeers::bmpWbmpAndOtbReadByImageMagick()
{
    checkImageMagick(u"bmp"_s);
    checkImageMagick(u"wbmp"_s);
    checkImageMagick(u"otb"_s);
}

void TestLogoPeers::nokiaFilesReadByTheirLayout()
{
    for (const SavedLogo &logo : std::as_const(m_logos)) {
        for (const QString &extension : {u"nol"_s, u"ngg"_s, u"nlm"_s}) {
            QString networkCode;
            const QImage read = readNokiaFile(fileContents(logo.files.value(extension)), &networkCode);
            const QString difference = pixelDifference(logo.picture, read);
            QVERIFY2(difference.isEmpty(),
                     qPrintable(u"%1 .%2: %3"_s.arg(logoName(logo), extension, difference)));
            if (extension == QLatin1String("nol"))
                QCOMPARE(networkCode, u"222 01"_s);
        }
    }
}

void TestLogoPeers::nokiaFilesAndOtbReadByGnokii()
{
    const QString gnokii = QStandardPaths::findExecutable(u"gnokii"_s);
    if (gnokii.isEmpty())
        QSKIP(
            "gnokii (Debian package gnokii-cli) is not on the PATH: its reading of .nol, .ngg, .nlm and .otb "
            "is not checked");
    // gnokii reads one file a run, some 90 ms each here: the first and the
    // last logo of every category, in each of its formats.
    for (const SavedLogo &logo : std::as_const(m_logos)) {
        if (logo.number != 1 && logo.number != logos::logoCount(logo.category))
            continue;
        for (const QString &extension : {u"nol"_s, u"ngg"_s, u"nlm"_s, u"otb"_s}) {
            const Run run = runProgram(gnokii, {u"--viewlogo"_s, logo.files.value(extension)}, m_home.path());
            QVERIFY2(run.finished && run.exitCode == 0, run.errors.constData());
            QStringList rows;
            for (const QString &line : QString::fromLocal8Bit(run.output).split(QLatin1Char('\n'))) {
                if (line.size() == 72 && line.count(QLatin1Char('#')) + line.count(QLatin1Char(' ')) == 72)
                    rows << line;
            }
            const QString difference = pixelDifference(logo.picture, fromTextRows(rows));
            QVERIFY2(difference.isEmpty(),
                     qPrintable(u"%1 .%2: %3"_s.arg(logoName(logo), extension, difference)));
        }
    }
}

QTEST_GUILESS_MAIN(TestLogoPeers)
#include "test_logo_peers.moc"
