#include "toolcatalogue/ToolCopy.h"

#include "data/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace brivello::toolcatalogue {

namespace {

constexpr qint64 chunkSize = 64 * 1024;

bool copyContents(QFile &in, data::SafeWriter &out)
{
    QByteArray chunk;
    while (!(chunk = in.read(chunkSize)).isEmpty()) {
        if (!out.write(chunk))
            return false;
    }
    return in.error() == QFileDevice::NoError;
}

QString cannotRead(const QString &source)
{
    return u"Impossibile leggere il file %1"_s.arg(QDir::toNativeSeparators(source));
}

QString cannotWrite(const QString &target, const QString &reason)
{
    return u"Impossibile scrivere il file %1 (%2)"_s.arg(QDir::toNativeSeparators(target), reason);
}

} // namespace

QStringList listToolFiles(const QString &folder)
{
    // QDir::Hidden is left out: on this system a hidden file is one whose
    // name starts with a dot. QDir::System is left out as well.
    const QDir dir(folder);
    return dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

CopyFailure copyFileSafely(const QString &source, const QString &target, QString *error)
{
    // Only a plain file is opened: a FIFO would hold the copy for good.
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly)) {
        *error = cannotRead(source);
        return CopyFailure::Read;
    }
    data::SafeWriter out(target);
    if (!out.open()) {
        *error = cannotWrite(target, out.reason());
        return CopyFailure::Write;
    }
    if (!copyContents(in, out)) {
        out.cancel();
        if (in.error() != QFileDevice::NoError) {
            *error = cannotRead(source);
            return CopyFailure::Read;
        }
        *error = cannotWrite(target, out.reason());
        return CopyFailure::Write;
    }
    if (!out.commit()) {
        *error = cannotWrite(target, out.reason());
        return CopyFailure::Write;
    }
    return CopyFailure::None;
}

ToolCopy::ToolCopy(const QString &sourceFolder, const QStringList &files, const QString &targetFolder,
                   QObject *parent)
    : QObject(parent), m_sourceFolder(sourceFolder), m_files(files), m_targetFolder(targetFolder)
{}

void ToolCopy::start()
{
    scheduleStep();
}

void ToolCopy::scheduleStep()
{
    QMetaObject::invokeMethod(this, &ToolCopy::step, Qt::QueuedConnection);
}

void ToolCopy::step()
{
    if (m_finished)
        return;
    if (m_cancelled) {
        finish(CopyOutcome::Kind::Cancelled);
        return;
    }
    if (m_done == total()) {
        finish(m_unreadable.isEmpty() ? CopyOutcome::Kind::Complete : CopyOutcome::Kind::Failed);
        return;
    }
    const QString name = m_files.at(m_done);
    QString error;
    switch (
        copyFileSafely(QDir(m_sourceFolder).filePath(name), QDir(m_targetFolder).filePath(name), &error)) {
    case CopyFailure::Write:
        finish(CopyOutcome::Kind::Failed, error);
        return;
    case CopyFailure::Read:
        m_unreadable.append(name);
        break;
    case CopyFailure::None:
        ++m_copied;
        Q_EMIT fileCopied(name);
        break;
    }
    ++m_done;
    // Whoever hears the progress may cancel; the next step sees it.
    Q_EMIT progressed(m_done, total());
    scheduleStep();
}

void ToolCopy::finish(CopyOutcome::Kind kind, const QString &error)
{
    m_finished = true;
    Q_EMIT finished(CopyOutcome{kind, m_copied, total(), error, m_unreadable});
}

} // namespace brivello::toolcatalogue
