#include "logos/pictures/LogoCatalogue.h"
#include "logos/pictures/LogoFonts.h"

#include <QFile>

// The pixel fonts, the icons and the logo list are text files a designer
// edits (sources/), compiled into the library as resources and read once.

namespace brivello::logos {

namespace {

QString readSource(const QString &name)
{
    QFile file(QStringLiteral(":/logos/sources/") + name);
    // A source left out of the resources reads as empty; the parsers then
    // name what is missing.
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QStringView fontSource(FontFace face)
{
    static const QString normal = readSource(QStringLiteral("font-normal.txt"));
    static const QString small = readSource(QStringLiteral("font-small.txt"));
    return face == FontFace::Small ? QStringView(small) : QStringView(normal);
}

QStringView iconSource()
{
    static const QString source = readSource(QStringLiteral("icons.txt"));
    return source;
}

QStringView logoListSource()
{
    static const QString source = readSource(QStringLiteral("logos.txt"));
    return source;
}

} // namespace brivello::logos
