#include "docviewer/rtf/RtfParser.h"

#include <QFont>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <string_view>

using namespace Qt::StringLiterals;

namespace brivello::rtf {

namespace {

using namespace std::string_view_literals;

// Largest indent or spacing taken from a document: 22 inches, in twips.
constexpr int kMaxTwips = 31680;
constexpr int kMaxFonts = 4096;
constexpr int kMaxColors = 4096;
constexpr int kMaxLists = 1024;
constexpr int kMaxListLevels = 9;
constexpr int kMaxMarkerLength = 256;
constexpr int kMaxNameLength = 128;

bool is(QByteArrayView name, std::string_view word)
{
    return name == QByteArrayView(word.data(), qsizetype(word.size()));
}

bool isAny(QByteArrayView name, std::initializer_list<std::string_view> words)
{
    return std::any_of(words.begin(), words.end(), [&](std::string_view word) { return is(name, word); });
}

// Groups whose text is never shown: document properties, pictures, headers
// and footers, field instructions, drawing objects and the tables of newer
// word processors.
constexpr std::array kSkippedDestinations{
    "stylesheet"sv,  "info"sv,      "pict"sv,       "header"sv,       "headerl"sv,
    "headerr"sv,     "headerf"sv,   "footer"sv,     "footerl"sv,      "footerr"sv,
    "footerf"sv,     "footnote"sv,  "annotation"sv, "objdata"sv,      "fldinst"sv,
    "xe"sv,          "tc"sv,        "txe"sv,        "rxe"sv,          "comment"sv,
    "title"sv,       "author"sv,    "operator"sv,   "subject"sv,      "keywords"sv,
    "doccomm"sv,     "company"sv,   "shp"sv,        "shpinst"sv,      "nonshppict"sv,
    "shppict"sv,     "themedata"sv, "datastore"sv,  "latentstyles"sv, "rsidtbl"sv,
    "generator"sv,   "xmlnstbl"sv,  "revtbl"sv,     "filetbl"sv,      "pgdsctbl"sv,
    "pntxtb"sv,      "pntxta"sv,    "buptim"sv,     "creatim"sv,      "revtim"sv,
    "printim"sv,     "template"sv,  "userprops"sv,  "docvar"sv,       "colorschememapping"sv,
    "listpicture"sv, "bkmkstart"sv, "bkmkend"sv,    "atnid"sv,        "atnauthor"sv,
    "atrfstart"sv,   "atrfend"sv,
};

bool isSkippedDestination(QByteArrayView name)
{
    return std::any_of(kSkippedDestinations.begin(), kSkippedDestinations.end(),
                       [&](std::string_view word) { return is(name, word); });
}

// Destinations understood also when written after \*.
bool isStarredDestinationKnown(QByteArrayView name)
{
    return isAny(name, {"pn"sv, "listtable"sv, "listoverridetable"sv, "ud"sv});
}

QTextListFormat::Style styleOfNumberFormat(int numberFormat, const QString &levelText)
{
    switch (numberFormat) {
    case 1:
        return QTextListFormat::ListUpperRoman;
    case 2:
        return QTextListFormat::ListLowerRoman;
    case 3:
        return QTextListFormat::ListUpperAlpha;
    case 4:
        return QTextListFormat::ListLowerAlpha;
    case 23:
        break;
    default:
        return QTextListFormat::ListDecimal;
    }
    for (const QChar c : levelText) {
        if (c.unicode() < 0x20 || c == QLatin1Char(';'))
            continue;
        if (c == QLatin1Char('o') || c.unicode() == 0x25CB || c.unicode() == 0x25E6)
            return QTextListFormat::ListCircle;
        if (c.unicode() == 0x25AA || c.unicode() == 0x25A0 || c.unicode() == 0xF0A7 || c == QChar(0xA7))
            return QTextListFormat::ListSquare;
        break;
    }
    return QTextListFormat::ListDisc;
}

int clampTwips(int value)
{
    return std::clamp(value, -kMaxTwips, kMaxTwips);
}

bool flagOn(bool hasParameter, int parameter)
{
    return !hasParameter || parameter != 0;
}

} // namespace

Parser::Parser(QByteArrayView data, QTextDocument *document)
    : m_tokenizer(data), m_builder(document, 4096 + 2 * qint64(data.size()))
{
    m_stack.reserve(64);
    m_stack.push_back(Group{});
}

void Parser::run()
{
    while (!m_ended) {
        if (m_builder.exhausted()) {
            warn(u"document truncated: it would have grown beyond its size allows"_s);
            break;
        }
        const Token token = m_tokenizer.next();
        switch (token.kind) {
        case Token::Kind::End:
            m_ended = true;
            break;
        case Token::Kind::GroupOpen:
            openGroup();
            break;
        case Token::Kind::GroupClose:
            closeGroup();
            break;
        case Token::Kind::ControlWord:
            controlWord(token.text, token.hasParameter, token.parameter);
            break;
        case Token::Kind::ControlSymbol:
            controlSymbol(token.text.isEmpty() ? '\0' : token.text[0]);
            break;
        case Token::Kind::HexByte:
            byte(token.byte);
            break;
        case Token::Kind::Text:
            textBytes(token.text);
            break;
        }
    }
    if (m_stack.size() > 1 || m_flattenedDepth > 0)
        warn(u"document ends inside %1 open group(s)"_s.arg(m_stack.size() - 1 + m_flattenedDepth));
    flushRun();
    m_builder.finish(m_endLook ? *m_endLook : look());
}

void Parser::warn(const QString &message)
{
    if (!m_warnings.contains(message))
        m_warnings.append(message);
}

void Parser::openGroup()
{
    m_fallbackToSkip = 0;
    m_started = true;
    if (int(m_stack.size()) >= kMaxDepth) {
        // Deeper groups are read as if their braces were not there.
        ++m_flattenedDepth;
        warn(u"groups nested deeper than %1 levels were flattened"_s.arg(kMaxDepth));
        return;
    }
    Group group = top();
    group.starred = false;
    m_stack.push_back(group);
}

void Parser::closeGroup()
{
    m_fallbackToSkip = 0;
    if (m_flattenedDepth > 0) {
        --m_flattenedDepth;
        return;
    }
    if (m_stack.size() <= 1) {
        warn(u"closing brace without an opening one ignored"_s);
        return;
    }
    const Group closed = top();
    flushRun();
    if (m_stack.size() == 2)
        m_endLook = look();
    if (closed.destination == Destination::FontTable)
        commitFont();
    m_stack.pop_back();
    if (closed.destination == Destination::Numbering && top().destination != Destination::Numbering) {
        top().para.numbering = closed.para.numbering;
        top().para.numbering.active = true;
    }
    if (closed.destination == Destination::LevelText && !m_lists.isEmpty() &&
        !m_lists.back().levels.isEmpty()) {
        // The level's text was gathered in the marker buffer.
        m_lists.back().levels.back().text = m_marker.left(16);
        m_marker.clear();
    }
    if (m_stack.size() == 1) {
        // The document's outermost group has closed: what follows is not part of it.
        flushRun();
        const QByteArrayView rest = m_tokenizer.remaining();
        const bool onlyBlank = std::all_of(rest.begin(), rest.end(), [](char c) {
            return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\0' || c == '}';
        });
        if (!onlyBlank)
            warn(u"data after the end of the document ignored"_s);
        m_ended = true;
    }
}

void Parser::controlSymbol(char symbol)
{
    if (symbol == '*') {
        top().starred = true;
        return;
    }
    if (top().destination == Destination::Skip)
        return;
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        character(QChar(QLatin1Char(symbol)));
        break;
    case '~':
        character(QChar(QChar::Nbsp));
        break;
    case '-':
        character(QChar(QChar::SoftHyphen));
        break;
    case '_':
        character(QChar(0x2011));
        break;
    case '\t':
        character(QLatin1Char('\t'));
        break;
    default:
        break;
    }
}

void Parser::controlWord(QByteArrayView name, bool hasParameter, int parameter)
{
    if (is(name, "bin")) {
        if (m_tokenizer.skipBinary(hasParameter ? parameter : 0) < parameter)
            warn(u"binary data runs past the end of the document"_s);
        return;
    }
    Group &group = top();
    if (group.starred) {
        group.starred = false;
        if (!isStarredDestinationKnown(name)) {
            flushRun();
            group.destination = Destination::Skip;
            return;
        }
    }
    if (group.destination == Destination::Skip)
        return;
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    if (destinationWord(name))
        return;
    switch (group.destination) {
    case Destination::FontTable:
        fontTableWord(name, parameter);
        return;
    case Destination::ColorTable:
        if (is(name, "red"))
            m_red = std::clamp(parameter, 0, 255);
        else if (is(name, "green"))
            m_green = std::clamp(parameter, 0, 255);
        else if (is(name, "blue"))
            m_blue = std::clamp(parameter, 0, 255);
        else
            return;
        m_colorGiven = true;
        return;
    case Destination::ListTable:
    case Destination::ListOverrideTable:
        listTableWord(name, parameter);
        return;
    case Destination::Numbering:
        numberingWord(name, parameter);
        return;
    default:
        break;
    }
    if (is(name, "u")) {
        unicodeCharacter(parameter);
        return;
    }
    if (is(name, "uc")) {
        group.fallbackCount = std::clamp(parameter, 0, 255);
        return;
    }
    if (documentWord(name, hasParameter, parameter) || characterWord(name, hasParameter, parameter) ||
        paragraphWord(name, hasParameter, parameter) || tableDefinitionWord(name, parameter) ||
        specialCharacterWord(name))
        return;
    breakWord(name);
}

bool Parser::destinationWord(QByteArrayView name)
{
    Group &group = top();
    Destination destination;
    if (is(name, "fonttbl")) {
        destination = Destination::FontTable;
    } else if (is(name, "colortbl")) {
        destination = Destination::ColorTable;
    } else if (is(name, "listtable")) {
        destination = Destination::ListTable;
    } else if (is(name, "listoverridetable")) {
        destination = Destination::ListOverrideTable;
    } else if (is(name, "listtext") || is(name, "pntext")) {
        destination = Destination::ListText;
        flushRun();
        m_marker.clear();
    } else if (is(name, "leveltext") && group.destination == Destination::ListTable) {
        destination = Destination::LevelText;
        m_marker.clear();
    } else if (is(name, "pn")) {
        destination = Destination::Numbering;
        group.para.numbering = Numbering{};
    } else if (is(name, "upr")) {
        destination = Destination::UnicodeAlternative;
    } else if (is(name, "ud")) {
        destination = Destination::Text;
    } else if (isSkippedDestination(name)) {
        destination = Destination::Skip;
    } else {
        return false;
    }
    flushRun();
    group.destination = destination;
    return true;
}

bool Parser::documentWord(QByteArrayView name, bool hasParameter, int parameter)
{
    if (is(name, "ansi")) {
        m_documentPage = CodePage::fromNumber(1252);
    } else if (is(name, "mac")) {
        m_documentPage = CodePage::fromNumber(10000);
    } else if (is(name, "pc")) {
        m_documentPage = CodePage::fromNumber(437);
    } else if (is(name, "pca")) {
        m_documentPage = CodePage::fromNumber(850);
    } else if (is(name, "ansicpg")) {
        const CodePage page = CodePage::fromNumber(parameter);
        if (page.isKnown())
            m_documentPage = page;
        else
            warn(u"code page %1 not known; Windows-1252 used"_s.arg(parameter));
    } else if (is(name, "deff")) {
        if (hasParameter)
            m_defaultFont = parameter;
    } else {
        return false;
    }
    return true;
}

bool Parser::characterWord(QByteArrayView name, bool hasParameter, int parameter)
{
    CharState &chars = top().chars;
    const bool on = flagOn(hasParameter, parameter);
    const int index = std::max(0, parameter);
    if (is(name, "plain")) {
        chars = CharState{};
    } else if (is(name, "b")) {
        chars.bold = on;
    } else if (is(name, "i")) {
        chars.italic = on;
    } else if (is(name, "strike") || is(name, "striked")) {
        chars.strike = on;
    } else if (is(name, "v")) {
        chars.hidden = on;
    } else if (is(name, "caps")) {
        chars.capitalization = on ? QFont::AllUppercase : QFont::MixedCase;
    } else if (is(name, "scaps")) {
        chars.capitalization = on ? QFont::SmallCaps : QFont::MixedCase;
    } else if (is(name, "ul") || is(name, "ulw") || is(name, "uldb") || is(name, "ulth")) {
        chars.underline = on ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline;
    } else if (is(name, "uld") || is(name, "ulthd")) {
        chars.underline = on ? QTextCharFormat::DotLine : QTextCharFormat::NoUnderline;
    } else if (isAny(name, {"uldash"sv, "uldashd"sv, "uldashdd"sv, "ulthdash"sv, "ulldash"sv})) {
        chars.underline = on ? QTextCharFormat::DashUnderline : QTextCharFormat::NoUnderline;
    } else if (isAny(name, {"ulwave"sv, "ulhwave"sv, "ululdbwave"sv})) {
        chars.underline = on ? QTextCharFormat::WaveUnderline : QTextCharFormat::NoUnderline;
    } else if (is(name, "ulnone")) {
        chars.underline = QTextCharFormat::NoUnderline;
    } else if (is(name, "fs")) {
        chars.halfPoints = parameter > 0 ? std::clamp(parameter, 2, 1000) : 24;
    } else if (is(name, "f")) {
        chars.font = index;
    } else if (is(name, "cf")) {
        chars.foreground = index;
    } else if (is(name, "cb") || is(name, "highlight") || is(name, "chcbpat")) {
        chars.background = index;
    } else if (is(name, "super")) {
        chars.verticalAlignment = QTextCharFormat::AlignSuperScript;
    } else if (is(name, "sub")) {
        chars.verticalAlignment = QTextCharFormat::AlignSubScript;
    } else if (is(name, "nosupersub")) {
        chars.verticalAlignment = QTextCharFormat::AlignNormal;
    } else {
        return false;
    }
    return true;
}

bool Parser::paragraphWord(QByteArrayView name, bool hasParameter, int parameter)
{
    ParaState &para = top().para;
    if (is(name, "pard")) {
        para = ParaState{};
    } else if (is(name, "ql")) {
        para.alignment = Qt::AlignLeft;
    } else if (is(name, "qc")) {
        para.alignment = Qt::AlignHCenter;
    } else if (is(name, "qr")) {
        para.alignment = Qt::AlignRight;
    } else if (is(name, "qj") || is(name, "qd")) {
        para.alignment = Qt::AlignJustify;
    } else if (is(name, "li") || is(name, "lin")) {
        para.leftIndent = clampTwips(parameter);
    } else if (is(name, "ri") || is(name, "rin")) {
        para.rightIndent = clampTwips(parameter);
    } else if (is(name, "fi")) {
        para.firstIndent = clampTwips(parameter);
    } else if (is(name, "sb")) {
        para.spaceBefore = std::clamp(parameter, 0, kMaxTwips);
    } else if (is(name, "sa")) {
        para.spaceAfter = std::clamp(parameter, 0, kMaxTwips);
    } else if (is(name, "intbl")) {
        para.inTable = flagOn(hasParameter, parameter);
    } else if (is(name, "itap")) {
        para.inTable = parameter > 0;
    } else if (is(name, "ls")) {
        para.listOverride = std::max(0, parameter);
    } else if (is(name, "ilvl")) {
        para.listLevel = std::clamp(parameter, 0, kMaxListLevels - 1);
    } else if (is(name, "outlinelevel")) {
        para.outlineLevel = std::clamp(parameter, 0, 9);
    } else {
        return false;
    }
    return true;
}

bool Parser::tableDefinitionWord(QByteArrayView name, int parameter)
{
    if (is(name, "trowd")) {
        m_rowDefinition = RowDefinition{};
        m_cellShading = 0;
    } else if (is(name, "clcbpat")) {
        m_cellShading = std::max(0, parameter);
    } else if (is(name, "cellx")) {
        if (m_rowDefinition.cellRightEdges.size() < DocumentBuilder::kMaxColumns) {
            m_rowDefinition.cellRightEdges.append(std::clamp(parameter, 0, 20 * kMaxTwips));
            m_rowDefinition.cellBackgrounds.append(colorAt(m_cellShading).value_or(QColor()));
        }
        m_cellShading = 0;
    } else if (is(name, "trql")) {
        m_rowDefinition.alignment = Qt::AlignLeft;
    } else if (is(name, "trqc")) {
        m_rowDefinition.alignment = Qt::AlignHCenter;
    } else if (is(name, "trqr")) {
        m_rowDefinition.alignment = Qt::AlignRight;
    } else {
        return false;
    }
    return true;
}

bool Parser::specialCharacterWord(QByteArrayView name)
{
    static constexpr std::pair<std::string_view, char16_t> kCharacters[] = {
        {"tab", u'\t'},      {"emdash", 0x2014},  {"endash", 0x2013},    {"bullet", 0x2022},
        {"lquote", 0x2018},  {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
        {"emspace", 0x2003}, {"enspace", 0x2002}, {"qmspace", 0x2005},   {"zwj", 0x200D},
        {"zwnj", 0x200C},    {"ltrmark", 0x200E}, {"rtlmark", 0x200F},   {"line", 0x2028},
        {"nestcell", u'\t'}, {"nestrow", 0x2028},
    };
    for (const auto &[word, c] : kCharacters) {
        if (is(name, word)) {
            character(QChar(c));
            return true;
        }
    }
    return false;
}

bool Parser::breakWord(QByteArrayView name)
{
    if (isAny(name, {"par"sv, "sect"sv, "page"sv})) {
        endParagraph();
    } else if (is(name, "cell")) {
        endCell();
    } else if (is(name, "row")) {
        endRow();
    } else {
        return false;
    }
    return true;
}

bool Parser::listTableWord(QByteArrayView name, int parameter)
{
    const bool inListTable = top().destination == Destination::ListTable;
    if (inListTable && is(name, "list")) {
        if (m_lists.size() < kMaxLists)
            m_lists.append(ListDef{});
    } else if (inListTable && is(name, "listlevel")) {
        if (!m_lists.isEmpty() && m_lists.back().levels.size() < kMaxListLevels)
            m_lists.back().levels.append(ListLevelDef{});
    } else if (inListTable && (is(name, "levelnfc") || is(name, "levelnfcn"))) {
        if (!m_lists.isEmpty() && !m_lists.back().levels.isEmpty())
            m_lists.back().levels.back().numberFormat = parameter;
    } else if (is(name, "listid")) {
        if (!inListTable)
            m_overrideListId = parameter;
        else if (!m_lists.isEmpty())
            m_lists.back().id = parameter;
    } else if (!inListTable && is(name, "listoverride")) {
        m_overrideListId = 0;
    } else if (!inListTable && is(name, "ls")) {
        if (m_listOverrides.size() < kMaxLists || m_listOverrides.contains(parameter))
            m_listOverrides.insert(parameter, m_overrideListId);
    } else {
        return false;
    }
    return true;
}

bool Parser::numberingWord(QByteArrayView name, int parameter)
{
    Numbering &numbering = top().para.numbering;
    if (is(name, "pnlvlblt")) {
        numbering.style = QTextListFormat::ListDisc;
        numbering.level = 0;
    } else if (is(name, "pnlvlbody")) {
        numbering.level = 0;
    } else if (is(name, "pnlvlcont")) {
        numbering.continuation = true;
    } else if (is(name, "pnlvl")) {
        numbering.level = std::clamp(parameter - 1, 0, kMaxListLevels - 1);
    } else if (isAny(name, {"pndec"sv, "pncard"sv, "pnord"sv, "pnordt"sv})) {
        numbering.style = QTextListFormat::ListDecimal;
    } else if (is(name, "pnucrm")) {
        numbering.style = QTextListFormat::ListUpperRoman;
    } else if (is(name, "pnlcrm")) {
        numbering.style = QTextListFormat::ListLowerRoman;
    } else if (is(name, "pnucltr")) {
        numbering.style = QTextListFormat::ListUpperAlpha;
    } else if (is(name, "pnlcltr")) {
        numbering.style = QTextListFormat::ListLowerAlpha;
    } else {
        return false;
    }
    return true;
}

void Parser::fontTableWord(QByteArrayView name, int parameter)
{
    if (is(name, "f")) {
        commitFont();
        m_fontId = parameter;
    } else if (is(name, "fcharset")) {
        m_fontCharset = parameter;
    } else if (is(name, "cpg")) {
        m_fontCodePage = parameter;
    }
}

void Parser::fontTableCharacter(QChar c)
{
    if (c == QLatin1Char(';')) {
        commitFont();
        return;
    }
    if (m_fontId >= 0 && m_fontName.size() < kMaxNameLength && c.unicode() >= 0x20)
        m_fontName += c;
}

void Parser::commitFont()
{
    if (m_fontId < 0)
        return;
    if (m_fonts.size() < kMaxFonts || m_fonts.contains(m_fontId)) {
        FontDef font;
        font.name = m_fontName.trimmed();
        const CodePage ownPage = CodePage::fromNumber(m_fontCodePage);
        font.codePage = ownPage.isKnown() ? ownPage : CodePage::fromCharset(m_fontCharset, m_documentPage);
        m_fonts.insert(m_fontId, font);
    }
    m_fontId = -1;
    m_fontCharset = -1;
    m_fontCodePage = 0;
    m_fontName.clear();
}

void Parser::colorTableCharacter(QChar c)
{
    if (c != QLatin1Char(';'))
        return;
    if (m_colors.size() < kMaxColors) {
        if (m_colorGiven)
            m_colors.append(QColor(m_red, m_green, m_blue));
        else
            m_colors.append(std::nullopt);
    }
    m_red = m_green = m_blue = 0;
    m_colorGiven = false;
}

CodePage Parser::currentCodePage() const
{
    const Group &group = top();
    if (group.destination == Destination::FontTable)
        return m_documentPage;
    const int font = group.chars.font >= 0 ? group.chars.font : m_defaultFont;
    const auto found = m_fonts.constFind(font);
    return found != m_fonts.constEnd() ? found->codePage : m_documentPage;
}

void Parser::textBytes(QByteArrayView bytes)
{
    if (top().destination == Destination::Skip)
        return;
    for (const char c : bytes)
        byte(static_cast<unsigned char>(c));
}

void Parser::byte(unsigned char value)
{
    if (top().destination == Destination::Skip)
        return;
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    character(currentCodePage().decode(value));
}

void Parser::unicodeCharacter(int parameter)
{
    const qint64 code = parameter < 0 ? qint64(parameter) + 65536 : qint64(parameter);
    character(code >= 0 && code <= 0xFFFF ? QChar(char16_t(code)) : QChar(QChar::ReplacementCharacter));
    m_fallbackToSkip = top().fallbackCount;
}

void Parser::character(QChar c)
{
    switch (top().destination) {
    case Destination::Text:
        emitText(c);
        break;
    case Destination::FontTable:
        fontTableCharacter(c);
        break;
    case Destination::ColorTable:
        colorTableCharacter(c);
        break;
    case Destination::ListText:
    case Destination::LevelText:
        if (m_marker.size() >= kMaxMarkerLength)
            break;
        if (top().destination == Destination::ListText) {
            if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
                break;
            if (m_marker.isEmpty())
                m_markerFormat = formatFor(top().chars);
        }
        m_marker += c;
        break;
    default:
        break;
    }
}

void Parser::emitText(QChar c)
{
    const CharState &state = top().chars;
    if (state.hidden)
        return;
    if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
        return;
    prepareContent();
    if (!m_run.isEmpty() && !(m_runState == state))
        flushRun();
    m_runState = state;
    m_run += c;
    if (m_run.size() >= 4096)
        flushRun();
}

void Parser::flushRun()
{
    if (m_run.isEmpty())
        return;
    m_builder.appendText(m_run, formatFor(m_runState));
    m_run.clear();
}

void Parser::prepareContent()
{
    const bool wantTable = top().para.inTable && m_builder.tablesAvailable();
    if (wantTable) {
        if (!m_builder.inTable() || m_builder.rowEnded()) {
            flushRun();
            if (!m_builder.enterTable(m_rowDefinition))
                warn(u"tables too large; the rest of their text flows as paragraphs"_s);
        }
    } else if (m_builder.inTable()) {
        flushRun();
        m_builder.leaveTable();
    }
}

void Parser::endParagraph()
{
    prepareContent();
    flushRun();
    m_builder.endParagraph(look());
    m_marker.clear();
}

void Parser::endCell()
{
    flushRun();
    if (!m_builder.inTable() || m_builder.rowEnded()) {
        if (!m_builder.tablesAvailable() || !m_builder.enterTable(m_rowDefinition)) {
            character(QLatin1Char('\t'));
            return;
        }
    }
    m_builder.endCell(look());
    m_marker.clear();
    // Whatever follows a cell mark belongs to the table until \pard says otherwise.
    top().para.inTable = true;
}

void Parser::endRow()
{
    flushRun();
    if (m_builder.inTable())
        m_builder.endRow();
    else
        m_builder.endParagraph(look());
    m_marker.clear();
}

ParagraphLook Parser::look() const
{
    const ParaState &para = top().para;
    ParagraphLook look;
    look.marker = m_marker;
    look.markerFormat = m_markerFormat;
    listOfParagraph(&look);
    QTextBlockFormat &block = look.block;
    block.setAlignment(para.alignment);
    if (look.listKey.isEmpty()) {
        const qreal left = std::max(0, para.leftIndent) / 15.0;
        block.setLeftMargin(left);
        block.setTextIndent(std::max(-left, para.firstIndent / 15.0));
    }
    block.setRightMargin(std::max(0, para.rightIndent) / 15.0);
    block.setTopMargin(para.spaceBefore / 15.0);
    block.setBottomMargin(para.spaceAfter / 15.0);
    if (para.outlineLevel >= 0 && para.outlineLevel < 6)
        block.setHeadingLevel(para.outlineLevel + 1);
    return look;
}

void Parser::listOfParagraph(ParagraphLook *look) const
{
    const ParaState &para = top().para;
    if (para.listOverride > 0) {
        const auto override = m_listOverrides.constFind(para.listOverride);
        const int listId = override != m_listOverrides.constEnd() ? override.value() : 0;
        for (const ListDef &list : m_lists) {
            if (list.id != listId || list.levels.isEmpty())
                continue;
            const ListLevelDef &level =
                list.levels[std::min<qsizetype>(para.listLevel, list.levels.size() - 1)];
            if (level.numberFormat == 255)
                return; // a level without a number or bullet
            look->listKey = u"ls%1:%2"_s.arg(para.listOverride).arg(para.listLevel);
            look->listStyle = styleOfNumberFormat(level.numberFormat, level.text);
            look->listLevel = para.listLevel;
            return;
        }
    }
    if (para.numbering.active && !para.numbering.continuation) {
        look->listKey = u"pn%1:%2"_s.arg(para.numbering.level).arg(int(para.numbering.style));
        look->listStyle = para.numbering.style;
        look->listLevel = para.numbering.level;
    }
}

QTextCharFormat Parser::formatFor(const CharState &state) const
{
    QTextCharFormat format;
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontStrikeOut(state.strike);
    format.setUnderlineStyle(QTextCharFormat::UnderlineStyle(state.underline));
    format.setFontPointSize(state.halfPoints / 2.0);
    format.setVerticalAlignment(QTextCharFormat::VerticalAlignment(state.verticalAlignment));
    if (state.capitalization != 0)
        format.setFontCapitalization(QFont::Capitalization(state.capitalization));
    const int font = state.font >= 0 ? state.font : m_defaultFont;
    const auto found = m_fonts.constFind(font);
    if (found != m_fonts.constEnd() && !found->name.isEmpty())
        format.setFontFamilies(QStringList{found->name});
    if (const std::optional<QColor> foreground = colorAt(state.foreground))
        format.setForeground(*foreground);
    if (const std::optional<QColor> background = colorAt(state.background))
        format.setBackground(*background);
    return format;
}

std::optional<QColor> Parser::colorAt(int index) const
{
    // Entry 0 and empty entries are the automatic colour.
    if (index <= 0 || index >= m_colors.size())
        return std::nullopt;
    return m_colors[index];
}

} // namespace brivello::rtf
