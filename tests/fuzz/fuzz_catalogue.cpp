// Fuzz target: a catalogue file made of the fuzzer's bytes, opened and read
// as the program does from its start to the first search, then every table
// read whole. Every outcome is fine but two: a crash (or a sanitizer's
// report), and a failure that is not a CatalogueError, which the windows would
// show as an unexpected error rather than as a damaged catalogue.

#include "data/CatalogueError.h"
#include "data/Criteria.h"
#include "data/MdbFile.h"
#include "tests/fuzz/CatalogueWalk.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<QTemporaryDir> folder;

QString catalogueFile()
{
    return folder->filePath(u"ringtones.dat"_s);
}

[[noreturn]] void unexpected(const char *step, const char *what)
{
    std::fprintf(stderr, "catalogue fuzz: %s failed with an unexpected error: %s\n", step, what);
    std::abort();
}

template <typename Step> void expectCatalogueErrorAtMost(const char *name, Step step)
{
    try {
        step();
    } catch (const brivello::data::CatalogueError &error) {
        // For looking at a saved input: what the user would be told.
        if (qEnvironmentVariableIsSet("BRIVELLO_FUZZ_VERBOSE"))
            std::fprintf(stderr, "%s: %s\n", name, qPrintable(error.message()));
        if (error.message().isEmpty())
            unexpected(name, "a catalogue error without a message");
    } catch (const std::exception &error) {
        unexpected(name, error.what());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Small value buffers keep each run quick under the sanitizers, and a
    // long text then takes the road of the read again with a larger one.
    brivello::data::MdbFile::setInitialBindSize(4096);
    folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid()) {
        std::fprintf(stderr, "catalogue fuzz: no temporary folder\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    {
        QFile file(catalogueFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size)) !=
                static_cast<qint64>(size)) {
            std::fprintf(stderr, "catalogue fuzz: cannot write %s\n", qPrintable(catalogueFile()));
            std::abort();
        }
    }
    expectCatalogueErrorAtMost("start-up and first search",
                               [] { brivello::fuzz::startUpAndFirstSearch(catalogueFile()); });
    expectCatalogueErrorAtMost("reading every table",
                               [] { brivello::fuzz::readEveryTable(catalogueFile()); });
    return 0;
}
