#include "phone/Connections.h"

using namespace Qt::StringLiterals;

namespace brivello::phone {

const std::vector<ConnectionKind> &connectionKinds()
{
    static const std::vector<ConnectionKind> kinds{
        {u"at"_s, u"Modem GSM o telefono, comandi AT (19200 baud)"_s},
        {u"at115200"_s, u"Modem GSM o telefono, comandi AT (115200 baud)"_s},
        {u"fbus"_s, u"Cavo dati Nokia FBUS (seriale)"_s},
        {u"dlr3"_s, u"Cavo dati Nokia DLR-3"_s},
        {u"dku5"_s, u"Cavo dati Nokia DKU-5 / CA-42 (USB)"_s},
        {u"dku2"_s, u"Cavo dati Nokia DKU-2 (USB)"_s},
        {u"fbuspl2303"_s, u"Cavo Nokia FBUS con adattatore PL2303"_s},
        {u"mbus"_s, u"Cavo Nokia MBUS"_s},
        {u"bluerfat"_s, u"Bluetooth, comandi AT (indirizzo del telefono)"_s},
        {u"bluefbus"_s, u"Bluetooth, Nokia FBUS (indirizzo del telefono)"_s},
    };
    return kinds;
}

ConnectionSettings loadConnection(const QSettings &settings, const QString &group)
{
    ConnectionSettings connection;
    connection.device = settings.value(group + u"/dispositivo"_s).toString();
    connection.connection = settings.value(group + u"/tipo"_s, connection.connection).toString().trimmed();
    if (connection.connection.isEmpty())
        connection.connection = u"at"_s;
    return connection;
}

void saveConnection(QSettings &settings, const ConnectionSettings &connection, const QString &group)
{
    settings.setValue(group + u"/dispositivo"_s, connection.device);
    settings.setValue(group + u"/tipo"_s, connection.connection);
    settings.sync();
}

} // namespace brivello::phone
