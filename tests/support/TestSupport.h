#pragma once

#include <QString>

namespace brivello::test {

// ../shared/testdata/access, the real Access files made by others.
QString sharedAccessDir();

} // namespace brivello::test
