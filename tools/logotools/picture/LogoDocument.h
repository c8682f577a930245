#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace brivello::logotools {

// What a picture is for on the phone: the logo shown instead of the
// operator's name, the graphic shown when someone of a caller group rings,
// or the picture of a picture message.
enum class LogoKind { OperatorLogo, GroupGraphic, PictureMessage };

inline constexpr QSize LogoSize{72, 14};
inline constexpr QSize PictureSize{72, 28};

// 72 x 14 for logos and group graphics, 72 x 28 for the picture of a message.
QSize pictureSize(LogoKind kind);

// A mobile network as the phone knows it: its country code (MCC) and network
// code (MNC), with names for people.
struct Network
{
    QString mcc;
    QString mnc;
    QString name;
    QString country;

    bool isValid() const { return !mcc.isEmpty() && !mnc.isEmpty(); }
    // "222 01": the form libGammu and the .nol file use.
    QString code() const { return mcc + QLatin1Char(' ') + mnc; }
};

// Everything a picture carries out of the editor: to a file now, to a phone
// by a send step later.
struct LogoDocument
{
    LogoKind kind = LogoKind::OperatorLogo;
    // One bit: index 0 white paper, index 1 black ink.
    QImage picture;
    // The network an operator logo is for; none until the user picks one.
    Network network;
    // The short text of a picture message.
    QString text;
};

// The longest text a picture message carries beside its picture.
inline constexpr int PictureMessageTextLimit = 120;

} // namespace brivello::logotools
