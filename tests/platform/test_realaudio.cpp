// Plays a real recording through the program's player into the sound server and
// records what comes out of it, so a broken audio path (missing backend
// plugin, wrong sink, player that never starts) fails here and not in the
// user's ears. Skipped, saying why, when no sound server answers.

#include "platform/ModuleWavePlayer.h"
#include "ringtones/melody/Melody.h"
#include "tests/support/SoundMonitor.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace test = brivello::test;
using brivello::platform::ModuleWavePlayer;
using brivello::platform::PlayerMode;

class TestRealAudio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aRecordingSoundsAsLongAsItsMelody()
    {
        const QString unavailable = test::SoundMonitor::unavailable();
        if (!unavailable.isEmpty())
            QSKIP(qPrintable(unavailable + u": the real audio path is not tested here."_s));

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

        test::SoundMonitor monitor;
        QVERIFY2(monitor.start(), "parec did not start recording");

        // The program's own player: the wave module loaded from beside the program.
        ModuleWavePlayer player(QString::fromUtf8(BRIVELLO_WAVE_MODULE_DIR));
        QVERIFY(player.open(wav));
        player.play();
        QTRY_COMPARE_WITH_TIMEOUT(player.mode(), PlayerMode::Playing, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(player.mode(), PlayerMode::Stopped, expectedMs + 10000);
        QVERIFY(monitor.finish());
        player.close();

        const int heardMs = test::listen(monitor.samples()).milliseconds;
        QVERIFY2(heardMs > 0, "nothing audible came out of the sound server");
        // The last note's closing silence is not audible, and the sound server
        // may swallow the first moments while its stream starts.
        QVERIFY2(std::abs(heardMs - expectedMs) < expectedMs / 5,
                 qPrintable(u"heard %1 ms, the melody lasts %2 ms"_s.arg(heardMs).arg(expectedMs)));
    }
};

QTEST_MAIN(TestRealAudio)
#include "test_realaudio.moc"
