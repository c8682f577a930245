#include "resources/Artwork.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace brivello;

namespace {

double meanLightness(const QImage &image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            sum += QColor(image.pixel(x, y)).lightnessF();
    }
    return sum / (image.width() * image.height());
}

double meanSaturation(const QImage &image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            sum += QColor(image.pixel(x, y)).hslSaturationF();
    }
    return sum / (image.width() * image.height());
}

int distinctColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    }
    return static_cast<int>(colours.size());
}

} // namespace

class TestButtonImages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twipsAreFifteenToAPixel();
    void everyPictureHasItsSize_data();
    void everyPictureHasItsSize();
    void highlightedLooksAreLighter_data();
    void highlightedLooksAreLighter();
    void inactiveLooksAreGreyed();
    void picturesWithTheSameRoleDiffer();
    void paintingDrawsAtTheCornerOverTheOldPicture();
    void aPictureFillingTheBoxHidesWhatWasPaintedUnlessSeeThrough();
    void pagesAndSplashHaveTheirSizes();
    void aHiddenWindowDrawsWhenFirstShownInTheOrderPainted();
    void aPictureButtonIsPressedWithTheKeyboard();
};

void TestButtonImages::twipsAreFifteenToAPixel()
{
    QCOMPARE(ui::twips(9600), 640);
    QCOMPARE(ui::twips(7200), 480);
    QCOMPARE(ui::twips(480), 32);
    QCOMPARE(ui::twips(3151), 210);
    QCOMPARE(ui::twips(2849), 190);
    QCOMPARE(ui::twips(-150), -10);
    QCOMPARE(ui::twipsRect(1710, 1220, 7905, 4060), QRect(114, 81, 527, 271));
}

void TestButtonImages::everyPictureHasItsSize_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QSize>("size");
    const QList<QSize> sizes{{32, 24}, {32, 23}, {32, 23}, {32, 24}, {32, 24}, {32, 24}, {32, 24},
                             {32, 24}, {32, 24}, {32, 24}, {32, 24}, {32, 24}, {70, 22}, {70, 22},
                             {70, 16}, {71, 16}, {70, 16}, {70, 16}, {70, 17}, {70, 17}, {72, 17},
                             {73, 18}, {72, 17}, {72, 17}, {36, 36}, {95, 40}, {72, 17}, {70, 17}};
    for (int number = 1; number <= 28; ++number)
        QTest::addRow("picture %d", number) << number << sizes.at(number - 1);
}

void TestButtonImages::everyPictureHasItsSize()
{
    QFETCH(int, number);
    QFETCH(QSize, size);
    static const ui::ButtonImages images;
    QCOMPARE(images.count(), 28);
    const QImage &picture = images.picture(number);
    QCOMPARE(picture.size(), size);
    // Something is drawn on it, not a plain block.
    QVERIFY(distinctColours(picture) > 8);
}

void TestButtonImages::highlightedLooksAreLighter_data()
{
    QTest::addColumn<int>("normal");
    QTest::addColumn<int>("highlighted");
    for (int normal = 1; normal <= 11; normal += 2)
        QTest::addRow("%d/%d", normal, normal + 1) << normal << normal + 1;
    QTest::newRow("play") << 15 << 16;
    QTest::newRow("next") << 19 << 20;
    QTest::newRow("previous") << 21 << 22;
    QTest::newRow("search pressed") << 13 << 14;
    QTest::newRow("export pressed") << 23 << 24;
}

void TestButtonImages::highlightedLooksAreLighter()
{
    QFETCH(int, normal);
    QFETCH(int, highlighted);
    const ui::ButtonImages images;
    const double dark = meanLightness(images.picture(normal));
    const double light = meanLightness(images.picture(highlighted));
    QVERIFY2(light > dark + 0.1, qPrintable(u"%1 vs %2"_s.arg(light).arg(dark)));
}

void TestButtonImages::inactiveLooksAreGreyed()
{
    const ui::ButtonImages images;
    QVERIFY(meanSaturation(images.picture(27)) < meanSaturation(images.picture(21)) / 2);
    QVERIFY(meanSaturation(images.picture(28)) < meanSaturation(images.picture(19)) / 2);
    QVERIFY(meanSaturation(images.picture(18)) < meanSaturation(images.picture(17)) / 2);
}

void TestButtonImages::picturesWithTheSameRoleDiffer()
{
    const ui::ButtonImages images;
    // Each navigation button has its own glyph.
    for (int first = 1; first <= 11; first += 2) {
        for (int second = first + 2; second <= 11; second += 2) {
            const QImage a = images.picture(first).copy(0, 0, 32, 23);
            const QImage b = images.picture(second).copy(0, 0, 32, 23);
            QVERIFY2(a != b, qPrintable(u"%1 and %2"_s.arg(first).arg(second)));
        }
    }
    QVERIFY(images.picture(19).copy(0, 0, 70, 17) != images.picture(28).copy(0, 0, 70, 17));
}

void TestButtonImages::paintingDrawsAtTheCornerOverTheOldPicture()
{
    const ui::ButtonImages images;
    ui::PictureBox box(u"pctRingTones"_s);
    box.resize(32, 24);
    images.paint(box, ui::ButtonPicture::RingTones);
    QCOMPARE(box.canvas(), images.picture(1));
    // Picture 2 is one row shorter: the last row of picture 1 stays.
    images.paint(box, ui::ButtonPicture::RingTonesLit);
    QCOMPARE(box.canvas().copy(0, 0, 32, 23), images.picture(2));
    QCOMPARE(box.canvas().copy(0, 23, 32, 1), images.picture(1).copy(0, 23, 32, 1));
    // On a wider box the picture keeps its own size at the left.
    ui::PictureBox wide(u"pctZoek"_s);
    wide.resize(70, 22);
    images.paint(wide, ui::ButtonPicture::SearchPressed);
    images.paint(wide, ui::ButtonPicture::Search);
    QCOMPARE(wide.canvas(), images.picture(13));
}

void TestButtonImages::aPictureFillingTheBoxHidesWhatWasPaintedUnlessSeeThrough()
{
    ui::PictureBox box(u"pctPage"_s);
    box.resize(40, 30);
    QImage corner(10, 10, QImage::Format_ARGB32_Premultiplied);
    corner.fill(Qt::blue);
    box.paintPicture(corner);
    // An opaque picture of the box's size, with and without an alpha channel.
    QImage green(40, 30, QImage::Format_ARGB32_Premultiplied);
    green.fill(Qt::green);
    box.paintPicture(green);
    QCOMPARE(box.canvas(), green);
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    box.paintPicture(red);
    QCOMPARE(box.canvas().pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(box.canvas().pixel(39, 29), qRgb(255, 0, 0));
    // A picture of the same size that is see-through but for one dot leaves
    // the red showing around the dot.
    QImage dot(40, 30, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::transparent);
    dot.setPixel(5, 5, qRgb(0, 0, 255));
    box.paintPicture(dot);
    QCOMPARE(box.canvas().pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(box.canvas().pixel(5, 5), qRgb(0, 0, 255));
    QCOMPARE(box.canvas().pixel(39, 29), qRgb(255, 0, 0));
    // A box made larger keeps its picture at the corner, black around it.
    box.resize(50, 40);
    QCOMPARE(box.canvas().size(), QSize(50, 40));
    QCOMPARE(box.canvas().pixel(39, 29), qRgb(255, 0, 0));
    QCOMPARE(box.canvas().pixel(45, 35), qRgb(0, 0, 0));
}

void TestButtonImages::pagesAndSplashHaveTheirSizes()
{
    using resources::Page;
    for (Page page : {Page::Ringtones, Page::Logos, Page::Documentation, Page::Tools})
        QCOMPARE(resources::pageBackground(page).size(), QSize(640, 480));
    QVERIFY(resources::pageBackground(Page::Ringtones) != resources::pageBackground(Page::Logos));
    QCOMPARE(resources::splashPicture().size(), QSize(ui::twips(9600), ui::twips(7200)));
    QVERIFY(distinctColours(resources::splashPicture()) > 100);
}

// Windows loaded hidden at start-up leave their pictures undrawn until they
// are first shown; what they then show is what was painted, in order.
void TestButtonImages::aHiddenWindowDrawsWhenFirstShownInTheOrderPainted()
{
    QWidget window;
    window.resize(100, 40);
    auto *box = new ui::PictureBox(u"pctInstall"_s, &window);
    box->resize(32, 24);
    int drawn = 0;
    QImage blue(32, 24, QImage::Format_ARGB32_Premultiplied);
    blue.fill(Qt::blue);
    box->paintWhenShown([&] {
        ++drawn;
        return blue;
    });
    QImage red(16, 24, QImage::Format_ARGB32_Premultiplied);
    red.fill(Qt::red);
    box->paintPicture(red);
    QCOMPARE(drawn, 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(drawn, 1);
    // The red half painted after the blue picture lies over it.
    QCOMPARE(box->canvas().pixelColor(4, 4), QColor(Qt::red));
    QCOMPARE(box->canvas().pixelColor(24, 4), QColor(Qt::blue));
    // On a shown window a painting is drawn at once.
    box->paintWhenShown([&] {
        ++drawn;
        return blue;
    });
    QCOMPARE(drawn, 2);
    QCOMPARE(box->canvas().pixelColor(4, 4), QColor(Qt::blue));

    // A box looked at before its window shows draws what is due first.
    QWidget hidden;
    auto *other = new ui::PictureBox(u"pctHome"_s, &hidden);
    other->resize(32, 24);
    other->paintWhenShown([&] { return red; });
    QCOMPARE(other->canvas().pixelColor(4, 4), QColor(Qt::red));
}

// Something that answers the click makes a box a button: the Tab key reaches
// it, Enter and the space bar press it once, a screen reader sees a button.
// A mouse click presses it without taking the focus from where the user
// types. A box nothing answers stays a picture the Tab key passes by.
void TestButtonImages::aPictureButtonIsPressedWithTheKeyboard()
{
    QWidget window;
    window.resize(200, 40);
    auto *text = new QLineEdit(&window);
    text->setGeometry(0, 0, 60, 20);
    auto *picture = new ui::PictureBox(u"pctParvel"_s, &window);
    picture->setGeometry(70, 0, 40, 20);
    auto *button = new ui::PictureBox(u"pctSend"_s, &window);
    button->setGeometry(120, 0, 40, 20);
    button->setAccessibleName(u"Invia"_s);
    int presses = 0;
    connect(button, &ui::PictureBox::clicked, this, [&presses] { ++presses; });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    text->setFocus();
    QTest::keyClick(text, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(presses, 3);
    // The space bar held down: the key's repeats press no more.
    QTest::keyPress(button, Qt::Key_Space);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_s, true);
    QApplication::sendEvent(button, &repeat);
    QTest::keyRelease(button, Qt::Key_Space);
    QCOMPARE(presses, 4);
    QTest::keyClick(button, Qt::Key_A);
    QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(presses, 4);

    text->setFocus();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(presses, 5);
    QCOMPARE(QApplication::focusWidget(), text);

    QAccessibleInterface *asButton = QAccessible::queryAccessibleInterface(button);
    QCOMPARE(asButton->role(), QAccessible::Button);
    QCOMPARE(asButton->text(QAccessible::Name), u"Invia"_s);
    button->setToolTip(u"Inviare la suoneria "_s);
    QCOMPARE(asButton->text(QAccessible::Name), u"Inviare la suoneria"_s);
    asButton->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(presses, 6);

    QCOMPARE(picture->focusPolicy(), Qt::NoFocus);
    QCOMPARE(QAccessible::queryAccessibleInterface(picture)->role(), QAccessible::Graphic);
    QVERIFY(QAccessible::queryAccessibleInterface(picture)->actionInterface()->actionNames().isEmpty());
}

QTEST_MAIN(TestButtonImages)
#include "test_buttonimages.moc"
