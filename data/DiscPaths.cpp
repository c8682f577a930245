#include "data/DiscPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace brivello::data {

namespace {

QString &programFolderOverride()
{
    static QString folder;
    return folder;
}

// The entry of `dir` whose name equals `name` without regard to letter case;
// an exact match wins over a case-folded one.
QString matchEntry(const QString &dir, const QString &name)
{
    if (QFileInfo::exists(dir + QLatin1Char('/') + name))
        return name;
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

} // namespace

QString programFolder()
{
    if (!programFolderOverride().isEmpty())
        return programFolderOverride();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString &folder)
{
    programFolderOverride() = folder;
}

QString discPath(const QString &folder, const QString &relative)
{
    QString normalised = relative;
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = normalised.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    QString path = QDir::cleanPath(folder.isEmpty() ? u"."_s : folder);
    bool onDisk = QFileInfo(path).isDir();
    for (const QString &part : parts) {
        if (part == QLatin1String("."))
            continue;
        QString name = part;
        if (onDisk && part != QLatin1String("..")) {
            const QString match = matchEntry(path, part);
            if (match.isEmpty())
                onDisk = false;
            else
                name = match;
        }
        path = path.endsWith(QLatin1Char('/')) ? path + name : path + QLatin1Char('/') + name;
    }
    return QDir::cleanPath(path);
}

QString discPath(const QString &relative)
{
    return discPath(programFolder(), relative);
}

bool staysBelow(QStringView name)
{
    for (const QStringView component : name.tokenize(u'\\')) {
        for (const QStringView part : component.tokenize(u'/')) {
            if (part == u"..")
                return false;
        }
    }
    return true;
}

QString climbsOutMessage(const QString &name)
{
    return u"Il catalogo indica un percorso che esce dalla cartella del programma: «%1»."_s.arg(name);
}

} // namespace brivello::data
