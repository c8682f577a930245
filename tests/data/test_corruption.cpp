// The sample disc's catalogue damaged in a few hundred ways, the same on every
// run: bits flipped, pages zeroed, swapped, duplicated or filled with noise,
// the file cut short. Each damaged copy goes the program's road from the
// start-up checks to the first search and the first ringtone's details, and
// then every table is read whole. Each one either works or fails with a
// CatalogueError whose message names the file, which the windows show as it
// is; none may crash, hang or end the program otherwise.
//
// BRIVELLO_CORRUPTION_CASES sets how many copies are tried; a build with the
// sanitizers tries fewer by default, so the suite stays quick there too.

#include "data/AccessHeader.h"
#include "data/CatalogueError.h"
#include "tests/fuzz/CatalogueWalk.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <exception>

using namespace Qt::StringLiterals;

using brivello::data::CatalogueError;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int DefaultCases = 150;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int DefaultCases = 150;
#else
constexpr int DefaultCases = 300;
#endif
#else
constexpr int DefaultCases = 300;
#endif

enum class Damage { BitFlips, ZeroedPage, SwappedPages, DuplicatedPage, RandomPage, Truncation };
constexpr int DamageKinds = 6;

const char *damageName(Damage damage)
{
    switch (damage) {
    case Damage::BitFlips:
        return "bit flips";
    case Damage::ZeroedPage:
        return "zeroed page";
    case Damage::SwappedPages:
        return "swapped pages";
    case Damage::DuplicatedPage:
        return "duplicated page";
    case Damage::RandomPage:
        return "random page";
    case Damage::Truncation:
        return "truncation";
    }
    return "?";
}

int caseCount()
{
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("BRIVELLO_CORRUPTION_CASES", &ok);
    return ok && asked > 0 ? asked : DefaultCases;
}

QString sampleCatalogue()
{
    return QDir(qEnvironmentVariable("BRIVELLO_TEST_DISC")).filePath(u"datafiles/ringtones.dat"_s);
}

// The pages that describe tables, where damage reaches furthest.
QList<qsizetype> definitionPages(const QByteArray &file, qsizetype pageSize)
{
    QList<qsizetype> pages;
    for (qsizetype page = 0; page * pageSize < file.size(); ++page) {
        if (file.at(page * pageSize) == 0x02)
            pages.append(page);
    }
    return pages;
}

// A copy of `file` damaged in the way `damage` names, chosen by `random`.
QByteArray damaged(QByteArray file, Damage damage, qsizetype pageSize, QRandomGenerator &random)
{
    const qsizetype pages = file.size() / pageSize;
    const auto anyPage = [&] { return static_cast<qsizetype>(random.bounded(static_cast<quint32>(pages))); };
    const QList<qsizetype> definitions = definitionPages(file, pageSize);
    // Half the damage falls on a page that describes a table.
    const auto somePage = [&] {
        if (!definitions.isEmpty() && random.bounded(2) == 0)
            return definitions.at(random.bounded(static_cast<quint32>(definitions.size())));
        return anyPage();
    };
    char *bytes = file.data();
    switch (damage) {
    case Damage::BitFlips:
        for (quint32 n = 1 + random.bounded(16u); n > 0; --n) {
            const qsizetype offset = somePage() * pageSize + random.bounded(static_cast<quint32>(pageSize));
            bytes[offset] = static_cast<char>(bytes[offset] ^ (1 << random.bounded(8)));
        }
        break;
    case Damage::ZeroedPage:
        std::fill_n(bytes + somePage() * pageSize, pageSize, '\0');
        break;
    case Damage::SwappedPages: {
        const qsizetype a = somePage();
        const qsizetype b = anyPage();
        std::swap_ranges(bytes + a * pageSize, bytes + (a + 1) * pageSize, bytes + b * pageSize);
        break;
    }
    case Damage::DuplicatedPage:
        std::copy_n(file.constData() + anyPage() * pageSize, pageSize, bytes + somePage() * pageSize);
        break;
    case Damage::RandomPage: {
        char *page = bytes + somePage() * pageSize;
        const char type = page[0];
        for (qsizetype i = 0; i < pageSize; ++i)
            page[i] = static_cast<char>(random.bounded(256));
        // Noise that keeps the page's type gets past the first looks.
        if (random.bounded(2) == 0)
            page[0] = type;
        break;
    }
    case Damage::Truncation: {
        const qsizetype end = random.bounded(2) == 0
                                  ? anyPage() * pageSize
                                  : static_cast<qsizetype>(random.bounded(static_cast<quint32>(file.size())));
        file.truncate(end);
        break;
    }
    }
    return file;
}

} // namespace

class TestCorruption : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void damagedCatalogueWorksOrSaysWhy_data();
    void damagedCatalogueWorksOrSaysWhy();
    void cleanupTestCase();

private:
    QByteArray m_sample;
    qsizetype m_pageSize = 0;
    QTemporaryDir m_dir;
    std::array<int, DamageKinds> m_worked{};
    std::array<int, DamageKinds> m_refused{};
};

// The intact catalogue goes the whole road: the walk really reads it.
void TestCorruption::initTestCase()
{
    QFile file(sampleCatalogue());
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(sampleCatalogue()));
    m_sample = file.readAll();
    m_pageSize = brivello::data::AccessHeader::read(sampleCatalogue()).pageSize;
    QVERIFY(m_pageSize > 0);
    QVERIFY(m_dir.isValid());

    const brivello::fuzz::WalkResult intact = brivello::fuzz::startUpAndFirstSearch(sampleCatalogue());
    QVERIFY(intact.methods.contains(u"Artista"_s));
    QVERIFY(!intact.genres.isEmpty());
    QVERIFY(!intact.tools.isEmpty());
    QVERIFY(!intact.categories.isEmpty());
    QVERIFY(intact.ringtones > 100);
    QVERIFY(intact.found > 0);
    QCOMPARE(intact.firstDetails.size(), 12);
    QVERIFY(brivello::fuzz::readEveryTable(sampleCatalogue()) > intact.ringtones);
}

void TestCorruption::damagedCatalogueWorksOrSaysWhy_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("seed");
    for (int i = 0; i < caseCount(); ++i) {
        const auto kind = static_cast<Damage>(i % DamageKinds);
        QTest::addRow("%s %d", damageName(kind), i) << (i % DamageKinds) << i;
    }
}

void TestCorruption::damagedCatalogueWorksOrSaysWhy()
{
    QFETCH(int, kind);
    QFETCH(int, seed);
    QRandomGenerator random(static_cast<quint32>(seed) * 2654435761u + 17);
    const QString path = m_dir.filePath(u"ringtones.dat"_s);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray bytes = damaged(m_sample, static_cast<Damage>(kind), m_pageSize, random);
        QCOMPARE(file.write(bytes), bytes.size());
    }
    try {
        brivello::fuzz::startUpAndFirstSearch(path);
        brivello::fuzz::readEveryTable(path);
        ++m_worked[static_cast<size_t>(kind)];
    } catch (const CatalogueError &error) {
        QVERIFY2(error.message().contains(QDir::toNativeSeparators(path)), qPrintable(error.message()));
        ++m_refused[static_cast<size_t>(kind)];
    } catch (const std::exception &error) {
        QFAIL(qPrintable(u"not a catalogue error: %1"_s.arg(QString::fromUtf8(error.what()))));
    }
}

void TestCorruption::cleanupTestCase()
{
    int refused = 0;
    for (int kind = 0; kind < DamageKinds; ++kind) {
        qInfo("%s: %d worked, %d refused", damageName(static_cast<Damage>(kind)), m_worked[size_t(kind)],
              m_refused[size_t(kind)]);
        refused += m_refused[size_t(kind)];
    }
    // Damage the catalogue never notices would mean the checks see nothing.
    if (caseCount() >= DamageKinds * 5)
        QVERIFY(refused > 0);
}

QTEST_GUILESS_MAIN(TestCorruption)
#include "test_corruption.moc"
