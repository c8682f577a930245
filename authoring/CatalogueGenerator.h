#pragma once

// Synthetic catalogues of any size for benchmarks and scale tests. The same
// seed always gives the same catalogue, and any ringtone can be made on its
// own from its index, so a test can check row 777,777 without the others.

#include "authoring/CatalogueSchema.h"

#include <cstdint>

namespace brivello::authoring {

struct GeneratorOptions
{
    qint64 ringtones = 10000;
    uint64_t seed = 1;
};

class CatalogueGenerator
{
public:
    static constexpr qint64 MinRingtones = 10000;
    static constexpr qint64 MaxRingtones = 1000000;

    explicit CatalogueGenerator(const GeneratorOptions &options);

    qint64 ringtoneCount() const { return m_options.ringtones; }
    // The row of `Main` at `index` (0-based), in the schema's column order.
    Row ringtone(qint64 index) const;
    // Genres, Zoekmethodes, Rubrieken and Tools.
    std::vector<TableData> smallTables() const;
    // All five tables in schema order, `Main` made row by row as it is written.
    // The sources refer to this generator and to `small`, which must outlive them.
    std::vector<TableSource> sources(const std::vector<TableData> &small) const;

    // Every genre a ringtone may have, the rows of `Genres`.
    static QStringList genres();

private:
    GeneratorOptions m_options;
};

// Generates a catalogue and writes it to `path` (atomically, see writeJet4).
bool writeGeneratedCatalogue(const QString &path, const GeneratorOptions &options, QString *error = nullptr);

} // namespace brivello::authoring
