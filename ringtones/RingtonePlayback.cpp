#include "ringtones/RingtonePlayback.h"

#include "data/DiscPaths.h"
#include "platform/Platform.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/frmRing.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"

#include <QFileInfo>
#include <QTreeView>

namespace brivello::ringtones {

RingtonePlayback::RingtonePlayback(frmRing &window) : QObject(&window), m_window(window)
{
    connect(&window.pctPlay(), &ui::PictureBox::clicked, this, &RingtonePlayback::pctPlay_Click);
    connect(&window.pctStop(), &ui::PictureBox::clicked, this, &RingtonePlayback::pctStop_Click);
}

QString RingtonePlayback::recordingPath(const QString &file)
{
    return data::discPath(QStringLiteral(".\\datafiles\\") + file + QStringLiteral(".dat"));
}

void RingtonePlayback::pctPlay_Click()
{
    if (m_window.blnPlaying())
        pctStop_Click();
    const RingtoneListModel &model = m_window.listModel();
    const int row = m_window.lstMain().currentIndex().row();
    if (model.rowCount() == 0 || !m_window.blnSongSelected() || row < 0 || model.isNoResult(row))
        return;
    const QString file = model.row(row).file;
    if (!data::staysBelow(file)) {
        platform::MessageRequest refusal;
        refusal.text = data::climbsOutMessage(file);
        refusal.icon = platform::MessageIcon::Warning;
        m_window.platform().messageBox->show(refusal);
        return;
    }
    // A recording missing from the disc or one the player cannot read leaves
    // the buttons at rest, so that nothing pretends to play.
    if (!openRecording(recordingPath(file))) {
        tellRecordingUnplayable();
        return;
    }
    m_window.imgKnoppen().paint(m_window.pctStop(), ui::ButtonPicture::Stop);
    m_window.imgKnoppen().paint(m_window.pctPlay(), ui::ButtonPicture::PlayLit);
    m_window.platform().wavePlayer->play();
    m_window.setPlaying(true);
}

bool RingtonePlayback::openRecording(const QString &path)
{
    const QFileInfo recording(path);
    if (!recording.isFile() || !recording.isReadable())
        return false;
    return m_window.platform().wavePlayer->open(path);
}

void RingtonePlayback::tellRecordingUnplayable()
{
    platform::MessageRequest request;
    request.text = QStringLiteral("Impossibile ascoltare il brano: la registrazione manca dal disco "
                                  "o non può essere letta.");
    request.icon = platform::MessageIcon::Warning;
    m_window.platform().messageBox->show(request);
}

void RingtonePlayback::pctStop_Click()
{
    if (!m_window.blnSongSelected())
        return;
    m_window.imgKnoppen().paint(m_window.pctPlay(), ui::ButtonPicture::Play);
    m_window.imgKnoppen().paint(m_window.pctStop(), ui::ButtonPicture::StopIdle);
    platform::WavePlayer &player = *m_window.platform().wavePlayer;
    player.stop();
    player.close();
    m_window.setPlaying(false);
}

void RingtonePlayback::checkEndOfPlayback()
{
    const platform::WavePlayer &player = *m_window.platform().wavePlayer;
    // A player that cannot play what it opened stops, or plays into no output:
    // the buttons return to rest and the user is told why there was no sound.
    const QString failure = player.failure();
    if (!failure.isEmpty()) {
        pctStop_Click();
        platform::MessageRequest request;
        request.text = QStringLiteral("Impossibile ascoltare il brano: %1.").arg(failure);
        request.icon = platform::MessageIcon::Warning;
        m_window.platform().messageBox->show(request);
        return;
    }
    if (player.mode() == platform::PlayerMode::Stopped)
        pctStop_Click();
}

} // namespace brivello::ringtones
