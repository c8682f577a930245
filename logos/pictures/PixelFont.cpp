#include "logos/pictures/PixelFont.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brivello::logos {

namespace {

bool parseHeading(const PixelBlock &block, QString *name, int *height, QString *error)
{
    const QStringList words = block.name.split(u' ', Qt::SkipEmptyParts);
    bool numeric = false;
    if (block.keyword != u"font" || words.size() != 3 || words.at(1) != u"height")
        *error = u"line %1: a font starts with \"font <name> height <rows>\""_s.arg(block.line);
    else if (const int rows = words.at(2).toInt(&numeric); !numeric || rows <= 0)
        *error = u"line %1: the font's height must be a positive number"_s.arg(block.line);
    else {
        *name = words.at(0);
        *height = rows;
        return true;
    }
    return false;
}

bool glyphCharacter(const PixelBlock &block, QChar *c, QString *error)
{
    if (block.keyword != u"glyph") {
        *error = u"line %1: \"%2\" where a glyph was expected"_s.arg(block.line).arg(block.keyword);
        return false;
    }
    if (block.name == u"space") {
        *c = u' ';
        return true;
    }
    if (block.name.size() != 1) {
        *error = u"line %1: glyph name \"%2\" is not one character"_s.arg(block.line).arg(block.name);
        return false;
    }
    *c = block.name.at(0);
    return true;
}

} // namespace

bool PixelFont::parse(QStringView source, PixelFont *font, QString *error)
{
    QList<PixelBlock> blocks;
    if (!splitPixelBlocks(source, &blocks, error))
        return false;
    if (blocks.isEmpty()) {
        *error = u"the font source is empty"_s;
        return false;
    }
    PixelFont result;
    if (!parseHeading(blocks.first(), &result.m_name, &result.m_height, error))
        return false;
    for (qsizetype i = 1; i < blocks.size(); ++i) {
        const PixelBlock &block = blocks.at(i);
        QChar c;
        PixelBitmap bitmap;
        if (!glyphCharacter(block, &c, error) || !bitmapFromRows(block, &bitmap, error))
            return false;
        if (bitmap.height() != result.m_height) {
            *error = u"glyph '%1' (line %2): %3 rows, the font is %4 rows high"_s.arg(block.name)
                         .arg(block.line)
                         .arg(bitmap.height())
                         .arg(result.m_height);
            return false;
        }
        if (result.m_glyphs.contains(c)) {
            *error = u"glyph '%1' (line %2) is drawn twice"_s.arg(block.name).arg(block.line);
            return false;
        }
        result.m_glyphs.insert(c, bitmap);
    }
    *font = result;
    return true;
}

const PixelBitmap *PixelFont::glyph(QChar c) const
{
    const auto it = m_glyphs.constFind(c);
    return it == m_glyphs.cend() ? nullptr : &it.value();
}

QString PixelFont::characters() const
{
    QString result;
    for (auto it = m_glyphs.cbegin(); it != m_glyphs.cend(); ++it)
        result.append(it.key());
    std::sort(result.begin(), result.end());
    return result;
}

QChar PixelFont::firstMissing(QStringView text) const
{
    for (QChar c : text) {
        if (!m_glyphs.contains(c))
            return c;
    }
    return {};
}

} // namespace brivello::logos
