#pragma once

#include "tools/logotools/picture/LogoDocument.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <optional>

namespace brivello::logotools {

// The files the editor saves, each a one-bit picture:
//   Bmp          Windows bitmap, as the gallery exports it (the gallery's writer);
//   OperatorLogo Nokia operator logo .nol, 72 x 14 with the network's MCC
//                and MNC (written by libGammu);
//   GroupGraphic Nokia group graphic .ngg, 72 x 14 (libGammu);
//   LogoManager  Nokia Logo Manager .nlm, which records whether it holds an
//                operator logo, a group graphic or a picture (libGammu);
//   OverTheAir   Over-The-Air bitmap .otb, as Smart Messaging carries it (ours:
//                libGammu writes none);
//   Wbmp         Wireless bitmap .wbmp, type 0 (ours: libGammu writes black
//                as white).
enum class PictureFormat { Bmp, OperatorLogo, GroupGraphic, LogoManager, OverTheAir, Wbmp };

struct FormatInfo
{
    PictureFormat format;
    QString extension; // without the dot
    QString name;      // for the user
    // Only for 72 x 14 pictures.
    bool logoSizeOnly = false;
    // Carries the network of an operator logo.
    bool needsNetwork = false;
};

const QList<FormatInfo> &pictureFormats();
const FormatInfo &formatInfo(PictureFormat format);
// The format a file name's extension names, whatever its letter case.
std::optional<PictureFormat> formatOfPath(const QString &path);
// "Logo operatore Nokia (*.nol)", for a file dialog.
QString dialogFilter(PictureFormat format);

// Whether a picture of `kind` can be kept in `format`.
bool formatFits(PictureFormat format, LogoKind kind);

// The bytes of a format that we write ourselves; the picture's ink is black.
QByteArray encodeOverTheAir(const QImage &picture);
QByteArray encodeWbmp(const QImage &picture);
// Their readers; a null image when the bytes are not such a file.
QImage decodeOverTheAir(const QByteArray &bytes);
QImage decodeWbmp(const QByteArray &bytes);

// The bytes of `document` in `format`. False with a reason (Italian, for the
// user) when the format does not fit the picture, an operator logo has no
// network, or the writer fails.
bool encodePicture(PictureFormat format, const LogoDocument &document, QByteArray *bytes, QString *error);

// Writes `bytes` to `path` all or nothing: a failure leaves an existing file
// as it was and no partial file behind.
bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error);

// encodePicture, then writeAtomically.
bool savePicture(const QString &path, PictureFormat format, const LogoDocument &document, QString *error);

// A picture file as the editor opens it.
struct OpenedPicture
{
    QImage picture;
    // A phone format or a picture of pure black and white: its pixels are
    // taken as they are. Anything else is reduced to one bit first.
    bool oneBit = false;
    // What a phone format says it holds, when it says.
    std::optional<LogoKind> kind;
    // "MCC MNC" of a .nol file.
    QString networkCode;
};

// Reads a picture: the phone formats above (by their header or extension)
// and whatever Qt reads (BMP, PNG, JPEG, GIF, ...). False with a reason
// (Italian) when it cannot.
bool readPictureFile(const QString &path, OpenedPicture *opened, QString *error);

} // namespace brivello::logotools
