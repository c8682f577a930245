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
    QString discFolder(const QString &dirname) const
    {
        return m_disc.filePath(QStringLiteral("tools/") + dirname);
    }
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
        QCOMPARE(toolcatalogue::proposedInstallDir(QStringLiteral("primo kit")),
                 QDir(accountHome).filePath(QStringLiteral("primo kit")));
    }
    QTemporaryDir missing;
    const test::EnvironmentGuard goneHome("HOME", (missing.path() + QStringLiteral("/via")).toLocal8Bit());
    QCOMPARE(toolcatalogue::proposedInstallDir(QStringLiteral("primo kit")),
             QDir(accountHome).filePath(QStringLiteral("primo kit")));
    QVERIFY(!toolcatalogue::proposedInstallDir(QStringLiteral("primo kit")).startsWith(u"//"));
}

// Mended fault: a folder or program name with ".." in the catalogue was
// followed out of the program folder, to start or copy whatever lay there.
void TestToolInstall::aToolThatLeadsOutOfTheDiscIsRefused()
{
    const toolcatalogue::ToolRecord outside{QStringLiteral("Fuga"), QStringLiteral("S"),
                                            QStringLiteral("avvio"), QStringLiteral("..\\..\\..\\bin\\true")};
    QCOMPARE(toolcatalogue::runTool(m_fakes.platform(), outside),
             QStringLiteral("Il catalogo indica un percorso che esce dalla cartella del programma: "
                            "«..\\..\\..\\bin\\true»."));
    const toolcatalogue::ToolRecord upward{QStringLiteral("Fuga"), QStringLiteral("S"),
                                           QStringLiteral("a/../../b"), QStringLiteral("avvio.sh")};
    QVERIFY(toolcatalogue::runTool(m_fakes.platform(), upward).contains(u"«a/../../b»"));
    QVERIFY(m_fakes.programStarter->calls().empty());
    QVERIFY(toolcatalogue::proposedInstallDir(QStringLiteral("..\\..\\etc")).isEmpty());
}

void TestToolInstall::firstProposalNamesTheTablesFirstToolWhateverIsSelected()
{
    select(QStringLiteral("Grande"));
    clickInstall();
    QVERIFY(dialog().isVisible());
    QCOMPARE(m_stack->activeWindow(), &dialog());
    QCOMPARE(dialog().windowTitle(), QStringLiteral("Installare Tool"));
    QCOMPARE(dialog().size(), QSize(299, 65));
    QCOMPARE(dialog().cmdOK().text(), QStringLiteral("OK"));
    QCOMPARE(dialog().txtGetDir().text(), QDir::homePath() + QStringLiteral("/primo kit"));
    dialog().close();
    waitForEnd(*m_ended);
    QVERIFY(m_fakes.messageBox->shown().empty());
}

void TestToolInstall::okWithEmptyTextKeepsTheDialogOpen()
{
    select(QStringLiteral("Primo Kit"));
    clickInstall();
    type(QString());
    clickOk();
    m_stack->settle();
    QVERIFY(dialog().isVisible());
    QCOMPARE(m_stack->activeWindow(), &dialog());
    QVERIFY(tools().strInstallDir().isEmpty());
    QCOMPARE(m_ended->count(), 0);
    type(target(QStringLiteral("uno")));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    QVERIFY(!dialog().isVisible());
    QCOMPARE(tools().strInstallDir(), target(QStringLiteral("uno")));
    waitForEnd(*m_ended);
    QCOMPARE(everything(target(QStringLiteral("uno"))).size(), 3);
}

void TestToolInstall::copiesTheThreeFilesInOrderThenSaysSo()
{
    QSignalSpy copied(&tools(), &frmTools::toolFileCopied);
    select(QStringLiteral("Primo Kit"));
    clickInstall();
    // Enter in the text box is OK, too.
    type(target(QStringLiteral("kit")));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    QTest::keyClick(&dialog().txtGetDir(), Qt::Key_Return);
    waitForEnd(*m_ended);
    QStringList order;
    for (const QList<QVariant> &signal : copied)
        order << signal.at(0).toString();
    QCOMPARE(order, (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.txt"), QStringLiteral("c.dat")}));
    QCOMPARE(everything(target(QStringLiteral("kit"))),
             (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.txt"), QStringLiteral("c.dat")}));
    for (const QString &name : order)
        QCOMPARE(contentsOf(target(QStringLiteral("kit/") + name)),
                 test::toolFileContents(QStringLiteral("primo kit"), name));
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(1));
    const platform::MessageRequest &message = m_fakes.messageBox->shown().front();
    QCOMPARE(message.text, QStringLiteral("Installare è perfecto! ") + target(QStringLiteral("kit")));
    QCOMPARE(message.title, QStringLiteral("Brivello-Tools:"));
    QCOMPARE(message.buttons, platform::MessageButtons::Ok);
    QCOMPARE(message.icon, platform::MessageIcon::None);
    // The dialog's end made the tools window active: its list was filled anew.
    QCOMPARE(m_stack->activeWindow(), &tools());
    QVERIFY(tools().lstTools().selectedItems().isEmpty());
    QCOMPARE(tools().lstTools().count(), static_cast<int>(test::testTools().size()));
}

void TestToolInstall::secondInstallProposesTheTextConfirmedBefore()
{
    const QString folder = target(QStringLiteral("due"));
    select(QStringLiteral("Primo Kit"));
    clickInstall();
    type(folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    // The user changes a copy; the second install puts the disc's back.
    QFile changed(folder + QStringLiteral("/A.txt"));
    QVERIFY(changed.open(QIODevice::WriteOnly));
    changed.write("cambiato");
    changed.close();
    select(QStringLiteral("Secondo Kit"));
    clickInstall();
    QCOMPARE(dialog().txtGetDir().text(), folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(everything(folder), (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.txt"),
                                              QStringLiteral("c.dat"), QStringLiteral("secondo.txt")}));
    QCOMPARE(contentsOf(folder + QStringLiteral("/A.txt")), QByteArray("cambiato"));
    QCOMPARE(lastMessage(), QStringLiteral("Installare è perfecto! ") + folder);
    select(QStringLiteral("Primo Kit"));
    clickInstall();
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(contentsOf(folder + QStringLiteral("/A.txt")),
             test::toolFileContents(QStringLiteral("primo kit"), QStringLiteral("A.txt")));
}

void TestToolInstall::closeButtonBeforeAnyOkCopiesNothing()
{
    select(QStringLiteral("Primo Kit"));
    clickInstall();
    type(target(QStringLiteral("mai")));
    dialog().close();
    waitForEnd(*m_ended);
    QVERIFY(!dialog().isVisible());
    QVERIFY(tools().strInstallDir().isEmpty());
    QVERIFY(m_fakes.messageBox->shown().empty());
    QVERIFY(!QFileInfo::exists(target(QStringLiteral("mai"))));
    QVERIFY(everything(m_targets.path()).isEmpty());
}

void TestToolInstall::closeButtonAfterAnOkCopiesIntoTheEarlierFolder()
{
    const QString earlier = target(QStringLiteral("prima"));
    select(QStringLiteral("Primo Kit"));
    clickInstall();
    type(earlier);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    select(QStringLiteral("Secondo Kit"));
    clickInstall();
    type(target(QStringLiteral("altrove")));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    dialog().close();
    waitForEnd(*m_ended);
    QVERIFY(everything(earlier).contains(QStringLiteral("secondo.txt")));
    QVERIFY(!QFileInfo::exists(target(QStringLiteral("altrove"))));
    QCOMPARE(lastMessage(), QStringLiteral("Installare è perfecto! ") + earlier);
    // Closed, the dialog is made anew: it names the tool being installed.
    select(QStringLiteral("Grande"));
    clickInstall();
    QCOMPARE(dialog().txtGetDir().text(), QDir::homePath() + QStringLiteral("/grande"));
    dialog().close();
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    waitForEnd(*m_ended);
    QCOMPARE(everything(earlier).size(), 4 + 300);
}

void TestToolInstall::missingTargetIsCreatedWithItsParents()
{
    const QString deep = target(QStringLiteral("a/b/c"));
    select(QStringLiteral("Secondo Kit"));
    clickInstall();
    type(deep);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(everything(deep), QStringList{QStringLiteral("secondo.txt")});
    QCOMPARE(lastMessage(), QStringLiteral("Installare è perfecto! ") + deep);
}

void TestToolInstall::threeHundredFilesWithProgress()
{
    QSignalSpy copied(&tools(), &frmTools::toolFileCopied);
    select(QStringLiteral("Grande"));
    clickInstall();
    type(target(QStringLiteral("grande")));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    QTRY_VERIFY(tools().progressDialog() != nullptr);
    QVERIFY(tools().progressDialog()->isVisible());
    QCOMPARE(tools().progressDialog()->maximum(), 300);
    waitForEnd(*m_ended);
    QCOMPARE(copied.count(), 300);
    const QStringList files = everything(target(QStringLiteral("grande")));
    QCOMPARE(files.size(), 300);
    QCOMPARE(files.first(), QStringLiteral("file000.txt"));
    QCOMPARE(files.last(), QStringLiteral("file299.txt"));
    QCOMPARE(contentsOf(target(QStringLiteral("grande/file255.txt"))),
             test::toolFileContents(QStringLiteral("grande"), QStringLiteral("file255.txt")));
    QCOMPARE(lastMessage(), QStringLiteral("Installare è perfecto! ") + target(QStringLiteral("grande")));
    QVERIFY(tools().progressDialog() == nullptr);
}

void TestToolInstall::cancellingKeepsWhatWasCopiedAndSaysSo()
{
    select(QStringLiteral("Grande"));
    clickInstall();
    type(target(QStringLiteral("interrotto")));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    connect(&tools(), &frmTools::toolFileCopied, this, [this](const QString &name) {
        if (name != QStringLiteral("file099.txt"))
            return;
        auto *cancel = tools().progressDialog()->findChild<QPushButton *>();
        QVERIFY(cancel);
        QCOMPARE(cancel->text(), QStringLiteral("Annulla"));
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(everything(target(QStringLiteral("interrotto"))).size(), 100);
    QCOMPARE(m_fakes.messageBox->shown().back().icon, platform::MessageIcon::Warning);
    QVERIFY2(lastMessage().contains(QStringLiteral("interrotta: sono stati copiati 100 file su 300")),
             qPrintable(lastMessage()));
    QVERIFY(!lastMessage().contains(QStringLiteral("perfecto")));
}

void TestToolInstall::unwritableFileNamesItAndKeepsTheOthers()
{
    // A folder in the way of b.txt: A.txt is copied, b.txt cannot be.
    const QString folder = target(QStringLiteral("occupato"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/b.txt")));
    select(QStringLiteral("Primo Kit"));
    clickInstall();
    type(folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QVERIFY2(lastMessage().startsWith(QStringLiteral("Impossibile scrivere il file ") + folder +
                                      QStringLiteral("/b.txt")),
             qPrintable(lastMessage()));
    QVERIFY(lastMessage().contains(QStringLiteral("1 file su 3")));
    // No half-written or temporary file is left behind.
    QCOMPARE(everything(folder), (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.txt")}));
    QCOMPARE(contentsOf(folder + QStringLiteral("/A.txt")),
             test::toolFileContents(QStringLiteral("primo kit"), QStringLiteral("A.txt")));
}

void TestToolInstall::unreadableFileIsNamedAndTheOthersAreCopied()
{
    test::PermissionsApply permissions;
    if (!permissions.active())
        QSKIP("file permissions cannot be made to hold for this user");
    const QString unreadable = discFolder(QStringLiteral("primo kit/b.txt"));
    QVERIFY(QFile::setPermissions(unreadable, QFileDevice::Permissions{}));
    const QString folder = target(QStringLiteral("illeggibile"));
    select(QStringLiteral("Primo Kit"));
    clickInstall();
    type(folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QVERIFY(QFile::setPermissions(unreadable, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(m_fakes.messageBox->shown().back().icon, platform::MessageIcon::Warning);
    QCOMPARE(lastMessage(),
             QStringLiteral("Impossibile leggere questo file del tool, che non è stato copiato:\nb.txt\n"
                            "Sono stati copiati 2 file su 3 in ") +
                 folder + QLatin1Char('.'));
    QCOMPARE(everything(folder), (QStringList{QStringLiteral("A.txt"), QStringLiteral("c.dat")}));
}

void TestToolInstall::readOnlyFolderIsReported()
{
    if (::geteuid() == 0)
        QSKIP("the superuser writes into read-only folders");
    const QString folder = target(QStringLiteral("solalettura"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    select(QStringLiteral("Primo Kit"));
    clickInstall();
    type(folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY2(lastMessage().startsWith(QStringLiteral("Impossibile scrivere il file ") + folder +
                                      QStringLiteral("/A.txt")),
             qPrintable(lastMessage()));
    QVERIFY(everything(folder).isEmpty());
}

void TestToolInstall::folderThatCannotBeMadeIsReported()
{
    QFile plain(target(QStringLiteral("file")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    select(QStringLiteral("Primo Kit"));
    clickInstall();
    type(target(QStringLiteral("file/sotto")));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(lastMessage(),
             QStringLiteral("Impossibile creare la cartella ") + target(QStringLiteral("file/sotto")));
}

void TestToolInstall::emptyToolFolderIsNoSuccess()
{
    select(QStringLiteral("Vuoto"));
    clickInstall();
    type(target(QStringLiteral("vuoto")));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickOk();
    waitForEnd(*m_ended);
    QCOMPARE(lastMessage(), QStringLiteral("La cartella del tool non contiene file da copiare: ") +
                                discFolder(QStringLiteral("vuoto")));
    QVERIFY(!QFileInfo::exists(target(QStringLiteral("vuoto"))));
}

void TestToolInstall::musicboxStartsFromItsFixedFolder()
{
    select(QStringLiteral("Musicbox"));
    clickInstall();
    waitForEnd(*m_ended);
    QVERIFY(!dialog().isVisible());
    const QString folder = data::discPath(QStringLiteral("\\tools\\Musicbox\\"));
    QCOMPARE(QDir(folder).canonicalPath(), QDir(discFolder(QStringLiteral("Musicbox"))).canonicalPath());
    QCOMPARE(m_fakes.currentDirectory->current(), folder);
    QCOMPARE(m_fakes.programStarter->calls().size(), std::size_t(1));
    const auto &call = m_fakes.programStarter->calls().front();
    QCOMPARE(QFileInfo(call.program).canonicalFilePath(),
             QFileInfo(discFolder(QStringLiteral("Musicbox/musicbox.sh"))).canonicalFilePath());
    QVERIFY(call.arguments.isEmpty());
    QCOMPARE(call.workingDirectory, folder);
    QVERIFY(m_fakes.messageBox->shown().empty());
}

void TestToolInstall::runInstallStartsFromTheProgramFolder()
{
    select(QStringLiteral("Musicbox"));
    clickInstall();
    waitForEnd(*m_ended);
    // The navigation bar puts the program folder back; a run install does, too.
    select(QStringLiteral("Avvio"));
    clickInstall();
    waitForEnd(*m_ended);
    QCOMPARE(m_fakes.currentDirectory->current(), data::programFolder());
    QCOMPARE(m_fakes.programStarter->calls().size(), std::size_t(2));
    const auto &call = m_fakes.programStarter->calls().back();
    QCOMPARE(call.program, QFileInfo(discFolder(QStringLiteral("avvio/avvio.sh"))).absoluteFilePath());
    QVERIFY(call.arguments.isEmpty());
    QCOMPARE(call.workingDirectory, data::programFolder());
    select(QStringLiteral("D'Artagnan"));
    clickInstall();
    waitForEnd(*m_ended);
    QCOMPARE(m_fakes.programStarter->calls().back().program,
             QFileInfo(discFolder(QStringLiteral("artagnan/dart.sh"))).absoluteFilePath());
}

void TestToolInstall::lowerCaseKIsARunInstall()
{
    select(QStringLiteral("Minuscolo"));
    clickInstall();
    waitForEnd(*m_ended);
    QVERIFY(!dialog().isVisible());
    QCOMPARE(m_stack->activeWindow(), &tools());
    QCOMPARE(m_fakes.programStarter->calls().size(), std::size_t(1));
    QCOMPARE(m_fakes.programStarter->calls().front().program,
             QFileInfo(discFolder(QStringLiteral("minuscolo/min.sh"))).absoluteFilePath());
    QVERIFY(tools().strInstallDir().isEmpty());
}

void TestToolInstall::programThatCannotStartIsReported()
{
    select(QStringLiteral("Mancante"));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickInstall();
    waitForEnd(*m_ended);
    QVERIFY(m_fakes.programStarter->calls().empty());
    QCOMPARE(lastMessage(),
             QStringLiteral("Impossibile avviare il programma ") +
                 QDir::toNativeSeparators(data::discPath(QStringLiteral("\\tools\\mancante\\nonc.sh"))));
    // The system refuses a program that is there.
    select(QStringLiteral("Avvio"));
    m_fakes.programStarter->queueAnswer(false);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickInstall();
    waitForEnd(*m_ended);
    QVERIFY(lastMessage().startsWith(QStringLiteral("Impossibile avviare il programma ")));
    QVERIFY(lastMessage().endsWith(QStringLiteral("avvio.sh")));
}

void TestToolInstall::installWithNoSelectionSaysSo()
{
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    clickInstall();
    waitForEnd(*m_ended);
    QCOMPARE(lastMessage(), QStringLiteral("Scegliere prima un tool dalla lista."));
    QVERIFY(!dialog().isVisible());
    QVERIFY(m_fakes.programStarter->calls().empty());
}

void TestToolInstall::listFollowsTheFileListsRules()
{
    const QString folder = discFolder(QStringLiteral("primo kit"));
    QCOMPARE(toolcatalogue::listToolFiles(folder),
             (QStringList{QStringLiteral("A.txt"), QStringLiteral("b.txt"), QStringLiteral("c.dat")}));
    // A read-only file is listed and copied like the others.
    QTemporaryDir source;
    QFile readOnly(source.filePath(QStringLiteral("sola.txt")));
    QVERIFY(readOnly.open(QIODevice::WriteOnly));
    readOnly.write("sola lettura");
    readOnly.close();
    QVERIFY(readOnly.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    QCOMPARE(toolcatalogue::listToolFiles(source.path()), QStringList{QStringLiteral("sola.txt")});
    QString error;
    QVERIFY2(toolcatalogue::copyFileSafely(readOnly.fileName(), target(QStringLiteral("sola.txt")), &error) ==
                 toolcatalogue::CopyFailure::None,
             qPrintable(error));
    QCOMPARE(contentsOf(target(QStringLiteral("sola.txt"))), QByteArray("sola lettura"));
    QCOMPARE(toolcatalogue::copyFileSafely(source.filePath(QStringLiteral("assente.txt")),
                                           target(QStringLiteral("x.txt")), &error),
             toolcatalogue::CopyFailure::Read);
    QCOMPARE(error,
             QStringLiteral("Impossibile leggere il file ") + source.filePath(QStringLiteral("assente.txt")));
    QVERIFY(!QFileInfo::exists(target(QStringLiteral("x.txt"))));
}

void TestToolInstall::sampleDiscToolsRunAndCopy()
{
    // The real programs of the sample disc, started by the system.
    const QString sampleDisc = qEnvironmentVariable("BRIVELLO_TEST_DISC");
    if (!QFileInfo::exists(sampleDisc + QStringLiteral("/datafiles/ringtones.dat")))
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
    pick(QStringLiteral("Musicbox"));
    QTest::mouseClick(&sample.pctInstall(), Qt::LeftButton);
    waitForEnd(ended);
    QCOMPARE(QDir::currentPath(), QDir(sampleDisc + QStringLiteral("/tools/Musicbox")).canonicalPath());
    pick(QStringLiteral("Compositore Suonerie"));
    QTest::mouseClick(&sample.pctInstall(), Qt::LeftButton);
    waitForEnd(ended);
    QCOMPARE(QDir::currentPath(), QDir(sampleDisc).canonicalPath());
    QVERIFY(m_fakes.messageBox->shown().empty());
    pick(QStringLiteral("Manuale GSM"));
    QTest::mouseClick(&sample.pctInstall(), Qt::LeftButton);
    windows.install().txtGetDir().setText(target(QStringLiteral("manuale")));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    QTest::mouseClick(&windows.install().cmdOK(), Qt::LeftButton);
    waitForEnd(ended);
    QCOMPARE(everything(target(QStringLiteral("manuale"))),
             toolcatalogue::listToolFiles(sampleDisc + QStringLiteral("/tools/manuale gsm")));
    QCOMPARE(everything(target(QStringLiteral("manuale"))).size(), 4);
    QCOMPARE(lastMessage(), QStringLiteral("Installare è perfecto! ") + target(QStringLiteral("manuale")));
}

QTEST_MAIN(TestToolInstall)
#include "test_toolinstall.moc"
