#include "tools/ringtonetools/MelodyPlayer.h"

#include "platform/Clock.h"
#include "tools/ringtonetools/BuzzerVoice.h"
#include "tools/ringtonetools/SoundOutput.h"

#include <QIODevice>

#include <algorithm>

namespace brivello::ringtonetools {

// The melody as a stream of samples, made as the output asks for them.
class VoiceDevice : public QIODevice
{
public:
    VoiceDevice(const melody::Melody &tune, int firstNote) : m_renderer(tune, firstNote)
    {
        open(QIODevice::ReadOnly);
    }

    bool isSequential() const override { return true; }
    bool atEnd() const override { return m_renderer.atEnd(); }
    qint64 bytesAvailable() const override
    {
        return (m_renderer.totalSamples() - m_written) * 2 + QIODevice::bytesAvailable();
    }
    const VoiceRenderer &renderer() const { return m_renderer; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        // Whole samples only; the output asks again for the rest.
        const qint64 samples = maxSize / 2;
        QByteArray block(samples * 2, Qt::Uninitialized);
        auto *values = reinterpret_cast<qint16 *>(block.data());
        const qint64 made = m_renderer.render(values, samples);
        std::copy_n(block.constData(), made * 2, data);
        m_written += made;
        return made * 2;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    VoiceRenderer m_renderer;
    qint64 m_written = 0;
};

MelodyPlayer::MelodyPlayer(std::shared_ptr<SoundOutput> output, platform::Clock &clock, QObject *parent)
    : QObject(parent), m_output(std::move(output)), m_timer(clock.createTimer())
{
    m_timer->setInterval(TickMilliseconds);
    connect(m_timer.get(), &platform::Timer::timeout, this, &MelodyPlayer::tick);
}

MelodyPlayer::~MelodyPlayer()
{
    if (m_playing)
        m_output->stop();
}

void MelodyPlayer::setMelody(const melody::Melody &tune)
{
    stop();
    m_tune = tune;
}

bool MelodyPlayer::play()
{
    stop();
    return startFrom(0);
}

bool MelodyPlayer::startFrom(int note)
{
    if (m_tune.notes.empty() || note >= static_cast<int>(m_tune.notes.size()))
        return false;
    m_output->stop();
    auto device = std::make_unique<VoiceDevice>(m_tune, note);
    QString error;
    if (!m_output->start(device.get(), VoiceSampleRate, &error)) {
        m_device.reset();
        finish();
        Q_EMIT failed(error);
        return false;
    }
    m_device = std::move(device);
    const bool wasPlaying = m_playing;
    m_playing = true;
    m_timer->start();
    setCurrent(note);
    if (!wasPlaying)
        Q_EMIT playingChanged(true);
    return true;
}

void MelodyPlayer::stop()
{
    if (!m_playing)
        return;
    m_output->stop();
    m_device.reset();
    finish();
}

void MelodyPlayer::finish()
{
    m_timer->stop();
    const bool wasPlaying = m_playing;
    m_playing = false;
    setCurrent(-1);
    if (wasPlaying)
        Q_EMIT playingChanged(false);
}

void MelodyPlayer::setTempo(int bpm)
{
    const int tempo = std::clamp(bpm, melody::MinBpm, melody::MaxBpm);
    if (tempo == m_tune.bpm)
        return;
    m_tune.bpm = tempo;
    if (m_playing)
        startFrom(std::max(m_current, 0));
}

void MelodyPlayer::setCurrent(int note)
{
    if (note == m_current)
        return;
    m_current = note;
    Q_EMIT noteChanged(note);
}

void MelodyPlayer::tick()
{
    if (!m_playing || !m_device)
        return;
    if (m_output->drained()) {
        if (m_loop)
            startFrom(0);
        else
            stop();
        return;
    }
    setCurrent(m_device->renderer().noteAt(m_output->heardMilliseconds()));
}

} // namespace brivello::ringtonetools
