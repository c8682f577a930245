#pragma once

#include "docviewer/rtf/RtfCodePages.h"
#include "docviewer/rtf/RtfDocumentBuilder.h"
#include "docviewer/rtf/RtfTokenizer.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextCharFormat>

#include <optional>
#include <vector>

class QTextDocument;

namespace brivello::rtf {

// Reads the tokens of a rich-text document and drives a DocumentBuilder:
// groups and their saved formatting, destinations, the font, colour and list
// tables, and every control word the reader understands.
class Parser
{
public:
    static constexpr int kMaxDepth = 1000;

    Parser(QByteArrayView data, QTextDocument *document);
    void run();
    QStringList warnings() const { return m_warnings; }

private:
    enum class Destination {
        Text,
        Skip,
        FontTable,
        ColorTable,
        ListTable,
        ListOverrideTable,
        ListText,
        LevelText,
        Numbering,
        UnicodeAlternative,
    };

    struct CharState
    {
        bool bold = false;
        bool italic = false;
        bool strike = false;
        bool hidden = false;
        int underline = QTextCharFormat::NoUnderline;
        int halfPoints = 24;
        int font = -1;
        int foreground = 0;
        int background = 0;
        int verticalAlignment = QTextCharFormat::AlignNormal;
        int capitalization = 0;
        bool operator==(const CharState &) const = default;
    };

    // Old-style numbering ({\*\pn ...}).
    struct Numbering
    {
        bool active = false;
        bool continuation = false;
        int level = 0;
        QTextListFormat::Style style = QTextListFormat::ListDecimal;
    };

    struct ParaState
    {
        Qt::Alignment alignment = Qt::AlignLeft;
        int leftIndent = 0;
        int rightIndent = 0;
        int firstIndent = 0;
        int spaceBefore = 0;
        int spaceAfter = 0;
        bool inTable = false;
        int listOverride = 0;
        int listLevel = 0;
        int outlineLevel = -1;
        Numbering numbering;
    };

    struct Group
    {
        Destination destination = Destination::Text;
        CharState chars;
        ParaState para;
        int fallbackCount = 1;
        bool starred = false;
    };

    struct FontDef
    {
        QString name;
        CodePage codePage;
    };

    struct ListLevelDef
    {
        int numberFormat = 0;
        QString text;
    };

    struct ListDef
    {
        int id = 0;
        QList<ListLevelDef> levels;
    };

    // The handling of one token.
    void openGroup();
    void closeGroup();
    void controlWord(QByteArrayView name, bool hasParameter, int parameter);
    void controlSymbol(char symbol);
    void textBytes(QByteArrayView bytes);
    void byte(unsigned char value);
    void character(QChar c);

    // Control words by kind; each returns whether it knew the word.
    bool destinationWord(QByteArrayView name);
    bool documentWord(QByteArrayView name, bool hasParameter, int parameter);
    bool characterWord(QByteArrayView name, bool hasParameter, int parameter);
    bool paragraphWord(QByteArrayView name, bool hasParameter, int parameter);
    bool tableWord(QByteArrayView name, int parameter);
    bool specialCharacterWord(QByteArrayView name);
    bool breakWord(QByteArrayView name);
    bool tableDefinitionWord(QByteArrayView name, int parameter);
    bool listTableWord(QByteArrayView name, int parameter);
    bool numberingWord(QByteArrayView name, int parameter);

    void fontTableWord(QByteArrayView name, int parameter);
    void fontTableCharacter(QChar c);
    void commitFont();
    void colorTableCharacter(QChar c);

    void unicodeCharacter(int parameter);
    void emitText(QChar c);
    void flushRun();
    void prepareContent();
    void endParagraph();
    void endCell();
    void endRow();
    ParagraphLook look() const;
    void listOfParagraph(ParagraphLook *look) const;
    QTextCharFormat formatFor(const CharState &state) const;
    std::optional<QColor> colorAt(int index) const;
    CodePage currentCodePage() const;

    void warn(const QString &message);

    Group &top() { return m_stack.back(); }
    const Group &top() const { return m_stack.back(); }

    Tokenizer m_tokenizer;
    DocumentBuilder m_builder;
    QStringList m_warnings;
    std::vector<Group> m_stack;
    int m_flattenedDepth = 0;
    bool m_started = false;
    bool m_ended = false;
    int m_fallbackToSkip = 0;

    CodePage m_documentPage;
    int m_defaultFont = -1;
    QHash<int, FontDef> m_fonts;
    int m_fontId = -1;
    int m_fontCharset = -1;
    int m_fontCodePage = 0;
    QString m_fontName;

    QList<std::optional<QColor>> m_colors;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colorGiven = false;

    QList<ListDef> m_lists;
    QHash<int, int> m_listOverrides;
    int m_overrideListId = 0;

    RowDefinition m_rowDefinition;
    int m_cellShading = 0;

    QString m_marker;
    QTextCharFormat m_markerFormat;

    // How the last paragraph looked when the document's outer group closed.
    std::optional<ParagraphLook> m_endLook;

    QString m_run;
    CharState m_runState;
};

} // namespace brivello::rtf
