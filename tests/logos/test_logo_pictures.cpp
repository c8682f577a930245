// The five image lists of the logo gallery: their counts, sizes, colours,
// that no two logos are alike, and the name lookups the gallery relies on.

#include "logos/pictures/LogoCatalogue.h"
#include "logos/pictures/LogoDefinition.h"
#include "logos/pictures/LogoRenderer.h"

#include <QHash>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace brivello::logos;

namespace {

// The pixels as the user sees them, one byte per pixel: 1 black, 0 white,
// whatever the image's format or colour table.
QByteArray blackPixels(const QImage &image)
{
    QByteArray pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            pixels.append(qGray(image.pixel(x, y)) < 128 ? '\1' : '\0');
    }
    return pixels;
}

QString describe(Category category, qsizetype index)
{
    return u"%1 logo %2"_s.arg(categoryName(category)).arg(index + 1);
}

} // namespace

class TestLogoPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsPerCategory_data();
    void countsPerCategory();
    void everyLogoIs72x14BlackAndWhite();
    void noTwoLogosAreEqual();
    void everyLineOfTheListDraws();
    void listsAreDrawnOnceAndKept();
    void logosByNumber();
    void categoryNames_data();
    void categoryNames();
    void imageListNames_data();
    void imageListNames();
    void logoListSourceFaults();
};

void TestLogoPictures::countsPerCategory_data()
{
    QTest::addColumn<Category>("category");
    QTest::addColumn<int>("count");
    QTest::newRow("Amore") << Category::Amore << 105;
    QTest::newRow("Persone") << Category::Persone << 64;
    QTest::newRow("Animali") << Category::Animali << 169;
    QTest::newRow("Testi") << Category::Testi << 67;
    QTest::newRow("Viaggi & Vacanze") << Category::ViaggiVacanze << 93;
}

void TestLogoPictures::countsPerCategory()
{
    QFETCH(Category, category);
    QFETCH(int, count);
    QCOMPARE(logoCount(category), count);
    QCOMPARE(logoList(category).size(), count);
    QStringList lines;
    QString error;
    QVERIFY2(readLogoList(logoListSource(), category, &lines, &error), qPrintable(error));
    QCOMPARE(lines.size(), count);
}

void TestLogoPictures::everyLogoIs72x14BlackAndWhite()
{
    int total = 0;
    for (Category category : AllCategories) {
        const QList<QImage> &logos = logoList(category);
        for (qsizetype i = 0; i < logos.size(); ++i) {
            const QImage &logo = logos.at(i);
            const QString name = describe(category, i);
            QVERIFY2(logo.size() == QSize(72, 14), qPrintable(name));
            QVERIFY2(logo.colorCount() == 2, qPrintable(name));
            QVERIFY2(logo.colorTable().contains(qRgb(0, 0, 0)) &&
                         logo.colorTable().contains(qRgb(255, 255, 255)),
                     qPrintable(name + u" is not black and white"_s));
            const QByteArray pixels = blackPixels(logo);
            // A logo all of one colour is one the renderer could not draw.
            QVERIFY2(pixels.contains('\1') && pixels.contains('\0'), qPrintable(name + u" is blank"_s));
            ++total;
        }
    }
    // 105 + 64 + 169 + 67 + 93.
    QCOMPARE(total, 498);
}

void TestLogoPictures::noTwoLogosAreEqual()
{
    QHash<QByteArray, QString> seen;
    for (Category category : AllCategories) {
        const QList<QImage> &logos = logoList(category);
        for (qsizetype i = 0; i < logos.size(); ++i) {
            const QByteArray pixels = blackPixels(logos.at(i));
            const QString name = describe(category, i);
            QVERIFY2(!seen.contains(pixels), qPrintable(name + u" equals "_s + seen.value(pixels)));
            seen.insert(pixels, name);
        }
    }
    QCOMPARE(seen.size(), 498);
}

void TestLogoPictures::everyLineOfTheListDraws()
{
    for (Category category : AllCategories) {
        QStringList lines;
        QString error;
        QVERIFY2(readLogoList(logoListSource(), category, &lines, &error), qPrintable(error));
        for (const QString &line : std::as_const(lines)) {
            LogoDefinition definition;
            QImage image;
            const bool drawn =
                parseLogoDefinition(line, &definition, &error) && renderLogo(definition, &image, &error);
            QVERIFY2(drawn, qPrintable(line + u": "_s + error));
        }
    }
}

void TestLogoPictures::listsAreDrawnOnceAndKept()
{
    const QList<QImage> *first = &logoList(Category::Testi);
    const qint64 key = first->at(0).cacheKey();
    QCOMPARE(&logoList(Category::Testi), first);
    QCOMPARE(logoList(Category::Testi).at(0).cacheKey(), key);
    // Drawn anew, the list comes out the same.
    QCOMPARE(drawLogoList(Category::Testi), *first);
}

void TestLogoPictures::logosByNumber()
{
    const QList<QImage> &animali = logoList(Category::Animali);
    QCOMPARE(logoImage(Category::Animali, 1), animali.first());
    QCOMPARE(logoImage(Category::Animali, 169), animali.last());
    QVERIFY(logoImage(Category::Animali, 169) != logoImage(Category::Animali, 168));
    QVERIFY(logoImage(Category::Animali, 0).isNull());
    QVERIFY(logoImage(Category::Animali, 170).isNull());
    QVERIFY(logoImage(Category::Testi, 68).isNull());
    QVERIFY(logoImage(Category::Testi, -1).isNull());
    QCOMPARE(logoImage(Category::ViaggiVacanze, 93), logoList(Category::ViaggiVacanze).at(92));
}

void TestLogoPictures::categoryNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::optional<Category>>("category");
    QTest::newRow("Amore") << u"Amore"_s << std::optional(Category::Amore);
    QTest::newRow("Persone") << u"Persone"_s << std::optional(Category::Persone);
    QTest::newRow("Animali") << u"Animali"_s << std::optional(Category::Animali);
    QTest::newRow("Testi") << u"Testi"_s << std::optional(Category::Testi);
    QTest::newRow("Viaggi & Vacanze") << u"Viaggi & Vacanze"_s << std::optional(Category::ViaggiVacanze);
    QTest::newRow("lower case") << u"amore"_s << std::optional<Category>();
    QTest::newRow("upper case") << u"PERSONE"_s << std::optional<Category>();
    QTest::newRow("trailing space") << u"Testi "_s << std::optional<Category>();
    QTest::newRow("e for &") << u"Viaggi e Vacanze"_s << std::optional<Category>();
    QTest::newRow("image list name") << u"imgLiefde"_s << std::optional<Category>();
    QTest::newRow("empty") << QString() << std::optional<Category>();
}

void TestLogoPictures::categoryNames()
{
    QFETCH(QString, name);
    QFETCH(std::optional<Category>, category);
    QCOMPARE(categoryFromName(name), category);
    if (category)
        QCOMPARE(categoryName(*category), name);
}

void TestLogoPictures::imageListNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::optional<Category>>("category");
    QTest::newRow("imgLiefde") << u"imgLiefde"_s << std::optional(Category::Amore);
    QTest::newRow("imgBody") << u"imgBody"_s << std::optional(Category::Persone);
    QTest::newRow("imgDieren") << u"imgDieren"_s << std::optional(Category::Animali);
    QTest::newRow("imgNamen") << u"imgNamen"_s << std::optional(Category::Testi);
    QTest::newRow("imgLand") << u"imgLand"_s << std::optional(Category::ViaggiVacanze);
    QTest::newRow("other case") << u"imgland"_s << std::optional<Category>();
    QTest::newRow("button list") << u"imgKnoppen"_s << std::optional<Category>();
    QTest::newRow("category name") << u"Amore"_s << std::optional<Category>();
    QTest::newRow("empty") << QString() << std::optional<Category>();
}

void TestLogoPictures::imageListNames()
{
    QFETCH(QString, name);
    QFETCH(std::optional<Category>, category);
    QCOMPARE(categoryFromImageListName(name), category);
    if (category)
        QCOMPARE(imageListName(*category), name);
}

void TestLogoPictures::logoListSourceFaults()
{
    QStringList lines;
    QString error;
    QVERIFY(!readLogoList(u"\"ORPHAN\"\n[Amore]\n\"BACI\"\n", Category::Amore, &lines, &error));
    QVERIFY2(error.contains(u"line 1"_s), qPrintable(error));
    QVERIFY(!readLogoList(u"[Amore]\n\"BACI\"\n[Amori]\n\"X\"\n", Category::Amore, &lines, &error));
    QVERIFY2(error.contains(u"[Amori]"_s), qPrintable(error));
    QVERIFY(readLogoList(
        u"; a comment\n[Testi]\n\"ANNA\"\n\n[Amore]\n\"BACI\"\n  \"TI AMO\"  \n[Testi]\n\"LUCA\"\n",
        Category::Testi, &lines, &error));
    QCOMPARE(lines, QStringList({u"\"ANNA\""_s, u"\"LUCA\""_s}));
}

QTEST_GUILESS_MAIN(TestLogoPictures)
#include "test_logo_pictures.moc"
