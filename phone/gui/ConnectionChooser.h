#pragma once

// Where the phone is and how it is connected: the device (from the list the
// system offers, or typed), the kind of connection, and "Prova" to greet
// the phone before anything is sent. The tools that talk to phones share it.

#include "phone/Devices.h"
#include "phone/PhoneLink.h"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace brivello::phone {

class ConnectionChooser : public QWidget
{
    Q_OBJECT
public:
    using DeviceLister = std::function<std::vector<DeviceEntry>()>;

    explicit ConnectionChooser(DeviceLister devices, QWidget *parent = nullptr);

    ConnectionSettings connection() const;
    // Shows `connection`; a device the list lacks is kept as typed.
    void setConnection(const ConnectionSettings &connection);
    // Reads the system's devices again, keeping the device shown.
    void refreshDevices();

    QComboBox *deviceBox() const { return m_device; }
    QComboBox *kindBox() const { return m_kind; }
    QPushButton *probeButton() const { return m_probe; }
    QToolButton *refreshButton() const { return m_refresh; }
    QLabel *descriptionLabel() const { return m_description; }

Q_SIGNALS:
    void probeRequested();

private:
    void showDescription();

    DeviceLister m_devices;
    std::vector<DeviceEntry> m_entries;
    QComboBox *m_device;
    QComboBox *m_kind;
    QPushButton *m_probe;
    QToolButton *m_refresh;
    QLabel *m_description;
};

} // namespace brivello::phone
