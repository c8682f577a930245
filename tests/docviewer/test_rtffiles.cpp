// The rich-text reader on documents written by a word processor
// (LibreOffice Writer, kept under rtfdata/), and loading pages from disc.
#include "RtfTestHelpers.h"
#include "docviewer/rtf/RtfReader.h"
#include "tests/support/HostileFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextList>
#include <QTextTable>

using namespace Qt::StringLiterals;

using namespace brivello::rtf;
using brivello::test::blockWith;
using brivello::test::formatOf;
using brivello::test::rtfDataDir;

namespace {

QByteArray sample(const QString &name)
{
    QFile file(rtfDataDir() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("test data %s missing", qPrintable(file.fileName()));
    return file.readAll();
}

QTextTable *firstTable(const QTextDocument &doc)
{
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame))
            return table;
    }
    return nullptr;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

class TestRtfFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formattedText();
    void headings();
    void accentedItalian();
    void bulletedAndNumberedLists();
    void table();
    void samplesReadWithoutWarnings();
    void everyTruncationReads();

    void discPagesRead();
    void smsCentresPage();

    void pageLoads();
    void missingPageShowsNotice();
    void pageThatIsNotRichTextShowsNotice_data();
    void pageThatIsNotRichTextShowsNotice();
    void fifoInPlaceOfAPageShowsNotice();
};

void TestRtfFiles::formattedText()
{
    QTextDocument doc;
    readRtf(sample(u"formattazione.rtf"_s), &doc);
    QVERIFY(formatOf(doc, u"grassetto"_s).fontWeight() == QFont::Bold);
    QVERIFY(formatOf(doc, u"corsivo"_s).fontItalic());
    QVERIFY(formatOf(doc, u"sottolineato"_s).fontUnderline());
    const QTextCharFormat plain = formatOf(doc, u"Testo "_s);
    QVERIFY(plain.fontWeight() == QFont::Normal && !plain.fontItalic() && !plain.fontUnderline());
    QCOMPARE(formatOf(doc, u"rosso"_s).foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatOf(doc, u"blu"_s).foreground().color(), QColor(0, 0, 255));
    QCOMPARE(formatOf(doc, u"Grande"_s).fontPointSize(), 20.0);
    QCOMPARE(formatOf(doc, u"evidenziato"_s).background().color(), QColor(255, 255, 0));
    QCOMPARE(blockWith(doc, u"Paragrafo centrato"_s).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(blockWith(doc, u"Testo"_s).blockFormat().alignment(), Qt::AlignLeft);
    QCOMPARE(plainTextOf(doc), u"Guida alle suonerie\n"
                               u"Testo grassetto, corsivo e sottolineato in una riga.\n"
                               u"Un colore rosso e uno blu.\n"
                               u"Paragrafo centrato\n"
                               u"Grande e evidenziato.\n"
                               u"Perché è così? Città, lunedì, però, più. È vero.\n"
                               u"Secondo titolo\n"
                               u"Fine della pagina."_s);
}

void TestRtfFiles::headings()
{
    QTextDocument doc;
    readRtf(sample(u"formattazione.rtf"_s), &doc);
    const QTextCharFormat title = formatOf(doc, u"Guida alle suonerie"_s);
    QVERIFY(title.fontWeight() == QFont::Bold);
    QCOMPARE(title.fontPointSize(), 24.0);
    QCOMPARE(title.fontFamilies().toStringList().value(0), u"Liberation Serif"_s);
    QCOMPARE(blockWith(doc, u"Guida alle suonerie"_s).blockFormat().headingLevel(), 1);
    QCOMPARE(formatOf(doc, u"Secondo titolo"_s).fontPointSize(), 18.0);
    QCOMPARE(blockWith(doc, u"Secondo titolo"_s).blockFormat().headingLevel(), 2);
    QCOMPARE(blockWith(doc, u"Fine della pagina."_s).blockFormat().headingLevel(), 0);
}

void TestRtfFiles::accentedItalian()
{
    // The writer gives each accented letter as \uN with a Windows-1252 fallback.
    QTextDocument doc;
    readRtf(sample(u"formattazione.rtf"_s), &doc);
    QVERIFY(!doc.find(u"Perché è così? Città, lunedì, però, più. È vero."_s).isNull());
    // The fallback bytes alone, read in the document's code page, say the same.
    QByteArray fallbackOnly = sample(u"formattazione.rtf"_s);
    fallbackOnly.replace("\\u233\\'e9", "\\'e9")
        .replace("\\u232\\'e8", "\\'e8")
        .replace("\\u236\\'ec", "\\'ec");
    fallbackOnly.replace("\\u224\\'e0", "\\'e0")
        .replace("\\u242\\'f2", "\\'f2")
        .replace("\\u249\\'f9", "\\'f9");
    fallbackOnly.replace("\\u200\\'c8", "\\'c8");
    QVERIFY(!fallbackOnly.contains("\\u2"));
    QVERIFY(rtfToPlainText(fallbackOnly).contains(u"Perché è così? Città, lunedì, però, più. È vero."_s));
}

void TestRtfFiles::bulletedAndNumberedLists()
{
    QTextDocument doc;
    readRtf(sample(u"elenchi.rtf"_s), &doc);
    const QTextBlock phone = blockWith(doc, u"Un telefono"_s);
    QVERIFY(phone.textList() != nullptr);
    QCOMPARE(phone.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(phone.textList()->count(), 3);
    QCOMPARE(blockWith(doc, u"Il disco"_s).textList(), phone.textList());
    const QTextBlock menu = blockWith(doc, u"Aprire il menu"_s);
    QVERIFY(menu.textList() != nullptr);
    QVERIFY(menu.textList() != phone.textList());
    QCOMPARE(menu.textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(menu.textList()->itemText(blockWith(doc, u"Digitare le note"_s)), u"3."_s);
    // The written markers ("1.", the bullet) are drawn by the lists, not repeated as text.
    QCOMPARE(menu.text(), u"Aprire il menu"_s);
    QVERIFY(blockWith(doc, u"I passi:"_s).textList() == nullptr);
    QCOMPARE(plainTextOf(doc), u"Cosa serve:\n• Un telefono\n• Un cavo dati\n• Il disco\nI passi:\n"
                               u"1. Aprire il menu\n2. Scegliere Compositore\n3. Digitare le note\n"
                               u"Fatto."_s);
}

void TestRtfFiles::table()
{
    QTextDocument doc;
    readRtf(sample(u"tabella.rtf"_s), &doc);
    QTextTable *table = firstTable(doc);
    QVERIFY(table != nullptr);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 2);
    const QTextTableCell number = table->cellAt(2, 1);
    QCOMPARE(number.firstCursorPosition().block().text(), u"+39 347 7654321"_s);
    QCOMPARE(table->cellAt(1, 0).firstCursorPosition().block().text(), u"Rete Uno"_s);
    QVERIFY(doc.find(u"Centrali SMS:"_s).currentTable() == nullptr);
    QVERIFY(doc.find(u"Dopo la tabella."_s).currentTable() == nullptr);
    QCOMPARE(plainTextOf(doc), u"Centrali SMS:\nOperatore\tNumero\nRete Uno\t+39 335 1234567\n"
                               "Rete Due\t+39 347 7654321\nDopo la tabella."_s);
}

void TestRtfFiles::samplesReadWithoutWarnings()
{
    const QStringList names = QDir(rtfDataDir()).entryList({u"*.rtf"_s}, QDir::Files);
    QVERIFY(names.size() >= 3);
    for (const QString &name : names) {
        const RtfResult result = readRtfAsPlainText(sample(name));
        QVERIFY2(result.warnings.isEmpty(), qPrintable(name + QLatin1Char(':') + result.warnings.join(u'|')));
        QVERIFY2(!result.plainText.isEmpty(), qPrintable(name));
    }
}

void TestRtfFiles::everyTruncationReads()
{
    // A page cut short anywhere reads as far as it goes: no markup shows as
    // text, and the reader says the groups were left open.
    for (const QString &name : QDir(rtfDataDir()).entryList({u"*.rtf"_s}, QDir::Files)) {
        const QByteArray whole = sample(name);
        for (qsizetype length = 1; length < whole.size() - 3; length += 11) {
            const RtfResult result = readRtfAsPlainText(whole.left(length));
            const QString where = name + QLatin1Char('@') + QString::number(length);
            QVERIFY2(!result.plainText.contains(QLatin1Char('\\')) &&
                         !result.plainText.contains(QLatin1Char('{')),
                     qPrintable(where));
            QVERIFY2(result.warnings.join(u'|').contains(u"open group"_s), qPrintable(where));
        }
    }
}

namespace {

QStringList discPageNames()
{
    QStringList names;
    for (int n = 1; n <= 8; ++n)
        names.append(u"pag1-%1.dat"_s.arg(n));
    for (int n = 1; n <= 3; ++n)
        names.append(u"nokpg1-%1.dat"_s.arg(n));
    names.append(u"pag3-1.dat"_s);
    return names;
}

QString discPage(const QString &name)
{
    return qEnvironmentVariable("BRIVELLO_TEST_DISC") + u"/datafiles/"_s + name;
}

} // namespace

void TestRtfFiles::discPagesRead()
{
    // The pages of the sample disc, as the documentation window loads them.
    for (const QString &name : discPageNames()) {
        QFile file(discPage(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const RtfResult result = readRtfAsPlainText(file.readAll());
        QVERIFY2(result.warnings.isEmpty(), qPrintable(name + QLatin1Char(':') + result.warnings.join(u'|')));
        QVERIFY2(!result.plainText.contains(QLatin1Char('\\')) &&
                     !result.plainText.contains(QLatin1Char('{')),
                 qPrintable(name));
        QTextDocument doc;
        QVERIFY(loadRtfPage(discPage(name), &doc));
        // Every page opens with a bold title of its own paragraph.
        const QTextBlock title = doc.begin();
        QVERIFY2(title.text().size() > 3, qPrintable(name));
        QVERIFY2(formatOf(doc, title.text()).fontWeight() == QFont::Bold, qPrintable(name));
        QVERIFY2(title.next().isValid(), qPrintable(name));
    }
}

void TestRtfFiles::smsCentresPage()
{
    QTextDocument doc;
    QVERIFY(loadRtfPage(discPage(u"pag3-1.dat"_s), &doc));
    QTextTable *table = firstTable(doc);
    QVERIFY(table != nullptr);
    QCOMPARE(table->columns(), 3);
    QVERIFY(table->rows() >= 3);
    QCOMPARE(table->cellAt(0, 0).firstCursorPosition().block().text(), u"Operatore"_s);
    QVERIFY(table->cellAt(0, 0).format().hasProperty(QTextFormat::BackgroundBrush));
    QVERIFY(!table->cellAt(1, 0).format().hasProperty(QTextFormat::BackgroundBrush));
    const QString text = plainTextOf(doc);
    QVERIFY(text.contains(u"\nTIM\t+39 335 9609600\t"_s));
    QVERIFY(text.contains(u"Perché l'invio funzioni"_s));
    QVERIFY(text.contains(u"\n1. Controllate che il numero"_s));
    QVERIFY(text.contains(u"\n• Nokia (per esempio 3210"_s));
}

void TestRtfFiles::pageLoads()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"pag1-1.dat"_s);
    QVERIFY(writeFile(path, sample(u"tabella.rtf"_s)));
    QTextDocument doc;
    doc.setPlainText(u"previous page"_s);
    QVERIFY(loadRtfPage(path, &doc));
    QVERIFY(plainTextOf(doc).startsWith(u"Centrali SMS:\nOperatore\tNumero"_s));
    QVERIFY(!plainTextOf(doc).contains(u"previous page"_s));
}

void TestRtfFiles::missingPageShowsNotice()
{
    QTemporaryDir dir;
    QTextDocument doc;
    doc.setPlainText(u"previous page"_s);
    QVERIFY(!loadRtfPage(dir.filePath(u"datafiles/pag1-3.dat"_s), &doc));
    QCOMPARE(doc.toPlainText(), u"Pagina non disponibile: pag1-3.dat"_s);
    QVERIFY(formatOf(doc, u"Pagina"_s).fontItalic());
}

void TestRtfFiles::pageThatIsNotRichTextShowsNotice_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("plain text") << QByteArray("Centrali SMS\r\n");
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11);
    QTest::newRow("html") << QByteArray("<html><body>{\\rtf1 no}</body></html>");
}

void TestRtfFiles::pageThatIsNotRichTextShowsNotice()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"nokpg1-2.dat"_s);
    QVERIFY(writeFile(path, content));
    QTextDocument doc;
    QVERIFY(!loadRtfPage(path, &doc));
    QCOMPARE(doc.toPlainText(), u"Pagina non disponibile: nokpg1-2.dat"_s);
    // A folder where the page should be is no page either.
    QVERIFY(QDir(dir.path()).mkdir(u"pag3-1.dat"_s));
    QVERIFY(!loadRtfPage(dir.filePath(u"pag3-1.dat"_s), &doc));
    QCOMPARE(doc.toPlainText(), u"Pagina non disponibile: pag3-1.dat"_s);
}

// Mended fault: a FIFO in place of a page held the window forever.
void TestRtfFiles::fifoInPlaceOfAPageShowsNotice()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"pag1-4.dat"_s);
    const brivello::test::FifoGuard fifo(path);
    QVERIFY(fifo.made());
    QTextDocument doc;
    QVERIFY(!loadRtfPage(path, &doc));
    QCOMPARE(doc.toPlainText(), u"Pagina non disponibile: pag1-4.dat"_s);
    QVERIFY2(!fifo.releasedAReader(), "the page was opened and waited on");
}

QTEST_MAIN(TestRtfFiles)
#include "test_rtffiles.moc"
