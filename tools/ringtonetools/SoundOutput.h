#pragma once

// Where the tools' melodies sound: a stream of mono, signed 16-bit samples
// pulled from a device until it ends. Behind an interface so that tests play
// with a recording fake and never need a sound card.

#include <QString>

#include <memory>

class QIODevice;

namespace brivello::ringtonetools {

class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // Starts pulling samples from `source` (which stays the caller's and must
    // outlive the playback). Returns false, with the reason in Italian in
    // *error, when nothing can sound.
    virtual bool start(QIODevice *source, int sampleRate, QString *error) = 0;
    virtual void stop() = 0;
    // How much of the source has been heard so far: what reached the device
    // less what still waits in its buffer.
    virtual qint64 heardMilliseconds() const = 0;
    // The source has ended and all of it has been played.
    virtual bool drained() const = 0;
};

// The computer's default sound output, through Qt Multimedia.
std::shared_ptr<SoundOutput> makeQtSoundOutput();

} // namespace brivello::ringtonetools
