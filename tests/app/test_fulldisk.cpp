// Every file the program writes for the user, on a disk that fills up while
// it writes: a real full filesystem where the test can mount one, and a file
// size limit (which makes real writes fail the same way) everywhere. The old
// file stays, the user is told, and nothing is reported as done.
#include "app/WindowSet.h"
#include "data/DiscPaths.h"
#include "logos/frmLogo.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/RingtoneSearch.h"
#include "ringtones/RingtoneTransfer.h"
#include "ringtones/frmRing.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/HostileFiles.h"
#include "tests/support/TestDisc.h"
#include "toolcatalogue/frmInstall.h"
#include "toolcatalogue/frmTools.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/WindowStack.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

using namespace brivello;
using platform::MessageAnswer;

namespace {

enum class Disk { SizeLimit, FullFilesystem };

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

bool plant(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList everything(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

const QByteArray oldFile = "the user's old file\r\n";

} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void savingARingtoneText_data() { disks(); }
    void savingARingtoneText();
    void writingTheScratchFile_data() { disks(); }
    void writingTheScratchFile();
    void exportingALogo_data() { disks(); }
    void exportingALogo();
    void installingOverExistingFiles_data() { disks(); }
    void installingOverExistingFiles();

private:
    static void disks();
    // Makes `folder` the full disk of this test row, or skips the row.
    bool prepareDisk(const QString &folder, int kilobytes);
    // From now on, writes fail for want of space.
    void diskIsFull();
    void diskIsFree() { m_limit.reset(); }
    QString expectedReason() const;
    void openWindows(const QString &discFolder);
    ringtones::frmRing &ring() { return m_windows->ring(); }
    void searchAndSelect(const QString &title);
    QString lastMessage() const { return m_fakes.messageBox->shown().back().text; }

    Disk m_disk = Disk::SizeLimit;
    std::unique_ptr<QTemporaryDir> m_disc;
    std::unique_ptr<QTemporaryDir> m_target;
    std::unique_ptr<test::SmallFilesystem> m_filesystem;
    std::unique_ptr<test::FileSizeLimit> m_limit;
    test::FakePlatform m_fakes;
    std::unique_ptr<ui::WindowStack> m_stack;
    std::unique_ptr<ui::ButtonImages> m_images;
    std::unique_ptr<app::WindowSet> m_windows;
};

void TestFullDisk::disks()
{
    QTest::addColumn<Disk>("disk");
    QTest::newRow("file size limit") << Disk::SizeLimit;
    QTest::newRow("full filesystem") << Disk::FullFilesystem;
}

void TestFullDisk::init()
{
    m_disc = std::make_unique<QTemporaryDir>();
    m_target = std::make_unique<QTemporaryDir>();
    QVERIFY(m_disc->isValid() && m_target->isValid());
    m_images = std::make_unique<ui::ButtonImages>();
}

void TestFullDisk::cleanup()
{
    m_limit.reset();
    m_windows.reset();
    m_stack.reset();
    m_fakes.checkUnused();
    m_filesystem.reset();
    data::setProgramFolder(QString());
}

bool TestFullDisk::prepareDisk(const QString &folder, int kilobytes)
{
    QFETCH(Disk, disk);
    m_disk = disk;
    if (disk == Disk::SizeLimit)
        return true;
    m_filesystem = std::make_unique<test::SmallFilesystem>(folder, kilobytes);
    return m_filesystem->mounted();
}

void TestFullDisk::diskIsFull()
{
    if (m_disk == Disk::SizeLimit) {
        m_limit = std::make_unique<test::FileSizeLimit>(8);
        QVERIFY(m_limit->active());
    } else {
        QVERIFY(m_filesystem->fill());
    }
}

QString TestFullDisk::expectedReason() const
{
    return m_disk == Disk::SizeLimit ? u"il file supera la grandezza consentita"_s
                                     : u"lo spazio sul disco è esaurito"_s;
}

void TestFullDisk::openWindows(const QString &discFolder)
{
    test::TestCatalogue catalogue;
    catalogue.ringtones = test::sampleRingtones();
    QString error;
    QVERIFY2(test::writeTestDisc(discFolder, catalogue, &error), qPrintable(error));
    // The one tool of the test catalogue, a copy install of two files.
    QVERIFY(QDir(discFolder).mkpath(u"tools/LogoEditor"_s));
    QVERIFY(plant(discFolder + u"/tools/LogoEditor/editor.exe"_s, QByteArray(3000, 'e')));
    QVERIFY(plant(discFolder + u"/tools/LogoEditor/leggimi.txt"_s, "Logo Editor\r\n"));
    data::setProgramFolder(discFolder);
    m_fakes = test::FakePlatform();
    m_stack = std::make_unique<ui::WindowStack>();
    m_windows = std::make_unique<app::WindowSet>(m_fakes.platform(), *m_stack, *m_images);
    m_windows->install();
    m_stack->showModal(ring());
}

void TestFullDisk::searchAndSelect(const QString &title)
{
    QComboBox &methods = ring().dbcSearch();
    methods.setCurrentIndex(methods.findText(u"Titolo"_s));
    ring().txtSearch().setText(title);
    QTest::mouseClick(&ring().pctZoek(), Qt::LeftButton);
    QTRY_VERIFY(!ring().search().isWaiting());
    QTreeView &list = ring().lstMain();
    const QRect cell = list.visualRect(ring().listModel().index(0, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(ring().blnSongSelected());
}

// Mended fault: on a full disk the saved ringtone text replaced the old file
// with an empty one, and nothing was said.
void TestFullDisk::savingARingtoneText()
{
    if (!prepareDisk(m_target->path(), 64))
        QSKIP(qPrintable(u"no small filesystem: "_s + m_filesystem->whyNot()));
    openWindows(m_disc->path());
    const QString path = m_target->filePath(u"suoneria.txt"_s);
    QVERIFY(plant(path, oldFile));
    searchAndSelect(u"tema"_s);
    m_fakes.saveFileDialog->queueAnswer(path);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    diskIsFull();
    QTreeView &list = ring().lstMain();
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {},
                       list.visualRect(ring().listModel().index(0, 0)).center());
    diskIsFree();
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(1));
    QVERIFY2(lastMessage().contains(u"Impossibile salvare"_s) && lastMessage().contains(expectedReason()),
             qPrintable(lastMessage()));
    QCOMPARE(contents(path), oldFile);
    QCOMPARE(everything(m_target->path()).filter(u"suoneria"_s), QStringList{u"suoneria.txt"_s});
}

// Mended fault: a scratch file cut short by a full disk went to the SMS tool
// as if it were whole.
void TestFullDisk::writingTheScratchFile()
{
    // The program folder is the full disk here: it holds the scratch file.
    if (!prepareDisk(m_disc->path(), 512))
        QSKIP(qPrintable(u"no small filesystem: "_s + m_filesystem->whyNot()));
    openWindows(m_disc->path());
    const QString scratch = ringtones::RingtoneTransfer::scratchPath();
    QVERIFY(plant(scratch, oldFile));
    searchAndSelect(u"rose"_s);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    diskIsFull();
    QTest::mouseClick(&ring().pctSend(), Qt::LeftButton);
    diskIsFree();
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(1));
    QVERIFY2(lastMessage().contains(u"Impossibile preparare l'invio"_s) &&
                 lastMessage().contains(expectedReason()),
             qPrintable(lastMessage()));
    // Neither the number is asked for nor the tool started.
    QVERIFY(m_fakes.inputBox->calls().empty());
    QVERIFY(m_fakes.programStarter->calls().empty());
    QCOMPARE(contents(scratch), oldFile);
}

// Mended fault: an exported logo replaced the old file with an empty one.
void TestFullDisk::exportingALogo()
{
    if (!prepareDisk(m_target->path(), 64))
        QSKIP(qPrintable(u"no small filesystem: "_s + m_filesystem->whyNot()));
    openWindows(m_disc->path());
    const QString path = m_target->filePath(u"logo.bmp"_s);
    QVERIFY(plant(path, oldFile));
    logos::frmLogo &gallery = m_windows->logo();
    m_stack->showModal(gallery);
    m_stack->settle();
    QTest::mouseClick(&gallery.pctLogo1(0), Qt::LeftButton);
    m_fakes.saveFileDialog->queueAnswer(path);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    diskIsFull();
    QTest::mouseClick(&gallery.pctExporteren(), Qt::LeftButton);
    diskIsFree();
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(1));
    QVERIFY2(lastMessage().contains(u"Il logo non è stato esportato"_s) &&
                 lastMessage().contains(expectedReason()),
             qPrintable(lastMessage()));
    QCOMPARE(contents(path), oldFile);
    QCOMPARE(everything(m_target->path()).filter(u"logo"_s), QStringList{u"logo.bmp"_s});
}

// Mended fault: installing over existing files on a full disk replaced them
// with empty files and said "Installare è perfecto!".
void TestFullDisk::installingOverExistingFiles()
{
    if (!prepareDisk(m_target->path(), 64))
        QSKIP(qPrintable(u"no small filesystem: "_s + m_filesystem->whyNot()));
    openWindows(m_disc->path());
    const QString folder = m_target->filePath(u"LogoEditor"_s);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(plant(folder + u"/editor.exe"_s, oldFile));
    QVERIFY(plant(folder + u"/leggimi.txt"_s, oldFile));
    toolcatalogue::frmTools &tools = m_windows->tools();
    m_stack->showModal(tools);
    m_stack->settle();
    QListWidget &list = tools.lstTools();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(0)).center());
    QSignalSpy ended(&tools, &toolcatalogue::frmTools::installEnded);
    QTest::mouseClick(&tools.pctInstall(), Qt::LeftButton);
    toolcatalogue::frmInstall &dialog = m_windows->install();
    dialog.txtGetDir().setText(folder);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    diskIsFull();
    QTest::mouseClick(&dialog.cmdOK(), Qt::LeftButton);
    QTRY_COMPARE(ended.count(), 1);
    diskIsFree();
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(1));
    QVERIFY2(!lastMessage().contains(u"Installare è perfecto!"_s) &&
                 lastMessage().contains(u"Impossibile scrivere il file"_s) &&
                 lastMessage().contains(expectedReason()),
             qPrintable(lastMessage()));
    QCOMPARE(contents(folder + u"/editor.exe"_s), oldFile);
    QCOMPARE(contents(folder + u"/leggimi.txt"_s), oldFile);
    QCOMPARE(everything(folder), (QStringList{u"editor.exe"_s, u"leggimi.txt"_s}));
}

QTEST_MAIN(TestFullDisk)
#include "test_fulldisk.moc"
