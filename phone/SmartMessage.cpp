#include "phone/SmartMessage.h"

using namespace Qt::StringLiterals;

namespace brivello::phone {

QString hexBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString spacedHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString partsPreview(const SmartMessage &message)
{
    QStringList blocks;
    for (int i = 0; i < message.partCount(); ++i) {
        const SmsPart &part = message.parts[static_cast<std::size_t>(i)];
        blocks << u"SMS %1 di %2 (%3 byte)\nUDH:  %4\nDati: %5"_s.arg(i + 1)
                      .arg(message.partCount())
                      .arg(part.userData().size())
                      .arg(spacedHex(part.udh), spacedHex(part.data));
    }
    return blocks.join(u"\n\n"_s);
}

QString SmsPart::hex() const
{
    return u"UDH %1 | %2"_s.arg(hexBytes(udh), hexBytes(data));
}

QByteArray SmartMessage::payload() const
{
    QByteArray bytes;
    for (const SmsPart &part : parts)
        bytes += part.data;
    return bytes;
}

QString portText(SmartPort port)
{
    return u"0x%1"_s.arg(static_cast<unsigned>(port), 4, 16, QLatin1Char('0'))
        .toUpper()
        .replace(u"0X"_s, u"0x"_s);
}

std::uint8_t referenceFor(const QByteArray &payload)
{
    // FNV-1a folded to one byte: cheap, and every byte of the content counts.
    std::uint32_t hash = 2166136261u;
    for (const char byte : payload) {
        hash ^= static_cast<std::uint8_t>(byte);
        hash *= 16777619u;
    }
    return static_cast<std::uint8_t>(hash ^ (hash >> 8) ^ (hash >> 16) ^ (hash >> 24));
}

} // namespace brivello::phone
