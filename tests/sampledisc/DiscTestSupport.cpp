#include "DiscTestSupport.h"

#include "data/DiscPaths.h"

using namespace Qt::StringLiterals;

namespace brivello::test {

QString testDisc()
{
    return qEnvironmentVariable("BRIVELLO_TEST_DISC");
}

QString sampleDiscSources()
{
    return qEnvironmentVariable("BRIVELLO_SOURCE_DIR") + u"/sampledisc"_s;
}

QString onDisc(const QString &relative)
{
    return data::discPath(testDisc(), relative);
}

} // namespace brivello::test
