// The one-bit Windows bitmap writer behind the logo export: its header, its
// pixels as Qt and ImageMagick read them back, and its all-or-nothing write.

#include "logos/pictures/LogoCatalogue.h"
#include "logos/pictures/MonochromeBmp.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace brivello::logos;

namespace {

quint32 le32(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

quint16 le16(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

bool isBlack(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// Every pixel black or white alike in both pictures; the first difference
// as a message.
QString pixelDifference(const QImage &expected, const QImage &actual)
{
    if (expected.size() != actual.size())
        return u"size %1x%2"_s.arg(actual.width()).arg(actual.height());
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (isBlack(expected, x, y) != isBlack(actual, x, y))
                return u"pixel %1,%2"_s.arg(x).arg(y);
        }
    }
    return QString();
}

QImage checkerboard(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x * 7 + y * 3) % 5 < 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    return image;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestBmp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headerFields();
    void rowsBottomUpAndPadded();
    void everyLogoReadsBackPixelExact();
    void otherSizesReadBack_data();
    void otherSizesReadBack();
    void greysBecomeBlackOrWhite();
    void imageMagickSeesOneBitTwoColours();
    void writesTheFileAtThePath();
    void failedWriteInReadOnlyFolderKeepsOldFile();
    void failedWriteLeavesNothing();
};

void TestBmp::headerFields()
{
    const QByteArray bmp = monochromeBmp(logoList(Category::Amore).first());
    // 12 bytes a row (72 bits padded to 4 bytes), 14 rows, after 62 bytes of headers and palette.
    QCOMPARE(bmp.size(), 62 + 12 * 14);
    QCOMPARE(bmp.left(2), QByteArray("BM"));
    QCOMPARE(le32(bmp, 2), quint32(bmp.size()));
    QCOMPARE(le32(bmp, 6), 0u);
    QCOMPARE(le32(bmp, 10), 62u);
    QCOMPARE(le32(bmp, 14), 40u);
    QCOMPARE(le32(bmp, 18), 72u);
    QCOMPARE(le32(bmp, 22), 14u); // positive: bottom-up
    QCOMPARE(le16(bmp, 26), quint16(1));
    QCOMPARE(le16(bmp, 28), quint16(1));
    QCOMPARE(le32(bmp, 30), 0u);
    QCOMPARE(le32(bmp, 34), 12u * 14u);
    QCOMPARE(le32(bmp, 46), 2u);
    QCOMPARE(bmp.mid(54, 8), QByteArray("\0\0\0\0\xff\xff\xff\0", 8));
    QVERIFY(monochromeBmp(QImage()).isEmpty());
}

void TestBmp::rowsBottomUpAndPadded()
{
    // Black everywhere but the top row, which is white: the top row is the
    // last one in the file.
    QImage image(9, 3, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int x = 0; x < 9; ++x)
        image.setPixel(x, 0, qRgb(255, 255, 255));
    const QByteArray bmp = monochromeBmp(image);
    QCOMPARE(bmp.size(), 62 + 3 * 4);
    QCOMPARE(bmp.mid(62, 4), QByteArray("\0\0\0\0", 4));
    QCOMPARE(bmp.mid(66, 4), QByteArray("\0\0\0\0", 4));
    // Nine white pixels: a full byte and the top bit of the next; padding stays zero.
    QCOMPARE(bmp.mid(70, 4), QByteArray("\xff\x80\0\0", 4));
}

void TestBmp::everyLogoReadsBackPixelExact()
{
    for (Category category : AllCategories) {
        const QList<QImage> &logos = logoList(category);
        for (qsizetype i = 0; i < logos.size(); ++i) {
            const QImage back = QImage::fromData(monochromeBmp(logos.at(i)), "BMP");
            QVERIFY(!back.isNull());
            QCOMPARE(back.depth(), 1);
            const QString difference = pixelDifference(logos.at(i), back);
            QVERIFY2(difference.isEmpty(),
                     qPrintable(u"%1 logo %2: %3"_s.arg(categoryName(category)).arg(i + 1).arg(difference)));
        }
    }
}

void TestBmp::otherSizesReadBack_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("1x1") << 1 << 1;
    QTest::newRow("31x2") << 31 << 2;
    QTest::newRow("32x5") << 32 << 5;
    QTest::newRow("33x7") << 33 << 7;
    QTest::newRow("100x40") << 100 << 40;
}

void TestBmp::otherSizesReadBack()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const QImage image = checkerboard(width, height);
    const QByteArray bmp = monochromeBmp(image);
    QCOMPARE(bmp.size(), 62 + (width + 31) / 32 * 4 * height);
    const QImage back = QImage::fromData(bmp, "BMP");
    QCOMPARE(pixelDifference(image, back), QString());
}

void TestBmp::greysBecomeBlackOrWhite()
{
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgb(40, 40, 40));
    image.setPixel(1, 0, qRgb(127, 127, 127));
    image.setPixel(2, 0, qRgb(128, 128, 128));
    image.setPixel(3, 0, qRgb(230, 230, 230));
    const QImage back = QImage::fromData(monochromeBmp(image), "BMP");
    QCOMPARE(back.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(back.pixel(1, 0), qRgb(0, 0, 0));
    QCOMPARE(back.pixel(2, 0), qRgb(255, 255, 255));
    QCOMPARE(back.pixel(3, 0), qRgb(255, 255, 255));
}

void TestBmp::imageMagickSeesOneBitTwoColours()
{
    const QString identify = QStandardPaths::findExecutable(u"identify"_s);
    if (identify.isEmpty())
        QSKIP("ImageMagick's identify is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"logo.bmp"_s);
    QVERIFY(writeMonochromeBmp(path, logoList(Category::ViaggiVacanze).at(4), nullptr));
    QProcess process;
    process.start(identify, {u"-format"_s, u"%m %w %h %k %z %[type]"_s, path});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromLatin1(process.readAllStandardOutput()).trimmed(), u"BMP3 72 14 2 1 Bilevel"_s);
}

void TestBmp::writesTheFileAtThePath()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The name is used as given: no extension is added.
    const QString path = dir.filePath(u"il mio logo"_s);
    const QImage logo = logoList(Category::Testi).at(66);
    QString error;
    QVERIFY2(writeMonochromeBmp(path, logo, &error), qPrintable(error));
    QCOMPARE(readAll(path), monochromeBmp(logo));
    // Writing again replaces the file whole.
    const QImage other = logoList(Category::Amore).at(0);
    QVERIFY(writeMonochromeBmp(path, other, &error));
    QCOMPARE(readAll(path), monochromeBmp(other));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"il mio logo"_s});
}

void TestBmp::failedWriteInReadOnlyFolderKeepsOldFile()
{
    if (geteuid() == 0)
        QSKIP("folder permissions do not stop the superuser");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"logo.bmp"_s);
    const QImage old = logoList(Category::Animali).at(0);
    QVERIFY(writeMonochromeBmp(path, old, nullptr));
    const QByteArray before = readAll(path);
    QFile::Permissions writable = QFile::permissions(dir.path());
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    QString error;
    const bool written = writeMonochromeBmp(path, logoList(Category::Animali).at(1), &error);
    QFile::setPermissions(dir.path(), writable);
    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"logo.bmp"_s});
}

void TestBmp::failedWriteLeavesNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString error;
    // A folder that does not exist.
    QVERIFY(
        !writeMonochromeBmp(dir.filePath(u"nowhere/logo.bmp"_s), logoList(Category::Amore).at(0), &error));
    QVERIFY(!error.isEmpty());
    // A name that is a folder already.
    QVERIFY(QDir(dir.path()).mkdir(u"logo.bmp"_s));
    error.clear();
    QVERIFY(!writeMonochromeBmp(dir.filePath(u"logo.bmp"_s), logoList(Category::Amore).at(0), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(dir.filePath(u"logo.bmp"_s)).isDir());
    // No picture at all.
    QVERIFY(!writeMonochromeBmp(dir.filePath(u"empty.bmp"_s), QImage(), &error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestBmp)
#include "test_bmp.moc"
