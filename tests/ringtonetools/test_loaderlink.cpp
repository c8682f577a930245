// Carica Suonerie with its real phone link: the loader's window drives phone
// jobs through the phone library, on a thread against a recording phone
// link, and in a worker process through libGammu against the simulated
// modem, which, like every AT modem, has no ringtone memory.
#include "phone/gui/ConnectionChooser.h"
#include "tests/ringtonetools/ToolFakes.h"
#include "tests/support/FakePhoneLink.h"
#include "tests/support/ModemSimulator.h"
#include "tools/ringtonetools/CataloguePicker.h"
#include "tools/ringtonetools/LoaderWindow.h"
#include "tools/ringtonetools/TaskPhoneLink.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::ringtonetools;
using Call = test::FakePhoneLink::Call;

class TestLoaderLink : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_disc;
    std::unique_ptr<test::ToolFixture> m_fixture;
    std::unique_ptr<LoaderWindow> m_window;

    void open(phone::PhoneTaskFactory tasks, const QString &device)
    {
        m_fixture->services.phoneLink = std::make_shared<TaskPhoneLink>(std::move(tasks));
        m_fixture->services.devices = [device] {
            return std::vector<phone::DeviceEntry>{{device, u"USB: cavo dati"_s}};
        };
        m_window = std::make_unique<LoaderWindow>(m_fixture->services);
        m_window->show();
        CataloguePicker &picker = m_window->catalogue();
        QTest::keyClicks(&picker.searchBox(), u"beeth"_s);
        QTest::mouseClick(&picker.searchButton(), Qt::LeftButton);
        const QPoint first = picker.results().visualItemRect(picker.results().topLevelItem(0)).center();
        QTest::mouseClick(picker.results().viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(picker.results().viewport(), Qt::LeftButton, {}, first);
    }

    QString status() const { return m_window->phoneStatus().text(); }
    bool idle() const { return m_window->identifyButton()->isEnabled(); }

    // A phone that answers through the recording link, on a thread.
    static phone::PhoneTaskFactory threadTasks(const std::shared_ptr<test::FakePhoneLink> &link)
    {
        return [link] { return std::make_unique<phone::ThreadPhoneTask>(link); };
    }

    static std::shared_ptr<test::FakePhoneLink> nokia3310()
    {
        auto link = std::make_shared<test::FakePhoneLink>();
        phone::PhoneIdentity identity;
        identity.manufacturer = u"Nokia"_s;
        identity.model = u"3310"_s;
        identity.imei = u"350000000000001"_s;
        link->setIdentity(identity);
        return link;
    }

    static QList<Call> calls(const test::FakePhoneLink &link)
    {
        QList<Call> result;
        for (const auto &record : link.records())
            result << record.call;
        return result;
    }

private Q_SLOTS:
    void initTestCase()
    {
        test::useHome(m_home.path());
        m_disc = test::sampleDisc();
        if (m_disc.isEmpty())
            QSKIP("the sample disc has not been assembled (BRIVELLO_TEST_DISC)");
    }

    void init()
    {
        m_fixture = std::make_unique<test::ToolFixture>(m_disc);
        QSettings().clear(); // the connection a former case kept
    }

    void cleanup()
    {
        m_window.reset();
        if (m_fixture)
            m_fixture->checkUnused();
        m_fixture.reset();
    }

    void thePhoneSaysWhoItIsAndTakesTheRingtone()
    {
        auto link = nokia3310();
        open(threadTasks(link), u"/dev/ttyUSB0"_s);
        QTest::mouseClick(m_window->identifyButton(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        QCOMPARE(status(), u"Telefono trovato: Nokia 3310, IMEI 350000000000001."_s);
        QCOMPARE(link->records().front().settings, (phone::ConnectionSettings{u"/dev/ttyUSB0"_s, u"at"_s}));
        QTest::mouseClick(m_window->writeButton(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        QCOMPARE(status(), u"«FurElise» è nella memoria suonerie di Nokia 3310."_s);
        QCOMPARE(m_window->progress()->value(), 100);
        // Each job opens the line, asks who is there, and closes it again.
        QCOMPARE(calls(*link), (QList<Call>{Call::Connect, Call::Identify, Call::Disconnect, Call::Connect,
                                            Call::Identify, Call::WriteRingtone, Call::Disconnect}));
        const melody::Melody written = link->records()[5].ringtone;
        QCOMPARE(written.name, u"FurElise"_s);
        QCOMPARE(written.bpm, 125);
        QCOMPARE(written.notes.size(), std::size_t(40));
        QCOMPARE(written.notes.front(), (melody::Note{8, false, 4, 6}));
        QVERIFY(!link->isOpen());
    }

    void everyFailureIsToldInItalianAndLeavesTheLineClosed()
    {
        auto link = nokia3310();
        open(threadTasks(link), u"/dev/ttyUSB0"_s);
        link->queueConnect(phone::phoneError(phone::PhoneErrorKind::DeviceBusy, u"/dev/ttyUSB0"_s));
        QTest::mouseClick(m_window->identifyButton(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        QVERIFY2(status().contains(u"è occupato da un altro programma"_s), qPrintable(status()));
        QVERIFY(!m_window->writeButton()->isEnabled());

        QTest::mouseClick(m_window->identifyButton(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        link->queueWrite(phone::phoneError(phone::PhoneErrorKind::NotSupported, u"/dev/ttyUSB0"_s));
        QTest::mouseClick(m_window->writeButton(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        QVERIFY2(status().startsWith(u"Nokia 3310 non accetta suonerie via cavo"_s), qPrintable(status()));
        link->queueWrite(phone::phoneError(phone::PhoneErrorKind::DeviceLost, u"/dev/ttyUSB0"_s));
        QTest::mouseClick(m_window->writeButton(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        QVERIFY2(status().startsWith(u"La suoneria non è stata scritta. "_s), qPrintable(status()));
        QVERIFY(!link->isOpen());
    }

    void cancelBeforeTheWriteLeavesThePhoneUntouched()
    {
        auto link = nokia3310();
        open(threadTasks(link), u"/dev/ttyUSB0"_s);
        QTest::mouseClick(m_window->identifyButton(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        link->hold(Call::Identify);
        QTest::mouseClick(m_window->writeButton(), Qt::LeftButton);
        QTRY_VERIFY(link->holding());
        QVERIFY(m_window->cancelButton()->isEnabled());
        QTest::mouseClick(m_window->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        QCOMPARE(status(), u"Scrittura annullata prima che la suoneria partisse: il telefono non "
                           "è stato modificato."_s);
        QCOMPARE(link->count(Call::WriteRingtone), 0);
        QVERIFY(!link->isOpen());
    }

    void onceTheRingtoneIsOnItsWayItIsWrittenWhole()
    {
        auto link = nokia3310();
        open(threadTasks(link), u"/dev/ttyUSB0"_s);
        QTest::mouseClick(m_window->identifyButton(), Qt::LeftButton);
        QTRY_VERIFY(idle());
        link->hold(Call::WriteRingtone);
        QTest::mouseClick(m_window->writeButton(), Qt::LeftButton);
        QTRY_VERIFY(link->holding());
        QTRY_VERIFY(!m_window->cancelButton()->isEnabled());
        QCOMPARE(m_window->progress()->value(), 60);
        // A click that reaches the link anyway does not cut the write short.
        m_fixture->services.phoneLink->cancel();
        link->release();
        QTRY_VERIFY(idle());
        QCOMPARE(status(), u"«FurElise» è nella memoria suonerie di Nokia 3310."_s);
    }

    // The real thing: the job in a worker process, libGammu's AT driver,
    // the simulated modem on a pseudo-terminal.
    void aModemSaysWhoItIsAndThatItTakesNoRingtone()
    {
        test::ModemSimulator modem;
        open(
            [] {
                return std::make_unique<phone::WorkerProcessTask>(QString::fromUtf8(PHONE_WORKER),
                                                                  phone::phoneWorkerArguments());
            },
            modem.devicePath());
        QTest::mouseClick(m_window->identifyButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 60000);
        QCOMPARE(status(), u"Telefono trovato: Brivello Modem simulato, IMEI 490154203237518."_s);
        QTest::mouseClick(m_window->writeButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(idle(), 60000);
        QVERIFY2(status().startsWith(u"Brivello Modem simulato non accetta suonerie via cavo: "_s),
                 qPrintable(status()));
        QTRY_COMPARE(modem.closings(), 2);
        QVERIFY(!modem.inUse());
        QVERIFY(modem.pdus().isEmpty());
    }
};

QTEST_MAIN(TestLoaderLink)
#include "test_loaderlink.moc"
