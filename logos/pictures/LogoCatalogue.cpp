#include "logos/pictures/LogoCatalogue.h"

#include "logos/pictures/LogoRenderer.h"

#include <QDebug>

using namespace Qt::StringLiterals;

namespace brivello::logos {

namespace {

struct CategoryNames
{
    Category category;
    QStringView name;
    QStringView imageList;
};

constexpr std::array<CategoryNames, 5> Names = {{
    {Category::Amore, u"Amore", u"imgLiefde"},
    {Category::Persone, u"Persone", u"imgBody"},
    {Category::Animali, u"Animali", u"imgDieren"},
    {Category::Testi, u"Testi", u"imgNamen"},
    {Category::ViaggiVacanze, u"Viaggi & Vacanze", u"imgLand"},
}};

const CategoryNames &namesOf(Category category)
{
    return Names.at(std::size_t(category));
}

QImage blankLogo()
{
    QImage image(LogoWidth, LogoHeight, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    return image;
}

} // namespace

// A line the tests would have refused still yields a logo, blank, so that
// the numbering of the rest of the list holds.
QList<QImage> drawLogoList(Category category)
{
    QStringList lines;
    QString error;
    if (!readLogoList(logoListSource(), category, &lines, &error))
        qWarning("Logo list: %s", qUtf8Printable(error));
    QList<QImage> images;
    images.reserve(lines.size());
    for (const QString &line : std::as_const(lines)) {
        LogoDefinition definition;
        QImage image = blankLogo();
        if (!parseLogoDefinition(line, &definition, &error) || !renderLogo(definition, &image, &error))
            qWarning("Logo %s: %s", qUtf8Printable(line), qUtf8Printable(error));
        images.append(image);
    }
    return images;
}

namespace {

using LogoLists = std::array<QList<QImage>, 5>;

const LogoLists &allLogoLists()
{
    static const LogoLists lists = [] {
        LogoLists result;
        for (Category category : AllCategories)
            result.at(std::size_t(category)) = drawLogoList(category);
        return result;
    }();
    return lists;
}

} // namespace

const QList<QImage> &logoList(Category category)
{
    return allLogoLists().at(std::size_t(category));
}

int logoCount(Category category)
{
    return int(logoList(category).size());
}

QImage logoImage(Category category, int number)
{
    const QList<QImage> &logos = logoList(category);
    return number >= 1 && number <= logos.size() ? logos.at(number - 1) : QImage();
}

std::optional<Category> categoryFromName(QStringView groep)
{
    for (const CategoryNames &names : Names) {
        if (names.name == groep)
            return names.category;
    }
    return std::nullopt;
}

QString categoryName(Category category)
{
    return namesOf(category).name.toString();
}

QString imageListName(Category category)
{
    return namesOf(category).imageList.toString();
}

std::optional<Category> categoryFromImageListName(QStringView name)
{
    for (const CategoryNames &names : Names) {
        if (names.imageList == name)
            return names.category;
    }
    return std::nullopt;
}

bool readLogoList(QStringView source, Category category, QStringList *lines, QString *error)
{
    lines->clear();
    std::optional<Category> current;
    int lineNumber = 0;
    for (QStringView rawLine : source.tokenize(u'\n')) {
        ++lineNumber;
        const QStringView line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = categoryFromName(line.mid(1, line.size() - 2));
            if (!current) {
                *error = u"line %1: %2 names no category"_s.arg(lineNumber).arg(line);
                return false;
            }
            continue;
        }
        if (!current) {
            *error = u"line %1: a logo before any category"_s.arg(lineNumber);
            return false;
        }
        if (*current == category)
            lines->append(line.toString());
    }
    return true;
}

} // namespace brivello::logos
