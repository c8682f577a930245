#include "tests/toolcatalogue/ToolDisc.h"

#include "authoring/Jet4Writer.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace brivello::test {

namespace {

using authoring::ColumnType;
using authoring::Row;
using authoring::TableData;

TableData toolsTable()
{
    TableData table{u"Tools"_s, {}, {}};
    for (const char *name :
         {"toolnaam", "imgnr", "telefoon", "tooltype", "medium", "beschrijving", "type", "dirname", "start"})
        table.columns.push_back({QString::fromLatin1(name), ColumnType::Text, 255});
    table.columns[1].type = ColumnType::Long;
    for (const TestTool &tool : testTools()) {
        table.rows.push_back(Row{tool.name, QString::number(tool.imgnr), u"Telefoni di "_s + tool.name,
                                 u"Tipo di "_s + tool.name, u"Medium di "_s + tool.name,
                                 u"Descrizione di "_s + tool.name, tool.type, tool.dirname, tool.start});
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
        ok = ok && writeToolFile(tools, u"primo kit"_s, QString::fromLatin1(name));
    ok = ok && writeToolFile(tools, u"primo kit/sotto"_s, u"dentro.txt"_s);
    ok = ok && writeToolFile(tools, u"avvio"_s, u"avvio.sh"_s, true);
    ok = ok && writeToolFile(tools, u"Musicbox"_s, u"musicbox.sh"_s, true);
    ok = ok && writeToolFile(tools, u"altro"_s, u"musicbox.sh"_s, true);
    ok = ok && writeToolFile(tools, u"minuscolo"_s, u"min.sh"_s, true);
    ok = ok && writeToolFile(tools, u"secondo kit"_s, u"secondo.txt"_s);
    for (int file = 0; file < 300 && ok; ++file)
        ok = writeToolFile(tools, u"grande"_s, u"file%1.txt"_s.arg(file, 3, 10, QChar(u'0')));
    ok = ok && tools.mkpath(u"vuoto"_s);
    ok = ok && tools.mkpath(u"mancante"_s);
    ok = ok && writeToolFile(tools, u"artagnan"_s, u"dart.sh"_s, true);
    return ok;
}

} // namespace

std::vector<TestTool> testTools()
{
    return {
        {u"Primo Kit"_s, 2, u"K"_s, u"primo kit"_s, u"A.txt"_s},
        {u"Avvio"_s, 5, u"S"_s, u"avvio"_s, u"avvio.sh"_s},
        {u"Musicbox"_s, 3, u"P"_s, u"altro"_s, u"musicbox.sh"_s},
        {u"Minuscolo"_s, 4, u"k"_s, u"minuscolo"_s, u"min.sh"_s},
        {u"Secondo Kit"_s, 6, u"K"_s, u"secondo kit"_s, QString()},
        {u"Grande"_s, 31, u"K"_s, u"grande"_s, QString()},
        {u"Vuoto"_s, 7, u"K"_s, u"vuoto"_s, QString()},
        {u"Mancante"_s, 8, u"S"_s, u"mancante"_s, u"nonc.sh"_s},
        {u"D'Artagnan"_s, 9, u"E"_s, u"artagnan"_s, u"dart.sh"_s},
    };
}

QByteArray toolFileContents(const QString &dirname, const QString &name)
{
    return u"%1 del tool %2\n"_s.arg(name, dirname).toUtf8();
}

bool writeToolDisc(const QString &folder, QString *error)
{
    QDir disc(folder);
    if (!disc.mkpath(u"datafiles"_s) || !disc.mkpath(u"tools"_s) ||
        !writeToolFolders(QDir(disc.filePath(u"tools"_s)))) {
        *error = u"cannot make the tool folders in %1"_s.arg(folder);
        return false;
    }
    return authoring::writeJet4(disc.filePath(u"datafiles/ringtones.dat"_s), {toolsTable()}, error);
}

} // namespace brivello::test
