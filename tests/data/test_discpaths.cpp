#include "data/DiscPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

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
        touch(dir.filePath(u"datafiles/ringtones.dat"_s));
        const QString expected = dir.filePath(u"datafiles/ringtones.dat"_s);
        QCOMPARE(discPath(dir.path(), u".\\datafiles\\ringtones.dat"_s), expected);
        QCOMPARE(discPath(dir.path(), u"\\datafiles\\ringtones.dat"_s), expected);
        QCOMPARE(discPath(dir.path() + QLatin1Char('/'), u"\\datafiles\\ringtones.dat"_s), expected);
    }

    void bothFormsJoinBelowARoot()
    {
        QCOMPARE(discPath(u"/"_s, u".\\nonexistent-brivello\\x.dat"_s), u"/nonexistent-brivello/x.dat"_s);
        QCOMPARE(discPath(u"/"_s, u"\\nonexistent-brivello\\x.dat"_s), u"/nonexistent-brivello/x.dat"_s);
    }

    void componentsMatchWithoutLetterCase()
    {
        QTemporaryDir dir;
        touch(dir.filePath(u"DATAFILES/RINGTONES.DAT"_s));
        touch(dir.filePath(u"Tools/Musicbox/start.sh"_s));
        QCOMPARE(discPath(dir.path(), u".\\datafiles\\ringtones.dat"_s),
                 dir.filePath(u"DATAFILES/RINGTONES.DAT"_s));
        QCOMPARE(discPath(dir.path(), u".\\Datafiles\\ringtones.dat"_s),
                 dir.filePath(u"DATAFILES/RINGTONES.DAT"_s));
        QCOMPARE(discPath(dir.path(), u"\\tools\\MUSICBOX\\"_s), dir.filePath(u"Tools/Musicbox"_s));
    }

    void anExactNameWinsOverOneThatDiffersInCase()
    {
        QTemporaryDir dir;
        touch(dir.filePath(u"A.DAT"_s));
        touch(dir.filePath(u"a.dat"_s));
        touch(dir.filePath(u"Sub/x"_s));
        touch(dir.filePath(u"sub/x"_s));
        QCOMPARE(discPath(dir.path(), u"\\a.dat"_s), dir.filePath(u"a.dat"_s));
        QCOMPARE(discPath(dir.path(), u"\\A.DAT"_s), dir.filePath(u"A.DAT"_s));
        QCOMPARE(discPath(dir.path(), u".\\sub\\x"_s), dir.filePath(u"sub/x"_s));
        QCOMPARE(discPath(dir.path(), u".\\Sub\\x"_s), dir.filePath(u"Sub/x"_s));
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
        touch(dir.filePath(u"Datafiles/a.dat"_s));
        QCOMPARE(discPath(dir.path(), u"\\datafiles\\New\\b.dat"_s), dir.filePath(u"Datafiles/New/b.dat"_s));
        QCOMPARE(discPath(dir.path(), u"\\temp.txt"_s), dir.filePath(u"temp.txt"_s));
    }
};

QTEST_GUILESS_MAIN(TestDiscPaths)
#include "test_discpaths.moc"
