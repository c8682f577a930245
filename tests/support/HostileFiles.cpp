#include "tests/support/HostileFiles.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace brivello::test {

FifoGuard::FifoGuard(const QString &path, std::chrono::milliseconds patience)
    : m_path(path), m_patience(patience)
{
    m_made = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (m_made)
        m_thread = std::thread([this] { watch(); });
}

FifoGuard::~FifoGuard()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_stopped.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    if (m_made)
        QFile::remove(m_path);
}

void FifoGuard::watch()
{
    const QByteArray path = QFile::encodeName(m_path);
    std::unique_lock lock(m_mutex);
    // The patience is the time a well-behaved program needs to refuse the
    // FIFO; a reader still waiting after it is stuck for good.
    if (m_stopped.wait_for(lock, m_patience, [this] { return m_stop; }))
        return;
    // Release every reader that comes, until the test is over.
    while (!m_stopped.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_stop; })) {
        const int writer = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (writer >= 0) {
            m_released = true;
            ::close(writer);
        }
    }
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_savedSoft = static_cast<long long>(limit.rlim_cur);
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    if (m_active) {
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(m_savedSoft);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::signal(SIGXFSZ, m_savedHandler);
}

SmallFilesystem::SmallFilesystem(const QString &folder, int kilobytes) : m_folder(folder)
{
    if (::geteuid() != 0) {
        m_whyNot = u"mounting a tmpfs needs the superuser"_s;
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0700";
    if (::mount("brivello-test", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        m_whyNot = u"mount tmpfs: %1"_s.arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

SmallFilesystem::~SmallFilesystem()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool SmallFilesystem::fill()
{
    const QByteArray path = QFile::encodeName(m_folder + u"/.filler"_s);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'x');
    int lastError = 0;
    for (;;) {
        const ssize_t written = ::write(fd, block.constData(), static_cast<size_t>(block.size()));
        if (written < 0) {
            lastError = errno;
            break;
        }
        // A short write leaves the last bytes for the next round.
        if (written == 0)
            break;
    }
    // Whatever a single byte still finds is taken too.
    while (::write(fd, "x", 1) == 1) {
    }
    ::close(fd);
    return lastError == ENOSPC;
}

namespace {

bool capabilities(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capget, &header, data) == 0;
}

bool setCapabilities(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capset, &header, data) == 0;
}

constexpr unsigned overridingCapabilities = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

} // namespace

PermissionsApply::PermissionsApply()
{
    if (::geteuid() != 0) {
        m_active = true;
        return;
    }
    __user_cap_data_struct data[2]{};
    if (!capabilities(data))
        return;
    data[0].effective &= ~overridingCapabilities;
    m_changed = setCapabilities(data);
    m_active = m_changed;
}

PermissionsApply::~PermissionsApply()
{
    if (!m_changed)
        return;
    __user_cap_data_struct data[2]{};
    if (!capabilities(data))
        return;
    data[0].effective |= overridingCapabilities & data[0].permitted;
    setCapabilities(data);
}

} // namespace brivello::test
