// Selecting a logo in the gallery and exporting it as a bitmap file, as the
// user does it: a click on a box, a click on the export button, a name in the
// save dialog; then what the file holds.

#include "tests/logos/test_frmlogo_fixture.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>

#include <stdexcept>

using namespace Qt::StringLiterals;

using namespace brivello;
using logos::Category;

namespace {

// Answers like the recording fake and notes the export button's look while
// it is open.
class WatchingSaveDialog final : public platform::SaveFileDialog
{
public:
    QString ask(const platform::SaveFileRequest &request) override
    {
        m_requests.push_back(request);
        if (m_watch)
            m_looks << m_watch();
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    }
    std::vector<platform::SaveFileRequest> m_requests;
    QStringList m_answers;
    std::function<bool()> m_watch;
    QList<bool> m_looks;
};

} // namespace

class TestFrmLogoExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void boxOnSecondPageSelectsItsLogo();
    void lastBoxOfTestiSelectsTheLastLogo();
    void borderMovesToTheClickedBox();
    void exportWritesATwoColourBitmapOfTheLogo();
    void dialogAsksForABitmapFromTheHomeFolder();
    void buttonLooksPressedWhileTheDialogIsOpen();
    void cancelWritesNothing();
    void exportBeforeASelectionOpensNoDialog();
    void twoExportsWriteTheSameLogoTwice();
    void pageStepClearsTheSelection();
    void categoryChangeClearsTheSelection();
    void unwritableFileIsToldInItalian();
    void internalErrorShowsTheOldMessage();

private:
    logos::frmLogo &gallery() { return m_fixture.gallery(); }
    // Clicks the export button with `path` as the dialog's answer.
    void exportTo(const QString &path);
    // The file holds logo `number` of the category, pixel for pixel.
    void checkFileHolds(const QString &path, Category category, int number);
    QStringList writtenFiles() const;

    test::GalleryFixture m_fixture;
    std::shared_ptr<WatchingSaveDialog> m_dialog;
    std::unique_ptr<QTemporaryDir> m_out;
};

void TestFrmLogoExport::initTestCase()
{
    QString error;
    QVERIFY2(m_fixture.writeDisc(&error), qPrintable(error));
}

void TestFrmLogoExport::init()
{
    m_dialog = std::make_shared<WatchingSaveDialog>();
    m_fixture.start(m_dialog);
    m_out = std::make_unique<QTemporaryDir>();
}

void TestFrmLogoExport::cleanup()
{
    QVERIFY2(m_dialog->m_answers.isEmpty(), "a queued file name was never asked for");
    m_fixture.stop();
}

void TestFrmLogoExport::exportTo(const QString &path)
{
    m_dialog->m_answers << path;
    m_fixture.exportLogo();
}

QStringList TestFrmLogoExport::writtenFiles() const
{
    return QDir(m_out->path()).entryList(QDir::Files | QDir::Hidden);
}

void TestFrmLogoExport::checkFileHolds(const QString &path, Category category, int number)
{
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage read = reader.read();
    QVERIFY2(!read.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(read.size(), QSize(72, 14));
    QCOMPARE(read.convertToFormat(QImage::Format_RGB32),
             logos::logoImage(category, number).convertToFormat(QImage::Format_RGB32));
}

void TestFrmLogoExport::boxOnSecondPageSelectsItsLogo()
{
    m_fixture.next();
    m_fixture.clickBox(5);
    QCOMPARE(gallery().state().bytLogo, 30);
    QCOMPARE(m_fixture.borderedBoxes(), QList<int>{5});
    const QString path = m_out->filePath(u"persone30.bmp"_s);
    exportTo(path);
    checkFileHolds(path, Category::Persone, 30);
}

void TestFrmLogoExport::lastBoxOfTestiSelectsTheLastLogo()
{
    m_fixture.pick(u"Testi"_s);
    m_fixture.next();
    m_fixture.next();
    m_fixture.clickBox(18);
    QCOMPARE(gallery().state().bytLogo, 67);
    const QString path = m_out->filePath(u"testi.bmp"_s);
    exportTo(path);
    checkFileHolds(path, Category::Testi, 67);
}

void TestFrmLogoExport::borderMovesToTheClickedBox()
{
    QVERIFY(m_fixture.borderedBoxes().isEmpty());
    m_fixture.clickBox(3);
    QCOMPARE(m_fixture.borderedBoxes(), QList<int>{3});
    m_fixture.clickBox(9);
    QCOMPARE(m_fixture.borderedBoxes(), QList<int>{9});
    const QWidget &mark = gallery().selectionMark();
    QVERIFY(mark.isVisible());
    QCOMPARE(mark.geometry(), gallery().pctLogo1(9).geometry().adjusted(-3, -3, 3, 3));
    m_fixture.clickBox(9);
    QCOMPARE(m_fixture.borderedBoxes(), QList<int>{9});
    QCOMPARE(gallery().state().bytVak, 9);
    QCOMPARE(gallery().state().bytLogo, 10);
}

void TestFrmLogoExport::exportWritesATwoColourBitmapOfTheLogo()
{
    m_fixture.pick(u"Animali"_s);
    for (int step = 0; step < 7; ++step)
        m_fixture.next();
    m_fixture.clickBox(0);
    const QString path = m_out->filePath(u"ultimo"_s);
    exportTo(path);
    // The name is used as the dialog returns it, without an extension added.
    QCOMPARE(writtenFiles(), QStringList{u"ultimo"_s});
    checkFileHolds(path, Category::Animali, 169);
    QVERIFY(m_fixture.fakes().messageBox->shown().empty());
    QVERIFY(m_fixture.showsPicture(gallery().pctExporteren(), 23));

    const QString identify = QStandardPaths::findExecutable(u"identify"_s);
    if (identify.isEmpty())
        QSKIP("ImageMagick's identify is not installed");
    QProcess process;
    process.start(identify, {u"-format"_s, u"%m %wx%h %k %z"_s, path});
    QVERIFY(process.waitForFinished());
    QCOMPARE(QString::fromLatin1(process.readAllStandardOutput()).trimmed(), u"BMP3 72x14 2 1"_s);
}

void TestFrmLogoExport::dialogAsksForABitmapFromTheHomeFolder()
{
    m_fixture.clickBox(0);
    exportTo(m_out->filePath(u"a.bmp"_s));
    QCOMPARE(m_dialog->m_requests.size(), std::size_t(1));
    const platform::SaveFileRequest &request = m_dialog->m_requests.front();
    QCOMPARE(request.title, u"Indicare il nome del documento:"_s);
    QCOMPARE(request.startFolder, QDir::homePath());
    QCOMPARE(request.filter, u"Bitmap Picture (*.bmp)"_s);
    QVERIFY(request.defaultExtension.isEmpty());
}

void TestFrmLogoExport::buttonLooksPressedWhileTheDialogIsOpen()
{
    m_dialog->m_watch = [this] { return m_fixture.showsPicture(gallery().pctExporteren(), 24); };
    m_fixture.clickBox(1);
    exportTo(m_out->filePath(u"b.bmp"_s));
    QCOMPARE(m_dialog->m_looks, QList<bool>{true});
    QVERIFY(m_fixture.showsPicture(gallery().pctExporteren(), 23));
}

void TestFrmLogoExport::cancelWritesNothing()
{
    m_dialog->m_watch = [this] { return m_fixture.showsPicture(gallery().pctExporteren(), 24); };
    m_fixture.clickBox(2);
    exportTo(QString());
    QCOMPARE(m_dialog->m_looks, QList<bool>{true});
    QVERIFY(m_fixture.showsPicture(gallery().pctExporteren(), 23));
    QVERIFY(writtenFiles().isEmpty());
    QVERIFY(m_fixture.fakes().messageBox->shown().empty());
    QCOMPARE(gallery().state().bytLogo, 3);
}

void TestFrmLogoExport::exportBeforeASelectionOpensNoDialog()
{
    m_fixture.exportLogo();
    QVERIFY(m_dialog->m_requests.empty());
    QVERIFY(m_fixture.showsPicture(gallery().pctExporteren(), 23));
    QVERIFY(m_fixture.fakes().messageBox->shown().empty());
    QVERIFY(writtenFiles().isEmpty());
}

void TestFrmLogoExport::twoExportsWriteTheSameLogoTwice()
{
    m_fixture.pick(u"Amore"_s);
    m_fixture.clickBox(16);
    const QString first = m_out->filePath(u"uno.bmp"_s);
    const QString second = m_out->filePath(u"due.bmp"_s);
    exportTo(first);
    exportTo(second);
    QCOMPARE(m_dialog->m_requests.size(), std::size_t(2));
    checkFileHolds(first, Category::Amore, 17);
    checkFileHolds(second, Category::Amore, 17);
    QFile one(first);
    QFile two(second);
    QVERIFY(one.open(QIODevice::ReadOnly) && two.open(QIODevice::ReadOnly));
    QCOMPARE(one.readAll(), two.readAll());
}

void TestFrmLogoExport::pageStepClearsTheSelection()
{
    m_fixture.clickBox(7);
    m_fixture.next();
    QVERIFY(m_fixture.borderedBoxes().isEmpty());
    QVERIFY(!gallery().selectionMark().isVisible());
    m_fixture.exportLogo();
    QVERIFY(m_dialog->m_requests.empty());

    // Selected again on the new page, the export writes what the user sees.
    m_fixture.clickBox(7);
    const QString path = m_out->filePath(u"pagina2.bmp"_s);
    exportTo(path);
    checkFileHolds(path, Category::Persone, 32);
    m_fixture.previous();
    QVERIFY(m_fixture.borderedBoxes().isEmpty());
    QCOMPARE(gallery().state().bytLogo, 0);
}

void TestFrmLogoExport::categoryChangeClearsTheSelection()
{
    m_fixture.clickBox(4);
    m_fixture.pick(u"Persone"_s);
    QCOMPARE(m_fixture.borderedBoxes(), QList<int>{4});
    m_fixture.pick(u"Viaggi & Vacanze"_s);
    QVERIFY(m_fixture.borderedBoxes().isEmpty());
    m_fixture.exportLogo();
    QVERIFY(m_dialog->m_requests.empty());
}

void TestFrmLogoExport::unwritableFileIsToldInItalian()
{
    m_fixture.clickBox(0);
    const QString path = m_out->filePath(u"manca/logo.bmp"_s);
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    exportTo(path);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    const platform::MessageRequest &message = m_fixture.fakes().messageBox->shown().front();
    QCOMPARE(message.title, u"Brivello"_s);
    QVERIFY2(message.text.startsWith(u"Il logo non è stato esportato"_s), qPrintable(message.text));
    QVERIFY(message.text.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(gallery().state().bytLogo, 1);
    QCOMPARE(m_fixture.borderedBoxes(), QList<int>{0});
}

void TestFrmLogoExport::internalErrorShowsTheOldMessage()
{
    gallery().setBitmapWriter(
        [](const QString &, const QImage &, QString *) -> bool { throw std::runtime_error("no memory"); });
    m_fixture.clickBox(6);
    m_fixture.fakes().messageBox->queueAnswer(platform::MessageAnswer::Ok);
    exportTo(m_out->filePath(u"c.bmp"_s));
    QCOMPARE(m_fixture.fakes().messageBox->shown().size(), std::size_t(1));
    const platform::MessageRequest &message = m_fixture.fakes().messageBox->shown().front();
    QCOMPARE(message.text, u"Datei nicht gefunden"_s);
    QCOMPARE(message.title, u"Brivello"_s);
    QCOMPARE(message.buttons, platform::MessageButtons::Ok);
    QVERIFY(writtenFiles().isEmpty());
    QCOMPARE(gallery().state().bytLogo, 7);
    QCOMPARE(gallery().state().bytVak, 6);
}

QTEST_MAIN(TestFrmLogoExport)
#include "test_frmlogo_export.moc"
