#include "docviewer/rtf/RtfReader.h"

#include "docviewer/rtf/RtfParser.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

using namespace Qt::StringLiterals;

namespace brivello::rtf {

namespace {

// Pages on the disc are a few kilobytes; anything far larger is not one, and
// reading it would keep the window busy for seconds.

bool isBullet(QTextListFormat::Style style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

QString bulletOf(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListCircle:
        return u"\u25E6"_s;
    case QTextListFormat::ListSquare:
        return u"\u25AA"_s;
    default:
        return u"\u2022"_s;
    }
}

QString blockText(const QTextBlock &block)
{
    QString text = block.text();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.remove(QChar::SoftHyphen);
    if (QTextList *list = block.textList()) {
        const QTextListFormat::Style style = list->format().style();
        text.prepend((isBullet(style) ? bulletOf(style) : list->itemText(block)) + QLatin1Char(' '));
    }
    return text;
}

QString frameText(QTextFrame *frame);

QString tableText(QTextTable *table)
{
    QStringList rows;
    for (int row = 0; row < table->rows(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            QStringList lines;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (it.currentBlock().isValid())
                    lines.append(blockText(it.currentBlock()));
                else if (it.currentFrame() != nullptr)
                    lines.append(frameText(it.currentFrame()));
            }
            cells.append(lines.join(QLatin1Char('\n')));
        }
        rows.append(cells.join(QLatin1Char('\t')));
    }
    return rows.join(QLatin1Char('\n'));
}

QString frameText(QTextFrame *frame)
{
    QStringList parts;
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        // The document keeps an empty paragraph ahead of a table that opens a frame.
        if (parts.isEmpty() && it.currentBlock().isValid() && it.currentBlock().length() == 1) {
            auto next = it;
            ++next;
            if (!next.atEnd() && next.currentFrame() != nullptr)
                continue;
        }
        if (QTextFrame *child = it.currentFrame()) {
            auto *table = qobject_cast<QTextTable *>(child);
            parts.append(table != nullptr ? tableText(table) : frameText(child));
        } else if (it.currentBlock().isValid()) {
            parts.append(blockText(it.currentBlock()));
        }
    }
    return parts.join(QLatin1Char('\n'));
}

void showNotice(const QString &path, QTextDocument *into)
{
    into->clear();
    QTextCursor cursor(into);
    QTextCharFormat format;
    format.setFontItalic(true);
    cursor.insertText(u"Pagina non disponibile: %1"_s.arg(QFileInfo(path).fileName()), format);
}

} // namespace

bool looksLikeRtf(const QByteArray &data)
{
    qsizetype start = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        start = 3;
    while (start < data.size() &&
           (data[start] == ' ' || data[start] == '\r' || data[start] == '\n' || data[start] == '\t'))
        ++start;
    return QByteArrayView(data).sliced(start).startsWith("{\\rtf");
}

void readRtf(const QByteArray &rtf, QTextDocument *into, QStringList *warnings)
{
    const bool undo = into->isUndoRedoEnabled();
    into->setUndoRedoEnabled(false);
    into->clear();
    QStringList found;
    if (!looksLikeRtf(rtf))
        found.append(u"not a rich-text document; read as plain text"_s);
    {
        QTextCursor editing(into);
        editing.beginEditBlock();
        Parser parser(QByteArrayView(rtf), into);
        parser.run();
        found += parser.warnings();
        editing.endEditBlock();
    }
    into->setUndoRedoEnabled(undo);
    if (warnings != nullptr)
        *warnings = found;
}

QString plainTextOf(const QTextDocument &document)
{
    return frameText(document.rootFrame());
}

RtfResult readRtfAsPlainText(const QByteArray &rtf)
{
    QTextDocument document;
    RtfResult result;
    readRtf(rtf, &document, &result.warnings);
    result.plainText = plainTextOf(document);
    return result;
}

QString rtfToPlainText(const QByteArray &rtf)
{
    return readRtfAsPlainText(rtf).plainText;
}

bool loadRtfPage(const QString &path, QTextDocument *into)
{
    // Only a plain file is opened: a FIFO in a page's place would hold the
    // window for good.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > maxPageSize) {
        showNotice(path, into);
        return false;
    }
    const QByteArray data = file.read(maxPageSize);
    if (file.error() != QFileDevice::NoError || !looksLikeRtf(data)) {
        showNotice(path, into);
        return false;
    }
    readRtf(data, into);
    return true;
}

} // namespace brivello::rtf
