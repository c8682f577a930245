#include "tools/logotools/picture/PictureFiles.h"

#include "data/SafeWrite.h"
#include "logos/pictures/MonochromeBmp.h"
#include "tools/logotools/gammu/GammuBitmap.h"
#include "tools/logotools/picture/MonoPicture.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace brivello::logotools {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

using gammubitmap::isInk;

// Smart Messaging's Over-The-Air bitmap: an info field (0: one image, sizes
// in one byte each), width, height, depth 1, then the pixels row after row,
// most significant bit first, 1 for black, the last byte padded.
constexpr char OtaInfoField = 0x00;
constexpr quint8 OtaWideSizes = 0x10; // width and height take two bytes each
constexpr char OtaDepth = 0x01;

// WBMP's numbers: seven bits to a byte, most significant first, the top bit
// set on every byte but the last.
void appendMultiByte(QByteArray *bytes, quint32 value)
{
    QByteArray groups;
    do {
        groups.prepend(char(value & 0x7f));
        value >>= 7;
    } while (value != 0);
    for (qsizetype i = 0; i + 1 < groups.size(); ++i)
        groups[i] = char(groups.at(i) | 0x80);
    bytes->append(groups);
}

bool readMultiByte(const QByteArray &bytes, qsizetype *offset, quint32 *value)
{
    *value = 0;
    for (int count = 0; count < 4; ++count) {
        if (*offset >= bytes.size())
            return false;
        const quint8 byte = quint8(bytes.at((*offset)++));
        *value = (*value << 7) | (byte & 0x7f);
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

GSM_Bitmap_Types gammuType(LogoKind kind)
{
    switch (kind) {
    case LogoKind::OperatorLogo:
        return GSM_OperatorLogo;
    case LogoKind::GroupGraphic:
        return GSM_CallerGroupLogo;
    case LogoKind::PictureMessage:
        return GSM_PictureImage;
    }
    return GSM_OperatorLogo;
}

std::optional<LogoKind> kindOfGammuType(GSM_Bitmap_Types type)
{
    switch (type) {
    case GSM_OperatorLogo:
        return LogoKind::OperatorLogo;
    case GSM_CallerGroupLogo:
        return LogoKind::GroupGraphic;
    case GSM_PictureImage:
        return LogoKind::PictureMessage;
    default:
        return std::nullopt;
    }
}

gammubitmap::GammuFile gammuFile(PictureFormat format)
{
    switch (format) {
    case PictureFormat::OperatorLogo:
        return gammubitmap::GammuFile::OperatorLogo;
    case PictureFormat::GroupGraphic:
        return gammubitmap::GammuFile::GroupGraphic;
    default:
        return gammubitmap::GammuFile::LogoManager;
    }
}

bool isGammuFile(const QByteArray &bytes)
{
    return bytes.startsWith("NOL") || bytes.startsWith("NGG") || bytes.startsWith("NLM");
}

QByteArray readAll(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, u"Il file %1 non si può leggere: %2."_s.arg(path, file.errorString()));
        return {};
    }
    return file.readAll();
}

} // namespace

const QList<FormatInfo> &pictureFormats()
{
    static const QList<FormatInfo> formats = {
        {PictureFormat::OperatorLogo, u"nol"_s, u"Logo operatore Nokia"_s, true, true},
        {PictureFormat::GroupGraphic, u"ngg"_s, u"Logo di gruppo Nokia"_s, true, false},
        {PictureFormat::Bmp, u"bmp"_s, u"Bitmap di Windows"_s, false, false},
        {PictureFormat::LogoManager, u"nlm"_s, u"Nokia Logo Manager"_s, false, false},
        {PictureFormat::OverTheAir, u"otb"_s, u"Bitmap Over-The-Air"_s, false, false},
        {PictureFormat::Wbmp, u"wbmp"_s, u"Bitmap WAP"_s, false, false},
    };
    return formats;
}

const FormatInfo &formatInfo(PictureFormat format)
{
    for (const FormatInfo &info : pictureFormats()) {
        if (info.format == format)
            return info;
    }
    return pictureFormats().first();
}

std::optional<PictureFormat> formatOfPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const FormatInfo &info : pictureFormats()) {
        if (info.extension == suffix)
            return info.format;
    }
    return std::nullopt;
}

QString dialogFilter(PictureFormat format)
{
    const FormatInfo &info = formatInfo(format);
    return u"%1 (*.%2)"_s.arg(info.name, info.extension);
}

bool formatFits(PictureFormat format, LogoKind kind)
{
    const FormatInfo &info = formatInfo(format);
    if (info.needsNetwork && kind != LogoKind::OperatorLogo)
        return false;
    return !info.logoSizeOnly || kind != LogoKind::PictureMessage;
}

QByteArray encodeOverTheAir(const QImage &picture)
{
    QByteArray bytes;
    bytes.append(OtaInfoField);
    bytes.append(char(picture.width()));
    bytes.append(char(picture.height()));
    bytes.append(OtaDepth);
    quint8 byte = 0;
    int bits = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            byte = quint8(byte << 1 | (isInk(picture, x, y) ? 1 : 0));
            if (++bits == 8) {
                bytes.append(char(byte));
                byte = 0;
                bits = 0;
            }
        }
    }
    if (bits > 0)
        bytes.append(char(byte << (8 - bits)));
    return bytes;
}

QImage decodeOverTheAir(const QByteArray &bytes)
{
    if (bytes.size() < 4)
        return {};
    const quint8 info = quint8(bytes.at(0));
    const bool wide = info & OtaWideSizes;
    qsizetype offset = 1;
    const auto size = [&](int *value) {
        if (offset + (wide ? 2 : 1) > bytes.size())
            return false;
        *value = quint8(bytes.at(offset++));
        if (wide)
            *value = *value << 8 | quint8(bytes.at(offset++));
        return true;
    };
    int width = 0;
    int height = 0;
    if ((info & ~OtaWideSizes) != 0 || !size(&width) || !size(&height) || width == 0 || height == 0)
        return {};
    if (offset >= bytes.size() || bytes.at(offset++) != OtaDepth)
        return {};
    const qsizetype bitCount = qsizetype(width) * height;
    if (bytes.size() - offset < (bitCount + 7) / 8)
        return {};
    QImage picture = gammubitmap::blankPicture(width, height);
    for (qsizetype bit = 0; bit < bitCount; ++bit) {
        const quint8 byte = quint8(bytes.at(offset + bit / 8));
        if (byte & (0x80 >> (bit % 8)))
            picture.setPixel(int(bit % width), int(bit / width), 1);
    }
    return picture;
}

QByteArray encodeWbmp(const QImage &picture)
{
    QByteArray bytes;
    bytes.append('\0'); // type 0: one bit, no compression
    bytes.append('\0'); // fixed header: no extension headers
    appendMultiByte(&bytes, quint32(picture.width()));
    appendMultiByte(&bytes, quint32(picture.height()));
    const int rowBytes = (picture.width() + 7) / 8;
    for (int y = 0; y < picture.height(); ++y) {
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < picture.width(); ++x) {
            // WBMP's 1 is white.
            if (!isInk(picture, x, y))
                row[x / 8] = char(row.at(x / 8) | (0x80 >> (x % 8)));
        }
        bytes.append(row);
    }
    return bytes;
}

QImage decodeWbmp(const QByteArray &bytes)
{
    qsizetype offset = 0;
    quint32 type = 0;
    quint32 width = 0;
    quint32 height = 0;
    if (!readMultiByte(bytes, &offset, &type) || type != 0)
        return {};
    if (offset >= bytes.size() || bytes.at(offset++) != '\0')
        return {};
    if (!readMultiByte(bytes, &offset, &width) || !readMultiByte(bytes, &offset, &height))
        return {};
    if (width == 0 || height == 0 || width > 4096 || height > 4096)
        return {};
    const qsizetype rowBytes = (qsizetype(width) + 7) / 8;
    if (bytes.size() - offset < rowBytes * qsizetype(height))
        return {};
    QImage picture = gammubitmap::blankPicture(int(width), int(height));
    for (int y = 0; y < int(height); ++y) {
        for (int x = 0; x < int(width); ++x) {
            const quint8 byte = quint8(bytes.at(offset + y * rowBytes + x / 8));
            if (!(byte & (0x80 >> (x % 8))))
                picture.setPixel(x, y, 1);
        }
    }
    return picture;
}

bool encodePicture(PictureFormat format, const LogoDocument &document, QByteArray *bytes, QString *error)
{
    const FormatInfo &info = formatInfo(format);
    if (document.picture.isNull())
        return fail(error, u"Non c'è nessuna immagine da salvare."_s);
    if (!formatFits(format, document.kind) || document.picture.size() != pictureSize(document.kind))
        return fail(error, u"Il formato %1 non è adatto a questa immagine."_s.arg(info.name));
    if (info.needsNetwork && !document.network.isValid())
        return fail(error, u"Per il formato %1 scegliere prima la rete."_s.arg(info.name));
    switch (format) {
    case PictureFormat::Bmp:
        *bytes = logos::monochromeBmp(document.picture);
        return true;
    case PictureFormat::OverTheAir:
        *bytes = encodeOverTheAir(document.picture);
        return true;
    case PictureFormat::Wbmp:
        *bytes = encodeWbmp(document.picture);
        return true;
    case PictureFormat::OperatorLogo:
    case PictureFormat::GroupGraphic:
    case PictureFormat::LogoManager:
        break;
    }
    QString reason;
    if (!gammubitmap::encodeGammuFile(gammuFile(format), document.picture, gammuType(document.kind),
                                      info.needsNetwork ? document.network.code() : QString(), bytes,
                                      &reason))
        return fail(error, u"libGammu non ha scritto il file: %1"_s.arg(reason));
    return true;
}

bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QString reason;
    if (data::writeFileSafely(path, bytes, &reason))
        return true;
    return fail(error, u"Il file %1 non si può scrivere: %2."_s.arg(path, reason));
}

bool savePicture(const QString &path, PictureFormat format, const LogoDocument &document, QString *error)
{
    QByteArray bytes;
    return encodePicture(format, document, &bytes, error) && writeAtomically(path, bytes, error);
}

bool readPictureFile(const QString &path, OpenedPicture *opened, QString *error)
{
    QString reason;
    const QByteArray bytes = readAll(path, &reason);
    if (!reason.isEmpty())
        return fail(error, reason);
    const QString unreadable =
        u"Il file %1 non contiene un'immagine che il programma sappia leggere."_s.arg(path);
    OpenedPicture result;
    const std::optional<PictureFormat> format = formatOfPath(path);
    if (isGammuFile(bytes)) {
        gammubitmap::GammuFileContents contents;
        if (!gammubitmap::decodeGammuFile(bytes, &contents, &reason))
            return fail(error, unreadable);
        result.picture = contents.picture;
        result.kind = kindOfGammuType(contents.type);
        result.networkCode = contents.networkCode;
        result.oneBit = true;
    } else if (format == PictureFormat::OverTheAir || format == PictureFormat::Wbmp) {
        result.picture = format == PictureFormat::OverTheAir ? decodeOverTheAir(bytes) : decodeWbmp(bytes);
        result.oneBit = true;
    } else {
        result.picture = QImage::fromData(bytes);
        result.oneBit = !result.picture.isNull() && isTwoColoured(result.picture);
    }
    if (result.picture.isNull())
        return fail(error, unreadable);
    *opened = result;
    return true;
}

} // namespace brivello::logotools
