#pragma once

#include <QString>
#include <QStringList>

#include <vector>

using namespace Qt::StringLiterals;

namespace brivello::test {

// One ringtone of a test catalogue; the phone codes and the ringtone text are
// made from the title.
struct TestRingtone
{
    QString song;
    QString artist;
    QString genre;
    QString file;
};

struct TestCatalogue
{
    std::vector<TestRingtone> ringtones;
    bool withMainTable = true;
    QStringList genres{u"Pop"_s, u"Rock"_s, u"Dance"_s};
    QStringList methods{u"Artista"_s, u"Titolo"_s,           u"Titolo + Artista"_s,
                        u"Genere"_s,  u"Artista + Genere"_s, u"Titolo + Genere"_s};
    // The Groep values of Rubrieken, the logo categories.
    QStringList categories{u"Persone"_s, u"Amore"_s, u"Sport"_s};
    // Fields the catalogue is written without, as "Table.field" ("Main.bieps").
    QStringList leftOut;
};

// A few ringtones of different artists and genres.
std::vector<TestRingtone> sampleRingtones();

// Writes a disc into `folder`: datafiles/ringtones.dat with the tables Main,
// Genres, Zoekmethodes, Rubrieken and Tools. Returns false and sets *error
// when the catalogue could not be written.
bool writeTestDisc(const QString &folder, const TestCatalogue &catalogue, QString *error);

// Zeroes, in the Access file at `path`, the one data page that holds `text`
// (a value only one table has), as a read error on a disc does. Returns false
// and sets *error when no page or more than one holds it.
bool zeroPageHolding(const QString &path, const QString &text, QString *error);

} // namespace brivello::test
