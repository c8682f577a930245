#include "toolcatalogue/ToolCopy.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace brivello::toolcatalogue {

namespace {

constexpr qint64 chunkSize = 64 * 1024;

bool copyContents(QFile &in, QSaveFile &out)
{
    QByteArray chunk;
    while (!(chunk = in.read(chunkSize)).isEmpty()) {
        if (out.write(chunk) != chunk.size())
            return false;
    }
    return in.error() == QFileDevice::NoError;
}

} // namespace

QStringList listToolFiles(const QString &folder)
{
    // QDir::Hidden is left out: on this system a hidden file is one whose
    // name starts with a dot. QDir::System is left out as well.
    const QDir dir(folder);
    return dir.entryList(QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
}

bool copyFileSafely(const QString &source, const QString &target, QString *error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Impossibile leggere il file %1").arg(QDir::toNativeSeparators(source));
        return false;
    }
    QSaveFile out(target);
    // Even a folder that allows no temporary file gets no half-written copy.
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Impossibile scrivere il file %1").arg(QDir::toNativeSeparators(target));
        return false;
    }
    if (!copyContents(in, out)) {
        out.cancelWriting();
        out.commit();
        *error =
            in.error() != QFileDevice::NoError
                ? QStringLiteral("Impossibile leggere il file %1").arg(QDir::toNativeSeparators(source))
                : QStringLiteral("Impossibile scrivere il file %1").arg(QDir::toNativeSeparators(target));
        return false;
    }
    if (!out.commit()) {
        *error = QStringLiteral("Impossibile scrivere il file %1").arg(QDir::toNativeSeparators(target));
        return false;
    }
    return true;
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
    if (m_copied == total()) {
        finish(CopyOutcome::Kind::Complete);
        return;
    }
    const QString name = m_files.at(m_copied);
    QString error;
    if (!copyFileSafely(QDir(m_sourceFolder).filePath(name), QDir(m_targetFolder).filePath(name), &error)) {
        finish(CopyOutcome::Kind::Failed, error);
        return;
    }
    ++m_copied;
    Q_EMIT fileCopied(name);
    // Whoever hears the progress may cancel; the next step sees it.
    Q_EMIT progressed(m_copied, total());
    scheduleStep();
}

void ToolCopy::finish(CopyOutcome::Kind kind, const QString &error)
{
    m_finished = true;
    Q_EMIT finished(CopyOutcome{kind, m_copied, total(), error});
}

} // namespace brivello::toolcatalogue
