#pragma once

#include "logos/pictures/PixelBitmap.h"
#include "tools/logotools/picture/LogoDocument.h"

#include <QSize>
#include <QString>

namespace brivello::logotools {

using logos::PixelBitmap;

// The display of the phones these pictures are made for: 84 x 48 dots.
inline constexpr QSize PhoneScreenSize{84, 48};

// What the phone's display shows with `picture` in it:
//   an operator logo on the idle screen, between the signal bars on the left
//   and the battery bars on the right, above the "Menu" key;
//   a group graphic on the screen of a call from someone of the group;
//   a picture message opened: the picture, then the first two lines of its
//   text (the phone scrolls to the rest). Letters the phone's font lacks
//   show as '?'.
// The picture is centred on its 72 dots whatever its own width.
PixelBitmap phoneScreen(LogoKind kind, const PixelBitmap &picture, const QString &text = QString());

} // namespace brivello::logotools
