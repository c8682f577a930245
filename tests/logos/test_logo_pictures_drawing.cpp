// The drawn sources behind the logos: the two pixel fonts, the icons, the
// logo line language and the renderer that turns a line into a picture.

#include "logos/pictures/LogoDefinition.h"
#include "logos/pictures/LogoFonts.h"
#include "logos/pictures/LogoRenderer.h"
#include "logos/pictures/PixelFont.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
    const QString punctuation = u" .,!?'-:&+/♥"_s;
    QTest::newRow("normal") << FontFace::Normal << 8
                            << range(u'A', u'Z') + range(u'a', u'z') + range(u'0', u'9') + punctuation +
                                   u";()%*àèéìòùÀÈÉÌÒÙ"_s;
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
        QVERIFY2(glyph, qPrintable(u"no glyph '%1'"_s.arg(c)));
        QVERIFY2(glyph->height() == height, qPrintable(u"glyph '%1' has the wrong height"_s.arg(c)));
        QVERIFY2(glyph->width() >= 1 && glyph->width() <= 7, qPrintable(u"glyph '%1' width"_s.arg(c)));
    }
    // The font the logos use is the one read here.
    QCOMPARE(drawnFont(face).characters(), font.characters());
}

void TestLogoPicturesDrawing::fontFaultsNameTheGlyph_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("expected");
    const QString heading = u"font test height 3\nglyph A\n.#.\n#.#\n###\n"_s;
    QTest::newRow("short row") << heading + u"glyph B\n##.\n#.\n##.\n"_s
                               << QStringList{u"glyph 'B'"_s, u"row 2"_s};
    QTest::newRow("missing row") << heading + u"glyph C\n.##\n#..\n"_s
                                 << QStringList{u"glyph 'C'"_s, u"2 rows"_s};
    QTest::newRow("extra row") << heading + u"glyph D\n##.\n#.#\n#.#\n##.\n"_s
                               << QStringList{u"glyph 'D'"_s, u"4 rows"_s};
    QTest::newRow("stray character") << heading + u"glyph E\n###\n#x.\n###\n"_s
                                     << QStringList{u"line 8"_s, u"#x."_s};
    QTest::newRow("drawn twice") << heading + u"glyph A\n###\n###\n###\n"_s
                                 << QStringList{u"glyph 'A'"_s, u"twice"_s};
    QTest::newRow("long name") << heading + u"glyph AB\n###\n###\n###\n"_s << QStringList{u"\"AB\""_s};
    QTest::newRow("no heading") << u"glyph A\n#\n#\n#\n"_s << QStringList{u"font <name>"_s};
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
        QVERIFY2(it->hasInkBelow(0), qPrintable(it.key() + u" is empty"_s));
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
    QVERIFY2(error.contains(u"icon 'due'"_s) && error.contains(u"row 3"_s), qPrintable(error));
    QVERIFY(!parseIcons(u"icon uno\n##\nglyph A\n#\n", &icons, &error));
    QVERIFY2(error.contains(u"line 3"_s), qPrintable(error));
    QVERIFY(icons.isEmpty());
}

void TestLogoPicturesDrawing::lineFaults_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unknown word") << u"framed \"CIAO\""_s << u"framed"_s;
    QTest::newRow("open quote") << u"\"CIAO"_s << u"quote"_s;
    QTest::newRow("unknown icon") << u"@unicorno \"CIAO\""_s << u"unicorno"_s;
    QTest::newRow("bad repeat") << u"@cuore*x"_s << u"@cuore*x"_s;
    QTest::newRow("nothing shown") << u"frame invert"_s << u"nothing"_s;
    QTest::newRow("missing glyph") << u"small \"ciao\""_s << u"'c'"_s;
    QTest::newRow("too wide") << u"\"PRECIPITEVOLISSIMEVOLMENTE\""_s << u"room for 70"_s;
    QTest::newRow("too high in a frame") << u"frame @palma"_s << u"room for 10"_s;
    QTest::newRow("big tail") << u"big \"yo\""_s << u"'y'"_s;
    QTest::newRow("three lines") << u"small \"A\"/\"B\"/\"C\""_s << u"\"A\"/\"B\"/\"C\""_s;
}

void TestLogoPicturesDrawing::lineFaults()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    const QString error = drawError(line);
    QVERIFY2(error.contains(expected), qPrintable(line + u" gave: "_s + error));
}

void TestLogoPicturesDrawing::textIsSetGlyphByGlyph()
{
    PixelBitmap text;
    QString error;
    QVERIFY(renderText(u"II"_s, FontFace::Normal, 0, &text, &error));
    QCOMPARE(text.width(), 3 + 1 + 3);
    QCOMPARE(text.height(), 8);
    QVERIFY(text.isInk(0, 0) && text.isInk(2, 0) && !text.isInk(3, 0) && text.isInk(4, 0));
    QVERIFY(renderText(u"II"_s, FontFace::Normal, 1, &text, &error));
    QCOMPARE(text.width(), 3 + 2 + 3);
    QVERIFY(renderText(u"A B"_s, FontFace::Small, 0, &text, &error));
    QCOMPARE(text.width(), 3 + 1 + 2 + 1 + 3);
    QVERIFY(!renderText(QString(), FontFace::Normal, 0, &text, &error));
}

void TestLogoPicturesDrawing::boldAndBigFaces()
{
    PixelBitmap normal;
    PixelBitmap bold;
    PixelBitmap big;
    QString error;
    QVERIFY(renderText(u"L"_s, FontFace::Normal, 0, &normal, &error));
    QVERIFY(renderText(u"L"_s, FontFace::Bold, 0, &bold, &error));
    QVERIFY(renderText(u"L"_s, FontFace::Big, 0, &big, &error));
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
    const QImage centred = draw(u"\"I\""_s);
    QCOMPARE(inkColumns(centred), QList<int>({34, 35, 36}));
    // A spread row pushes its outer items to one pixel from the edges.
    const QImage spread = draw(u"spread @cuore \"I\" @cuore"_s);
    const QList<int> columns = inkColumns(spread);
    QCOMPARE(columns.first(), 1);
    QCOMPARE(columns.last(), 70);
    QVERIFY(columns.contains(35));
    // Centred items keep the gap between them.
    const QImage gap = draw(u"gap=5 \"I\" \"I\""_s);
    QCOMPARE(inkColumns(gap), QList<int>({30, 31, 32, 38, 39, 40}));
}

void TestLogoPicturesDrawing::framesAndRules()
{
    const QImage box = draw(u"frame \"I\""_s);
    const QImage round = draw(u"round \"I\""_s);
    const QImage rules = draw(u"rules \"I\""_s);
    const QImage dots = draw(u"dots \"I\""_s);
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
    const QImage plain = draw(u"frame \"CIAO\" @cuore"_s);
    const QImage inverted = draw(u"invert frame \"CIAO\" @cuore"_s);
    QCOMPARE(inverted.colorCount(), 2);
    for (int y = 0; y < LogoHeight; ++y) {
        for (int x = 0; x < LogoWidth; ++x)
            QVERIFY(isBlack(plain, x, y) != isBlack(inverted, x, y));
    }
}

void TestLogoPicturesDrawing::stacksAndRepeatedIcons()
{
    // Two small lines of five rows, one row apart, centred in 14 rows: rows 1-5 and 7-11.
    const QImage stack = draw(u"small \"I\"/\"I\""_s);
    for (int y = 0; y < LogoHeight; ++y)
        QCOMPARE(isBlack(stack, 35, y), (y >= 1 && y <= 5) || (y >= 7 && y <= 11));
    const QImage one = draw(u"@cuoricino"_s);
    const QImage three = draw(u"@cuoricino*3"_s);
    QCOMPARE(inkColumns(one).size(), 5);
    QCOMPARE(inkColumns(three).size(), 15);
    QCOMPARE(inkColumns(three).last() - inkColumns(three).first(), 3 * 5 + 2 - 1);
    const QImage mirrored = draw(u"@gatto~"_s);
    const QImage gatto = draw(u"@gatto"_s);
    // The cat sits in the middle, so facing the other way mirrors the whole logo.
    QVERIFY(mirrored != gatto);
    QCOMPARE(mirrored, gatto.mirrored(true, false));
}

QTEST_GUILESS_MAIN(TestLogoPicturesDrawing)
#include "test_logo_pictures_drawing.moc"
