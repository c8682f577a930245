#include "tests/support/TestSupport.h"

#include "data/DiscPaths.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace brivello::test {

QString sharedAccessDir()
{
    const QString shared = qEnvironmentVariable("BRIVELLO_SHARED_DIR");
    return QDir::cleanPath(
        QDir(shared.isEmpty() ? u"../shared"_s : shared).absoluteFilePath(u"testdata/access"_s));
}

QString missingSharedAccessReason()
{
    return u"the Access files made by others are not in %1 "
           "(configure with -DBRIVELLO_SHARED_DIR=<folder holding testdata/access>)"_s.arg(sharedAccessDir());
}

EnvironmentGuard::EnvironmentGuard(const char *name, std::optional<QByteArray> value) : m_name(name)
{
    if (qEnvironmentVariableIsSet(name))
        m_before = qgetenv(name);
    if (value)
        qputenv(name, *value);
    else
        qunsetenv(name);
}

EnvironmentGuard::~EnvironmentGuard()
{
    if (m_before)
        qputenv(m_name, *m_before);
    else
        qunsetenv(m_name);
}

CurrentDirectoryGuard::CurrentDirectoryGuard() : m_before(QDir::currentPath()) {}

CurrentDirectoryGuard::~CurrentDirectoryGuard()
{
    QDir::setCurrent(m_before);
}

ProgramFolderGuard::ProgramFolderGuard(const QString &folder) : m_before(data::programFolder())
{
    data::setProgramFolder(folder);
}

ProgramFolderGuard::~ProgramFolderGuard()
{
    data::setProgramFolder(m_before);
}

QString damagedCatalogue(const QString &name)
{
    return QDir(qEnvironmentVariable("BRIVELLO_SOURCE_DIR")).filePath(u"tests/data/damaged/"_s + name);
}

} // namespace brivello::test
