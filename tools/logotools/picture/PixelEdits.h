#pragma once

#include "logos/pictures/PixelBitmap.h"

#include <QPoint>

namespace brivello::logotools {

using logos::PixelBitmap;

// The drawing steps of the editor. Each paints ink (`ink` true) or paper;
// whatever falls outside the drawing is cut off.

void drawLine(PixelBitmap *bitmap, QPoint from, QPoint to, bool ink);
// The rectangle between two opposite corners, both inside it.
void drawRectangle(PixelBitmap *bitmap, QPoint corner, QPoint opposite, bool ink, bool filled);
// Paints the area of the seed's colour that the seed reaches through its
// four neighbours.
void floodFill(PixelBitmap *bitmap, QPoint seed, bool ink);
void invert(PixelBitmap *bitmap);
// The drawing moved by dx, dy pixels; what leaves it is lost, paper comes in.
PixelBitmap shifted(const PixelBitmap &bitmap, int dx, int dy);
// The ink of `source` with its top-left corner at `topLeft`; its paper
// leaves the drawing underneath as it was.
void stamp(PixelBitmap *bitmap, const PixelBitmap &source, QPoint topLeft);

} // namespace brivello::logotools
