#pragma once

// The files a hostile world leaves for the program: FIFOs where files should
// be, full disks, files the user may not read. Each helper undoes what it did
// when it goes out of scope.

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace brivello::test {

// Makes a FIFO at `path`. Opening a FIFO for reading waits for a writer, so
// a program that opens it blindly hangs; after `patience` the guard opens
// the other end to release such a reader, and records that it had to, so a
// test that would hang fails instead.
class FifoGuard
{
public:
    explicit FifoGuard(const QString &path,
                       std::chrono::milliseconds patience = std::chrono::milliseconds(3000));
    ~FifoGuard();
    FifoGuard(const FifoGuard &) = delete;
    FifoGuard &operator=(const FifoGuard &) = delete;

    bool made() const { return m_made; }
    // A reader opened the FIFO and had to be released.
    bool releasedAReader() const { return m_released; }

private:
    void watch();

    QString m_path;
    std::chrono::milliseconds m_patience;
    bool m_made = false;
    std::atomic<bool> m_released = false;
    std::mutex m_mutex;
    std::condition_variable m_stopped;
    bool m_stop = false;
    std::thread m_thread;
};

// While it lives, every write of this process that makes a file larger than
// `bytes` fails with EFBIG, as on a full disk (RLIMIT_FSIZE, with SIGXFSZ
// ignored so the write fails instead of ending the process). Files already
// larger stay readable.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return m_active; }

private:
    bool m_active = false;
    long long m_savedSoft = 0;
    void (*m_savedHandler)(int) = nullptr;
};

// A small tmpfs mounted at `folder` (which must exist), for a real full
// filesystem. Mounting needs the superuser and a system that allows it;
// whyNot() says what went wrong when it did not mount.
class SmallFilesystem
{
public:
    SmallFilesystem(const QString &folder, int kilobytes);
    ~SmallFilesystem();
    SmallFilesystem(const SmallFilesystem &) = delete;
    SmallFilesystem &operator=(const SmallFilesystem &) = delete;

    bool mounted() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }
    // Fills what is left of the filesystem with one file; true when the
    // last write failed for want of space.
    bool fill();

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_whyNot;
};

// While it lives, the superuser is held to file permissions like any user
// (the capabilities that override them are set aside), so a file without
// read permission cannot be read. Does nothing for other users, who are held
// to them anyway.
class PermissionsApply
{
public:
    PermissionsApply();
    ~PermissionsApply();
    PermissionsApply(const PermissionsApply &) = delete;
    PermissionsApply &operator=(const PermissionsApply &) = delete;

    // False when the superuser's capabilities could not be set aside.
    bool active() const { return m_active; }

private:
    bool m_changed = false;
    bool m_active = false;
};

} // namespace brivello::test
