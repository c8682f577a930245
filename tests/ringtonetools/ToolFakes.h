#pragma once

// Recording fakes for the ringtone tools' own services, and the services
// made of them and of the platform fakes.

#include "tests/support/FakePlatform.h"
#include "tools/ringtonetools/OpenFileDialog.h"
#include "tools/ringtonetools/PhoneLink.h"
#include "tools/ringtonetools/SoundOutput.h"
#include "tools/ringtonetools/ToolServices.h"

#include <QByteArray>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace brivello::test {

// Plays nothing. Each start takes every sample the source gives at once,
// so a test can look at what would have sounded; where the playback stands
// and whether it has ended are the test's to say.
class FakeSoundOutput final : public ringtonetools::SoundOutput
{
public:
    struct Start
    {
        QByteArray samples; // signed 16-bit, machine order
        int sampleRate = 0;
    };

    bool start(QIODevice *source, int sampleRate, QString *error) override;
    void stop() override;
    qint64 heardMilliseconds() const override { return m_heard; }
    bool drained() const override { return m_drained; }

    void setHeard(qint64 milliseconds) { m_heard = milliseconds; }
    void finish() { m_drained = true; }
    // The next start fails with `error`, as with no sound card.
    void failNext(const QString &error) { m_failure = error; }

    const std::vector<Start> &starts() const { return m_starts; }
    int stops() const { return m_stops; }
    bool playing() const { return m_playing; }

private:
    std::vector<Start> m_starts;
    QString m_failure;
    qint64 m_heard = 0;
    bool m_drained = false;
    bool m_playing = false;
    int m_stops = 0;
};

class FakeOpenFileDialog final : public ringtonetools::OpenFileDialog
{
public:
    void queueAnswer(const QString &path) { m_answers.enqueue(path); }
    QString ask(const ringtonetools::OpenFileRequest &request) override;
    const std::vector<ringtonetools::OpenFileRequest> &calls() const { return m_calls; }
    QStringList problems() const;

private:
    QQueue<QString> m_answers;
    std::vector<ringtonetools::OpenFileRequest> m_calls;
    QStringList m_unexpected;
};

// Answers when the test says so, as a phone on a slow cable would.
class FakeLoaderLink final : public ringtonetools::PhoneLink
{
    Q_OBJECT
public:
    void identify(const phone::ConnectionSettings &connection) override
    {
        m_calls << u"identify %1 %2"_s.arg(connection.connection, connection.device);
    }
    void writeRingtone(const phone::ConnectionSettings &connection, const melody::Melody &tune) override
    {
        m_calls << u"write %1 %2"_s.arg(connection.connection, connection.device);
        m_written.push_back(tune);
    }
    void cancel() override { m_calls << u"cancel"_s; }

    const QStringList &calls() const { return m_calls; }
    const std::vector<melody::Melody> &tunesWritten() const { return m_written; }

private:
    QStringList m_calls;
    std::vector<melody::Melody> m_written;
};

// The services of a tool under test: every platform service faked, sound and
// dialogs faked, and a scratch folder of its own.
struct ToolFixture
{
    explicit ToolFixture(const QString &discFolder);
    // Fails the running test on dialogs shown unasked or answers left over.
    void checkUnused() const;

    FakePlatform fakes;
    std::shared_ptr<FakeSoundOutput> sound = std::make_shared<FakeSoundOutput>();
    std::shared_ptr<FakeOpenFileDialog> openDialog = std::make_shared<FakeOpenFileDialog>();
    QTemporaryDir home;
    ringtonetools::ToolServices services;
};

// The assembled sample disc, or an empty text when it has not been built.
QString sampleDisc();

// Points HOME and the XDG folders at `folder`, so nothing a test runs
// touches the user's own files.
void useHome(const QString &folder);

// The bytes of a file, or "<unreadable>".
QByteArray fileBytes(const QString &path);

} // namespace brivello::test
