#include "data/SafeWrite.h"
#include "ringtones/RingtoneTransfer.h"
#include "tests/ringtones/ring_fixture.h"
#include "tests/support/TestSupport.h"

#include <QFileDevice>

using namespace Qt::StringLiterals;

using namespace brivello;

class TestFrmRingTransfer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup() { m_fixture.close(); }
    void doubleClickSavesTheRingtoneTextAsOneLine();
    void savingOverAFileLeavesExactlyOneLine();
    void onAReadOnlyDiscTheScratchFileIsTheUsersAlone();
    void cancellingWritesNothing();
    void aFailedWriteKeepsTheOldFileAndTellsTheUser();
    void theNoResultRowSavesNothing();
    void textIsWrittenInTheItalianCodePage();
    void sendWritesTheScratchFileAndStartsTheToolWithOneArgument();
    void numbersGetTheItalianPrefix();
    void cancellingTheNumberStartsNothing();
    void sendWithTheNoResultRowDoesNothing();
    void theSmsToolStartsAlone();
    void anSmsToolThatDoesNotStartIsTold();

private:
    ringtones::frmRing &ring() { return m_fixture.ring(); }
    void doubleClickRow(int row);
    QByteArray contents(const QString &path);

    test::RingFixture m_fixture;
    std::unique_ptr<QTemporaryDir> m_target;
};

void TestFrmRingTransfer::initTestCase()
{
    QString error;
    QVERIFY2(m_fixture.makeDisc(&error), qPrintable(error));
}

void TestFrmRingTransfer::init()
{
    m_fixture.open();
    m_target = std::make_unique<QTemporaryDir>();
}

void TestFrmRingTransfer::doubleClickRow(int row)
{
    QTreeView &list = ring().lstMain();
    const QRect cell = list.visualRect(ring().listModel().index(row, 0));
    // A double click begins with a whole click.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cell.center());
}

QByteArray TestFrmRingTransfer::contents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "(missing)";
    return file.readAll();
}

void TestFrmRingTransfer::doubleClickSavesTheRingtoneTextAsOneLine()
{
    m_fixture.search(u"Titolo"_s, u"l'est"_s);
    const QString path = m_target->filePath(u"estate.txt"_s);
    m_fixture.fakes().saveFileDialog->queueAnswer(path);
    m_fixture.takeCriteria();
    doubleClickRow(0);
    QCOMPARE(contents(path), QByteArray("L'Estate:d=4,o=5,b=120:c,e,g\r\n"));
    QVERIFY(m_fixture.takeCriteria().contains(u"song = 'L''Estate' and artiest = 'D''Alessio'"_s));
    const platform::SaveFileRequest &request = m_fixture.fakes().saveFileDialog->calls().at(0);
    QCOMPARE(request.title, u"Indicare il nome del documento:"_s);
    QCOMPARE(request.filter, u"Txt files (*.txt)"_s);
    QCOMPARE(request.defaultExtension, u"txt"_s);
    QVERIFY(request.promptOverwrite);
    QVERIFY(QFileInfo(request.startFolder).isWritable());
    QCOMPARE(QDir(m_target->path()).entryList(QDir::Files), QStringList{u"estate.txt"_s});
}

void TestFrmRingTransfer::savingOverAFileLeavesExactlyOneLine()
{
    const QString path = m_target->filePath(u"old.txt"_s);
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("first line\r\nsecond line\r\nthird line, longer than the new text\r\n");
    old.close();
    m_fixture.search(u"Titolo"_s, u"tema"_s);
    m_fixture.fakes().saveFileDialog->queueAnswer(path);
    doubleClickRow(0);
    QCOMPARE(contents(path), QByteArray("Tema:d=4,o=5,b=120:c,e,g\r\n"));
}

void TestFrmRingTransfer::cancellingWritesNothing()
{
    m_fixture.search(u"Titolo"_s, u"tema"_s);
    m_fixture.fakes().saveFileDialog->queueAnswer(QString());
    doubleClickRow(0);
    QCOMPARE(m_fixture.fakes().saveFileDialog->calls().size(), std::size_t(1));
    QVERIFY(QDir(m_target->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestFrmRingTransfer::aFailedWriteKeepsTheOldFileAndTellsTheUser()
{
    // A folder stands where the file should go: the write cannot succeed.
    const QString path = m_target->filePath(u"taken.txt"_s);
    QVERIFY(QDir(m_target->path()).mkdir(u"taken.txt"_s));
    m_fixture.search(u"Titolo"_s, u"tema"_s);
    m_fixture.fakes().saveFileDialog->queueAnswer(path);
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    doubleClickRow(0);
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    QVERIFY(m_fixture.fakes().messageBox->shown().front().text.contains(u"Impossibile salvare"));
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(QDir(m_target->path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

void TestFrmRingTransfer::theNoResultRowSavesNothing()
{
    m_fixture.search(u"Titolo"_s, u"zzz"_s);
    // No answer is queued: a dialog shown here fails the test in cleanup.
    doubleClickRow(0);
    QVERIFY(m_fixture.fakes().saveFileDialog->calls().empty());
}

void TestFrmRingTransfer::textIsWrittenInTheItalianCodePage()
{
    QCOMPARE(ringtones::RingtoneTransfer::textLine(u"Più € – ✓"_s), QByteArray("Pi\xF9 \x80 \x96 ?\r\n"));
    QCOMPARE(ringtones::RingtoneTransfer::textLine(QString()), QByteArray("\r\n"));
}

void TestFrmRingTransfer::sendWritesTheScratchFileAndStartsTheToolWithOneArgument()
{
    m_fixture.search(u"Titolo"_s, u"maria"_s);
    m_fixture.clickRow(0);
    m_fixture.fakes().inputBox->queueAnswer(u"335 12; rm -rf x"_s);
    m_fixture.takeCriteria();
    QTest::mouseClick(&ring().pctSend(), Qt::LeftButton);
    QVERIFY(m_fixture.takeCriteria().contains(
        u"song = 'Maria' and artiest = 'Lyna Rossi' and bestand ='maria'"_s));
    const QString scratch = ringtones::RingtoneTransfer::scratchPath();
    QCOMPARE(QFileInfo(scratch).absolutePath(), QFileInfo(data::programFolder()).absoluteFilePath());
    // The artist is cut to its first 9 characters.
    QCOMPARE(contents(scratch), QByteArray("Lyna Ross:Maria:d=4,o=5,b=120:c,e,g\r\n"));
    const auto &asked = m_fixture.fakes().inputBox->calls();
    QCOMPARE(asked.size(), std::size_t(1));
    QCOMPARE(asked.front().title, u"- Inviare via Modem"_s);
    QVERIFY(asked.front().prompt.startsWith(u"Indicare il numero completo di GSM:\r\re' possibile"));
    QVERIFY(asked.front().defaultText.isEmpty());
    const auto &started = m_fixture.fakes().programStarter->calls();
    QCOMPARE(started.size(), std::size_t(1));
    QVERIFY(started.front().program.endsWith(u"/tools/smartsms limited edition/smartsmsle.exe"));
    QCOMPARE(started.front().arguments,
             QStringList{u"0039335 12; rm -rf x##"_s + QDir::toNativeSeparators(scratch)});
}

void TestFrmRingTransfer::numbersGetTheItalianPrefix()
{
    m_fixture.search(u"Titolo"_s, u"tema"_s);
    m_fixture.clickRow(0);
    const QStringList typed{u"0335123"_s, u"335123"_s, u"+39335"_s, u"0039335"_s, u"00335"_s};
    const QStringList passed{u"0039335123"_s, u"0039335123"_s, u"0039+39335"_s, u"0039039335"_s,
                             u"00390335"_s};
    for (qsizetype index = 0; index < typed.size(); ++index) {
        m_fixture.fakes().inputBox->queueAnswer(typed.at(index));
        QTest::mouseClick(&ring().pctSend(), Qt::LeftButton);
        const QString argument = m_fixture.fakes().programStarter->calls().back().arguments.at(0);
        QCOMPARE(argument.section(u"##"_s, 0, 0), passed.at(index));
    }
    QCOMPARE(contents(ringtones::RingtoneTransfer::scratchPath()),
             QByteArray("Anna Verd:Tema:d=4,o=5,b=120:c,e,g\r\n"));
}

void TestFrmRingTransfer::cancellingTheNumberStartsNothing()
{
    m_fixture.search(u"Titolo"_s, u"l'est"_s);
    m_fixture.clickRow(0);
    m_fixture.fakes().inputBox->queueAnswer(QString());
    QTest::mouseClick(&ring().pctSend(), Qt::LeftButton);
    QVERIFY(m_fixture.fakes().programStarter->calls().empty());
    // The scratch file is written before the number is asked for.
    QCOMPARE(contents(ringtones::RingtoneTransfer::scratchPath()),
             QByteArray("D'Alessio:L'Estate:d=4,o=5,b=120:c,e,g\r\n"));
}

void TestFrmRingTransfer::sendWithTheNoResultRowDoesNothing()
{
    m_fixture.search(u"Titolo"_s, u"zzz"_s);
    m_fixture.clickRow(0);
    // No number is queued: a prompt shown here fails the test in cleanup.
    QTest::mouseClick(&ring().pctSend(), Qt::LeftButton);
    QVERIFY(m_fixture.fakes().inputBox->calls().empty());
    QVERIFY(m_fixture.fakes().programStarter->calls().empty());
}

void TestFrmRingTransfer::theSmsToolStartsAlone()
{
    QTest::mouseClick(&ring().pctSMS(), Qt::LeftButton);
    const auto &started = m_fixture.fakes().programStarter->calls();
    QCOMPARE(started.size(), std::size_t(1));
    QCOMPARE(started.front().program, ringtones::RingtoneTransfer::smsToolPath());
    QVERIFY(started.front().arguments.isEmpty());
}

void TestFrmRingTransfer::anSmsToolThatDoesNotStartIsTold()
{
    m_fixture.fakes().programStarter->queueAnswer(false);
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    QTest::mouseClick(&ring().pctSMS(), Qt::LeftButton);
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    QVERIFY(m_fixture.fakes().messageBox->shown().front().text.contains(u"programma SMS"));
}

// Mended fault: on a disc the scratch file had a fixed name in the shared
// temporary folder, where another user could plant a link to have the line
// written over a file of theirs.
void TestFrmRingTransfer::onAReadOnlyDiscTheScratchFileIsTheUsersAlone()
{
    QTemporaryDir shared;
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(u"victim.txt"_s);
    QFile planted(victim);
    QVERIFY(planted.open(QIODevice::WriteOnly));
    planted.write("precious");
    planted.close();
    QVERIFY(QFile::link(victim, shared.filePath(u"temp.txt"_s)));
    const test::EnvironmentGuard tmp("TMPDIR", shared.path().toLocal8Bit());

    // A folder that does not exist is as unwritable as a disc, even for root.
    const QString before = data::programFolder();
    data::setProgramFolder(elsewhere.filePath(u"cdrom"_s));
    const QString scratch = ringtones::RingtoneTransfer::scratchPath();
    data::setProgramFolder(before);

    QVERIFY2(QFileInfo(scratch).absolutePath() != QFileInfo(shared.path()).absoluteFilePath(),
             qPrintable(scratch));
    const QFileDevice::Permissions folder = QFile::permissions(QFileInfo(scratch).absolutePath());
    QVERIFY(!(folder & (QFileDevice::WriteGroup | QFileDevice::WriteOther)));
    QVERIFY(data::writeFileSafely(scratch, QByteArrayLiteral("Lyna Ross:Maria:d=4,o=5,b=120:c\r\n")));
    QCOMPARE(contents(victim), QByteArray("precious"));
    QFile::remove(scratch);
}

QTEST_MAIN(TestFrmRingTransfer)
#include "test_frmring_transfer.moc"
