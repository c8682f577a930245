#include "ringtones/shared/SearchMethod.h"

#include <array>
#include <utility>

namespace brivello::ringtones::shared {

namespace {

constexpr std::array<std::pair<SearchMethod, const char16_t *>, 6> texts{{
    {SearchMethod::Title, u"Titolo"},
    {SearchMethod::Artist, u"Artista"},
    {SearchMethod::TitleArtist, u"Titolo + Artista"},
    {SearchMethod::Genre, u"Genere"},
    {SearchMethod::ArtistGenre, u"Artista + Genere"},
    {SearchMethod::TitleGenre, u"Titolo + Genere"},
}};

} // namespace

SearchMethod searchMethod(const QString &text)
{
    for (const auto &[method, name] : texts)
        if (text == QStringView(name))
            return method;
    return SearchMethod::Unknown;
}

QString methodText(SearchMethod method)
{
    for (const auto &[known, name] : texts)
        if (known == method)
            return QString::fromUtf16(name);
    return {};
}

SearchBoxes boxesFor(SearchMethod method)
{
    switch (method) {
    case SearchMethod::Title:
    case SearchMethod::Artist:
        return {true, false, false, false};
    case SearchMethod::TitleArtist:
        return {false, true, true, false};
    case SearchMethod::Genre:
        return {false, false, false, true};
    case SearchMethod::ArtistGenre:
        return {false, true, false, true};
    case SearchMethod::TitleGenre:
        return {false, false, true, true};
    case SearchMethod::Unknown:
        break;
    }
    return {};
}

} // namespace brivello::ringtones::shared
