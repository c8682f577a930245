// The one way the program writes a file for the user: whole or not at all,
// and never a failure reported as success.
#include "data/SafeWrite.h"
#include "tests/support/HostileFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using brivello::data::SafeWriter;
using brivello::data::writeFileSafely;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

bool plant(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList everything(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

const QByteArray oldText = "the old file, which must survive\r\n";

} // namespace

class TestSafeWrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesAFileWholeAndReplacesAnOldOne();
    void writesInPartsAndAtPositions();
    void aFileSizeLimitFailsTheWriteAndKeepsTheOldFile_data();
    void aFileSizeLimitFailsTheWriteAndKeepsTheOldFile();
    void aFullFilesystemFailsTheWriteAndKeepsTheOldFile();
    void reasonsTheUserCanActOn();
};

void TestSafeWrite::writesAFileWholeAndReplacesAnOldOne()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"suoneria.txt"_s);
    QVERIFY(plant(path, oldText + oldText));
    QString reason;
    QVERIFY(writeFileSafely(path, "new\r\n", &reason));
    QVERIFY(reason.isEmpty());
    QCOMPARE(contents(path), QByteArray("new\r\n"));
    QCOMPARE(everything(dir.path()), QStringList{u"suoneria.txt"_s});
}

void TestSafeWrite::writesInPartsAndAtPositions()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"pagine.dat"_s);
    SafeWriter out(path);
    QVERIFY(out.open());
    QVERIFY(out.write("aaaa"));
    QVERIFY(out.seek(8));
    QVERIFY(out.write("bb"));
    QVERIFY(out.seek(2));
    QVERIFY(out.write("cc"));
    // Nothing is in the target's place before the commit.
    QVERIFY(!QFile::exists(path));
    QVERIFY(out.commit());
    QCOMPARE(contents(path), QByteArray("aacc\0\0\0\0bb", 10));
    // A cancelled write leaves the file it would have replaced.
    {
        SafeWriter again(path);
        QVERIFY(again.open());
        QVERIFY(again.write("zz"));
    }
    QCOMPARE(contents(path), QByteArray("aacc\0\0\0\0bb", 10));
    QCOMPARE(everything(dir.path()), QStringList{u"pagine.dat"_s});
}

void TestSafeWrite::aFileSizeLimitFailsTheWriteAndKeepsTheOldFile_data()
{
    QTest::addColumn<qsizetype>("size");
    // A few bytes stay in the buffer until the commit; a large write reaches
    // the disk at once.
    QTest::newRow("one line") << qsizetype(40);
    QTest::newRow("a picture") << qsizetype(1086);
    QTest::newRow("a large file") << qsizetype(200 * 1024);
}

// Mended fault: a write whose last buffered bytes could not be stored was
// reported as written, and an empty file replaced the old one.
void TestSafeWrite::aFileSizeLimitFailsTheWriteAndKeepsTheOldFile()
{
    QFETCH(qsizetype, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"logo.bmp"_s);
    QVERIFY(plant(path, oldText));
    QString reason;
    bool written = false;
    {
        const brivello::test::FileSizeLimit limit(8);
        QVERIFY(limit.active());
        written = writeFileSafely(path, QByteArray(size, 'x'), &reason);
    }
    QVERIFY(!written);
    QCOMPARE(reason, u"il file supera la grandezza consentita"_s);
    QCOMPARE(contents(path), oldText);
    QCOMPARE(everything(dir.path()), QStringList{u"logo.bmp"_s});
}

void TestSafeWrite::aFullFilesystemFailsTheWriteAndKeepsTheOldFile()
{
    QTemporaryDir dir;
    const brivello::test::SmallFilesystem disk(dir.path(), 64);
    if (!disk.mounted())
        QSKIP(qPrintable(u"no small filesystem to fill: "_s + disk.whyNot()));
    const QString path = dir.filePath(u"suoneria.txt"_s);
    QVERIFY(plant(path, oldText));
    QVERIFY(const_cast<brivello::test::SmallFilesystem &>(disk).fill());
    for (const qsizetype size : {qsizetype(40), qsizetype(100 * 1024)}) {
        QString reason;
        QVERIFY(!writeFileSafely(path, QByteArray(size, 'y'), &reason));
        QCOMPARE(reason, u"lo spazio sul disco è esaurito"_s);
        QCOMPARE(contents(path), oldText);
        QCOMPARE(everything(dir.path()), (QStringList{u".filler"_s, u"suoneria.txt"_s}));
    }
}

void TestSafeWrite::reasonsTheUserCanActOn()
{
    QTemporaryDir dir;
    QString reason;
    QVERIFY(QDir(dir.path()).mkdir(u"cartella.txt"_s));
    QVERIFY(!writeFileSafely(dir.filePath(u"cartella.txt"_s), "x", &reason));
    QCOMPARE(reason, u"al suo posto c'è una cartella"_s);
    QVERIFY(!writeFileSafely(dir.filePath(u"manca/file.txt"_s), "x", &reason));
    QCOMPARE(reason, u"la cartella non esiste"_s);
    SafeWriter unopened(dir.filePath(u"mai.txt"_s));
    QVERIFY(!unopened.write("x"));
    QVERIFY(!unopened.commit());
    QVERIFY(!QFile::exists(dir.filePath(u"mai.txt"_s)));
}

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "test_safewrite.moc"
