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
    parser.setApplicationDescription(QStringLiteral("Assembles the sample disc from its text sources."));
    parser.addHelpOption();
    const QCommandLineOption source(QStringLiteral("source"), QStringLiteral("The sample disc's sources."),
                                    QStringLiteral("folder"));
    const QCommandLineOption disc(QStringLiteral("disc"), QStringLiteral("The disc folder to fill."),
                                  QStringLiteral("folder"));
    const QCommandLineOption toolDemo(QStringLiteral("tool-demo"),
                                      QStringLiteral("The program that stands for the tools."),
                                      QStringLiteral("program"));
    const QCommandLineOption smsTool(QStringLiteral("sms-tool"), QStringLiteral("The SMS tool."),
                                     QStringLiteral("program"));
    const QCommandLineOption toolProgram(
        QStringLiteral("tool-program"),
        QStringLiteral("A tool's own program, by the tool's start name (repeatable)."),
        QStringLiteral("start=program"));
    parser.addOptions({source, disc, toolDemo, smsTool, toolProgram});
    parser.process(app);
    for (const QCommandLineOption &option : {source, disc, toolDemo, smsTool}) {
        if (!parser.isSet(option)) {
            printLine(stderr,
                      QStringLiteral("brivello-mkdisc: --%1 is required").arg(option.names().first()));
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
            printLine(
                stderr,
                QStringLiteral("brivello-mkdisc: --tool-program wants start=program, not %1").arg(pair));
            return 2;
        }
        inputs.toolPrograms.insert(pair.left(equals).toLower(), pair.mid(equals + 1));
    }
    brivello::mkdisc::DiscCatalogue catalogue;
    QString error;
    if (!brivello::mkdisc::buildCatalogue(inputs.sourceFolder + QStringLiteral("/catalogue"), &catalogue,
                                          &error)) {
        printLine(stderr, error);
        return 1;
    }
    for (const QString &warning : catalogue.warnings)
        printLine(stderr, QStringLiteral("warning: ") + warning);
    if (!brivello::mkdisc::assembleDisc(catalogue, inputs, &error)) {
        printLine(stderr, error);
        return 1;
    }
    printLine(stdout, QStringLiteral("brivello-mkdisc: %1 ringtones on the disc in %2")
                          .arg(catalogue.recordings.size())
                          .arg(inputs.discFolder));
    return 0;
}
