#include "logos/pictures/LogoFonts.h"

#include <QDebug>

using namespace Qt::StringLiterals;

namespace brivello::logos {

namespace {

PixelFont readBuiltInFont(FontFace face)
{
    PixelFont font;
    QString error;
    if (!PixelFont::parse(fontSource(face), &font, &error))
        qWarning("Logo font: %s", qUtf8Printable(error));
    return font;
}

} // namespace

const PixelFont &drawnFont(FontFace face)
{
    static const PixelFont normal = readBuiltInFont(FontFace::Normal);
    static const PixelFont small = readBuiltInFont(FontFace::Small);
    return face == FontFace::Small ? small : normal;
}

bool parseIcons(QStringView source, QHash<QString, PixelBitmap> *icons, QString *error)
{
    QList<PixelBlock> blocks;
    if (!splitPixelBlocks(source, &blocks, error))
        return false;
    QHash<QString, PixelBitmap> result;
    for (const PixelBlock &block : std::as_const(blocks)) {
        if (block.keyword != u"icon") {
            *error = u"line %1: \"%2\" where an icon was expected"_s.arg(block.line).arg(block.keyword);
            return false;
        }
        if (result.contains(block.name)) {
            *error = u"icon '%1' (line %2) is drawn twice"_s.arg(block.name).arg(block.line);
            return false;
        }
        PixelBitmap bitmap;
        if (!bitmapFromRows(block, &bitmap, error))
            return false;
        result.insert(block.name, bitmap);
    }
    *icons = result;
    return true;
}

const QHash<QString, PixelBitmap> &builtInIcons()
{
    static const QHash<QString, PixelBitmap> icons = [] {
        QHash<QString, PixelBitmap> result;
        QString error;
        if (!parseIcons(iconSource(), &result, &error))
            qWarning("Logo icons: %s", qUtf8Printable(error));
        return result;
    }();
    return icons;
}

} // namespace brivello::logos
