#pragma once

#include <QString>

namespace brivello::test {

// The assembled sample disc (BRIVELLO_TEST_DISC) and the sources it is made
// from (BRIVELLO_SOURCE_DIR/sampledisc).
QString testDisc();
QString sampleDiscSources();

// `relative` below the disc, matched without regard to letter case.
QString onDisc(const QString &relative);

} // namespace brivello::test
