// What the editor's pictures become as SMS: the document's kind picks the
// content and port, its ink pixels become set bits, and what cannot be sent
// is told in Italian before anything reaches a phone.

#include "tools/logotools/gammu/GammuBitmap.h"
#include "tools/logotools/picture/LogoSms.h"

#include <QTest>

using namespace brivello;
using namespace brivello::logotools;

class TestLogoSms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void operatorLogoCarriesNetworkAndInk()
    {
        LogoDocument document;
        document.kind = LogoKind::OperatorLogo;
        document.picture = gammubitmap::blankPicture(72, 14);
        document.picture.setPixel(0, 0, 1);
        document.picture.setPixel(71, 13, 1);
        document.network = {QStringLiteral("222"), QStringLiteral("10"), QStringLiteral("Vodafone"), {}};
        const phone::LogoMessage sent = smsFor(document);
        QVERIFY2(sent.ok(), qPrintable(sent.error));
        const phone::SmsPart &part = sent.message.parts.front();
        QCOMPARE(part.udh.toHex(), QByteArray("06050415820000"));
        QByteArray pixels(126, '\0');
        pixels[0] = char(0x80);
        pixels[125] = char(0x01);
        QCOMPARE(part.data.toHex(), (QByteArray::fromHex("22F20100480E01") + pixels).toHex());
    }

    void operatorLogoWithoutNetworkIsRefused()
    {
        LogoDocument document;
        document.picture = gammubitmap::blankPicture(72, 14);
        const phone::LogoMessage sent = smsFor(document);
        QVERIFY(!sent.ok());
        QVERIFY(sent.message.parts.empty());
        QVERIFY(sent.error.contains(QStringLiteral("rete")));
    }

    void kindChoosesThePort()
    {
        LogoDocument group;
        group.kind = LogoKind::GroupGraphic;
        group.picture = gammubitmap::blankPicture(72, 14);
        QCOMPARE(smsFor(group).message.port, phone::SmartPort::CallerGroupGraphic);

        LogoDocument picture;
        picture.kind = LogoKind::PictureMessage;
        picture.picture = gammubitmap::blankPicture(72, 28);
        picture.text = QStringLiteral("Auguri");
        const phone::LogoMessage sent = smsFor(picture);
        QVERIFY2(sent.ok(), qPrintable(sent.error));
        QCOMPARE(sent.message.port, phone::SmartPort::PictureMessage);
        QVERIFY(sent.message.payload().contains("Auguri"));

        picture.picture = gammubitmap::blankPicture(72, 14);
        QVERIFY(smsFor(picture).error.contains(QStringLiteral("72 × 28")));
    }
};

QTEST_GUILESS_MAIN(TestLogoSms)
#include "test_logo_sms.moc"
