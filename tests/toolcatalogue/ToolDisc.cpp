#include "tests/toolcatalogue/ToolDisc.h"

#include "authoring/Jet4Writer.h"

#include <QDir>
#include <QFile>

namespace brivello::test {

namespace {

using authoring::ColumnType;
using authoring::Row;
using authoring::TableData;

TableData toolsTable()
{
    TableData table{QStringLiteral("Tools"), {}, {}};
    for (const char *name :
         {"toolnaam", "imgnr", "telefoon", "tooltype", "medium", "beschrijving", "type", "dirname", "start"})
        table.columns.push_back({QString::fromLatin1(name), ColumnType::Text, 255});
    table.columns[1].type = ColumnType::Long;
    for (const TestTool &tool : testTools()) {
        table.rows.push_back(
            Row{tool.name, QString::number(tool.imgnr), QStringLiteral("Telefoni di ") + tool.name,
                QStringLiteral("Tipo di ") + tool.name, QStringLiteral("Medium di ") + tool.name,
                QStringLiteral("Descrizione di ") + tool.name, tool.type, tool.dirname, tool.start});
    }
    return table;
}

bool writeFile(const QString &path, const QByteArray &contents, bool executable = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return false;
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return true;
}

bool writeToolFile(const QDir &tools, const QString &dirname, const QString &name, bool executable = false)
{
    return tools.mkpath(dirname) &&
           writeFile(tools.filePath(dirname + u'/' + name), toolFileContents(dirname, name), executable);
}

bool writeToolFolders(const QDir &tools)
{
    bool ok = true;
    for (const char *name : {"b.txt", "A.txt", "c.dat", ".nascosto"})
        ok = ok && writeToolFile(tools, QStringLiteral("primo kit"), QString::fromLatin1(name));
    ok = ok && writeToolFile(tools, QStringLiteral("primo kit/sotto"), QStringLiteral("dentro.txt"));
    ok = ok && writeToolFile(tools, QStringLiteral("avvio"), QStringLiteral("avvio.sh"), true);
    ok = ok && writeToolFile(tools, QStringLiteral("Musicbox"), QStringLiteral("musicbox.sh"), true);
    ok = ok && writeToolFile(tools, QStringLiteral("altro"), QStringLiteral("musicbox.sh"), true);
    ok = ok && writeToolFile(tools, QStringLiteral("minuscolo"), QStringLiteral("min.sh"), true);
    ok = ok && writeToolFile(tools, QStringLiteral("secondo kit"), QStringLiteral("secondo.txt"));
    for (int file = 0; file < 300 && ok; ++file)
        ok = writeToolFile(tools, QStringLiteral("grande"),
                           QStringLiteral("file%1.txt").arg(file, 3, 10, QChar(u'0')));
    ok = ok && tools.mkpath(QStringLiteral("vuoto"));
    ok = ok && tools.mkpath(QStringLiteral("mancante"));
    ok = ok && writeToolFile(tools, QStringLiteral("artagnan"), QStringLiteral("dart.sh"), true);
    return ok;
}

} // namespace

std::vector<TestTool> testTools()
{
    return {
        {QStringLiteral("Primo Kit"), 2, QStringLiteral("K"), QStringLiteral("primo kit"),
         QStringLiteral("A.txt")},
        {QStringLiteral("Avvio"), 5, QStringLiteral("S"), QStringLiteral("avvio"),
         QStringLiteral("avvio.sh")},
        {QStringLiteral("Musicbox"), 3, QStringLiteral("P"), QStringLiteral("altro"),
         QStringLiteral("musicbox.sh")},
        {QStringLiteral("Minuscolo"), 4, QStringLiteral("k"), QStringLiteral("minuscolo"),
         QStringLiteral("min.sh")},
        {QStringLiteral("Secondo Kit"), 6, QStringLiteral("K"), QStringLiteral("secondo kit"), QString()},
        {QStringLiteral("Grande"), 31, QStringLiteral("K"), QStringLiteral("grande"), QString()},
        {QStringLiteral("Vuoto"), 7, QStringLiteral("K"), QStringLiteral("vuoto"), QString()},
        {QStringLiteral("Mancante"), 8, QStringLiteral("S"), QStringLiteral("mancante"),
         QStringLiteral("nonc.sh")},
        {QStringLiteral("D'Artagnan"), 9, QStringLiteral("E"), QStringLiteral("artagnan"),
         QStringLiteral("dart.sh")},
    };
}

QByteArray toolFileContents(const QString &dirname, const QString &name)
{
    return QStringLiteral("%1 del tool %2\n").arg(name, dirname).toUtf8();
}

bool writeToolDisc(const QString &folder, QString *error)
{
    QDir disc(folder);
    if (!disc.mkpath(QStringLiteral("datafiles")) || !disc.mkpath(QStringLiteral("tools")) ||
        !writeToolFolders(QDir(disc.filePath(QStringLiteral("tools"))))) {
        *error = QStringLiteral("cannot make the tool folders in %1").arg(folder);
        return false;
    }
    return authoring::writeJet4(disc.filePath(QStringLiteral("datafiles/ringtones.dat")), {toolsTable()},
                                error);
}

} // namespace brivello::test
