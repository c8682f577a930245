#pragma once

// SMS-SUBMIT PDUs written from GSM 03.40 by the tests themselves, to check
// what reaches the modem against an account independent of libGammu.

#include "phone/SmartMessage.h"

#include <QString>

namespace brivello::test {

// "+393331234567" as an address field: the count of digits (or, for the
// service centre, of octets), type 91 (international), the digits in
// swapped pairs padded with F.
inline QByteArray addressField(const QString &number, bool countOctets)
{
    const QString digits = number.mid(1);
    QByteArray swapped;
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        const char low = char(digits[i].toLatin1() - '0');
        const char high = i + 1 < digits.size() ? char(digits[i + 1].toLatin1() - '0') : char(0xF);
        swapped.append(char((high << 4) | low));
    }
    const int length = countOctets ? int(swapped.size()) + 1 : int(digits.size());
    return QByteArray(1, char(length)) + char(0x91) + swapped;
}

// The PDU as the modem receives it after AT+CMGS: service centre, then the
// message: SMS-SUBMIT with a relative validity period and a user data
// header (first octet 51), reference 0 (the phone fills it), the number,
// protocol 0, 8-bit data of class 1 (F5), validity the longest (FF), the
// length of the user data and the user data.
inline QString submitPdu(const QString &centre, const QString &number, const brivello::phone::SmsPart &part)
{
    const QByteArray userData = part.userData();
    const QByteArray pdu = addressField(centre, true) + QByteArray::fromHex("5100") +
                           addressField(number, false) + QByteArray::fromHex("00F5FF") +
                           char(userData.size()) + userData;
    return QString::fromLatin1(pdu.toHex().toUpper());
}

// The length AT+CMGS announces: the octets after the service centre.
inline int announcedLength(const QString &pdu)
{
    const QByteArray bytes = QByteArray::fromHex(pdu.toLatin1());
    return int(bytes.size()) - 1 - int(uchar(bytes[0]));
}

} // namespace brivello::test
