#include "tools/logotools/picture/OneBitReduction.h"

#include <QPainter>

#include <vector>

namespace brivello::logotools {

namespace {

constexpr int Bayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

constexpr int Middle = 128;

// The grey levels stretched so that the threshold falls on the middle grey
// while black stays black and white stays white: every way of reducing then
// quantises at the middle, the threshold moves the picture towards black or
// white, dithered or not, and a white margin gets no stray dots.
std::vector<int> levelsAround(const QImage &grey, int threshold)
{
    const auto stretched = [threshold](int level) {
        if (level == 0 || level == 255)
            return level;
        if (level < threshold)
            return level * Middle / threshold;
        return Middle + (level - threshold) * (255 - Middle) / qMax(1, 255 - threshold);
    };
    std::vector<int> levels(std::size_t(grey.width()) * std::size_t(grey.height()));
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *row = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            levels[std::size_t(y) * std::size_t(grey.width()) + std::size_t(x)] = stretched(row[x]);
    }
    return levels;
}

PixelBitmap quantised(const std::vector<int> &levels, int width, int height)
{
    PixelBitmap result(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            result.setInk(x, y, levels[std::size_t(y) * std::size_t(width) + std::size_t(x)] < Middle);
    }
    return result;
}

PixelBitmap byFloydSteinberg(std::vector<int> levels, int width, int height)
{
    const auto at = [&](int x, int y) -> int & {
        return levels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    };
    const auto spread = [&](int x, int y, int part) {
        if (x >= 0 && x < width && y < height)
            at(x, y) += part;
    };
    PixelBitmap result(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int level = at(x, y);
            const bool ink = level < Middle;
            result.setInk(x, y, ink);
            const int error = level - (ink ? 0 : 255);
            spread(x + 1, y, error * 7 / 16);
            spread(x - 1, y + 1, error * 3 / 16);
            spread(x, y + 1, error * 5 / 16);
            spread(x + 1, y + 1, error / 16);
        }
    }
    return result;
}

PixelBitmap byOrderedPattern(const std::vector<int> &levels, int width, int height)
{
    PixelBitmap result(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The pattern moves the middle by up to half the grey range
            // either way, in 16 steps.
            const int offset = (2 * Bayer4[y % 4][x % 4] - 15) * 8;
            result.setInk(x, y,
                          levels[std::size_t(y) * std::size_t(width) + std::size_t(x)] < Middle + offset);
        }
    }
    return result;
}

} // namespace

QImage fittedGrey(const QImage &source, QSize size)
{
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    if (source.isNull())
        return canvas.convertToFormat(QImage::Format_Grayscale8);
    const QImage argb = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage placed = argb;
    if (argb.size() != size)
        placed = argb.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&canvas);
    painter.drawImage((size.width() - placed.width()) / 2, (size.height() - placed.height()) / 2, placed);
    painter.end();
    return canvas.convertToFormat(QImage::Format_Grayscale8);
}

PixelBitmap reduceToOneBit(const QImage &source, QSize size, const Reduction &reduction)
{
    const QImage grey = fittedGrey(source, size);
    const std::vector<int> levels = levelsAround(grey, qBound(0, reduction.threshold, 255));
    switch (reduction.dithering) {
    case Dithering::FloydSteinberg:
        return byFloydSteinberg(levels, grey.width(), grey.height());
    case Dithering::Ordered:
        return byOrderedPattern(levels, grey.width(), grey.height());
    case Dithering::None:
        break;
    }
    return quantised(levels, grey.width(), grey.height());
}

} // namespace brivello::logotools
