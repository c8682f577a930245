#pragma once

#include <QString>

namespace brivello::data {

// What the first pages of a file say about it, checked before libmdb sees the
// file: libmdb trusts what it reads, and an empty, foreign or cut-off file
// must end in a clear error rather than in a crash.
struct AccessHeader
{
    enum class Format { Jet3, Jet4, Ace };

    Format format = Format::Jet4;
    int versionByte = 0;
    qint64 pageSize = 0;
    qint64 pageCount = 0;

    // Throws CatalogueError (Missing, NotAccess or Damaged) naming `path`.
    static AccessHeader read(const QString &path);
};

} // namespace brivello::data
