#include "ringtones/melody/MelodyInternal.h"

#include <algorithm>
#include <cmath>

namespace brivello::melody {

namespace detail {

bool isValidDuration(int duration)
{
    return std::find(ValidDurations.begin(), ValidDurations.end(), duration) != ValidDurations.end();
}

int nearestDuration(long long duration)
{
    if (duration <= 1)
        return 1;
    if (duration >= 32)
        return 32;
    const double halvings = std::log2(static_cast<double>(duration));
    const int rounded = static_cast<int>(std::lround(halvings));
    return 1 << std::clamp(rounded, 0, 5);
}

Note sanitized(const Note &note)
{
    Note safe = note;
    if (!isValidDuration(safe.duration))
        safe.duration = nearestDuration(safe.duration);
    if (safe.pitch < 0)
        safe.pitch = -1;
    safe.pitch = std::min(safe.pitch, 11);
    safe.octave = std::clamp(safe.octave, LowestOctave, HighestOctave);
    return safe;
}

int sanitizedBpm(int bpm)
{
    return std::clamp(bpm, MinBpm, MaxBpm);
}

QChar pitchLetter(int pitch)
{
    static constexpr char16_t letters[] = u"ccddeffggaab";
    return QChar(letters[std::clamp(pitch, 0, 11)]);
}

bool isSharp(int pitch)
{
    switch (pitch) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return true;
    default:
        return false;
    }
}

std::vector<int> fittedOctaves(const Melody &m, int lowest, int highest)
{
    std::vector<int> octaves;
    octaves.reserve(m.notes.size());
    int low = HighestOctave + 1;
    int high = LowestOctave - 1;
    for (const Note &raw : m.notes) {
        const Note note = sanitized(raw);
        octaves.push_back(note.octave);
        if (note.isPause())
            continue;
        low = std::min(low, note.octave);
        high = std::max(high, note.octave);
    }
    if (low > high || (low >= lowest && high <= highest))
        return octaves;

    const bool fitsWhole = high - low <= highest - lowest;
    const int shift = low < lowest ? lowest - low : highest - high;
    for (std::size_t i = 0; i < octaves.size(); ++i) {
        if (m.notes[i].pitch < 0)
            continue;
        octaves[i] = fitsWhole ? octaves[i] + shift : std::clamp(octaves[i], lowest, highest);
    }
    return octaves;
}

} // namespace detail

double noteSeconds(const Note &note, int bpm)
{
    const Note safe = detail::sanitized(note);
    const double quarter = 60.0 / detail::sanitizedBpm(bpm);
    const double plain = quarter * 4.0 / safe.duration;
    return safe.dotted ? plain * 1.5 : plain;
}

double frequency(int pitch, int octave)
{
    // a4 = 440 Hz; every octave doubles, every semitone is a twelfth of one.
    const int semitonesFromA4 = (octave - 4) * 12 + (pitch - 9);
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

int noteCount(const Melody &m)
{
    return static_cast<int>(m.notes.size());
}

} // namespace brivello::melody
