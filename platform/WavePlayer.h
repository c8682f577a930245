#pragma once

#include <QString>

namespace brivello::platform {

enum class PlayerMode { NotOpen, Playing, Stopped };

// Plays one wave-audio file at a time.
class WavePlayer
{
public:
    virtual ~WavePlayer() = default;
    // Returns false when the file cannot be opened; the player is then not open.
    virtual bool open(const QString &file) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void close() = 0;
    // Stopped once a playback has reached the end of the file.
    virtual PlayerMode mode() const = 0;
    // Why the open file cannot be heard, in Italian (not audio the player
    // can decode, no sound output); empty while nothing is wrong.
    virtual QString failure() const = 0;
};

} // namespace brivello::platform
