// The five phone codes of three short melodies, worked out by hand from each
// phone's published entry rules (see the comment atop each converter):
//   "Fra Martino" one octave, plain lengths, a half note at 120 bpm;
//   "Prova" sharps, dots, pauses, 1/16 to 1/1, three octaves, 140 bpm;
//   "Basso" reaches RTTTL octave 4, which the phones fit in their own octaves.

#include "ringtones/melody/Melody.h"

#include <QTest>

using namespace brivello::melody;
using namespace Qt::StringLiterals;

namespace {

Melody melody(QStringView rtttl)
{
    const RtttlReading r = readRtttl(rtttl);
    if (!r.ok() || !r.fixes.isEmpty())
        qFatal("test melody not canonical: %s %s", qPrintable(r.error), qPrintable(r.fixes.join(u' ')));
    return r.melody;
}

const QString FraMartino = u"Fra Martino:d=4,o=6,b=120:c,d,e,c,8e,8f,2g"_s;
const QString Prova = u"Prova:d=8,o=5,b=140:c,16d#,4p,2g.,f#6,32a#6,1c7,4p."_s;
const QString Basso = u"Basso:d=4,o=4,b=63:a,b,c5,e5,2a5"_s;
// Spans four octaves, more than any of the phones has.
const QString Ampio = u"Ampio:d=4,o=4,b=63:a,c#7"_s;

} // namespace

class TestPhoneCodes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nokiaScreen_data();
    void nokiaScreen();
    void nokiaKeypad_data();
    void nokiaKeypad();
    void siemens_data();
    void siemens();
    void ericsson_data();
    void ericsson();
    void motorola_data();
    void motorola();
    void noteCountCountsNotesAndPauses();
    void emptyMelodyGivesEmptyCodes();
};

void TestPhoneCodes::nokiaScreen_data()
{
    QTest::addColumn<QString>("rtttl");
    QTest::addColumn<QString>("code");
    QTest::newRow("fra martino") << FraMartino << u"4c2 4d2 4e2 4c2 8e2 8f2 2g2"_s;
    // The dotted pause becomes a quarter and an eighth pause.
    QTest::newRow("prova") << Prova << u"8c1 16#d1 4- 2.g1 8#f2 32#a2 1c3 4- 8-"_s;
    // Octaves 4..5 move up whole to composer octaves 1..2.
    QTest::newRow("basso") << Basso << u"4a1 4b1 4c2 4e2 2a2"_s;
    // Too wide to move: the low a is folded up into octave 1.
    QTest::newRow("ampio") << Ampio << u"4a1 4#c3"_s;
}

void TestPhoneCodes::nokiaScreen()
{
    QFETCH(QString, rtttl);
    QFETCH(QString, code);
    QCOMPARE(brivello::melody::nokiaScreen(melody(rtttl)), code);
}

void TestPhoneCodes::nokiaKeypad_data()
{
    QTest::addColumn<QString>("rtttl");
    QTest::addColumn<QString>("code");
    // A new tune starts in octave 1: one * takes the first c to octave 2, which
    // then holds for the notes after it.
    QTest::newRow("fra martino") << FraMartino << u"1* 2 3 1 38 48 59"_s;
    QTest::newRow("prova") << Prova << u"18 2#88 0 (5)9 4#8* 6#888 199* 0 08"_s;
    QTest::newRow("basso") << Basso << u"6 7 1* 3 69"_s;
    QTest::newRow("ampio") << Ampio << u"6 1#**"_s;
}

void TestPhoneCodes::nokiaKeypad()
{
    QFETCH(QString, rtttl);
    QFETCH(QString, code);
    QCOMPARE(brivello::melody::nokiaKeypad(melody(rtttl)), code);
}

void TestPhoneCodes::siemens_data()
{
    QTest::addColumn<QString>("rtttl");
    QTest::addColumn<QString>("code");
    QTest::newRow("fra martino") << FraMartino
                                 << u"C2(1/4) D2(1/4) E2(1/4) C2(1/4) E2(1/8) F2(1/8) G2(1/2)"_s;
    QTest::newRow("prova") << Prova
                           << u"C1(1/8) D#1(1/16) P(1/4) G1(1/2.) F#2(1/8) A#2(1/32) C3(1/1) P(1/4.)"_s;
    QTest::newRow("basso") << Basso << u"A1(1/4) B1(1/4) C2(1/4) E2(1/4) A2(1/2)"_s;
}

void TestPhoneCodes::siemens()
{
    QFETCH(QString, rtttl);
    QFETCH(QString, code);
    QCOMPARE(siemensScreen(melody(rtttl)), code);
}

void TestPhoneCodes::ericsson_data()
{
    QTest::addColumn<QString>("rtttl");
    QTest::addColumn<QString>("code");
    // 120 bpm: a quarter lasts 500 ms, nearest is C. (450 ms); an eighth 250 ms,
    // nearest C (225 ms); the half (1000 ms) is G. and 550 ms of pauses.
    QTest::newRow("fra martino") << FraMartino << u"+C. +D. +E. +C. +E +F +G. P P p"_s;
    // 140 bpm: 8th 214 ms -> C; 16th 107 ms -> c; 4p 429 ms -> P P;
    // 2. 1286 ms -> G. P P P p; 32nd 54 ms -> a; 1 1714 ms -> C. P P P P P p;
    // 4p. 643 ms -> P P P.
    QTest::newRow("prova") << Prova << u"C #d P P G. P P P p +#F +#a ++C. P P P P P p P P P"_s;
    // 63 bpm: a quarter lasts 952 ms -> X. P P; the half 1905 ms -> A. and six P and a p.
    QTest::newRow("basso") << Basso << u"A. P P H. P P +C. P P +E. P P +A. P P P P P P p"_s;
}

void TestPhoneCodes::ericsson()
{
    QFETCH(QString, rtttl);
    QFETCH(QString, code);
    QCOMPARE(ericssonScreen(melody(rtttl)), code);
}

void TestPhoneCodes::motorola_data()
{
    QTest::addColumn<QString>("rtttl");
    QTest::addColumn<QString>("code");
    QTest::newRow("fra martino") << FraMartino << u"*5c2 *5d2 *5e2 *5c2 *5e3 *5f3 *5g1"_s;
    // RTTTL 5..7 moves down whole into Motorola's sounding octaves 3..5.
    QTest::newRow("prova") << Prova << u"*3c3 *3#d4 r2 *3g1. *4#f3 *4#a5 *5c0 r2."_s;
    QTest::newRow("basso") << Basso << u"*3a2 *3b2 *4c2 *4e2 *4a1"_s;
    QTest::newRow("ampio") << Ampio << u"*3a2 *5#c2"_s;
}

void TestPhoneCodes::motorola()
{
    QFETCH(QString, rtttl);
    QFETCH(QString, code);
    QCOMPARE(motorolaScreen(melody(rtttl)), code);
}

void TestPhoneCodes::noteCountCountsNotesAndPauses()
{
    QCOMPARE(noteCount(melody(FraMartino)), 7);
    QCOMPARE(noteCount(melody(Prova)), 8);
    QCOMPARE(noteCount(melody(Basso)), 5);
}

void TestPhoneCodes::emptyMelodyGivesEmptyCodes()
{
    const Melody empty;
    QCOMPARE(brivello::melody::nokiaKeypad(empty), QString());
    QCOMPARE(brivello::melody::nokiaScreen(empty), QString());
    QCOMPARE(siemensScreen(empty), QString());
    QCOMPARE(ericssonScreen(empty), QString());
    QCOMPARE(motorolaScreen(empty), QString());
    QCOMPARE(noteCount(empty), 0);
}

QTEST_GUILESS_MAIN(TestPhoneCodes)
#include "test_phonecodes.moc"
