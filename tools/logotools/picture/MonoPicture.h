#pragma once

#include "logos/pictures/PixelBitmap.h"

#include <QImage>
#include <QSize>

namespace brivello::logotools {

using logos::PixelBitmap;

// The drawing as a picture of two colours: index 0 white paper, index 1
// black ink (Format_Mono), as the gallery draws its logos.
QImage toPicture(const PixelBitmap &bitmap);

// Ink where the picture is darker than middle grey.
PixelBitmap toBitmap(const QImage &picture);

// Whether every pixel is pure black or pure white: a picture that needs no
// reduction to one bit.
bool isTwoColoured(const QImage &picture);

// `source` in the middle of a drawing of `size`, cut where it is larger; an
// odd pixel left over goes to the right and the bottom.
PixelBitmap centredIn(const PixelBitmap &source, QSize size);

} // namespace brivello::logotools
