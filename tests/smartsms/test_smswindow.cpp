// The SMS tool's window driven as a user drives it, with a recording phone
// link in place of the phone: what it shows of the ringtone and the parts,
// the number it refuses and why, each failure's message, the PIN, Cancel,
// "Salva…", the connection remembered and the outbox.

#include "SmsWindow.h"
#include "phone/RingtoneMessage.h"
#include "tests/support/FakePhoneLink.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/HostileFiles.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace brivello;
using namespace Qt::StringLiterals;
using phone::PhoneError;
using phone::PhoneErrorKind;
using test::FakePhoneLink;
using Call = FakePhoneLink::Call;

namespace {

const QByteArray FurElise =
    "Beethoven:FurElise:d=8,o=5,b=125:e6,d#6,e6,d#6,e6,b,d6,c6,4a,p,c,e,a,4b,p,e,g#,b,"
    "4c6,p,e,e6,d#6,e6,d#6,e6,b,d6,c6,4a,p,c,e,a,4b,p,e,c6,b,4a";

// The outbox's entries, each a map of its "Key: value" lines.
QList<QMap<QString, QString>> readOutbox(const QString &path)
{
    QList<QMap<QString, QString>> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QMap<QString, QString> entry;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.isEmpty()) {
            if (!entry.isEmpty())
                entries << entry;
            entry.clear();
            continue;
        }
        entry.insert(line.section(u": "_s, 0, 0), line.section(u": "_s, 1));
    }
    return entries;
}

class Tool
{
public:
    Tool() : m_link(std::make_shared<FakePhoneLink>()), m_dialog(std::make_shared<test::FakeSaveFileDialog>())
    {}

    QString folder() const { return m_dir.path(); }
    QString outbox() const { return m_dir.filePath(u"data/outbox.txt"_s); }
    QString settings() const { return m_dir.filePath(u"config/smartsmsle.ini"_s); }
    FakePhoneLink &link() { return *m_link; }
    test::FakeSaveFileDialog &dialog() { return *m_dialog; }

    // The scratch file as the ringtone window writes it: Windows-1252, CR LF.
    QString writeScratch(const QByteArray &line, const QString &name = u"disco/temp.txt"_s)
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(line + "\r\n");
        return path;
    }

    smartsms::SmsWindow &open(const QStringList &arguments)
    {
        smartsms::SmsRequest request = smartsms::parseRequest(arguments);
        smartsms::readScratchFile(request);
        smartsms::SmsToolSetup setup;
        auto link = m_link;
        setup.tasks = [link] { return std::make_unique<phone::ThreadPhoneTask>(link); };
        setup.devices = [] {
            return std::vector<phone::DeviceEntry>{
                {u"/dev/ttyUSB0"_s, u"USB: Prolific USB-Serial Controller"_s},
                {u"/dev/rfcomm0"_s, u"Bluetooth (rfcomm0)"_s}};
        };
        setup.saveDialog = m_dialog;
        setup.settingsFile = settings();
        setup.outboxPath = outbox();
        m_window = std::make_unique<smartsms::SmsWindow>(request, setup);
        m_window->show();
        return *m_window;
    }

    smartsms::SmsWindow &openWithFurElise(const QString &number = u"0039333 1234567"_s)
    {
        return open({number + u"##"_s + writeScratch(FurElise)});
    }

    smartsms::SmsWindow &window() { return *m_window; }
    void close() { m_window.reset(); }

    QString status() const { return m_window->statusLabel()->text(); }
    bool idle() const { return !m_window->isWorking(); }

private:
    QTemporaryDir m_dir;
    std::shared_ptr<FakePhoneLink> m_link;
    std::shared_ptr<test::FakeSaveFileDialog> m_dialog;
    std::unique_ptr<smartsms::SmsWindow> m_window;
};

void click(QPushButton *button)
{
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

PhoneError refusedWith(int code)
{
    PhoneError error = phone::phoneError(PhoneErrorKind::CentreRefused, u"/dev/ttyUSB0"_s);
    error.code = code;
    return error;
}

} // namespace

Q_DECLARE_METATYPE(PhoneError)

class TestSmsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheRingtoneTheNumberAndWhatWillBeSent();
    void sendsThePartsToTheNumberAndSaysSo();
    void eachFailureShowsItsItalianMessage_data();
    void eachFailureShowsItsItalianMessage();
    void pinIsAskedForThenSent();
    void cancelStopsTheSendAndClosesTheLine();
    void numberThatIsNoPhoneNumberIsRefused();
    void scratchFileIsFoundWhateverTheNumberHolds();
    void startedAloneTriesTheConnectionOnly();
    void saveWritesTheSmartMessagingBytes();
    void connectionChoiceIsRememberedForTheNextStart();
    void outboxKeepsOneEntryPerRequest();
};

void TestSmsWindow::showsTheRingtoneTheNumberAndWhatWillBeSent()
{
    Tool tool;
    smartsms::SmsWindow &window = tool.openWithFurElise();
    QCOMPARE(window.ringtoneLabel()->text(), u"Artista: Beethoven\nTitolo: FurElise\n"
                                             u"Note: 40 · Tempo: 125 battiti al minuto · Durata: 0:11"_s);
    QCOMPARE(window.receivedLabel()->text(), u"Numero ricevuto: «0039333 1234567»"_s);
    QCOMPARE(window.numberEdit()->text(), u"+393331234567"_s);
    QVERIFY(window.numberProblemLabel()->isHidden());
    QCOMPARE(window.summaryLabel()->text(),
             u"Suoneria Nokia Smart Messaging, porta di destinazione 0x1581: 1 SMS."_s);

    const phone::RingtoneMessage expected = phone::encodeRingtoneText(QString::fromLatin1(FurElise.mid(10)));
    const QString parts = window.partsView()->toPlainText();
    QVERIFY(parts.startsWith(u"SMS 1 di 1 (%1 byte)\nUDH:  06 05 04 15 81 00 00\nDati: 02 4A 3A"_s.arg(
        expected.message.parts[0].userData().size())));
    QVERIFY(parts.endsWith(QString::fromLatin1(expected.message.parts[0].data.toHex(' ').toUpper())));
    QCOMPARE(window.fitLabel()->text(),
             u"Entra in un solo SMS: la riceve ogni telefono Nokia che accetta suonerie "
             u"via SMS (Smart Messaging).\nTutte le note sono inviate come sono."_s);
    QCOMPARE(window.chooser()->connection().device, u"/dev/ttyUSB0"_s);
    QCOMPARE(window.chooser()->connection().connection, u"at"_s);
    QVERIFY(window.sendButton()->isEnabled());
    QVERIFY(!window.cancelButton()->isEnabled());

    // A long ringtone with a slip says so before anything is sent.
    Tool longer;
    QStringList notes;
    for (int i = 0; i < 80; ++i)
        notes << (i == 3 ? u"3c"_s : u"16e6"_s);
    longer.open(
        {u"0039333##"_s + longer.writeScratch("Artista:Lunga:d=8,o=5,b=120:" + notes.join(u',').toLatin1())});
    const QString reference =
        u"%1"_s.arg(longer.window().message().message.reference, 2, 16, QLatin1Char('0')).toUpper();
    QCOMPARE(
        longer.window().summaryLabel()->text(),
        u"Suoneria Nokia Smart Messaging, porta di destinazione 0x1581: 2 SMS concatenati (riferimento 0x"_s +
            reference + u")."_s);
    QVERIFY(longer.window().partsView()->toPlainText().contains(u"SMS 2 di 2"_s));
    QCOMPARE(longer.window().fitLabel()->text(), u"Occupa 2 SMS concatenati: la ricevono soltanto i telefoni "
                                                 u"che ricompongono le suonerie in più parti; un "
                                                 u"telefono che accetta solo suonerie di un SMS la scarta.\n"
                                                 u"Nota 4 «3c»: durata 3 non prevista, inviata come 1/4.\n"
                                                 u"Tempo 120 inviato come 125 battiti al minuto: il formato "
                                                 u"conosce solo 25, 28, 31, 35, 40, 45, 50, 56, "
                                                 u"63, 70, 80, 90, 100, 112, 125, 140, 160, 180, 200, 225, "
                                                 u"250, 285, 320, 355, 400, 450, 500, 565, 635, "
                                                 u"715, 800, 900."_s);
}

void TestSmsWindow::sendsThePartsToTheNumberAndSaysSo()
{
    Tool tool;
    smartsms::SmsWindow &window = tool.openWithFurElise();
    click(window.sendButton());
    QVERIFY(window.cancelButton()->isEnabled());
    QVERIFY(!window.sendButton()->isEnabled());
    QVERIFY(window.progressBar()->isVisible());
    QTRY_VERIFY(tool.idle());
    QCOMPARE(tool.status(),
             u"Suoneria inviata a +393331234567: 1 SMS accettato dalla rete (riferimento 100)."_s);
    QVERIFY(window.progressBar()->isHidden());
    QVERIFY(window.sendButton()->isEnabled());

    const auto records = tool.link().records();
    QCOMPARE(records.size(), 3u);
    QCOMPARE(records[0].call, Call::Connect);
    QCOMPARE(records[0].settings, (phone::ConnectionSettings{u"/dev/ttyUSB0"_s, u"at"_s}));
    QCOMPARE(records[0].pin, QString());
    QCOMPARE(records[1].call, Call::SendPart);
    QCOMPARE(records[1].number, u"+393331234567"_s);
    QCOMPARE(records[1].part, window.message().message.parts[0]);
    QCOMPARE(records[2].call, Call::Disconnect);

    const auto entries = readOutbox(tool.outbox());
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0].value(u"Numero"_s), u"0039333 1234567"_s);
    QCOMPARE(entries[0].value(u"Numero internazionale"_s), u"+393331234567"_s);
    QCOMPARE(entries[0].value(u"Parti"_s), u"1"_s);
    QCOMPARE(entries[0].value(u"Parte 1"_s), window.message().message.parts[0].hex());
    QVERIFY(entries[0].value(u"Parte 1"_s).startsWith(u"UDH 06050415810000 | 024A3A"_s));
    QCOMPARE(entries[0].value(u"Esito"_s), tool.status());
}

void TestSmsWindow::eachFailureShowsItsItalianMessage_data()
{
    QTest::addColumn<bool>("atConnect");
    QTest::addColumn<PhoneError>("error");
    QTest::addColumn<QString>("message");
    PhoneError denied = phone::phoneError(PhoneErrorKind::NoPermission, u"/dev/ttyUSB0"_s);
    denied.group = u"dialout"_s;
    QTest::newRow("no device")
        << true << phone::phoneError(PhoneErrorKind::NoDevice, u"/dev/ttyUSB0"_s)
        << u"Il dispositivo «/dev/ttyUSB0» non esiste: il cavo o il modem non è collegato, "
           u"oppure il nome è sbagliato."_s;
    QTest::newRow("busy") << true << phone::phoneError(PhoneErrorKind::DeviceBusy, u"/dev/ttyUSB0"_s)
                          << u"Il dispositivo «/dev/ttyUSB0» è occupato da un altro programma: chiuderlo e "
                             u"riprovare."_s;
    QTest::newRow("no permission")
        << true << denied
        << u"Non è permesso aprire «/dev/ttyUSB0»: il dispositivo è del gruppo «dialout». "
           u"Aggiungere l'utente al gruppo (sudo adduser $USER dialout), poi uscire e "
           u"rientrare nella sessione."_s;
    QTest::newRow("pin needed") << true << phone::phoneError(PhoneErrorKind::PinNeeded)
                                << u"La SIM chiede il PIN: scriverlo nel campo «PIN» e riprovare."_s;
    QTest::newRow("puk") << true << phone::phoneError(PhoneErrorKind::PukNeeded)
                         << u"La SIM è bloccata e chiede il PUK: sbloccarla dal telefono."_s;
    QTest::newRow("sim not ready")
        << true << phone::phoneError(PhoneErrorKind::SimNotReady)
        << u"La SIM non è pronta: controllare che sia inserita e riprovare tra qualche "
           u"secondo."_s;
    QTest::newRow("no network") << false << phone::phoneError(PhoneErrorKind::NoNetwork)
                                << u"Il telefono non è collegato a nessuna rete: controllare la copertura e "
                                   u"riprovare."_s;
    QTest::newRow("no centre")
        << false << phone::phoneError(PhoneErrorKind::NoServiceCentre)
        << u"Sulla SIM manca il numero del centro servizi SMS: impostarlo dal telefono."_s;
    QTest::newRow("refused")
        << false << refusedWith(27)
        << u"Il centro servizi ha rifiutato il messaggio (errore +CMS 27: destinatario non "
           u"raggiungibile)."_s;
    QTest::newRow("refused, no subscription")
        << false << refusedWith(50)
        << u"Il centro servizi ha rifiutato il messaggio (errore +CMS 50: servizio SMS non compreso "
           u"nell'abbonamento)."_s;
    QTest::newRow("timeout")
        << false << phone::phoneError(PhoneErrorKind::Timeout)
        << u"Il telefono non risponde (tempo scaduto): controllare che sia acceso, collegato e "
           u"che il tipo di collegamento sia giusto."_s;
    QTest::newRow("line lost")
        << false << phone::phoneError(PhoneErrorKind::DeviceLost)
        << u"Il collegamento con il telefono si è interrotto: il cavo è stato staccato o il "
           u"telefono si è spento."_s;
    QTest::newRow("wrong kind")
        << true << phone::phoneError(PhoneErrorKind::WrongConnection, u"/dev/ttyUSB0"_s)
        << u"Il dispositivo «/dev/ttyUSB0» risponde, ma non con il tipo di collegamento "
           u"scelto: provarne un altro."_s;
}

void TestSmsWindow::eachFailureShowsItsItalianMessage()
{
    QFETCH(bool, atConnect);
    QFETCH(PhoneError, error);
    QFETCH(QString, message);
    Tool tool;
    smartsms::SmsWindow &window = tool.openWithFurElise();
    if (atConnect)
        tool.link().queueConnect(error);
    else
        tool.link().queueSend(error);
    click(window.sendButton());
    QTRY_VERIFY(tool.idle());
    QCOMPARE(tool.status(), message);
    QVERIFY(window.statusLabel()->styleSheet().startsWith(u"color: #a00000;"_s));
    QVERIFY(!tool.link().isOpen());
    QCOMPARE(tool.link().records().back().call, Call::Disconnect);
    QCOMPARE(tool.link().count(Call::SendPart), atConnect ? 0 : 1);
    QVERIFY(window.sendButton()->isEnabled());
    QVERIFY(!window.cancelButton()->isEnabled());
    QCOMPARE(readOutbox(tool.outbox()).value(0).value(u"Esito"_s),
             u"Non inviato a +393331234567: "_s + message);
}

void TestSmsWindow::pinIsAskedForThenSent()
{
    Tool tool;
    smartsms::SmsWindow &window = tool.openWithFurElise();
    QVERIFY(!window.pinEdit()->isVisible());
    tool.link().queueConnect(phone::phoneError(PhoneErrorKind::PinNeeded));
    click(window.sendButton());
    QTRY_VERIFY(tool.idle());
    QVERIFY(window.pinEdit()->isVisible());
    QCOMPARE(window.pinEdit()->echoMode(), QLineEdit::Password);
    QTRY_VERIFY(window.pinEdit()->hasFocus());

    QTest::keyClicks(window.pinEdit(), u"12a4"_s);
    click(window.sendButton());
    QCOMPARE(tool.status(), u"Il PIN è fatto di 4-8 cifre."_s);
    QCOMPARE(tool.link().count(Call::Connect), 1);

    tool.link().queueConnect(phone::phoneError(PhoneErrorKind::PinWrong));
    typeInto(window.pinEdit(), u"1111"_s);
    click(window.sendButton());
    QTRY_VERIFY(tool.idle());
    QCOMPARE(tool.status(),
             u"Il PIN non è giusto. Attenzione: dopo tre PIN sbagliati la SIM si blocca e serve il "
             u"PUK."_s);
    QCOMPARE(window.pinEdit()->text(), QString());

    QTest::keyClicks(window.pinEdit(), u"4321"_s);
    click(window.sendButton());
    QTRY_VERIFY(tool.idle());
    QCOMPARE(tool.status(),
             u"Suoneria inviata a +393331234567: 1 SMS accettato dalla rete (riferimento 100)."_s);
    const auto records = tool.link().records();
    QStringList pins;
    for (const FakePhoneLink::Record &record : records) {
        if (record.call == Call::Connect)
            pins << record.pin;
    }
    QCOMPARE(pins, (QStringList{QString(), u"1111"_s, u"4321"_s}));
}

void TestSmsWindow::cancelStopsTheSendAndClosesTheLine()
{
    Tool tool;
    smartsms::SmsWindow &window = tool.openWithFurElise();
    tool.link().hold(Call::SendPart);
    click(window.sendButton());
    QTRY_VERIFY(tool.link().holding());
    QTRY_COMPARE(tool.status(), u"Invio dell'SMS…"_s);
    click(window.cancelButton());
    QTRY_VERIFY(tool.idle());
    QCOMPARE(tool.status(), u"Invio annullato: non è partito nulla."_s);
    QVERIFY(!tool.link().isOpen());
    QCOMPARE(tool.link().records().back().call, Call::Disconnect);
    QCOMPARE(readOutbox(tool.outbox()).value(0).value(u"Esito"_s),
             u"Non inviato a +393331234567: Invio annullato: non è partito nulla."_s);
    QVERIFY(window.sendButton()->isEnabled());

    // Closing the window in the middle of a send stops it too.
    tool.link().hold(Call::SendPart);
    click(window.sendButton());
    QTRY_VERIFY(tool.link().holding());
    tool.close();
    QVERIFY(!tool.link().isOpen());
}

void TestSmsWindow::numberThatIsNoPhoneNumberIsRefused()
{
    Tool tool;
    smartsms::SmsWindow &window = tool.open({u"0039abc##"_s + tool.writeScratch(FurElise)});
    QCOMPARE(window.receivedLabel()->text(), u"Numero ricevuto: «0039abc»"_s);
    QCOMPARE(window.numberEdit()->text(), u"+39abc"_s);
    QVERIFY(window.numberProblemLabel()->isVisible());
    QCOMPARE(window.numberProblemLabel()->text(),
             u"Il numero contiene la lettera «a»: un numero di telefono ha solo cifre."_s);
    click(window.sendButton());
    QCOMPARE(tool.status(),
             u"Non inviato: Il numero contiene la lettera «a»: un numero di telefono ha solo cifre."_s);
    QVERIFY(tool.link().records().empty());

    typeInto(window.numberEdit(), u"+39 333"_s);
    QCOMPARE(window.numberProblemLabel()->text(),
             u"Il numero è troppo corto (5 cifre con il prefisso internazionale, ne servono almeno 7)."_s);
    typeInto(window.numberEdit(), u"+39 333 765 4321"_s);
    QVERIFY(window.numberProblemLabel()->isHidden());
    click(window.sendButton());
    QTRY_VERIFY(tool.idle());
    QCOMPARE(tool.link().records().at(1).number, u"+393337654321"_s);
}

void TestSmsWindow::scratchFileIsFoundWhateverTheNumberHolds()
{
    {
        // The number holds "##" itself.
        Tool tool;
        const QString scratch = tool.writeScratch(FurElise);
        smartsms::SmsWindow &window = tool.open({u"0039333##12##"_s + scratch});
        QCOMPARE(window.receivedLabel()->text(), u"Numero ricevuto: «0039333##12»"_s);
        QVERIFY(window.ringtoneLabel()->text().startsWith(u"Artista: Beethoven"_s));
        QCOMPARE(
            window.numberProblemLabel()->text(),
            u"Il numero contiene il segno «#»: un numero di telefono ha solo cifre, con un «+» davanti."_s);
        QCOMPARE(readOutbox(tool.outbox()).value(0).value(u"File"_s), scratch);
    }
    {
        // The path holds "##" and blanks, and the line came split at the blanks.
        Tool tool;
        const QString scratch = tool.writeScratch(FurElise, u"cartella ## suonerie/temp.txt"_s);
        smartsms::SmsWindow &window = tool.open((u"0039 333 1234567##"_s + scratch).split(u' '));
        QCOMPARE(window.receivedLabel()->text(), u"Numero ricevuto: «0039 333 1234567»"_s);
        QCOMPARE(window.numberEdit()->text(), u"+393331234567"_s);
        QVERIFY(window.sendButton()->isEnabled());
    }
    {
        Tool tool;
        const QString missing = tool.folder() + u"/altrove/temp.txt"_s;
        smartsms::SmsWindow &window = tool.open({u"0039333##"_s + missing});
        QCOMPARE(window.ringtoneLabel()->text(), u"File della suoneria non trovato: "_s + missing);
        QVERIFY(!window.sendButton()->isEnabled());
        QVERIFY(!window.saveButton()->isEnabled());
    }
}

void TestSmsWindow::startedAloneTriesTheConnectionOnly()
{
    Tool tool;
    smartsms::SmsWindow &window = tool.open({});
    QVERIFY(window.ringtoneLabel()->text().startsWith(
        u"Nessuna suoneria: il programma è stato avviato da solo."_s));
    QCOMPARE(window.receivedLabel()->text(), u"Nessun numero ricevuto."_s);
    QVERIFY(!window.sendButton()->isEnabled());
    QVERIFY(!window.saveButton()->isEnabled());
    tool.link().setIdentity({u"Nokia"_s, u"6310i"_s, u"350123456789012"_s, 75, -63, u"I TIM"_s});
    click(window.chooser()->probeButton());
    QTRY_VERIFY(tool.idle());
    QCOMPARE(
        tool.status(),
        u"Collegamento riuscito: Nokia 6310i, IMEI 350123456789012, segnale 75% (-63 dBm), rete I TIM."_s);
    QCOMPARE(tool.link().count(Call::Identify), 1);
    QCOMPARE(tool.link().count(Call::SendPart), 0);
    QVERIFY(!tool.link().isOpen());
}

void TestSmsWindow::saveWritesTheSmartMessagingBytes()
{
    Tool tool;
    smartsms::SmsWindow &window = tool.openWithFurElise();
    const QString target = tool.folder() + u"/per elisa.ott"_s;
    {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("vecchio contenuto");
    }
    tool.dialog().queueAnswer(target);
    click(window.saveButton());
    QCOMPARE(tool.dialog().calls().size(), 1u);
    QCOMPARE(tool.dialog().calls()[0].filter, u"Suonerie Nokia (*.ott)"_s);
    QCOMPARE(tool.dialog().calls()[0].defaultExtension, u"ott"_s);
    QVERIFY(tool.dialog().calls()[0].promptOverwrite);
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), window.message().message.payload());
    QCOMPARE(tool.status(), u"Suoneria salvata in «%1» (%2 byte)."_s.arg(target).arg(
                                window.message().message.payload().size()));

    // A folder that cannot take the file leaves everything as it was.
    const QString nowhere = tool.folder() + u"/manca/per elisa.ott"_s;
    tool.dialog().queueAnswer(nowhere);
    click(window.saveButton());
    QVERIFY(tool.status().startsWith(u"Impossibile salvare «%1»"_s.arg(nowhere)));
    QVERIFY(!QFile::exists(nowhere));

    // A disk that fills up during the save keeps the old file whole and says so.
    {
        const QByteArray before = window.message().message.payload();
        const test::FileSizeLimit full(8);
        QVERIFY(full.active());
        tool.dialog().queueAnswer(target);
        click(window.saveButton());
        QVERIFY2(tool.status().startsWith(u"Impossibile salvare «%1»"_s.arg(target)),
                 qPrintable(tool.status()));
        QFile kept(target);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), before);
    }

    // Cancelling the dialog writes nothing and says nothing new.
    tool.dialog().queueAnswer(QString());
    const QString before = tool.status();
    click(window.saveButton());
    QCOMPARE(tool.status(), before);
    QVERIFY(tool.dialog().problems().isEmpty());
}

void TestSmsWindow::connectionChoiceIsRememberedForTheNextStart()
{
    Tool tool;
    {
        smartsms::SmsWindow &window = tool.openWithFurElise();
        QComboBox *device = window.chooser()->deviceBox();
        device->setFocus();
        device->lineEdit()->selectAll();
        QTest::keyClicks(device->lineEdit(), u"/dev/ttyUSB3"_s);
        QComboBox *kind = window.chooser()->kindBox();
        kind->setCurrentIndex(kind->findData(u"dku5"_s));
        QCOMPARE(window.chooser()->descriptionLabel()->text(), QString());
        click(window.chooser()->probeButton());
        QTRY_VERIFY(tool.idle());
        QCOMPARE(tool.link().records().front().settings,
                 (phone::ConnectionSettings{u"/dev/ttyUSB3"_s, u"dku5"_s}));
        tool.close();
    }
    smartsms::SmsWindow &again = tool.openWithFurElise();
    QCOMPARE(again.chooser()->connection(), (phone::ConnectionSettings{u"/dev/ttyUSB3"_s, u"dku5"_s}));
    QCOMPARE(again.chooser()->kindBox()->currentText(), u"Cavo dati Nokia DKU-5 / CA-42 (USB)"_s);
}

void TestSmsWindow::outboxKeepsOneEntryPerRequest()
{
    Tool tool;
    smartsms::SmsWindow &first = tool.openWithFurElise();
    tool.link().queueSend(phone::phoneError(PhoneErrorKind::Timeout));
    click(first.sendButton());
    QTRY_VERIFY(tool.idle());
    click(first.sendButton());
    QTRY_VERIFY(tool.idle());
    tool.close();
    tool.openWithFurElise(u"0039347 7654321"_s);
    tool.close();

    const auto entries = readOutbox(tool.outbox());
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].value(u"Esito"_s),
             u"Suoneria inviata a +393331234567: 1 SMS accettato dalla rete (riferimento 100)."_s);
    QCOMPARE(entries[1].value(u"Numero"_s), u"0039347 7654321"_s);
    QCOMPARE(entries[1].value(u"Esito"_s), u"Non ancora inviato."_s);
    QVERIFY(entries[0].value(u"Richiesta"_s) != entries[1].value(u"Richiesta"_s));
    QVERIFY(!QFile::exists(tool.outbox() + u".lock"_s));
}

QTEST_MAIN(TestSmsWindow)
#include "test_smswindow.moc"
