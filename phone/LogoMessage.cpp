// libGammu checks neither the picture's size nor the network code: a picture
// larger than the format's is cut silently and a malformed code becomes
// arbitrary digits. Both are checked here first, so that what is sent is what
// the user sees.

#include "phone/LogoMessage.h"

#include "phone/GammuEncoding.h"

#include <QRegularExpression>

#include <cstring>

using namespace Qt::StringLiterals;

namespace brivello::phone {

namespace {

struct BitmapBox
{
    GSM_MultiBitmap bitmaps;
};

std::unique_ptr<BitmapBox> newBitmap(GSM_Bitmap_Types type, const LogoPixels &pixels)
{
    auto box = std::make_unique<BitmapBox>();
    std::memset(&box->bitmaps, 0, sizeof box->bitmaps);
    box->bitmaps.Number = 1;
    GSM_Bitmap &bitmap = box->bitmaps.Bitmap[0];
    bitmap.Type = type;
    bitmap.BitmapWidth = static_cast<unsigned char>(pixels.width);
    bitmap.BitmapHeight = static_cast<unsigned char>(pixels.height);
    GSM_ClearBitmap(&bitmap);
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            if (pixels.at(x, y))
                GSM_SetPointBitmap(&bitmap, x, y);
    return box;
}

QString sizeError(const LogoPixels &pixels, int width, int height, const QString &what)
{
    if (pixels.width == width && pixels.height == height && pixels.ink.size() == width * height)
        return {};
    return u"%1 deve misurare %2 × %3 punti (questa immagine: %4 × %5)."_s.arg(what)
        .arg(width)
        .arg(height)
        .arg(pixels.width)
        .arg(pixels.height);
}

LogoMessage encode(GSM_MultiPartSMSInfo &info, SmartPort port)
{
    LogoMessage result;
    result.message = gammu::encodeMultiPart(info, port);
    if (result.message.parts.empty())
        result.error = u"La libreria del telefono non ha potuto codificare l'immagine."_s;
    return result;
}

// UCS-2 big-endian with two zero bytes at the end, as libGammu keeps texts.
void putText(unsigned char *into, std::size_t room, const QString &text)
{
    std::memset(into, 0, room);
    std::size_t at = 0;
    for (const QChar letter : text) {
        if (at + 4 > room)
            break;
        into[at++] = static_cast<unsigned char>(letter.unicode() >> 8);
        into[at++] = static_cast<unsigned char>(letter.unicode() & 0xFF);
    }
}

} // namespace

LogoPixels LogoPixels::blank(int width, int height)
{
    LogoPixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.ink = QBitArray(width * height);
    return pixels;
}

LogoMessage encodeOperatorLogo(const LogoPixels &logo, const QString &networkCode)
{
    LogoMessage result;
    result.error = sizeError(logo, OperatorLogoWidth, OperatorLogoHeight, u"Un logo operatore"_s);
    static const QRegularExpression code(u"^\\d{3} \\d{2}$"_s);
    if (result.ok() && !code.match(networkCode).hasMatch())
        result.error = u"Il codice della rete \"%1\" non è valido: servono il prefisso del paese "
                       "(3 cifre) e quello della rete (2 cifre), come \"222 01\"."_s.arg(networkCode);
    if (!result.ok())
        return result;
    auto bitmap = newBitmap(GSM_OperatorLogo, logo);
    const QByteArray codeBytes = networkCode.toLatin1();
    std::memcpy(bitmap->bitmaps.Bitmap[0].NetworkCode, codeBytes.constData(), codeBytes.size());
    auto info = gammu::newMultiPartInfo();
    info->info.EntriesNum = 1;
    info->info.Entries[0].ID = SMS_NokiaOperatorLogo;
    info->info.Entries[0].Bitmap = &bitmap->bitmaps;
    return encode(info->info, SmartPort::OperatorLogo);
}

LogoMessage encodeGroupGraphic(const LogoPixels &logo)
{
    LogoMessage result;
    result.error = sizeError(logo, OperatorLogoWidth, OperatorLogoHeight, u"Un logo gruppo"_s);
    if (!result.ok())
        return result;
    auto bitmap = newBitmap(GSM_CallerGroupLogo, logo);
    auto info = gammu::newMultiPartInfo();
    info->info.EntriesNum = 1;
    info->info.Entries[0].ID = SMS_NokiaCallerLogo;
    info->info.Entries[0].Bitmap = &bitmap->bitmaps;
    return encode(info->info, SmartPort::CallerGroupGraphic);
}

LogoMessage encodePictureMessage(const LogoPixels &picture, const QString &text)
{
    LogoMessage result;
    result.error =
        sizeError(picture, PictureMessageWidth, PictureMessageHeight, u"Un messaggio illustrato"_s);
    if (result.ok() && text.size() > PictureTextLength)
        result.error = u"Il testo di un messaggio illustrato porta al massimo %1 caratteri "
                       "(questo ne ha %2)."_s.arg(PictureTextLength)
                           .arg(text.size());
    if (!result.ok())
        return result;
    auto bitmap = newBitmap(GSM_PictureImage, picture);
    putText(bitmap->bitmaps.Bitmap[0].Text, sizeof bitmap->bitmaps.Bitmap[0].Text, text);
    auto info = gammu::newMultiPartInfo();
    info->info.EntriesNum = 1;
    info->info.Entries[0].ID = SMS_NokiaPictureImageLong;
    info->info.Entries[0].Bitmap = &bitmap->bitmaps;
    return encode(info->info, SmartPort::PictureMessage);
}

} // namespace brivello::phone
