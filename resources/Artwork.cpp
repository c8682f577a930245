#include "resources/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

using namespace Qt::StringLiterals;

namespace brivello::resources {

namespace {

// The palette of the whole product.
const QColor navyDeep(0x0b, 0x16, 0x2c);
const QColor navy(0x1c, 0x30, 0x55);
const QColor steel(0x3c, 0x52, 0x76);
const QColor steelLight(0x8f, 0xa8, 0xc8);
const QColor litTop(0xb4, 0xcd, 0xf0);
const QColor litBottom(0xdc, 0xe9, 0xfa);
const QColor textLight(0xea, 0xf1, 0xfa);
const QColor greyedFace(0x3a, 0x40, 0x4a);
const QColor greyedText(0x80, 0x86, 0x90);

enum class Look { Normal, Lit, Pressed, Greyed, Idle };

QFont productFont(int pixelSize, bool bold = true)
{
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QImage blankImage(int width, int height, const QColor &fill = Qt::black)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QColor faceTop(Look look)
{
    switch (look) {
    case Look::Lit:
        return litTop;
    case Look::Pressed:
        return litBottom;
    case Look::Greyed:
    case Look::Idle:
        return greyedFace.lighter(120);
    case Look::Normal:
        break;
    }
    return steel;
}

QColor faceBottom(Look look)
{
    switch (look) {
    case Look::Lit:
        return litBottom;
    case Look::Pressed:
        return litTop;
    case Look::Greyed:
    case Look::Idle:
        return greyedFace;
    case Look::Normal:
        break;
    }
    return navy;
}

QColor inkOf(Look look)
{
    switch (look) {
    case Look::Lit:
    case Look::Pressed:
        return navyDeep;
    case Look::Greyed:
    case Look::Idle:
        return greyedText;
    case Look::Normal:
        break;
    }
    return textLight;
}

// The face every button shares: a rounded plate with a steel rim.
void paintFace(QPainter &painter, const QSize &size, Look look)
{
    const QRectF plate(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    QLinearGradient gradient(plate.topLeft(), plate.bottomLeft());
    gradient.setColorAt(0, faceTop(look));
    gradient.setColorAt(1, faceBottom(look));
    painter.setPen(QPen(look == Look::Greyed ? greyedText : steelLight, 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(plate, 4, 4);
}

QImage labelButton(const QSize &size, const QString &label, Look look)
{
    QImage image = blankImage(size.width(), size.height());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFace(painter, size, look);
    painter.setFont(productFont(size.height() <= 17 ? 10 : 12));
    painter.setPen(inkOf(look));
    const int shift = look == Look::Pressed ? 1 : 0;
    painter.drawText(QRect(shift, shift, size.width(), size.height()), Qt::AlignCenter, label);
    return image;
}

void drawNotes(QPainter &painter)
{
    painter.drawEllipse(QRectF(8, 14, 5, 4));
    painter.drawEllipse(QRectF(18, 12, 5, 4));
    painter.drawLine(QLineF(12.5, 16, 12.5, 5));
    painter.drawLine(QLineF(22.5, 14, 22.5, 3));
    painter.drawLine(QLineF(12.5, 5, 22.5, 3));
}

void drawBars(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row)
        painter.drawRect(QRectF(7, 5.5 + row * 5, 18, 2.5));
}

void drawWrench(QPainter &painter)
{
    painter.save();
    painter.translate(16, 12);
    painter.rotate(-45);
    painter.drawRect(QRectF(-2, -1.5, 12, 3));
    QPainterPath head;
    head.addEllipse(QPointF(-5, 0), 5, 5);
    QPainterPath jaw;
    jaw.addRect(QRectF(-11, -1.8, 6, 3.6));
    painter.drawPath(head.subtracted(jaw));
    painter.restore();
}

void drawLetter(QPainter &painter, const QString &letter)
{
    painter.setFont(productFont(17));
    painter.drawText(QRect(0, 0, 32, 24), Qt::AlignCenter, letter);
}

QImage navigationButton(int number)
{
    // The table gives some pictures a height of 23 pixels.
    const int height = (number == 2 || number == 3) ? 23 : 24;
    const bool lit = number % 2 == 0;
    const Look look = lit ? Look::Lit : Look::Normal;
    QImage image = blankImage(32, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFace(painter, image.size(), look);
    painter.setPen(QPen(inkOf(look), 1.6));
    painter.setBrush(inkOf(look));
    switch ((number + 1) / 2) {
    case 1:
        drawNotes(painter);
        break;
    case 2:
        drawBars(painter);
        break;
    case 3:
        drawWrench(painter);
        break;
    case 4:
        drawLetter(painter, u"i"_s);
        break;
    case 5:
        drawLetter(painter, u"X"_s);
        break;
    default:
        drawLetter(painter, u"?"_s);
        break;
    }
    return image;
}

struct LabelledPicture
{
    int width;
    int height;
    const char16_t *label;
    Look look;
};

// Pictures 13 to 24, 27 and 28.
LabelledPicture labelledPicture(int number)
{
    static const std::array<LabelledPicture, 12> fromThirteen{{
        {70, 22, u"Cerca", Look::Normal},
        {70, 22, u"Cerca", Look::Pressed},
        {70, 16, u"Ascolto", Look::Normal},
        {71, 16, u"Ascolto", Look::Lit},
        {70, 16, u"Stop", Look::Normal},
        {70, 16, u"Stop", Look::Idle},
        {70, 17, u"Successivo", Look::Normal},
        {70, 17, u"Successivo", Look::Lit},
        {72, 17, u"Precedente", Look::Normal},
        {73, 18, u"Precedente", Look::Lit},
        {72, 17, u"Esportare", Look::Normal},
        {72, 17, u"Esportare", Look::Pressed},
    }};
    if (number == 27)
        return {72, 17, u"Precedente", Look::Greyed};
    if (number == 28)
        return {70, 17, u"Successivo", Look::Greyed};
    return fromThirteen.at(static_cast<std::size_t>(number - 13));
}

void paintBackdrop(QPainter &painter, const QRect &area)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, navy);
    gradient.setColorAt(1, navyDeep);
    painter.fillRect(area, gradient);
}

// The band along the top that carries the navigation bar, and the one at the
// bottom edge.
void paintBands(QPainter &painter)
{
    QLinearGradient top(0, 0, 0, 36);
    top.setColorAt(0, steel);
    top.setColorAt(1, navy);
    painter.fillRect(QRect(0, 0, 640, 36), top);
    painter.setPen(QPen(steelLight, 1));
    painter.drawLine(0, 36, 639, 36);
    painter.drawLine(0, 470, 639, 470);
    painter.fillRect(QRect(0, 471, 640, 9), steel.darker(130));
}

QString pageTitle(Page page)
{
    switch (page) {
    case Page::Ringtones:
        return u"Suonerie"_s;
    case Page::Logos:
        return u"Loghi operatore"_s;
    case Page::Documentation:
        return u"Informazioni"_s;
    case Page::Tools:
        return u"Tools"_s;
    }
    return {};
}

void paintTitle(QPainter &painter, const QString &subtitle)
{
    painter.setFont(productFont(20));
    painter.setPen(textLight);
    painter.drawText(QRect(180, 4, 260, 32), Qt::AlignVCenter | Qt::AlignLeft, u"Brivello"_s);
    painter.setFont(productFont(14, false));
    painter.setPen(steelLight);
    painter.drawText(QRect(290, 4, 250, 32), Qt::AlignVCenter | Qt::AlignLeft, subtitle);
}

// Soft steel frames behind the controls of the ringtone page.
void paintRingtonePanels(QPainter &painter)
{
    painter.setPen(QPen(steel, 1));
    painter.setBrush(QColor(0x14, 0x24, 0x44));
    painter.drawRoundedRect(QRectF(30.5, 37.5, 608, 28), 5, 5);
    painter.drawRoundedRect(QRectF(106.5, 75.5, 532, 283), 5, 5);
    painter.drawRoundedRect(QRectF(4.5, 366.5, 634, 100), 5, 5);
    painter.setFont(productFont(11, false));
    painter.setPen(steelLight);
    painter.drawText(QRect(10, 80, 92, 60), Qt::AlignLeft | Qt::TextWordWrap, u"Scegli una\nsuoneria"_s);
}

QImage logoImage(int width, int height)
{
    QImage image = blankImage(width, height, Qt::transparent);
    return image;
}

} // namespace

QImage buttonPicture(int number)
{
    if (number < 1 || number > buttonPictureCount)
        return {};
    if (number <= 12)
        return navigationButton(number);
    if (number == 25)
        return distributorLogo();
    if (number == 26)
        return publisherLogo();
    const LabelledPicture picture = labelledPicture(number);
    return labelButton(QSize(picture.width, picture.height), QString::fromUtf16(picture.label), picture.look);
}

QImage pageBackground(Page page)
{
    QImage image = blankImage(640, 480);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackdrop(painter, image.rect());
    paintBands(painter);
    paintTitle(painter, pageTitle(page));
    if (page == Page::Ringtones)
        paintRingtonePanels(painter);
    return image;
}

QImage splashPicture()
{
    QImage image = blankImage(640, 480);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(320, 200), 420);
    glow.setColorAt(0, steel);
    glow.setColorAt(0.6, navy);
    glow.setColorAt(1, navyDeep);
    painter.fillRect(image.rect(), glow);
    painter.setPen(QPen(steelLight, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(20, 20, 600, 440), 14, 14);
    painter.setFont(productFont(64));
    painter.setPen(textLight);
    painter.drawText(QRect(0, 130, 640, 90), Qt::AlignCenter, u"Brivello"_s);
    painter.setFont(productFont(18, false));
    painter.setPen(steelLight);
    painter.drawText(QRect(0, 225, 640, 30), Qt::AlignCenter,
                     u"Suonerie, loghi e tools per il tuo cellulare"_s);
    painter.drawImage(QPoint(272, 380), publisherLogo());
    return image;
}

QImage helpBackground()
{
    QImage image = blankImage(641, 315);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Brushed-metal border around a white panel with pale blue bands.
    QLinearGradient metal(0, 0, 641, 315);
    metal.setColorAt(0, steelLight);
    metal.setColorAt(0.5, steel);
    metal.setColorAt(1, steelLight);
    painter.fillRect(image.rect(), metal);
    const QRect panel(6, 6, 629, 303);
    painter.fillRect(panel, Qt::white);
    painter.fillRect(QRect(panel.left(), panel.top(), panel.width(), 30), litBottom);
    painter.fillRect(QRect(panel.left(), panel.bottom() - 24, panel.width(), 25), litBottom);
    // The close mark.
    painter.setPen(QPen(navy, 2));
    painter.drawLine(QPointF(614, 13), QPointF(624, 23));
    painter.drawLine(QPointF(624, 13), QPointF(614, 23));
    painter.setFont(productFont(14));
    painter.drawText(QRect(14, 6, 400, 30), Qt::AlignVCenter | Qt::AlignLeft, u"Brivello"_s);
    return image;
}

QImage advertisement()
{
    QImage image = splashPicture();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(40, 270, 560, 90), navyDeep);
    painter.setFont(productFont(20));
    painter.setPen(textLight);
    painter.drawText(QRect(40, 275, 560, 40), Qt::AlignCenter, u"Grazie per aver usato Brivello"_s);
    painter.setFont(productFont(15, false));
    painter.setPen(steelLight);
    painter.drawText(QRect(40, 315, 560, 40), Qt::AlignCenter, u"Nuove suonerie e nuovi loghi ogni mese"_s);
    return image;
}

QImage bannerFrame(int number)
{
    const bool second = number == 2;
    QImage image = blankImage(468, 60);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFace(painter, image.size(), second ? Look::Lit : Look::Normal);
    painter.drawImage(QPoint(12, 12), distributorLogo());
    painter.setFont(productFont(18));
    painter.setPen(second ? navy : textLight);
    painter.drawText(QRect(60, 0, 400, 60), Qt::AlignCenter,
                     second ? u"www.brivello.example"_s : u"Scopri le novità di Brivello"_s);
    return image;
}

QImage publisherLogo()
{
    QImage image = logoImage(95, 40);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFace(painter, image.size(), Look::Normal);
    painter.setBrush(textLight);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(7, 10, 20, 20));
    painter.setBrush(navy);
    painter.drawEllipse(QRectF(12, 15, 10, 10));
    painter.setFont(productFont(15));
    painter.setPen(textLight);
    painter.drawText(QRect(31, 0, 62, 40), Qt::AlignVCenter | Qt::AlignLeft, u"Lumo"_s);
    return image;
}

QImage actionButton(int width, int height, const QString &label)
{
    return labelButton(QSize(width, height), label, Look::Normal);
}

QImage publisherBadge()
{
    QImage image = blankImage(36, 36);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFace(painter, image.size(), Look::Normal);
    painter.setPen(Qt::NoPen);
    painter.setBrush(textLight);
    painter.drawEllipse(QRectF(6, 6, 24, 24));
    painter.setBrush(navy);
    painter.drawEllipse(QRectF(12, 12, 12, 12));
    return image;
}

QImage distributorLogo()
{
    QImage image = logoImage(36, 36);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(steelLight, 2));
    painter.setBrush(navy);
    painter.drawEllipse(QRectF(2, 2, 32, 32));
    painter.setPen(QPen(textLight, 2));
    painter.drawArc(QRectF(9, 9, 18, 18), 30 * 16, 300 * 16);
    painter.drawLine(QPointF(18, 4), QPointF(18, 32));
    return image;
}

} // namespace brivello::resources
