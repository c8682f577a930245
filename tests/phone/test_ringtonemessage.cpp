// The Smart Messaging ringtone encoder, byte for byte against the format
// as written down independently (a small bit writer below), and the
// statement of fit it gives with the bytes.

#include "phone/RingtoneMessage.h"

#include <QTest>

using namespace brivello::phone;
using namespace Qt::StringLiterals;
using Kind = RingtoneChange::Kind;

namespace {

// The format from its description: command part "ringing tone programming",
// "sound", basic song, title, one pattern whose instructions are the scale
// and style before the first note and before every note that changes
// scale, the tempo before the first note, and one instruction per note.
class BitWriter
{
public:
    void put(int value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) {
            if (m_bits % 8 == 0)
                m_bytes.append('\0');
            if ((value >> i) & 1)
                m_bytes[m_bytes.size() - 1] = char(m_bytes.back() | (0x80 >> (m_bits % 8)));
            ++m_bits;
        }
    }
    void align() { m_bits = (m_bits + 7) / 8 * 8; }
    QByteArray bytes() const { return m_bytes; }
    int bits() const { return m_bits; }
    void patch(int bitPosition, int value)
    {
        for (int i = 0; i < 8; ++i) {
            const int bit = bitPosition + i;
            const char mask = char(0x80 >> (bit % 8));
            m_bytes[bit / 8] =
                char((value >> (7 - i)) & 1 ? m_bytes[bit / 8] | mask : m_bytes[bit / 8] & ~mask);
        }
    }

private:
    QByteArray m_bytes;
    int m_bits = 0;
};

struct FormatNote
{
    int pitch;    // -1 pause, 0..11
    int duration; // 1..32
    bool dotted;
    int octave; // 4..7
};

int tempoCode(int bpm)
{
    const std::vector<int> &tempos = smartTempos();
    return int(std::find(tempos.begin(), tempos.end(), bpm) - tempos.begin());
}

QByteArray formatBytes(const QByteArray &title, int bpm, const std::vector<FormatNote> &notes)
{
    BitWriter w;
    w.put(2, 8);    // two command parts
    w.put(0x25, 7); // ringing tone programming
    w.align();
    w.put(0x1D, 7); // sound
    w.put(1, 3);    // basic song type
    w.put(int(title.size()), 4);
    for (const char c : title)
        w.put(uchar(c), 8);
    w.put(1, 8); // one pattern
    w.put(0, 3); // pattern header
    w.put(0, 2); // A part
    // The loop value libGammu writes, 5. Its source calls the value
    // "infinite" (15); phones repeat a ringing tone until it is answered
    // whatever the value, and the bytes that reach them are these.
    w.put(5, 4);
    const int countAt = w.bits();
    w.put(0, 8);
    int instructions = 0;
    int scale = -1;
    bool styled = false;
    bool tempoSet = false;
    for (const FormatNote &n : notes) {
        if (n.pitch >= 0 && n.octave - 4 != scale) {
            scale = n.octave - 4;
            w.put(2, 3);
            w.put(scale, 2);
            ++instructions;
        }
        if (n.pitch >= 0 && !styled) {
            styled = true;
            w.put(3, 3);
            w.put(0, 2); // natural style
            ++instructions;
        }
        if (!tempoSet) {
            tempoSet = true;
            w.put(4, 3);
            w.put(tempoCode(bpm), 5);
            ++instructions;
        }
        w.put(1, 3);
        w.put(n.pitch + 1, 4);
        w.put(int(std::log2(n.duration)), 3);
        w.put(n.dotted ? 1 : 0, 2);
        ++instructions;
    }
    w.align();
    w.put(0, 8); // command end
    w.patch(countAt, instructions);
    return w.bytes();
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

// A long melody through the four octaves; `octaves` 4 changes octave at
// every note, so that every note carries a scale instruction too.
QString longMelody(int notes, int octaves = 4)
{
    QStringList tokens;
    for (int i = 0; i < notes; ++i)
        tokens << u"16%1%2"_s.arg(QChar(u"cdefgab"[i % 7])).arg(4 + i % octaves);
    return u"Lunga:d=4,o=5,b=200:"_s + tokens.join(u',');
}

std::vector<FormatNote> longMelodyNotes(int notes, int octaves = 4)
{
    static constexpr int pitches[] = {0, 2, 4, 5, 7, 9, 11};
    std::vector<FormatNote> list;
    for (int i = 0; i < notes; ++i)
        list.push_back({pitches[i % 7], 16, false, 4 + i % octaves});
    return list;
}

QStringList changeTexts(const RingtoneFit &fit)
{
    QStringList texts;
    for (const RingtoneChange &change : fit.changes)
        texts << change.text;
    return texts;
}

} // namespace

class TestRingtoneMessage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onePartIsTheFormatsOwnBytes();
    void severalPartsShareOneReference();
    void unsupportedLengthIsSentAsTheNearestAndSaid();
    void octaveOutOfRangeIsSentAtTheEdgeAndSaid();
    void dottedPauseGoesAsTwoPauses();
    void leadingPausesAreDroppedAndSaid();
    void notesBeyondTheLimitAreDroppedAndSaid();
    void tempoOutsideTheTableIsRoundedUpAndSaid();
    // libGammu writes any title whole and in the locale's coding, which
    // corrupted every bit after a long or accented title.
    void titleIsCutToFifteenPlainLetters();
    void readerMendsAreReported();
    void textThatIsNoRingtoneGivesNoParts();
    void bytesReadBackAsTheMelody();
};

void TestRingtoneMessage::onePartIsTheFormatsOwnBytes()
{
    const RingtoneMessage m = encodeRingtoneText(u"Test:d=4,o=5,b=125:8c,8d,e,2g.,8p,c6");
    QVERIFY2(m.ok(), qPrintable(m.error));
    QCOMPARE(m.message.port, SmartPort::Ringtone);
    QCOMPARE(m.message.partCount(), 1);
    QCOMPARE(hex(m.message.parts[0].udh), u"06050415810000"_s);
    QCOMPARE(hex(m.message.parts[0].data), u"024A3A515195CDD0040A149647116136154182906288A000"_s);
    QCOMPARE(m.message.parts[0].data, formatBytes("Test", 125,
                                                  {{0, 8, false, 5},
                                                   {2, 8, false, 5},
                                                   {4, 4, false, 5},
                                                   {7, 2, true, 5},
                                                   {-1, 8, false, 5},
                                                   {0, 4, false, 6}}));
    QCOMPARE(m.message.parts[0].messageClass, 1);
    QVERIFY(m.fit.isSingleSms());
    QCOMPARE(m.fit.notesInMelody, 6);
    QCOMPARE(m.fit.notesSent, 6);
    QCOMPARE(m.fit.bpmSent, 125);
    QCOMPARE(m.fit.titleSent, u"Test"_s);
    QCOMPARE(m.fit.statement(),
             u"Entra in un solo SMS: la riceve ogni telefono Nokia che accetta suonerie via "
             u"SMS (Smart Messaging).\nTutte le note sono inviate come sono."_s);
}

void TestRingtoneMessage::severalPartsShareOneReference()
{
    const RingtoneMessage m = encodeRingtoneText(longMelody(123));
    QVERIFY2(m.ok(), qPrintable(m.error));
    QCOMPARE(m.message.partCount(), 3);
    const QByteArray expected = formatBytes("Lunga", 200, longMelodyNotes(123));
    QCOMPARE(hex(m.message.payload()), hex(expected));
    // 140 bytes an SMS, 12 of them the header that names port and part.
    QCOMPARE(m.message.parts[0].data, expected.left(128));
    QCOMPARE(m.message.parts[1].data, expected.mid(128, 128));
    QCOMPARE(m.message.parts[2].data, expected.mid(256));
    const QString reference = u"%1"_s.arg(m.message.reference, 2, 16, QLatin1Char('0')).toUpper();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(hex(m.message.parts[size_t(i)].udh),
                 u"0B0504158100000003"_s + reference + u"030"_s + QString::number(i + 1));
    QCOMPARE(m.message.reference, referenceFor(expected));
    QCOMPARE(m.fit.partCount, 3);
    QVERIFY(m.fit.phones().contains(u"3 SMS concatenati"_s));
    QVERIFY(m.fit.phones().contains(u"un telefono che accetta solo suonerie di un SMS la scarta"_s));
    // The same ringtone gives the same bytes, reference included.
    QCOMPARE(encodeRingtoneText(longMelody(123)).message.parts, m.message.parts);
    QCOMPARE(m.fit.changes.size(), 0u);

    const RingtoneMessage two = encodeRingtoneText(longMelody(100, 1));
    QCOMPARE(two.message.partCount(), 2);
    QCOMPARE(hex(two.message.payload()), hex(formatBytes("Lunga", 200, longMelodyNotes(100, 1))));
    QVERIFY(two.message.reference != m.message.reference);
}

void TestRingtoneMessage::unsupportedLengthIsSentAsTheNearestAndSaid()
{
    const RingtoneMessage m = encodeRingtoneText(u"Lung:d=4,o=5,b=100:c,3d,e");
    QVERIFY2(m.ok(), qPrintable(m.error));
    QCOMPARE(m.message.parts[0].data,
             formatBytes("Lung", 100, {{0, 4, false, 5}, {2, 4, false, 5}, {4, 4, false, 5}}));
    QVERIFY(m.fit.hasChange(Kind::LengthChanged));
    QCOMPARE(changeTexts(m.fit), QStringList{u"Nota 2 «3d»: durata 3 non prevista, inviata come 1/4."_s});
    QVERIFY(m.fit.statement().endsWith(u"\nNota 2 «3d»: durata 3 non prevista, inviata come 1/4."_s));
}

void TestRingtoneMessage::octaveOutOfRangeIsSentAtTheEdgeAndSaid()
{
    const RingtoneMessage m = encodeRingtoneText(u"Alta:d=8,o=6,b=160:c,d8,e3,f"_s);
    QVERIFY2(m.ok(), qPrintable(m.error));
    QCOMPARE(
        m.message.parts[0].data,
        formatBytes("Alta", 160, {{0, 8, false, 6}, {2, 8, false, 7}, {4, 8, false, 4}, {5, 8, false, 6}}));
    QCOMPARE(changeTexts(m.fit),
             (QStringList{
                 u"Nota 2 «d8»: ottava 8 fuori dalle quattro dei telefoni (4–7), inviata all'ottava 7."_s,
                 u"Nota 3 «e3»: ottava 3 fuori dalle quattro dei telefoni (4–7), inviata all'ottava 4."_s}));

    // A melody handed over as notes is checked the same way.
    brivello::melody::Melody melody;
    melody.name = u"Note"_s;
    melody.bpm = 125;
    melody.notes = {{4, false, 0, 9}, {3, false, 2, 5}};
    const RingtoneMessage fromNotes = encodeRingtone(melody);
    QCOMPARE(fromNotes.message.parts[0].data, formatBytes("Note", 125, {{0, 4, false, 7}, {2, 4, false, 5}}));
    QCOMPARE(changeTexts(fromNotes.fit),
             (QStringList{u"Nota 1: ottava 9 fuori dalle quattro dei telefoni (4–7), inviata all'ottava 7."_s,
                          u"Nota 2: durata 1/3 non prevista, inviata come 1/4."_s}));
}

void TestRingtoneMessage::dottedPauseGoesAsTwoPauses()
{
    const RingtoneMessage m = encodeRingtoneText(u"Pausa:d=4,o=5,b=100:c,8p.,d,32p.,e");
    QVERIFY2(m.ok(), qPrintable(m.error));
    QCOMPARE(m.message.parts[0].data, formatBytes("Pausa", 100,
                                                  {{0, 4, false, 5},
                                                   {-1, 8, false, 5},
                                                   {-1, 16, false, 5},
                                                   {2, 4, false, 5},
                                                   {-1, 32, false, 5},
                                                   {4, 4, false, 5}}));
    QCOMPARE(changeTexts(m.fit),
             (QStringList{
                 u"Nota 2: pausa puntata inviata come due pause (1/8 e 1/16), della stessa durata."_s,
                 u"Nota 4: pausa puntata da 1/32 inviata come pausa da 1/32, la più corta del formato."_s}));
}

void TestRingtoneMessage::leadingPausesAreDroppedAndSaid()
{
    const RingtoneMessage m = encodeRingtoneText(u"Attesa:d=4,o=5,b=100:p,8p,c,p,d");
    QCOMPARE(m.message.parts[0].data,
             formatBytes("Attesa", 100, {{0, 4, false, 5}, {-1, 4, false, 5}, {2, 4, false, 5}}));
    QCOMPARE(m.fit.notesInMelody, 5);
    QCOMPARE(m.fit.notesSent, 3);
    QCOMPARE(
        changeTexts(m.fit),
        QStringList{u"Le 2 pause iniziali sono state tolte: la suoneria deve cominciare con una nota."_s});
    QVERIFY(!encodeRingtoneText(u"Zitto:d=4,o=5,b=100:p,p").ok());
}

void TestRingtoneMessage::notesBeyondTheLimitAreDroppedAndSaid()
{
    const RingtoneMessage plain = encodeRingtoneText(longMelody(150, 1));
    QVERIFY2(plain.ok(), qPrintable(plain.error));
    QCOMPARE(plain.fit.notesSent, MaxSmartNotes);
    QCOMPARE(hex(plain.message.payload()), hex(formatBytes("Lunga", 200, longMelodyNotes(MaxSmartNotes, 1))));
    QCOMPARE(
        changeTexts(plain.fit),
        QStringList{u"Le note dalla 131 in poi (20 su 150) sono state tolte: una suoneria Smart Messaging "
                    u"ne porta al massimo 130."_s});

    // A count past 255 wrapped in libGammu's byte: a phone read the first
    // six instructions of this ringtone and nothing more.
    const RingtoneMessage leaping = encodeRingtoneText(longMelody(150));
    QCOMPARE(leaping.fit.notesSent, 126);
    QCOMPARE(hex(leaping.message.payload()), hex(formatBytes("Lunga", 200, longMelodyNotes(126))));
    QCOMPARE(decodeSmartRingtone(leaping.message.payload()).notes.size(), 126u);
    QCOMPARE(
        changeTexts(leaping.fit),
        QStringList{u"Le note dalla 127 in poi (24 su 150) sono state tolte: una suoneria Smart Messaging "
                    u"porta al massimo 255 istruzioni, e ogni nota e ogni cambio d'ottava ne occupa una."_s});
}

void TestRingtoneMessage::tempoOutsideTheTableIsRoundedUpAndSaid()
{
    const RingtoneMessage m = encodeRingtoneText(u"Tempo:d=4,o=5,b=130:c");
    QCOMPARE(m.message.parts[0].data, formatBytes("Tempo", 140, {{0, 4, false, 5}}));
    QCOMPARE(m.fit.bpmSent, 140);
    QCOMPARE(m.fit.changes.size(), 1u);
    QVERIFY(m.fit.changes[0].text.startsWith(u"Tempo 130 inviato come 140 battiti al minuto"_s));
}

void TestRingtoneMessage::titleIsCutToFifteenPlainLetters()
{
    const RingtoneMessage accented = encodeRingtoneText(u"Händel Fêté~:d=4,o=5,b=100:c");
    QCOMPARE(accented.message.parts[0].data, formatBytes("Handel Fete", 100, {{0, 4, false, 5}}));
    QCOMPARE(accented.fit.titleSent, u"Handel Fete"_s);
    const RingtoneMessage longTitle = encodeRingtoneText(u"Una canzone dal titolo lungo:d=4,o=5,b=100:c");
    QCOMPARE(longTitle.message.parts[0].data, formatBytes("Una canzone dal", 100, {{0, 4, false, 5}}));
    QCOMPARE(changeTexts(longTitle.fit),
             QStringList{
                 u"Titolo inviato come «Una canzone dal»: il formato ne porta al massimo 15 lettere, senza "
                 u"accenti."_s});
}

void TestRingtoneMessage::readerMendsAreReported()
{
    const RingtoneMessage m = encodeRingtoneText(u"Mendo:d=4,o=5,b=100:C,h,");
    QVERIFY2(m.ok(), qPrintable(m.error));
    QCOMPARE(m.message.parts[0].data, formatBytes("Mendo", 100, {{0, 4, false, 5}, {11, 4, false, 5}}));
    QCOMPARE(changeTexts(m.fit), (QStringList{u"Testo corretto: Maiuscole lette come minuscole."_s,
                                              u"Testo corretto: 'h' letto come 'b'."_s,
                                              u"Testo corretto: Virgola finale superflua."_s}));
}

void TestRingtoneMessage::textThatIsNoRingtoneGivesNoParts()
{
    const RingtoneMessage m = encodeRingtoneText(u"solo testo senza note");
    QVERIFY(!m.ok());
    QVERIFY(m.message.parts.empty());
    QVERIFY(m.error.startsWith(u"Il testo non è una suoneria: "_s));
}

void TestRingtoneMessage::bytesReadBackAsTheMelody()
{
    const RingtoneMessage m = encodeRingtoneText(u"Ritorno:d=8,o=6,b=63:c,2d#.,p,4a#5,32b7,1g4");
    const SmartRingtone back = decodeSmartRingtone(m.message.payload());
    QVERIFY(back.ok);
    QCOMPARE(back.title, u"Ritorno"_s);
    QCOMPARE(back.bpm, 63);
    const std::vector<SmartNote> expected{{0, 8, 0, 6},  {3, 2, 1, 6},   {-1, 8, 0, 6},
                                          {10, 4, 0, 5}, {11, 32, 0, 7}, {7, 1, 0, 4}};
    QCOMPARE(back.notes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        QVERIFY2(back.notes[i] == expected[i], qPrintable(QString::number(i)));
    QVERIFY(!decodeSmartRingtone(QByteArray::fromHex("024A3A51")).ok);
}

QTEST_GUILESS_MAIN(TestRingtoneMessage)
#include "test_ringtonemessage.moc"
