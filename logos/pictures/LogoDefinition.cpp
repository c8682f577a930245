#include "logos/pictures/LogoDefinition.h"

using namespace Qt::StringLiterals;

namespace brivello::logos {

namespace {

// Splits a line into words; a quoted text is one word with its quotes, and
// a stack "a"/"b" is one word too.
bool splitWords(QStringView line, QStringList *words, QString *error)
{
    QString word;
    bool quoted = false;
    for (QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        if (c.isSpace() && !quoted) {
            if (!word.isEmpty())
                words->append(word);
            word.clear();
            continue;
        }
        word.append(c);
    }
    if (quoted) {
        *error = u"a text lacks its closing quote"_s;
        return false;
    }
    if (!word.isEmpty())
        words->append(word);
    return true;
}

bool parseQuotedLines(const QString &word, QStringList *lines)
{
    // "a" or "a"/"b"
    static const QString separator = u"\"/\""_s;
    if (word.size() < 2 || !word.startsWith(u'"') || !word.endsWith(u'"'))
        return false;
    const QString inner = word.mid(1, word.size() - 2);
    *lines = inner.split(separator);
    for (const QString &line : std::as_const(*lines)) {
        if (line.isEmpty() || line.contains(u'"'))
            return false;
    }
    return lines->size() <= 2;
}

bool parseIconWord(const QString &word, LogoItem *item)
{
    QString name = word.mid(1);
    const qsizetype star = name.indexOf(u'*');
    if (star >= 0) {
        bool numeric = false;
        item->repeat = name.mid(star + 1).toInt(&numeric);
        if (!numeric || item->repeat < 1 || item->repeat > 9)
            return false;
        name.truncate(star);
    }
    if (name.endsWith(u'~')) {
        item->mirrored = true;
        name.chop(1);
    }
    item->kind = LogoItem::Kind::Icon;
    item->icon = name;
    return !name.isEmpty();
}

bool applyStyleWord(const QString &word, LogoDefinition *definition, FontFace *face, int *tracking)
{
    static const QHash<QString, FontFace> faces = {{u"normal"_s, FontFace::Normal},
                                                   {u"small"_s, FontFace::Small},
                                                   {u"bold"_s, FontFace::Bold},
                                                   {u"big"_s, FontFace::Big}};
    static const QHash<QString, LogoFrame> frames = {{u"frame"_s, LogoFrame::Box},
                                                     {u"round"_s, LogoFrame::RoundBox},
                                                     {u"rules"_s, LogoFrame::Rules},
                                                     {u"dots"_s, LogoFrame::DottedRules}};
    if (faces.contains(word)) {
        *face = faces.value(word);
        *tracking = 0;
    } else if (frames.contains(word)) {
        definition->frame = frames.value(word);
    } else if (word == u"wide") {
        *tracking = 1;
    } else if (word == u"invert") {
        definition->inverted = true;
    } else if (word == u"spread") {
        definition->spread = true;
    } else if (word.startsWith(u"gap=")) {
        bool numeric = false;
        definition->gap = word.mid(4).toInt(&numeric);
        return numeric && definition->gap >= 0;
    } else {
        return false;
    }
    return true;
}

} // namespace

bool parseLogoDefinition(QStringView line, LogoDefinition *definition, QString *error)
{
    QStringList words;
    if (!splitWords(line, &words, error))
        return false;
    LogoDefinition result;
    FontFace face = FontFace::Normal;
    int tracking = 0;
    for (const QString &word : std::as_const(words)) {
        LogoItem item;
        if (word.startsWith(u'"')) {
            if (!parseQuotedLines(word, &item.lines)) {
                *error = u"%1 is not a text or two texts joined by /"_s.arg(word);
                return false;
            }
            item.kind = item.lines.size() == 2 ? LogoItem::Kind::Stack : LogoItem::Kind::Text;
            item.face = face;
            item.tracking = tracking;
            result.items.append(item);
        } else if (word.startsWith(u'@')) {
            if (!parseIconWord(word, &item)) {
                *error = u"%1 is not an icon"_s.arg(word);
                return false;
            }
            result.items.append(item);
        } else if (!applyStyleWord(word, &result, &face, &tracking)) {
            *error = u"unknown word %1"_s.arg(word);
            return false;
        }
    }
    if (result.items.isEmpty()) {
        *error = u"the logo shows nothing"_s;
        return false;
    }
    *definition = result;
    return true;
}

} // namespace brivello::logos
