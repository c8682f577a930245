#pragma once

// Plays a melody in the buzzer voice on a SoundOutput and follows it note by
// note: which note sounds now, a loop that starts it again, a stop, and a
// tempo that can change while it plays (the melody goes on from the note it
// was at). A timer of the platform's clock asks the output where it is, so
// tests drive playback with a fake clock and a fake output.

#include "ringtones/melody/Melody.h"

#include <QObject>

#include <memory>

namespace brivello::platform {
class Clock;
class Timer;
} // namespace brivello::platform

namespace brivello::ringtonetools {

class SoundOutput;
class VoiceDevice;

class MelodyPlayer : public QObject
{
    Q_OBJECT
public:
    MelodyPlayer(std::shared_ptr<SoundOutput> output, platform::Clock &clock, QObject *parent = nullptr);
    ~MelodyPlayer() override;

    // A new melody stops whatever plays.
    void setMelody(const melody::Melody &tune);
    const melody::Melody &melody() const { return m_tune; }

    // Plays from the first note; false when nothing could sound (failed()
    // has said why) or there is nothing to play.
    bool play();
    void stop();
    bool isPlaying() const { return m_playing; }

    void setLoop(bool loop) { m_loop = loop; }
    bool loops() const { return m_loop; }
    // Beats per minute; while playing, the melody goes on from the current
    // note at the new tempo.
    void setTempo(int bpm);
    int tempo() const { return m_tune.bpm; }

    // The note sounding now, -1 when nothing plays.
    int currentNote() const { return m_current; }

    // How often the player looks where the output is.
    static constexpr int TickMilliseconds = 30;

Q_SIGNALS:
    void noteChanged(int index);
    void playingChanged(bool playing);
    void failed(const QString &message);

private:
    bool startFrom(int note);
    void tick();
    void setCurrent(int note);
    void finish();

    std::shared_ptr<SoundOutput> m_output;
    std::unique_ptr<platform::Timer> m_timer;
    std::unique_ptr<VoiceDevice> m_device;
    melody::Melody m_tune;
    bool m_playing = false;
    bool m_loop = false;
    int m_current = -1;
};

} // namespace brivello::ringtonetools
