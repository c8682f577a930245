// Plays a melody through the tools' real sound output (Qt Multimedia) into
// the sound server and records what comes out, so a broken audio path fails
// here and not in the user's ears: the melody sounds as long as it lasts and
// its repeated notes are heard apart. Skipped, saying why, when no sound
// server answers.
#include "platform/QtSystem.h"
#include "tools/ringtonetools/MelodyPlayer.h"
#include "tools/ringtonetools/SoundOutput.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <cstdlib>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::ringtonetools;

namespace {

constexpr int RecordRate = 8000;
constexpr int Loud = 2000;

bool soundServerAnswers()
{
    if (QStandardPaths::findExecutable(u"pactl"_s).isEmpty())
        return false;
    QProcess pactl;
    pactl.start(u"pactl"_s, {u"info"_s});
    return pactl.waitForFinished(5000) && pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
}

struct Heard
{
    int milliseconds = 0; // from the first loud sample to the last
    int gaps = 0;         // quiet stretches of 4 ms or more between them
};

Heard listen(const QByteArray &raw)
{
    const auto *samples = reinterpret_cast<const qint16 *>(raw.constData());
    const qsizetype count = raw.size() / 2;
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < count; ++i) {
        if (std::abs(int(samples[i])) > Loud) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    Heard heard;
    if (first < 0)
        return heard;
    heard.milliseconds = int((last - first + 1) * 1000 / RecordRate);
    qsizetype quiet = 0;
    for (qsizetype i = first; i <= last; ++i) {
        if (std::abs(int(samples[i])) <= Loud / 4) {
            ++quiet;
            continue;
        }
        if (quiet >= RecordRate * 4 / 1000)
            ++heard.gaps;
        quiet = 0;
    }
    return heard;
}

} // namespace

class TestRealSound : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aMelodySoundsAsLongAsItLastsWithItsRepeatedNotesApart()
    {
        if (!soundServerAnswers())
            QSKIP("No sound server answers (pactl info failed): the real sound output is not tested here.");
        if (QStandardPaths::findExecutable(u"parec"_s).isEmpty())
            QSKIP("parec is missing: cannot record the sound server's output.");

        const melody::RtttlReading reading = melody::readRtttl(u"Ripetuta:d=4,o=5,b=120:a,a,a,a,c6,c6");
        QVERIFY(reading.ok());
        const int expectedMs = int(melody::duration(reading.melody).count());

        QProcess recorder;
        recorder.start(u"parec"_s, {u"--device=@DEFAULT_MONITOR@"_s, u"--format=s16le"_s,
                                    u"--rate=%1"_s.arg(RecordRate), u"--channels=1"_s, u"--raw"_s});
        QVERIFY2(recorder.waitForStarted(5000), "parec did not start");
        QByteArray recorded;
        connect(&recorder, &QProcess::readyReadStandardOutput, this,
                [&] { recorded += recorder.readAllStandardOutput(); });
        // The recorder runs once the first block of (silent) samples arrives.
        QTRY_VERIFY_WITH_TIMEOUT(!recorded.isEmpty(), 5000);

        platform::QtClock clock;
        MelodyPlayer player(makeQtSoundOutput(), clock);
        QSignalSpy failed(&player, &MelodyPlayer::failed);
        QSignalSpy notes(&player, &MelodyPlayer::noteChanged);
        player.setMelody(reading.melody);
        QVERIFY2(player.play(), failed.isEmpty() ? "" : qPrintable(failed.first().first().toString()));
        QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), expectedMs + 10000);
        // Keep recording for half a second more, so the tail reaches the monitor.
        const qsizetype wanted = recorded.size() + RecordRate;
        QTRY_VERIFY_WITH_TIMEOUT(recorded.size() >= wanted, 5000);
        recorder.terminate();
        recorder.waitForFinished(5000);

        // The player went through every note on its way.
        QList<int> seen;
        for (const QList<QVariant> &signal : notes)
            seen << signal.first().toInt();
        for (int note = 0; note < 6; ++note)
            QVERIFY2(seen.contains(note), qPrintable(u"note %1 never shown"_s.arg(note)));

        const Heard heard = listen(recorded);
        qInfo("heard %d ms of a melody of %d ms, %d silences between its notes", heard.milliseconds,
              expectedMs, heard.gaps);
        QVERIFY2(heard.milliseconds > 0, "nothing audible came out of the sound server");
        QVERIFY2(
            std::abs(heard.milliseconds - expectedMs) < expectedMs / 5,
            qPrintable(u"heard %1 ms, the melody lasts %2 ms"_s.arg(heard.milliseconds).arg(expectedMs)));
        // Six notes, five joins between them, each with its short silence.
        QVERIFY2(heard.gaps >= 5, qPrintable(u"%1 gaps heard between 6 notes"_s.arg(heard.gaps)));
    }
};

QTEST_MAIN(TestRealSound)
#include "test_realsound.moc"
