// The recordings sound like the buzzer of the phones the codes are for: one
// square wave at the note's pitch, no envelope. Each note ends with a short
// silence so that two equal notes in a row are heard as two; the silence is
// taken out of the note, not added, so the recording lasts exactly as long as
// the melody. Note boundaries are placed from the running time of the melody,
// not by adding up rounded note lengths, so long melodies do not drift.

#include "ringtones/melody/Melody.h"
#include "ringtones/melody/MelodyInternal.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace brivello::melody {

namespace {

constexpr int MinSampleRate = 1000;
constexpr int MaxSampleRate = 48000;
constexpr double GapSeconds = 0.015;
constexpr quint8 Silence = 128;
constexpr quint8 High = 128 + 96;
constexpr quint8 Low = 128 - 96;
constexpr int HeaderSize = 44;

// Melodies built in code are held to the reader's note limit, so a recording
// stays bounded (at most some hours of 8-bit samples).
std::size_t playedNotes(const Melody &m)
{
    return std::min<std::size_t>(m.notes.size(), MaxNotes);
}

double totalSeconds(const Melody &m)
{
    double seconds = 0.0;
    for (std::size_t i = 0; i < playedNotes(m); ++i)
        seconds += noteSeconds(m.notes[i], m.bpm);
    return seconds;
}

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

void writeHeader(QByteArray &wav, quint32 dataSize, int sampleRate)
{
    char *h = wav.data();
    std::copy_n("RIFF", 4, h);
    putLe32(h + 4, static_cast<quint32>(wav.size() - 8));
    std::copy_n("WAVE", 4, h + 8);
    std::copy_n("fmt ", 4, h + 12);
    putLe32(h + 16, 16);                               // fmt chunk size
    putLe16(h + 20, 1);                                // PCM
    putLe16(h + 22, 1);                                // mono
    putLe32(h + 24, static_cast<quint32>(sampleRate)); // samples per second
    putLe32(h + 28, static_cast<quint32>(sampleRate)); // bytes per second
    putLe16(h + 32, 1);                                // bytes per sample frame
    putLe16(h + 34, 8);                                // bits per sample
    std::copy_n("data", 4, h + 36);
    putLe32(h + 40, dataSize);
}

void renderNote(char *out, qint64 count, const Note &note, int sampleRate)
{
    const qint64 gap = std::min<qint64>(std::llround(GapSeconds * sampleRate), count / 4);
    const qint64 sounding = note.isPause() ? 0 : count - gap;
    const double halfPeriodsPerSample = 2.0 * frequency(note.pitch, note.octave) / sampleRate;
    for (qint64 k = 0; k < sounding; ++k) {
        const auto halfPeriod = static_cast<qint64>(std::floor(k * halfPeriodsPerSample));
        out[k] = static_cast<char>(halfPeriod % 2 == 0 ? High : Low);
    }
    std::fill(out + sounding, out + count, static_cast<char>(Silence));
}

} // namespace

std::chrono::milliseconds duration(const Melody &m)
{
    return std::chrono::milliseconds(std::llround(totalSeconds(m) * 1000.0));
}

QByteArray synthesizeWav(const Melody &m, int sampleRate)
{
    sampleRate = std::clamp(sampleRate, MinSampleRate, MaxSampleRate);
    const qint64 samples = sampleAt(totalSeconds(m), sampleRate);
    const qint64 padding = samples % 2; // RIFF chunks are padded to an even size
    QByteArray wav(HeaderSize + samples + padding, static_cast<char>(Silence));
    writeHeader(wav, static_cast<quint32>(samples), sampleRate);

    char *data = wav.data() + HeaderSize;
    double elapsed = 0.0;
    for (std::size_t i = 0; i < playedNotes(m); ++i) {
        const Note note = detail::sanitized(m.notes[i]);
        const qint64 start = sampleAt(elapsed, sampleRate);
        elapsed += noteSeconds(note, m.bpm);
        const qint64 end = std::min(sampleAt(elapsed, sampleRate), samples);
        renderNote(data + start, end - start, note, sampleRate);
    }
    return wav;
}

} // namespace brivello::melody
