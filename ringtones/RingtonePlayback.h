#pragma once

#include "ringtones/RingtoneParts.h"

#include <QObject>
#include <QString>

namespace brivello::platform {
struct Platform;
}
namespace brivello::ui {
class ButtonImages;
class PictureBox;
} // namespace brivello::ui

namespace brivello::ringtones {

// Plays the recording of the selected ringtone through the platform's wave
// player and keeps the play and stop buttons in step with it.
class RingtonePlayback : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        RingtoneList list;
        ui::PictureBox &pctPlay;
        ui::PictureBox &pctStop;
    };

    RingtonePlayback(const Controls &controls, RingtoneState &state, const ui::ButtonImages &images,
                     const platform::Platform &platform, QObject *parent);

    void pctPlay_Click();
    // The stop action; the search, a new play and the end of a recording use
    // it too. It acts only while a ringtone is selected.
    void pctStop_Click();
    // Runs the stop action once the player reports that the recording ended.
    void checkEndOfPlayback();

    // The recording of a ringtone: datafiles\<bestand>.dat below the program.
    static QString recordingPath(const QString &file);

private:
    bool openRecording(const QString &path);
    void tellRecordingUnplayable();
    void warn(const QString &text);

    Controls m_controls;
    RingtoneState &m_state;
    const ui::ButtonImages &m_images;
    const platform::Platform &m_platform;
};

} // namespace brivello::ringtones
