// brivello-mkdisc: assembles the sample disc from its text sources.
//
//   brivello-mkdisc --source <sampledisc folder> --disc <disc folder>
//                   --tool-demo <program> --sms-tool <program>
//                   [--tool-program <start name>=<program>]...
#include "tools/mkdisc/DiscAssembly.h"
#include "tools/mkdisc/DiscCatalogue.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void printLine(std::FILE *stream, const QString &text)
{
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Assembles the sample disc from its text sources."_s);
    parser.addHelpOption();
    const QCommandLineOption source(u"source"_s, u"The sample disc's sources."_s, u"folder"_s);
    const QCommandLineOption disc(u"disc"_s, u"The disc folder to fill."_s, u"folder"_s);
    const QCommandLineOption toolDemo(u"tool-demo"_s, u"The program that stands for the tools."_s,
                                      u"program"_s);
    const QCommandLineOption smsTool(u"sms-tool"_s, u"The SMS tool."_s, u"program"_s);
    const QCommandLineOption toolProgram(u"tool-program"_s,
                                         u"A tool's own program, by the tool's start name (repeatable)."_s,
                                         u"start=program"_s);
    parser.addOptions({source, disc, toolDemo, smsTool, toolProgram});
    parser.process(app);
    for (const QCommandLineOption &option : {source, disc, toolDemo, smsTool}) {
        if (!parser.isSet(option)) {
            printLine(stderr, u"brivello-mkdisc: --%1 is required"_s.arg(option.names().first()));
            return 2;
        }
    }

    brivello::mkdisc::AssemblyInputs inputs{QDir(parser.value(source)).absolutePath(),
                                            QDir(parser.value(disc)).absolutePath(),
                                            parser.value(toolDemo),
                                            parser.value(smsTool),
                                            {}};
    for (const QString &pair : parser.values(toolProgram)) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            printLine(stderr, u"brivello-mkdisc: --tool-program wants start=program, not %1"_s.arg(pair));
            return 2;
        }
        inputs.toolPrograms.insert(pair.left(equals).toLower(), pair.mid(equals + 1));
    }
    brivello::mkdisc::DiscCatalogue catalogue;
    QString error;
    if (!brivello::mkdisc::buildCatalogue(inputs.sourceFolder + u"/catalogue"_s, &catalogue, &error)) {
        printLine(stderr, error);
        return 1;
    }
    for (const QString &warning : catalogue.warnings)
        printLine(stderr, u"warning: "_s + warning);
    if (!brivello::mkdisc::assembleDisc(catalogue, inputs, &error)) {
        printLine(stderr, error);
        return 1;
    }
    printLine(stdout, u"brivello-mkdisc: %1 ringtones on the disc in %2"_s.arg(catalogue.recordings.size())
                          .arg(inputs.discFolder));
    return 0;
}
