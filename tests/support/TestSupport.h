#pragma once

#include <QString>

namespace brivello::test {

// ../shared/testdata/access, the real Access files made by others.
QString sharedAccessDir();

// tests/data/damaged/<name> of the source tree: catalogues damaged the way a
// read error on a disc damages them, kept as regression cases.
QString damagedCatalogue(const QString &name);

} // namespace brivello::test
