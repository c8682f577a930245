#pragma once

#include "authoring/Jet4Writer.h"
#include "ringtones/melody/Melody.h"

#include <QString>

#include <vector>

namespace brivello::mkdisc {

// A ringtone's recording to be made: its file's base name and its melody.
struct Recording
{
    QString bestand;
    melody::Melody melody;
};

// The catalogue of the disc, made from the author's text sources: the five
// tables ready for the Access writer, and the recordings `Main` names.
struct DiscCatalogue
{
    std::vector<authoring::TableData> tables;
    std::vector<Recording> recordings;
    QStringList warnings; // what the RTTTL reader mended, per ringtone
};

// Reads Main.tsv, Genres.tsv, Zoekmethodes.tsv, Rubrieken.tsv and Tools.tsv
// from `folder`. Main.tsv holds song, artiest, Genre, bestand and bieps; the
// five phone codes, aantalnoten and tempo are derived from bieps. Every rule
// the windows rely on is checked here, so a mistake in the sources stops the
// build with its file and line instead of reaching the disc.
bool buildCatalogue(const QString &folder, DiscCatalogue *catalogue, QString *error);

} // namespace brivello::mkdisc
