#include "phone/Connections.h"

namespace brivello::phone {

const std::vector<ConnectionKind> &connectionKinds()
{
    static const std::vector<ConnectionKind> kinds{
        {QStringLiteral("at"), QStringLiteral("Modem GSM o telefono, comandi AT (19200 baud)")},
        {QStringLiteral("at115200"), QStringLiteral("Modem GSM o telefono, comandi AT (115200 baud)")},
        {QStringLiteral("fbus"), QStringLiteral("Cavo dati Nokia FBUS (seriale)")},
        {QStringLiteral("dlr3"), QStringLiteral("Cavo dati Nokia DLR-3")},
        {QStringLiteral("dku5"), QStringLiteral("Cavo dati Nokia DKU-5 / CA-42 (USB)")},
        {QStringLiteral("dku2"), QStringLiteral("Cavo dati Nokia DKU-2 (USB)")},
        {QStringLiteral("fbuspl2303"), QStringLiteral("Cavo Nokia FBUS con adattatore PL2303")},
        {QStringLiteral("mbus"), QStringLiteral("Cavo Nokia MBUS")},
        {QStringLiteral("bluerfat"), QStringLiteral("Bluetooth, comandi AT (indirizzo del telefono)")},
        {QStringLiteral("bluefbus"), QStringLiteral("Bluetooth, Nokia FBUS (indirizzo del telefono)")},
    };
    return kinds;
}

ConnectionSettings loadConnection(const QSettings &settings, const QString &group)
{
    ConnectionSettings connection;
    connection.device = settings.value(group + QStringLiteral("/dispositivo")).toString();
    connection.connection =
        settings.value(group + QStringLiteral("/tipo"), connection.connection).toString().trimmed();
    if (connection.connection.isEmpty())
        connection.connection = QStringLiteral("at");
    return connection;
}

void saveConnection(QSettings &settings, const ConnectionSettings &connection, const QString &group)
{
    settings.setValue(group + QStringLiteral("/dispositivo"), connection.device);
    settings.setValue(group + QStringLiteral("/tipo"), connection.connection);
    settings.sync();
}

} // namespace brivello::phone
