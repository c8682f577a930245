#pragma once

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace brivello::test {

// testdata/access below the shared folder the build was pointed at
// (BRIVELLO_SHARED_DIR, by default ../shared beside the checkout): the real
// Access files made by others.
QString sharedAccessDir();
// Why a test that reads those files cannot run here.
QString missingSharedAccessReason();

// Sets an environment variable (or removes it, given no value) for as long as
// the guard lives, and puts back what was there before, also when the test
// fails half-way.
class EnvironmentGuard
{
public:
    EnvironmentGuard(const char *name, std::optional<QByteArray> value);
    ~EnvironmentGuard();
    EnvironmentGuard(const EnvironmentGuard &) = delete;
    EnvironmentGuard &operator=(const EnvironmentGuard &) = delete;

private:
    const char *m_name;
    std::optional<QByteArray> m_before;
};

// The process's current directory, put back when the guard goes.
class CurrentDirectoryGuard
{
public:
    CurrentDirectoryGuard();
    ~CurrentDirectoryGuard();
    CurrentDirectoryGuard(const CurrentDirectoryGuard &) = delete;
    CurrentDirectoryGuard &operator=(const CurrentDirectoryGuard &) = delete;

private:
    QString m_before;
};

// Points the program folder at `folder` while the guard lives.
class ProgramFolderGuard
{
public:
    explicit ProgramFolderGuard(const QString &folder);
    ~ProgramFolderGuard();
    ProgramFolderGuard(const ProgramFolderGuard &) = delete;
    ProgramFolderGuard &operator=(const ProgramFolderGuard &) = delete;

private:
    QString m_before;
};

// tests/data/damaged/<name> of the source tree: catalogues damaged the way a
// read error on a disc damages them, kept as regression cases.
QString damagedCatalogue(const QString &name);

} // namespace brivello::test

// Skips the running test function, saying what it looked for, unless
// `condition` holds. Where the environment variable `mandatory` is set (CI
// sets it), a missing requirement fails the test instead: what CI is meant to
// run never passes there by being skipped.
#define BRIVELLO_SKIP_UNLESS(condition, mandatory, reason)                                                   \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            const QString brivelloReason_ = (reason);                                                        \
            if (qEnvironmentVariableIsSet(mandatory))                                                        \
                QFAIL(qPrintable(brivelloReason_ + u" (" mandatory " is set: no skipping)"_s));              \
            QSKIP(qPrintable(brivelloReason_));                                                              \
        }                                                                                                    \
    } while (false)

// Skips unless the Access files made by others are there.
#define BRIVELLO_NEEDS_SHARED_ACCESS()                                                                       \
    BRIVELLO_SKIP_UNLESS(QFileInfo(::brivello::test::sharedAccessDir()).isDir(), "BRIVELLO_REQUIRE_SHARED",  \
                         ::brivello::test::missingSharedAccessReason())
