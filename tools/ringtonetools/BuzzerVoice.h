#pragma once

// The voice the ringtone tools play and record a melody with: a phone's
// buzzer, a square wave at the note's pitch, that starts and ends each note
// with a short ramp and leaves a short silence before the next one, so two
// equal notes in a row are heard as two and no note clicks. Samples are mono,
// signed 16-bit, little-endian.

#include "ringtones/melody/Melody.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace brivello::ringtonetools {

inline constexpr int VoiceSampleRate = 44100;

// Renders a melody sample by sample from one of its notes on, so a player can
// pull as much as it needs and a long melody never sits whole in memory.
// Note boundaries come from the running time of the melody, not from adding
// up rounded note lengths, so a long melody does not drift.
class VoiceRenderer
{
public:
    VoiceRenderer(const melody::Melody &tune, int firstNote, int sampleRate = VoiceSampleRate);

    // Writes up to `count` samples and returns how many it wrote; 0 at the end.
    qint64 render(qint16 *out, qint64 count);
    bool atEnd() const { return m_position >= m_totalSamples; }
    qint64 totalSamples() const { return m_totalSamples; }
    int sampleRate() const { return m_sampleRate; }

    // The note (an index into the melody) that sounds `milliseconds` after
    // the first rendered note began; the last note once past the end.
    int noteAt(qint64 milliseconds) const;

private:
    qint16 sampleOf(std::size_t slot, qint64 offset) const;

    std::vector<melody::Note> m_notes;
    std::vector<qint64> m_starts; // one per rendered note, plus the end
    int m_firstNote = 0;
    int m_sampleRate = VoiceSampleRate;
    qint64 m_totalSamples = 0;
    qint64 m_position = 0;
    std::size_t m_slot = 0;
};

// The longest recording the tools write as a file: a melody that plays longer
// is refused rather than filling the disk.
inline constexpr int MaxRecordingSeconds = 20 * 60;

// A RIFF WAVE file (PCM, mono, 16-bit, 44.1 kHz) of the whole melody in the
// buzzer voice; nothing when it would last longer than MaxRecordingSeconds.
std::optional<QByteArray> voiceWav(const melody::Melody &tune);

} // namespace brivello::ringtonetools
