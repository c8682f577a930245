#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>

class QTextDocument;
class QTextList;
class QTextTable;

namespace brivello::rtf {

// How a finished paragraph looks: its block format, and either the list it
// belongs to or the marker text the document wrote in front of it.
struct ParagraphLook
{
    QTextBlockFormat block;
    // Paragraphs with the same non-empty key belong to the same list.
    QString listKey;
    QTextListFormat::Style listStyle = QTextListFormat::ListDisc;
    int listLevel = 0;
    // Written by the document ahead of the paragraph (\pntext, \listtext);
    // shown only when the paragraph is not put into a list.
    QString marker;
    QTextCharFormat markerFormat;
};

// The cell boundaries of the table row being defined, in twips.
struct RowDefinition
{
    QList<int> cellRightEdges;
    // Shading of each cell; an invalid colour leaves the cell unshaded.
    QList<QColor> cellBackgrounds;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// Builds the QTextDocument: text runs, paragraphs, lists and tables. Every
// addition is charged to a budget fixed up front; once it is spent the
// builder takes nothing more, so no input can make the document grow without
// bound.
class DocumentBuilder
{
public:
    static constexpr int kMaxColumns = 64;
    static constexpr int kMaxTableCells = 20000;
    // Every paragraph added to a list costs time in proportion to the list's
    // length, so lists are kept short and their total bounded.
    static constexpr int kMaxListItems = 500;
    static constexpr int kMaxListedParagraphs = 5000;

    DocumentBuilder(QTextDocument *document, qint64 budget);

    bool exhausted() const { return m_exhausted; }

    void appendText(const QString &text, const QTextCharFormat &format);
    void endParagraph(const ParagraphLook &look);
    // Ends the document; the paragraph still open gets `look`.
    void finish(const ParagraphLook &look);

    bool inTable() const { return m_table != nullptr; }
    // The current row has ended and the next content opens a new one.
    bool rowEnded() const { return m_table != nullptr && m_rowEnded; }
    bool tablesAvailable() const { return !m_tablesExhausted && !m_exhausted; }
    // Makes sure the next content lands in a table cell, starting a table or
    // a new row as needed. Returns false when no more table fits (the content
    // then flows as ordinary paragraphs).
    bool enterTable(const RowDefinition &row);
    void endCell(const ParagraphLook &look);
    void endRow();
    void leaveTable();

private:
    bool charge(qint64 units);
    void flush();
    void ensureParagraph();
    void applyLook(const ParagraphLook &look);
    void startTable(const RowDefinition &row);
    void growColumns(int wanted);
    void moveToCell(int row, int column);
    void shadeRow(const RowDefinition &row);
    void enterNextCell();
    QTextList *listFor(const ParagraphLook &look);

    QTextDocument *m_document;
    QTextCursor m_cursor;
    qint64 m_budget;
    bool m_exhausted = false;
    bool m_needNewBlock = false;
    // The paragraph has content: text, or an explicit \par that left it empty.
    QString m_pendingText;
    QTextCharFormat m_pendingFormat;
    QHash<QString, QPointer<QTextList>> m_lists;
    int m_listedParagraphs = 0;

    QTextTable *m_table = nullptr;
    int m_row = 0;
    int m_column = 0;
    bool m_rowEnded = false;
    bool m_cellOverflow = false;
    // A cell has ended; the next content goes to the cell after it.
    bool m_cellEnded = false;
    int m_tableCells = 0;
    bool m_tablesExhausted = false;
};

// Removes what a text view cannot show: control characters other than the tab
// and UTF-16 surrogates without their partner.
QString sanitizeText(const QString &text);

} // namespace brivello::rtf
