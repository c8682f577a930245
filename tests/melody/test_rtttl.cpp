// The RTTTL reader and writer: what a clean text gives, every slip the reader
// mends and reports, texts it must refuse, and the round trip.

#include "ringtones/melody/Melody.h"

#include <QTest>

using namespace brivello::melody;
using namespace Qt::StringLiterals;

namespace {

Note n(int duration, int pitch, int octave, bool dotted = false)
{
    return Note{duration, dotted, pitch, octave};
}

// Printable junk without any structure, the same on every run.
QString junk(qsizetype length, QStringView alphabet)
{
    QString text;
    text.reserve(length);
    quint32 state = 12345;
    for (qsizetype i = 0; i < length; ++i) {
        state = state * 1103515245u + 12345u;
        text.append(alphabet[(state >> 16) % alphabet.size()]);
    }
    return text;
}

} // namespace

class TestRtttl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsCanonicalTextWithoutFixes();
    void mendsAndReportsEachSlip_data();
    void mendsAndReportsEachSlip();
    void reportsEverySlipOfOneText();
    void refusesHopelessText_data();
    void refusesHopelessText();
    void capsHugeNumbers();
    void refusesLongJunkQuickly();
    void refusesTooManyNotes();
    void roundTripKeepsTheMelody_data();
    void roundTripKeepsTheMelody();
    void writerMakesSafeTextOfAnyMelody();
};

void TestRtttl::readsCanonicalTextWithoutFixes()
{
    const RtttlReading r = readRtttl(u"Scala:d=8,o=5,b=120:c,4d#6,2e.,p,16a#7.,32b4");
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.fixes, QStringList());
    QCOMPARE(r.melody.name, u"Scala"_s);
    QCOMPARE(r.melody.defaultDuration, 8);
    QCOMPARE(r.melody.defaultOctave, 5);
    QCOMPARE(r.melody.bpm, 120);
    const std::vector<Note> expected{n(8, 0, 5),  n(4, 3, 6),         n(2, 4, 5, true),
                                     n(8, -1, 5), n(16, 10, 7, true), n(32, 11, 4)};
    QCOMPARE(r.melody.notes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        QVERIFY2(r.melody.notes[i] == expected[i], qPrintable(QString::number(i)));

    // Without a control section's values RTTTL's own defaults hold: d=4, o=6, b=63.
    const RtttlReading defaults = readRtttl(u"Vuoto::c,8d");
    QVERIFY(defaults.ok());
    QCOMPARE(defaults.fixes, QStringList());
    QCOMPARE(defaults.melody.bpm, 63);
    QVERIFY(defaults.melody.notes[0] == n(4, 0, 6));
    QVERIFY(defaults.melody.notes[1] == n(8, 2, 6));
}

void TestRtttl::mendsAndReportsEachSlip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fix");
    QTest::addColumn<QString>("canonical");

    QTest::newRow("dot before octave")
        << u"T:d=4,o=5,b=63:8c.6,d"_s << u"Punto prima dell'ottava spostato dopo."_s
        << u"T:d=4,o=5,b=63:8c6.,d"_s;
    QTest::newRow("dot before note") << u"T:d=4,o=5,b=63:8.c,d"_s
                                     << u"Punto prima della nota spostato dopo."_s
                                     << u"T:d=4,o=5,b=63:8c.,d"_s;
    QTest::newRow("no separator after settings")
        << u"T:d=4,o=5,b=100,c,8d"_s << u"Manca il separatore ':' tra impostazioni e note."_s
        << u"T:d=4,o=5,b=100:c,8d"_s;
    QTest::newRow("blanks") << u"T : d=4, o=5 ,b=100 :  c , 8 d6 ,\te"_s << u"Spazi ignorati."_s
                            << u"T:d=4,o=5,b=100:c,8d6,e"_s;
    QTest::newRow("upper case") << u"T:D=4,O=5,B=100:C,8D#6,P"_s << u"Maiuscole lette come minuscole."_s
                                << u"T:d=4,o=5,b=100:c,8d#6,p"_s;
    QTest::newRow("h for b") << u"T:d=4,o=5,b=100:h,8h6"_s << u"'h' letto come 'b'."_s
                             << u"T:d=4,o=5,b=100:b,8b6"_s;
    QTest::newRow("trailing comma") << u"T:d=4,o=5,b=100:c,d,"_s << u"Virgola finale superflua."_s
                                    << u"T:d=4,o=5,b=100:c,d"_s;
    QTest::newRow("empty note") << u"T:d=4,o=5,b=100:c,,d"_s << u"Separatore vuoto ignorato."_s
                                << u"T:d=4,o=5,b=100:c,d"_s;
    QTest::newRow("no name") << u"d=4,o=5,b=100:c"_s << u"Nome mancante."_s << u":d=4,o=5,b=100:c"_s;
    QTest::newRow("no settings") << u"T:c,8d"_s << u"Impostazioni mancanti: valgono d=4, o=6, b=63."_s
                                 << u"T:d=4,o=6,b=63:c,8d"_s;
    QTest::newRow("e sharp") << u"T:d=4,o=5,b=100:e#,f"_s << u"e# letto come f."_s
                             << u"T:d=4,o=5,b=100:f,f"_s;
    QTest::newRow("b sharp") << u"T:d=4,o=5,b=100:b#"_s << u"b# letto come c."_s << u"T:d=4,o=5,b=100:c6"_s;
    QTest::newRow("wrong duration") << u"T:d=4,o=5,b=100:3c,12d"_s << u"Durata 3 non valida, uso 4."_s
                                    << u"T:d=4,o=5,b=100:c,16d"_s;
    QTest::newRow("octave too high") << u"T:d=4,o=5,b=100:c9"_s << u"Ottava 9 fuori intervallo, uso 7."_s
                                     << u"T:d=4,o=5,b=100:c7"_s;
    QTest::newRow("default octave too low")
        << u"T:d=4,o=3,b=100:c"_s << u"Ottava predefinita 3 fuori intervallo, uso 4."_s
        << u"T:d=4,o=4,b=100:c"_s;
    QTest::newRow("tempo too fast") << u"T:d=4,o=5,b=2000:c"_s << u"Tempo 2000 fuori intervallo, uso 900."_s
                                    << u"T:d=4,o=5,b=900:c"_s;
    QTest::newRow("unknown setting") << u"T:d=4,o=5,b=100,l=15:c"_s
                                     << u"Impostazione sconosciuta ignorata: l=15"_s
                                     << u"T:d=4,o=5,b=100:c"_s;
    QTest::newRow("setting without =")
        << u"T:d4,o5,b100:c"_s << u"Manca '=' in un'impostazione."_s << u"T:d=4,o=5,b=100:c"_s;
    QTest::newRow("dash pause") << u"T:d=4,o=5,b=100:8-,c"_s << u"'-' letto come pausa 'p'."_s
                                << u"T:d=4,o=5,b=100:8p,c"_s;
    QTest::newRow("octave on pause") << u"T:d=4,o=5,b=100:p6,c"_s << u"Ottava su una pausa ignorata."_s
                                     << u"T:d=4,o=5,b=100:p,c"_s;
    QTest::newRow("colon in name") << u"Mission: Impossible:d=4,o=5,b=100:c"_s
                                   << u"Due punti nel nome sostituiti da uno spazio."_s
                                   << u"Mission Impossible:d=4,o=5,b=100:c"_s;
    QTest::newRow("tempo change midway")
        << u"T:d=4,o=5,b=100:c,b=200,d"_s << u"Cambio di tempo a metà melodia ignorato."_s
        << u"T:d=4,o=5,b=100:c,d"_s;
}

void TestRtttl::mendsAndReportsEachSlip()
{
    QFETCH(QString, text);
    QFETCH(QString, fix);
    QFETCH(QString, canonical);

    const RtttlReading r = readRtttl(text);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QVERIFY2(r.fixes.contains(fix), qPrintable(r.fixes.join(u" | ")));
    QCOMPARE(writeRtttl(r.melody), canonical);

    // The canonical text needs no mending.
    const RtttlReading again = readRtttl(canonical);
    QVERIFY(again.ok());
    const QStringList expectedFixes =
        canonical.startsWith(u':') ? QStringList{u"Nome mancante."_s} : QStringList{};
    QCOMPARE(again.fixes, expectedFixes);
}

void TestRtttl::reportsEverySlipOfOneText()
{
    const RtttlReading r = readRtttl(u" Inno : D=8 , O=5 , B=112 , 4C.6 , H , e# , 3G ");
    QVERIFY2(r.ok(), qPrintable(r.error));
    for (const QString &fix :
         {u"Manca il separatore ':' tra impostazioni e note."_s, u"Spazi ignorati."_s,
          u"Maiuscole lette come minuscole."_s, u"Punto prima dell'ottava spostato dopo."_s,
          u"'h' letto come 'b'."_s, u"e# letto come f."_s, u"Durata 3 non valida, uso 4."_s})
        QVERIFY2(r.fixes.contains(fix), qPrintable(fix + u" missing from: "_s + r.fixes.join(u" | ")));
    qDebug() << r.fixes;
    QCOMPARE(r.fixes.size(), 7);
    QCOMPARE(writeRtttl(r.melody), u"Inno:d=8,o=5,b=112:4c6.,b,f,4g"_s);
}

void TestRtttl::refusesHopelessText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");

    QTest::newRow("empty") << QString() << u"Testo vuoto."_s;
    QTest::newRow("blank") << u"  \r\n\t "_s << u"Testo vuoto."_s;
    QTest::newRow("no colon") << u"hello world, how are you"_s
                              << u"Manca il separatore ':' tra nome, impostazioni e note."_s;
    QTest::newRow("no notes") << u"T:d=4,o=5,b=100:"_s << u"Nessuna nota."_s;
    QTest::newRow("only commas") << u"T:d=4:,,,"_s << u"Nessuna nota."_s;
    QTest::newRow("bad note") << u"T:d=4,o=5,b=100:c,x,d"_s << u"Nota 2 non valida: «x»."_s;
    QTest::newRow("letters after octave") << u"T:d=4,o=5,b=100:c5zz"_s << u"Nota 1 non valida: «c5zz»."_s;
    QTest::newRow("duration only") << u"T:d=4,o=5,b=100:16"_s << u"Nota 1 non valida: «16»."_s;
    QTest::newRow("colons everywhere")
        << u"a:b:c:d"_s << u"Troppi separatori ':' (3): il testo non è una suoneria RTTTL."_s;
    QTest::newRow("nul byte") << QString(u"T:d=4:c"_s + QChar(0)) << u"Nota 1 non valida: «c\u0000»."_s;
    QTest::newRow("foreign digits") << u"T:d=4:\u0663c"_s << u"Nota 1 non valida: «\u0663c»."_s;
    QTest::newRow("html") << u"<html><body>T:d=4:c</body></html>"_s
                          << u"Nota 1 non valida: «c</body></html>»."_s;
}

void TestRtttl::refusesHopelessText()
{
    QFETCH(QString, text);
    QFETCH(QString, error);

    const RtttlReading r = readRtttl(text);
    QVERIFY(!r.ok());
    QCOMPARE(r.error, error);
    QVERIFY(r.melody.notes.empty());
}

void TestRtttl::capsHugeNumbers()
{
    const RtttlReading r =
        readRtttl(u"T:d=99999999999999999999999,o=99999999999999999999,b=99999999999999999999:"
                  u"99999999999999999999999c99999999999999999999,0d,c0"_s);
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.melody.defaultDuration, 32);
    QCOMPARE(r.melody.defaultOctave, 7);
    QCOMPARE(r.melody.bpm, MaxBpm);
    QVERIFY(r.melody.notes[0] == n(32, 0, 7));
    QVERIFY(r.melody.notes[1] == n(1, 2, 7));
    QVERIFY(r.melody.notes[2] == n(32, 0, 4));
    QVERIFY(r.fixes.contains(u"Tempo 1000000000 fuori intervallo, uso 900."_s));
}

void TestRtttl::refusesLongJunkQuickly()
{
    // 100 KB of junk is refused on its length alone.
    const QString huge = junk(100 * 1024, u"abcdefgh#.,:=0123456789 p"_s);
    const RtttlReading tooLong = readRtttl(huge);
    QVERIFY(!tooLong.ok());
    QVERIFY2(tooLong.error.startsWith(u"Testo troppo lungo"_s), qPrintable(tooLong.error));

    // Junk just under the limit is read through and refused for what it is.
    for (QStringView alphabet : {u"abcdefgh#.,=0123456789 p"_s, u"cdefgab,"_s, u"9,"_s, u"#.,"_s}) {
        const QString text = u"T:d=4,o=5,b=100:"_s + junk(MaxRtttlLength - 20, alphabet);
        const RtttlReading r = readRtttl(text);
        QVERIFY2(!r.ok(), qPrintable(alphabet.toString()));
        QVERIFY(!r.error.isEmpty());
        QVERIFY(r.melody.notes.empty());
    }
}

void TestRtttl::refusesTooManyNotes()
{
    QString text = u"T:d=4,o=5,b=100:"_s;
    for (int i = 0; i < MaxNotes; ++i)
        text += u"c,"_s;
    const RtttlReading atLimit = readRtttl(text);
    QVERIFY2(atLimit.ok(), qPrintable(atLimit.error));
    QCOMPARE(noteCount(atLimit.melody), MaxNotes);

    const RtttlReading over = readRtttl(text + u"d"_s);
    QVERIFY(!over.ok());
    QCOMPARE(over.error, u"Troppe note: al massimo 1000."_s);
}

void TestRtttl::roundTripKeepsTheMelody_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("canonical") << u"Scala:d=8,o=5,b=120:c,4d#6,2e.,p,16a#7.,32b4"_s;
    QTest::newRow("sloppy") << u" Inno : D=8 , O=5 , B=112 , 4C.6 , H , e# , 3G "_s;
    QTest::newRow("defaults") << u"Nome lungo con spazi::c,8d,16p,2e.,1f#7"_s;
    QTest::newRow("accents") << u"Ninna nanna, città:d=16,o=7,b=285:a#,g#.,p,4c#"_s;
    // Mended fault: a "%" and a digit in the name were taken for places of
    // the settings and the notes.
    QTest::newRow("percent signs") << u"Sconto 50%1 e %5%:d=8,o=5,b=120:c,d"_s;
}

void TestRtttl::roundTripKeepsTheMelody()
{
    QFETCH(QString, text);
    const RtttlReading first = readRtttl(text);
    QVERIFY2(first.ok(), qPrintable(first.error));
    const QString written = writeRtttl(first.melody);
    const RtttlReading second = readRtttl(written);
    QVERIFY2(second.ok(), qPrintable(second.error));
    QCOMPARE(second.fixes, QStringList());
    QCOMPARE(second.melody.name, first.melody.name);
    QCOMPARE(second.melody.bpm, first.melody.bpm);
    QCOMPARE(second.melody.defaultDuration, first.melody.defaultDuration);
    QCOMPARE(second.melody.defaultOctave, first.melody.defaultOctave);
    QVERIFY(second.melody.notes == first.melody.notes);
    QCOMPARE(writeRtttl(second.melody), written);
}

void TestRtttl::writerMakesSafeTextOfAnyMelody()
{
    Melody m;
    m.name = u"A:b\nc"_s;
    m.defaultDuration = 3;
    m.defaultOctave = 12;
    m.bpm = 0;
    m.notes = {n(0, 4, 2), n(64, 20, 9, true), n(4, -7, 5)};
    QCOMPARE(writeRtttl(m), u"A b c:d=4,o=7,b=25:1e4,32b.,p"_s);

    // Every note value the model allows survives the trip.
    Melody all;
    all.name = u"Tutte"_s;
    for (int duration : {1, 2, 4, 8, 16, 32})
        for (int pitch = -1; pitch < 12; ++pitch)
            for (int octave = 4; octave <= 7; ++octave)
                for (bool dotted : {false, true})
                    all.notes.push_back(
                        Note{duration, dotted, pitch, pitch < 0 ? all.defaultOctave : octave});
    const RtttlReading back = readRtttl(writeRtttl(all));
    QVERIFY2(back.ok(), qPrintable(back.error));
    QCOMPARE(back.fixes, QStringList());
    QVERIFY(back.melody.notes == all.notes);
}

QTEST_GUILESS_MAIN(TestRtttl)
#include "test_rtttl.moc"
