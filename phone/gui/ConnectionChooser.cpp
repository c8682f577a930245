#include "phone/gui/ConnectionChooser.h"

#include "phone/Connections.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace brivello::phone {

ConnectionChooser::ConnectionChooser(DeviceLister devices, QWidget *parent)
    : QWidget(parent), m_devices(std::move(devices)), m_device(new QComboBox(this)),
      m_kind(new QComboBox(this)), m_probe(new QPushButton(u"Prova"_s, this)),
      m_refresh(new QToolButton(this)), m_description(new QLabel(this))
{
    m_device->setEditable(true);
    m_device->setInsertPolicy(QComboBox::NoInsert);
    m_device->setMinimumContentsLength(18);
    m_device->lineEdit()->setPlaceholderText(u"/dev/ttyUSB0"_s);
    m_device->setToolTip(u"Il dispositivo del modem o del cavo; si può anche scrivere."_s);
    m_refresh->setText(u"Aggiorna"_s);
    m_refresh->setToolTip(u"Cerca di nuovo i dispositivi collegati"_s);
    for (const ConnectionKind &kind : connectionKinds())
        m_kind->addItem(kind.label, kind.name);
    m_probe->setToolTip(u"Collega il telefono e ne legge marca, modello, IMEI e segnale, "
                        "senza inviare nulla."_s);
    m_description->setWordWrap(true);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(u"Dispositivo:"_s, this), 0, 0);
    layout->addWidget(m_device, 0, 1);
    layout->addWidget(m_refresh, 0, 2);
    layout->addWidget(m_description, 1, 1, 1, 2);
    layout->addWidget(new QLabel(u"Collegamento:"_s, this), 2, 0);
    layout->addWidget(m_kind, 2, 1);
    layout->addWidget(m_probe, 2, 2);
    layout->setColumnStretch(1, 1);

    connect(m_refresh, &QToolButton::clicked, this, &ConnectionChooser::refreshDevices);
    connect(m_probe, &QPushButton::clicked, this, &ConnectionChooser::probeRequested);
    connect(m_device, &QComboBox::currentTextChanged, this, &ConnectionChooser::showDescription);
    refreshDevices();
}

ConnectionSettings ConnectionChooser::connection() const
{
    ConnectionSettings settings;
    settings.device = m_device->currentText().trimmed();
    settings.connection = m_kind->currentData().toString();
    return settings;
}

void ConnectionChooser::setConnection(const ConnectionSettings &connection)
{
    m_device->setEditText(connection.device);
    const int kind = m_kind->findData(connection.connection);
    if (kind >= 0) {
        m_kind->setCurrentIndex(kind);
    } else if (!connection.connection.isEmpty()) {
        // A kind kept from elsewhere that the list does not offer.
        m_kind->addItem(connection.connection, connection.connection);
        m_kind->setCurrentIndex(m_kind->count() - 1);
    }
    showDescription();
}

void ConnectionChooser::refreshDevices()
{
    const QString shown = m_device->currentText();
    m_entries = m_devices ? m_devices() : std::vector<DeviceEntry>{};
    m_device->blockSignals(true);
    m_device->clear();
    for (const DeviceEntry &entry : m_entries)
        m_device->addItem(entry.path);
    m_device->setEditText(shown.isEmpty() && !m_entries.empty() ? m_entries.front().path : shown);
    m_device->blockSignals(false);
    showDescription();
}

void ConnectionChooser::showDescription()
{
    const QString device = m_device->currentText().trimmed();
    for (const DeviceEntry &entry : m_entries) {
        if (entry.path == device) {
            m_description->setText(entry.description);
            return;
        }
    }
    m_description->setText(m_entries.empty() ? u"Nessun dispositivo trovato: collegare il cavo o "
                                               "il modem e premere «Aggiorna», oppure scrivere il "
                                               "nome del dispositivo."_s
                                             : QString());
}

} // namespace brivello::phone
