#include "tools/mkdisc/DiscAssembly.h"

#include "data/SafeWrite.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

using namespace Qt::StringLiterals;

namespace brivello::mkdisc {

namespace {

const QString smsToolPath = u"tools/smartsms limited edition/smartsmsle.exe"_s;
constexpr QFileDevice::Permissions executable =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
    QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = u"%1: cannot create its folder"_s.arg(path);
        return false;
    }
    QString reason;
    if (!data::writeFileSafely(path, bytes, &reason)) {
        *error = u"%1: %2"_s.arg(path, reason);
        return false;
    }
    return true;
}

bool readFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = u"%1: %2"_s.arg(path, file.errorString());
        return false;
    }
    *bytes = file.readAll();
    return true;
}

bool copyFile(const QString &from, const QString &to, QString *error)
{
    QByteArray bytes;
    return readFile(from, &bytes, error) && writeFile(to, bytes, error);
}

bool copyProgram(const QString &from, const QString &to, QString *error)
{
    if (!copyFile(from, to, error))
        return false;
    if (!QFile::setPermissions(to, executable)) {
        *error = u"%1: cannot make it executable"_s.arg(to);
        return false;
    }
    return true;
}

const authoring::TableData *findTable(const DiscCatalogue &catalogue, const QString &name)
{
    for (const authoring::TableData &table : catalogue.tables) {
        if (table.name == name)
            return &table;
    }
    return nullptr;
}

// The recordings and pages go to datafiles/; anything there that this run
// did not write is a leftover of a ringtone or page that is gone.
class DatafilesWriter
{
public:
    explicit DatafilesWriter(const QString &folder) : m_folder(folder) {}

    // A file written by someone else that belongs to this run.
    void keep(const QString &name) { m_written.insert(name.toLower()); }

    bool write(const QString &name, const QByteArray &bytes, QString *error)
    {
        keep(name);
        return writeFile(m_folder + QLatin1Char('/') + name, bytes, error);
    }

    void removeLeftovers() const
    {
        const QStringList entries = QDir(m_folder).entryList(QDir::Files);
        for (const QString &entry : entries) {
            if (!m_written.contains(entry.toLower()))
                QFile::remove(m_folder + QLatin1Char('/') + entry);
        }
    }

private:
    QString m_folder;
    QSet<QString> m_written;
};

bool writeRecordings(const DiscCatalogue &catalogue, DatafilesWriter &datafiles, QString *error)
{
    for (const Recording &recording : catalogue.recordings) {
        if (!datafiles.write(recording.bestand + u".dat"_s, recordingOf(recording.melody), error))
            return false;
    }
    return true;
}

// Rich-text pages are kept as .rtf beside their sources; the program reads
// them as .dat files.
bool copyPages(const AssemblyInputs &inputs, DatafilesWriter &datafiles, QString *error)
{
    const QDir pages(inputs.sourceFolder + u"/pages"_s);
    const QStringList rtf = pages.entryList({u"*.rtf"_s}, QDir::Files, QDir::Name);
    for (const QString &name : rtf) {
        QByteArray bytes;
        if (!readFile(pages.filePath(name), &bytes, error) ||
            !datafiles.write(QFileInfo(name).completeBaseName() + u".dat"_s, bytes, error))
            return false;
    }
    const QString links = pages.filePath(u"links.htm"_s);
    if (QFileInfo::exists(links))
        return copyFile(links, inputs.discFolder + u"/links.htm"_s, error);
    return true;
}

struct ToolRow
{
    QString name, description, type, dirname, start;
};

std::vector<ToolRow> toolRows(const authoring::TableData &tools)
{
    auto index = [&](const QString &column) {
        for (std::size_t i = 0; i < tools.columns.size(); ++i) {
            if (tools.columns[i].name == column)
                return i;
        }
        return std::size_t(0);
    };
    const std::size_t name = index(u"toolnaam"_s), description = index(u"beschrijving"_s),
                      type = index(u"type"_s), dirname = index(u"dirname"_s), start = index(u"start"_s);
    std::vector<ToolRow> rows;
    for (const authoring::Row &row : tools.rows) {
        rows.push_back({row[name].value_or(QString()), row[description].value_or(QString()),
                        row[type].value_or(QString()), row[dirname].value_or(QString()),
                        row[start].value_or(QString())});
    }
    return rows;
}

bool copyToolSources(const QString &from, const QString &to, QString *error)
{
    const QStringList files = QDir(from).entryList(QDir::Files, QDir::Name);
    for (const QString &file : files) {
        if (!copyFile(from + QLatin1Char('/') + file, to + QLatin1Char('/') + file, error))
            return false;
    }
    return true;
}

// The program a tool started from the disc runs: its own when the disc has
// one, else the demo, which shows the first line of leggimi.txt.
QString programFor(const ToolRow &tool, const AssemblyInputs &inputs)
{
    return inputs.toolPrograms.value(tool.start.toLower(), inputs.toolDemo);
}

// A tool started from the disc gets its program under its own program name.
bool writeToolFolder(const ToolRow &tool, const QString &folder, const AssemblyInputs &inputs, QString *error)
{
    if (!QDir().mkpath(folder)) {
        *error = u"%1: cannot create it"_s.arg(folder);
        return false;
    }
    if (!copyToolSources(inputs.sourceFolder + u"/tools/"_s + tool.dirname, folder, error))
        return false;
    const QString readme = folder + u"/leggimi.txt"_s;
    if (!QFileInfo::exists(readme) &&
        !writeFile(readme, (tool.name + u": "_s + tool.description + QLatin1Char('\n')).toUtf8(), error))
        return false;
    const bool copyInstall = tool.type == QLatin1String("K");
    if (copyInstall)
        return true;
    return copyProgram(programFor(tool, inputs), folder + QLatin1Char('/') + tool.start, error);
}

bool writeTools(const DiscCatalogue &catalogue, const AssemblyInputs &inputs, QString *error)
{
    const QString toolsFolder = inputs.discFolder + u"/tools"_s;
    if (QFileInfo::exists(toolsFolder) && !QDir(toolsFolder).removeRecursively()) {
        *error = u"%1: cannot remove the previous tools"_s.arg(toolsFolder);
        return false;
    }
    const authoring::TableData *tools = findTable(catalogue, u"Tools"_s);
    if (tools) {
        for (const ToolRow &tool : toolRows(*tools)) {
            if (!writeToolFolder(tool, toolsFolder + QLatin1Char('/') + tool.dirname, inputs, error))
                return false;
            // The tool named Musicbox is always started from tools/Musicbox.
            if (tool.name == QLatin1String("Musicbox") && tool.type != QLatin1String("K") &&
                !writeToolFolder(tool, toolsFolder + u"/Musicbox"_s, inputs, error))
                return false;
        }
    }
    return copyProgram(inputs.smsTool, inputs.discFolder + QLatin1Char('/') + smsToolPath, error);
}

} // namespace

QByteArray recordingOf(const melody::Melody &tune)
{
    return melody::synthesizeWav(tune, recordingSampleRate);
}

bool assembleDisc(const DiscCatalogue &catalogue, const AssemblyInputs &inputs, QString *error)
{
    const QString datafilesFolder = inputs.discFolder + u"/datafiles"_s;
    if (!QDir().mkpath(datafilesFolder)) {
        *error = u"%1: cannot create it"_s.arg(datafilesFolder);
        return false;
    }
    DatafilesWriter datafiles(datafilesFolder);
    QString writeError;
    const QString database = u"ringtones.dat"_s;
    if (!authoring::writeJet4(datafilesFolder + QLatin1Char('/') + database, catalogue.tables, &writeError)) {
        *error = u"%1: %2"_s.arg(database, writeError);
        return false;
    }
    datafiles.keep(database);
    if (!writeRecordings(catalogue, datafiles, error) || !copyPages(inputs, datafiles, error))
        return false;
    datafiles.removeLeftovers();
    return writeTools(catalogue, inputs, error);
}

} // namespace brivello::mkdisc
