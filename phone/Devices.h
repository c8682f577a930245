#pragma once

// The devices a phone or modem can be reached through, as the system offers
// them: serial ports, USB serial adapters and phones (ttyUSB, ttyACM, with
// their names from /dev/serial/by-id) and Bluetooth serial links (rfcomm).

#include "phone/PhoneLink.h"

#include <QString>

#include <vector>

namespace brivello::phone {

using namespace Qt::StringLiterals;

struct DeviceEntry
{
    QString path;        // "/dev/ttyUSB0"
    QString description; // "USB: Prolific Technology USB-Serial Controller"
    friend bool operator==(const DeviceEntry &, const DeviceEntry &) = default;
};

// Where the lists are read; tests point them at folders of their own.
struct DeviceRoots
{
    QString dev = u"/dev"_s;
    QString sysTty = u"/sys/class/tty"_s;
};

// USB devices first (the usual cables), then Bluetooth, then the serial
// ports that have a UART behind them; each kind in natural order.
std::vector<DeviceEntry> listDevices(const DeviceRoots &roots = {});

// Opens the device the way libGammu will, to tell in plain words why it
// cannot be used: missing, busy, or not permitted (with the group that may
// open it). A device that is not a path (a Bluetooth address) is not probed.
PhoneError probeDevice(const QString &device);

// The reason for a failed open(2) of `device`, `err` its errno.
PhoneError openFailure(int err, const QString &device, const QString &group);

} // namespace brivello::phone
