#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace brivello::data {

// Writes a file so that it is never left half-written or lost: the bytes go
// to a temporary file beside the target; commit() flushes them, checks every
// step (a full disk, a quota or a file size limit show up here) and syncs
// them to the disk, and only then puts the new file in the target's place in
// one step. When any step fails the target stays exactly as it was and no
// temporary file is left. Every file the program writes for the user goes
// through it; so can any program that links the core library.
//
//     SafeWriter out(path);
//     if (!out.open() || !out.write(bytes) || !out.commit())
//         tell(out.reason());
class SafeWriter
{
public:
    explicit SafeWriter(const QString &path);
    ~SafeWriter(); // discards whatever was not committed
    SafeWriter(const SafeWriter &) = delete;
    SafeWriter &operator=(const SafeWriter &) = delete;

    // Makes the temporary file. False when the folder does not allow it.
    bool open();
    // Each returns false once anything has failed; later calls do nothing.
    bool write(const QByteArray &bytes);
    bool seek(qint64 position);
    qint64 pos() const { return m_file.pos(); }
    // Flushes, checks, syncs and replaces the target. False, with the target
    // untouched, when anything failed on the way.
    bool commit();
    // Gives the write up; the target stays as it was.
    void cancel();

    const QString &path() const { return m_path; }
    bool failed() const { return !m_reason.isEmpty(); }
    // Why it failed, as an Italian phrase that completes "Impossibile
    // scrivere il file «…»: " ("lo spazio sul disco è esaurito"). Empty while
    // nothing has failed.
    const QString &reason() const { return m_reason; }

private:
    bool fail(int code);

    QString m_path;
    QSaveFile m_file;
    QString m_reason;
    bool m_open = false;
};

// Writes `bytes` as the whole content of `path` through a SafeWriter. On
// failure returns false and, when `reason` is given, sets it as above.
bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *reason = nullptr);

// The Italian phrase for a failure Qt reported with `qtErrorText` (the text
// of an operating system error, as QFileDevice::errorString() gives it).
QString writeFailureReason(const QString &qtErrorText);

} // namespace brivello::data
