// The buzzer voice the tools play and save melodies with, and the player that
// follows it note by note (with a fake output and a fake clock).
#include "platform/Clock.h"
#include "tests/ringtonetools/ToolFakes.h"
#include "tools/ringtonetools/BuzzerVoice.h"
#include "tools/ringtonetools/MelodyPlayer.h"

#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

#include <cmath>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::ringtonetools;

namespace {

melody::Melody tune(QStringView rtttl)
{
    const melody::RtttlReading reading = melody::readRtttl(rtttl);
    if (!reading.ok())
        qFatal("test melody unreadable: %s", qPrintable(reading.error));
    return reading.melody;
}

std::vector<qint16> samplesOf(const QByteArray &wav)
{
    std::vector<qint16> samples(static_cast<std::size_t>((wav.size() - 44) / 2));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = qFromLittleEndian<qint16>(wav.constData() + 44 + 2 * i);
    return samples;
}

int peak(const std::vector<qint16> &samples, std::size_t from, std::size_t to)
{
    int loudest = 0;
    for (std::size_t i = from; i < to && i < samples.size(); ++i)
        loudest = std::max(loudest, std::abs(int(samples[i])));
    return loudest;
}

// Sign changes per second, halved: the frequency of a square wave.
double frequencyOf(const std::vector<qint16> &samples, std::size_t from, std::size_t to)
{
    int changes = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0) && samples[i - 1] != 0 && samples[i] != 0)
            ++changes;
    }
    return changes / 2.0 / (double(to - from) / VoiceSampleRate);
}

} // namespace

class TestVoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wavIsFortyFourKilohertzSixteenBitMonoAsLongAsTheMelody()
    {
        const melody::Melody scale = tune(u"Scala:d=4,o=5,b=120:c,d,e,f,g,a,b,c6");
        const auto wav = voiceWav(scale);
        QVERIFY(wav);
        QCOMPARE(wav->left(4), QByteArray("RIFF"));
        QCOMPARE(wav->mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint16>(wav->constData() + 20), quint16(1)); // PCM
        QCOMPARE(qFromLittleEndian<quint16>(wav->constData() + 22), quint16(1)); // mono
        QCOMPARE(qFromLittleEndian<quint32>(wav->constData() + 24), quint32(44100));
        QCOMPARE(qFromLittleEndian<quint32>(wav->constData() + 28), quint32(88200));
        QCOMPARE(qFromLittleEndian<quint16>(wav->constData() + 34), quint16(16));
        QCOMPARE(wav->mid(36, 4), QByteArray("data"));
        const quint32 dataBytes = qFromLittleEndian<quint32>(wav->constData() + 40);
        QCOMPARE(qsizetype(dataBytes), wav->size() - 44);
        QCOMPARE(qFromLittleEndian<quint32>(wav->constData() + 4), quint32(wav->size() - 8));
        // Eight quarters at 120 bpm: four seconds.
        QCOMPARE(dataBytes, quint32(4 * 44100 * 2));
    }

    void notesSoundAtTheirPitchAndRepeatedNotesStayApart()
    {
        const std::vector<qint16> samples = samplesOf(*voiceWav(tune(u"Ripetuta:d=4,o=5,b=60:a,a")));
        QCOMPARE(samples.size(), std::size_t(2 * 44100));
        // a5 sounds at 880 Hz, within a cycle's rounding.
        QVERIFY(std::abs(frequencyOf(samples, 4410, 30000) - 880.0) < 5.0);
        // The first note's last moments and the second's first are silent or
        // ramping: the two are heard as two.
        QCOMPARE(peak(samples, 44100 - 300, 44100), 0);
        QVERIFY(peak(samples, 44100, 44100 + 20) < 10000);
        QVERIFY(peak(samples, 44100 + 300, 44100 + 2000) > 14000);
        // Each note starts with a short ramp, not a click.
        QVERIFY(std::abs(int(samples[0])) < 200);
        QVERIFY(peak(samples, 0, 40) < 8000);
    }

    void pausesAreSilent()
    {
        const std::vector<qint16> samples = samplesOf(*voiceWav(tune(u"Pausa:d=4,o=5,b=60:p,c")));
        QCOMPARE(peak(samples, 0, 44100), 0);
        QVERIFY(peak(samples, 44100, 2 * 44100) > 14000);
    }

    void aMelodyLongerThanTwentyMinutesIsNotRecorded()
    {
        melody::Melody slow = tune(u"Lenta:d=1,o=5,b=25:c");
        slow.notes.assign(200, slow.notes.front()); // 200 whole notes at 25 bpm: 32 minutes
        QVERIFY(!voiceWav(slow));
    }

    void renderingInSmallBlocksGivesTheSameSamplesAndFindsEachNote()
    {
        const melody::Melody tune3 = tune(u"Tre:d=8,o=6,b=140:c,16d#,4p,2g.");
        const std::vector<qint16> whole = samplesOf(*voiceWav(tune3));
        VoiceRenderer renderer(tune3, 0);
        std::vector<qint16> blocks;
        qint16 block[333];
        while (const qint64 made = renderer.render(block, 333))
            blocks.insert(blocks.end(), block, block + made);
        QVERIFY(renderer.atEnd());
        QVERIFY(blocks == whole);
        // c lasts 8/140 of a minute: 214 ms; d# 107 ms; the pause 429 ms.
        QCOMPARE(renderer.noteAt(0), 0);
        QCOMPARE(renderer.noteAt(213), 0);
        QCOMPARE(renderer.noteAt(215), 1);
        QCOMPARE(renderer.noteAt(330), 2);
        QCOMPARE(renderer.noteAt(800), 3);
        QCOMPARE(renderer.noteAt(60000), 3);
        // From the third note on, the first rendered note is the third.
        VoiceRenderer fromPause(tune3, 2);
        QCOMPARE(fromPause.noteAt(0), 2);
        QCOMPARE(fromPause.totalSamples(), qint64(whole.size()) - std::llround(0.32142857 * 44100));
    }

    void playerFollowsTheNotesLoopsStopsAndChangesTempo()
    {
        test::FakeClock clock;
        auto output = std::make_shared<test::FakeSoundOutput>();
        MelodyPlayer player(output, clock);
        QSignalSpy notes(&player, &MelodyPlayer::noteChanged);
        QSignalSpy playing(&player, &MelodyPlayer::playingChanged);
        player.setMelody(tune(u"Quattro:d=4,o=5,b=60:c,d,e,f"));
        QVERIFY(player.play());
        QCOMPARE(playing.count(), 1);
        QCOMPARE(output->starts().size(), std::size_t(1));
        QCOMPARE(output->starts()[0].sampleRate, 44100);
        QCOMPARE(output->starts()[0].samples.size(), qsizetype(4 * 44100 * 2));
        QCOMPARE(player.currentNote(), 0);

        output->setHeard(2500);
        clock.advance(MelodyPlayer::TickMilliseconds);
        QCOMPARE(player.currentNote(), 2);

        // The tempo doubles at the third note: the rest is rendered anew from it.
        player.setTempo(120);
        QCOMPARE(output->starts().size(), std::size_t(2));
        QCOMPARE(output->starts()[1].samples.size(), qsizetype(2 * 22050 * 2));
        QCOMPARE(player.currentNote(), 2);
        output->setHeard(600);
        clock.advance(MelodyPlayer::TickMilliseconds);
        QCOMPARE(player.currentNote(), 3);

        // With the loop on, the end starts the melody again at its new tempo.
        player.setLoop(true);
        output->finish();
        clock.advance(MelodyPlayer::TickMilliseconds);
        QCOMPARE(output->starts().size(), std::size_t(3));
        QCOMPARE(output->starts()[2].samples.size(), qsizetype(4 * 22050 * 2));
        QCOMPARE(player.currentNote(), 0);
        QVERIFY(player.isPlaying());

        // Without it, the end stops the player.
        player.setLoop(false);
        output->finish();
        clock.advance(MelodyPlayer::TickMilliseconds);
        QVERIFY(!player.isPlaying());
        QCOMPARE(player.currentNote(), -1);
        QCOMPARE(playing.count(), 2);
        QCOMPARE(playing.last().first().toBool(), false);
        QVERIFY(!output->playing());
    }

    void aPlayerWithNoSoundSaysWhyAndStaysAtRest()
    {
        test::FakeClock clock;
        auto output = std::make_shared<test::FakeSoundOutput>();
        MelodyPlayer player(output, clock);
        QSignalSpy failed(&player, &MelodyPlayer::failed);
        player.setMelody(tune(u"Uno:d=4,o=5,b=60:c"));
        output->failNext(u"Nessuna uscita audio."_s);
        QVERIFY(!player.play());
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toString(), u"Nessuna uscita audio."_s);
        QVERIFY(!player.isPlaying());
        QCOMPARE(player.currentNote(), -1);
        // An empty melody plays nothing and asks nothing of the output.
        player.setMelody({});
        QVERIFY(!player.play());
        QVERIFY(output->starts().empty());
    }
};

QTEST_MAIN(TestVoice)
#include "test_voice.moc"
