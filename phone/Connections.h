#pragma once

// The kinds of connection offered to the user, by libGammu's names, and the
// connection chosen last, kept in the user's settings for the next start.

#include "phone/PhoneLink.h"

#include <QSettings>
#include <QString>

#include <vector>

namespace brivello::phone {

using namespace Qt::StringLiterals;

struct ConnectionKind
{
    QString name;  // libGammu's connection name
    QString label; // what the user reads
};

// AT modems and phones first (the commonest), then the Nokia cables, then
// Bluetooth by address.
const std::vector<ConnectionKind> &connectionKinds();

// The connection kept under `group` ("collegamento"); "at" and no device
// when none was kept.
ConnectionSettings loadConnection(const QSettings &settings, const QString &group = u"collegamento"_s);
void saveConnection(QSettings &settings, const ConnectionSettings &connection,
                    const QString &group = u"collegamento"_s);

} // namespace brivello::phone
