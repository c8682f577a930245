#include "tests/support/FakePlatform.h"

#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brivello::test {

namespace {

QString unusedAnswers(const char *fake, qsizetype count)
{
    return u"%1: %2 queued answer(s) never used"_s.arg(QLatin1String(fake)).arg(count);
}

} // namespace

platform::MessageAnswer FakeMessageBox::show(const platform::MessageRequest &request)
{
    m_shown.push_back(request);
    if (m_answers.isEmpty()) {
        m_unexpected << u"message box \"%1\" shown with no answer queued"_s.arg(request.text);
        return platform::MessageAnswer::Cancel;
    }
    return m_answers.dequeue();
}

QStringList FakeMessageBox::problems() const
{
    QStringList problems = m_unexpected;
    if (!m_answers.isEmpty())
        problems << unusedAnswers("message box", m_answers.size());
    return problems;
}

QString FakeInputBox::ask(const QString &title, const QString &prompt, const QString &defaultText)
{
    m_calls.push_back({title, prompt, defaultText});
    if (m_answers.isEmpty()) {
        m_unexpected << u"input box \"%1\" shown with no answer queued"_s.arg(prompt);
        return {};
    }
    return m_answers.dequeue();
}

QStringList FakeInputBox::problems() const
{
    QStringList problems = m_unexpected;
    if (!m_answers.isEmpty())
        problems << unusedAnswers("input box", m_answers.size());
    return problems;
}

QString FakeSaveFileDialog::ask(const platform::SaveFileRequest &request)
{
    m_calls.push_back(request);
    if (m_answers.isEmpty()) {
        m_unexpected << u"save dialog \"%1\" shown with no answer queued"_s.arg(request.title);
        return {};
    }
    return m_answers.dequeue();
}

QStringList FakeSaveFileDialog::problems() const
{
    QStringList problems = m_unexpected;
    if (!m_answers.isEmpty())
        problems << unusedAnswers("save dialog", m_answers.size());
    return problems;
}

bool FakeProgramStarter::start(const QString &program, const QStringList &arguments,
                               const QString &workingDirectory)
{
    m_calls.push_back({program, arguments, workingDirectory});
    return m_answers.isEmpty() ? true : m_answers.dequeue();
}

QStringList FakeProgramStarter::problems() const
{
    return m_answers.isEmpty() ? QStringList()
                               : QStringList{unusedAnswers("program starter", m_answers.size())};
}

bool FakeUrlOpener::open(const QUrl &address)
{
    m_opened << address;
    return true;
}

bool FakeCurrentDirectory::set(const QString &path)
{
    m_current = path;
    m_history << path;
    return true;
}

std::unique_ptr<platform::Timer> FakeClock::createTimer()
{
    auto timer = std::make_unique<FakeTimer>(&m_now);
    m_timers.emplace_back(timer.get());
    return timer;
}

FakeTimer *FakeClock::nextDue(qint64 until) const
{
    FakeTimer *next = nullptr;
    for (const QPointer<FakeTimer> &timer : m_timers) {
        if (timer && timer->isActive() && timer->due() <= until && (!next || timer->due() < next->due()))
            next = timer;
    }
    return next;
}

void FakeClock::advance(qint64 milliseconds)
{
    const qint64 until = m_now + milliseconds;
    while (FakeTimer *timer = nextDue(until)) {
        m_now = timer->due();
        timer->fire();
    }
    m_now = until;
    std::erase_if(m_timers, [](const QPointer<FakeTimer> &timer) { return timer.isNull(); });
}

void FakeTimer::start()
{
    m_active = true;
    m_due = *m_now + std::max(m_interval, 1);
}

void FakeTimer::fire()
{
    m_due += std::max(m_interval, 1);
    Q_EMIT timeout();
}

bool FakeWavePlayer::open(const QString &file)
{
    m_calls << u"open "_s + file;
    if (m_refused.contains(file)) {
        m_failure = m_refusalWhy;
        return false;
    }
    m_failure.clear();
    m_mode = platform::PlayerMode::Stopped;
    return true;
}

void FakeWavePlayer::play()
{
    m_calls << u"play"_s;
    if (m_mode != platform::PlayerMode::NotOpen)
        m_mode = platform::PlayerMode::Playing;
}

void FakeWavePlayer::stop()
{
    m_calls << u"stop"_s;
    if (m_mode != platform::PlayerMode::NotOpen)
        m_mode = platform::PlayerMode::Stopped;
}

void FakeWavePlayer::close()
{
    m_calls << u"close"_s;
    m_mode = platform::PlayerMode::NotOpen;
    m_failure.clear();
}

void FakeWavePlayer::fail(const QString &why)
{
    m_failure = why;
    if (m_mode == platform::PlayerMode::Playing)
        m_mode = platform::PlayerMode::Stopped;
}

void FakeWavePlayer::finish()
{
    if (m_mode == platform::PlayerMode::Playing)
        m_mode = platform::PlayerMode::Stopped;
}

FakePlatform::FakePlatform()
    : messageBox(std::make_shared<FakeMessageBox>()), inputBox(std::make_shared<FakeInputBox>()),
      saveFileDialog(std::make_shared<FakeSaveFileDialog>()),
      programStarter(std::make_shared<FakeProgramStarter>()), urlOpener(std::make_shared<FakeUrlOpener>()),
      currentDirectory(std::make_shared<FakeCurrentDirectory>()), clock(std::make_shared<FakeClock>()),
      wavePlayer(std::make_shared<FakeWavePlayer>())
{}

platform::Platform FakePlatform::platform() const
{
    return {messageBox, inputBox,         saveFileDialog, programStarter,
            urlOpener,  currentDirectory, clock,          wavePlayer};
}

QStringList FakePlatform::problems() const
{
    return messageBox->problems() + inputBox->problems() + saveFileDialog->problems() +
           programStarter->problems();
}

void FakePlatform::checkUnused() const
{
    const QStringList found = problems();
    if (!found.isEmpty())
        QTest::qFail(qPrintable(found.join(u"; "_s)), __FILE__, __LINE__);
}

} // namespace brivello::test
