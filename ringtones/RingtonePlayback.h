#pragma once

#include <QObject>
#include <QString>

namespace brivello::ringtones {

class frmRing;

// Plays the recording of the selected ringtone through the platform's wave
// player and keeps the play and stop buttons in step with it.
class RingtonePlayback : public QObject
{
    Q_OBJECT
public:
    explicit RingtonePlayback(frmRing &window);

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

    frmRing &m_window;
};

} // namespace brivello::ringtones
