#include "data/DiscPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using brivello::data::discPath;

class TestDiscPaths : public QObject
{
    Q_OBJECT

private:
    static void touch(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private Q_SLOTS:
    void bothFormsJoinBelowASubfolder()
    {
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("datafiles/ringtones.dat")));
        const QString expected = dir.filePath(QStringLiteral("datafiles/ringtones.dat"));
        QCOMPARE(discPath(dir.path(), QStringLiteral(".\\datafiles\\ringtones.dat")), expected);
        QCOMPARE(discPath(dir.path(), QStringLiteral("\\datafiles\\ringtones.dat")), expected);
        QCOMPARE(discPath(dir.path() + QLatin1Char('/'), QStringLiteral("\\datafiles\\ringtones.dat")),
                 expected);
    }

    void bothFormsJoinBelowARoot()
    {
        QCOMPARE(discPath(QStringLiteral("/"), QStringLiteral(".\\nonexistent-brivello\\x.dat")),
                 QStringLiteral("/nonexistent-brivello/x.dat"));
        QCOMPARE(discPath(QStringLiteral("/"), QStringLiteral("\\nonexistent-brivello\\x.dat")),
                 QStringLiteral("/nonexistent-brivello/x.dat"));
    }

    void componentsMatchWithoutLetterCase()
    {
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("DATAFILES/RINGTONES.DAT")));
        touch(dir.filePath(QStringLiteral("Tools/Musicbox/start.sh")));
        QCOMPARE(discPath(dir.path(), QStringLiteral(".\\datafiles\\ringtones.dat")),
                 dir.filePath(QStringLiteral("DATAFILES/RINGTONES.DAT")));
        QCOMPARE(discPath(dir.path(), QStringLiteral(".\\Datafiles\\ringtones.dat")),
                 dir.filePath(QStringLiteral("DATAFILES/RINGTONES.DAT")));
        QCOMPARE(discPath(dir.path(), QStringLiteral("\\tools\\MUSICBOX\\")),
                 dir.filePath(QStringLiteral("Tools/Musicbox")));
    }

    void anExactNameWinsOverOneThatDiffersInCase()
    {
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("A.DAT")));
        touch(dir.filePath(QStringLiteral("a.dat")));
        touch(dir.filePath(QStringLiteral("Sub/x")));
        touch(dir.filePath(QStringLiteral("sub/x")));
        QCOMPARE(discPath(dir.path(), QStringLiteral("\\a.dat")), dir.filePath(QStringLiteral("a.dat")));
        QCOMPARE(discPath(dir.path(), QStringLiteral("\\A.DAT")), dir.filePath(QStringLiteral("A.DAT")));
        QCOMPARE(discPath(dir.path(), QStringLiteral(".\\sub\\x")), dir.filePath(QStringLiteral("sub/x")));
        QCOMPARE(discPath(dir.path(), QStringLiteral(".\\Sub\\x")), dir.filePath(QStringLiteral("Sub/x")));
    }

    void namesWithAParentComponentLeadOut()
    {
        for (const char16_t *inside : {u"musicbox", u"a\\b.exe", u"..a", u"a..", u"a\\...\\b", u""})
            QVERIFY2(brivello::data::staysBelow(inside), qPrintable(QString::fromUtf16(inside)));
        for (const char16_t *outside :
             {u"..", u"..\\..\\etc", u"a\\..\\..\\b", u"a/../b", u"tools\\..", u"..\\"})
            QVERIFY2(!brivello::data::staysBelow(outside), qPrintable(QString::fromUtf16(outside)));
    }

    void missingComponentsAreKeptAsWritten()
    {
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("Datafiles/a.dat")));
        QCOMPARE(discPath(dir.path(), QStringLiteral("\\datafiles\\New\\b.dat")),
                 dir.filePath(QStringLiteral("Datafiles/New/b.dat")));
        QCOMPARE(discPath(dir.path(), QStringLiteral("\\temp.txt")),
                 dir.filePath(QStringLiteral("temp.txt")));
    }
};

QTEST_GUILESS_MAIN(TestDiscPaths)
#include "test_discpaths.moc"
