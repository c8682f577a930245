#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace brivello::logos {

// A Windows bitmap file of one bit per pixel: file header, BITMAPINFOHEADER,
// a palette of black (index 0) and white (index 1), rows bottom-up, each
// padded to four bytes. Pixels darker than middle grey become black. An
// empty array for a null image.
QByteArray monochromeBmp(const QImage &image);

// Writes monochromeBmp(image) to `path` through a temporary file in the same
// folder that replaces `path` only once it is complete, so a failure leaves
// an existing file as it was and no partial file behind. False with the
// reason in `error` (when given) on failure.
bool writeMonochromeBmp(const QString &path, const QImage &image, QString *error);

} // namespace brivello::logos
