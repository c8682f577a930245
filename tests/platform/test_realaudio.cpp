// Plays a real recording through the program's player into the sound server and
// records what comes out of it, so a broken audio path (missing backend
// plugin, wrong sink, player that never starts) fails here and not in the
// user's ears. Skipped, saying why, when no sound server answers.

#include "platform/ModuleWavePlayer.h"
#include "ringtones/melody/Melody.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

using namespace Qt::StringLiterals;

using brivello::platform::ModuleWavePlayer;
using brivello::platform::PlayerMode;

namespace {

constexpr int RecordRate = 8000;

bool soundServerAnswers()
{
    if (QStandardPaths::findExecutable(u"pactl"_s).isEmpty())
        return false;
    QProcess pactl;
    pactl.start(u"pactl"_s, {u"info"_s});
    return pactl.waitForFinished(5000) && pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
}

// Length in milliseconds between the first and the last sample that is
// clearly louder than silence, in signed 16-bit mono samples.
int audibleMilliseconds(const QByteArray &raw)
{
    const auto *samples = reinterpret_cast<const qint16 *>(raw.constData());
    const qsizetype count = raw.size() / 2;
    constexpr int threshold = 2000;
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < count; ++i) {
        if (std::abs(int(samples[i])) > threshold) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return 0;
    return int((last - first + 1) * 1000 / RecordRate);
}

} // namespace

class TestRealAudio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aRecordingSoundsAsLongAsItsMelody()
    {
        if (!soundServerAnswers())
            QSKIP("No sound server answers (pactl info failed): the real audio path is not tested here.");
        if (QStandardPaths::findExecutable(u"parec"_s).isEmpty())
            QSKIP("parec is missing: cannot record the sound server's output.");

        const auto reading = brivello::melody::readRtttl(u"Scala:d=4,o=5,b=120:c,d,e,f,g,a,b,c6");
        QVERIFY2(reading.ok(), qPrintable(reading.error));
        const int expectedMs = int(brivello::melody::duration(reading.melody).count());

        QTemporaryDir dir;
        const QString wav = dir.filePath(u"scala.dat"_s);
        {
            QFile file(wav);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(brivello::melody::synthesizeWav(reading.melody, 8000));
        }

        QProcess recorder;
        recorder.start(u"parec"_s, {u"--device=@DEFAULT_MONITOR@"_s, u"--format=s16le"_s,
                                    u"--rate=%1"_s.arg(RecordRate), u"--channels=1"_s, u"--raw"_s});
        QVERIFY2(recorder.waitForStarted(5000), "parec did not start");
        QByteArray recorded;
        connect(&recorder, &QProcess::readyReadStandardOutput, this,
                [&] { recorded += recorder.readAllStandardOutput(); });
        // The recorder is running once the first block of (silent) samples arrives.
        QTRY_VERIFY_WITH_TIMEOUT(!recorded.isEmpty(), 5000);

        // The program's own player: the wave module loaded from beside the program.
        ModuleWavePlayer player(QString::fromUtf8(BRIVELLO_WAVE_MODULE_DIR));
        QVERIFY(player.open(wav));
        player.play();
        QTRY_COMPARE_WITH_TIMEOUT(player.mode(), PlayerMode::Playing, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(player.mode(), PlayerMode::Stopped, expectedMs + 10000);
        // Keep recording for half a second more, so the tail reaches the monitor.
        const qsizetype wanted = recorded.size() + RecordRate;
        QTRY_VERIFY_WITH_TIMEOUT(recorded.size() >= wanted, 5000);
        player.close();
        recorder.terminate();
        recorder.waitForFinished(5000);

        const int heardMs = audibleMilliseconds(recorded);
        QVERIFY2(heardMs > 0, "nothing audible came out of the sound server");
        // The last note's closing silence is not audible, and the sound server
        // may swallow the first moments while its stream starts.
        QVERIFY2(std::abs(heardMs - expectedMs) < expectedMs / 5,
                 qPrintable(u"heard %1 ms, the melody lasts %2 ms"_s.arg(heardMs).arg(expectedMs)));
    }
};

QTEST_MAIN(TestRealAudio)
#include "test_realaudio.moc"
