// "Invia come SMS..." of the logo tools, driven as a user drives it: a
// gallery logo touched up in the editor, its network picked, the number
// typed and Invia clicked. The phone work runs on a thread against a
// recording phone link, and in a worker process through libGammu against
// the simulated modem, which must receive every part whole.

#include "logos/pictures/LogoCatalogue.h"
#include "logos/pictures/LogoRenderer.h"
#include "phone/Connections.h"
#include "phone/PhoneTask.h"
#include "tests/logotools/LogoToolsTestSupport.h"
#include "tests/support/FakePhoneLink.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ModemSimulator.h"
#include "tests/support/PduBuilder.h"
#include "tools/logotools/editor/LogoToolWindow.h"
#include "tools/logotools/editor/OperatorPicker.h"
#include "tools/logotools/editor/PixelCanvas.h"
#include "tools/logotools/picture/LogoSms.h"
#include "tools/logotools/picture/MonoPicture.h"
#include "tools/logotools/picture/PixelEdits.h"
#include "tools/logotools/send/SmsSendStep.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::logotools;
using Call = test::FakePhoneLink::Call;

namespace {

const QString Device = u"/dev/ttyUSB0"_s;

phone::PhoneTaskFactory threadTasks(const std::shared_ptr<test::FakePhoneLink> &link)
{
    return [link] { return std::make_unique<phone::ThreadPhoneTask>(link); };
}

phone::PhoneTaskFactory workerTasks()
{
    return [] {
        return std::make_unique<phone::WorkerProcessTask>(QString::fromUtf8(PHONE_WORKER),
                                                          phone::phoneWorkerArguments());
    };
}

} // namespace

class TestLogoSend : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void aTouchedUpGalleryLogoGoesToThePhoneWhole();
    void aLogoWithoutNetworkIsToldBeforeAnythingOpens();
    void aWrongNumberOrNoDeviceSendsNothing();
    void theSimAsksForItsPinThenTakesIt();
    void cancelStopsTheSendAndClosesTheLine();
    void aRefusedPartIsToldAndTheDialogStaysUsable();
    void aPictureMessageArrivesWholeAtTheModem();

private:
    void makeWindow(FaceId face, phone::PhoneTaskFactory tasks, const QString &device = Device);
    void pickNetwork(const QString &search);
    LogoSendDialog &openDialog();
    void sendTo(const QString &number);
    LogoSendDialog &dialog() { return *m_step->dialog(); }
    QString status() { return dialog().statusLabel()->text(); }
    LogoToolWindow &window() { return *m_window; }

    QTemporaryDir m_folder;
    test::FakePlatform m_fakes;
    std::shared_ptr<SmsSendStep> m_step;
    std::unique_ptr<LogoToolWindow> m_window;
};

void TestLogoSend::init()
{
    m_fakes = test::FakePlatform();
    // The connection a former case kept.
    QFile::remove(m_folder.filePath(u"collegamento.ini"_s));
}

void TestLogoSend::cleanup()
{
    m_window.reset();
    m_step.reset();
    m_fakes.checkUnused();
}

void TestLogoSend::makeWindow(FaceId face, phone::PhoneTaskFactory tasks, const QString &device)
{
    LogoSendSetup setup;
    setup.tasks = std::move(tasks);
    setup.devices = [device] { return std::vector<phone::DeviceEntry>{{device, u"USB: cavo dati"_s}}; };
    setup.settingsFile = m_folder.filePath(u"collegamento.ini"_s);
    setup.networkAnswerMs = 20000;
    m_step = std::make_shared<SmsSendStep>(setup, m_fakes.messageBox);
    LogoToolServices services;
    services.saveFileDialog = m_fakes.saveFileDialog;
    services.openFileDialog = std::make_shared<test::FakeOpenFileDialog>();
    services.messageBox = m_fakes.messageBox;
    services.sendSteps = {m_step};
    services.helpFile = m_folder.filePath(u"leggimi.txt"_s);
    services.startFolder = m_folder.path();
    m_window = std::make_unique<LogoToolWindow>(toolFace(face), services);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestLogoSend::pickNetwork(const QString &search)
{
    window().pickNetwork();
    QTRY_VERIFY(window().operatorPicker());
    QTest::keyClicks(&window().operatorPicker()->searchBox(), search);
    window().operatorPicker()->buttons().button(QDialogButtonBox::Ok)->click();
    QTRY_VERIFY(!window().operatorPicker());
}

LogoSendDialog &TestLogoSend::openDialog()
{
    QTest::mouseClick(window().sendButtons().first(), Qt::LeftButton);
    [&] {
        QTRY_VERIFY(m_step->dialog() && m_step->dialog()->isVisible());
        // The offscreen platform has no window manager to activate it.
        m_step->dialog()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_step->dialog()));
        QTRY_COMPARE(QApplication::activeWindow(), m_step->dialog());
    }();
    return dialog();
}

void TestLogoSend::sendTo(const QString &number)
{
    dialog().numberEdit()->clear();
    QTest::keyClicks(dialog().numberEdit(), number);
    QTest::mouseClick(dialog().sendButton(), Qt::LeftButton);
}

void TestLogoSend::aTouchedUpGalleryLogoGoesToThePhoneWhole()
{
    auto link = std::make_shared<test::FakePhoneLink>();
    makeWindow(FaceId::LogoEditor, threadTasks(link));
    window().editor().replace(toBitmap(logos::logoImage(logos::Category::Persone, 9)));
    // Touched up: one pixel drawn in a corner that was white.
    PixelCanvas &canvas = window().canvas();
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, canvas.pixelRect({71, 13}).center());
    pickNetwork(u"TIM"_s);
    const LogoDocument document = window().document();
    QVERIFY(test::inkCount(toBitmap(document.picture)) > 0);

    LogoSendDialog &sending = openDialog();
    QCOMPARE(sending.windowModality(), Qt::WindowModal);
    QCOMPARE(sending.summaryLabel()->text(),
             u"Logo operatore per TIM (222 01), porta di destinazione 0x1582: 1 SMS."_s);
    QVERIFY2(sending.partsView()->toPlainText().startsWith(
                 u"SMS 1 di 1 (140 byte)\nUDH:  06 05 04 15 82 00 00\nDati: 22 F2 10 00 48 0E 01"_s),
             qPrintable(sending.partsView()->toPlainText()));
    sendTo(u"333 123 4567"_s);
    QTRY_VERIFY(!sending.isWorking());
    QCOMPARE(status(), u"Logo operatore per TIM (222 01): inviato a +393331234567, 1 SMS "
                       "accettato dalla rete (riferimento 100)."_s);
    QCOMPARE(link->count(Call::SendPart), 1);
    const test::FakePhoneLink::Record sent = link->records()[1];
    QCOMPARE(sent.number, u"+393331234567"_s);
    QCOMPARE(sent.part, smsFor(document).message.parts.front());
    QCOMPARE(sent.part.userData().size(), 140);
    // The last pixel of the picture, bottom right, is the one drawn.
    QVERIFY(quint8(sent.part.data.back()) & 0x01);
    QVERIFY(!link->isOpen());
    QCOMPARE(sending.progressBar()->value(), sending.progressBar()->maximum());
    // The connection is kept for the next time.
    const QSettings kept(m_folder.filePath(u"collegamento.ini"_s), QSettings::IniFormat);
    QCOMPARE(phone::loadConnection(kept).device, Device);
    QTest::mouseClick(sending.closeButton(), Qt::LeftButton);
    QTRY_VERIFY(!m_step->dialog());
}

void TestLogoSend::aLogoWithoutNetworkIsToldBeforeAnythingOpens()
{
    auto link = std::make_shared<test::FakePhoneLink>();
    makeWindow(FaceId::LogoEditor, threadTasks(link));
    window().editor().replace(toBitmap(logos::logoImage(logos::Category::Amore, 1)));
    m_fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
    QTest::mouseClick(window().sendButtons().first(), Qt::LeftButton);
    QCOMPARE(m_fakes.messageBox->shown().back().text,
             u"Scegli prima la rete a cui è destinato il logo operatore."_s);
    QCOMPARE(m_fakes.messageBox->shown().back().icon, platform::MessageIcon::Warning);
    QVERIFY(!m_step->dialog());
    QVERIFY(link->records().empty());
}

void TestLogoSend::aWrongNumberOrNoDeviceSendsNothing()
{
    auto link = std::make_shared<test::FakePhoneLink>();
    makeWindow(FaceId::GroupGraphic, threadTasks(link), QString());
    LogoSendDialog &sending = openDialog();
    QCOMPARE(sending.summaryLabel()->text(),
             u"Logo per un gruppo di chiamanti, porta di destinazione 0x1583: 1 SMS."_s);
    QVERIFY(sending.numberProblemLabel()->isHidden());
    sendTo(u"333 abc"_s);
    QVERIFY(sending.numberProblemLabel()->isVisible());
    QVERIFY2(status().startsWith(u"Non inviato: "_s), qPrintable(status()));
    QVERIFY(sending.numberEdit()->hasFocus());
    sendTo(u"+39 333 1234567"_s);
    QVERIFY(sending.numberProblemLabel()->isHidden());
    QCOMPARE(status(), u"Scegliere il dispositivo del telefono o del modem."_s);
    QVERIFY(link->records().empty());
    QVERIFY(!sending.isWorking());
}

void TestLogoSend::theSimAsksForItsPinThenTakesIt()
{
    auto link = std::make_shared<test::FakePhoneLink>();
    makeWindow(FaceId::GroupGraphic, threadTasks(link));
    LogoSendDialog &sending = openDialog();
    link->queueConnect(phone::phoneError(phone::PhoneErrorKind::PinNeeded, Device));
    sendTo(u"3331234567"_s);
    QTRY_VERIFY(!sending.isWorking());
    QVERIFY(sending.pinEdit()->isVisible());
    QVERIFY(sending.pinEdit()->hasFocus());
    QCOMPARE(status(), phone::phoneError(phone::PhoneErrorKind::PinNeeded, Device).message());
    QTest::keyClicks(sending.pinEdit(), u"12a4"_s);
    QTest::mouseClick(sending.sendButton(), Qt::LeftButton);
    QCOMPARE(status(), u"Il PIN è fatto di 4-8 cifre."_s);
    sending.pinEdit()->clear();
    QTest::keyClicks(sending.pinEdit(), u"1234"_s);
    QTest::mouseClick(sending.sendButton(), Qt::LeftButton);
    QTRY_VERIFY(!sending.isWorking());
    QVERIFY2(status().contains(u"inviato a +393331234567"_s), qPrintable(status()));
    QCOMPARE(link->count(Call::Connect), 2);
    QCOMPARE(link->records()[2].pin, u"1234"_s);
}

void TestLogoSend::cancelStopsTheSendAndClosesTheLine()
{
    auto link = std::make_shared<test::FakePhoneLink>();
    makeWindow(FaceId::GroupGraphic, threadTasks(link));
    LogoSendDialog &sending = openDialog();
    link->hold(Call::SendPart);
    sendTo(u"3331234567"_s);
    QTRY_VERIFY(link->holding());
    QVERIFY(!sending.sendButton()->isEnabled());
    QVERIFY(!sending.numberEdit()->isEnabled());
    // Esc stops the send; it does not close the dialog under it.
    QTest::keyClick(&sending, Qt::Key_Escape);
    QTRY_VERIFY(!sending.isWorking());
    QVERIFY(sending.isVisible());
    QCOMPARE(status(), phone::phoneError(phone::PhoneErrorKind::Cancelled).message());
    QVERIFY(!link->isOpen());
    QVERIFY(sending.sendButton()->isEnabled());
    // With nothing under way Esc closes it.
    QTest::keyClick(&sending, Qt::Key_Escape);
    QTRY_VERIFY(!m_step->dialog());
}

void TestLogoSend::aRefusedPartIsToldAndTheDialogStaysUsable()
{
    auto link = std::make_shared<test::FakePhoneLink>();
    makeWindow(FaceId::PictureMessage, threadTasks(link));
    QTest::keyClicks(&window().messageTextBox(), u"Ciao!"_s);
    LogoSendDialog &sending = openDialog();
    phone::PhoneError refused = phone::phoneError(phone::PhoneErrorKind::CentreRefused, Device);
    refused.code = 38;
    link->queueSend(refused);
    sendTo(u"3331234567"_s);
    QTRY_VERIFY(!sending.isWorking());
    QCOMPARE(status(), refused.message());
    QVERIFY(sending.statusLabel()->styleSheet().contains(u"#a00000"_s));
    QVERIFY(sending.sendButton()->isEnabled());
    QVERIFY(!link->isOpen());
}

void TestLogoSend::aPictureMessageArrivesWholeAtTheModem()
{
    test::ModemSimulator modem;
    makeWindow(FaceId::PictureMessage, workerTasks(), modem.devicePath());
    QCOMPARE(window().kind(), LogoKind::PictureMessage);
    PixelCanvas &canvas = window().canvas();
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, canvas.pixelRect({36, 20}).center());
    QTest::keyClicks(&window().messageTextBox(), u"Un bacio da Napoli"_s);
    const LogoDocument document = window().document();
    const phone::SmartMessage expected = smsFor(document).message;
    QVERIFY(expected.partCount() > 1);

    LogoSendDialog &sending = openDialog();
    QCOMPARE(sending.summaryLabel()->text(),
             u"Messaggio illustrato con il testo «Un bacio da Napoli», porta di destinazione "
             "0x158A: %1 SMS concatenati (riferimento 0x%2)."_s.arg(expected.partCount())
                 .arg(u"%1"_s.arg(expected.reference, 2, 16, QLatin1Char('0')).toUpper()));
    sendTo(u"+39 333 1234567"_s);
    QTRY_VERIFY_WITH_TIMEOUT(!sending.isWorking(), 90000);
    QVERIFY2(status().contains(u"SMS accettati dalla rete"_s), qPrintable(status()));
    QStringList pdus;
    for (const phone::SmsPart &part : expected.parts)
        pdus << test::submitPdu(u"+393359609600"_s, u"+393331234567"_s, part);
    QCOMPARE(modem.pdus(), pdus);
    QTRY_COMPARE(modem.closings(), 1);
    QVERIFY(!modem.inUse());
}

QTEST_MAIN(TestLogoSend)
#include "test_logosend.moc"
