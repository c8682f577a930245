// The rich-text reader on broken and hostile input: it must neither crash nor
// hang, and what it builds stays in proportion to what it reads.
#include "RtfTestHelpers.h"
#include "docviewer/rtf/RtfReader.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextTable>

using namespace Qt::StringLiterals;

using namespace brivello::rtf;
using brivello::test::formatOf;
using brivello::test::rtfDataDir;

namespace {

// The most characters a document read from `input` may hold.
qsizetype sizeLimit(const QByteArray &input)
{
    return 8192 + 4 * input.size();
}

int tableCells(const QTextDocument &doc)
{
    int cells = 0;
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame))
            cells += table->rows() * table->columns();
    }
    return cells;
}

} // namespace

class TestRtfRobustness : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unbalancedBraces();
    void strayBackslashesAndEscapes();
    void hugeNumbers();
    void hugeBinaryLength();
    void deepNesting();
    void longControlWords();
    void controlBytesInText();
    void notRichText();
    void randomJunk();
    void amplifiersStayBounded_data();
    void amplifiersStayBounded();
};

void TestRtfRobustness::unbalancedBraces()
{
    // Extra closing braces end the document where its outer group ends.
    RtfResult result = readRtfAsPlainText("{\\rtf1 a}}} b");
    QCOMPARE(result.plainText, u"a"_s);
    QVERIFY(result.warnings.join(u'|').contains(u"after the end"_s));
    // Blank space and nulls after the end are not worth a word.
    QCOMPARE(readRtfAsPlainText(QByteArray("{\\rtf1 a}\r\n\0\0", 9)).warnings, QStringList());
    // Missing closing braces: the text is kept, with its formatting.
    QTextDocument doc;
    QStringList warnings;
    readRtf("{\\rtf1 {\\b bold {\\i both", &doc, &warnings);
    QCOMPARE(doc.toPlainText(), u"bold both"_s);
    QVERIFY(formatOf(doc, u"both"_s).fontItalic());
    QVERIFY(warnings.join(u'|').contains(u"3 open group"_s));
    // A closing brace before anything was opened is dropped.
    result = readRtfAsPlainText("}{\\rtf1 x}");
    QCOMPARE(result.plainText, u"x"_s);
    QVERIFY(result.warnings.join(u'|').contains(u"without an opening"_s));
}

void TestRtfRobustness::strayBackslashesAndEscapes()
{
    QCOMPARE(rtfToPlainText("{\\rtf1 a\\"), u"a"_s);
    QCOMPARE(rtfToPlainText("{\\rtf1 a\\'"), u"a"_s);
    QCOMPARE(rtfToPlainText("{\\rtf1 a\\'4"), u"a"_s);    // one digit: byte 4, a control
    QCOMPARE(rtfToPlainText("{\\rtf1 a\\'4g}"), u"ag"_s); // likewise, mid-text
    QCOMPARE(rtfToPlainText("{\\rtf1 a\\'zz}"), u"azz"_s);
    QCOMPARE(rtfToPlainText("{\\rtf1 a\\u"), u"a"_s);
    // "\\u-" without digits: the minus is the fallback character it skips.
    QCOMPARE(rtfToPlainText("{\\rtf1 5\\u-}"), u"5"_s);
    QCOMPARE(rtfToPlainText(""), QString());
    QCOMPARE(rtfToPlainText("{"), QString());
    QCOMPARE(rtfToPlainText("}"), QString());
}

void TestRtfRobustness::hugeNumbers()
{
    QTextDocument doc;
    QStringList warnings;
    readRtf("{\\rtf1{\\colortbl;\\red99999999999\\green-99999999999\\blue7;}"
            "\\fs999999999999 big\\fs-99999999999  small\\fs0\\cf99999999999  auto"
            "\\cf1  red\\cf0\\li99999999999\\fi-99999999999\\ri-5\\sb99999999999 "
            "\\u-99999999999?\\u99999999999?\\uc99999999999\\u65 skipped}tail}",
            &doc, &warnings);
    QCOMPARE(formatOf(doc, u"big"_s).fontPointSize(), 500.0);
    QCOMPARE(formatOf(doc, u"small"_s).fontPointSize(), 12.0);
    QVERIFY(!formatOf(doc, u"auto"_s).hasProperty(QTextFormat::ForegroundBrush));
    QCOMPARE(formatOf(doc, u"red"_s).foreground().color(), QColor(255, 0, 7));
    const QTextBlockFormat block = doc.begin().blockFormat();
    QCOMPARE(block.leftMargin(), 31680 / 15.0);
    QCOMPARE(block.textIndent(), -31680 / 15.0);
    QCOMPARE(block.rightMargin(), 0.0);
    QCOMPARE(block.topMargin(), 31680 / 15.0);
    // Out of range characters become replacement characters; a fallback
    // count beyond reason skips to the end of the group and no further.
    QCOMPARE(doc.toPlainText(), u"big small auto red\uFFFD\uFFFDA"_s);
    QVERIFY2(warnings.join(u'|').contains(u"after the end"_s), qPrintable(warnings.join(u'|')));
}

void TestRtfRobustness::hugeBinaryLength()
{
    RtfResult result = readRtfAsPlainText("{\\rtf1 a{\\pict\\bin99999999999 }b}c}");
    QCOMPARE(result.plainText, u"a"_s);
    QVERIFY(result.warnings.join(u'|').contains(u"past the end"_s));
    // A negative length skips nothing.
    result = readRtfAsPlainText("{\\rtf1 a\\bin-5 b}");
    QCOMPARE(result.plainText, u"ab"_s);
    QVERIFY2(result.warnings.isEmpty(), qPrintable(result.warnings.join(u'|')));
}

void TestRtfRobustness::deepNesting()
{
    const int depth = 200000;
    QByteArray deep = "{\\rtf1 " + QByteArray(depth, '{') + "\\b x" + QByteArray(depth, '}') + " y}";
    QTextDocument doc;
    QStringList warnings;
    readRtf(deep, &doc, &warnings);
    // The groups beyond the limit are flattened; braces still pair up, so
    // the text after them is outside the bold group.
    QCOMPARE(doc.toPlainText(), u"x y"_s);
    QVERIFY(formatOf(doc, u"x"_s).fontWeight() == QFont::Bold);
    QVERIFY(formatOf(doc, u" y"_s).fontWeight() == QFont::Normal);
    QVERIFY(warnings.join(u'|').contains(u"flattened"_s));
    // Never closed at all.
    const RtfResult open = readRtfAsPlainText("{\\rtf1 " + QByteArray(depth, '{') + "z");
    QCOMPARE(open.plainText, u"z"_s);
    QVERIFY(open.warnings.join(u'|').contains(u"%1 open group"_s.arg(depth + 1)));
}

void TestRtfRobustness::longControlWords()
{
    const QByteArray word = "\\" + QByteArray(100000, 'b') + "123456789012345678901234567890 ";
    QCOMPARE(rtfToPlainText("{\\rtf1 a" + word + "z}"), u"az"_s);
    // Cut at 32 letters the word is no known one, even if it starts like one.
    QTextDocument doc;
    readRtf("{\\rtf1 \\b" + QByteArray(40, 'x') + " plain}", &doc);
    QVERIFY(formatOf(doc, u"plain"_s).fontWeight() == QFont::Normal);
}

void TestRtfRobustness::controlBytesInText()
{
    static const char withControls[] = "{\\rtf1 a\0b\x01"
                                       "c\x1f"
                                       "d\td\x7f"
                                       "e}";
    QCOMPARE(rtfToPlainText(QByteArray(withControls, sizeof(withControls) - 1)), u"abcd\tde"_s);
    // Characters the document keeps for its own structure never get in.
    QTextDocument doc;
    readRtf("{\\rtf1 a\\u-560?b\\u-559?c\\u-4?d\\u65532?e}", &doc);
    QCOMPARE(doc.blockCount(), 1);
    QCOMPARE(doc.toPlainText(), u"abcde"_s);
    QVERIFY(doc.rootFrame()->childFrames().isEmpty());
}

void TestRtfRobustness::notRichText()
{
    const RtfResult result = readRtfAsPlainText("Centrali SMS: 335 1234567");
    QCOMPARE(result.plainText, u"Centrali SMS: 335 1234567"_s);
    QVERIFY(result.warnings.join(u'|').contains(u"not a rich-text document"_s));
}

void TestRtfRobustness::randomJunk()
{
    QRandomGenerator random(20261209);
    for (int round = 0; round < 300; ++round) {
        QByteArray junk(int(random.bounded(1, 4096)), Qt::Uninitialized);
        for (char &c : junk)
            c = char(random.bounded(256));
        if (round % 2 == 0)
            junk.prepend("{\\rtf1 ");
        if (round % 3 == 0) {
            // Sprinkle markup so that the reader goes past the first bytes.
            for (int i = 0; i < junk.size(); i += int(random.bounded(2, 40)))
                junk[i] = "{}\\\\'*;"[random.bounded(7)];
        }
        QTextDocument doc;
        readRtf(junk, &doc);
        QVERIFY2(doc.characterCount() <= sizeLimit(junk), qPrintable(QString::number(round)));
    }
}

void TestRtfRobustness::amplifiersStayBounded_data()
{
    QTest::addColumn<QByteArray>("input");
    QByteArray wideRow = "{\\rtf1\\trowd";
    for (int i = 1; i <= 200; ++i)
        wideRow += "\\cellx" + QByteArray::number(i * 100);
    QTest::newRow("rows of a wide table")
        << wideRow + "\\intbl x\\cell" + QByteArray(20000, 'R').replace("R", "\\row x");
    QTest::newRow("cells without rows") << "{\\rtf1\\intbl" + QByteArray(20000, 'C').replace("C", "\\cell");
    QTest::newRow("paragraph marks") << "{\\rtf1 " + QByteArray(30000, 'P').replace("P", "\\par");
    QTest::newRow("list paragraphs") << QByteArray(
                                            "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0}\\listid1}}"
                                            "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}") +
                                            QByteArray(30000, 'L').replace("L", "\\ls1\\ilvl3\\par\\pard");
    QTest::newRow("markers") << "{\\rtf1 " +
                                    QByteArray(20000, 'M').replace("M", "{\\listtext ABCDEFGH}\\par");
    QTest::newRow("unicode") << "{\\rtf1\\uc0" + QByteArray(50000, 'U').replace("U", "\\u65");
}

void TestRtfRobustness::amplifiersStayBounded()
{
    QFETCH(QByteArray, input);
    QTextDocument doc;
    readRtf(input, &doc);
    QVERIFY2(doc.characterCount() <= sizeLimit(input), qPrintable(QString::number(doc.characterCount())));
    QVERIFY(doc.blockCount() <= sizeLimit(input));
    QVERIFY(tableCells(doc) <= 20000);
}

QTEST_MAIN(TestRtfRobustness)
#include "test_rtfrobustness.moc"
