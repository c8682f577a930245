#include "tools/logotools/picture/PixelEdits.h"

#include <QList>

#include <cstdlib>

namespace brivello::logotools {

namespace {

bool inside(const PixelBitmap &bitmap, int x, int y)
{
    return x >= 0 && y >= 0 && x < bitmap.width() && y < bitmap.height();
}

void paint(PixelBitmap *bitmap, int x, int y, bool ink)
{
    if (inside(*bitmap, x, y))
        bitmap->setInk(x, y, ink);
}

} // namespace

void drawLine(PixelBitmap *bitmap, QPoint from, QPoint to, bool ink)
{
    // Bresenham: every step moves one pixel along the longer axis.
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int stepX = x < to.x() ? 1 : -1;
    const int stepY = y < to.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        paint(bitmap, x, y, ink);
        if (x == to.x() && y == to.y())
            return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void drawRectangle(PixelBitmap *bitmap, QPoint corner, QPoint opposite, bool ink, bool filled)
{
    const int left = qMin(corner.x(), opposite.x());
    const int right = qMax(corner.x(), opposite.x());
    const int top = qMin(corner.y(), opposite.y());
    const int bottom = qMax(corner.y(), opposite.y());
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const bool edge = x == left || x == right || y == top || y == bottom;
            if (filled || edge)
                paint(bitmap, x, y, ink);
        }
    }
}

void floodFill(PixelBitmap *bitmap, QPoint seed, bool ink)
{
    if (!inside(*bitmap, seed.x(), seed.y()))
        return;
    const bool target = bitmap->isInk(seed.x(), seed.y());
    if (target == ink)
        return;
    QList<QPoint> pending{seed};
    while (!pending.isEmpty()) {
        const QPoint point = pending.takeLast();
        if (!inside(*bitmap, point.x(), point.y()) || bitmap->isInk(point.x(), point.y()) != target)
            continue;
        bitmap->setInk(point.x(), point.y(), ink);
        pending << point + QPoint(1, 0) << point - QPoint(1, 0) << point + QPoint(0, 1)
                << point - QPoint(0, 1);
    }
}

void invert(PixelBitmap *bitmap)
{
    for (int y = 0; y < bitmap->height(); ++y) {
        for (int x = 0; x < bitmap->width(); ++x)
            bitmap->setInk(x, y, !bitmap->isInk(x, y));
    }
}

PixelBitmap shifted(const PixelBitmap &bitmap, int dx, int dy)
{
    PixelBitmap result(bitmap.width(), bitmap.height());
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            if (bitmap.isInk(x, y))
                paint(&result, x + dx, y + dy, true);
        }
    }
    return result;
}

void stamp(PixelBitmap *bitmap, const PixelBitmap &source, QPoint topLeft)
{
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (source.isInk(x, y))
                paint(bitmap, topLeft.x() + x, topLeft.y() + y, true);
        }
    }
}

} // namespace brivello::logotools
