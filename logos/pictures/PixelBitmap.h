#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace brivello::logos {

// A small black-and-white drawing: a glyph of a pixel font or an icon.
class PixelBitmap
{
public:
    PixelBitmap() = default;
    PixelBitmap(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isInk(int x, int y) const { return m_ink.at(y * m_width + x); }
    void setInk(int x, int y, bool ink) { m_ink[y * m_width + x] = ink; }

    // The drawing mirrored left to right (a cat facing the other way).
    PixelBitmap mirrored() const;
    // Every pixel drawn `factor` times as wide and as high.
    PixelBitmap scaled(int factor) const;
    // Every ink pixel doubled one pixel to the right: a bold face one pixel wider.
    PixelBitmap emboldened() const;
    // The first `rows` rows only.
    PixelBitmap topRows(int rows) const;
    bool hasInkBelow(int row) const;

    friend bool operator==(const PixelBitmap &, const PixelBitmap &) = default;

private:
    int m_width = 0;
    int m_height = 0;
    QList<bool> m_ink;
};

// One drawing of a text source: a heading line "<keyword> <name>" followed by
// its rows, '#' for ink and '.' for paper.
struct PixelBlock
{
    QString keyword;
    QString name;
    int line = 0; // of the heading, counted from 1
    QStringList rows;
};

// Splits a drawing source into its blocks. Blank lines and lines starting with
// ';' are ignored; any other line that is not made of '#' and '.' must be a
// heading. Returns false with a message naming the line when a row has other
// characters or comes before any heading.
bool splitPixelBlocks(QStringView source, QList<PixelBlock> *blocks, QString *error);

// Turns the rows of one block into a drawing. Every row must be as wide as the
// first; the message names the block and the row when one is not.
bool bitmapFromRows(const PixelBlock &block, PixelBitmap *bitmap, QString *error);

} // namespace brivello::logos
