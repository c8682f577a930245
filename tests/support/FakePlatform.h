#pragma once

#include "platform/Platform.h"

#include <QPointer>
#include <QQueue>
#include <QStringList>

#include <memory>
#include <vector>

namespace brivello::test {

// Every fake records each call it receives and answers dialogs from a queue
// the test fills beforehand. A dialog shown with no queued answer is recorded
// as a problem, and so is every answer still queued when the test ends.

class FakeMessageBox final : public platform::MessageBox
{
public:
    void queueAnswer(platform::MessageAnswer answer) { m_answers.enqueue(answer); }
    platform::MessageAnswer show(const platform::MessageRequest &request) override;
    const std::vector<platform::MessageRequest> &shown() const { return m_shown; }
    QStringList problems() const;

private:
    QQueue<platform::MessageAnswer> m_answers;
    std::vector<platform::MessageRequest> m_shown;
    QStringList m_unexpected;
};

class FakeInputBox final : public platform::InputBox
{
public:
    struct Call
    {
        QString title;
        QString prompt;
        QString defaultText;
    };
    void queueAnswer(const QString &text) { m_answers.enqueue(text); }
    QString ask(const QString &title, const QString &prompt, const QString &defaultText) override;
    const std::vector<Call> &calls() const { return m_calls; }
    QStringList problems() const;

private:
    QQueue<QString> m_answers;
    std::vector<Call> m_calls;
    QStringList m_unexpected;
};

class FakeSaveFileDialog final : public platform::SaveFileDialog
{
public:
    void queueAnswer(const QString &path) { m_answers.enqueue(path); }
    QString ask(const platform::SaveFileRequest &request) override;
    const std::vector<platform::SaveFileRequest> &calls() const { return m_calls; }
    QStringList problems() const;

private:
    QQueue<QString> m_answers;
    std::vector<platform::SaveFileRequest> m_calls;
    QStringList m_unexpected;
};

// Starts nothing. Answers true unless the test queued another answer.
class FakeProgramStarter final : public platform::ProgramStarter
{
public:
    struct Call
    {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };
    void queueAnswer(bool started) { m_answers.enqueue(started); }
    bool start(const QString &program, const QStringList &arguments,
               const QString &workingDirectory) override;
    const std::vector<Call> &calls() const { return m_calls; }
    QStringList problems() const;

private:
    QQueue<bool> m_answers;
    std::vector<Call> m_calls;
};

class FakeUrlOpener final : public platform::UrlOpener
{
public:
    bool open(const QUrl &address) override;
    const QList<QUrl> &opened() const { return m_opened; }

private:
    QList<QUrl> m_opened;
};

// Remembers the directory instead of changing the process's own.
class FakeCurrentDirectory final : public platform::CurrentDirectory
{
public:
    bool set(const QString &path) override;
    QString current() const override { return m_current; }
    const QStringList &history() const { return m_history; }

private:
    QString m_current;
    QStringList m_history;
};

class FakeTimer;

// Time stands still until the test advances it.
class FakeClock final : public platform::Clock
{
public:
    std::unique_ptr<platform::Timer> createTimer() override;
    // Fires every timer that falls due within the next `milliseconds`, in
    // the order of their due times.
    void advance(qint64 milliseconds);
    qint64 now() const { return m_now; }

private:
    FakeTimer *nextDue(qint64 until) const;
    std::vector<QPointer<FakeTimer>> m_timers;
    qint64 m_now = 0;
};

class FakeTimer final : public platform::Timer
{
    Q_OBJECT
public:
    explicit FakeTimer(const qint64 *now) : m_now(now) {}
    void setInterval(int milliseconds) override { m_interval = milliseconds; }
    int interval() const override { return m_interval; }
    void start() override;
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    qint64 due() const { return m_due; }
    void fire();

private:
    const qint64 *m_now;
    int m_interval = 0;
    qint64 m_due = 0;
    bool m_active = false;
};

class FakeWavePlayer final : public platform::WavePlayer
{
public:
    bool open(const QString &file) override;
    void play() override;
    void stop() override;
    void close() override;
    platform::PlayerMode mode() const override { return m_mode; }
    QString failure() const override { return m_failure; }
    // The recording reached its end.
    void finish();
    // The player found it cannot play what it opened: it stops, as Qt's does.
    void fail(const QString &why);
    // Files that open() refuses; `why`, when given, is the failure it then reports.
    void refuse(const QString &file, const QString &why = {})
    {
        m_refused << file;
        m_refusalWhy = why;
    }
    const QStringList &calls() const { return m_calls; }

private:
    platform::PlayerMode m_mode = platform::PlayerMode::NotOpen;
    QString m_failure;
    QStringList m_calls;
    QStringList m_refused;
    QString m_refusalWhy;
};

// All the fakes, and a Platform made of them.
struct FakePlatform
{
    FakePlatform();
    platform::Platform platform() const;
    // Dialogs shown with no answer queued and answers left unused.
    QStringList problems() const;
    // Fails the running test when there are problems; call it from cleanup().
    void checkUnused() const;

    std::shared_ptr<FakeMessageBox> messageBox;
    std::shared_ptr<FakeInputBox> inputBox;
    std::shared_ptr<FakeSaveFileDialog> saveFileDialog;
    std::shared_ptr<FakeProgramStarter> programStarter;
    std::shared_ptr<FakeUrlOpener> urlOpener;
    std::shared_ptr<FakeCurrentDirectory> currentDirectory;
    std::shared_ptr<FakeClock> clock;
    std::shared_ptr<FakeWavePlayer> wavePlayer;
};

} // namespace brivello::test
