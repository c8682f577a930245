#include "tools/ringtonetools/BuzzerVoice.h"

#include "ringtones/melody/MelodyInternal.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace brivello::ringtonetools {

namespace {

constexpr double AttackSeconds = 0.003;
constexpr double ReleaseSeconds = 0.008;
constexpr double GapSeconds = 0.012;
// Loud enough to hear, with room left for whatever mixes it.
constexpr double Amplitude = 0.45 * 32767.0;
constexpr int WavHeaderSize = 44;

qint64 sampleAt(double seconds, int sampleRate)
{
    return std::llround(seconds * sampleRate);
}

void putLe32(char *at, quint32 value)
{
    qToLittleEndian<quint32>(value, at);
}

void putLe16(char *at, quint16 value)
{
    qToLittleEndian<quint16>(value, at);
}

QByteArray wavHeader(quint32 dataBytes, int sampleRate)
{
    QByteArray header(WavHeaderSize, '\0');
    char *h = header.data();
    std::copy_n("RIFF", 4, h);
    putLe32(h + 4, 36 + dataBytes + (dataBytes % 2));
    std::copy_n("WAVE", 4, h + 8);
    std::copy_n("fmt ", 4, h + 12);
    putLe32(h + 16, 16);                                   // fmt chunk size
    putLe16(h + 20, 1);                                    // PCM
    putLe16(h + 22, 1);                                    // mono
    putLe32(h + 24, static_cast<quint32>(sampleRate));     // samples per second
    putLe32(h + 28, static_cast<quint32>(sampleRate * 2)); // bytes per second
    putLe16(h + 32, 2);                                    // bytes per sample frame
    putLe16(h + 34, 16);                                   // bits per sample
    std::copy_n("data", 4, h + 36);
    putLe32(h + 40, dataBytes);
    return header;
}

} // namespace

VoiceRenderer::VoiceRenderer(const melody::Melody &tune, int firstNote, int sampleRate)
    : m_firstNote(std::max(firstNote, 0)), m_sampleRate(std::clamp(sampleRate, 8000, 96000))
{
    const auto count = static_cast<int>(std::min<std::size_t>(tune.notes.size(), melody::MaxNotes));
    double elapsed = 0.0;
    m_starts.push_back(0);
    for (int i = m_firstNote; i < count; ++i) {
        const melody::Note note = melody::detail::sanitized(tune.notes[static_cast<std::size_t>(i)]);
        m_notes.push_back(note);
        elapsed += melody::noteSeconds(note, tune.bpm);
        m_starts.push_back(sampleAt(elapsed, m_sampleRate));
    }
    m_totalSamples = m_starts.back();
}

qint16 VoiceRenderer::sampleOf(std::size_t slot, qint64 offset) const
{
    const melody::Note &note = m_notes[slot];
    if (note.isPause())
        return 0;
    const qint64 length = m_starts[slot + 1] - m_starts[slot];
    const qint64 gap = std::min(sampleAt(GapSeconds, m_sampleRate), length / 4);
    const qint64 sounding = length - gap;
    if (offset >= sounding)
        return 0;
    const double attack = std::max<double>(1.0, AttackSeconds * m_sampleRate);
    const double release = std::max<double>(1.0, ReleaseSeconds * m_sampleRate);
    const double envelope = std::min(
        {1.0, static_cast<double>(offset + 1) / attack, static_cast<double>(sounding - offset) / release});
    const double halfPeriodsPerSample = 2.0 * melody::frequency(note.pitch, note.octave) / m_sampleRate;
    const auto halfPeriod =
        static_cast<qint64>(std::floor(static_cast<double>(offset) * halfPeriodsPerSample));
    const double level = halfPeriod % 2 == 0 ? Amplitude : -Amplitude;
    return static_cast<qint16>(std::lround(level * envelope));
}

qint64 VoiceRenderer::render(qint16 *out, qint64 count)
{
    qint64 written = 0;
    while (written < count && m_position < m_totalSamples) {
        while (m_starts[m_slot + 1] <= m_position)
            ++m_slot;
        const qint64 slotEnd = std::min(m_starts[m_slot + 1], m_position + (count - written));
        for (; m_position < slotEnd; ++m_position)
            out[written++] = sampleOf(m_slot, m_position - m_starts[m_slot]);
    }
    return written;
}

int VoiceRenderer::noteAt(qint64 milliseconds) const
{
    if (m_notes.empty())
        return m_firstNote;
    const qint64 sample = milliseconds * m_sampleRate / 1000;
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), sample);
    const auto slot =
        std::clamp<qint64>(after - m_starts.begin() - 1, 0, static_cast<qint64>(m_notes.size()) - 1);
    return m_firstNote + static_cast<int>(slot);
}

std::optional<QByteArray> voiceWav(const melody::Melody &tune)
{
    if (melody::duration(tune) > std::chrono::seconds(MaxRecordingSeconds))
        return std::nullopt;
    VoiceRenderer renderer(tune, 0, VoiceSampleRate);
    const qint64 dataBytes = renderer.totalSamples() * 2;
    QByteArray wav = wavHeader(static_cast<quint32>(dataBytes), VoiceSampleRate);
    wav.resize(WavHeaderSize + dataBytes + (dataBytes % 2));
    auto *samples = reinterpret_cast<qint16 *>(wav.data() + WavHeaderSize);
    renderer.render(samples, renderer.totalSamples());
    // The samples were made in the machine's order; the file holds little-endian.
    qToLittleEndian<qint16>(samples, renderer.totalSamples(), samples);
    return wav;
}

} // namespace brivello::ringtonetools
