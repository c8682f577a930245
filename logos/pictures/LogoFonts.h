#pragma once

#include "logos/pictures/PixelBitmap.h"
#include "logos/pictures/PixelFont.h"

#include <QHash>
#include <QStringView>

namespace brivello::logos {

// The faces a logo's text can be set in. Normal and Small are drawn fonts;
// Bold is Normal with every stroke doubled, Big is Normal's capitals at twice
// the size, filling the logo's full 14 rows.
enum class FontFace { Normal, Small, Bold, Big };

// The text drawing of a drawn font (Normal or Small).
QStringView fontSource(FontFace face);
// The drawn font behind a face, read from its source once.
const PixelFont &drawnFont(FontFace face);

// The small pictures logos carry, as text drawings: "icon <name>" blocks.
QStringView iconSource();
// The icons by name, read from their source once.
const QHash<QString, PixelBitmap> &builtInIcons();
// Reads an icon source; false with a message naming the icon on a fault.
bool parseIcons(QStringView source, QHash<QString, PixelBitmap> *icons, QString *error);

} // namespace brivello::logos
