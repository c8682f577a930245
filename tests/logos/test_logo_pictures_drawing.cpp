// The drawn sources behind the logos: the two pixel fonts, the icons, the
// logo line language and the renderer that turns a line into a picture.

#include "logos/pictures/LogoDefinition.h"
#include "logos/pictures/LogoFonts.h"
#include "logos/pictures/LogoRenderer.h"
#include "logos/pictures/PixelFont.h"

#include <QTest>

using namespace brivello::logos;

namespace {

QString range(char16_t first, char16_t last)
{
    QString result;
    for (char16_t c = first; c <= last; ++c)
        result.append(QChar(c));
    return result;
}

bool isBlack(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// Columns that carry any black pixel.
QList<int> inkColumns(const QImage &image)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (isBlack(image, x, y)) {
                columns.append(x);
                break;
            }
        }
    }
    return columns;
}

QImage draw(const QString &line)
{
    LogoDefinition definition;
    QImage image;
    QString error;
    if (!parseLogoDefinition(line, &definition, &error) || !renderLogo(definition, &image, &error))
        qWarning("%s: %s", qUtf8Printable(line), qUtf8Printable(error));
    return image;
}

QString drawError(const QString &line)
{
    LogoDefinition definition;
    QImage image;
    QString error;
    if (parseLogoDefinition(line, &definition, &error) && renderLogo(definition, &image, &error))
        return QString();
    return error;
}

} // namespace

class TestLogoPicturesDrawing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fontsHaveEveryGlyph_data();
    void fontsHaveEveryGlyph();
    void fontFaultsNameTheGlyph_data();
    void fontFaultsNameTheGlyph();
    void iconsAreWellFormed();
    void iconFaultsNameTheIcon();
    void lineFaults_data();
    void lineFaults();
    void textIsSetGlyphByGlyph();
    void boldAndBigFaces();
    void centredAndSpreadRows();
    void framesAndRules();
    void invertedIsTheNegative();
    void stacksAndRepeatedIcons();
};

void TestLogoPicturesDrawing::fontsHaveEveryGlyph_data()
{
    QTest::addColumn<FontFace>("face");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("characters");
    const QString punctuation = QStringLiteral(" .,!?'-:&+/♥");
    QTest::newRow("normal") << FontFace::Normal << 8
                            << range(u'A', u'Z') + range(u'a', u'z') + range(u'0', u'9') + punctuation +
                                   QStringLiteral(";()%*àèéìòùÀÈÉÌÒÙ");
    QTest::newRow("small") << FontFace::Small << 5 << range(u'A', u'Z') + range(u'0', u'9') + punctuation;
}

void TestLogoPicturesDrawing::fontsHaveEveryGlyph()
{
    QFETCH(FontFace, face);
    QFETCH(int, height);
    QFETCH(QString, characters);
    PixelFont font;
    QString error;
    QVERIFY2(PixelFont::parse(fontSource(face), &font, &error), qPrintable(error));
    QCOMPARE(font.height(), height);
    for (QChar c : std::as_const(characters)) {
        const PixelBitmap *glyph = font.glyph(c);
        QVERIFY2(glyph, qPrintable(QStringLiteral("no glyph '%1'").arg(c)));
        QVERIFY2(glyph->height() == height,
                 qPrintable(QStringLiteral("glyph '%1' has the wrong height").arg(c)));
        QVERIFY2(glyph->width() >= 1 && glyph->width() <= 7,
                 qPrintable(QStringLiteral("glyph '%1' width").arg(c)));
    }
    // The font the logos use is the one read here.
    QCOMPARE(drawnFont(face).characters(), font.characters());
}

void TestLogoPicturesDrawing::fontFaultsNameTheGlyph_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("expected");
    const QString heading = QStringLiteral("font test height 3\nglyph A\n.#.\n#.#\n###\n");
    QTest::newRow("short row") << heading + QStringLiteral("glyph B\n##.\n#.\n##.\n")
                               << QStringList{QStringLiteral("glyph 'B'"), QStringLiteral("row 2")};
    QTest::newRow("missing row") << heading + QStringLiteral("glyph C\n.##\n#..\n")
                                 << QStringList{QStringLiteral("glyph 'C'"), QStringLiteral("2 rows")};
    QTest::newRow("extra row") << heading + QStringLiteral("glyph D\n##.\n#.#\n#.#\n##.\n")
                               << QStringList{QStringLiteral("glyph 'D'"), QStringLiteral("4 rows")};
    QTest::newRow("stray character") << heading + QStringLiteral("glyph E\n###\n#x.\n###\n")
                                     << QStringList{QStringLiteral("line 8"), QStringLiteral("#x.")};
    QTest::newRow("drawn twice") << heading + QStringLiteral("glyph A\n###\n###\n###\n")
                                 << QStringList{QStringLiteral("glyph 'A'"), QStringLiteral("twice")};
    QTest::newRow("long name") << heading + QStringLiteral("glyph AB\n###\n###\n###\n")
                               << QStringList{QStringLiteral("\"AB\"")};
    QTest::newRow("no heading") << QStringLiteral("glyph A\n#\n#\n#\n")
                                << QStringList{QStringLiteral("font <name>")};
}

void TestLogoPicturesDrawing::fontFaultsNameTheGlyph()
{
    QFETCH(QString, source);
    QFETCH(QStringList, expected);
    PixelFont font;
    QString error;
    QVERIFY(!PixelFont::parse(source, &font, &error));
    for (const QString &part : std::as_const(expected))
        QVERIFY2(error.contains(part), qPrintable(error));
    QVERIFY(!font.glyph(u'A')); // left as it was
}

void TestLogoPicturesDrawing::iconsAreWellFormed()
{
    QHash<QString, PixelBitmap> icons;
    QString error;
    QVERIFY2(parseIcons(iconSource(), &icons, &error), qPrintable(error));
    QCOMPARE(builtInIcons().size(), icons.size());
    QVERIFY(icons.size() >= 40);
    for (auto it = icons.cbegin(); it != icons.cend(); ++it) {
        QVERIFY2(it->height() <= LogoHeight && it->width() <= 20, qPrintable(it.key()));
        QVERIFY2(it->hasInkBelow(0), qPrintable(it.key() + QStringLiteral(" is empty")));
    }
    for (const char16_t *name :
         {u"cuore", u"sorriso", u"gatto", u"cane", u"sole", u"palma", u"aereo", u"colosseo"})
        QVERIFY2(icons.contains(QString::fromUtf16(name)), qPrintable(QString::fromUtf16(name)));
}

void TestLogoPicturesDrawing::iconFaultsNameTheIcon()
{
    QHash<QString, PixelBitmap> icons;
    QString error;
    QVERIFY(!parseIcons(u"icon uno\n##\n##\nicon due\n###\n##.\n#.\n", &icons, &error));
    QVERIFY2(error.contains(QStringLiteral("icon 'due'")) && error.contains(QStringLiteral("row 3")),
             qPrintable(error));
    QVERIFY(!parseIcons(u"icon uno\n##\nglyph A\n#\n", &icons, &error));
    QVERIFY2(error.contains(QStringLiteral("line 3")), qPrintable(error));
    QVERIFY(icons.isEmpty());
}

void TestLogoPicturesDrawing::lineFaults_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unknown word") << QStringLiteral("framed \"CIAO\"") << QStringLiteral("framed");
    QTest::newRow("open quote") << QStringLiteral("\"CIAO") << QStringLiteral("quote");
    QTest::newRow("unknown icon") << QStringLiteral("@unicorno \"CIAO\"") << QStringLiteral("unicorno");
    QTest::newRow("bad repeat") << QStringLiteral("@cuore*x") << QStringLiteral("@cuore*x");
    QTest::newRow("nothing shown") << QStringLiteral("frame invert") << QStringLiteral("nothing");
    QTest::newRow("missing glyph") << QStringLiteral("small \"ciao\"") << QStringLiteral("'c'");
    QTest::newRow("too wide") << QStringLiteral("\"PRECIPITEVOLISSIMEVOLMENTE\"")
                              << QStringLiteral("room for 70");
    QTest::newRow("too high in a frame") << QStringLiteral("frame @palma") << QStringLiteral("room for 10");
    QTest::newRow("big tail") << QStringLiteral("big \"yo\"") << QStringLiteral("'y'");
    QTest::newRow("three lines") << QStringLiteral("small \"A\"/\"B\"/\"C\"")
                                 << QStringLiteral("\"A\"/\"B\"/\"C\"");
}

void TestLogoPicturesDrawing::lineFaults()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    const QString error = drawError(line);
    QVERIFY2(error.contains(expected), qPrintable(line + QStringLiteral(" gave: ") + error));
}

void TestLogoPicturesDrawing::textIsSetGlyphByGlyph()
{
    PixelBitmap text;
    QString error;
    QVERIFY(renderText(QStringLiteral("II"), FontFace::Normal, 0, &text, &error));
    QCOMPARE(text.width(), 3 + 1 + 3);
    QCOMPARE(text.height(), 8);
    QVERIFY(text.isInk(0, 0) && text.isInk(2, 0) && !text.isInk(3, 0) && text.isInk(4, 0));
    QVERIFY(renderText(QStringLiteral("II"), FontFace::Normal, 1, &text, &error));
    QCOMPARE(text.width(), 3 + 2 + 3);
    QVERIFY(renderText(QStringLiteral("A B"), FontFace::Small, 0, &text, &error));
    QCOMPARE(text.width(), 3 + 1 + 2 + 1 + 3);
    QVERIFY(!renderText(QString(), FontFace::Normal, 0, &text, &error));
}

void TestLogoPicturesDrawing::boldAndBigFaces()
{
    PixelBitmap normal;
    PixelBitmap bold;
    PixelBitmap big;
    QString error;
    QVERIFY(renderText(QStringLiteral("L"), FontFace::Normal, 0, &normal, &error));
    QVERIFY(renderText(QStringLiteral("L"), FontFace::Bold, 0, &bold, &error));
    QVERIFY(renderText(QStringLiteral("L"), FontFace::Big, 0, &big, &error));
    QCOMPARE(bold.width(), normal.width() + 1);
    QVERIFY(bold.isInk(1, 0) && !normal.isInk(1, 0));
    // Big letters are the seven capital rows doubled: the full height of a logo.
    QCOMPARE(big.height(), LogoHeight);
    QCOMPARE(big.width(), 2 * normal.width());
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < normal.width(); ++x)
            QCOMPARE(big.isInk(2 * x + 1, 2 * y + 1), normal.isInk(x, y));
    }
}

void TestLogoPicturesDrawing::centredAndSpreadRows()
{
    // "I" is three pixels wide; centred in 72 it takes columns 34 to 36.
    const QImage centred = draw(QStringLiteral("\"I\""));
    QCOMPARE(inkColumns(centred), QList<int>({34, 35, 36}));
    // A spread row pushes its outer items to one pixel from the edges.
    const QImage spread = draw(QStringLiteral("spread @cuore \"I\" @cuore"));
    const QList<int> columns = inkColumns(spread);
    QCOMPARE(columns.first(), 1);
    QCOMPARE(columns.last(), 70);
    QVERIFY(columns.contains(35));
    // Centred items keep the gap between them.
    const QImage gap = draw(QStringLiteral("gap=5 \"I\" \"I\""));
    QCOMPARE(inkColumns(gap), QList<int>({30, 31, 32, 38, 39, 40}));
}

void TestLogoPicturesDrawing::framesAndRules()
{
    const QImage box = draw(QStringLiteral("frame \"I\""));
    const QImage round = draw(QStringLiteral("round \"I\""));
    const QImage rules = draw(QStringLiteral("rules \"I\""));
    const QImage dots = draw(QStringLiteral("dots \"I\""));
    for (const auto &[x, y] : {std::pair{0, 0}, {71, 0}, {0, 13}, {71, 13}}) {
        QVERIFY(isBlack(box, x, y));
        QVERIFY(!isBlack(round, x, y));
    }
    QVERIFY(isBlack(box, 0, 7) && isBlack(box, 71, 7) && isBlack(round, 0, 7));
    QVERIFY(isBlack(rules, 0, 0) && isBlack(rules, 71, 13) && !isBlack(rules, 0, 7));
    QVERIFY(isBlack(dots, 0, 0) && !isBlack(dots, 1, 0) && isBlack(dots, 2, 13));
    // The text itself sits where it sits without a frame.
    QVERIFY(isBlack(box, 35, 5) && isBlack(rules, 35, 5));
}

void TestLogoPicturesDrawing::invertedIsTheNegative()
{
    const QImage plain = draw(QStringLiteral("frame \"CIAO\" @cuore"));
    const QImage inverted = draw(QStringLiteral("invert frame \"CIAO\" @cuore"));
    QCOMPARE(inverted.colorCount(), 2);
    for (int y = 0; y < LogoHeight; ++y) {
        for (int x = 0; x < LogoWidth; ++x)
            QVERIFY(isBlack(plain, x, y) != isBlack(inverted, x, y));
    }
}

void TestLogoPicturesDrawing::stacksAndRepeatedIcons()
{
    // Two small lines of five rows, one row apart, centred in 14 rows: rows 1-5 and 7-11.
    const QImage stack = draw(QStringLiteral("small \"I\"/\"I\""));
    for (int y = 0; y < LogoHeight; ++y)
        QCOMPARE(isBlack(stack, 35, y), (y >= 1 && y <= 5) || (y >= 7 && y <= 11));
    const QImage one = draw(QStringLiteral("@cuoricino"));
    const QImage three = draw(QStringLiteral("@cuoricino*3"));
    QCOMPARE(inkColumns(one).size(), 5);
    QCOMPARE(inkColumns(three).size(), 15);
    QCOMPARE(inkColumns(three).last() - inkColumns(three).first(), 3 * 5 + 2 - 1);
    const QImage mirrored = draw(QStringLiteral("@gatto~"));
    const QImage gatto = draw(QStringLiteral("@gatto"));
    // The cat sits in the middle, so facing the other way mirrors the whole logo.
    QVERIFY(mirrored != gatto);
    QCOMPARE(mirrored, gatto.mirrored(true, false));
}

QTEST_GUILESS_MAIN(TestLogoPicturesDrawing)
#include "test_logo_pictures_drawing.moc"
