#include "phone/Devices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace brivello::phone {

namespace {

// "ttyUSB2" before "ttyUSB10": by the name's stem, then by its number.
QStringList naturalOrder(QStringList names)
{
    const auto split = [](const QString &name) {
        qsizetype digits = name.size();
        while (digits > 0 && name[digits - 1].isDigit())
            --digits;
        return std::pair{name.left(digits), name.mid(digits).toLongLong()};
    };
    std::sort(names.begin(), names.end(),
              [&](const QString &a, const QString &b) { return split(a) < split(b); });
    return names;
}

// "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0" ->
// "Prolific Technology Inc. USB-Serial Controller".
QString readableId(QString id)
{
    for (const QString &prefix : {u"usb-"_s, u"pci-"_s}) {
        if (id.startsWith(prefix))
            id = id.mid(prefix.size());
    }
    static const QRegularExpression tail(u"(-if\\d+)?(-port\\d+)?$"_s);
    id.remove(tail);
    static const QRegularExpression serial(u"_[0-9A-Fa-f]{6,}$"_s);
    id.remove(serial);
    id.replace(u'_', u' ');
    return id.simplified();
}

// Device name ("ttyUSB0") -> the by-id name of the cable behind it.
QMap<QString, QString> namesById(const QString &dev)
{
    QMap<QString, QString> names;
    const QDir byId(dev + u"/serial/by-id"_s);
    for (const QFileInfo &link : byId.entryInfoList(QDir::Files | QDir::System)) {
        const QString target = QFileInfo(link.symLinkTarget()).fileName();
        if (!target.isEmpty())
            names.insert(target, readableId(link.fileName()));
    }
    return names;
}

// A serial port the kernel lists but that has no UART behind it has type 0.
bool hasUart(const QString &sysTty, const QString &name)
{
    QFile type(sysTty + u'/' + name + u"/type"_s);
    if (!type.open(QIODevice::ReadOnly))
        return true;
    return type.readAll().trimmed() != "0";
}

QStringList devices(const QString &dev, const QStringList &patterns)
{
    // Device nodes are "system" files to QDir.
    return naturalOrder(QDir(dev).entryList(patterns, QDir::System | QDir::Files | QDir::NoDotAndDotDot));
}

QString groupName(gid_t gid)
{
    const struct group *entry = getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString();
}

} // namespace

std::vector<DeviceEntry> listDevices(const DeviceRoots &roots)
{
    std::vector<DeviceEntry> list;
    QStringList seen;
    const auto add = [&](const QString &name, const QString &description) {
        if (seen.contains(name))
            return;
        seen << name;
        list.push_back({roots.dev + u'/' + name, description});
    };
    const QMap<QString, QString> ids = namesById(roots.dev);
    for (const QString &name : devices(roots.dev, {u"ttyUSB*"_s, u"ttyACM*"_s})) {
        const QString id = ids.value(name);
        add(name, id.isEmpty() ? u"USB (%1)"_s.arg(name) : u"USB: %1"_s.arg(id));
    }
    for (const QString &name : devices(roots.dev, {u"rfcomm*"_s}))
        add(name, u"Bluetooth (%1)"_s.arg(name));
    for (const QString &name : devices(roots.dev, {u"ttyS*"_s})) {
        if (hasUart(roots.sysTty, name))
            add(name, u"Porta seriale %1"_s.arg(name.mid(4).toInt() + 1));
    }
    return list;
}

PhoneError openFailure(int err, const QString &device, const QString &group)
{
    switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return phoneError(PhoneErrorKind::NoDevice, device);
    case EACCES:
    case EPERM: {
        PhoneError error = phoneError(PhoneErrorKind::NoPermission, device);
        error.group = group;
        return error;
    }
    case EBUSY:
    case EWOULDBLOCK:
        return phoneError(PhoneErrorKind::DeviceBusy, device);
    default: {
        PhoneError error = phoneError(PhoneErrorKind::Other, device);
        error.detail = QString::fromLocal8Bit(strerror(err));
        return error;
    }
    }
}

PhoneError probeDevice(const QString &device)
{
    if (!device.startsWith(u'/'))
        return {};
    const QByteArray path = QFile::encodeName(device);
    struct stat info
    {
    };
    if (stat(path.constData(), &info) != 0)
        return openFailure(errno, device, {});
    const QString group = groupName(info.st_gid);
    // O_NONBLOCK: a serial line without carrier must not hold the open.
    const int fd = open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return openFailure(errno, device, group);
    // libGammu takes the same advisory lock; another program holding it is
    // busy with the phone.
    const bool locked = flock(fd, LOCK_EX | LOCK_NB) == 0;
    const int lockError = errno;
    if (locked)
        flock(fd, LOCK_UN);
    close(fd);
    if (!locked && lockError == EWOULDBLOCK)
        return phoneError(PhoneErrorKind::DeviceBusy, device);
    return {};
}

} // namespace brivello::phone
