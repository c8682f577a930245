#include "tests/support/SoundMonitor.h"

#include <QStandardPaths>
#include <QTest>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace brivello::test {

QString SoundMonitor::unavailable()
{
    if (QStandardPaths::findExecutable(u"pactl"_s).isEmpty())
        return u"pactl is missing: no sound server can be asked"_s;
    QProcess pactl;
    pactl.start(u"pactl"_s, {u"info"_s});
    if (!pactl.waitForFinished(5000) || pactl.exitStatus() != QProcess::NormalExit || pactl.exitCode() != 0)
        return u"no sound server answers (pactl info failed)"_s;
    if (QStandardPaths::findExecutable(u"parec"_s).isEmpty())
        return u"parec is missing: the sound server's output cannot be recorded"_s;
    return {};
}

SoundMonitor::~SoundMonitor()
{
    if (m_recorder.state() != QProcess::NotRunning) {
        m_recorder.kill();
        m_recorder.waitForFinished(5000);
    }
}

bool SoundMonitor::start()
{
    QObject::connect(&m_recorder, &QProcess::readyReadStandardOutput, &m_recorder,
                     [this] { m_samples += m_recorder.readAllStandardOutput(); });
    m_recorder.start(u"parec"_s, {u"--device=@DEFAULT_MONITOR@"_s, u"--format=s16le"_s,
                                  u"--rate=%1"_s.arg(Rate), u"--channels=1"_s, u"--raw"_s});
    return m_recorder.waitForStarted(5000) && QTest::qWaitFor([this] { return !m_samples.isEmpty(); }, 5000);
}

bool SoundMonitor::finish(int moreMs)
{
    const qsizetype wanted = m_samples.size() + qsizetype(moreMs) * Rate / 1000 * 2;
    const bool recorded =
        QTest::qWaitFor([this, wanted] { return m_samples.size() >= wanted; }, moreMs + 5000);
    m_recorder.terminate();
    m_recorder.waitForFinished(5000);
    return recorded;
}

Heard listen(const QByteArray &samples, int loud)
{
    const auto *values = reinterpret_cast<const qint16 *>(samples.constData());
    const qsizetype count = samples.size() / 2;
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < count; ++i) {
        if (std::abs(int(values[i])) > loud) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    Heard heard;
    if (first < 0)
        return heard;
    heard.milliseconds = int((last - first + 1) * 1000 / SoundMonitor::Rate);
    qsizetype quiet = 0;
    for (qsizetype i = first; i <= last; ++i) {
        if (std::abs(int(values[i])) <= loud / 4) {
            ++quiet;
            continue;
        }
        if (quiet >= SoundMonitor::Rate * 4 / 1000)
            ++heard.gaps;
        quiet = 0;
    }
    return heard;
}

} // namespace brivello::test
