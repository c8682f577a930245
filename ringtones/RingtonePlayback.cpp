#include "ringtones/RingtonePlayback.h"

#include "data/DiscPaths.h"
#include "platform/Platform.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace brivello::ringtones {

RingtonePlayback::RingtonePlayback(const Controls &controls, RingtoneState &state,
                                   const ui::ButtonImages &images, const platform::Platform &platform,
                                   QObject *parent)
    : QObject(parent), m_controls(controls), m_state(state), m_images(images), m_platform(platform)
{
    connect(&controls.pctPlay, &ui::PictureBox::clicked, this, &RingtonePlayback::pctPlay_Click);
    connect(&controls.pctStop, &ui::PictureBox::clicked, this, &RingtonePlayback::pctStop_Click);
}

QString RingtonePlayback::recordingPath(const QString &file)
{
    return data::discPath(u".\\datafiles\\"_s + file + u".dat"_s);
}

void RingtonePlayback::pctPlay_Click()
{
    if (m_state.blnPlaying)
        pctStop_Click();
    const std::optional<RingtoneRow> selected = m_controls.list.selected();
    if (!selected || !m_state.blnSongSelected)
        return;
    if (!data::staysBelow(selected->file)) {
        warn(data::climbsOutMessage(selected->file));
        return;
    }
    // A recording missing from the disc or one the player cannot read leaves
    // the buttons at rest, so that nothing pretends to play.
    if (!openRecording(recordingPath(selected->file))) {
        tellRecordingUnplayable();
        return;
    }
    m_images.paint(m_controls.pctStop, ui::ButtonPicture::Stop);
    m_images.paint(m_controls.pctPlay, ui::ButtonPicture::PlayLit);
    m_platform.wavePlayer->play();
    m_state.blnPlaying = true;
}

bool RingtonePlayback::openRecording(const QString &path)
{
    const QFileInfo recording(path);
    if (!recording.isFile() || !recording.isReadable())
        return false;
    return m_platform.wavePlayer->open(path);
}

void RingtonePlayback::tellRecordingUnplayable()
{
    // A player that cannot start at all says why; else the recording is at fault.
    const QString why = m_platform.wavePlayer->failure();
    if (!why.isEmpty()) {
        warn(u"Impossibile ascoltare il brano: %1."_s.arg(why));
        return;
    }
    warn(u"Impossibile ascoltare il brano: la registrazione manca dal disco "
         "o non può essere letta."_s);
}

void RingtonePlayback::warn(const QString &text)
{
    platform::MessageRequest request;
    request.text = text;
    request.icon = platform::MessageIcon::Warning;
    m_platform.messageBox->show(request);
}

void RingtonePlayback::pctStop_Click()
{
    if (!m_state.blnSongSelected)
        return;
    m_images.paint(m_controls.pctPlay, ui::ButtonPicture::Play);
    m_images.paint(m_controls.pctStop, ui::ButtonPicture::StopIdle);
    platform::WavePlayer &player = *m_platform.wavePlayer;
    player.stop();
    player.close();
    m_state.blnPlaying = false;
}

void RingtonePlayback::checkEndOfPlayback()
{
    const platform::WavePlayer &player = *m_platform.wavePlayer;
    // A player that cannot play what it opened stops, or plays into no output:
    // the buttons return to rest and the user is told why there was no sound.
    const QString failure = player.failure();
    if (!failure.isEmpty()) {
        pctStop_Click();
        warn(u"Impossibile ascoltare il brano: %1."_s.arg(failure));
        return;
    }
    if (player.mode() == platform::PlayerMode::Stopped)
        pctStop_Click();
}

} // namespace brivello::ringtones
