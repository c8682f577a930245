// Carica Suonerie driven as a user would: a ringtone searched and chosen in
// the disc's catalogue, heard, handed to the SMS tool with the ringtone
// window's command line through a private scratch file, and written to a
// phone through a phone link (a fake here; test_loaderlink drives the real
// one).
#include "phone/gui/ConnectionChooser.h"
#include "ringtones/shared/RingtoneText.h"
#include "tests/ringtonetools/ToolFakes.h"
#include "tools/ringtonetools/CataloguePicker.h"
#include "tools/ringtonetools/LoaderWindow.h"
#include "tools/ringtonetools/PlayerBar.h"
#include "tools/ringtonetools/SmsHandoff.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
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

class TestLoader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_disc;
    std::unique_ptr<test::ToolFixture> m_fixture;
    std::unique_ptr<LoaderWindow> m_window;

    void open(std::shared_ptr<PhoneLink> link)
    {
        m_fixture->services.phoneLink = std::move(link);
        m_window = std::make_unique<LoaderWindow>(m_fixture->services);
        m_window->show();
    }

    void chooseBeethovensFirst()
    {
        CataloguePicker &picker = m_window->catalogue();
        QTest::keyClicks(&picker.searchBox(), u"beeth"_s);
        QTest::mouseClick(&picker.searchButton(), Qt::LeftButton);
        QCOMPARE(picker.results().topLevelItem(0)->text(0), u"Per Elisa"_s);
        const QPoint first = picker.results().visualItemRect(picker.results().topLevelItem(0)).center();
        QTest::mouseClick(picker.results().viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(picker.results().viewport(), Qt::LeftButton, {}, first);
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

    void aChosenRingtoneIsShownHeardAndHandedToTheSmsTool()
    {
        open(nullptr);
        QVERIFY(!m_window->smsButton().isEnabled());
        chooseBeethovensFirst();
        QCOMPARE(m_window->chosen().text(),
                 u"«Per Elisa» di Beethoven (Classica): 40 note, tempo 125 bpm, dura 11,0 secondi."_s);
        QTest::mouseClick(&m_window->playerBar().playButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->sound->starts().size(), std::size_t(1));

        m_fixture->fakes.inputBox->queueAnswer(u"0333 1234567"_s);
        QTest::mouseClick(&m_window->smsButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->fakes.inputBox->calls().front().title, u"- Inviare via Modem"_s);
        const auto &calls = m_fixture->fakes.programStarter->calls();
        QCOMPARE(calls.size(), std::size_t(1));
        QCOMPARE(QFileInfo(calls[0].program).canonicalFilePath(),
                 QFileInfo(m_disc + u"/tools/smartsms limited edition/smartsmsle.exe"_s).canonicalFilePath());
        QCOMPARE(calls[0].workingDirectory, QFileInfo(calls[0].program).absolutePath());
        QCOMPARE(calls[0].arguments.size(), 1);
        const QString argument = calls[0].arguments.front();
        QVERIFY2(argument.startsWith(u"0039333 1234567##"_s), qPrintable(argument));
        const QString scratch = argument.section(u"##"_s, 1);
        // A file of its own in the private folder, never a shared fixed name.
        QCOMPARE(QFileInfo(scratch).absolutePath(), m_fixture->services.scratchFolder);
        QVERIFY(QFileInfo(scratch).fileName().startsWith(u"suoneria-"_s));
        QCOMPARE(QFileInfo(m_fixture->services.scratchFolder).permissions() & 0x0077,
                 QFileDevice::Permissions());
        QCOMPARE(QFileInfo(scratch).permissions() & 0x0077, QFileDevice::Permissions());
        QCOMPARE(
            test::fileBytes(scratch),
            QByteArray("Beethoven:FurElise:d=8,o=5,b=125:e6,d#6,e6,d#6,e6,b,d6,c6,4a,p,c,e,a,4b,p,e,g#,b,"
                       "4c6,p,e,e6,d#6,e6,d#6,e6,b,d6,c6,4a,p,c,e,a,4b,p,e,c6,b,4a\r\n"));
        QVERIFY(m_window->chosen().text().endsWith(u"Passata al programma SMS."_s));
        // Without a phone link, the window says what it cannot do yet.
        QVERIFY(!m_window->identifyButton());
        QVERIFY(m_window->phoneStatus().text().contains(u"non è disponibile"_s));
    }

    void aCancelledNumberWritesAndStartsNothing()
    {
        open(nullptr);
        chooseBeethovensFirst();
        m_fixture->fakes.inputBox->queueAnswer(QString());
        QTest::mouseClick(&m_window->smsButton(), Qt::LeftButton);
        QVERIFY(m_fixture->fakes.programStarter->calls().empty());
        QVERIFY(!QFileInfo::exists(m_fixture->services.scratchFolder) ||
                QDir(m_fixture->services.scratchFolder).isEmpty());
    }

    void anSmsToolThatCannotStartIsToldAndLeavesNoScratchFile()
    {
        open(nullptr);
        chooseBeethovensFirst();
        m_fixture->fakes.inputBox->queueAnswer(u"3331234567"_s);
        m_fixture->fakes.programStarter->queueAnswer(false);
        m_fixture->fakes.messageBox->queueAnswer(platform::MessageAnswer::Ok);
        QTest::mouseClick(&m_window->smsButton(), Qt::LeftButton);
        QCOMPARE(m_fixture->fakes.messageBox->shown().size(), std::size_t(1));
        QCOMPARE(m_fixture->fakes.messageBox->shown().back().text,
                 u"Impossibile avviare il programma SMS «"_s +
                     QDir::toNativeSeparators(smsToolOnDisc(m_disc)) + u"»."_s);
        QVERIFY(QDir(m_fixture->services.scratchFolder).isEmpty());
    }

    void scratchFilesOfEachSendAreDistinct()
    {
        const QString folder = m_home.filePath(u"invii"_s);
        const ScratchFile first = writeScratchFile(folder, u"Händel:Alleluia:d=8,o=5,b=100:a"_s);
        const ScratchFile second = writeScratchFile(folder, u"Verdi:Donna:d=8,o=5,b=140:a"_s);
        QVERIFY(first.error.isEmpty() && second.error.isEmpty());
        QVERIFY(first.path != second.path);
        QCOMPARE(test::fileBytes(first.path), QByteArray("H\xe4ndel:Alleluia:d=8,o=5,b=100:a\r\n"));
        QCOMPARE(test::fileBytes(second.path), QByteArray("Verdi:Donna:d=8,o=5,b=140:a\r\n"));
        // A folder that cannot be made is told.
        QFile blocker(m_home.filePath(u"bloccata"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const ScratchFile blocked = writeScratchFile(blocker.fileName() + u"/invio"_s, u"x"_s);
        QVERIFY(blocked.path.isEmpty());
        QVERIFY(blocked.error.startsWith(u"Impossibile preparare la cartella"_s));
    }

    void withAPhoneLinkTheRingtoneIsWrittenAfterThePhoneSaysWhoItIs()
    {
        m_fixture->services.devices = [] {
            return std::vector<phone::DeviceEntry>{{u"/dev/ttyUSB0"_s, u"USB: cavo"_s},
                                                   {u"/dev/rfcomm0"_s, u"Bluetooth"_s}};
        };
        auto link = std::make_shared<test::FakeLoaderLink>();
        open(link);
        QCOMPARE(m_window->identifyButton()->text(), u"Prova"_s);
        QVERIFY(m_window->identifyButton()->isEnabled());
        QVERIFY(!m_window->writeButton()->isEnabled());
        chooseBeethovensFirst();
        // Not before the phone has said who it is.
        QVERIFY(!m_window->writeButton()->isEnabled());
        QTest::mouseClick(m_window->identifyButton(), Qt::LeftButton);
        QCOMPARE(link->calls(), QStringList{u"identify at /dev/ttyUSB0"_s});
        QVERIFY(m_window->cancelButton()->isEnabled());
        QVERIFY(!m_window->identifyButton()->isEnabled());
        QVERIFY(!m_window->connectionChooser()->isEnabled());
        Q_EMIT link->identified(true, u"Telefono trovato: Nokia 3310, IMEI 350000000000000."_s);
        QCOMPARE(m_window->phoneStatus().text(), u"Telefono trovato: Nokia 3310, IMEI 350000000000000."_s);
        QVERIFY(m_window->writeButton()->isEnabled());

        QTest::mouseClick(m_window->writeButton(), Qt::LeftButton);
        QCOMPARE(link->calls().back(), u"write at /dev/ttyUSB0"_s);
        QCOMPARE(link->tunesWritten().size(), std::size_t(1));
        QCOMPARE(link->tunesWritten().front().name, u"FurElise"_s);
        QCOMPARE(link->tunesWritten().front().notes.size(), std::size_t(40));
        Q_EMIT link->progress(40);
        QCOMPARE(m_window->progress()->value(), 40);
        QTest::mouseClick(m_window->cancelButton(), Qt::LeftButton);
        QCOMPARE(link->calls().back(), u"cancel"_s);
        // Once the ringtone is on its way, Cancel goes grey.
        Q_EMIT link->cancellable(false);
        QVERIFY(!m_window->cancelButton()->isEnabled());
        Q_EMIT link->written(false, u"Scrittura annullata prima che la suoneria partisse: il "
                                    "telefono non è stato modificato."_s);
        QVERIFY(m_window->phoneStatus().text().startsWith(u"Scrittura annullata"_s));
        QVERIFY(m_window->writeButton()->isEnabled());
        QVERIFY(!m_window->cancelButton()->isEnabled());

        // Another device may be another phone: it must answer again.
        m_window->connectionChooser()->deviceBox()->setCurrentIndex(1);
        QVERIFY(!m_window->writeButton()->isEnabled());
        QTest::mouseClick(m_window->identifyButton(), Qt::LeftButton);
        QCOMPARE(link->calls().back(), u"identify at /dev/rfcomm0"_s);
        Q_EMIT link->identified(false, u"Il telefono non risponde."_s);
        QVERIFY(!m_window->writeButton()->isEnabled());
        // The connection tried last is offered at the next start.
        m_window = std::make_unique<LoaderWindow>(m_fixture->services);
        QCOMPARE(m_window->connectionChooser()->connection().device, u"/dev/rfcomm0"_s);
    }

    void withNoDeviceFoundTheUserIsToldAndMayTypeOne()
    {
        m_fixture->services.devices = [] { return std::vector<phone::DeviceEntry>{}; };
        auto link = std::make_shared<test::FakeLoaderLink>();
        open(link);
        QVERIFY(!m_window->identifyButton()->isEnabled());
        QVERIFY(m_window->connectionChooser()->descriptionLabel()->text().startsWith(
            u"Nessun dispositivo trovato"_s));
        QTest::keyClicks(m_window->connectionChooser()->deviceBox()->lineEdit(), u"/dev/ttyS0"_s);
        QVERIFY(m_window->identifyButton()->isEnabled());
        QTest::mouseClick(m_window->identifyButton(), Qt::LeftButton);
        QCOMPARE(link->calls(), QStringList{u"identify at /dev/ttyS0"_s});
    }
};

QTEST_MAIN(TestLoader)
#include "test_loader.moc"
