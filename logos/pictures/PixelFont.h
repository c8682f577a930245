#pragma once

#include "logos/pictures/PixelBitmap.h"

#include <QHash>
#include <QString>

namespace brivello::logos {

// A proportional pixel font read from a text drawing:
//
//   font normal height 8
//   glyph A
//   .###.
//   #...#
//   ...
//
// Every glyph has the font's height; its width is that of its rows. "glyph
// space" draws the blank, any other name is the one character it draws.
class PixelFont
{
public:
    // Returns false, leaving `font` as it was, with a message naming the glyph
    // when the source does not hold a well-formed font.
    static bool parse(QStringView source, PixelFont *font, QString *error);

    QString name() const { return m_name; }
    int height() const { return m_height; }
    // The glyph drawing `c`, or nullptr when the font has none.
    const PixelBitmap *glyph(QChar c) const;
    QString characters() const;
    // The first character of `text` the font cannot draw; a null QChar when
    // it draws them all.
    QChar firstMissing(QStringView text) const;

private:
    QString m_name;
    int m_height = 0;
    QHash<QChar, PixelBitmap> m_glyphs;
};

} // namespace brivello::logos
