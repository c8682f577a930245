#pragma once

#include "tools/logotools/picture/LogoDocument.h"

#include <QList>
#include <QStringView>

#include <optional>

namespace brivello::logotools {

using namespace Qt::StringLiterals;

// The mobile networks a logo can be made for, from libGammu's tables of
// networks and countries: the Italian networks first, then by country and
// name.
class OperatorList
{
public:
    // libGammu's networks, read once.
    static const OperatorList &builtIn();

    // From code tables: networks as "MCC MNC" with their names, countries as
    // "MCC" with theirs. Rows whose code is not of that form are left out.
    struct Row
    {
        QString code;
        QString name;
    };
    OperatorList(const QList<Row> &networks, const QList<Row> &countries);

    const QList<Network> &networks() const { return m_networks; }

    // The networks that match every word of `query`, in list order. A word
    // matches the country, the network's name (any part, any letter case) or
    // its codes ("222", "01", "222 01" and "22201" all find TIM Italia).
    QList<Network> search(QStringView query) const;

    // The network of an "MCC MNC" code, as in a .nol file; its MNC may be
    // written with or without a leading zero.
    std::optional<Network> find(QStringView code) const;

    static inline const QString ItalianMcc = u"222"_s;

private:
    QList<Network> m_networks;
};

} // namespace brivello::logotools
