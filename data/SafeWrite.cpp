#include "data/SafeWrite.h"

#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace brivello::data {

namespace {

struct KnownFailure
{
    int code;
    const char16_t *reason;
};

// The failures a user can do something about, in the user's words.
constexpr KnownFailure knownFailures[] = {
    {ENOSPC, u"lo spazio sul disco è esaurito"},
    {EDQUOT, u"lo spazio concesso sul disco è esaurito"},
    {EFBIG, u"il file supera la grandezza consentita"},
    {EROFS, u"il disco è di sola lettura"},
    {EACCES, u"manca il permesso di scrivere"},
    {EPERM, u"manca il permesso di scrivere"},
    {EISDIR, u"al suo posto c'è una cartella"},
    {ENOENT, u"la cartella non esiste"},
    {ENOTDIR, u"la cartella non esiste"},
    {ENAMETOOLONG, u"il nome è troppo lungo"},
    {EIO, u"il disco non risponde"},
};

const char16_t *knownReason(int code)
{
    for (const KnownFailure &known : knownFailures) {
        if (known.code == code)
            return known.reason;
    }
    return nullptr;
}

// Qt's text for the failure, or, where Qt lost it (a write cut short reports
// "Unknown error"), the code the system gave right then.
QString reasonOf(const QString &qtErrorText, int code)
{
    const QString reason = writeFailureReason(qtErrorText);
    if (reason != qtErrorText)
        return reason;
    if (const char16_t *known = knownReason(code))
        return QString::fromUtf16(known);
    return reason;
}

} // namespace

QString writeFailureReason(const QString &qtErrorText)
{
    // Qt reports the system's own text; the codes are matched through it.
    for (const KnownFailure &known : knownFailures) {
        if (qtErrorText == qt_error_string(known.code))
            return QString::fromUtf16(known.reason);
    }
    return qtErrorText.isEmpty() ? u"errore sconosciuto"_s : qtErrorText;
}

SafeWriter::SafeWriter(const QString &path) : m_path(path), m_file(path)
{
    // A folder that allows no temporary file gets no half-written target.
    m_file.setDirectWriteFallback(false);
}

SafeWriter::~SafeWriter()
{
    if (m_open)
        cancel();
}

bool SafeWriter::fail(int code)
{
    if (m_reason.isEmpty())
        m_reason = reasonOf(m_file.errorString(), code);
    if (m_open)
        cancel();
    return false;
}

bool SafeWriter::open()
{
    if (QFileInfo(m_path).isDir()) {
        m_reason = QString::fromUtf16(u"al suo posto c'è una cartella");
        return false;
    }
    if (!m_file.open(QIODevice::WriteOnly))
        return fail(errno);
    m_open = true;
    return true;
}

bool SafeWriter::write(const QByteArray &bytes)
{
    if (!m_open || failed())
        return false;
    errno = 0;
    if (m_file.write(bytes) != bytes.size())
        return fail(errno);
    return true;
}

bool SafeWriter::seek(qint64 position)
{
    if (!m_open || failed())
        return false;
    errno = 0;
    if (!m_file.seek(position))
        return fail(errno);
    return true;
}

bool SafeWriter::commit()
{
    if (!m_open || failed())
        return false;
    // QSaveFile::commit() reports success after a failed final flush and
    // puts the short file in the target's place: the flush is made and
    // checked here first.
    errno = 0;
    if (!m_file.flush() || m_file.error() != QFileDevice::NoError)
        return fail(errno);
    // A disk that takes the bytes into its cache can still fail to store
    // them; a file system that cannot sync at all is no failure.
    if (::fsync(m_file.handle()) != 0 && errno != EINVAL && errno != EROFS) {
        const int code = errno;
        m_reason = reasonOf(qt_error_string(code), code);
        return fail(code);
    }
    m_open = false;
    if (!m_file.commit()) {
        m_reason = writeFailureReason(m_file.errorString());
        return false;
    }
    return true;
}

void SafeWriter::cancel()
{
    if (!m_open)
        return;
    m_open = false;
    m_file.cancelWriting();
    m_file.commit(); // removes the temporary file
}

bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *reason)
{
    SafeWriter out(path);
    const bool written = out.open() && out.write(bytes) && out.commit();
    if (!written && reason)
        *reason = out.reason();
    return written;
}

} // namespace brivello::data
