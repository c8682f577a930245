// brivello-gencatalogue --ringtones N --seed S OUTPUT: a synthetic catalogue
// for benchmarks and scale tests; the same N and S give the same catalogue.

#include "authoring/CatalogueGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace brivello::authoring;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a synthetic Brivello catalogue database."));
    parser.addHelpOption();
    const QCommandLineOption ringtones(QStringLiteral("ringtones"),
                                       QStringLiteral("Number of ringtones, %1 to %2.")
                                           .arg(CatalogueGenerator::MinRingtones)
                                           .arg(CatalogueGenerator::MaxRingtones),
                                       QStringLiteral("N"), QStringLiteral("10000"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the generator."),
                                  QStringLiteral("S"), QStringLiteral("1"));
    parser.addOptions({ringtones, seed});
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("The database file to write."));
    parser.process(app);
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1) {
        err << parser.helpText();
        return 2;
    }

    GeneratorOptions options;
    bool countOk = false;
    bool seedOk = false;
    options.ringtones = parser.value(ringtones).toLongLong(&countOk);
    options.seed = parser.value(seed).toULongLong(&seedOk);
    if (!countOk || options.ringtones < CatalogueGenerator::MinRingtones ||
        options.ringtones > CatalogueGenerator::MaxRingtones) {
        err << "brivello-gencatalogue: --ringtones takes a number from " << CatalogueGenerator::MinRingtones
            << " to " << CatalogueGenerator::MaxRingtones << Qt::endl;
        return 2;
    }
    if (!seedOk) {
        err << "brivello-gencatalogue: --seed takes a whole number" << Qt::endl;
        return 2;
    }
    QString error;
    if (!writeGeneratedCatalogue(parser.positionalArguments().at(0), options, &error)) {
        err << "brivello-gencatalogue: " << error << Qt::endl;
        return 1;
    }
    return 0;
}
