#pragma once

// The controls every ringtone tool plays with: play, stop, loop, the tempo,
// and the note that sounds now, in RTTTL and in words.

#include "ringtones/melody/Melody.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace brivello::platform {
class Clock;
}

namespace brivello::ringtonetools {

class MelodyPlayer;
class SoundOutput;

class PlayerBar : public QWidget
{
    Q_OBJECT
public:
    enum class Controls { Full, PlayStopOnly };
    PlayerBar(std::shared_ptr<SoundOutput> output, platform::Clock &clock, Controls controls,
              QWidget *parent = nullptr);
    ~PlayerBar() override;

    // The melody to play; a new one stops the old and sets the tempo box.
    void setMelody(const melody::Melody &tune);
    MelodyPlayer &player() const { return *m_player; }

    QPushButton &playButton() const { return *m_play; }
    QPushButton &stopButton() const { return *m_stop; }
    QCheckBox &loopBox() const { return *m_loop; }
    QSpinBox &tempoBox() const { return *m_tempo; }
    QLabel &noteLabel() const { return *m_note; }

Q_SIGNALS:
    // Something could not be played; the message is for the user.
    void failed(const QString &message);

private:
    void showNote(int index);
    void showPlaying(bool playing);

    MelodyPlayer *m_player = nullptr;
    QPushButton *m_play = nullptr;
    QPushButton *m_stop = nullptr;
    QCheckBox *m_loop = nullptr;
    QSpinBox *m_tempo = nullptr;
    QLabel *m_note = nullptr;
};

} // namespace brivello::ringtonetools
