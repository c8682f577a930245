#pragma once

// Pictures as Nokia Smart Messaging sends them: the operator logo (port
// 0x1582, the network's MCC and MNC before the picture), the caller group
// graphic (port 0x1583) and the picture message with its short text (port
// 0x158A, in concatenated parts). libGammu's multipart encoder packs them;
// the pixels go most significant bit first from the left, 1 for black.

#include "phone/SmartMessage.h"

#include <QBitArray>
#include <QString>

namespace brivello::phone {

// A one-bit picture, row after row from the top left; a set bit is ink.
struct LogoPixels
{
    int width = 0;
    int height = 0;
    QBitArray ink;

    static LogoPixels blank(int width, int height);
    bool at(int x, int y) const { return ink.testBit(y * width + x); }
    void set(int x, int y, bool black = true) { ink.setBit(y * width + x, black); }
};

inline constexpr int OperatorLogoWidth = 72;
inline constexpr int OperatorLogoHeight = 14;
inline constexpr int PictureMessageWidth = 72;
inline constexpr int PictureMessageHeight = 28;
// The most letters a picture message's text carries.
inline constexpr int PictureTextLength = 120;

struct LogoMessage
{
    SmartMessage message;
    QString error; // why there is nothing to send, in Italian; empty when there is
    bool ok() const { return error.isEmpty(); }
};

// `networkCode` is "MCC MNC", as "222 01".
LogoMessage encodeOperatorLogo(const LogoPixels &logo, const QString &networkCode);
LogoMessage encodeGroupGraphic(const LogoPixels &logo);
LogoMessage encodePictureMessage(const LogoPixels &picture, const QString &text);

} // namespace brivello::phone
