#include "tests/support/TestSupport.h"

#include <QDir>

namespace brivello::test {

QString sharedAccessDir()
{
    return QDir(qEnvironmentVariable("BRIVELLO_SHARED_DIR")).filePath(QStringLiteral("testdata/access"));
}

QString damagedCatalogue(const QString &name)
{
    return QDir(qEnvironmentVariable("BRIVELLO_SOURCE_DIR"))
        .filePath(QStringLiteral("tests/data/damaged/") + name);
}

} // namespace brivello::test
