#include "data/AccessHeader.h"

#include "data/CatalogueError.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace brivello::data {

namespace {

constexpr int VersionOffset = 0x14;
constexpr qint64 JetPageSize3 = 2048;
constexpr qint64 JetPageSize4 = 4096;
constexpr char TableDefinitionPage = 0x02;
constexpr qint64 CatalogPage = 2; // the table definition of MSysObjects

void openForReading(QFile &file)
{
    const QString path = file.fileName();
    const QFileInfo info(path);
    if (!info.exists())
        throw CatalogueError::missing(path);
    if (info.isDir())
        throw CatalogueError::notAccess(path, u"è una cartella"_s);
    // A FIFO or a device would hold the start-up in open() or read() for good.
    if (!info.isFile())
        throw CatalogueError::notAccess(path, u"non è un file normale"_s);
    if (!file.open(QIODevice::ReadOnly))
        throw CatalogueError::unreadable(path);
}

AccessHeader::Format formatOf(int versionByte)
{
    if (versionByte == 0)
        return AccessHeader::Format::Jet3;
    if (versionByte == 1)
        return AccessHeader::Format::Jet4;
    return AccessHeader::Format::Ace;
}

} // namespace

AccessHeader AccessHeader::read(const QString &path)
{
    QFile file(path);
    openForReading(file);
    const qint64 size = file.size();
    if (size == 0)
        throw CatalogueError::notAccess(path, u"il file è vuoto"_s);

    const QByteArray head = file.read(0x20);
    const bool jetMagic = head.mid(4, 15) == QByteArrayLiteral("Standard Jet DB");
    const bool aceMagic = head.mid(4, 15) == QByteArrayLiteral("Standard ACE DB");
    if (head.size() < 0x20 || head.at(0) != 0 || !(jetMagic || aceMagic))
        throw CatalogueError::notAccess(path, u"intestazione non riconosciuta"_s);

    AccessHeader header;
    header.versionByte = static_cast<unsigned char>(head.at(VersionOffset));
    // libmdb knows the versions up to Access 2019 (byte 6).
    if (header.versionByte > 6 || (jetMagic && header.versionByte > 1) ||
        (aceMagic && header.versionByte < 2))
        throw CatalogueError::notAccess(path,
                                        u"versione del formato sconosciuta (%1)"_s.arg(header.versionByte));
    header.format = formatOf(header.versionByte);
    header.pageSize = header.format == Format::Jet3 ? JetPageSize3 : JetPageSize4;

    if (size < header.pageSize * (CatalogPage + 1) || size % header.pageSize != 0)
        throw CatalogueError::damaged(path, u"il file è troncato"_s);
    header.pageCount = size / header.pageSize;

    if (!file.seek(CatalogPage * header.pageSize))
        throw CatalogueError::unreadable(path);
    const QByteArray pageType = file.read(1);
    if (pageType.size() != 1 || pageType.at(0) != TableDefinitionPage)
        throw CatalogueError::damaged(path, u"manca l'elenco delle tabelle"_s);
    return header;
}

} // namespace brivello::data
