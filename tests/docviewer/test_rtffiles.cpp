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
    readRtf(sample(QStringLiteral("formattazione.rtf")), &doc);
    QVERIFY(formatOf(doc, QStringLiteral("grassetto")).fontWeight() == QFont::Bold);
    QVERIFY(formatOf(doc, QStringLiteral("corsivo")).fontItalic());
    QVERIFY(formatOf(doc, QStringLiteral("sottolineato")).fontUnderline());
    const QTextCharFormat plain = formatOf(doc, QStringLiteral("Testo "));
    QVERIFY(plain.fontWeight() == QFont::Normal && !plain.fontItalic() && !plain.fontUnderline());
    QCOMPARE(formatOf(doc, QStringLiteral("rosso")).foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatOf(doc, QStringLiteral("blu")).foreground().color(), QColor(0, 0, 255));
    QCOMPARE(formatOf(doc, QStringLiteral("Grande")).fontPointSize(), 20.0);
    QCOMPARE(formatOf(doc, QStringLiteral("evidenziato")).background().color(), QColor(255, 255, 0));
    QCOMPARE(blockWith(doc, QStringLiteral("Paragrafo centrato")).blockFormat().alignment(),
             Qt::AlignHCenter);
    QCOMPARE(blockWith(doc, QStringLiteral("Testo")).blockFormat().alignment(), Qt::AlignLeft);
    QCOMPARE(plainTextOf(doc), QStringLiteral(u"Guida alle suonerie\n"
                                              u"Testo grassetto, corsivo e sottolineato in una riga.\n"
                                              u"Un colore rosso e uno blu.\n"
                                              u"Paragrafo centrato\n"
                                              u"Grande e evidenziato.\n"
                                              u"Perché è così? Città, lunedì, però, più. È vero.\n"
                                              u"Secondo titolo\n"
                                              u"Fine della pagina."));
}

void TestRtfFiles::headings()
{
    QTextDocument doc;
    readRtf(sample(QStringLiteral("formattazione.rtf")), &doc);
    const QTextCharFormat title = formatOf(doc, QStringLiteral("Guida alle suonerie"));
    QVERIFY(title.fontWeight() == QFont::Bold);
    QCOMPARE(title.fontPointSize(), 24.0);
    QCOMPARE(title.fontFamilies().toStringList().value(0), QStringLiteral("Liberation Serif"));
    QCOMPARE(blockWith(doc, QStringLiteral("Guida alle suonerie")).blockFormat().headingLevel(), 1);
    QCOMPARE(formatOf(doc, QStringLiteral("Secondo titolo")).fontPointSize(), 18.0);
    QCOMPARE(blockWith(doc, QStringLiteral("Secondo titolo")).blockFormat().headingLevel(), 2);
    QCOMPARE(blockWith(doc, QStringLiteral("Fine della pagina.")).blockFormat().headingLevel(), 0);
}

void TestRtfFiles::accentedItalian()
{
    // The writer gives each accented letter as \uN with a Windows-1252 fallback.
    QTextDocument doc;
    readRtf(sample(QStringLiteral("formattazione.rtf")), &doc);
    QVERIFY(!doc.find(QStringLiteral(u"Perché è così? Città, lunedì, però, più. È vero.")).isNull());
    // The fallback bytes alone, read in the document's code page, say the same.
    QByteArray fallbackOnly = sample(QStringLiteral("formattazione.rtf"));
    fallbackOnly.replace("\\u233\\'e9", "\\'e9")
        .replace("\\u232\\'e8", "\\'e8")
        .replace("\\u236\\'ec", "\\'ec");
    fallbackOnly.replace("\\u224\\'e0", "\\'e0")
        .replace("\\u242\\'f2", "\\'f2")
        .replace("\\u249\\'f9", "\\'f9");
    fallbackOnly.replace("\\u200\\'c8", "\\'c8");
    QVERIFY(!fallbackOnly.contains("\\u2"));
    QVERIFY(rtfToPlainText(fallbackOnly)
                .contains(QStringLiteral(u"Perché è così? Città, lunedì, però, più. È vero.")));
}

void TestRtfFiles::bulletedAndNumberedLists()
{
    QTextDocument doc;
    readRtf(sample(QStringLiteral("elenchi.rtf")), &doc);
    const QTextBlock phone = blockWith(doc, QStringLiteral("Un telefono"));
    QVERIFY(phone.textList() != nullptr);
    QCOMPARE(phone.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(phone.textList()->count(), 3);
    QCOMPARE(blockWith(doc, QStringLiteral("Il disco")).textList(), phone.textList());
    const QTextBlock menu = blockWith(doc, QStringLiteral("Aprire il menu"));
    QVERIFY(menu.textList() != nullptr);
    QVERIFY(menu.textList() != phone.textList());
    QCOMPARE(menu.textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(menu.textList()->itemText(blockWith(doc, QStringLiteral("Digitare le note"))),
             QStringLiteral("3."));
    // The written markers ("1.", the bullet) are drawn by the lists, not repeated as text.
    QCOMPARE(menu.text(), QStringLiteral("Aprire il menu"));
    QVERIFY(blockWith(doc, QStringLiteral("I passi:")).textList() == nullptr);
    QCOMPARE(plainTextOf(doc),
             QStringLiteral(u"Cosa serve:\n• Un telefono\n• Un cavo dati\n• Il disco\nI passi:\n"
                            u"1. Aprire il menu\n2. Scegliere Compositore\n3. Digitare le note\n"
                            u"Fatto."));
}

void TestRtfFiles::table()
{
    QTextDocument doc;
    readRtf(sample(QStringLiteral("tabella.rtf")), &doc);
    QTextTable *table = firstTable(doc);
    QVERIFY(table != nullptr);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 2);
    const QTextTableCell number = table->cellAt(2, 1);
    QCOMPARE(number.firstCursorPosition().block().text(), QStringLiteral("+39 347 7654321"));
    QCOMPARE(table->cellAt(1, 0).firstCursorPosition().block().text(), QStringLiteral("Rete Uno"));
    QVERIFY(doc.find(QStringLiteral("Centrali SMS:")).currentTable() == nullptr);
    QVERIFY(doc.find(QStringLiteral("Dopo la tabella.")).currentTable() == nullptr);
    QCOMPARE(plainTextOf(doc), QStringLiteral("Centrali SMS:\nOperatore\tNumero\nRete Uno\t+39 335 1234567\n"
                                              "Rete Due\t+39 347 7654321\nDopo la tabella."));
}

void TestRtfFiles::samplesReadWithoutWarnings()
{
    const QStringList names = QDir(rtfDataDir()).entryList({QStringLiteral("*.rtf")}, QDir::Files);
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
    for (const QString &name : QDir(rtfDataDir()).entryList({QStringLiteral("*.rtf")}, QDir::Files)) {
        const QByteArray whole = sample(name);
        for (qsizetype length = 1; length < whole.size() - 3; length += 11) {
            const RtfResult result = readRtfAsPlainText(whole.left(length));
            const QString where = name + QLatin1Char('@') + QString::number(length);
            QVERIFY2(!result.plainText.contains(QLatin1Char('\\')) &&
                         !result.plainText.contains(QLatin1Char('{')),
                     qPrintable(where));
            QVERIFY2(result.warnings.join(u'|').contains(QStringLiteral("open group")), qPrintable(where));
        }
    }
}

namespace {

QStringList discPageNames()
{
    QStringList names;
    for (int n = 1; n <= 8; ++n)
        names.append(QStringLiteral("pag1-%1.dat").arg(n));
    for (int n = 1; n <= 3; ++n)
        names.append(QStringLiteral("nokpg1-%1.dat").arg(n));
    names.append(QStringLiteral("pag3-1.dat"));
    return names;
}

QString discPage(const QString &name)
{
    return qEnvironmentVariable("BRIVELLO_TEST_DISC") + QStringLiteral("/datafiles/") + name;
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
    QVERIFY(loadRtfPage(discPage(QStringLiteral("pag3-1.dat")), &doc));
    QTextTable *table = firstTable(doc);
    QVERIFY(table != nullptr);
    QCOMPARE(table->columns(), 3);
    QVERIFY(table->rows() >= 3);
    QCOMPARE(table->cellAt(0, 0).firstCursorPosition().block().text(), QStringLiteral("Operatore"));
    QVERIFY(table->cellAt(0, 0).format().hasProperty(QTextFormat::BackgroundBrush));
    QVERIFY(!table->cellAt(1, 0).format().hasProperty(QTextFormat::BackgroundBrush));
    const QString text = plainTextOf(doc);
    QVERIFY(text.contains(QStringLiteral("\nTIM\t+39 335 9609600\t")));
    QVERIFY(text.contains(QStringLiteral(u"Perché l'invio funzioni")));
    QVERIFY(text.contains(QStringLiteral(u"\n1. Controllate che il numero")));
    QVERIFY(text.contains(QStringLiteral(u"\n• Nokia (per esempio 3210")));
}

void TestRtfFiles::pageLoads()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("pag1-1.dat"));
    QVERIFY(writeFile(path, sample(QStringLiteral("tabella.rtf"))));
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("previous page"));
    QVERIFY(loadRtfPage(path, &doc));
    QVERIFY(plainTextOf(doc).startsWith(QStringLiteral("Centrali SMS:\nOperatore\tNumero")));
    QVERIFY(!plainTextOf(doc).contains(QStringLiteral("previous page")));
}

void TestRtfFiles::missingPageShowsNotice()
{
    QTemporaryDir dir;
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("previous page"));
    QVERIFY(!loadRtfPage(dir.filePath(QStringLiteral("datafiles/pag1-3.dat")), &doc));
    QCOMPARE(doc.toPlainText(), QStringLiteral("Pagina non disponibile: pag1-3.dat"));
    QVERIFY(formatOf(doc, QStringLiteral("Pagina")).fontItalic());
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
    const QString path = dir.filePath(QStringLiteral("nokpg1-2.dat"));
    QVERIFY(writeFile(path, content));
    QTextDocument doc;
    QVERIFY(!loadRtfPage(path, &doc));
    QCOMPARE(doc.toPlainText(), QStringLiteral("Pagina non disponibile: nokpg1-2.dat"));
    // A folder where the page should be is no page either.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("pag3-1.dat")));
    QVERIFY(!loadRtfPage(dir.filePath(QStringLiteral("pag3-1.dat")), &doc));
    QCOMPARE(doc.toPlainText(), QStringLiteral("Pagina non disponibile: pag3-1.dat"));
}

// Mended fault: a FIFO in place of a page held the window forever.
void TestRtfFiles::fifoInPlaceOfAPageShowsNotice()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pag1-4.dat"));
    const brivello::test::FifoGuard fifo(path);
    QVERIFY(fifo.made());
    QTextDocument doc;
    QVERIFY(!loadRtfPage(path, &doc));
    QCOMPARE(doc.toPlainText(), QStringLiteral("Pagina non disponibile: pag1-4.dat"));
    QVERIFY2(!fifo.releasedAReader(), "the page was opened and waited on");
}

QTEST_MAIN(TestRtfFiles)
#include "test_rtffiles.moc"
