#include "toolcatalogue/ToolRun.h"

#include "data/DiscPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace brivello::toolcatalogue {

namespace {

QString startProgram(const platform::Platform &platform, const QString &program, const QString &folder)
{
    platform.currentDirectory->set(folder);
    const QFileInfo file(program);
    const bool startable = file.isFile() && file.isExecutable() &&
                           platform.programStarter->start(file.absoluteFilePath(), {}, folder);
    if (startable)
        return {};
    return u"Impossibile avviare il programma %1"_s.arg(QDir::toNativeSeparators(program));
}

// The user's own folder. Without HOME Qt answers the root, where the user
// may not write: the account's home from the password database is asked
// then. Empty when neither is a folder the user can write.
QString userHomeFolder()
{
    QStringList candidates;
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty())
        candidates << home;
    if (const passwd *account = ::getpwuid(::getuid()); account && account->pw_dir)
        candidates << QFile::decodeName(account->pw_dir);
    for (const QString &candidate : candidates) {
        const QFileInfo folder(candidate);
        if (folder.isAbsolute() && folder.isDir() && folder.isWritable())
            return QDir::cleanPath(candidate);
    }
    return {};
}

} // namespace

QString toolFolder(const ToolRecord &tool)
{
    return data::discPath(u"\\tools\\"_s + tool.dirname);
}

QString proposedInstallDir(const QString &dirname)
{
#ifdef Q_OS_WIN
    const QString programFilesFolder = u"c:\\program files\\"_s;
    if (QFileInfo(programFilesFolder).isDir())
        return programFilesFolder + dirname;
#endif
    const QString home = userHomeFolder();
    return home.isEmpty() || !data::staysBelow(dirname) ? QString() : QDir(home).filePath(dirname);
}

QString runTool(const platform::Platform &platform, const ToolRecord &tool)
{
    for (const QString &name : {tool.dirname, tool.start}) {
        if (!data::staysBelow(name))
            return data::climbsOutMessage(name);
    }
    if (tool.name == u"Musicbox") {
        // Its own folder, whatever its record names: it finds its tunes there.
        const QString folder = data::discPath(u"\\tools\\Musicbox\\"_s);
        return startProgram(platform, data::discPath(folder, tool.start), folder);
    }
    const QString folder = data::programFolder();
    return startProgram(platform, data::discPath(u"\\tools\\"_s + tool.dirname + u'\\' + tool.start), folder);
}

} // namespace brivello::toolcatalogue
