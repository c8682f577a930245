// The Smart Messaging picture encoders, byte for byte against the layout the
// format documents (written out independently below): the header with the
// destination port, the network code in BCD, the bitmap header and the
// pixels, most significant bit on the left, 1 for black.

#include "phone/LogoMessage.h"

#include <QTest>

using namespace Qt::StringLiterals;

using namespace brivello::phone;

namespace {

// A logo with a known shape: the four corners, and a diagonal from the top
// left corner.
LogoPixels cornersAndDiagonal(int width, int height)
{
    LogoPixels logo = LogoPixels::blank(width, height);
    logo.set(0, 0);
    logo.set(width - 1, 0);
    logo.set(0, height - 1);
    logo.set(width - 1, height - 1);
    for (int i = 0; i < height; ++i)
        logo.set(i, i);
    return logo;
}

// The pixels as the format packs them, written out from the layout.
QByteArray packedPixels(const LogoPixels &logo)
{
    QByteArray bytes((logo.width * logo.height + 7) / 8, '\0');
    for (int y = 0; y < logo.height; ++y)
        for (int x = 0; x < logo.width; ++x)
            if (logo.at(x, y)) {
                const int bit = y * logo.width + x;
                bytes[bit / 8] = char(bytes[bit / 8] | (0x80 >> (bit % 8)));
            }
    return bytes;
}

} // namespace

class TestLogoMessage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void operatorLogoIsOneSmsOf140Bytes()
    {
        const LogoPixels logo = cornersAndDiagonal(72, 14);
        const LogoMessage sent = encodeOperatorLogo(logo, u"222 01"_s);
        QVERIFY2(sent.ok(), qPrintable(sent.error));
        QCOMPARE(sent.message.port, SmartPort::OperatorLogo);
        QCOMPARE(sent.message.partCount(), 1);
        const SmsPart &part = sent.message.parts.front();
        QCOMPARE(part.udh, QByteArray::fromHex("06050415820000"));
        // MCC 222 as "22 F2", MNC 01 as "10", then the bitmap header: no
        // info, 72 wide, 14 high, one colour depth.
        const QByteArray expected = QByteArray::fromHex("22F210"
                                                        "00480E01") +
                                    packedPixels(logo);
        QCOMPARE(part.data.toHex(), expected.toHex());
        QCOMPARE(part.userData().size(), 140);
        // The packing the layout pins down: top left is the first byte's
        // high bit, bottom right the last byte's low bit.
        QCOMPARE(quint8(part.data.at(7)), quint8(0x80));
        QCOMPARE(quint8(part.data.back()), quint8(0x01));
    }

    void networkCodeOfOtherDigitsInBcd()
    {
        const LogoMessage sent = encodeOperatorLogo(LogoPixels::blank(72, 14), u"262 07"_s);
        QVERIFY2(sent.ok(), qPrintable(sent.error));
        QCOMPARE(sent.message.parts.front().data.left(3).toHex(), QByteArray("62f270"));
    }

    void wrongSizesAndCodesAreRefusedInItalian()
    {
        const LogoMessage small = encodeOperatorLogo(LogoPixels::blank(70, 14), u"222 01"_s);
        QVERIFY(!small.ok());
        QVERIFY(small.message.parts.empty());
        QVERIFY(small.error.contains(u"72 × 14"_s));
        const LogoMessage badCode = encodeOperatorLogo(LogoPixels::blank(72, 14), u"22201"_s);
        QVERIFY(!badCode.ok());
        QVERIFY(badCode.error.contains(u"non è valido"_s));
        const LogoMessage longText = encodePictureMessage(LogoPixels::blank(72, 28), QString(121, u'a'));
        QVERIFY(!longText.ok());
        QVERIFY(longText.error.contains(u"120"_s));
    }

    void groupGraphicOnItsOwnPort()
    {
        const LogoPixels logo = cornersAndDiagonal(72, 14);
        const LogoMessage sent = encodeGroupGraphic(logo);
        QVERIFY2(sent.ok(), qPrintable(sent.error));
        QCOMPARE(sent.message.partCount(), 1);
        const SmsPart &part = sent.message.parts.front();
        QCOMPARE(part.udh, QByteArray::fromHex("06050415830000"));
        QVERIFY(part.data.endsWith(QByteArray::fromHex("00480E01") + packedPixels(logo)));
    }

    void pictureMessageGoesInConcatenatedParts()
    {
        const LogoPixels picture = cornersAndDiagonal(72, 28);
        const LogoMessage sent = encodePictureMessage(picture, u"Ciao!"_s);
        QVERIFY2(sent.ok(), qPrintable(sent.error));
        QCOMPARE(sent.message.port, SmartPort::PictureMessage);
        QVERIFY(sent.message.partCount() >= 2);
        const int count = sent.message.partCount();
        for (int i = 0; i < count; ++i) {
            const QByteArray &udh = sent.message.parts[i].udh;
            // Port addressing, then the concatenation element: reference,
            // count, number.
            QCOMPARE(udh.left(9).toHex(), QByteArray("0b0504158a00000003"));
            QCOMPARE(quint8(udh.at(10)), quint8(count));
            QCOMPARE(quint8(udh.at(11)), quint8(i + 1));
            QCOMPARE(udh.at(9), char(sent.message.reference));
        }
        const QByteArray payload = sent.message.payload();
        QVERIFY(payload.contains(QByteArray::fromHex("00481C01") + packedPixels(picture)));
        QVERIFY(payload.contains("Ciao!"));
        // The same picture and text give the same bytes, reference included.
        const LogoMessage again = encodePictureMessage(picture, u"Ciao!"_s);
        QCOMPARE(again.message.parts, sent.message.parts);
    }
};

QTEST_GUILESS_MAIN(TestLogoMessage)
#include "test_logomessage.moc"
