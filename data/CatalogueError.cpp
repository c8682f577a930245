#include "data/CatalogueError.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace brivello::data {

namespace {

QString shown(const QString &filePath)
{
    return QDir::toNativeSeparators(filePath);
}

} // namespace

CatalogueError::CatalogueError(Kind kind, const QString &filePath, const QString &message)
    : std::runtime_error(message.toStdString()), m_kind(kind), m_filePath(filePath), m_message(message)
{}

CatalogueError CatalogueError::missing(const QString &filePath)
{
    return {Kind::Missing, filePath,
            u"Impossibile aprire il catalogo: il file «%1» non esiste."_s.arg(shown(filePath))};
}

CatalogueError CatalogueError::unreadable(const QString &filePath)
{
    return {Kind::Missing, filePath,
            u"Impossibile aprire il catalogo: il file «%1» non si può leggere."_s.arg(shown(filePath))};
}

CatalogueError CatalogueError::notAccess(const QString &filePath, const QString &reason)
{
    return {Kind::NotAccess, filePath,
            u"Impossibile aprire il catalogo: il file «%1» non è un database Access (%2)."_s.arg(
                shown(filePath), reason)};
}

CatalogueError CatalogueError::damaged(const QString &filePath, const QString &reason)
{
    return {
        Kind::Damaged, filePath,
        u"Impossibile leggere il catalogo: il file «%1» è danneggiato (%2)."_s.arg(shown(filePath), reason)};
}

CatalogueError CatalogueError::missingTable(const QString &filePath, const QString &table)
{
    return {Kind::MissingTable, filePath,
            u"Il catalogo «%1» non contiene la tabella «%2»."_s.arg(shown(filePath), table)};
}

CatalogueError CatalogueError::missingField(const QString &filePath, const QString &table,
                                            const QString &field)
{
    return {Kind::MissingField, filePath,
            u"Nel catalogo «%1» la tabella «%2» non ha il campo «%3»."_s.arg(shown(filePath), table, field)};
}

CatalogueError CatalogueError::stopped(const QString &filePath)
{
    return {Kind::Stopped, filePath,
            u"La lettura del catalogo «%1» è stata interrotta."_s.arg(shown(filePath))};
}

} // namespace brivello::data
