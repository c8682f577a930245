#pragma once

// What a phone receives by SMS: one or more parts, each a user data header
// (UDH) and 8-bit data. Nokia Smart Messaging addresses each kind of content
// to its own destination port; a content that does not fit one SMS goes in
// concatenated parts that carry the same reference number.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace brivello::phone {

// Destination ports of Nokia Smart Messaging (16-bit application ports).
enum class SmartPort : std::uint16_t {
    Ringtone = 0x1581,
    OperatorLogo = 0x1582,
    CallerGroupGraphic = 0x1583,
    PictureMessage = 0x158A,
};

struct SmsPart
{
    QByteArray udh;       // the whole header, its length byte first ("06 05 04 15 81 00 00")
    QByteArray data;      // the 8-bit data that follows the header
    int messageClass = 1; // GSM message class; -1 sends no class

    QByteArray userData() const { return udh + data; }
    // "UDH 06050415810000 | 024A3A…": the two in upper-case hex.
    QString hex() const;
    friend bool operator==(const SmsPart &, const SmsPart &) = default;
};

struct SmartMessage
{
    SmartPort port = SmartPort::Ringtone;
    // The concatenation reference the parts share; unused for a single part.
    std::uint8_t reference = 0;
    std::vector<SmsPart> parts;

    // The content without its headers: the parts' data joined, as an .ott
    // file (ringtones) or .nol/.ngg file (logos) holds it.
    QByteArray payload() const;
    int partCount() const { return static_cast<int>(parts.size()); }
    bool isSinglePart() const { return parts.size() == 1; }
};

QString hexBytes(const QByteArray &bytes);
// "02 4A 3A …": bytes apart, so that long parts wrap between them.
QString spacedHex(const QByteArray &bytes);
// Every part as the user previews it before sending: "SMS 1 di 2 (140
// byte)", then its header and its data in spaced hex.
QString partsPreview(const SmartMessage &message);
// The port as the format documents write it, "0x1581".
QString portText(SmartPort port);

// A reference for the parts of one content, taken from its bytes: sending the
// same content again gives the same reference, so a phone that kept the
// parts of an interrupted send completes it with the new ones.
std::uint8_t referenceFor(const QByteArray &payload);

} // namespace brivello::phone
