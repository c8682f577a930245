// Phone numbers as typed and as handed over by the ringtone window, and the
// devices a phone can be reached through.

#include "phone/Devices.h"
#include "phone/PhoneNumber.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace brivello::phone;
using namespace Qt::StringLiterals;

class TestNumbersAndDevices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void handedOverNumberIsUndone_data();
    void handedOverNumberIsUndone();
    void numbersAreCheckedAndMadeInternational_data();
    void numbersAreCheckedAndMadeInternational();
    void devicesAreListedUsbFirstWithTheirNames();
    void openFailuresSayWhy();
};

void TestNumbersAndDevices::handedOverNumberIsUndone_data()
{
    QTest::addColumn<QString>("handedOver");
    QTest::addColumn<QString>("typed");
    QTest::newRow("national mobile") << u"0039333 1234567"_s << u"+39333 1234567"_s;
    QTest::newRow("typed with 0039") << u"0039039333123456"_s << u"0039333123456"_s;
    QTest::newRow("typed with +") << u"0039+44 7911 123456"_s << u"+44 7911 123456"_s;
    QTest::newRow("typed with 00 and another country") << u"0039044791112345"_s << u"0044791112345"_s;
    QTest::newRow("letters stay") << u"0039abc"_s << u"+39abc"_s;
    QTest::newRow("not from the window") << u"+39 333 1234567"_s << u"+39 333 1234567"_s;
}

void TestNumbersAndDevices::handedOverNumberIsUndone()
{
    QFETCH(QString, handedOver);
    QFETCH(QString, typed);
    QCOMPARE(typedFromHandedOver(handedOver), typed);
}

void TestNumbersAndDevices::numbersAreCheckedAndMadeInternational_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("international");
    QTest::addColumn<QString>("problem");
    QTest::newRow("spaced") << u"+39 333 123 4567"_s << u"+393331234567"_s << QString();
    QTest::newRow("dashes, dots, brackets") << u"(+39) 333-123.45/67"_s << u"+393331234567"_s << QString();
    QTest::newRow("00 prefix") << u"0044 7911 123456"_s << u"+447911123456"_s << QString();
    QTest::newRow("national") << u"333 1234567"_s << u"+393331234567"_s << QString();
    QTest::newRow("letter") << u"+39 333 12a4567"_s << QString()
                            << u"Il numero contiene la lettera «a»: un numero di telefono ha solo cifre."_s;
    QTest::newRow("hashes")
        << u"+39333##1234567"_s << QString()
        << u"Il numero contiene il segno «#»: un numero di telefono ha solo cifre, con un «+» "
           u"davanti."_s;
    QTest::newRow("plus inside") << u"+39+333"_s << QString() << u"Il «+» va soltanto davanti al numero."_s;
    QTest::newRow("empty") << u"  "_s << QString() << u"Manca il numero del destinatario."_s;
    QTest::newRow("short") << u"+3912"_s << QString()
                           << u"Il numero è troppo corto (4 cifre con il prefisso internazionale, ne servono "
                              u"almeno 7)."_s;
    QTest::newRow("long")
        << u"+39 3331234567890123"_s << QString()
        << u"Il numero è troppo lungo (18 cifre con il prefisso internazionale, al massimo 15)."_s;
    QTest::newRow("country 0") << u"+0 333 1234567"_s << QString()
                               << u"Il prefisso internazionale non può cominciare con 0."_s;
}

void TestNumbersAndDevices::numbersAreCheckedAndMadeInternational()
{
    QFETCH(QString, typed);
    QFETCH(QString, international);
    QFETCH(QString, problem);
    const NumberCheck check = checkNumber(typed);
    QCOMPARE(check.international, international);
    QCOMPARE(check.problem, problem);
    QCOMPARE(check.ok(), problem.isEmpty());
}

void TestNumbersAndDevices::devicesAreListedUsbFirstWithTheirNames()
{
    QTemporaryDir root;
    const QString dev = root.filePath(u"dev"_s);
    const QString sys = root.filePath(u"sys"_s);
    QDir().mkpath(dev + u"/serial/by-id"_s);
    for (const QString &name : {u"ttyS0"_s, u"ttyS1"_s, u"ttyUSB10"_s, u"ttyUSB2"_s, u"ttyUSB0"_s,
                                u"ttyACM0"_s, u"rfcomm0"_s, u"tty1"_s, u"null"_s}) {
        QFile node(dev + u'/' + name);
        QVERIFY(node.open(QIODevice::WriteOnly));
    }
    QVERIFY(
        QFile::link(dev + u"/ttyUSB0"_s,
                    dev + u"/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0"_s));
    QVERIFY(QFile::link(dev + u"/ttyACM0"_s, dev + u"/serial/by-id/usb-Nokia_6230i_0123456789ab-if01"_s));
    // The kernel lists ttyS1 but there is no UART behind it.
    for (const auto &[name, type] : {std::pair{u"ttyS0"_s, "4\n"}, std::pair{u"ttyS1"_s, "0\n"}}) {
        QDir().mkpath(sys + u'/' + name);
        QFile file(sys + u'/' + name + u"/type"_s);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(type);
    }

    const std::vector<DeviceEntry> devices = listDevices({dev, sys});
    const std::vector<DeviceEntry> expected{
        {dev + u"/ttyACM0"_s, u"USB: Nokia 6230i"_s},
        {dev + u"/ttyUSB0"_s, u"USB: Prolific Technology Inc. USB-Serial Controller"_s},
        {dev + u"/ttyUSB2"_s, u"USB (ttyUSB2)"_s},
        {dev + u"/ttyUSB10"_s, u"USB (ttyUSB10)"_s},
        {dev + u"/rfcomm0"_s, u"Bluetooth (rfcomm0)"_s},
        {dev + u"/ttyS0"_s, u"Porta seriale 1"_s},
    };
    QCOMPARE(devices.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        QCOMPARE(devices[i].path, expected[i].path);
        QCOMPARE(devices[i].description, expected[i].description);
    }
    QVERIFY(listDevices({root.filePath(u"nothing"_s), sys}).empty());
}

void TestNumbersAndDevices::openFailuresSayWhy()
{
    QCOMPARE(openFailure(ENOENT, u"/dev/ttyUSB0"_s, {}).kind, PhoneErrorKind::NoDevice);
    QCOMPARE(openFailure(EBUSY, u"/dev/ttyUSB0"_s, {}).kind, PhoneErrorKind::DeviceBusy);
    const PhoneError denied = openFailure(EACCES, u"/dev/ttyUSB0"_s, u"dialout"_s);
    QCOMPARE(denied.kind, PhoneErrorKind::NoPermission);
    QCOMPARE(denied.group, u"dialout"_s);
    QVERIFY(denied.message().contains(u"sudo adduser $USER dialout"_s));
    QCOMPARE(probeDevice(u"/dev/ttyNonEsiste3"_s).kind, PhoneErrorKind::NoDevice);
    // A Bluetooth address is not a file and is left to libGammu.
    QVERIFY(probeDevice(u"00:11:22:33:44:55"_s).ok());
    QVERIFY(probeDevice(u"/dev/null"_s).ok());
}

QTEST_GUILESS_MAIN(TestNumbersAndDevices)
#include "test_numbersanddevices.moc"
