#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace brivello::toolcatalogue {

// The files a tool folder offers for copying, as the hidden file list shows
// them: plain files (read-only and archive ones included, and those we may
// not read, so that the user hears of them), no hidden files, no
// subfolders, ordered by name without regard to letter case.
QStringList listToolFiles(const QString &folder);

// Which side of a copy failed.
enum class CopyFailure { None, Read, Write };

// Copies one file so that the target never holds half a copy: the data goes
// to a temporary file beside the target, which then replaces the target in
// one step. An existing target is replaced. On failure says which side
// failed and why in *error (Italian, naming the file); a target is never
// touched when the source cannot be read.
CopyFailure copyFileSafely(const QString &source, const QString &target, QString *error);

// How a copy of a tool folder ended.
struct CopyOutcome
{
    enum class Kind { Complete, Cancelled, Failed };
    Kind kind = Kind::Complete;
    int copied = 0;
    int total = 0;
    QString error;          // for Failed: what went wrong, naming the file
    QStringList unreadable; // files left out because they could not be read
};

// Copies the listed files of a tool folder into a target folder, one file
// per turn of the event loop, so that the window stays responsive and a
// progress dialog can offer to cancel. Files copied before a failure or a
// cancel stay in the target folder. A file that cannot be read (no read
// permission, a damaged disc) is left out and named at the end, and the
// copy goes on with the others; a file that cannot be written ends it.
class ToolCopy : public QObject
{
    Q_OBJECT
public:
    ToolCopy(const QString &sourceFolder, const QStringList &files, const QString &targetFolder,
             QObject *parent = nullptr);

    // Starts copying with the next turn of the event loop.
    void start();
    // Stops before the next file; the files copied so far stay.
    void cancel() { m_cancelled = true; }

    int total() const { return static_cast<int>(m_files.size()); }
    int copied() const { return m_copied; }

Q_SIGNALS:
    // A file has been copied whole, under its own name.
    void fileCopied(const QString &name);
    void progressed(int copied, int total);
    void finished(const brivello::toolcatalogue::CopyOutcome &outcome);

private:
    void step();
    void scheduleStep();
    void finish(CopyOutcome::Kind kind, const QString &error = {});

    QString m_sourceFolder;
    QStringList m_files;
    QString m_targetFolder;
    int m_copied = 0;
    int m_done = 0;
    QStringList m_unreadable;
    bool m_cancelled = false;
    bool m_finished = false;
};

} // namespace brivello::toolcatalogue
