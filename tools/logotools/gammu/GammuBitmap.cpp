#include "tools/logotools/gammu/GammuBitmap.h"

#include <gammu-error.h>
#include <gammu-info.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

using namespace Qt::StringLiterals;

namespace brivello::gammubitmap {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

QString gammuReason(GSM_Error code)
{
    return QString::fromUtf8(GSM_ErrorString(code));
}

// libGammu keeps a mono bitmap as one bit per point, row after row.
constexpr qsizetype BitmapBits = qsizetype(GSM_BITMAP_SIZE) * 8;

QString fileName(GammuFile file)
{
    // libGammu picks the format it writes by the name's extension.
    switch (file) {
    case GammuFile::OperatorLogo:
        return u"logo.nol"_s;
    case GammuFile::GroupGraphic:
        return u"logo.ngg"_s;
    case GammuFile::LogoManager:
        return u"logo.nlm"_s;
    }
    return {};
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Binary pictures (GIF) hold a buffer libGammu allocated for the caller.
void releaseBinaryPictures(GSM_MultiBitmap *bitmaps)
{
    for (int i = 0; i < GSM_MAX_MULTI_BITMAP; ++i) {
        GSM_Bitmap &bitmap = bitmaps->Bitmap[i];
        if (bitmap.Type == GSM_PictureBinary && bitmap.BinaryPic.Buffer) {
            std::free(bitmap.BinaryPic.Buffer);
            bitmap.BinaryPic.Buffer = nullptr;
        }
    }
}

} // namespace

bool isInk(const QImage &picture, int x, int y)
{
    return qGray(picture.pixel(x, y)) < 128;
}

QImage blankPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    return image;
}

bool toGsmBitmap(const QImage &picture, GSM_Bitmap_Types type, GSM_Bitmap *bitmap, QString *error)
{
    if (picture.isNull() || picture.width() > 255 || picture.height() > 255 ||
        qsizetype(picture.width()) * picture.height() > BitmapBits)
        return fail(error, u"a mono bitmap holds at most %1 points"_s.arg(BitmapBits));
    *bitmap = GSM_Bitmap{};
    bitmap->Type = type;
    bitmap->BitmapWidth = size_t(picture.width());
    bitmap->BitmapHeight = size_t(picture.height());
    GSM_ClearBitmap(bitmap);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (isInk(picture, x, y))
                GSM_SetPointBitmap(bitmap, x, y);
        }
    }
    return true;
}

QImage fromGsmBitmap(const GSM_Bitmap &bitmap)
{
    const int width = int(bitmap.BitmapWidth);
    const int height = int(bitmap.BitmapHeight);
    if (width <= 0 || height <= 0 || qsizetype(width) * height > BitmapBits)
        return {};
    QImage picture = blankPicture(width, height);
    // GSM_IsPointBitmap does not change the bitmap, but takes no const.
    auto *points = const_cast<GSM_Bitmap *>(&bitmap);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (GSM_IsPointBitmap(points, x, y))
                picture.setPixel(x, y, 1);
        }
    }
    return picture;
}

bool encodeGammuFile(GammuFile file, const QImage &picture, GSM_Bitmap_Types type, const QString &networkCode,
                     QByteArray *bytes, QString *error)
{
    auto bitmaps = std::make_unique<GSM_MultiBitmap>();
    *bitmaps = GSM_MultiBitmap{};
    bitmaps->Number = 1;
    GSM_Bitmap &bitmap = bitmaps->Bitmap[0];
    if (!toGsmBitmap(picture, type, &bitmap, error))
        return false;
    const QByteArray code = networkCode.toLatin1();
    if (code.size() >= qsizetype(sizeof bitmap.NetworkCode))
        return fail(error, u"the network code %1 is too long"_s.arg(networkCode));
    qstrncpy(bitmap.NetworkCode, code.constData(), sizeof bitmap.NetworkCode);

    // libGammu writes straight to a named file, choosing the format by the
    // name; it writes in a private folder and the caller saves the bytes
    // where the user wants them, all or nothing.
    QTemporaryDir folder;
    if (!folder.isValid())
        return fail(error, folder.errorString());
    const QString path = folder.filePath(fileName(file));
    QByteArray encodedPath = QFile::encodeName(path);
    const GSM_Error result = GSM_SaveBitmapFile(encodedPath.data(), bitmaps.get());
    if (result != ERR_NONE)
        return fail(error, gammuReason(result));
    *bytes = readFile(path);
    if (bytes->isEmpty())
        return fail(error, u"libGammu wrote nothing"_s);
    return true;
}

bool decodeGammuFile(const QByteArray &bytes, GammuFileContents *contents, QString *error)
{
    // libGammu reads from a named file and refuses long names; it gets a
    // copy under a short one.
    QTemporaryDir folder;
    if (!folder.isValid())
        return fail(error, folder.errorString());
    const QString path = folder.filePath(u"picture"_s);
    QFile copy(path);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size() || !copy.flush())
        return fail(error, copy.errorString());
    copy.close();

    auto bitmaps = std::make_unique<GSM_MultiBitmap>();
    *bitmaps = GSM_MultiBitmap{};
    bitmaps->Bitmap[0].Type = GSM_None;
    QByteArray encodedPath = QFile::encodeName(path);
    const GSM_Error result = GSM_ReadBitmapFile(encodedPath.data(), bitmaps.get());
    const GSM_Bitmap first = bitmaps->Bitmap[0];
    const bool binary = first.Type == GSM_PictureBinary;
    releaseBinaryPictures(bitmaps.get());
    if (result != ERR_NONE)
        return fail(error, gammuReason(result));
    if (bitmaps->Number < 1 || binary)
        return fail(error, u"the file holds no mono picture"_s);
    const QImage picture = fromGsmBitmap(first);
    if (picture.isNull())
        return fail(error, u"the file holds no mono picture"_s);
    // libGammu calls what it reads from a .nol file a caller logo; the
    // file's own header says it is an operator logo.
    const bool operatorLogo = bytes.startsWith("NOL");
    contents->picture = picture;
    contents->type = operatorLogo ? GSM_OperatorLogo : first.Type;
    contents->networkCode = operatorLogo ? QString::fromLatin1(first.NetworkCode) : QString();
    return true;
}

QList<CodeName> gammuNetworks()
{
    QList<CodeName> rows;
    for (const GSM_CodeName *row = GSM_Networks; row->Code[0] != '\0'; ++row)
        rows.append({QString::fromLatin1(row->Code), QString::fromUtf8(row->Name)});
    return rows;
}

QList<CodeName> gammuCountries()
{
    QList<CodeName> rows;
    for (const GSM_CodeName *row = GSM_Countries; row->Code[0] != '\0'; ++row)
        rows.append({QString::fromLatin1(row->Code), QString::fromUtf8(row->Name)});
    return rows;
}

} // namespace brivello::gammubitmap
