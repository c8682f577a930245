// Plays a melody through the tools' real sound output (Qt Multimedia) into
// the sound server and records what comes out, so a broken audio path fails
// here and not in the user's ears: the melody sounds as long as it lasts and
// its repeated notes are heard apart. Skipped, saying why, when no sound
// server answers.
#include "platform/QtSystem.h"
#include "tests/support/SoundMonitor.h"
#include "tools/ringtonetools/MelodyPlayer.h"
#include "tools/ringtonetools/SoundOutput.h"

#include <QSignalSpy>
#include <QTest>

#include <cstdlib>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::ringtonetools;

class TestRealSound : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aMelodySoundsAsLongAsItLastsWithItsRepeatedNotesApart()
    {
        const QString unavailable = test::SoundMonitor::unavailable();
        if (!unavailable.isEmpty())
            QSKIP(qPrintable(unavailable + u": the real sound output is not tested here."_s));

        const melody::RtttlReading reading = melody::readRtttl(u"Ripetuta:d=4,o=5,b=120:a,a,a,a,c6,c6");
        QVERIFY(reading.ok());
        const int expectedMs = int(melody::duration(reading.melody).count());

        test::SoundMonitor monitor;
        QVERIFY2(monitor.start(), "parec did not start recording");

        platform::QtClock clock;
        MelodyPlayer player(makeQtSoundOutput(), clock);
        QSignalSpy failed(&player, &MelodyPlayer::failed);
        QSignalSpy notes(&player, &MelodyPlayer::noteChanged);
        player.setMelody(reading.melody);
        QVERIFY2(player.play(), failed.isEmpty() ? "" : qPrintable(failed.first().first().toString()));
        QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), expectedMs + 10000);
        QVERIFY(monitor.finish());

        // The player went through every note on its way.
        QList<int> seen;
        for (const QList<QVariant> &signal : notes)
            seen << signal.first().toInt();
        for (int note = 0; note < 6; ++note)
            QVERIFY2(seen.contains(note), qPrintable(u"note %1 never shown"_s.arg(note)));

        const test::Heard heard = test::listen(monitor.samples());
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
