#pragma once

#include "logos/pictures/LogoDefinition.h"

#include <QImage>

namespace brivello::logos {

inline constexpr int LogoWidth = 72;
inline constexpr int LogoHeight = 14;

// Sets a text in one face: the glyphs side by side, one pixel apart (two for
// the big face) plus the tracking. False with a message naming the first
// character the face cannot draw.
bool renderText(const QString &text, FontFace face, int tracking, PixelBitmap *bitmap, QString *error);

// Draws a logo: a 72 x 14 picture of two colours, index 0 white and index 1
// black (Format_Mono). False with a message, leaving `image` as it was, when
// an icon or a glyph is missing or the items do not fit the logo.
bool renderLogo(const LogoDefinition &definition, QImage *image, QString *error);

} // namespace brivello::logos
