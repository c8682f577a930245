#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace brivello::logos {

// The five categories of the gallery, in the order of the catalogue's table.
enum class Category { Amore, Persone, Animali, Testi, ViaggiVacanze };

inline constexpr std::array<Category, 5> AllCategories = {
    Category::Amore, Category::Persone, Category::Animali, Category::Testi, Category::ViaggiVacanze};

// The logos of a category, 72 x 14 and two-coloured, in list order; their
// users number them from 1. Every list is drawn the first time any is asked
// for and kept for the rest of the run.
const QList<QImage> &logoList(Category category);
int logoCount(Category category);
// Logo `number` (from 1) of a category; a null image for a number outside
// the list, which an export takes as nothing to write.
QImage logoImage(Category category, int number);
// Draws the logos of a category anew from the logo list, without keeping them.
QList<QImage> drawLogoList(Category category);

// The category a name of the catalogue's "Groep" field stands for: "Amore",
// "Persone", "Animali", "Testi" or "Viaggi & Vacanze", letter for letter.
std::optional<Category> categoryFromName(QStringView groep);
QString categoryName(Category category);

// The name of a category's image list ("imgLiefde", "imgBody", "imgDieren",
// "imgNamen", "imgLand") and back, letter for letter.
QString imageListName(Category category);
std::optional<Category> categoryFromImageListName(QStringView name);

// The logo list as a designer writes it: a "[<category name>]" heading, then
// one line per logo (see LogoDefinition.h). Blank lines and lines starting
// with ';' are ignored.
QStringView logoListSource();
// The lines of one category in `source`, in order. False with a message when
// a heading names no category or a line stands before any heading.
bool readLogoList(QStringView source, Category category, QStringList *lines, QString *error);

} // namespace brivello::logos
