#include "tools/ringtonetools/SoundOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

namespace {

class QtSoundOutput final : public SoundOutput
{
public:
    bool start(QIODevice *source, int sampleRate, QString *error) override;
    void stop() override;
    qint64 heardMilliseconds() const override;
    bool drained() const override;

private:
    std::unique_ptr<QAudioSink> m_sink;
    QIODevice *m_source = nullptr;
    int m_sampleRate = 0;
};

bool QtSoundOutput::start(QIODevice *source, int sampleRate, QString *error)
{
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        *error = u"Nessuna uscita audio sul computer: la suoneria non si può ascoltare."_s;
        return false;
    }
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) {
        *error = u"L'uscita audio «%1» non accetta il suono della suoneria."_s.arg(device.description());
        return false;
    }
    m_sink = std::make_unique<QAudioSink>(device, format);
    m_source = source;
    m_sampleRate = sampleRate;
    m_sink->start(source);
    if (m_sink->error() != QAudio::NoError) {
        *error = u"L'uscita audio «%1» non si apre."_s.arg(device.description());
        stop();
        return false;
    }
    return true;
}

void QtSoundOutput::stop()
{
    if (m_sink)
        m_sink->stop();
    m_sink.reset();
    m_source = nullptr;
}

qint64 QtSoundOutput::heardMilliseconds() const
{
    if (!m_sink)
        return 0;
    const qint64 waiting = std::max<qint64>(0, m_sink->bufferSize() - m_sink->bytesFree());
    const qint64 waitingMs = m_sampleRate > 0 ? waiting / 2 * 1000 / m_sampleRate : 0;
    return std::max<qint64>(0, m_sink->processedUSecs() / 1000 - waitingMs);
}

bool QtSoundOutput::drained() const
{
    if (!m_sink)
        return true;
    return m_source && m_source->atEnd() &&
           (m_sink->state() == QAudio::IdleState || m_sink->state() == QAudio::StoppedState);
}

} // namespace

std::shared_ptr<SoundOutput> makeQtSoundOutput()
{
    return std::make_shared<QtSoundOutput>();
}

} // namespace brivello::ringtonetools
