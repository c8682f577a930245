// brivello-gencatalogue --ringtones N --seed S OUTPUT: a synthetic catalogue
// for benchmarks and scale tests; the same N and S give the same catalogue.

#include "authoring/CatalogueGenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

using namespace brivello::authoring;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Writes a synthetic Brivello catalogue database."_s);
    parser.addHelpOption();
    const QCommandLineOption ringtones(
        u"ringtones"_s,
        u"Number of ringtones, %1 to %2."_s.arg(CatalogueGenerator::MinRingtones)
            .arg(CatalogueGenerator::MaxRingtones),
        u"N"_s, u"10000"_s);
    const QCommandLineOption seed(u"seed"_s, u"Seed of the generator."_s, u"S"_s, u"1"_s);
    parser.addOptions({ringtones, seed});
    parser.addPositionalArgument(u"output"_s, u"The database file to write."_s);
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
