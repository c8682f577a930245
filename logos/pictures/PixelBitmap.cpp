#include "logos/pictures/PixelBitmap.h"

using namespace Qt::StringLiterals;

namespace brivello::logos {

PixelBitmap::PixelBitmap(int width, int height)
    : m_width(width), m_height(height), m_ink(qsizetype(width) * height, false)
{}

PixelBitmap PixelBitmap::mirrored() const
{
    PixelBitmap result(m_width, m_height);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x)
            result.setInk(m_width - 1 - x, y, isInk(x, y));
    }
    return result;
}

PixelBitmap PixelBitmap::scaled(int factor) const
{
    PixelBitmap result(m_width * factor, m_height * factor);
    for (int y = 0; y < result.m_height; ++y) {
        for (int x = 0; x < result.m_width; ++x)
            result.setInk(x, y, isInk(x / factor, y / factor));
    }
    return result;
}

PixelBitmap PixelBitmap::emboldened() const
{
    PixelBitmap result(m_width + 1, m_height);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            if (isInk(x, y)) {
                result.setInk(x, y, true);
                result.setInk(x + 1, y, true);
            }
        }
    }
    return result;
}

PixelBitmap PixelBitmap::topRows(int rows) const
{
    PixelBitmap result(m_width, qMin(rows, m_height));
    for (int y = 0; y < result.m_height; ++y) {
        for (int x = 0; x < m_width; ++x)
            result.setInk(x, y, isInk(x, y));
    }
    return result;
}

bool PixelBitmap::hasInkBelow(int row) const
{
    for (int y = row; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            if (isInk(x, y))
                return true;
        }
    }
    return false;
}

namespace {

bool isPixelRow(QStringView line)
{
    for (QChar c : line) {
        if (c != u'#' && c != u'.')
            return false;
    }
    return !line.isEmpty();
}

} // namespace

bool splitPixelBlocks(QStringView source, QList<PixelBlock> *blocks, QString *error)
{
    blocks->clear();
    int lineNumber = 0;
    for (QStringView rawLine : source.tokenize(u'\n')) {
        ++lineNumber;
        const QStringView line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (isPixelRow(line)) {
            if (blocks->isEmpty()) {
                *error = u"line %1: a row of pixels before any heading"_s.arg(lineNumber);
                return false;
            }
            blocks->last().rows.append(line.toString());
            continue;
        }
        const qsizetype space = line.indexOf(u' ');
        if (space < 0) {
            *error =
                u"line %1: \"%2\" is neither a heading nor a row of '#' and '.'"_s.arg(lineNumber).arg(line);
            return false;
        }
        PixelBlock block;
        block.keyword = line.left(space).toString();
        block.name = line.mid(space + 1).trimmed().toString();
        block.line = lineNumber;
        blocks->append(block);
    }
    return true;
}

bool bitmapFromRows(const PixelBlock &block, PixelBitmap *bitmap, QString *error)
{
    const auto where = [&block] {
        return u"%1 '%2' (line %3)"_s.arg(block.keyword, block.name).arg(block.line);
    };
    if (block.rows.isEmpty()) {
        *error = where() + u": no rows"_s;
        return false;
    }
    const int width = int(block.rows.first().size());
    PixelBitmap result(width, int(block.rows.size()));
    for (int y = 0; y < block.rows.size(); ++y) {
        const QString &row = block.rows.at(y);
        if (row.size() != width) {
            *error =
                where() + u": row %1 is %2 pixels wide, row 1 is %3"_s.arg(y + 1).arg(row.size()).arg(width);
            return false;
        }
        for (int x = 0; x < width; ++x)
            result.setInk(x, y, row.at(x) == u'#');
    }
    *bitmap = result;
    return true;
}

} // namespace brivello::logos
