// brivello-mkcatalogue SOURCE_FOLDER OUTPUT: the catalogue database from its
// text sources (see README.md beside this file).

#include "authoring/CatalogueSource.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

using namespace brivello::authoring;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Builds a Brivello catalogue database from its text sources."_s);
    parser.addHelpOption();
    parser.addPositionalArgument(u"source"_s, u"Folder with Main.tsv, Genres.tsv, Zoekmethodes.tsv, "
                                              "Rubrieken.tsv and Tools.tsv."_s);
    parser.addPositionalArgument(u"output"_s, u"The database file to write."_s);
    parser.process(app);
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 2) {
        err << parser.helpText();
        return 2;
    }
    const QString source = parser.positionalArguments().at(0);
    const QString output = parser.positionalArguments().at(1);

    std::vector<TableData> tables;
    QString error;
    if (!readCatalogueSource(source, catalogueSchema(), &tables, &error) ||
        !writeJet4(output, tables, &error)) {
        err << "brivello-mkcatalogue: " << error << Qt::endl;
        return 1;
    }
    QTextStream out(stdout);
    out << output << ":";
    for (const TableData &table : tables)
        out << " " << table.name << " " << table.rows.size();
    out << Qt::endl;
    return 0;
}
