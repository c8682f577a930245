#pragma once

// Small pieces the RTTTL reader, the phone codes and the recording share.

#include "ringtones/melody/Melody.h"

#include <array>

namespace brivello::melody::detail {

inline constexpr std::array<int, 6> ValidDurations{1, 2, 4, 8, 16, 32};
inline constexpr int LowestOctave = 4;
inline constexpr int HighestOctave = 7;

bool isValidDuration(int duration);
// The valid duration closest to a wrong one, measured in halvings (3 -> 4, 100 -> 32).
int nearestDuration(long long duration);

// Note values made safe to use whatever a caller put into them.
Note sanitized(const Note &note);
int sanitizedBpm(int bpm);

// Letter of a pitch 0..11 without its sharp ("c" for c and c#), and whether it is a sharp.
QChar pitchLetter(int pitch);
bool isSharp(int pitch);

// The octave each note is written in on a phone whose composer knows only the
// RTTTL octaves lowest..highest. A melody that spans no more octaves than the
// phone has is moved as a whole, so it keeps its tune an octave higher or lower;
// one that spans more keeps its place and its outlying notes are folded in.
// Pauses keep whatever octave they carried.
std::vector<int> fittedOctaves(const Melody &m, int lowest, int highest);

} // namespace brivello::melody::detail
