#include "tools/logotools/picture/LogoSms.h"

#include "tools/logotools/gammu/GammuBitmap.h"

using namespace Qt::StringLiterals;

namespace brivello::logotools {

phone::LogoPixels pixelsOf(const QImage &picture)
{
    phone::LogoPixels pixels = phone::LogoPixels::blank(picture.width(), picture.height());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            pixels.set(x, y, gammubitmap::isInk(picture, x, y));
    return pixels;
}

phone::LogoMessage smsFor(const LogoDocument &document)
{
    const phone::LogoPixels pixels = pixelsOf(document.picture);
    switch (document.kind) {
    case LogoKind::OperatorLogo:
        if (!document.network.isValid()) {
            phone::LogoMessage none;
            none.error = u"Scegli prima la rete a cui è destinato il logo operatore."_s;
            return none;
        }
        return phone::encodeOperatorLogo(pixels, document.network.code());
    case LogoKind::GroupGraphic:
        return phone::encodeGroupGraphic(pixels);
    case LogoKind::PictureMessage:
        return phone::encodePictureMessage(pixels, document.text);
    }
    return {};
}

} // namespace brivello::logotools
