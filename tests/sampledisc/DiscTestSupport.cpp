#include "DiscTestSupport.h"

#include "data/DiscPaths.h"

namespace brivello::test {

QString testDisc()
{
    return qEnvironmentVariable("BRIVELLO_TEST_DISC");
}

QString sampleDiscSources()
{
    return qEnvironmentVariable("BRIVELLO_SOURCE_DIR") + QStringLiteral("/sampledisc");
}

QString onDisc(const QString &relative)
{
    return data::discPath(testDisc(), relative);
}

} // namespace brivello::test
