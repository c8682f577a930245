#include "logos/pictures/LogoCatalogue.h"
#include "logos/pictures/LogoFonts.h"

#include <QFile>

using namespace Qt::StringLiterals;

// The pixel fonts, the icons and the logo list are text files a designer
// edits (sources/), compiled into the library as resources and read once.

namespace brivello::logos {

namespace {

QString readSource(const QString &name)
{
    QFile file(u":/logos/sources/"_s + name);
    // A source left out of the resources reads as empty; the parsers then
    // name what is missing.
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QStringView fontSource(FontFace face)
{
    static const QString normal = readSource(u"font-normal.txt"_s);
    static const QString small = readSource(u"font-small.txt"_s);
    return face == FontFace::Small ? QStringView(small) : QStringView(normal);
}

QStringView iconSource()
{
    static const QString source = readSource(u"icons.txt"_s);
    return source;
}

QStringView logoListSource()
{
    static const QString source = readSource(u"logos.txt"_s);
    return source;
}

} // namespace brivello::logos
