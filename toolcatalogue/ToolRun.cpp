#include "toolcatalogue/ToolRun.h"

#include "data/DiscPaths.h"

#include <QDir>
#include <QFileInfo>

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
    return QStringLiteral("Impossibile avviare il programma %1").arg(QDir::toNativeSeparators(program));
}

} // namespace

QString toolFolder(const ToolRecord &tool)
{
    return data::discPath(QStringLiteral("\\tools\\") + tool.dirname);
}

QString proposedInstallDir(const QString &dirname)
{
#ifdef Q_OS_WIN
    const QString programFilesFolder = QStringLiteral("c:\\program files\\");
    if (QFileInfo(programFilesFolder).isDir())
        return programFilesFolder + dirname;
#endif
    return QDir::homePath() + u'/' + dirname;
}

QString runTool(const platform::Platform &platform, const ToolRecord &tool)
{
    if (tool.name == u"Musicbox") {
        // Its own folder, whatever its record names: it finds its tunes there.
        const QString folder = data::discPath(QStringLiteral("\\tools\\Musicbox\\"));
        return startProgram(platform, data::discPath(folder, tool.start), folder);
    }
    const QString folder = data::programFolder();
    return startProgram(
        platform, data::discPath(QStringLiteral("\\tools\\") + tool.dirname + u'\\' + tool.start), folder);
}

} // namespace brivello::toolcatalogue
