// What the editor's pictures become as SMS: the document's kind picks the
// content and port, its ink pixels become set bits, and what cannot be sent
// is told in Italian before anything reaches a phone.

#include "tools/logotools/gammu/GammuBitmap.h"
#include "tools/logotools/picture/LogoSms.h"

#include <gammu.h>

#include <QTest>

#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::logotools;

namespace {

// libGammu's own reading of a received SMS, the independent check of what we
// send: the kind of content, the network and every point.
struct GammuReading
{
    bool ok = false;
    int id = -1;
    QString networkCode;
    QImage picture;
};

GammuReading readWithGammu(const phone::SmsPart &part)
{
    auto sms = std::make_unique<GSM_MultiSMSMessage>();
    std::memset(sms.get(), 0, sizeof *sms);
    sms->Number = 1;
    GSM_SMSMessage &one = sms->SMS[0];
    one.Coding = SMS_Coding_8bit;
    one.UDH.Length = int(part.udh.size());
    std::memcpy(one.UDH.Text, part.udh.constData(), size_t(part.udh.size()));
    GSM_DecodeUDHHeader(nullptr, &one.UDH);
    one.Length = int(part.data.size());
    std::memcpy(one.Text, part.data.constData(), size_t(part.data.size()));
    auto info = std::make_unique<GSM_MultiPartSMSInfo>();
    std::memset(info.get(), 0, sizeof *info);
    GammuReading reading;
    reading.ok = GSM_DecodeMultiPartSMS(nullptr, info.get(), sms.get(), FALSE);
    if (reading.ok && info->EntriesNum > 0 && info->Entries[0].Bitmap != nullptr) {
        reading.id = int(info->Entries[0].ID);
        const GSM_Bitmap &bitmap = info->Entries[0].Bitmap->Bitmap[0];
        reading.networkCode = QString::fromLatin1(bitmap.NetworkCode);
        reading.picture = gammubitmap::fromGsmBitmap(bitmap);
    }
    GSM_FreeMultiPartSMSInfo(info.get());
    return reading;
}

} // namespace

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
        document.network = {u"222"_s, u"10"_s, u"Vodafone"_s, {}};
        const phone::LogoMessage sent = smsFor(document);
        QVERIFY2(sent.ok(), qPrintable(sent.error));
        const phone::SmsPart &part = sent.message.parts.front();
        QCOMPARE(part.udh.toHex(), QByteArray("06050415820000"));
        QByteArray pixels(126, '\0');
        pixels[0] = char(0x80);
        pixels[125] = char(0x01);
        QCOMPARE(part.data.toHex(), (QByteArray::fromHex("22F20100480E01") + pixels).toHex());

        const GammuReading reading = readWithGammu(part);
        QVERIFY(reading.ok);
        QCOMPARE(reading.id, int(SMS_NokiaOperatorLogo));
        QCOMPARE(reading.networkCode, u"222 10"_s);
        QCOMPARE(reading.picture.size(), QSize(72, 14));
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 72; ++x)
                QCOMPARE(gammubitmap::isInk(reading.picture, x, y),
                         (x == 0 && y == 0) || (x == 71 && y == 13));
    }

    void operatorLogoWithoutNetworkIsRefused()
    {
        LogoDocument document;
        document.picture = gammubitmap::blankPicture(72, 14);
        const phone::LogoMessage sent = smsFor(document);
        QVERIFY(!sent.ok());
        QVERIFY(sent.message.parts.empty());
        QVERIFY(sent.error.contains(u"rete"_s));
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
        picture.text = u"Auguri"_s;
        const phone::LogoMessage sent = smsFor(picture);
        QVERIFY2(sent.ok(), qPrintable(sent.error));
        QCOMPARE(sent.message.port, phone::SmartPort::PictureMessage);
        QVERIFY(sent.message.payload().contains("Auguri"));

        picture.picture = gammubitmap::blankPicture(72, 14);
        QVERIFY(smsFor(picture).error.contains(u"72 × 28"_s));
    }
};

QTEST_GUILESS_MAIN(TestLogoSms)
#include "test_logo_sms.moc"
