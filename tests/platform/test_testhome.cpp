// Tests keep away from the user's real files: each test runs with a home and
// XDG folders of its own, made empty before the run, and the guards put back
// what a test changes even when it stops half-way.
#include "data/DiscPaths.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QStandardPaths>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace brivello;

class TestTestHome : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void homeIsTheTestsOwnAndEmpty();
    void everyWritablePlaceLiesInsideIt();
    void guardsPutBackWhatATestChanged();
};

void TestTestHome::homeIsTheTestsOwnAndEmpty()
{
    const QString home = QDir::homePath();
    const passwd *user = getpwuid(getuid());
    QVERIFY(user);
    QVERIFY2(QDir(home).canonicalPath() != QDir(QString::fromLocal8Bit(user->pw_dir)).canonicalPath(),
             qPrintable(home));
    QVERIFY2(home.endsWith(u"/test-homes/test_testhome"_s), qPrintable(home));
    // Fresh for this run: only the empty XDG folders are there.
    const QStringList entries =
        QDir(home).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    QCOMPARE(entries, (QStringList{u".cache"_s, u".config"_s, u".local"_s}));
    QVERIFY(QDir(home + u"/.local/share"_s).isEmpty());
}

void TestTestHome::everyWritablePlaceLiesInsideIt()
{
    const QString home = QDir::homePath() + QLatin1Char('/');
    for (const auto location : {QStandardPaths::HomeLocation, QStandardPaths::ConfigLocation,
                                QStandardPaths::AppDataLocation, QStandardPaths::GenericDataLocation,
                                QStandardPaths::CacheLocation, QStandardPaths::AppConfigLocation}) {
        const QString place = QStandardPaths::writableLocation(location) + QLatin1Char('/');
        QVERIFY2(place.startsWith(home), qPrintable(place));
    }
}

namespace {

// Changes everything a test may change and stops early, as a failed check
// does.
bool changeAndStop(const QString &elsewhere)
{
    const test::EnvironmentGuard set("BRIVELLO_GUARD_SET", QByteArray("changed"));
    const test::EnvironmentGuard unset("BRIVELLO_GUARD_UNSET", std::nullopt);
    const test::CurrentDirectoryGuard directory;
    const test::ProgramFolderGuard folder(elsewhere);
    if (!QDir::setCurrent(elsewhere))
        return false;
    return qgetenv("BRIVELLO_GUARD_SET") == "changed" && !qEnvironmentVariableIsSet("BRIVELLO_GUARD_UNSET") &&
           data::programFolder() == elsewhere && QDir::currentPath() == QDir(elsewhere).canonicalPath();
}

} // namespace

void TestTestHome::guardsPutBackWhatATestChanged()
{
    const test::EnvironmentGuard before("BRIVELLO_GUARD_UNSET", QByteArray("there"));
    const test::EnvironmentGuard absent("BRIVELLO_GUARD_SET", std::nullopt);
    const QString directory = QDir::currentPath();
    const QString programFolder = data::programFolder();
    const QString elsewhere = QDir::tempPath();
    QVERIFY(changeAndStop(elsewhere));
    QVERIFY(!qEnvironmentVariableIsSet("BRIVELLO_GUARD_SET"));
    QCOMPARE(qgetenv("BRIVELLO_GUARD_UNSET"), QByteArray("there"));
    QCOMPARE(QDir::currentPath(), directory);
    QCOMPARE(data::programFolder(), programFolder);
}

QTEST_GUILESS_MAIN(TestTestHome)
#include "test_testhome.moc"
