#include "app/WindowSet.h"
#include "data/DiscPaths.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/HostileFiles.h"
#include "tests/support/TestSupport.h"
#include "tests/toolcatalogue/ToolDisc.h"
#include "toolcatalogue/ToolCopy.h"
#include "toolcatalogue/ToolRun.h"
#include "toolcatalogue/frmInstall.h"
#include "toolcatalogue/frmTools.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/WindowStack.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;
using platform::MessageAnswer;
using toolcatalogue::frmInstall;
using toolcatalogue::frmTools;

namespace {

// Every name in a folder, hidden ones and folders included.
QStringList everything(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestToolInstall : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void firstProposalNamesTheTablesFirstToolWhateverIsSelected();
    void withoutHomeTheProposalIsTheAccountsHomeNotTheRoot();
    void aToolThatLeadsOutOfTheDiscIsRefused();
    void okWithEmptyTextKeepsTheDialogOpen();
    void copiesTheThreeFilesInOrderThenSaysSo();
    void secondInstallProposesTheTextConfirmedBefore();
    void closeButtonBeforeAnyOkCopiesNothing();
    void closeButtonAfterAnOkCopiesIntoTheEarlierFolder();
    void missingTargetIsCreatedWithItsParents();
    void threeHundredFilesWithProgress();
    void cancellingKeepsWhatWasCopiedAndSaysSo();
    void unwritableFileNamesItAndKeepsTheOthers();
    void unreadableFileIsNamedAndTheOthersAreCopied();
    void readOnlyFolderIsReported();
    void folderThatCannotBeMadeIsReported();
    void emptyToolFolderIsNoSuccess();
    void musicboxStartsFromItsFixedFolder();
    void runInstallStartsFromTheProgramFolder();
    void lowerCaseKIsARunInstall();
    void programThatCannotStartIsReported();
    void installWithNoSelectionSaysSo();
    void listFollowsTheFileListsRules();
    void sampleDiscToolsRunAndCopy();

private:
    frmTools &tools() { return m_windows->tools(); }
    frmInstall &dialog() { return m_windows->install(); }
    void select(const QString &name);
    void clickInstall();
    void type(const QString &text);
    void clickOk();
    void waitForEnd(QSignalSpy &ended);
    QString target(const QString &relative) const { return m_targets.filePath(relative); }
    QString discFolder(const QString &dirname) const { return m_disc.filePath(u"tools/"_s + dirname); }
    QString lastMessage() const { return m_fakes.messageBox->shown().back().text; }

    QTemporaryDir m_disc;
    QTemporaryDir m_targets;
    test::FakePlatform m_fakes;
    std::unique_ptr<ui::WindowStack> m_stack;
    std::unique_ptr<ui::ButtonImages> m_images;
    std::unique_ptr<app::WindowSet> m_windows;
    std::unique_ptr<QSignalSpy> m_ended;
};

void TestToolInstall::initTestCase()
{
    QString error;
    QVERIFY2(test::writeToolDisc(m_disc.path(), &error), qPrintable(error));
    data::setProgramFolder(m_disc.path());
    m_images = std::make_unique<ui::ButtonImages>();
}

void TestToolInstall::init()
{
    m_fakes = test::FakePlatform();
    m_stack = std::make_unique<ui::WindowStack>();
    m_windows = std::make_unique<app::WindowSet>(m_fakes.platform(), *m_stack, *m_images);
    // As at start-up: the install dialog loads the tools window.
    m_windows->install();
    m_stack->showModal(tools());
    m_ended = std::make_unique<QSignalSpy>(&tools(), &frmTools::installEnded);
}

void TestToolInstall::cleanup()
{
    m_ended.reset();
    m_windows.reset();
    m_stack.reset();
    m_fakes.checkUnused();
    for (const QString &name : everything(m_targets.path()))
        QDir(m_targets.filePath(name)).removeRecursively();
}

void TestToolInstall::select(const QString &name)
{
    QListWidget &list = tools().lstTools();
    const QList<QListWidgetItem *> found = list.findItems(name, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(found.first()).center());
}

void TestToolInstall::clickInstall()
{
    QTest::mouseClick(&tools().pctInstall(), Qt::LeftButton);
}

void TestToolInstall::type(const QString &text)
{
    QLineEdit &box = dialog().txtGetDir();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Delete);
    QTest::keyClicks(&box, text);
}

void TestToolInstall::clickOk()
{
    QTest::mouseClick(&dialog().cmdOK(), Qt::LeftButton);
}

void TestToolInstall::waitForEnd(QSignalSpy &ended)
{
    QTRY_COMPARE(ended.count(), 1);
    ended.clear();
}

// Mended fault: with HOME unset the dialog proposed "//primo kit", a folder
// at the root of the system.
void TestToolInstall::withoutHomeTheProposalIsTheAccountsHomeNotTheRoot()
{
    const passwd *account = ::getpwuid(::getuid());
    QVERIFY(account && account->pw_dir);
    const QString accountHome = QDir::cleanPath(QFile::decodeName(account->pw_dir));
    {
        const test::EnvironmentGuard noHome("HOME", std::nullopt);
        QCOMPARE(toolcatalogue::proposedInstallDir(u"primo kit"_s),
                 QDir(accountHome).filePath(u"primo kit"_s));
    }
    QTemporaryDir missing;
    const test::EnvironmentGuard goneHome("HOME", (missing.path() + u"/via"_s).toLocal8Bit());
    QCOMPARE(toolcatalogue::proposedInstallDir(u"primo kit"_s), QDir(accountHome).filePath(u"primo kit"_s));
    QVERIFY(!toolcatalogue::proposedInstallDir(u"primo kit"_s).startsWith(u"//"));
}

// Mended fault: a folder or program name with ".." in the catalogue was
// followed out of the program folder, to start or copy whatever lay there.
void TestToolInstall::aToolThatLeadsOutOfTheDiscIsRefused()
{
    const toolcatalogue::ToolRecord outside{u"Fuga"_s, u"S"_s, u"avvio"_s, u"..\\..\\..\\bin\\true"_s};
    QCOMPARE(toolcatalogue::runTool(m_fakes.platform(), outside),
             u"Il catalogo indica un percorso che esce dalla cartella del programma: "
             "«..\\..\\..\\bin\\true»."_s);
    const toolcatalogue::ToolRecord upward{u"Fuga"_s, u"S"_s, u"a/../../b"_s, u"avvio.sh"_s};
    QVERIFY(toolcatalogue::runTool(m_fakes.platform(), upward).contains(u"«a/../../b»"));
    QVERIFY(m_fakes.programStarter->calls().empty());
    QVERIFY(toolcatalogue::proposedInstallDir(u"..\\..\\etc"_s).isEmpty());
}

void TestToolInstall::firstProposalNamesTheTablesFirstToolWhateverIsSelected()
{
    select(u"Grande"_s);
    clickInstall();
    QVERIFY(dialog().isVisible());
    QCOMPARE(m_stack->activeWindow(), &dialog());
    QCOMPARE(dialog().windowTitle(), u"Installare Tool"_s);
    QCOMPARE(dialog().size(), QSize(299, 65));
    QCOMPARE(dialog().cmdOK().text(), u"OK"_s);
    QCOMPARE(dialog().txtGetDir().text(), QDir::homePath() + u"/primo kit"_s);
    dialog().close();
    waitForEnd(*m_ended);
    QVERIFY(m_fakes.messageBox->shown().empty());
}

void TestToolInstall::okWithEmptyTextKeepsTheDialogOpen()
{
    select(u"Primo Kit"_s);
    clickInstall();
    type(QString());
    clickOk();
    m_stack->settle();
    QVERIFY(dialog().isVisible());
    QCOMPARE(m_stack->activeWindow(), &dialog());
    QVERIFY(tools().strInstallDir().isEmpty());
    QCOMPARE(m_ended->count(), 0);
    type(target(u"uno"_s));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    QVERIFY(!dialog().isVisible());
    QCOMPARE(tools().strInstallDir(), target(u"uno"_s));
    waitForEnd(*m_ended);
    QCOMPARE(everything(target(u"uno"_s)).size(), 3);
}

void TestToolInstall::copiesTheThreeFilesInOrderThenSaysSo()
{
    QSignalSpy copied(&tools(), &frmTools::toolFileCopied);
    select(u"Primo Kit"_s);
    clickInstall();
    // Enter in the text box is OK, too.
    type(target(u"kit"_s));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    QTest::keyClick(&dialog().txtGetDir(), Qt::Key_Return);
    waitForEnd(*m_ended);
    QStringList order;
    for (const QList<QVariant> &signal : copied)
        order << signal.at(0).toString();
    QCOMPARE(order, (QStringList{u"A.txt"_s, u"b.txt"_s, u"c.dat"_s}));
    QCOMPARE(everything(target(u"kit"_s)), (QStringList{u"A.txt"_s, u"b.txt"_s, u"c.dat"_s}));
    for (const QString &name : order)
        QCOMPARE(contentsOf(target(u"kit/"_s + name)), test::toolFileContents(u"primo kit"_s, name));
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(1));
    const platform::MessageRequest &message = m_fakes.messageBox->shown().front();
    QCOMPARE(message.text, u"Installare è perfecto! "_s + target(u"kit"_s));
    QCOMPARE(message.title, u"Brivello-Tools:"_s);
    QCOMPARE(message.buttons, platform::MessageButtons::Ok);
    QCOMPARE(message.icon, platform::MessageIcon::None);
    // The dialog's end made the tools window active: its list was filled anew.
    QCOMPARE(m_stack->activeWindow(), &tools());
    QVERIFY(tools().lstTools().selectedItems().isEmpty());
    QCOMPARE(tools().lstTools().count(), static_cast<int>(test::testTools().size()));
}

void TestToolInstall::secondInstallProposesTheTextConfirmedBefore()
{
    const QString folder = target(u"due"_s);
    select(u"Primo Kit"_s);
    clickInstall();
    type(folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    // The user changes a copy; the second install puts the disc's back.
    QFile changed(folder + u"/A.txt"_s);
    QVERIFY(changed.open(QIODevice::WriteOnly));
    changed.write("cambiato");
    changed.close();
    select(u"Secondo Kit"_s);
    clickInstall();
    QCOMPARE(dialog().txtGetDir().text(), folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(everything(folder), (QStringList{u"A.txt"_s, u"b.txt"_s, u"c.dat"_s, u"secondo.txt"_s}));
    QCOMPARE(contentsOf(folder + u"/A.txt"_s), QByteArray("cambiato"));
    QCOMPARE(lastMessage(), u"Installare è perfecto! "_s + folder);
    select(u"Primo Kit"_s);
    clickInstall();
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(contentsOf(folder + u"/A.txt"_s), test::toolFileContents(u"primo kit"_s, u"A.txt"_s));
}

void TestToolInstall::closeButtonBeforeAnyOkCopiesNothing()
{
    select(u"Primo Kit"_s);
    clickInstall();
    type(target(u"mai"_s));
    dialog().close();
    waitForEnd(*m_ended);
    QVERIFY(!dialog().isVisible());
    QVERIFY(tools().strInstallDir().isEmpty());
    QVERIFY(m_fakes.messageBox->shown().empty());
    QVERIFY(!QFileInfo::exists(target(u"mai"_s)));
    QVERIFY(everything(m_targets.path()).isEmpty());
}

void TestToolInstall::closeButtonAfterAnOkCopiesIntoTheEarlierFolder()
{
    const QString earlier = target(u"prima"_s);
    select(u"Primo Kit"_s);
    clickInstall();
    type(earlier);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    select(u"Secondo Kit"_s);
    clickInstall();
    type(target(u"altrove"_s));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    dialog().close();
    waitForEnd(*m_ended);
    QVERIFY(everything(earlier).contains(u"secondo.txt"_s));
    QVERIFY(!QFileInfo::exists(target(u"altrove"_s)));
    QCOMPARE(lastMessage(), u"Installare è perfecto! "_s + earlier);
    // Closed, the dialog is made anew: it names the tool being installed.
    select(u"Grande"_s);
    clickInstall();
    QCOMPARE(dialog().txtGetDir().text(), QDir::homePath() + u"/grande"_s);
    dialog().close();
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    waitForEnd(*m_ended);
    QCOMPARE(everything(earlier).size(), 4 + 300);
}

void TestToolInstall::missingTargetIsCreatedWithItsParents()
{
    const QString deep = target(u"a/b/c"_s);
    select(u"Secondo Kit"_s);
    clickInstall();
    type(deep);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(everything(deep), QStringList{u"secondo.txt"_s});
    QCOMPARE(lastMessage(), u"Installare è perfecto! "_s + deep);
}

void TestToolInstall::threeHundredFilesWithProgress()
{
    QSignalSpy copied(&tools(), &frmTools::toolFileCopied);
    select(u"Grande"_s);
    clickInstall();
    type(target(u"grande"_s));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    QTRY_VERIFY(tools().progressDialog() != nullptr);
    QVERIFY(tools().progressDialog()->isVisible());
    QCOMPARE(tools().progressDialog()->maximum(), 300);
    waitForEnd(*m_ended);
    QCOMPARE(copied.count(), 300);
    const QStringList files = everything(target(u"grande"_s));
    QCOMPARE(files.size(), 300);
    QCOMPARE(files.first(), u"file000.txt"_s);
    QCOMPARE(files.last(), u"file299.txt"_s);
    QCOMPARE(contentsOf(target(u"grande/file255.txt"_s)),
             test::toolFileContents(u"grande"_s, u"file255.txt"_s));
    QCOMPARE(lastMessage(), u"Installare è perfecto! "_s + target(u"grande"_s));
    QVERIFY(tools().progressDialog() == nullptr);
}

void TestToolInstall::cancellingKeepsWhatWasCopiedAndSaysSo()
{
    select(u"Grande"_s);
    clickInstall();
    type(target(u"interrotto"_s));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    connect(&tools(), &frmTools::toolFileCopied, this, [this](const QString &name) {
        if (name != u"file099.txt"_s)
            return;
        auto *cancel = tools().progressDialog()->findChild<QPushButton *>();
        QVERIFY(cancel);
        QCOMPARE(cancel->text(), u"Annulla"_s);
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(everything(target(u"interrotto"_s)).size(), 100);
    QCOMPARE(m_fakes.messageBox->shown().back().icon, platform::MessageIcon::Warning);
    QVERIFY2(lastMessage().contains(u"interrotta: sono stati copiati 100 file su 300"_s),
             qPrintable(lastMessage()));
    QVERIFY(!lastMessage().contains(u"perfecto"_s));
}

void TestToolInstall::unwritableFileNamesItAndKeepsTheOthers()
{
    // A folder in the way of b.txt: A.txt is copied, b.txt cannot be.
    const QString folder = target(u"occupato"_s);
    QVERIFY(QDir().mkpath(folder + u"/b.txt"_s));
    select(u"Primo Kit"_s);
    clickInstall();
    type(folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QVERIFY2(lastMessage().startsWith(u"Impossibile scrivere il file "_s + folder + u"/b.txt"_s),
             qPrintable(lastMessage()));
    QVERIFY(lastMessage().contains(u"1 file su 3"_s));
    // No half-written or temporary file is left behind.
    QCOMPARE(everything(folder), (QStringList{u"A.txt"_s, u"b.txt"_s}));
    QCOMPARE(contentsOf(folder + u"/A.txt"_s), test::toolFileContents(u"primo kit"_s, u"A.txt"_s));
}

void TestToolInstall::unreadableFileIsNamedAndTheOthersAreCopied()
{
    test::PermissionsApply permissions;
    if (!permissions.active())
        QSKIP("file permissions cannot be made to hold for this user");
    const QString unreadable = discFolder(u"primo kit/b.txt"_s);
    QVERIFY(QFile::setPermissions(unreadable, QFileDevice::Permissions{}));
    const QString folder = target(u"illeggibile"_s);
    select(u"Primo Kit"_s);
    clickInstall();
    type(folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QVERIFY(QFile::setPermissions(unreadable, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(m_fakes.messageBox->shown().back().icon, platform::MessageIcon::Warning);
    QCOMPARE(lastMessage(), u"Impossibile leggere questo file del tool, che non è stato copiato:\nb.txt\n"
                            "Sono stati copiati 2 file su 3 in "_s +
                                folder + QLatin1Char('.'));
    QCOMPARE(everything(folder), (QStringList{u"A.txt"_s, u"c.dat"_s}));
}

void TestToolInstall::readOnlyFolderIsReported()
{
    if (::geteuid() == 0)
        QSKIP("the superuser writes into read-only folders");
    const QString folder = target(u"solalettura"_s);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    select(u"Primo Kit"_s);
    clickInstall();
    type(folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY2(lastMessage().startsWith(u"Impossibile scrivere il file "_s + folder + u"/A.txt"_s),
             qPrintable(lastMessage()));
    QVERIFY(everything(folder).isEmpty());
}

void TestToolInstall::folderThatCannotBeMadeIsReported()
{
    QFile plain(target(u"file"_s));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    select(u"Primo Kit"_s);
    clickInstall();
    type(target(u"file/sotto"_s));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(lastMessage(), u"Impossibile creare la cartella "_s + target(u"file/sotto"_s));
}

void TestToolInstall::emptyToolFolderIsNoSuccess()
{
    select(u"Vuoto"_s);
    clickInstall();
    type(target(u"vuoto"_s));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(lastMessage(),
             u"La cartella del tool non contiene file da copiare: "_s + discFolder(u"vuoto"_s));
    QVERIFY(!QFileInfo::exists(target(u"vuoto"_s)));
}

void TestToolInstall::musicboxStartsFromItsFixedFolder()
{
    select(u"Musicbox"_s);
    clickInstall();
    waitForEnd(*m_ended);
    QVERIFY(!dialog().isVisible());
    const QString folder = data::discPath(u"\\tools\\Musicbox\\"_s);
    QCOMPARE(QDir(folder).canonicalPath(), QDir(discFolder(u"Musicbox"_s)).canonicalPath());
    QCOMPARE(m_fakes.currentDirectory->current(), folder);
    QCOMPARE(m_fakes.programStarter->calls().size(), std::size_t(1));
    const auto &call = m_fakes.programStarter->calls().front();
    QCOMPARE(QFileInfo(call.program).canonicalFilePath(),
             QFileInfo(discFolder(u"Musicbox/musicbox.sh"_s)).canonicalFilePath());
    QVERIFY(call.arguments.isEmpty());
    QCOMPARE(call.workingDirectory, folder);
    QVERIFY(m_fakes.messageBox->shown().empty());
}

void TestToolInstall::runInstallStartsFromTheProgramFolder()
{
    select(u"Musicbox"_s);
    clickInstall();
    waitForEnd(*m_ended);
    // The navigation bar puts the program folder back; a run install does, too.
    select(u"Avvio"_s);
    clickInstall();
    waitForEnd(*m_ended);
    QCOMPARE(m_fakes.currentDirectory->current(), data::programFolder());
    QCOMPARE(m_fakes.programStarter->calls().size(), std::size_t(2));
    const auto &call = m_fakes.programStarter->calls().back();
    QCOMPARE(call.program, QFileInfo(discFolder(u"avvio/avvio.sh"_s)).absoluteFilePath());
    QVERIFY(call.arguments.isEmpty());
    QCOMPARE(call.workingDirectory, data::programFolder());
    select(u"D'Artagnan"_s);
    clickInstall();
    waitForEnd(*m_ended);
    QCOMPARE(m_fakes.programStarter->calls().back().program,
             QFileInfo(discFolder(u"artagnan/dart.sh"_s)).absoluteFilePath());
}

void TestToolInstall::lowerCaseKIsARunInstall()
{
    select(u"Minuscolo"_s);
    clickInstall();
    waitForEnd(*m_ended);
    QVERIFY(!dialog().isVisible());
    QCOMPARE(m_stack->activeWindow(), &tools());
    QCOMPARE(m_fakes.programStarter->calls().size(), std::size_t(1));
    QCOMPARE(m_fakes.programStarter->calls().front().program,
             QFileInfo(discFolder(u"minuscolo/min.sh"_s)).absoluteFilePath());
    QVERIFY(tools().strInstallDir().isEmpty());
}

void TestToolInstall::programThatCannotStartIsReported()
{
    select(u"Mancante"_s);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickInstall();
    waitForEnd(*m_ended);
    QVERIFY(m_fakes.programStarter->calls().empty());
    QCOMPARE(lastMessage(), u"Impossibile avviare il programma "_s +
                                QDir::toNativeSeparators(data::discPath(u"\\tools\\mancante\\nonc.sh"_s)));
    // The system refuses a program that is there.
    select(u"Avvio"_s);
    m_fakes.programStarter->queueAnswer(false);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickInstall();
    waitForEnd(*m_ended);
    QVERIFY(lastMessage().startsWith(u"Impossibile avviare il programma "_s));
    QVERIFY(lastMessage().endsWith(u"avvio.sh"_s));
}

void TestToolInstall::installWithNoSelectionSaysSo()
{
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickInstall();
    waitForEnd(*m_ended);
    QCOMPARE(lastMessage(), u"Scegliere prima un tool dalla lista."_s);
    QVERIFY(!dialog().isVisible());
    QVERIFY(m_fakes.programStarter->calls().empty());
}

void TestToolInstall::listFollowsTheFileListsRules()
{
    const QString folder = discFolder(u"primo kit"_s);
    QCOMPARE(toolcatalogue::listToolFiles(folder), (QStringList{u"A.txt"_s, u"b.txt"_s, u"c.dat"_s}));
    // A read-only file is listed and copied like the others.
    QTemporaryDir source;
    QFile readOnly(source.filePath(u"sola.txt"_s));
    QVERIFY(readOnly.open(QIODevice::WriteOnly));
    readOnly.write("sola lettura");
    readOnly.close();
    QVERIFY(readOnly.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    QCOMPARE(toolcatalogue::listToolFiles(source.path()), QStringList{u"sola.txt"_s});
    QString error;
    QVERIFY2(toolcatalogue::copyFileSafely(readOnly.fileName(), target(u"sola.txt"_s), &error) ==
                 toolcatalogue::CopyFailure::None,
             qPrintable(error));
    QCOMPARE(contentsOf(target(u"sola.txt"_s)), QByteArray("sola lettura"));
    QCOMPARE(toolcatalogue::copyFileSafely(source.filePath(u"assente.txt"_s), target(u"x.txt"_s), &error),
             toolcatalogue::CopyFailure::Read);
    QCOMPARE(error, u"Impossibile leggere il file "_s + source.filePath(u"assente.txt"_s));
    QVERIFY(!QFileInfo::exists(target(u"x.txt"_s)));
}

void TestToolInstall::sampleDiscToolsRunAndCopy()
{
    // The real programs of the sample disc, started by the system.
    const QString sampleDisc = qEnvironmentVariable("BRIVELLO_TEST_DISC");
    if (!QFileInfo::exists(sampleDisc + u"/datafiles/ringtones.dat"_s))
        QSKIP("the sample disc has not been assembled");
    const test::EnvironmentGuard quitAtOnce("BRIVELLO_TOOL_QUIT", QByteArray("1"));
    // Only one window stack may watch the input.
    m_ended.reset();
    m_windows.reset();
    m_stack.reset();
    // Put back also when a check below fails.
    const test::CurrentDirectoryGuard currentDirectory;
    const test::ProgramFolderGuard programFolder(sampleDisc);
    platform::Platform system = platform::makeQtPlatform();
    system.messageBox = m_fakes.messageBox;
    ui::WindowStack stack;
    app::WindowSet windows(system, stack, *m_images);
    windows.install();
    frmTools &sample = windows.tools();
    stack.showModal(sample);
    QSignalSpy ended(&sample, &frmTools::installEnded);
    auto pick = [&sample](const QString &name) {
        const QList<QListWidgetItem *> found = sample.lstTools().findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        sample.lstTools().setCurrentItem(found.first());
    };
    pick(u"Musicbox"_s);
    QTest::mouseClick(&sample.pctInstall(), Qt::LeftButton);
    waitForEnd(ended);
    QCOMPARE(QDir::currentPath(), QDir(sampleDisc + u"/tools/Musicbox"_s).canonicalPath());
    pick(u"Compositore Suonerie"_s);
    QTest::mouseClick(&sample.pctInstall(), Qt::LeftButton);
    waitForEnd(ended);
    QCOMPARE(QDir::currentPath(), QDir(sampleDisc).canonicalPath());
    QVERIFY(m_fakes.messageBox->shown().empty());
    pick(u"Manuale GSM"_s);
    QTest::mouseClick(&sample.pctInstall(), Qt::LeftButton);
    windows.install().txtGetDir().setText(target(u"manuale"_s));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    QTest::mouseClick(&windows.install().cmdOK(), Qt::LeftButton);
    waitForEnd(ended);
    QCOMPARE(everything(target(u"manuale"_s)),
             toolcatalogue::listToolFiles(sampleDisc + u"/tools/manuale gsm"_s));
    QCOMPARE(everything(target(u"manuale"_s)).size(), 4);
    QCOMPARE(lastMessage(), u"Installare è perfecto! "_s + target(u"manuale"_s));
}

QTEST_MAIN(TestToolInstall)
#include "test_toolinstall.moc"
