#pragma once

#include "logos/pictures/PixelBitmap.h"

#include <QImage>
#include <QSize>

namespace brivello::logotools {

using logos::PixelBitmap;

// How grey becomes black or white. The threshold first stretches the greys
// so that it falls on the middle grey, black and white staying as they are.
// Without dithering
// every pixel darker than the threshold is then ink; Floyd-Steinberg carries
// each pixel's error on to its neighbours; ordered dithering compares against
// a 4 x 4 Bayer pattern around the middle, which keeps flat areas calm.
enum class Dithering { None, FloydSteinberg, Ordered };

struct Reduction
{
    int threshold = 128; // 0 to 255: the higher, the more ink
    Dithering dithering = Dithering::None;
};

// The picture in grey, as large as fits `size` with its proportions kept,
// centred on white (transparent parts are white too). A picture of exactly
// that size is not resampled.
QImage fittedGrey(const QImage &source, QSize size);

// `source` fitted into `size` and reduced to one bit.
PixelBitmap reduceToOneBit(const QImage &source, QSize size, const Reduction &reduction);

} // namespace brivello::logotools
