// The sample disc's SMS tool and its ringtones: every ringtone of the
// catalogue, handed over as the ringtone window hands it over, goes through
// the disc's own tool (its window here, its worker process from the disc)
// to a simulated modem, which must receive exactly the PDUs the ringtone
// makes; and the .ott bytes of every ringtone agree with Debian's gammu.

#include "DiscTestSupport.h"
#include "SmsWindow.h"
#include "data/Catalogue.h"
#include "phone/Connections.h"
#include "ringtones/RingtoneTransfer.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ModemSimulator.h"
#include "tests/support/PduBuilder.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace brivello;
using namespace Qt::StringLiterals;
using test::onDisc;

namespace {

const QString Number = u"+393331234567"_s;
const QString Centre = u"+393359609600"_s;
// Modems and workers at work at once: libGammu spends its time waiting on
// the line, so many run side by side without loading the machine.
constexpr int AtOnce = 16;

struct Ringtone
{
    QString file;
    QString artist;
    QString bieps;
};

std::vector<Ringtone> discRingtones()
{
    std::vector<Ringtone> list;
    const auto catalogue = data::Catalogue::open(onDisc(u".\\datafiles\\ringtones.dat"_s));
    if (!catalogue)
        return list;
    const auto main = catalogue->table(u"Main"_s);
    for (const QStringList &row : main->rows())
        list.push_back({row.at(main->column(u"bestand"_s)), row.at(main->column(u"artiest"_s)),
                        row.at(main->column(u"bieps"_s))});
    return list;
}

// One ringtone on its way: the scratch file, a modem of its own and the
// tool's window.
class Delivery
{
public:
    Delivery(const Ringtone &ringtone, const QString &folder) : m_ringtone(ringtone), m_folder(folder)
    {
        QDir().mkpath(folder);
        const QString scratch = folder + u"/temp.txt"_s;
        QFile file(scratch);
        if (file.open(QIODevice::WriteOnly))
            file.write(ringtones::RingtoneTransfer::textLine(ringtone.artist.trimmed().left(9) + u':' +
                                                             ringtone.bieps));
        file.close();
        QSettings settings(folder + u"/collegamento.ini"_s, QSettings::IniFormat);
        phone::saveConnection(settings, {m_modem.devicePath(), u"at"_s});

        smartsms::SmsRequest request =
            smartsms::parseRequest({ringtones::RingtoneTransfer::internationalNumber(u"3331234567"_s) +
                                    u"##"_s + QDir::toNativeSeparators(scratch)});
        smartsms::readScratchFile(request);
        smartsms::SmsToolSetup setup;
        const QString tool = onDisc(u"\\tools\\smartsms limited edition\\smartsmsle.exe"_s);
        setup.tasks = [tool] {
            return std::make_unique<phone::WorkerProcessTask>(tool, phone::phoneWorkerArguments());
        };
        setup.devices = [] { return std::vector<phone::DeviceEntry>{}; };
        setup.saveDialog = std::make_shared<test::FakeSaveFileDialog>();
        setup.settingsFile = folder + u"/collegamento.ini"_s;
        setup.outboxPath = folder + u"/../outbox.txt"_s;
        m_window = std::make_unique<smartsms::SmsWindow>(request, setup);
        m_window->show();
        m_window->sendButton()->click();
    }

    bool done() const { return !m_window->isWorking(); }
    const Ringtone &ringtone() const { return m_ringtone; }
    QString status() const { return m_window->statusLabel()->text(); }
    const phone::SmartMessage &message() const { return m_window->message().message; }
    const test::ModemSimulator &modem() const { return m_modem; }

private:
    Ringtone m_ringtone;
    QString m_folder;
    test::ModemSimulator m_modem;
    std::unique_ptr<smartsms::SmsWindow> m_window;
};

// gammu's own .ott of an RTTTL text; empty when it made none.
QByteArray gammuOtt(const QString &gammu, const QString &rtttl, const QTemporaryDir &dir)
{
    const QString in = dir.filePath(u"in.txt"_s);
    const QString out = dir.filePath(u"out.ott"_s);
    QFile::remove(out);
    QFile text(in);
    if (!text.open(QIODevice::WriteOnly))
        return {};
    // gammu's reader loses the last note of a text without a line end.
    text.write(rtttl.toLatin1() + '\n');
    text.close();
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, dir.path());
    process.setProcessEnvironment(environment);
    process.start(gammu, {u"copyringtone"_s, in, out});
    if (!process.waitForFinished(30000))
        return {};
    QFile ott(out);
    return ott.open(QIODevice::ReadOnly) ? ott.readAll() : QByteArray();
}

// gammu's reader ignores a dot written after the octave ("4d6."); our
// reader takes it, as the RTTTL writers that put it there meant. Written
// before the octave ("4d.6") both readers take it.
const QRegularExpression DotAfterOctave(u"^(\\d*[a-h]#?)(\\d)\\.$"_s);

bool hasDotAfterOctave(const QString &rtttl)
{
    const QStringList notes = rtttl.section(u':', -1).split(u',');
    return std::any_of(notes.begin(), notes.end(),
                       [](const QString &note) { return DotAfterOctave.match(note.trimmed()).hasMatch(); });
}

QString withDotsBeforeOctave(const QString &rtttl)
{
    QStringList notes = rtttl.section(u':', -1).split(u',');
    for (QString &note : notes)
        note.replace(DotAfterOctave, u"\\1.\\2"_s);
    return rtttl.section(u':', 0, -2) + u':' + notes.join(u',');
}

} // namespace

class TestSmsDisc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySampleRingtoneReachesTheModemThroughTheDiscsTool();
    void ottBytesAgreeWithGammu();
};

void TestSmsDisc::everySampleRingtoneReachesTheModemThroughTheDiscsTool()
{
    const std::vector<Ringtone> ringtones = discRingtones();
    QVERIFY(ringtones.size() >= 150);
    QTemporaryDir dir;
    std::vector<std::unique_ptr<Delivery>> active;
    std::size_t next = 0;
    int delivered = 0;
    while (next < ringtones.size() || !active.empty()) {
        while (active.size() < AtOnce && next < ringtones.size()) {
            active.push_back(std::make_unique<Delivery>(ringtones[next], dir.filePath(ringtones[next].file)));
            ++next;
        }
        QTRY_VERIFY_WITH_TIMEOUT(
            std::any_of(active.begin(), active.end(), [](const auto &d) { return d->done(); }), 120000);
        for (auto it = active.begin(); it != active.end();) {
            const Delivery &delivery = **it;
            if (!delivery.done()) {
                ++it;
                continue;
            }
            const QString name = delivery.ringtone().file;
            QVERIFY2(delivery.status().startsWith(u"Suoneria inviata a +393331234567: "_s),
                     qPrintable(name + u": "_s + delivery.status()));
            QStringList expected;
            for (const phone::SmsPart &part : delivery.message().parts)
                expected << test::submitPdu(Centre, Number, part);
            QVERIFY(!expected.isEmpty());
            QCOMPARE(delivery.modem().pdus(), expected);
            QTRY_COMPARE(delivery.modem().closings(), 1);
            ++delivered;
            it = active.erase(it);
        }
    }
    QCOMPARE(delivered, int(ringtones.size()));
    qInfo("%d ringtones delivered through the disc's SMS tool", delivered);
}

void TestSmsDisc::ottBytesAgreeWithGammu()
{
    const QString gammu = QStandardPaths::findExecutable(u"gammu"_s);
    if (gammu.isEmpty())
        QSKIP("gammu (Debian package gammu) not found on PATH: the .ott oracle is not available");
    QTemporaryDir dir;
    int agreeing = 0;
    int slipping = 0;
    for (const Ringtone &ringtone : discRingtones()) {
        const QByteArray ours = phone::encodeRingtoneText(ringtone.bieps).message.payload();
        QVERIFY(!ours.isEmpty());
        if (gammuOtt(gammu, ringtone.bieps, dir) == ours) {
            ++agreeing;
            continue;
        }
        QVERIFY2(hasDotAfterOctave(ringtone.bieps), qPrintable(ringtone.file + u": "_s + ringtone.bieps));
        QCOMPARE(gammuOtt(gammu, withDotsBeforeOctave(ringtone.bieps), dir).toHex(), ours.toHex());
        ++slipping;
    }
    QVERIFY(agreeing > 0);
    qInfo("%d ringtones agree with gammu as written; %d agree once their dots stand before the octave",
          agreeing, slipping);
}

QTEST_MAIN(TestSmsDisc)
#include "test_smsdisc.moc"
