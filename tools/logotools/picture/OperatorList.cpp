#include "tools/logotools/picture/OperatorList.h"

#include "tools/logotools/gammu/GammuBitmap.h"

#include <QHash>

#include <algorithm>

namespace brivello::logotools {

namespace {

bool isDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

QList<OperatorList::Row> rowsOf(const QList<gammubitmap::CodeName> &table)
{
    QList<OperatorList::Row> rows;
    rows.reserve(table.size());
    for (const gammubitmap::CodeName &entry : table)
        rows.append({entry.code, entry.name});
    return rows;
}

bool matches(const Network &network, QStringView word)
{
    const QString glued = network.mcc + network.mnc;
    return network.name.contains(word, Qt::CaseInsensitive) ||
           network.country.contains(word, Qt::CaseInsensitive) || network.mcc == word ||
           network.mnc == word || glued == word;
}

} // namespace

const OperatorList &OperatorList::builtIn()
{
    static const OperatorList list(rowsOf(gammubitmap::gammuNetworks()),
                                   rowsOf(gammubitmap::gammuCountries()));
    return list;
}

OperatorList::OperatorList(const QList<Row> &networks, const QList<Row> &countries)
{
    QHash<QString, QString> countryNames;
    for (const Row &country : countries)
        countryNames.insert(country.code, country.name);
    for (const Row &row : networks) {
        const QStringList parts = row.code.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() != 2 || !isDigits(parts.at(0)) || !isDigits(parts.at(1)))
            continue;
        m_networks.append({parts.at(0), parts.at(1), row.name, countryNames.value(parts.at(0), parts.at(0))});
    }
    std::stable_sort(m_networks.begin(), m_networks.end(), [](const Network &a, const Network &b) {
        const bool aItalian = a.mcc == ItalianMcc;
        const bool bItalian = b.mcc == ItalianMcc;
        if (aItalian != bItalian)
            return aItalian;
        if (const int byCountry = a.country.localeAwareCompare(b.country))
            return byCountry < 0;
        if (const int byName = a.name.localeAwareCompare(b.name))
            return byName < 0;
        return a.code() < b.code();
    });
}

QList<Network> OperatorList::search(QStringView query) const
{
    const QList<QStringView> words = query.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QList<Network> found;
    for (const Network &network : m_networks) {
        if (std::all_of(words.begin(), words.end(), [&](QStringView word) { return matches(network, word); }))
            found.append(network);
    }
    return found;
}

std::optional<Network> OperatorList::find(QStringView code) const
{
    const QList<QStringView> parts = code.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2 || !isDigits(parts.at(0)) || !isDigits(parts.at(1)))
        return std::nullopt;
    for (const Network &network : m_networks) {
        if (network.mcc == parts.at(0) && network.mnc.toInt() == parts.at(1).toInt())
            return network;
    }
    return std::nullopt;
}

} // namespace brivello::logotools
