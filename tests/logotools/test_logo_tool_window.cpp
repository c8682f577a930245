// The editor window of the three logo tools, driven as a user drives it:
// clicks and drags on the canvas, keys, the gallery, opening and reducing
// pictures, saving in each format through the dialogs, the network picker,
// the phone screen beside the drawing, leaving with unsaved work, the help
// text, and the plug for a send step.

#include "logos/pictures/LogoCatalogue.h"
#include "logos/pictures/LogoRenderer.h"
#include "logos/pictures/MonochromeBmp.h"
#include "tests/logotools/LogoToolsTestSupport.h"
#include "tests/support/FakePlatform.h"
#include "tools/logotools/editor/GalleryPicker.h"
#include "tools/logotools/editor/LogoToolWindow.h"
#include "tools/logotools/editor/OperatorPicker.h"
#include "tools/logotools/editor/PhoneScreenView.h"
#include "tools/logotools/editor/PixelCanvas.h"
#include "tools/logotools/editor/ReduceDialog.h"
#include "tools/logotools/picture/MonoPicture.h"
#include "tools/logotools/picture/PhoneScreen.h"
#include "tools/logotools/picture/PictureFiles.h"
#include "tools/logotools/picture/PixelEdits.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;

using namespace brivello;
using namespace brivello::logotools;
using platform::MessageAnswer;
using test::fileContents;
using test::inkCount;

namespace {

// Records every document it is handed; takes operator logos only.
class RecordingSendStep final : public SendStep
{
public:
    QString buttonText() const override { return u"Invia come SMS..."_s; }
    bool takes(LogoKind kind) const override { return kind == LogoKind::OperatorLogo; }
    void start(const LogoDocument &document, QWidget *window) override
    {
        documents.append(document);
        windows.append(window);
    }
    QList<LogoDocument> documents;
    QList<QWidget *> windows;
};

PixelBitmap galleryLogo(logos::Category category, int number)
{
    return toBitmap(logos::logoImage(category, number));
}

} // namespace

class TestLogoToolWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void eachFaceShowsItsOwnControls();
    void mouseDrawsOnTheCanvasAndThePhoneShowsIt();
    void keyboardAloneDrawsWritesAndStamps();
    void galleryLogoIsPickedByKeyboardAndTouchedUp();
    void galleryExportOpensAsItIs();
    void photoIsReducedWithTheChosenThresholdAndDithering();
    void cancellingTheReductionKeepsTheDrawing();
    void operatorLogoFileBringsItsNetwork();
    void pictureFileSwitchesTheEditorToItsSize();
    void unreadableFileIsTold();
    void savesEachFormatThroughTheDialog();
    void operatorLogoAsksForTheNetworkBeforeItIsSaved();
    void typedExtensionChoosesTheFormat();
    void failedSaveIsToldAndKeepsTheWorkUnsaved();
    void leavingWithUnsavedWorkAsks();
    void pictureMessageTextShowsOnThePhone();
    void undoBringsBackTheKindOfItsSize();
    void zoomAndHelp();
    void sendStepGetsTheDocument();

private:
    void makeWindow(FaceId face, std::vector<std::shared_ptr<SendStep>> steps = {});
    LogoToolWindow &window() { return *m_window; }
    void clickPixel(QPoint pixel, Qt::MouseButton button = Qt::LeftButton);
    void dragPixels(QPoint from, QPoint to);
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QString path(const QString &name) const { return m_folder.filePath(name); }
    void chooseFormat(PictureFormat format);
    QString lastMessage() const { return m_fakes.messageBox->shown().back().text; }
    void writeFile(const QString &path, const QByteArray &bytes);

    QTemporaryDir m_folder;
    test::FakePlatform m_fakes;
    std::shared_ptr<test::FakeOpenFileDialog> m_open;
    std::unique_ptr<LogoToolWindow> m_window;
};

void TestLogoToolWindow::init()
{
    m_fakes = test::FakePlatform();
    m_open = std::make_shared<test::FakeOpenFileDialog>();
    makeWindow(FaceId::LogoEditor);
}

void TestLogoToolWindow::cleanup()
{
    m_window.reset();
    m_fakes.checkUnused();
    const QStringList problems = m_open->problems();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
}

void TestLogoToolWindow::makeWindow(FaceId face, std::vector<std::shared_ptr<SendStep>> steps)
{
    m_window.reset();
    LogoToolServices services;
    services.saveFileDialog = m_fakes.saveFileDialog;
    services.openFileDialog = m_open;
    services.messageBox = m_fakes.messageBox;
    services.sendSteps = std::move(steps);
    services.helpFile = path(u"leggimi.txt"_s);
    services.startFolder = m_folder.path();
    m_window = std::make_unique<LogoToolWindow>(toolFace(face), services);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestLogoToolWindow::clickPixel(QPoint pixel, Qt::MouseButton button)
{
    QTest::mouseClick(&window().canvas(), button, {}, window().canvas().pixelRect(pixel).center());
}

void TestLogoToolWindow::dragPixels(QPoint from, QPoint to)
{
    PixelCanvas &canvas = window().canvas();
    QTest::mousePress(&canvas, Qt::LeftButton, {}, canvas.pixelRect(from).center());
    QTest::mouseMove(&canvas, canvas.pixelRect(to).center());
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, canvas.pixelRect(to).center());
}

void TestLogoToolWindow::key(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : m_window.get(), Qt::Key(key), modifiers);
}

void TestLogoToolWindow::chooseFormat(PictureFormat format)
{
    QComboBox &box = window().formatBox();
    const int index = box.findData(int(format));
    QVERIFY(index >= 0);
    box.setCurrentIndex(index);
}

void TestLogoToolWindow::writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestLogoToolWindow::eachFaceShowsItsOwnControls()
{
    QCOMPARE(window().windowTitle(), u"senza nome[*] - Editor Loghi"_s);
    QVERIFY(window().kindBox());
    QCOMPARE(window().kindBox()->count(), 2);
    QVERIFY(window().networkButton().isVisible());
    QVERIFY(!window().messageTextBox().isVisible());
    QCOMPARE(window().formatBox().count(), 6);
    QCOMPARE(window().formatBox().currentText(), u"Logo operatore Nokia (.nol)"_s);
    QVERIFY(window().sendButtons().isEmpty());
    QCOMPARE(window().editor().size(), LogoSize);

    makeWindow(FaceId::GroupGraphic);
    QCOMPARE(window().windowTitle(), u"senza nome[*] - Logo Gruppo"_s);
    QVERIFY(!window().kindBox());
    QVERIFY(!window().networkButton().isVisible());
    QVERIFY(!window().messageTextBox().isVisible());
    QCOMPARE(window().formatBox().count(), 5);
    QCOMPARE(window().formatBox().currentText(), u"Logo di gruppo Nokia (.ngg)"_s);
    QCOMPARE(window().editor().size(), LogoSize);

    makeWindow(FaceId::PictureMessage);
    QCOMPARE(window().windowTitle(), u"senza nome[*] - Messaggi Illustrati"_s);
    QVERIFY(!window().networkButton().isVisible());
    QVERIFY(window().messageTextBox().isVisible());
    QCOMPARE(window().formatBox().count(), 4);
    QCOMPARE(window().editor().size(), PictureSize);

    QCOMPARE(faceForProgram(u"/disc/tools/logo gruppo/GRPLOGO.EXE"_s).id, FaceId::GroupGraphic);
    QCOMPARE(faceForProgram(u"picmsg.exe"_s).id, FaceId::PictureMessage);
    QCOMPARE(faceForProgram(u"/build/brivello-logotools"_s).id, FaceId::LogoEditor);
}

void TestLogoToolWindow::mouseDrawsOnTheCanvasAndThePhoneShowsIt()
{
    clickPixel({3, 4});
    QVERIFY(window().editor().picture().isInk(3, 4));
    QCOMPARE(window().phoneScreen().screen(),
             phoneScreen(LogoKind::OperatorLogo, window().editor().picture()));
    QVERIFY(window().phoneScreen().screen().isInk(6 + 3, 10 + 4));
    QCOMPARE(window().actualSizeScreen().screen(), window().phoneScreen().screen());
    QVERIFY(window().isWindowModified());
    QVERIFY(window().command(LogoToolWindow::Command::Undo).isEnabled());

    window().toolAction(Tool::Line).trigger();
    dragPixels({0, 0}, {9, 0});
    QCOMPARE(inkCount(window().editor().picture()), 1 + 10);
    // The second button draws paper.
    window().toolAction(Tool::Pencil).trigger();
    clickPixel({5, 0}, Qt::RightButton);
    QVERIFY(!window().editor().picture().isInk(5, 0));

    window().toolAction(Tool::Rectangle).trigger();
    dragPixels({20, 2}, {30, 10});
    window().toolAction(Tool::Fill).trigger();
    clickPixel({25, 5});
    QCOMPARE(inkCount(window().editor().picture()), 10 + 11 * 9);
}

void TestLogoToolWindow::keyboardAloneDrawsWritesAndStamps()
{
    QCOMPARE(QApplication::focusWidget(), &window().canvas());
    // Pencil: arrows and Space; Shift+arrows draw along.
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    key(Qt::Key_Space);
    QVERIFY(window().editor().picture().isInk(1, 1));
    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(inkCount(window().editor().picture()), 3);

    // T: the text tool, the focus in its empty text box; Enter prints at the cursor.
    key(Qt::Key_T);
    QCOMPARE(window().editor().tool(), Tool::Text);
    QCOMPARE(QApplication::focusWidget(), &window().textBox());
    QTest::keyClicks(&window().textBox(), u"CIAO"_s);
    window().fontBox().setCurrentIndex(window().fontBox().findData(int(logos::FontFace::Small)));
    const PixelBitmap before = window().editor().picture();
    key(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), &window().canvas());
    PixelBitmap text;
    QString error;
    QVERIFY(logos::renderText(u"CIAO"_s, logos::FontFace::Small, 0, &text, &error));
    PixelBitmap withText = before;
    stamp(&withText, text, {3, 1});
    QCOMPARE(window().editor().picture(), withText);

    // Ctrl+Z takes the text back, Ctrl+Y puts it again.
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(inkCount(window().editor().picture()), 3);
    key(Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(inkCount(window().editor().picture()) > 3);

    // S: the stamp, shown at the cursor before it is printed.
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_S);
    QCOMPARE(window().editor().tool(), Tool::Stamp);
    window().iconBox().setCurrentIndex(window().iconBox().findData(u"cuore"_s));
    for (int i = 0; i < 40; ++i)
        key(Qt::Key_Right);
    const PixelBitmap heart = logos::builtInIcons().value(u"cuore"_s);
    QCOMPARE(inkCount(window().editor().shown()), 3 + inkCount(heart));
    QCOMPARE(inkCount(window().editor().picture()), 3);
    key(Qt::Key_Space);
    QCOMPARE(inkCount(window().editor().picture()), 3 + inkCount(heart));
    QVERIFY(window().editor().picture().isInk(43 + 1, 1 + 1));

    // Alt+arrows move the drawing, Ctrl+I inverts it.
    key(Qt::Key_Left, Qt::AltModifier);
    QVERIFY(window().editor().picture().isInk(0, 1));
    key(Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(inkCount(window().editor().picture()), 72 * 14 - 3 - inkCount(heart));

    // A text the letters cannot draw is told in the status bar.
    key(Qt::Key_T);
    QCOMPARE(QApplication::focusWidget(), &window().canvas());
    window().textBox().setText(u"€"_s);
    key(Qt::Key_Space);
    QCOMPARE(window().statusBar()->currentMessage(), u"Il carattere «€» non c'è in queste lettere."_s);
}

void TestLogoToolWindow::galleryLogoIsPickedByKeyboardAndTouchedUp()
{
    key(Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(window().galleryPicker() && window().galleryPicker()->isVisible());
    GalleryPicker &picker = *window().galleryPicker();
    QCOMPARE(picker.categoryBox().currentText(), u"Amore"_s);
    QCOMPARE(picker.logoList().count(), logos::logoCount(logos::Category::Amore));
    QTest::keyClick(&picker.categoryBox(), Qt::Key_Down);
    QCOMPARE(picker.categoryBox().currentText(), u"Persone"_s);
    QCOMPARE(picker.logoList().count(), 64);
    picker.logoList().setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&picker.logoList(), Qt::Key_Right);
    QTest::keyClick(&picker.logoList(), Qt::Key_Return);
    QTRY_VERIFY(!window().galleryPicker());
    QCOMPARE(window().editor().picture(), galleryLogo(logos::Category::Persone, 5));
    QCOMPARE(window().statusBar()->currentMessage(), u"Logo della galleria: Persone, logo 5."_s);

    // Touched up: a frame around it with the keyboard. (The offscreen
    // platform has no window manager to hand the activation back to the
    // window when the dialog closes.)
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QCOMPARE(QApplication::focusWidget(), &window().canvas());
    key(Qt::Key_R);
    QCOMPARE(window().editor().tool(), Tool::Rectangle);
    key(Qt::Key_Space);
    for (int i = 0; i < 71; ++i)
        key(Qt::Key_Right);
    for (int i = 0; i < 13; ++i)
        key(Qt::Key_Down);
    key(Qt::Key_Space);
    PixelBitmap expected = galleryLogo(logos::Category::Persone, 5);
    for (int x = 0; x < 72; ++x) {
        expected.setInk(x, 0, true);
        expected.setInk(x, 13, true);
    }
    for (int y = 0; y < 14; ++y) {
        expected.setInk(0, y, true);
        expected.setInk(71, y, true);
    }
    QCOMPARE(window().editor().picture(), expected);

    // In a picture's size the logo sits in the middle rows; cancelling picks nothing.
    makeWindow(FaceId::PictureMessage);
    window().pickFromGallery();
    QTRY_VERIFY(window().galleryPicker());
    window().galleryPicker()->logoList().setCurrentRow(2);
    window().galleryPicker()->buttons().button(QDialogButtonBox::Ok)->click();
    QCOMPARE(window().editor().picture(), centredIn(galleryLogo(logos::Category::Amore, 3), PictureSize));
    window().pickFromGallery();
    QTRY_VERIFY(window().galleryPicker());
    window().galleryPicker()->logoList().setCurrentRow(9);
    window().galleryPicker()->buttons().button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(window().editor().picture(), centredIn(galleryLogo(logos::Category::Amore, 3), PictureSize));
}

void TestLogoToolWindow::galleryExportOpensAsItIs()
{
    const QString exported = path(u"export.bmp"_s);
    QString error;
    QVERIFY(logos::writeMonochromeBmp(exported, logos::logoImage(logos::Category::Animali, 40), &error));
    m_open->queueAnswer(exported);
    key(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_open->calls().size(), std::size_t(1));
    QCOMPARE(m_open->calls().front().startFolder, m_folder.path());
    QVERIFY(m_open->calls().front().filter.contains(u"*.nol"_s));
    QVERIFY(!window().reduceDialog());
    QCOMPARE(window().editor().picture(), galleryLogo(logos::Category::Animali, 40));
    QCOMPARE(window().filePath(), exported);
    QCOMPARE(window().windowTitle(), u"export.bmp[*] - Editor Loghi"_s);
    QVERIFY(!window().isWindowModified());
    QCOMPARE(window().formatBox().currentData().toInt(), int(PictureFormat::Bmp));
    // Opening is a step that can be undone.
    QVERIFY(window().editor().canUndo());
}

void TestLogoToolWindow::photoIsReducedWithTheChosenThresholdAndDithering()
{
    QImage photo(120, 60, QImage::Format_RGB32);
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x)
            photo.setPixel(x, y, qRgb(x * 2, (x + y) % 256, 180));
    }
    const QString file = path(u"foto.jpg"_s);
    QVERIFY(photo.save(file, "JPEG", 95));
    const QImage asRead(file);
    m_open->queueAnswer(file);
    window().command(LogoToolWindow::Command::Open).trigger();
    QTRY_VERIFY(window().reduceDialog() && window().reduceDialog()->isVisible());
    ReduceDialog &dialog = *window().reduceDialog();
    QCOMPARE(dialog.thresholdBox().value(), 128);
    // The slider moved by the keyboard, the spin box follows; Floyd-Steinberg chosen.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&dialog.thresholdSlider(), Qt::Key_PageUp);
    QCOMPARE(dialog.thresholdBox().value(), dialog.thresholdSlider().value());
    QVERIFY(dialog.thresholdSlider().value() > 128);
    dialog.ditheringBox().setCurrentIndex(dialog.ditheringBox().findData(int(Dithering::FloydSteinberg)));
    const Reduction chosen{dialog.thresholdSlider().value(), Dithering::FloydSteinberg};
    const PixelBitmap expected = reduceToOneBit(asRead, LogoSize, chosen);
    QCOMPARE(dialog.result(), expected);
    dialog.buttons().button(QDialogButtonBox::Ok)->click();
    QTRY_VERIFY(!window().reduceDialog());
    QCOMPARE(window().editor().picture(), expected);
    QVERIFY(window().filePath().isEmpty());
    QVERIFY(window().isWindowModified());
}

void TestLogoToolWindow::cancellingTheReductionKeepsTheDrawing()
{
    clickPixel({10, 10});
    const PixelBitmap before = window().editor().picture();
    QImage grey(30, 30, QImage::Format_RGB32);
    grey.fill(qRgb(100, 100, 100));
    const QString file = path(u"grigio.png"_s);
    QVERIFY(grey.save(file));
    m_open->queueAnswer(file);
    window().openFile();
    QTRY_VERIFY(window().reduceDialog());
    window().reduceDialog()->buttons().button(QDialogButtonBox::Cancel)->click();
    QTRY_VERIFY(!window().reduceDialog());
    QCOMPARE(window().editor().picture(), before);
}

void TestLogoToolWindow::operatorLogoFileBringsItsNetwork()
{
    LogoDocument document;
    document.kind = LogoKind::OperatorLogo;
    document.picture = logos::logoImage(logos::Category::Testi, 12);
    document.network = {u"222"_s, u"88"_s, u"Wind"_s, u"Italy"_s};
    const QString file = path(u"wind.nol"_s);
    QString error;
    QVERIFY(savePicture(file, PictureFormat::OperatorLogo, document, &error));
    m_open->queueAnswer(file);
    window().openFile();
    QCOMPARE(window().editor().picture(), galleryLogo(logos::Category::Testi, 12));
    QCOMPARE(window().network().code(), u"222 88"_s);
    QCOMPARE(window().networkLabel().text(), u"Wind (Italy), MCC 222 MNC 88"_s);
    // Saved again as it came: the same bytes, without a dialog.
    window().command(LogoToolWindow::Command::Invert).trigger();
    QVERIFY(window().isWindowModified());
    window().command(LogoToolWindow::Command::Invert).trigger();
    QVERIFY(!window().isWindowModified());
    QVERIFY(window().save());
    QByteArray bytes;
    QVERIFY(encodePicture(PictureFormat::OperatorLogo, document, &bytes, &error));
    QCOMPARE(fileContents(file), bytes);
}

void TestLogoToolWindow::pictureFileSwitchesTheEditorToItsSize()
{
    PixelBitmap picture = centredIn(galleryLogo(logos::Category::Animali, 3), PictureSize);
    invert(&picture);
    LogoDocument document;
    document.kind = LogoKind::PictureMessage;
    document.picture = toPicture(picture);
    const QString file = path(u"gatto.nlm"_s);
    QString error;
    QVERIFY(savePicture(file, PictureFormat::LogoManager, document, &error));
    m_open->queueAnswer(file);
    window().openFile();
    QCOMPARE(window().kind(), LogoKind::PictureMessage);
    QCOMPARE(window().kindBox()->currentData().toInt(), int(LogoKind::PictureMessage));
    QCOMPARE(window().editor().picture(), picture);
    QVERIFY(window().messageTextBox().isVisible());
    QVERIFY(!window().networkButton().isVisible());
    QCOMPARE(window().formatBox().findData(int(PictureFormat::OperatorLogo)), -1);
    QCOMPARE(window().formatBox().currentData().toInt(), int(PictureFormat::LogoManager));
}

void TestLogoToolWindow::unreadableFileIsTold()
{
    const QString file = path(u"lettera.bmp"_s);
    writeFile(file, "Cara Maria,\n");
    m_open->queueAnswer(file);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    window().openFile();
    QCOMPARE(m_fakes.messageBox->shown().size(), std::size_t(1));
    QCOMPARE(m_fakes.messageBox->shown().front().title, u"Editor Loghi"_s);
    QCOMPARE(lastMessage(),
             u"Il file %1 non contiene un'immagine che il programma sappia leggere."_s.arg(file));
    QCOMPARE(inkCount(window().editor().picture()), 0);
    QVERIFY(!window().editor().canUndo());
    // A cancelled dialog opens nothing.
    m_open->queueAnswer(QString());
    window().openFile();
    QVERIFY(!window().editor().canUndo());
}

void TestLogoToolWindow::savesEachFormatThroughTheDialog()
{
    makeWindow(FaceId::GroupGraphic);
    window().editor().replace(galleryLogo(logos::Category::ViaggiVacanze, 93));
    for (int i = 0; i < window().formatBox().count(); ++i) {
        window().formatBox().setCurrentIndex(i);
        const auto format = PictureFormat(window().formatBox().currentData().toInt());
        const FormatInfo &info = formatInfo(format);
        // The name is typed without an extension: the format's is added.
        const QString typed = path(u"gruppo %1"_s.arg(i));
        m_fakes.saveFileDialog->queueAnswer(typed);
        QTest::mouseClick(&window().saveButton(), Qt::LeftButton);
        const platform::SaveFileRequest &request = m_fakes.saveFileDialog->calls().back();
        QCOMPARE(request.filter, dialogFilter(format));
        QCOMPARE(request.defaultExtension, info.extension);
        const QString saved = typed + QLatin1Char('.') + info.extension;
        QCOMPARE(window().filePath(), saved);
        QByteArray bytes;
        QString error;
        QVERIFY(encodePicture(format, window().document(), &bytes, &error));
        QCOMPARE(fileContents(saved), bytes);
        QVERIFY(!window().isWindowModified());
        QCOMPARE(window().statusBar()->currentMessage(), u"Salvato come %1: %2"_s.arg(info.name, saved));
    }
    // Ctrl+S writes the last file again, without a dialog.
    window().command(LogoToolWindow::Command::Invert).trigger();
    QVERIFY(window().isWindowModified());
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_fakes.saveFileDialog->calls().size(), std::size_t(5));
    QVERIFY(!window().isWindowModified());
    OpenedPicture opened;
    QString error;
    QVERIFY(readPictureFile(window().filePath(), &opened, &error));
    QCOMPARE(toBitmap(opened.picture), window().editor().picture());
    // Cancelling the dialog saves nothing.
    window().command(LogoToolWindow::Command::Invert).trigger();
    m_fakes.saveFileDialog->queueAnswer(QString());
    QVERIFY(!window().saveAs());
    QVERIFY(window().isWindowModified());
}

void TestLogoToolWindow::operatorLogoAsksForTheNetworkBeforeItIsSaved()
{
    window().editor().replace(galleryLogo(logos::Category::Amore, 1));
    m_fakes.saveFileDialog->queueAnswer(path(u"voda.nol"_s));
    QVERIFY(!window().saveAs());
    QTRY_VERIFY(window().operatorPicker() && window().operatorPicker()->isVisible());
    QVERIFY(!QFile::exists(path(u"voda.nol"_s)));
    OperatorPicker &picker = *window().operatorPicker();
    // The Italian networks come first.
    QCOMPARE(picker.networkList().topLevelItem(0)->text(2), u"222"_s);
    QTest::keyClicks(&picker.searchBox(), u"vodafone"_s);
    QCOMPARE(picker.networkList().currentItem()->text(1), u"Vodafone"_s);
    QCOMPARE(picker.networkList().currentItem()->text(2), u"222"_s);
    QVERIFY(picker.countLabel().text().startsWith(u"Reti trovate: "_s));
    QTest::keyClick(&picker.searchBox(), Qt::Key_Return);
    QTRY_VERIFY(!window().operatorPicker());
    const QByteArray bytes = fileContents(path(u"voda.nol"_s));
    QCOMPARE(bytes.left(3), QByteArray("NOL"));
    QCOMPARE(bytes.mid(6, 4), QByteArray("\xde\x00\x06\x00", 4));
    QCOMPARE(window().network().code(), u"222 06"_s);
    QCOMPARE(window().networkLabel().text(), u"Vodafone (Italy), MCC 222 MNC 06"_s);

    // Another network picked through the button; a search that finds nothing
    // cannot be confirmed.
    QTest::mouseClick(&window().networkButton(), Qt::LeftButton);
    QTRY_VERIFY(window().operatorPicker());
    OperatorPicker &again = *window().operatorPicker();
    QCOMPARE(again.chosenNetwork()->code(), u"222 06"_s);
    QTest::keyClicks(&again.searchBox(), u"xyzzy"_s);
    QVERIFY(!again.buttons().button(QDialogButtonBox::Ok)->isEnabled());
    QCOMPARE(again.countLabel().text(), u"Nessuna rete trovata."_s);
    again.searchBox().clear();
    QTest::keyClicks(&again.searchBox(), u"22288"_s);
    QTest::keyClick(&again.searchBox(), Qt::Key_Return);
    QTRY_VERIFY(!window().operatorPicker());
    QCOMPARE(window().network().code(), u"222 88"_s);
}

void TestLogoToolWindow::typedExtensionChoosesTheFormat()
{
    window().editor().replace(galleryLogo(logos::Category::Testi, 1));
    chooseFormat(PictureFormat::Bmp);
    m_fakes.saveFileDialog->queueAnswer(path(u"logo.OTB"_s));
    QVERIFY(window().saveAs());
    QCOMPARE(fileContents(path(u"logo.OTB"_s)), encodeOverTheAir(toPicture(window().editor().picture())));
    QCOMPARE(window().filePath(), path(u"logo.OTB"_s));

    // A group graphic cannot be an operator logo file.
    makeWindow(FaceId::GroupGraphic);
    m_fakes.saveFileDialog->queueAnswer(path(u"gruppo.nol"_s));
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    QVERIFY(!window().saveAs());
    QCOMPARE(lastMessage(), u"Il formato .nol non è adatto a questo disegno: il file non è stato salvato."_s);
    QVERIFY(!QFile::exists(path(u"gruppo.nol"_s)));
}

void TestLogoToolWindow::failedSaveIsToldAndKeepsTheWorkUnsaved()
{
    clickPixel({2, 2});
    chooseFormat(PictureFormat::Wbmp);
    const QString nowhere = path(u"cartella che non c'è/logo.wbmp"_s);
    m_fakes.saveFileDialog->queueAnswer(nowhere);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    QVERIFY(!window().saveAs());
    QCOMPARE(m_fakes.messageBox->shown().back().icon, platform::MessageIcon::Critical);
    QVERIFY2(lastMessage().startsWith(u"Il disegno non è stato salvato.\nIl file %1"_s.arg(nowhere)),
             qPrintable(lastMessage()));
    QVERIFY(window().isWindowModified());
    QVERIFY(window().filePath().isEmpty());
    QCOMPARE(window().statusBar()->currentMessage(), u"Non salvato."_s);
}

void TestLogoToolWindow::leavingWithUnsavedWorkAsks()
{
    // Nothing drawn: it closes without a question.
    QVERIFY(window().close());
    makeWindow(FaceId::LogoEditor);
    clickPixel({4, 4});
    m_fakes.messageBox->queueAnswer(MessageAnswer::Cancel);
    QVERIFY(!window().close());
    QVERIFY(window().isVisible());
    QCOMPARE(m_fakes.messageBox->shown().back().text, u"Il disegno non è stato salvato. Salvarlo adesso?"_s);
    QCOMPARE(m_fakes.messageBox->shown().back().buttons, platform::MessageButtons::YesNoCancel);

    // Yes saves through the dialog, then the window closes.
    chooseFormat(PictureFormat::Bmp);
    m_fakes.messageBox->queueAnswer(MessageAnswer::Yes);
    m_fakes.saveFileDialog->queueAnswer(path(u"prima di uscire.bmp"_s));
    QVERIFY(window().close());
    QCOMPARE(fileContents(path(u"prima di uscire.bmp"_s)),
             logos::monochromeBmp(toPicture(window().editor().picture())));

    // Nuovo asks too; No drops the drawing.
    makeWindow(FaceId::LogoEditor);
    clickPixel({4, 4});
    m_fakes.messageBox->queueAnswer(MessageAnswer::No);
    key(Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(inkCount(window().editor().picture()), 0);
    QVERIFY(!window().editor().canUndo());
    QVERIFY(!window().isWindowModified());
}

void TestLogoToolWindow::pictureMessageTextShowsOnThePhone()
{
    makeWindow(FaceId::PictureMessage);
    window().editor().replace(centredIn(galleryLogo(logos::Category::Animali, 1), PictureSize));
    window().messageTextBox().setFocus();
    QTest::keyClicks(&window().messageTextBox(), u"Auguri!"_s);
    QCOMPARE(window().phoneScreen().screen(),
             phoneScreen(LogoKind::PictureMessage, window().editor().picture(), u"Auguri!"_s));
    QCOMPARE(window().document().text, u"Auguri!"_s);
    QCOMPARE(window().document().kind, LogoKind::PictureMessage);
    QCOMPARE(window().document().picture.size(), PictureSize);
    // The text is as short as a picture message's.
    window().messageTextBox().setText(QString(200, QLatin1Char('a')));
    QCOMPARE(window().messageTextBox().text().size(), PictureMessageTextLimit);
    // Saved as a Nokia Logo Manager picture.
    chooseFormat(PictureFormat::LogoManager);
    m_fakes.saveFileDialog->queueAnswer(path(u"auguri.nlm"_s));
    QVERIFY(window().saveAs());
    const QByteArray bytes = fileContents(path(u"auguri.nlm"_s));
    QCOMPARE(bytes.at(5), '\x03');
    QCOMPARE(quint8(bytes.at(8)), quint8(28));
}

void TestLogoToolWindow::undoBringsBackTheKindOfItsSize()
{
    clickPixel({0, 0});
    window().kindBox()->setCurrentIndex(1);
    QCOMPARE(window().kind(), LogoKind::PictureMessage);
    QCOMPARE(window().editor().size(), PictureSize);
    QVERIFY(window().editor().picture().isInk(0, 7));
    QCOMPARE(window().formatBox().count(), 4);
    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window().kind(), LogoKind::OperatorLogo);
    QCOMPARE(window().kindBox()->currentIndex(), 0);
    QCOMPARE(window().formatBox().count(), 6);
    QVERIFY(window().networkButton().isVisible());
}

void TestLogoToolWindow::zoomAndHelp()
{
    const int zoom = window().canvas().zoom();
    const QSize size = window().canvas().size();
    key(Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(window().canvas().zoom(), zoom + 2);
    QVERIFY(window().canvas().width() > size.width());
    QCOMPARE(window().statusBar()->currentMessage(), u"Ingrandimento: %1 volte"_s.arg(zoom + 2));
    for (int i = 0; i < 20; ++i)
        key(Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(window().canvas().zoom(), PixelCanvas::MinimumZoom);

    // F1 without the help file says where it looked.
    m_fakes.messageBox->queueAnswer(MessageAnswer::Ok);
    key(Qt::Key_F1);
    QCOMPARE(lastMessage(), u"Le istruzioni non si trovano: %1"_s.arg(path(u"leggimi.txt"_s)));
    writeFile(path(u"leggimi.txt"_s), u"Editor Loghi: istruzioni così.\n"_s.toUtf8());
    key(Qt::Key_F1);
    QDialog *help = nullptr;
    QTRY_VERIFY((help = window().findChild<QDialog *>(u"help"_s)) && help->isVisible());
    QCOMPARE(help->windowTitle(), u"Istruzioni - Editor Loghi"_s);
    QCOMPARE(help->findChild<QPlainTextEdit *>()->toPlainText(), u"Editor Loghi: istruzioni così.\n"_s);
    help->reject();
}

void TestLogoToolWindow::sendStepGetsTheDocument()
{
    auto step = std::make_shared<RecordingSendStep>();
    makeWindow(FaceId::LogoEditor, {step});
    QCOMPARE(window().sendButtons().size(), 1);
    QPushButton *send = window().sendButtons().first();
    QCOMPARE(send->text(), u"Invia come SMS..."_s);
    QVERIFY(send->isVisible());
    window().editor().replace(galleryLogo(logos::Category::Persone, 9));
    window().pickNetwork();
    QTRY_VERIFY(window().operatorPicker());
    QTest::keyClicks(&window().operatorPicker()->searchBox(), u"TIM"_s);
    window().operatorPicker()->buttons().button(QDialogButtonBox::Ok)->click();
    QTRY_VERIFY(!window().operatorPicker());
    QTest::mouseClick(send, Qt::LeftButton);
    QCOMPARE(step->documents.size(), 1);
    const LogoDocument &document = step->documents.first();
    QCOMPARE(document.kind, LogoKind::OperatorLogo);
    QCOMPARE(document.network.code(), u"222 01"_s);
    QCOMPARE(toBitmap(document.picture), galleryLogo(logos::Category::Persone, 9));
    QCOMPARE(step->windows.first(), m_window.get());
    // A picture message is not what this step takes: no button.
    window().setKind(LogoKind::PictureMessage);
    QVERIFY(!send->isVisible());
}

QTEST_MAIN(TestLogoToolWindow)
#include "test_logo_tool_window.moc"
