// The rich-text reader, feature by feature of the syntax.
#include "RtfTestHelpers.h"
#include "docviewer/rtf/RtfReader.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextList>
#include <QTextTable>

using namespace Qt::StringLiterals;

using namespace brivello::rtf;
using brivello::test::blockWith;
using brivello::test::formatOf;

namespace {

QByteArray rtf(const char *body)
{
    return QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}") + body + "}";
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paragraphsAndBreaks();
    void emptyParagraphsAreKept();
    void characterFormatting();
    void formattingIsScopedToGroups();
    void fontSizes();
    void colours();
    void alignmentAndIndents();
    void headingLevels();
    void specialCharacters();
    void codePages_data();
    void codePages();
    void fontCharsetChoosesCodePage();
    void unknownCodePageWarns();
    void unicodeAndFallback();
    void skippedDestinations();
    void fieldResultsAreShown();
    void binaryDataIsSkipped();
    void listsFromListTable();
    void oldStyleNumbering();
    void listMarkerAfterHeadingLooksLikeItsItem();
    void markerWithoutListIsText();
    void simpleTable();
    void tableRowsWithMoreCellsGrow();
    void cellWithoutTableStartsOne();
    void cellShading();
    void fontTableGivesFamilies();
    void readReplacesContent();
    void wellFormedDocumentHasNoWarnings();
};

void TestRtfReader::paragraphsAndBreaks()
{
    QTextDocument doc;
    readRtf(rtf("Uno\\page Due\\line Tre\\tab Quattro{\\v  hidden}\\sect\npar\r\ntito}"), &doc);
    QCOMPARE(doc.blockCount(), 3);
    QCOMPARE(doc.begin().text(), u"Uno"_s);
    QCOMPARE(doc.begin().next().text(), u"Due\u2028Tre\tQuattro"_s);
    // Line ends in the file are not text.
    QCOMPARE(doc.lastBlock().text(), u"partito"_s);
    QCOMPARE(plainTextOf(doc), u"Uno\nDue\nTre\tQuattro\npartito"_s);
}

void TestRtfReader::emptyParagraphsAreKept()
{
    // Three paragraph marks: "A", an empty paragraph, "B"; the last mark
    // opens no paragraph of its own.
    QCOMPARE(rtfToPlainText(rtf("A\\par\\par B\\par")), u"A\n\nB"_s);
    QCOMPARE(rtfToPlainText(rtf("")), QString());
    // A backslash before a line end is a paragraph mark too.
    QCOMPARE(rtfToPlainText(rtf("A\\\nB")), u"A\nB"_s);
}

void TestRtfReader::characterFormatting()
{
    QTextDocument doc;
    readRtf(rtf("n0 \\b b1\\b0  n1 \\i i1\\i0  n2 \\ul u1\\ulnone  n3 \\ul u2\\ul0  n4 "
                "\\b\\i\\ul all\\plain  n5 \\strike s1\\strike0  n6 \\uldb d1\\ulnone "),
            &doc);
    QVERIFY(formatOf(doc, u"b1"_s).fontWeight() == QFont::Bold);
    QVERIFY(formatOf(doc, u"i1"_s).fontItalic());
    QVERIFY(formatOf(doc, u"u1"_s).fontUnderline());
    QVERIFY(formatOf(doc, u"u2"_s).fontUnderline());
    QVERIFY(formatOf(doc, u"d1"_s).fontUnderline());
    QVERIFY(formatOf(doc, u"s1"_s).fontStrikeOut());
    const QTextCharFormat all = formatOf(doc, u"all"_s);
    QVERIFY(all.fontWeight() == QFont::Bold && all.fontItalic() && all.fontUnderline());
    for (const char *plain : {"n0", "n1", "n2", "n3", "n4", "n5", "n6"}) {
        const QTextCharFormat format = formatOf(doc, QString::fromLatin1(plain));
        QVERIFY2(format.isValid(), plain);
        QVERIFY2(format.fontWeight() == QFont::Normal && !format.fontItalic() && !format.fontUnderline() &&
                     !format.fontStrikeOut(),
                 plain);
    }
}

void TestRtfReader::formattingIsScopedToGroups()
{
    QTextDocument doc;
    readRtf(rtf("before {\\b inner {\\i deeper} back} after"), &doc);
    QVERIFY(formatOf(doc, u"before"_s).fontWeight() == QFont::Normal);
    QVERIFY(formatOf(doc, u"inner"_s).fontWeight() == QFont::Bold);
    const QTextCharFormat deeper = formatOf(doc, u"deeper"_s);
    QVERIFY(deeper.fontWeight() == QFont::Bold && deeper.fontItalic());
    const QTextCharFormat back = formatOf(doc, u"back"_s);
    QVERIFY(back.fontWeight() == QFont::Bold && !back.fontItalic());
    QVERIFY(formatOf(doc, u"after"_s).fontWeight() == QFont::Normal);
    QCOMPARE(plainTextOf(doc), u"before inner deeper back after"_s);
}

void TestRtfReader::fontSizes()
{
    QTextDocument doc;
    readRtf(rtf("normal \\fs40 big\\fs17  odd\\fs0  reset"), &doc);
    QCOMPARE(formatOf(doc, u"normal"_s).fontPointSize(), 12.0);
    QCOMPARE(formatOf(doc, u"big"_s).fontPointSize(), 20.0);
    QCOMPARE(formatOf(doc, u"odd"_s).fontPointSize(), 8.5);
    QCOMPARE(formatOf(doc, u"reset"_s).fontPointSize(), 12.0);
}

void TestRtfReader::colours()
{
    QTextDocument doc;
    readRtf(rtf("{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;;\\red255\\green255\\blue0;}"
                "\\cf1 red\\cf2  blue\\cf0  auto\\cf3  empty\\cf99  beyond\\cf0  "
                "\\cb4 yellowback\\cb0  \\highlight4 marked\\highlight0  plain"),
            &doc);
    QCOMPARE(formatOf(doc, u"red"_s).foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatOf(doc, u"blue"_s).foreground().color(), QColor(0, 0, 255));
    for (const char *uncoloured : {"auto", "empty", "beyond", "plain"}) {
        const QTextCharFormat format = formatOf(doc, QString::fromLatin1(uncoloured));
        QVERIFY2(format.isValid(), uncoloured);
        QVERIFY2(!format.hasProperty(QTextFormat::ForegroundBrush), uncoloured);
        QVERIFY2(!format.hasProperty(QTextFormat::BackgroundBrush), uncoloured);
    }
    QCOMPARE(formatOf(doc, u"yellowback"_s).background().color(), QColor(255, 255, 0));
    QCOMPARE(formatOf(doc, u"marked"_s).background().color(), QColor(255, 255, 0));
    // The colour table's own text never shows.
    QCOMPARE(plainTextOf(doc), u"red blue auto empty beyond yellowback marked plain"_s);
}

void TestRtfReader::alignmentAndIndents()
{
    QTextDocument doc;
    readRtf(rtf("\\qc centre\\par \\qr right\\par \\qj just\\par \\li720\\ri300\\fi-360 hanging\\par "
                "\\pard\\sb150\\sa300 spaced\\par\\pard left"),
            &doc);
    QCOMPARE(blockWith(doc, u"centre"_s).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(blockWith(doc, u"right"_s).blockFormat().alignment(), Qt::AlignRight);
    QCOMPARE(blockWith(doc, u"just"_s).blockFormat().alignment(), Qt::AlignJustify);
    const QTextBlockFormat hanging = blockWith(doc, u"hanging"_s).blockFormat();
    // The alignment persists until \pard; twips become pixels at 15 to one.
    QCOMPARE(hanging.alignment(), Qt::AlignJustify);
    QCOMPARE(hanging.leftMargin(), 48.0);
    QCOMPARE(hanging.rightMargin(), 20.0);
    QCOMPARE(hanging.textIndent(), -24.0);
    const QTextBlockFormat spaced = blockWith(doc, u"spaced"_s).blockFormat();
    QCOMPARE(spaced.topMargin(), 10.0);
    QCOMPARE(spaced.bottomMargin(), 20.0);
    QCOMPARE(spaced.leftMargin(), 0.0);
    const QTextBlockFormat left = blockWith(doc, u"left"_s).blockFormat();
    QCOMPARE(left.alignment(), Qt::AlignLeft);
    QCOMPARE(left.textIndent(), 0.0);
}

void TestRtfReader::headingLevels()
{
    QTextDocument doc;
    readRtf(rtf("\\outlinelevel0 Title\\par\\pard\\outlinelevel1 Sub\\par\\pard Body"), &doc);
    QCOMPARE(blockWith(doc, u"Title"_s).blockFormat().headingLevel(), 1);
    QCOMPARE(blockWith(doc, u"Sub"_s).blockFormat().headingLevel(), 2);
    QCOMPARE(blockWith(doc, u"Body"_s).blockFormat().headingLevel(), 0);
}

void TestRtfReader::specialCharacters()
{
    const QString text = rtfToPlainText(rtf("a\\~b\\-c\\_d\\{e\\}f\\\\g\\emdash h\\endash i\\bullet j"
                                            "\\lquote k\\rquote l\\ldblquote m\\rdblquote n"));
    // Soft hyphens are invisible in the plain text.
    QCOMPARE(text, u"a\u00A0bc\u2011d{e}f\\g\u2014h\u2013i\u2022j\u2018k\u2019l\u201Cm\u201Dn"_s);
    QTextDocument doc;
    readRtf(rtf("x\\-y"), &doc);
    QCOMPARE(doc.begin().text(), u"x\u00ADy"_s);
}

void TestRtfReader::codePages_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1252 by default") << QByteArray("{\\rtf1 Perch\\'e9 \\'c8 cos\\'ec \\'80 \\'93x\\'94}")
                                     << u"Perché È così € “x”"_s;
    QTest::newRow("1252 named") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 citt\\'e0 pi\\'f9 per\\'f2}")
                                << u"città più però"_s;
    QTest::newRow("1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'8a\\'9a\\'e8\\'f8\\'b9}")
                          << u"Šščřą"_s;
    QTest::newRow("1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
                          << u"Привет"_s;
    QTest::newRow("raw 8-bit bytes") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \x8a\xe8}") << u"Šč"_s;
    QTest::newRow("hex in capitals") << QByteArray("{\\rtf1 \\'C8\\'E0}") << u"Èà"_s;
    QTest::newRow("mac") << QByteArray("{\\rtf1\\mac \\'8e}") << u"é"_s;
    QTest::newRow("undefined byte") << QByteArray("{\\rtf1 a\\'81b}") << u"a\uFFFDb"_s;
}

void TestRtfReader::codePages()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, expected);
    QCOMPARE(rtfToPlainText(document), expected);
}

void TestRtfReader::fontCharsetChoosesCodePage()
{
    // A font with an Eastern European charset reads its bytes in 1250, the
    // others in the document's code page.
    const QByteArray document("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}"
                              "{\\f1\\fcharset238 Arial CE;}{\\f2\\fcharset204 Arial Cyr;}}"
                              "\\'e8 {\\f1 \\'e8} {\\f2 \\'e8} \\'e8}");
    QCOMPARE(rtfToPlainText(document), u"è č и è"_s);
}

void TestRtfReader::unknownCodePageWarns()
{
    const RtfResult result = readRtfAsPlainText("{\\rtf1\\ansi\\ansicpg9999 \\'e8}");
    QCOMPARE(result.plainText, u"è"_s);
    QCOMPARE(result.warnings.size(), 1);
    QVERIFY(result.warnings.first().contains(u"9999"_s));
}

void TestRtfReader::unicodeAndFallback()
{
    // One fallback byte by default, given as \'hh or as a letter.
    QCOMPARE(rtfToPlainText("{\\rtf1 \\u8364\\'80 \\u233?x}"), u"€ éx"_s);
    // \uc0: nothing to skip; \uc2: two fallback bytes.
    QCOMPARE(rtfToPlainText("{\\rtf1\\uc0 \\u8364 a\\uc2\\u8364\\'80\\'80b}"), u"€a€b"_s);
    // Negative numbers stand for code units above 32767; a pair of them
    // writes a character beyond the basic plane.
    QCOMPARE(rtfToPlainText("{\\rtf1 \\u-4064?\\u-10179?\\u-8704?}"), u"\uF020\U0001F600"_s);
    // The fallback count is scoped to the group; a group end stops skipping.
    QCOMPARE(rtfToPlainText("{\\rtf1 {\\uc3\\u8364 abc}\\u8364 de{\\u8364}fg}"), u"€€e€fg"_s);
    // A lone surrogate becomes a replacement character.
    QCOMPARE(rtfToPlainText("{\\rtf1 a\\u-10179?b}"), u"a\uFFFDb"_s);
    // A paragraph separator character cannot split paragraphs behind the reader's back.
    QTextDocument doc;
    readRtf("{\\rtf1 a\\u8233?b}", &doc);
    QCOMPARE(doc.blockCount(), 1);
}

void TestRtfReader::skippedDestinations()
{
    const QByteArray document(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 FontName;}}{\\colortbl;\\red1\\green2\\blue3;}"
        "{\\stylesheet{\\s0 StyleName;}}{\\info{\\title TitleText}{\\author AuthorText}}"
        "{\\*\\generator GeneratorText;}{\\*\\unknownthing UnknownText}{\\header HeaderText}"
        "{\\footer FooterText}{\\pict\\wmetafile8 0102030405}{\\*\\shppict{\\pict 0A0B}}"
        "{\\nonshppict{\\pict 0C0D}}{\\footnote FootnoteText}"
        "Visible{\\*\\bkmkstart mark}{\\*\\bkmkend mark} text}");
    QCOMPARE(rtfToPlainText(document), u"Visible text"_s);
}

void TestRtfReader::fieldResultsAreShown()
{
    const QByteArray document("{\\rtf1 See {\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt the site}}"
                              " and {\\field{\\fldinst PAGE}{\\fldrslt 3}}.}");
    QCOMPARE(rtfToPlainText(document), u"See the site and 3."_s);
    // The ANSI form of \upr gives way to its Unicode form.
    QCOMPARE(rtfToPlainText("{\\rtf1 {\\upr{ansi}{\\*\\ud{\\u8364?uni}}}}"), u"€uni"_s);
}

void TestRtfReader::binaryDataIsSkipped()
{
    const QByteArray document = QByteArray("{\\rtf1 a{\\*\\blipuid x}{\\pict\\bin6 ") +
                                QByteArray("}{\\\0\xff", 6) + "}b \\bin3 {{{c}";
    const RtfResult result = readRtfAsPlainText(document);
    // The blank after "b" is text; the one after \\bin3 ends the control word.
    QCOMPARE(result.plainText, u"ab c"_s);
    QVERIFY2(result.warnings.isEmpty(), qPrintable(result.warnings.join(QLatin1Char('|'))));
}

void TestRtfReader::listsFromListTable()
{
    const QByteArray document(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
        "{\\*\\listtable{\\list\\listtemplateid5{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}}"
        "{\\listlevel\\levelnfc23{\\leveltext\\'01o;}}\\listid100}"
        "{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}{\\listlevel\\levelnfc4{\\leveltext\\'02\\'"
        "01);}}"
        "\\listid200}}"
        "{\\*\\listoverridetable{\\listoverride\\listid100\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid200\\listoverridecount0\\ls2}}"
        "\\pard Intro\\par"
        "\\pard{\\listtext\\f1 \\'b7\\tab}\\ls1\\li720\\fi-360 Apple\\par"
        "\\pard{\\listtext\\f1 \\'b7\\tab}\\ls1\\li720\\fi-360 Pear\\par"
        "\\pard{\\listtext\\f1 o\\tab}\\ls1\\ilvl1 Seed\\par"
        "\\pard Between\\par"
        "\\pard{\\listtext 1.\\tab}\\ls2 First\\par"
        "\\pard{\\listtext 2.\\tab}\\ls2 Second\\par"
        "\\pard{\\listtext a)\\tab}\\ls2\\ilvl1 Sub\\par"
        "\\pard End}");
    QTextDocument doc;
    readRtf(document, &doc);
    const QTextBlock apple = blockWith(doc, u"Apple"_s);
    QVERIFY(apple.textList() != nullptr);
    // The list draws its own bullet: the written marker is not repeated.
    QCOMPARE(apple.text(), u"Apple"_s);
    QCOMPARE(apple.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockWith(doc, u"Pear"_s).textList(), apple.textList());
    QCOMPARE(apple.textList()->count(), 2);
    QCOMPARE(blockWith(doc, u"Seed"_s).textList()->format().style(), QTextListFormat::ListCircle);
    QCOMPARE(blockWith(doc, u"Seed"_s).textList()->format().indent(), 2);
    const QTextBlock first = blockWith(doc, u"First"_s);
    QVERIFY(first.textList() != nullptr);
    QCOMPARE(first.textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(first.textList()->itemText(blockWith(doc, u"Second"_s)), u"2."_s);
    QCOMPARE(blockWith(doc, u"Sub"_s).textList()->format().style(), QTextListFormat::ListLowerAlpha);
    for (const char *plain : {"Intro", "Between", "End"})
        QVERIFY2(blockWith(doc, QString::fromLatin1(plain)).textList() == nullptr, plain);
    QCOMPARE(plainTextOf(doc), u"Intro\n• Apple\n• Pear\n◦ Seed\nBetween\n1. First\n2. Second\n"
                               u"a. Sub\nEnd"_s);
}

void TestRtfReader::oldStyleNumbering()
{
    const QByteArray document(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
        "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent360{\\pntxtb\\'b7}}\\fi-360\\li360 "
        "Dot one\\par"
        "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}Dot two\\par"
        "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}Num one\\par"
        "\\pard{\\pntext 2.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}Num two\\par"
        "\\pard{\\pntext I.\\tab}{\\*\\pn\\pnlvlbody\\pnucrm{\\pntxta .}}Roman\\par"
        "\\pard Plain}");
    QTextDocument doc;
    readRtf(document, &doc);
    const QTextBlock dot = blockWith(doc, u"Dot one"_s);
    QVERIFY(dot.textList() != nullptr);
    QCOMPARE(dot.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockWith(doc, u"Dot two"_s).textList(), dot.textList());
    const QTextBlock numTwo = blockWith(doc, u"Num two"_s);
    QCOMPARE(numTwo.textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(numTwo.textList()->itemText(numTwo), u"2."_s);
    QCOMPARE(blockWith(doc, u"Roman"_s).textList()->format().style(), QTextListFormat::ListUpperRoman);
    QVERIFY(blockWith(doc, u"Plain"_s).textList() == nullptr);
    QCOMPARE(plainTextOf(doc), u"• Dot one\n• Dot two\n1. Num one\n2. Num two\nI. Roman\nPlain"_s);
}

void TestRtfReader::listMarkerAfterHeadingLooksLikeItsItem()
{
    const QByteArray document(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red0\\green51\\blue153;}\\f0\\fs20"
        "\\pard\\cf1\\b\\fs32 Titolo\\b0\\fs20\\cf0\\par"
        "\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta.}}Primo\\par"
        "\\pard{\\pntext\\f0 2.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}Secondo\\par}");
    QTextDocument doc;
    readRtf(document, &doc);
    const QTextCharFormat heading = formatOf(doc, u"Titolo"_s);
    QVERIFY(heading.font().bold());
    // The marker is drawn in the character format of the item's block.
    for (const QString &item : {u"Primo"_s, u"Secondo"_s}) {
        const QTextBlock block = blockWith(doc, item);
        QVERIFY(block.textList() != nullptr);
        const QTextCharFormat marker = block.charFormat();
        const QTextCharFormat text = formatOf(doc, item);
        QVERIFY(!marker.font().bold());
        QCOMPARE(marker.fontPointSize(), text.fontPointSize());
        QVERIFY(marker.fontPointSize() < heading.fontPointSize());
        QCOMPARE(marker.foreground(), text.foreground());
        QVERIFY(marker.foreground() != heading.foreground());
    }
}

void TestRtfReader::markerWithoutListIsText()
{
    // A marker that refers to no list definition is shown as written.
    QCOMPARE(rtfToPlainText("{\\rtf1 {\\listtext 1.\\tab}\\ls7 Item\\par{\\pntext -\\tab}Other}"),
             u"1.\tItem\n-\tOther"_s);
}

void TestRtfReader::simpleTable()
{
    const QByteArray document(
        "{\\rtf1 Before\\par"
        "\\trowd\\trqc\\cellx1500\\cellx4500\\pard\\intbl Name\\cell \\b Number\\b0\\cell\\row"
        "\\trowd\\cellx1500\\cellx4500\\pard\\intbl Uno\\par due\\cell 335\\cell\\row"
        "\\pard After\\par}");
    QTextDocument doc;
    readRtf(document, &doc);
    QTextTable *table = nullptr;
    for (QTextFrame *frame : doc.rootFrame()->childFrames())
        table = table != nullptr ? table : qobject_cast<QTextTable *>(frame);
    QVERIFY(table != nullptr);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 2);
    QCOMPARE(table->format().alignment(), Qt::AlignHCenter);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    QCOMPARE(widths.size(), 2);
    QCOMPARE(widths[0].rawValue(), 100.0);
    QCOMPARE(widths[1].rawValue(), 200.0);
    auto cellText = [&](int row, int column) {
        const QTextTableCell cell = table->cellAt(row, column);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cursor.selectedText();
    };
    QCOMPARE(cellText(0, 0), u"Name"_s);
    QCOMPARE(cellText(0, 1), u"Number"_s);
    QCOMPARE(cellText(1, 0), u"Uno\u2029due"_s);
    QCOMPARE(cellText(1, 1), u"335"_s);
    QVERIFY(formatOf(doc, u"Number"_s).fontWeight() == QFont::Bold);
    QCOMPARE(plainTextOf(doc), u"Before\nName\tNumber\nUno\ndue\t335\nAfter"_s);
    // Text after the table is outside it.
    QTextCursor after = doc.find(u"After"_s);
    QVERIFY(after.currentTable() == nullptr);
    QVERIFY(doc.find(u"Before"_s).currentTable() == nullptr);
}

void TestRtfReader::tableRowsWithMoreCellsGrow()
{
    const QByteArray document(
        "{\\rtf1\\trowd\\cellx1000\\pard\\intbl a\\cell\\row"
        "\\trowd\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl b\\cell c\\cell d\\cell\\row"
        "\\intbl e\\cell f\\cell g\\cell h\\cell\\row\\pard z}");
    QTextDocument doc;
    readRtf(document, &doc);
    QCOMPARE(plainTextOf(doc), u"a\t\t\t\nb\tc\td\t\ne\tf\tg\th\nz"_s);
}

void TestRtfReader::cellWithoutTableStartsOne()
{
    QTextDocument doc;
    // The text ahead of the first cell mark was already out when the mark
    // said it was in a table: it stays before the table.
    readRtf("{\\rtf1 x\\cell y\\cell\\row\\pard tail}", &doc);
    QCOMPARE(plainTextOf(doc), u"x\n\ty\ntail"_s);
}

void TestRtfReader::cellShading()
{
    QTextDocument doc;
    readRtf("{\\rtf1{\\colortbl;\\red221\\green230\\blue245;}"
            "\\trowd\\clcbpat1\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row"
            "\\trowd\\cellx1000\\clcbpat1\\cellx2000\\intbl c\\cell d\\cell\\row}",
            &doc);
    QTextTable *table = doc.find(u"a"_s).currentTable();
    QVERIFY(table != nullptr);
    QCOMPARE(table->cellAt(0, 0).format().background().color(), QColor(221, 230, 245));
    QVERIFY(!table->cellAt(0, 1).format().hasProperty(QTextFormat::BackgroundBrush));
    QVERIFY(!table->cellAt(1, 0).format().hasProperty(QTextFormat::BackgroundBrush));
    QCOMPARE(table->cellAt(1, 1).format().background().color(), QColor(221, 230, 245));
}

void TestRtfReader::fontTableGivesFamilies()
{
    QTextDocument doc;
    readRtf("{\\rtf1\\deff1{\\fonttbl{\\f0\\froman Times New Roman{\\*\\falt Times};}{\\f1\\fswiss Arial;}"
            "\\f2\\fmodern Courier New;}default \\f0 roman \\f2 mono}",
            &doc);
    QCOMPARE(formatOf(doc, u"default"_s).fontFamilies().toStringList(), QStringList{u"Arial"_qs});
    QCOMPARE(formatOf(doc, u"roman"_s).fontFamilies().toStringList(), QStringList{u"Times New Roman"_qs});
    QCOMPARE(formatOf(doc, u"mono"_s).fontFamilies().toStringList(), QStringList{u"Courier New"_qs});
}

void TestRtfReader::readReplacesContent()
{
    QTextDocument doc;
    doc.setPlainText(u"old text"_s);
    readRtf("{\\rtf1 new}", &doc);
    QCOMPARE(doc.toPlainText(), u"new"_s);
    // Nothing of the reading can be undone into the old text.
    QVERIFY(!doc.isUndoAvailable());
}

void TestRtfReader::wellFormedDocumentHasNoWarnings()
{
    QStringList warnings{u"stale"_s};
    QTextDocument doc;
    readRtf(rtf("\\b x\\par"), &doc, &warnings);
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('|'))));
}

QTEST_MAIN(TestRtfReader)
#include "test_rtfreader.moc"
