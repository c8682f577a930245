// The real phone link, libGammu's AT driver, against the simulated modem:
// the exact PDUs that arrive, the SIM asking for its PIN, the centre
// refusing, silence, and a line that goes away in the middle of a send.
// Every case also checks that the line is closed afterwards.

#include "phone/GammuLink.h"
#include "phone/RingtoneMessage.h"
#include "tests/support/ModemSimulator.h"
#include "tests/support/PduBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace brivello::phone;
using namespace Qt::StringLiterals;
using brivello::test::ModemSimulator;
using brivello::test::submitPdu;

namespace {

const QString Number = u"+393331234567"_s;
const QString Centre = u"+393359609600"_s;

const QString OnePart = u"Test:d=4,o=5,b=125:8c,8d,e,2g.,8p,c6"_s;

// 123 sixteenths, each in another octave: three concatenated parts.
QString threeParts()
{
    QStringList notes;
    for (int i = 0; i < 123; ++i)
        notes << u"16%1%2"_s.arg(QChar(u"cdefgab"[i % 7])).arg(4 + i % 4);
    return u"Tre parti:d=4,o=5,b=180:"_s + notes.join(u',');
}

GammuLimits quickLimits()
{
    GammuLimits limits;
    limits.networkAnswer = std::chrono::milliseconds(1500);
    limits.logFile = qEnvironmentVariable("BRIVELLO_TEST_PHONE_LOG");
    return limits;
}

ConnectionSettings at(const ModemSimulator &modem)
{
    return {modem.devicePath(), u"at"_s};
}

struct Sent
{
    PhoneError error;
    QList<int> references;
};

Sent sendAll(GammuLink &link, const SmartMessage &message)
{
    Sent sent;
    for (const SmsPart &part : message.parts) {
        int reference = -1;
        sent.error = link.sendPart(Number, part, &reference);
        if (!sent.error.ok())
            break;
        sent.references << reference;
    }
    return sent;
}

bool anyCommandStartsWith(const ModemSimulator &modem, const QString &start)
{
    const QStringList commands = modem.commands();
    return std::any_of(commands.begin(), commands.end(),
                       [&](const QString &c) { return c.startsWith(start); });
}

} // namespace

class TestGammuLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void identifiesTheModem();
    void onePartRingtoneArrivesAsItsPdu();
    void threePartRingtoneArrivesPartByPart();
    void pinIsAskedForThenEntered();
    void refusalCarriesTheCentresCode();
    void silenceAfterThePduIsATimeout();
    void lineVanishingMidSendIsTold();
    void missingOrBusyDeviceIsToldBeforeAnythingIsSent();
    void simNetworkAndCentreProblemsAreToldBeforeSending();
    void aModemTakesNoRingtoneAndSaysSo();
    void theDummyPhoneIdentifiesAndTakesNoRingtone();
};

void TestGammuLink::identifiesTheModem()
{
    ModemSimulator modem;
    GammuLink link(quickLimits());
    QCOMPARE(link.connect(at(modem), {}).message(), PhoneError{}.message());
    PhoneIdentity identity;
    QVERIFY(link.identify(&identity).ok());
    QCOMPARE(identity.manufacturer, u"Brivello"_s);
    QCOMPARE(identity.model, u"Modem simulato"_s);
    QCOMPARE(identity.imei, u"490154203237518"_s);
    // GSM 07.07: +CSQ 20 is 2 * 20 - 113 dBm; libGammu counts 3 % a step.
    QCOMPARE(identity.signalDbm, -73);
    QCOMPARE(identity.signalPercent, 60);
    QCOMPARE(identity.network, u"Rete simulata"_s);
    link.disconnect();
    QTRY_COMPARE(modem.closings(), 1);
    QVERIFY(!modem.inUse());
    QVERIFY(modem.pdus().isEmpty());
}

void TestGammuLink::onePartRingtoneArrivesAsItsPdu()
{
    const RingtoneMessage ringtone = encodeRingtoneText(OnePart);
    ModemSimulator modem;
    GammuLink link(quickLimits());
    QVERIFY(link.connect(at(modem), {}).ok());
    const Sent sent = sendAll(link, ringtone.message);
    QCOMPARE(sent.error.message(), PhoneError{}.message());
    QCOMPARE(sent.references, QList<int>{42});
    link.disconnect();

    const QString expected = u"079193339506690051000C9193331332547600F5FF1F06050415810000"
                             u"024A3A515195CDD0040A149647116136154182906288A000"_s;
    QCOMPARE(submitPdu(Centre, Number, ringtone.message.parts[0]), expected);
    QCOMPARE(modem.pdus(), QStringList{expected});
    QCOMPARE(modem.announcedLengths(), QList<int>{45});
    QVERIFY(modem.commands().contains(u"AT+CMGF=0"_s));
    QTRY_COMPARE(modem.closings(), 1);
}

void TestGammuLink::threePartRingtoneArrivesPartByPart()
{
    const RingtoneMessage ringtone = encodeRingtoneText(threeParts());
    QCOMPARE(ringtone.message.partCount(), 3);
    ModemSimulator modem;
    GammuLink link(quickLimits());
    QVERIFY(link.connect(at(modem), {}).ok());
    const Sent sent = sendAll(link, ringtone.message);
    QVERIFY2(sent.error.ok(), qPrintable(sent.error.message()));
    QCOMPARE(sent.references, (QList<int>{42, 43, 44}));
    link.disconnect();

    QStringList expected;
    QList<int> lengths;
    for (const SmsPart &part : ringtone.message.parts) {
        expected << submitPdu(Centre, Number, part);
        lengths << brivello::test::announcedLength(expected.back());
    }
    QCOMPARE(modem.pdus(), expected);
    QCOMPARE(modem.announcedLengths(), lengths);
    QTRY_COMPARE(modem.closings(), 1);
}

void TestGammuLink::pinIsAskedForThenEntered()
{
    ModemSimulator::Script script;
    script.pin = u"4321"_s;
    const RingtoneMessage ringtone = encodeRingtoneText(OnePart);
    {
        ModemSimulator modem(script);
        GammuLink link(quickLimits());
        const PhoneError asked = link.connect(at(modem), {});
        QCOMPARE(asked.kind, PhoneErrorKind::PinNeeded);
        QCOMPARE(asked.message(), u"La SIM chiede il PIN: scriverlo nel campo «PIN» e riprovare."_s);
        QVERIFY(!anyCommandStartsWith(modem, u"AT+CPIN="_s));
        link.disconnect();
        QTRY_COMPARE(modem.closings(), 1);
    }
    {
        ModemSimulator modem(script);
        GammuLink link(quickLimits());
        QCOMPARE(link.connect(at(modem), u"1111"_s).kind, PhoneErrorKind::PinWrong);
        QVERIFY(modem.commands().contains(u"AT+CPIN=\"1111\""_s));
        link.disconnect();
        QTRY_COMPARE(modem.closings(), 1);
    }
    {
        ModemSimulator modem(script);
        GammuLink link(quickLimits());
        QVERIFY(link.connect(at(modem), u"4321"_s).ok());
        QVERIFY(modem.commands().contains(u"AT+CPIN=\"4321\""_s));
        QVERIFY(sendAll(link, ringtone.message).error.ok());
        QCOMPARE(modem.pdus(), QStringList{submitPdu(Centre, Number, ringtone.message.parts[0])});
    }
}

void TestGammuLink::refusalCarriesTheCentresCode()
{
    ModemSimulator::Script script;
    script.refuseWith = 27;
    script.refusePart = 2;
    const RingtoneMessage ringtone = encodeRingtoneText(threeParts());
    ModemSimulator modem(script);
    GammuLink link(quickLimits());
    QVERIFY(link.connect(at(modem), {}).ok());
    const Sent sent = sendAll(link, ringtone.message);
    QCOMPARE(sent.references, QList<int>{42});
    QCOMPARE(sent.error.kind, PhoneErrorKind::CentreRefused);
    QCOMPARE(sent.error.code, 27);
    QCOMPARE(
        sent.error.message(),
        u"Il centro servizi ha rifiutato il messaggio (errore +CMS 27: destinatario non raggiungibile)."_s);
    QCOMPARE(modem.pdus().size(), 2);
    link.disconnect();
    QTRY_COMPARE(modem.closings(), 1);
}

void TestGammuLink::silenceAfterThePduIsATimeout()
{
    ModemSimulator::Script script;
    script.silentFromPdu = 1;
    ModemSimulator modem(script);
    GammuLink link(quickLimits());
    QVERIFY(link.connect(at(modem), {}).ok());
    const Sent sent = sendAll(link, encodeRingtoneText(OnePart).message);
    QCOMPARE(sent.error.kind, PhoneErrorKind::Timeout);
    QVERIFY(sent.error.message().startsWith(u"Il telefono non risponde (tempo scaduto)"_s));
    QCOMPARE(modem.pdus().size(), 1);
    link.disconnect();
    QTRY_COMPARE(modem.closings(), 1);
}

void TestGammuLink::lineVanishingMidSendIsTold()
{
    ModemSimulator::Script script;
    script.vanishAfterPdus = 2;
    ModemSimulator modem(script);
    GammuLink link(quickLimits());
    QVERIFY(link.connect(at(modem), {}).ok());
    const Sent sent = sendAll(link, encodeRingtoneText(threeParts()).message);
    QCOMPARE(sent.references, QList<int>{42});
    QCOMPARE(sent.error.kind, PhoneErrorKind::DeviceLost);
    QCOMPARE(sent.error.message(),
             u"Il collegamento con il telefono si è interrotto: il cavo è stato staccato o il "
             u"telefono si è spento."_s);
    QCOMPARE(modem.pdus().size(), 2);
    link.disconnect();
    QVERIFY(!QFile::exists(modem.devicePath()));
}

void TestGammuLink::missingOrBusyDeviceIsToldBeforeAnythingIsSent()
{
    GammuLink link(quickLimits());
    const PhoneError missing = link.connect({u"/dev/ttyNonEsiste7"_s, u"at"_s}, {});
    QCOMPARE(missing.kind, PhoneErrorKind::NoDevice);
    QCOMPARE(missing.message(), u"Il dispositivo «/dev/ttyNonEsiste7» non esiste: il cavo o il modem non è "
                                u"collegato, oppure il nome è sbagliato."_s);

    ModemSimulator modem;
    // Another program holds the line the way libGammu does.
    const int other =
        ::open(QFile::encodeName(modem.devicePath()).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(other >= 0);
    QCOMPARE(flock(other, LOCK_EX | LOCK_NB), 0);
    const PhoneError busy = link.connect(at(modem), {});
    ::close(other);
    QCOMPARE(busy.kind, PhoneErrorKind::DeviceBusy);
    QVERIFY(busy.message().startsWith(
        u"Il dispositivo «%1» è occupato da un altro programma"_s.arg(modem.devicePath())));
    QVERIFY(modem.commands().isEmpty());
}

void TestGammuLink::simNetworkAndCentreProblemsAreToldBeforeSending()
{
    const SmartMessage message = encodeRingtoneText(OnePart).message;
    {
        ModemSimulator::Script script;
        script.simMissing = true;
        ModemSimulator modem(script);
        GammuLink link(quickLimits());
        QCOMPARE(link.connect(at(modem), {}).kind, PhoneErrorKind::SimNotReady);
    }
    {
        ModemSimulator::Script script;
        script.registration = 0;
        ModemSimulator modem(script);
        GammuLink link(quickLimits());
        QVERIFY(link.connect(at(modem), {}).ok());
        QCOMPARE(sendAll(link, message).error.kind, PhoneErrorKind::NoNetwork);
        QVERIFY(modem.pdus().isEmpty());
        QVERIFY(!anyCommandStartsWith(modem, u"AT+CMGS"_s));
    }
    {
        ModemSimulator::Script script;
        script.serviceCentre.clear();
        ModemSimulator modem(script);
        GammuLink link(quickLimits());
        QVERIFY(link.connect(at(modem), {}).ok());
        const PhoneError noCentre = sendAll(link, message).error;
        QCOMPARE(noCentre.kind, PhoneErrorKind::NoServiceCentre);
        QCOMPARE(noCentre.message(),
                 u"Sulla SIM manca il numero del centro servizi SMS: impostarlo dal telefono."_s);
        QVERIFY(!anyCommandStartsWith(modem, u"AT+CMGS"_s));
    }
}

QTEST_GUILESS_MAIN(TestGammuLink)
#include "test_gammulink.moc"

// An AT modem has no ringtone memory: libGammu answers that it cannot write
// one, and nothing reaches the line after the greeting.
void TestGammuLink::aModemTakesNoRingtoneAndSaysSo()
{
    const brivello::melody::RtttlReading tune = brivello::melody::readRtttl(OnePart);
    ModemSimulator modem;
    GammuLink link(quickLimits());
    QVERIFY(link.connect(at(modem), {}).ok());
    const int commandsBefore = static_cast<int>(modem.commands().size());
    const PhoneError error = link.writeRingtone(tune.melody);
    QCOMPARE(error.kind, PhoneErrorKind::NotSupported);
    QCOMPARE(error.message(), u"Il telefono non sa fare questa operazione."_s);
    QCOMPARE(modem.commands().size(), commandsBefore);
    link.disconnect();
    QTRY_COMPARE(modem.closings(), 1);
    QVERIFY(modem.pdus().isEmpty());
}

// libGammu's file-backed dummy phone: its device is a folder. It says who
// it is, and has no ringtone memory either.
void TestGammuLink::theDummyPhoneIdentifiesAndTakesNoRingtone()
{
    QTemporaryDir folder;
    GammuLink link(quickLimits());
    QCOMPARE(link.connect({folder.path(), u"none"_s}, {}).message(), PhoneError{}.message());
    PhoneIdentity identity;
    QVERIFY(link.identify(&identity).ok());
    QCOMPARE(identity.imei, u"999999999999999"_s);
    QVERIFY2(!identity.model.isEmpty(), qPrintable(identity.manufacturer));
    const brivello::melody::RtttlReading tune = brivello::melody::readRtttl(OnePart);
    QCOMPARE(link.writeRingtone(tune.melody).kind, PhoneErrorKind::NotSupported);
    link.disconnect();
}
