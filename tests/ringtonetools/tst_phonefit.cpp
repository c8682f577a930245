// The phones' limits table and how a melody fits each phone.
#include "tools/ringtonetools/MelodyFit.h"
#include "tools/ringtonetools/PhoneLimits.h"

#include <QTest>

using namespace brivello;
using namespace brivello::ringtonetools;

namespace {

melody::Melody tune(const QString &rtttl)
{
    const melody::RtttlReading reading = melody::readRtttl(rtttl);
    if (!reading.ok())
        qFatal("test melody unreadable: %s", qPrintable(reading.error));
    return reading.melody;
}

const PhoneModel &model(const QString &name)
{
    for (const PhoneModel &model : phoneLimits().models) {
        if (model.name == name)
            return model;
    }
    qFatal("no model %s in the limits table", qPrintable(name));
}

// n quarter notes c at o=5.
QString plainNotes(int count)
{
    QStringList notes;
    for (int i = 0; i < count; ++i)
        notes << QStringLiteral("c");
    return QStringLiteral("Lunga:d=4,o=5,b=120:") + notes.join(u',');
}

} // namespace

class TestPhoneFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theCompiledTableIsSoundAndEveryFigureHasASource()
    {
        const PhoneLimitsTable &table = phoneLimits();
        QVERIFY2(table.problems.isEmpty(), qPrintable(table.problems.join(u'\n')));
        QCOMPARE(table.models.size(), std::size_t(5));
        for (const PhoneModel &phone : table.models) {
            QVERIFY(!phone.code.isEmpty());
            for (const QString *source :
                 {&phone.maxNotes.source, &phone.maxCharacters.source, &phone.durations.source,
                  &phone.lengthsMs.source, &phone.octaves.source, &phone.dottedNotes.source,
                  &phone.dottedPauses.source})
                QVERIFY2(!source->isEmpty(), qPrintable(phone.name));
        }
        QCOMPARE(model(QStringLiteral("Nokia 3210")).maxNotes.value, 50);
        QCOMPARE(model(QStringLiteral("Ericsson T39")).maxNotes.value, 40);
        QCOMPARE(model(QStringLiteral("Ericsson T39")).maxCharacters.value, 120);
        // What no source gives stays unknown.
        QVERIFY(model(QStringLiteral("Siemens C35")).maxNotes.unknown());
        QVERIFY(model(QStringLiteral("Motorola V220")).maxNotes.unknown());
    }

    void aBrokenTableSaysWhichLine()
    {
        const PhoneLimitsTable table = parsePhoneLimits(QStringLiteral(
            "# prova\nUno\tcodice\tnokia_scherm\tfonte\nUno\tnote_max\t50\t\nUno\tottave\t7-5\tfonte\n"
            "Uno\tcolore\tblu\tfonte\nDue\tnote_max\t?\tnessuna\n"));
        QCOMPARE(table.problems,
                 (QStringList{QStringLiteral("riga 3: manca la fonte"),
                              QStringLiteral("riga 4: «ottave» = «7-5» non è un valore valido"),
                              QStringLiteral("riga 5: «colore» = «blu» non è un valore valido"),
                              QStringLiteral("Due: manca il codice")}));
        QVERIFY(table.models[0].maxNotes.unknown());
    }

    void fiftyNotesFitTheNokiaComposerFiftyOneDoNot()
    {
        const PhoneModel &nokia = model(QStringLiteral("Nokia 3210"));
        const PhoneFit fifty = fitOnPhone(tune(plainNotes(50)), nokia);
        QCOMPARE(fifty.entries, 50);
        QCOMPARE(fifty.verdict, PhoneFit::Verdict::Fits);
        QVERIFY(fifty.changes.isEmpty());
        const PhoneFit more = fitOnPhone(tune(plainNotes(51)), nokia);
        QCOMPARE(more.verdict, PhoneFit::Verdict::TooLong);
        QCOMPARE(more.changes, QStringList{QStringLiteral(
                                   "Troppe note: 51, il telefono ne tiene 50; restano fuori le ultime 1.")});
    }

    void nokiaSplitsDottedPausesAndMovesLowMelodiesUp()
    {
        const PhoneFit fit = fitOnPhone(tune(QStringLiteral("Bassa:d=4,o=4,b=100:a,4p.,b,c5")),
                                        model(QStringLiteral("Nokia 3210")));
        QCOMPARE(fit.verdict, PhoneFit::Verdict::FitsWithChanges);
        // The split pause is two entries on the phone.
        QCOMPARE(fit.entries, 5);
        QCOMPARE(fit.changes,
                 (QStringList{
                     QStringLiteral("Melodia spostata di 1 ottava in su: il telefono ha solo le ottave 5-7."),
                     QStringLiteral("1 pausa puntata divisa in due pause (il telefono non ha pause "
                                    "puntate).")}));
        // Too wide to move whole: only the outlying note changes octave.
        const PhoneFit wide =
            fitOnPhone(tune(QStringLiteral("Ampia:d=4,o=4,b=100:a,c7")), model(QStringLiteral("Nokia 3210")));
        QCOMPARE(wide.changes,
                 QStringList{QStringLiteral(
                     "1 nota fuori delle ottave del telefono (5-7) portata nell'ottava più vicina.")});
    }

    void ericssonHasFourLengthsFortyTonesAndAHundredTwentyCharacters()
    {
        const PhoneModel &ericsson = model(QStringLiteral("Ericsson T39"));
        // A quarter at 100 bpm lasts 600 ms: no fixed length comes near it.
        const PhoneFit slow = fitOnPhone(tune(QStringLiteral("Lenta:d=4,o=5,b=100:c,d")), ericsson);
        QCOMPARE(slow.verdict, PhoneFit::Verdict::FitsWithChanges);
        QCOMPARE(slow.changes,
                 QStringList{QStringLiteral("2 note o pause cambiano durata: il telefono ha solo le "
                                            "lunghezze di 150, 225, 300, 450 ms.")});
        // An eighth at 200 bpm lasts 150 ms, exactly a short note.
        const PhoneFit exact = fitOnPhone(tune(QStringLiteral("Giusta:d=8,o=5,b=200:c,d,e")), ericsson);
        QCOMPARE(exact.verdict, PhoneFit::Verdict::Fits);
        QCOMPARE(exact.characters, 3);
        // Forty-one plain eighths are one tone too many; sharps in a higher
        // octave ("+#c") use up the characters first.
        QStringList many;
        for (int i = 0; i < 41; ++i)
            many << QStringLiteral("c");
        const PhoneFit tooMany =
            fitOnPhone(tune(QStringLiteral("Tante:d=8,o=5,b=200:") + many.join(u',')), ericsson);
        QCOMPARE(tooMany.verdict, PhoneFit::Verdict::TooLong);
        QCOMPARE(tooMany.entries, 41);
        QStringList sharps;
        for (int i = 0; i < 31; ++i)
            sharps << QStringLiteral("c#6");
        const PhoneFit wordy =
            fitOnPhone(tune(QStringLiteral("Diesis:d=8,o=5,b=200:") + sharps.join(u',')), ericsson);
        QCOMPARE(wordy.characters, 31 * 3);
        QCOMPARE(wordy.verdict, PhoneFit::Verdict::Fits);
        sharps << QStringLiteral("c#7") << QStringLiteral("c#7") << QStringLiteral("c#7")
               << QStringLiteral("c#7") << QStringLiteral("c#7") << QStringLiteral("c#7")
               << QStringLiteral("c#7");
        const PhoneFit tooWordy =
            fitOnPhone(tune(QStringLiteral("Diesis:d=8,o=5,b=200:") + sharps.join(u',')), ericsson);
        QCOMPARE(tooWordy.entries, 38);
        QCOMPARE(tooWordy.characters, 31 * 3 + 7 * 4);
        QCOMPARE(tooWordy.changes,
                 QStringList{
                     QStringLiteral("La melodia scritta occupa 121 caratteri, il telefono ne accetta 120.")});
    }

    void unknownLimitsAreSaidNotGuessed()
    {
        const PhoneFit siemens = fitOnPhone(tune(QStringLiteral("Punti:d=4,o=5,b=100:c.,p.")),
                                            model(QStringLiteral("Siemens C35")));
        QCOMPARE(siemens.verdict, PhoneFit::Verdict::Unknown);
        QCOMPARE(siemens.unknown,
                 (QStringList{QStringLiteral("numero di note"), QStringLiteral("note puntate"),
                              QStringLiteral("pause puntate"), QStringLiteral("durate"),
                              QStringLiteral("ottave")}));
        // Motorola's guide gives everything but the number of notes.
        const PhoneFit motorola = fitOnPhone(tune(QStringLiteral("Punti:d=4,o=5,b=100:c.,p.")),
                                             model(QStringLiteral("Motorola V220")));
        QCOMPARE(motorola.verdict, PhoneFit::Verdict::Unknown);
        QCOMPARE(motorola.unknown, QStringList{QStringLiteral("numero di note")});
        QVERIFY(motorola.changes.isEmpty());
    }

    void theColumnsShowCountsVerdictsAndSources()
    {
        const std::vector<FitColumn> columns = fitColumns();
        QCOMPARE(columns.size(), std::size_t(5));
        const melody::Melody longOne = tune(plainNotes(51));
        const PhoneModel &nokia = model(QStringLiteral("Nokia 3210"));
        QCOMPARE(columns[0].cell(longOne, nokia), QStringLiteral("Nokia 3210"));
        QCOMPARE(columns[1].cell(longOne, nokia), QStringLiteral("51 su 50"));
        QVERIFY(columns[1].tooltip(longOne, nokia).contains(QStringLiteral("geocities.ws/free2ringtones")));
        QCOMPARE(columns[2].cell(longOne, nokia), QStringLiteral("Troppo lunga"));
        QCOMPARE(columns[1].cell(longOne, model(QStringLiteral("Siemens C35"))),
                 QStringLiteral("51 (limite non noto)"));
        QCOMPARE(columns[4].cell(tune(plainNotes(3)), nokia), QStringLiteral("Nulla"));
        QVERIFY(columns[4].tooltip(longOne, nokia).contains(QStringLiteral("Pause puntate: ")));
        // Smart Messaging: a short tune in one SMS, a long one cut to the
        // 130 notes a Smart Messaging ringtone carries.
        QCOMPARE(columns[3].cell(tune(plainNotes(3)), nokia), QStringLiteral("1 SMS"));
        QCOMPARE(columns[3].cell(tune(plainNotes(200)), nokia),
                 QStringLiteral("2 SMS concatenati, 130 note su 200"));
        QVERIFY(
            columns[3].tooltip(tune(plainNotes(200)), nokia).contains(QStringLiteral("sono state tolte")));
    }
};

QTEST_GUILESS_MAIN(TestPhoneFit)
#include "tst_phonefit.moc"
