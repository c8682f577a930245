#include "tests/support/TestSupport.h"

#include <QDir>

namespace brivello::test {

QString sharedAccessDir()
{
    return QDir(qEnvironmentVariable("BRIVELLO_SHARED_DIR")).filePath(QStringLiteral("testdata/access"));
}

} // namespace brivello::test
