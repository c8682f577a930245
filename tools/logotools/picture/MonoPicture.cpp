#include "tools/logotools/picture/MonoPicture.h"

#include "tools/logotools/gammu/GammuBitmap.h"
#include "tools/logotools/picture/LogoDocument.h"

namespace brivello::logotools {

QSize pictureSize(LogoKind kind)
{
    return kind == LogoKind::PictureMessage ? PictureSize : LogoSize;
}

QImage toPicture(const PixelBitmap &bitmap)
{
    QImage picture = gammubitmap::blankPicture(bitmap.width(), bitmap.height());
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            if (bitmap.isInk(x, y))
                picture.setPixel(x, y, 1);
        }
    }
    return picture;
}

PixelBitmap toBitmap(const QImage &picture)
{
    PixelBitmap bitmap(picture.width(), picture.height());
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x)
            bitmap.setInk(x, y, gammubitmap::isInk(rgb, x, y));
    }
    return bitmap;
}

bool isTwoColoured(const QImage &picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = row[x];
            if (qAlpha(pixel) != 255)
                return false;
            const bool black = (pixel & 0xffffff) == 0;
            const bool white = (pixel & 0xffffff) == 0xffffff;
            if (!black && !white)
                return false;
        }
    }
    return true;
}

PixelBitmap centredIn(const PixelBitmap &source, QSize size)
{
    PixelBitmap result(size.width(), size.height());
    const int left = (size.width() - source.width()) / 2;
    const int top = (size.height() - source.height()) / 2;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const int tx = left + x;
            const int ty = top + y;
            if (tx >= 0 && ty >= 0 && tx < size.width() && ty < size.height())
                result.setInk(tx, ty, source.isInk(x, y));
        }
    }
    return result;
}

} // namespace brivello::logotools
