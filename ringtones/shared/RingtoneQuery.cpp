#include "ringtones/shared/RingtoneQuery.h"

#include "data/Criteria.h"

using namespace Qt::StringLiterals;

namespace brivello::ringtones::shared {

namespace {

// A typed text between quotes: its quotes doubled, its pattern characters
// left to act as patterns.
QString quoted(const QString &text)
{
    return data::quoteLiteral(text);
}

// U with the first occurrence of `word` replaced, or an empty text when U
// does not hold the word.
QString withFirstReplaced(const QString &upper, const QString &word, const QString &replacement)
{
    const qsizetype position = upper.indexOf(word);
    if (position < 0)
        return {};
    return upper.left(position) + replacement + upper.mid(position + word.size());
}

QString artistPrefix(const QString &pattern)
{
    return u"artiest like '"_s + quoted(pattern) + u"*'"_s;
}

QString titlePrefix(const QString &pattern)
{
    return u"song like '"_s + quoted(pattern) + u"*'"_s;
}

class SearchPasses
{
public:
    explicit SearchPasses(SearchRow &row) : m_row(row) {}

    int run()
    {
        searchGenre();
        searchSoldara();
        searchTitleAndArtist();
        searchOneField();
        searchTitleAndGenre();
        searchArtistAndGenre();
        return m_found;
    }

private:
    void addMatches(const QString &criteria) { m_found += m_row.addMatches(criteria); }
    void searchGenre();
    void searchSoldara();
    void searchTitleAndArtist();
    void searchOneField();
    void searchArtist(const QString &text);
    void searchTitleAndGenre();
    void searchArtistAndGenre();
    void searchNameVariants();
    void moveArtistToOneField();
    void moveTitleToOneField();

    SearchRow &m_row;
    int m_found = 0;
};

// The Genre field can hold several genres separated by "/": the three passes
// find the genre as the last, the first or the only one.
void SearchPasses::searchGenre()
{
    const QString chosen = m_row.genre();
    if (m_row.method() != SearchMethod::Genre || chosen.isEmpty())
        return;
    const QString g = quoted(chosen);
    addMatches(u"Genre like '*/"_s + g + u"'"_s);
    addMatches(u"Genre like '"_s + g + u"/*'"_s);
    addMatches(u"Genre = '"_s + g + u"'"_s);
}

// The catalogue spells one artist's name in two ways; whoever types one
// finds the other too, whatever the method.
void SearchPasses::searchSoldara()
{
    const QString pattern = withFirstReplaced(m_row.text().toUpper(), u"SOLDARA"_s, u"SOLDRA"_s);
    if (!pattern.isEmpty())
        addMatches(artistPrefix(pattern));
}

// A two-field method with one field filled goes on as the one-field search
// of that field, with the text moved into the single box.
void SearchPasses::moveArtistToOneField()
{
    m_row.setText(m_row.artist());
    m_row.clearArtist();
    m_row.showOneField(SearchMethod::Artist);
}

void SearchPasses::moveTitleToOneField()
{
    m_row.setText(m_row.title());
    m_row.clearTitle();
    m_row.showOneField(SearchMethod::Title);
}

void SearchPasses::searchTitleAndArtist()
{
    if (m_row.method() != SearchMethod::TitleArtist)
        return;
    const QString artist = m_row.artist();
    const QString title = m_row.title();
    if (!artist.isEmpty() && !title.isEmpty())
        addMatches(titlePrefix(title.toUpper()) + u" and "_s + artistPrefix(artist.toUpper()));
    else if (!artist.isEmpty())
        moveArtistToOneField();
    else if (!title.isEmpty())
        moveTitleToOneField();
}

void SearchPasses::searchOneField()
{
    const QString text = m_row.text();
    if (text.isEmpty())
        return;
    if (m_row.method() == SearchMethod::Title) {
        addMatches(titlePrefix(text.toUpper()));
        searchNameVariants();
    } else if (m_row.method() == SearchMethod::Artist) {
        searchArtist(text);
    }
}

void SearchPasses::searchArtist(const QString &text)
{
    addMatches(artistPrefix(text.toUpper()));
    // A short text would be found inside too many names.
    if (text.size() > 3 && m_found == 0)
        addMatches(u"artiest like '*"_s + quoted(text.toUpper()) + u"*'"_s);
    searchNameVariants();
}

void SearchPasses::searchTitleAndGenre()
{
    if (m_row.method() != SearchMethod::TitleGenre)
        return;
    const QString title = m_row.title();
    const QString chosen = m_row.genre();
    if (!title.isEmpty() && !chosen.isEmpty()) {
        addMatches(titlePrefix(title.toUpper()) + u" and Genre like '"_s + quoted(chosen.toUpper()) +
                   u"*'"_s);
    } else if (!chosen.isEmpty()) {
        addMatches(u"Genre like '*"_s + quoted(chosen) + u"*'"_s);
        m_row.showGenre();
    } else {
        if (!title.isEmpty()) {
            addMatches(titlePrefix(title.toUpper()));
            searchNameVariants();
        }
        m_row.showOneField(SearchMethod::Title);
    }
}

// Built like "Titolo + Genere": artist prefix and genre prefix together; a
// genre alone searches the genre, an artist alone searches as "Artista".
void SearchPasses::searchArtistAndGenre()
{
    if (m_row.method() != SearchMethod::ArtistGenre)
        return;
    const QString artist = m_row.artist();
    const QString chosen = m_row.genre();
    if (!artist.isEmpty() && !chosen.isEmpty()) {
        addMatches(artistPrefix(artist.toUpper()) + u" and Genre like '"_s + quoted(chosen.toUpper()) +
                   u"*'"_s);
    } else if (!chosen.isEmpty()) {
        addMatches(u"Genre like '*"_s + quoted(chosen) + u"*'"_s);
        m_row.showGenre();
    } else if (!artist.isEmpty()) {
        moveArtistToOneField();
        searchArtist(m_row.text());
    } else {
        m_row.showOneField(SearchMethod::Artist);
    }
}

// Always in the artist field and always from the single box, whatever the
// method, also after a title search.
void SearchPasses::searchNameVariants()
{
    static const struct
    {
        const char16_t *word;
        const char16_t *replacement;
    } variants[] = {{u"I", u"Y"}, {u"Y", u"I"}, {u"SOLDARA", u"SOLDRA"}, {u"SOLDRA", u"SOLDARA"}};
    const QString upper = m_row.text().toUpper();
    for (const auto &variant : variants) {
        const QString pattern = withFirstReplaced(upper, QString::fromUtf16(variant.word),
                                                  QString::fromUtf16(variant.replacement));
        if (!pattern.isEmpty())
            addMatches(artistPrefix(pattern));
    }
}

} // namespace

int runSearchPasses(SearchRow &row)
{
    return SearchPasses(row).run();
}

} // namespace brivello::ringtones::shared
