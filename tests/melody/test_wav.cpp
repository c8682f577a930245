// The recordings: RIFF WAVE header fields, length against the melody's tempo
// and dots, the pitch of the square wave, the silences.

#include "ringtones/melody/Melody.h"

#include <QTest>
#include <QtEndian>

using namespace brivello::melody;
using namespace Qt::StringLiterals;

namespace {

constexpr int HeaderSize = 44;

Melody melody(QStringView rtttl)
{
    const RtttlReading r = readRtttl(rtttl);
    if (!r.ok())
        qFatal("test melody unreadable: %s", qPrintable(r.error));
    return r.melody;
}

quint32 le32(const QByteArray &wav, int at)
{
    return qFromLittleEndian<quint32>(wav.constData() + at);
}

quint16 le16(const QByteArray &wav, int at)
{
    return qFromLittleEndian<quint16>(wav.constData() + at);
}

QByteArray samples(const QByteArray &wav)
{
    return wav.mid(HeaderSize, le32(wav, 40));
}

bool silent(char sample)
{
    return static_cast<quint8>(sample) == 128;
}

// Frequency of the square wave in the sounding part of the samples: every
// crossing of the middle line is half a period.
double measuredFrequency(const QByteArray &data, int sampleRate)
{
    int crossings = 0;
    qsizetype sounding = 0;
    for (qsizetype i = 0; i < data.size() && !silent(data[i]); ++i) {
        ++sounding;
        if (i > 0 && data[i] != data[i - 1])
            ++crossings;
    }
    return crossings / 2.0 / (static_cast<double>(sounding) / sampleRate);
}

} // namespace

class TestWav : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headerDescribesTheFile_data();
    void headerDescribesTheFile();
    void lengthFollowsTempoAndDots_data();
    void lengthFollowsTempoAndDots();
    void squareWaveHasThePitch_data();
    void squareWaveHasThePitch();
    void notesEndInSilenceAndPausesAreSilent();
    void emptyMelodyGivesEmptyRecording();
};

void TestWav::headerDescribesTheFile_data()
{
    QTest::addColumn<QString>("rtttl");
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<int>("dataSize");
    // 4 quarters, 2 eighths and a half at 120 bpm: 3.5 s.
    QTest::newRow("8 kHz") << u"Fra Martino:d=4,o=6,b=120:c,d,e,c,8e,8f,2g"_s << 8000 << 28000;
    QTest::newRow("16 kHz") << u"Fra Martino:d=4,o=6,b=120:c,d,e,c,8e,8f,2g"_s << 16000 << 56000;
    // 10.875 quarters at 140 bpm: 4.660714 s, an odd number of samples.
    QTest::newRow("odd size") << u"Prova:d=8,o=5,b=140:c,16d#,4p,2g.,f#6,32a#6,1c7,4p."_s << 8000 << 37286;
}

void TestWav::headerDescribesTheFile()
{
    QFETCH(QString, rtttl);
    QFETCH(int, sampleRate);
    QFETCH(int, dataSize);

    const QByteArray wav = synthesizeWav(melody(rtttl), sampleRate);
    QCOMPARE(wav.left(4), "RIFF"_ba);
    QCOMPARE(le32(wav, 4), quint32(wav.size() - 8));
    QCOMPARE(wav.mid(8, 4), "WAVE"_ba);
    QCOMPARE(wav.mid(12, 4), "fmt "_ba);
    QCOMPARE(le32(wav, 16), 16u);
    QCOMPARE(le16(wav, 20), quint16(1)); // PCM
    QCOMPARE(le16(wav, 22), quint16(1)); // mono
    QCOMPARE(le32(wav, 24), quint32(sampleRate));
    QCOMPARE(le32(wav, 28), quint32(sampleRate)); // bytes per second at 8 bits mono
    QCOMPARE(le16(wav, 32), quint16(1));
    QCOMPARE(le16(wav, 34), quint16(8));
    QCOMPARE(wav.mid(36, 4), "data"_ba);
    QCOMPARE(le32(wav, 40), quint32(dataSize));
    // The data chunk is padded to an even size, and nothing else follows.
    QCOMPARE(wav.size(), HeaderSize + dataSize + dataSize % 2);
}

void TestWav::lengthFollowsTempoAndDots_data()
{
    QTest::addColumn<QString>("rtttl");
    QTest::addColumn<qint64>("milliseconds");
    QTest::newRow("quarter at 60") << u"T:d=4,o=5,b=60:c"_s << qint64(1000);
    QTest::newRow("dotted quarter at 60") << u"T:d=4,o=5,b=60:c."_s << qint64(1500);
    QTest::newRow("quarter at 120") << u"T:d=4,o=5,b=120:c"_s << qint64(500);
    QTest::newRow("whole at 63 default") << u"T::1c"_s << qint64(3810);
    QTest::newRow("dotted 32nd at 900") << u"T:d=32,o=5,b=900:c.,p."_s << qint64(25);
    QTest::newRow("prova") << u"Prova:d=8,o=5,b=140:c,16d#,4p,2g.,f#6,32a#6,1c7,4p."_s << qint64(4661);
}

void TestWav::lengthFollowsTempoAndDots()
{
    QFETCH(QString, rtttl);
    QFETCH(qint64, milliseconds);
    const Melody m = melody(rtttl);
    QCOMPARE(duration(m).count(), milliseconds);
    for (int sampleRate : {8000, 16000}) {
        const QByteArray wav = synthesizeWav(m, sampleRate);
        const double recorded = le32(wav, 40) * 1000.0 / sampleRate;
        // Within one sample (plus the rounding of the duration to whole ms).
        QVERIFY2(std::abs(recorded - milliseconds) <= 0.5 + 1000.0 / sampleRate,
                 qPrintable(u"%1 ms recorded at %2 Hz"_s.arg(recorded).arg(sampleRate)));
    }
}

void TestWav::squareWaveHasThePitch_data()
{
    QTest::addColumn<QString>("rtttl");
    QTest::addColumn<double>("hertz");
    QTest::newRow("a4") << u"A4:d=1,o=4,b=60:a"_s << 440.0;
    QTest::newRow("a5") << u"A5:d=1,o=5,b=60:a"_s << 880.0;
    QTest::newRow("c6") << u"C6:d=1,o=6,b=60:c"_s << 1046.5;
}

void TestWav::squareWaveHasThePitch()
{
    QFETCH(QString, rtttl);
    QFETCH(double, hertz);
    for (int sampleRate : {8000, 16000}) {
        const QByteArray data = samples(synthesizeWav(melody(rtttl), sampleRate));
        // Only two levels: a square wave, not a sine.
        for (char s : data)
            QVERIFY(static_cast<quint8>(s) == 128 + 96 || static_cast<quint8>(s) == 128 - 96 || silent(s));
        const double measured = measuredFrequency(data, sampleRate);
        QVERIFY2(std::abs(measured - hertz) < hertz * 0.005,
                 qPrintable(u"%1 Hz measured at %2 Hz sampling"_s.arg(measured).arg(sampleRate)));
    }
}

void TestWav::notesEndInSilenceAndPausesAreSilent()
{
    // Two equal quarters at 60 bpm, a quarter pause, one more quarter.
    const QByteArray data = samples(synthesizeWav(melody(u"T:d=4,o=5,b=60:a,a,p,a"), 8000));
    QCOMPARE(data.size(), 32000);
    const auto silentRun = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            if (!silent(data[i]))
                return false;
        }
        return true;
    };
    // Each note sounds from its start and falls silent for its last 15 ms (120 samples).
    for (qsizetype start : {0, 8000, 24000}) {
        QVERIFY(!silent(data[start]));
        QVERIFY(!silent(data[start + 8000 - 121]));
        QVERIFY(silentRun(start + 8000 - 120, start + 8000));
    }
    QVERIFY(silentRun(16000, 24000));
}

void TestWav::emptyMelodyGivesEmptyRecording()
{
    const QByteArray wav = synthesizeWav(Melody{}, 8000);
    QCOMPARE(wav.size(), HeaderSize);
    QCOMPARE(le32(wav, 4), 36u);
    QCOMPARE(le32(wav, 40), 0u);
    QCOMPARE(duration(Melody{}).count(), 0);
}

QTEST_GUILESS_MAIN(TestWav)
#include "test_wav.moc"
