#pragma once

// libGammu's mono bitmaps, its bitmap files and its table of networks, seen
// through Qt types. Nothing here talks to a phone.

#include <gammu-bitmap.h>

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace brivello::gammubitmap {

// A pixel of a one-bit picture is ink (black on the phone) when it is darker
// than middle grey.
bool isInk(const QImage &picture, int x, int y);

// A picture of two colours, index 0 white paper and index 1 black ink, all
// paper.
QImage blankPicture(int width, int height);

// Fills `bitmap` from `picture`: its type, size and points, everything else
// cleared. False with a reason when the picture does not fit a mono bitmap.
bool toGsmBitmap(const QImage &picture, GSM_Bitmap_Types type, GSM_Bitmap *bitmap, QString *error);

// The points of a mono bitmap as a picture (see blankPicture).
QImage fromGsmBitmap(const GSM_Bitmap &bitmap);

// The files libGammu writes well: the Nokia operator logo (.nol, with the
// network's MCC and MNC), the Nokia group graphic (.ngg) and the Nokia Logo
// Manager file (.nlm, which names the kind of picture it holds).
enum class GammuFile { OperatorLogo, GroupGraphic, LogoManager };

// The bytes libGammu writes for `picture`. `type` is the kind of picture
// (GSM_OperatorLogo, GSM_CallerGroupLogo or GSM_PictureImage), which the .nlm
// header records; `networkCode` is "MCC MNC" ("222 01") for a .nol file.
bool encodeGammuFile(GammuFile file, const QImage &picture, GSM_Bitmap_Types type, const QString &networkCode,
                     QByteArray *bytes, QString *error);

struct GammuFileContents
{
    QImage picture;
    GSM_Bitmap_Types type = GSM_None;
    // "MCC MNC" of an operator logo file; empty for the others.
    QString networkCode;
};

// Reads the bytes of a file libGammu reads (.nol, .ngg, .nlm, also its BMP
// and WBMP readers); the first picture of a file that holds several. False
// with a reason when libGammu does not take the file or it holds no mono
// picture.
bool decodeGammuFile(const QByteArray &bytes, GammuFileContents *contents, QString *error);

// One row of libGammu's code tables: a network ("222 01", "TIM") or a
// country ("222", "Italy").
struct CodeName
{
    QString code;
    QString name;
};
QList<CodeName> gammuNetworks();
QList<CodeName> gammuCountries();

} // namespace brivello::gammubitmap
