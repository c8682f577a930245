#include "tests/ringtonetools/ToolFakes.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTest>

using namespace Qt::StringLiterals;

namespace brivello::test {

bool FakeSoundOutput::start(QIODevice *source, int sampleRate, QString *error)
{
    if (!m_failure.isEmpty()) {
        *error = m_failure;
        m_failure.clear();
        return false;
    }
    // Melodies under test last seconds; the cap only guards a runaway test.
    constexpr qint64 Cap = 64LL * 1024 * 1024;
    QByteArray samples;
    while (!source->atEnd() && samples.size() < Cap) {
        const QByteArray block = source->read(64 * 1024);
        if (block.isEmpty())
            break;
        samples += block;
    }
    m_starts.push_back({samples, sampleRate});
    m_heard = 0;
    m_drained = false;
    m_playing = true;
    return true;
}

void FakeSoundOutput::stop()
{
    ++m_stops;
    m_playing = false;
}

QString FakeOpenFileDialog::ask(const ringtonetools::OpenFileRequest &request)
{
    m_calls.push_back(request);
    if (m_answers.isEmpty()) {
        m_unexpected << u"open dialog \"%1\" shown with no answer queued"_s.arg(request.title);
        return {};
    }
    return m_answers.dequeue();
}

QStringList FakeOpenFileDialog::problems() const
{
    QStringList problems = m_unexpected;
    if (!m_answers.isEmpty())
        problems << u"open dialog: %1 queued answer(s) never used"_s.arg(m_answers.size());
    return problems;
}

ToolFixture::ToolFixture(const QString &discFolder)
{
    services.platform = fakes.platform();
    services.sound = sound;
    services.openDialog = openDialog;
    services.discFolder = discFolder;
    services.scratchFolder = home.filePath(u"privato/invio"_s);
}

void ToolFixture::checkUnused() const
{
    fakes.checkUnused();
    const QStringList problems = openDialog->problems();
    if (!problems.isEmpty())
        QFAIL(qPrintable(problems.join(u'\n')));
}

QString sampleDisc()
{
    const QString disc = qEnvironmentVariable("BRIVELLO_TEST_DISC");
    if (!QFileInfo::exists(disc + u"/datafiles/ringtones.dat"_s))
        return {};
    return disc;
}

void useHome(const QString &folder)
{
    qputenv("HOME", QFile::encodeName(folder));
    for (const char *variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        const QString path = folder + u'/' + QString::fromLatin1(variable).toLower();
        QDir().mkpath(path);
        qputenv(variable, QFile::encodeName(path));
    }
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace brivello::test
