#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

namespace brivello::test {

// What the sound server plays, recorded from its default output's monitor
// (parec) as signed 16-bit mono samples, for the tests that check that a
// player really sounds.
class SoundMonitor
{
public:
    static constexpr int Rate = 8000;

    // Why nothing can be recorded here (no sound server answers, no parec);
    // empty when it can.
    static QString unavailable();

    ~SoundMonitor();
    // Starts recording and waits for the first (silent) samples, which show
    // the recorder is running.
    bool start();
    // Records `moreMs` more, so the tail of what was played reaches the
    // monitor, then stops.
    bool finish(int moreMs = 500);
    const QByteArray &samples() const { return m_samples; }

private:
    QProcess m_recorder;
    QByteArray m_samples;
};

// What was heard: from the first loud sample to the last, and the quiet
// stretches of 4 ms or more between them.
struct Heard
{
    int milliseconds = 0;
    int gaps = 0;
};
Heard listen(const QByteArray &samples, int loud = 2000);

} // namespace brivello::test
