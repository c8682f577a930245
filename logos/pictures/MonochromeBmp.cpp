#include "logos/pictures/MonochromeBmp.h"

#include "data/SafeWrite.h"

#include <QtEndian>

using namespace Qt::StringLiterals;

namespace brivello::logos {

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int PaletteSize = 2 * 4;
constexpr int PixelOffset = FileHeaderSize + InfoHeaderSize + PaletteSize;
// 72 dots per inch, as the bitmap's pixels per metre.
constexpr quint32 PixelsPerMetre = 2835;

void appendLe16(QByteArray *bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes->append(raw, 2);
}

void appendLe32(QByteArray *bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes->append(raw, 4);
}

int rowBytes(int width)
{
    return (width + 31) / 32 * 4;
}

QByteArray packedRow(const QImage &rgb, int y)
{
    QByteArray row(rowBytes(rgb.width()), '\0');
    const auto *pixels = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
        const bool white = qGray(pixels[x]) >= 128;
        if (white)
            row[x / 8] = char(row.at(x / 8) | (0x80 >> (x % 8)));
    }
    return row;
}

} // namespace

QByteArray monochromeBmp(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const quint32 pixelBytes = quint32(rowBytes(rgb.width())) * quint32(rgb.height());
    QByteArray bytes;
    bytes.reserve(int(PixelOffset + pixelBytes));
    bytes.append("BM", 2);
    appendLe32(&bytes, PixelOffset + pixelBytes);
    appendLe32(&bytes, 0); // reserved
    appendLe32(&bytes, PixelOffset);
    appendLe32(&bytes, InfoHeaderSize);
    appendLe32(&bytes, quint32(rgb.width()));
    appendLe32(&bytes, quint32(rgb.height())); // positive: bottom-up rows
    appendLe16(&bytes, 1);                     // planes
    appendLe16(&bytes, 1);                     // bits per pixel
    appendLe32(&bytes, 0);                     // BI_RGB, uncompressed
    appendLe32(&bytes, pixelBytes);
    appendLe32(&bytes, PixelsPerMetre);
    appendLe32(&bytes, PixelsPerMetre);
    appendLe32(&bytes, 2);          // colours used
    appendLe32(&bytes, 2);          // colours important
    appendLe32(&bytes, 0x00000000); // black (blue, green, red, reserved)
    appendLe32(&bytes, 0x00ffffff); // white
    for (int y = rgb.height() - 1; y >= 0; --y)
        bytes.append(packedRow(rgb, y));
    return bytes;
}

bool writeMonochromeBmp(const QString &path, const QImage &image, QString *error)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (image.isNull())
        return fail(u"there is no picture to write"_s);
    QString reason;
    if (!data::writeFileSafely(path, monochromeBmp(image), &reason))
        return fail(reason);
    return true;
}

} // namespace brivello::logos
