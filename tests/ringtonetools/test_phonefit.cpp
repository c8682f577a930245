// The phones' limits table and how a melody fits each phone.
#include "tools/ringtonetools/MelodyFit.h"
#include "tools/ringtonetools/PhoneLimits.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
        notes << u"c"_s;
    return u"Lunga:d=4,o=5,b=120:"_s + notes.join(u',');
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
        QCOMPARE(model(u"Nokia 3210"_s).maxNotes.value, 50);
        QCOMPARE(model(u"Ericsson T39"_s).maxNotes.value, 40);
        QCOMPARE(model(u"Ericsson T39"_s).maxCharacters.value, 120);
        // What no source gives stays unknown.
        QVERIFY(model(u"Siemens C35"_s).maxNotes.unknown());
        QVERIFY(model(u"Motorola V220"_s).maxNotes.unknown());
    }

    void aBrokenTableSaysWhichLine()
    {
        const PhoneLimitsTable table = parsePhoneLimits(
            u"# prova\nUno\tcodice\tnokia_scherm\tfonte\nUno\tnote_max\t50\t\nUno\tottave\t7-5\tfonte\n"
            "Uno\tcolore\tblu\tfonte\nDue\tnote_max\t?\tnessuna\n"_s);
        QCOMPARE(
            table.problems,
            (QStringList{u"riga 3: manca la fonte"_s, u"riga 4: «ottave» = «7-5» non è un valore valido"_s,
                         u"riga 5: «colore» = «blu» non è un valore valido"_s, u"Due: manca il codice"_s}));
        QVERIFY(table.models[0].maxNotes.unknown());
    }

    void fiftyNotesFitTheNokiaComposerFiftyOneDoNot()
    {
        const PhoneModel &nokia = model(u"Nokia 3210"_s);
        const PhoneFit fifty = fitOnPhone(tune(plainNotes(50)), nokia);
        QCOMPARE(fifty.entries, 50);
        QCOMPARE(fifty.verdict, PhoneFit::Verdict::Fits);
        QVERIFY(fifty.changes.isEmpty());
        const PhoneFit more = fitOnPhone(tune(plainNotes(51)), nokia);
        QCOMPARE(more.verdict, PhoneFit::Verdict::TooLong);
        QCOMPARE(more.changes,
                 QStringList{u"Troppe note: 51, il telefono ne tiene 50; restano fuori le ultime 1."_s});
    }

    void nokiaSplitsDottedPausesAndMovesLowMelodiesUp()
    {
        const PhoneFit fit = fitOnPhone(tune(u"Bassa:d=4,o=4,b=100:a,4p.,b,c5"_s), model(u"Nokia 3210"_s));
        QCOMPARE(fit.verdict, PhoneFit::Verdict::FitsWithChanges);
        // The split pause is two entries on the phone.
        QCOMPARE(fit.entries, 5);
        QCOMPARE(fit.changes,
                 (QStringList{u"Melodia spostata di 1 ottava in su: il telefono ha solo le ottave 5-7."_s,
                              u"1 pausa puntata divisa in due pause (il telefono non ha pause "
                              "puntate)."_s}));
        // Too wide to move whole: only the outlying note changes octave.
        const PhoneFit wide = fitOnPhone(tune(u"Ampia:d=4,o=4,b=100:a,c7"_s), model(u"Nokia 3210"_s));
        QCOMPARE(
            wide.changes,
            QStringList{u"1 nota fuori delle ottave del telefono (5-7) portata nell'ottava più vicina."_s});
    }

    void ericssonHasFourLengthsFortyTonesAndAHundredTwentyCharacters()
    {
        const PhoneModel &ericsson = model(u"Ericsson T39"_s);
        // A quarter at 100 bpm lasts 600 ms: no fixed length comes near it.
        const PhoneFit slow = fitOnPhone(tune(u"Lenta:d=4,o=5,b=100:c,d"_s), ericsson);
        QCOMPARE(slow.verdict, PhoneFit::Verdict::FitsWithChanges);
        QCOMPARE(slow.changes, QStringList{u"2 note o pause cambiano durata: il telefono ha solo le "
                                           "lunghezze di 150, 225, 300, 450 ms."_s});
        // An eighth at 200 bpm lasts 150 ms, exactly a short note.
        const PhoneFit exact = fitOnPhone(tune(u"Giusta:d=8,o=5,b=200:c,d,e"_s), ericsson);
        QCOMPARE(exact.verdict, PhoneFit::Verdict::Fits);
        QCOMPARE(exact.characters, 3);
        // Forty-one plain eighths are one tone too many; sharps in a higher
        // octave ("+#c") use up the characters first.
        QStringList many;
        for (int i = 0; i < 41; ++i)
            many << u"c"_s;
        const PhoneFit tooMany = fitOnPhone(tune(u"Tante:d=8,o=5,b=200:"_s + many.join(u',')), ericsson);
        QCOMPARE(tooMany.verdict, PhoneFit::Verdict::TooLong);
        QCOMPARE(tooMany.entries, 41);
        QStringList sharps;
        for (int i = 0; i < 31; ++i)
            sharps << u"c#6"_s;
        const PhoneFit wordy = fitOnPhone(tune(u"Diesis:d=8,o=5,b=200:"_s + sharps.join(u',')), ericsson);
        QCOMPARE(wordy.characters, 31 * 3);
        QCOMPARE(wordy.verdict, PhoneFit::Verdict::Fits);
        sharps << u"c#7"_s << u"c#7"_s << u"c#7"_s << u"c#7"_s << u"c#7"_s << u"c#7"_s << u"c#7"_s;
        const PhoneFit tooWordy = fitOnPhone(tune(u"Diesis:d=8,o=5,b=200:"_s + sharps.join(u',')), ericsson);
        QCOMPARE(tooWordy.entries, 38);
        QCOMPARE(tooWordy.characters, 31 * 3 + 7 * 4);
        QCOMPARE(tooWordy.changes,
                 QStringList{u"La melodia scritta occupa 121 caratteri, il telefono ne accetta 120."_s});
    }

    void unknownLimitsAreSaidNotGuessed()
    {
        const PhoneFit siemens = fitOnPhone(tune(u"Punti:d=4,o=5,b=100:c.,p."_s), model(u"Siemens C35"_s));
        QCOMPARE(siemens.verdict, PhoneFit::Verdict::Unknown);
        QCOMPARE(siemens.unknown, (QStringList{u"numero di note"_s, u"note puntate"_s, u"pause puntate"_s,
                                               u"durate"_s, u"ottave"_s}));
        // Motorola's guide gives everything but the number of notes.
        const PhoneFit motorola = fitOnPhone(tune(u"Punti:d=4,o=5,b=100:c.,p."_s), model(u"Motorola V220"_s));
        QCOMPARE(motorola.verdict, PhoneFit::Verdict::Unknown);
        QCOMPARE(motorola.unknown, QStringList{u"numero di note"_s});
        QVERIFY(motorola.changes.isEmpty());
    }

    void theColumnsShowCountsVerdictsAndSources()
    {
        const std::vector<FitColumn> columns = fitColumns();
        QCOMPARE(columns.size(), std::size_t(5));
        const melody::Melody longOne = tune(plainNotes(51));
        const PhoneModel &nokia = model(u"Nokia 3210"_s);
        QCOMPARE(columns[0].cell(longOne, nokia), u"Nokia 3210"_s);
        QCOMPARE(columns[1].cell(longOne, nokia), u"51 su 50"_s);
        QVERIFY(columns[1].tooltip(longOne, nokia).contains(u"geocities.ws/free2ringtones"_s));
        QCOMPARE(columns[2].cell(longOne, nokia), u"Troppo lunga"_s);
        QCOMPARE(columns[1].cell(longOne, model(u"Siemens C35"_s)), u"51 (limite non noto)"_s);
        QCOMPARE(columns[4].cell(tune(plainNotes(3)), nokia), u"Nulla"_s);
        QVERIFY(columns[4].tooltip(longOne, nokia).contains(u"Pause puntate: "_s));
        // Smart Messaging: a short tune in one SMS, a long one cut to the
        // 130 notes a Smart Messaging ringtone carries.
        QCOMPARE(columns[3].cell(tune(plainNotes(3)), nokia), u"1 SMS"_s);
        QCOMPARE(columns[3].cell(tune(plainNotes(200)), nokia), u"2 SMS concatenati, 130 note su 200"_s);
        QVERIFY(columns[3].tooltip(tune(plainNotes(200)), nokia).contains(u"sono state tolte"_s));
    }
};

QTEST_GUILESS_MAIN(TestPhoneFit)
#include "test_phonefit.moc"
