#pragma once

// The search methods the catalogue's Zoekmet table offers. The catalogue
// names them in Italian; the code works with the enum, read from the text
// once where the combo box hands it over.

#include <QString>

namespace brivello::ringtones::shared {

enum class SearchMethod {
    Title,       // "Titolo"
    Artist,      // "Artista"
    TitleArtist, // "Titolo + Artista"
    Genre,       // "Genere"
    ArtistGenre, // "Artista + Genere"
    TitleGenre,  // "Titolo + Genere"
    Unknown,     // any other text a catalogue may hold: searches nothing
};

// The method a text names, exactly as the catalogue spells it.
SearchMethod searchMethod(const QString &text);
// The catalogue's text for a method; empty for Unknown.
QString methodText(SearchMethod method);

// Which boxes of the search row a method shows.
struct SearchBoxes
{
    bool text = false;
    bool artist = false;
    bool title = false;
    bool genre = false;
};
SearchBoxes boxesFor(SearchMethod method);

} // namespace brivello::ringtones::shared
