#include "docviewer/rtf/RtfDocumentBuilder.h"

#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>

namespace brivello::rtf {

namespace {

// A table cell costs more than a character: it is a frame of its own.
constexpr qint64 kCellCost = 8;

QTextTableFormat tableFormat(const RowDefinition &row, int columns)
{
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    format.setAlignment(row.alignment);
    QList<QTextLength> widths;
    int left = 0;
    for (int i = 0; i < columns && i < row.cellRightEdges.size(); ++i) {
        const int right = row.cellRightEdges[i];
        // Twips to pixels, 15 to one; a boundary left of the previous one
        // gets no width of its own.
        widths.append(QTextLength(QTextLength::FixedLength, std::max(0, right - left) / 15.0));
        left = std::max(left, right);
    }
    if (widths.size() == columns)
        format.setColumnWidthConstraints(widths);
    return format;
}

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument *document, qint64 budget)
    : m_document(document), m_cursor(document), m_budget(budget)
{}

bool DocumentBuilder::charge(qint64 units)
{
    if (m_exhausted)
        return false;
    if (units > m_budget) {
        m_budget = 0;
        m_exhausted = true;
        return false;
    }
    m_budget -= units;
    return true;
}

void DocumentBuilder::appendText(const QString &text, const QTextCharFormat &format)
{
    if (text.isEmpty() || m_exhausted)
        return;
    if (!charge(text.size()))
        return;
    enterNextCell();
    if (m_pendingFormat != format)
        flush();
    if (m_cellOverflow) {
        // Cells beyond the widest row the table can have share its last cell.
        m_cellOverflow = false;
        m_pendingText += QLatin1Char('\t');
    }
    m_pendingFormat = format;
    m_pendingText += text;
}

void DocumentBuilder::flush()
{
    if (m_pendingText.isEmpty())
        return;
    ensureParagraph();
    // A list marker is drawn in the format of its block, and a new block
    // starts with the one the paragraph before ended in: after a heading its
    // large bold colour. The block takes the format of its own first text,
    // except in a table, where that format holds the cell's own shading.
    if (m_table == nullptr && m_cursor.atBlockStart())
        m_cursor.setBlockCharFormat(m_pendingFormat);
    m_cursor.insertText(sanitizeText(m_pendingText), m_pendingFormat);
    m_pendingText.clear();
}

void DocumentBuilder::ensureParagraph()
{
    if (!m_needNewBlock)
        return;
    m_needNewBlock = false;
    m_cursor.insertBlock();
}

void DocumentBuilder::endParagraph(const ParagraphLook &look)
{
    if (!charge(1))
        return;
    flush();
    enterNextCell();
    ensureParagraph();
    applyLook(look);
    m_needNewBlock = true;
}

void DocumentBuilder::finish(const ParagraphLook &look)
{
    flush();
    if (!m_needNewBlock && !m_cursor.block().text().isEmpty())
        applyLook(look);
    if (m_table != nullptr)
        leaveTable();
}

void DocumentBuilder::applyLook(const ParagraphLook &look)
{
    m_cursor.setBlockFormat(look.block);
    if (QTextList *list = listFor(look)) {
        list->add(m_cursor.block());
        return;
    }
    if (!look.marker.isEmpty() && charge(look.marker.size())) {
        QTextCursor start(m_cursor.block());
        start.insertText(sanitizeText(look.marker), look.markerFormat);
    }
}

QTextList *DocumentBuilder::listFor(const ParagraphLook &look)
{
    if (look.listKey.isEmpty() || m_listedParagraphs >= kMaxListedParagraphs)
        return nullptr;
    ++m_listedParagraphs;
    const auto found = m_lists.constFind(look.listKey);
    if (found != m_lists.constEnd() && !found.value().isNull() && found.value()->count() < kMaxListItems)
        return found.value().data();
    QTextListFormat format;
    format.setStyle(look.listStyle);
    format.setIndent(std::clamp(look.listLevel + 1, 1, 9));
    QTextList *list = m_cursor.createList(format);
    m_lists.insert(look.listKey, list);
    return list;
}

bool DocumentBuilder::enterTable(const RowDefinition &row)
{
    if (m_exhausted || m_tablesExhausted)
        return false;
    if (m_table == nullptr) {
        startTable(row);
        return m_table != nullptr;
    }
    if (!m_rowEnded)
        return true;
    const int columns = m_table->columns();
    if (m_tableCells + columns > kMaxTableCells || !charge(columns * kCellCost)) {
        m_tablesExhausted = true;
        leaveTable();
        return false;
    }
    flush();
    m_table->appendRows(1);
    m_tableCells += columns;
    m_rowEnded = false;
    moveToCell(m_row + 1, 0);
    growColumns(int(row.cellRightEdges.size()));
    shadeRow(row);
    return true;
}

void DocumentBuilder::startTable(const RowDefinition &row)
{
    const int columns = std::clamp(int(row.cellRightEdges.size()), 1, kMaxColumns);
    if (m_tableCells + columns > kMaxTableCells || !charge(columns * kCellCost)) {
        m_tablesExhausted = true;
        return;
    }
    flush();
    // Inserted at the end of the paragraph before it, the table splits off an
    // empty paragraph after itself for whatever follows.
    m_needNewBlock = false;
    m_lists.clear();
    m_table = m_cursor.insertTable(1, columns, tableFormat(row, columns));
    m_tableCells += columns;
    m_rowEnded = false;
    m_cellEnded = false;
    m_cellOverflow = false;
    moveToCell(0, 0);
    shadeRow(row);
}

void DocumentBuilder::shadeRow(const RowDefinition &row)
{
    for (int column = 0; column < m_table->columns() && column < row.cellBackgrounds.size(); ++column) {
        if (!row.cellBackgrounds[column].isValid())
            continue;
        QTextTableCell cell = m_table->cellAt(m_row, column);
        QTextCharFormat format = cell.format();
        format.setBackground(row.cellBackgrounds[column]);
        cell.setFormat(format);
    }
}

void DocumentBuilder::growColumns(int wanted)
{
    const int target = std::min(wanted, kMaxColumns);
    const int missing = target - m_table->columns();
    if (missing <= 0)
        return;
    const qint64 cells = qint64(missing) * m_table->rows();
    if (m_tableCells + cells > kMaxTableCells || !charge(cells * kCellCost))
        return;
    m_table->appendColumns(missing);
    m_tableCells += int(cells);
    moveToCell(m_row, m_column);
}

void DocumentBuilder::moveToCell(int row, int column)
{
    m_row = row;
    m_column = column;
    m_cursor = m_table->cellAt(row, column).lastCursorPosition();
    m_needNewBlock = false;
    m_lists.clear();
}

void DocumentBuilder::endCell(const ParagraphLook &look)
{
    if (m_table == nullptr || m_exhausted)
        return;
    flush();
    enterNextCell();
    if (!m_needNewBlock)
        applyLook(look);
    m_cellEnded = true;
}

void DocumentBuilder::enterNextCell()
{
    if (m_table == nullptr || !m_cellEnded)
        return;
    m_cellEnded = false;
    if (m_column + 1 >= m_table->columns())
        growColumns(m_column + 2);
    if (m_column + 1 < m_table->columns()) {
        moveToCell(m_row, m_column + 1);
    } else {
        moveToCell(m_row, m_column);
        m_cellOverflow = true;
    }
}

void DocumentBuilder::endRow()
{
    if (m_table == nullptr)
        return;
    flush();
    m_rowEnded = true;
    m_cellEnded = false;
    m_cellOverflow = false;
}

void DocumentBuilder::leaveTable()
{
    if (m_table == nullptr)
        return;
    flush();
    m_cursor.setPosition(m_table->lastPosition() + 1);
    m_table = nullptr;
    m_needNewBlock = false;
    m_cellEnded = false;
    m_cellOverflow = false;
    m_lists.clear();
}

QString sanitizeText(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate()) {
            if (i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                clean += c;
                clean += text[++i];
            } else {
                clean += QChar(QChar::ReplacementCharacter);
            }
            continue;
        }
        if (c.isLowSurrogate()) {
            clean += QChar(QChar::ReplacementCharacter);
            continue;
        }
        if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
            continue;
        // The document keeps these for its own frames, objects and blocks.
        if (c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1 || c == QChar::ObjectReplacementCharacter)
            continue;
        if (c == QChar::ParagraphSeparator) {
            clean += QChar(QChar::LineSeparator);
            continue;
        }
        if (c.unicode() == 0xFFFF || c.unicode() == 0xFFFE || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            continue;
        clean += c;
    }
    return clean;
}

} // namespace brivello::rtf
