#include "toolcatalogue/ScreenPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>

using namespace Qt::StringLiterals;

namespace brivello::toolcatalogue {

namespace {

// The product's colours around the screen, and the screen's own.
const QColor navyDeep(0x0b, 0x16, 0x2c);
const QColor steel(0x3c, 0x52, 0x76);
const QColor steelLight(0x8f, 0xa8, 0xc8);
const QColor lcd(0xb7, 0xcc, 0x8c);
const QColor lcdShade(0x9c, 0xb3, 0x74);
const QColor ink(0x1f, 0x2b, 0x15);

const QRect screenArea(12, 8, 136, 104);
const QRect contentArea(16, 33, 128, 64);

// What the tool shows on the screen.
enum class Face { Staff, PixelArt, Playlist, List, Meter, Link, Calendar, Chart, Numbers, Convert };

// Pixel art, one row a line: '#' a dark pixel.
using Art = std::array<const char *, 7>;

const Art heart{"..##...##..", ".####.####.", "###########", ".#########.",
                "..#######..", "....###....", ".....#....."};
const Art smile{"...#####...", "..#.....#..", ".#.#...#.#.", ".#.......#.",
                ".#.#...#.#.", "..#.###.#..", "...#####..."};
const Art star{".....#.....", "....###....", "###########", ".#########.",
               "...#####...", "..##...##..", ".#.......#."};
const Art wave{"#.........#", "##.......##", "#.#.....#.#", "#..#...#..#",
               "#...#.#...#", "#....#....#", "#.........#"};

struct Screen
{
    const char16_t *title;
    Face face;
    std::array<const char16_t *, 3> lines; // the texts the face shows, where it shows any
    const Art *art;                        // for Face::PixelArt
};

// One row per picture, in the order of the list.
const std::array<Screen, screenPictureCount> screens{{
    {u"Compositore", Face::Staff, {u"8c2 8e2 4g2", nullptr, nullptr}, nullptr},
    {u"Editor loghi", Face::PixelArt, {u"72 x 14", nullptr, nullptr}, &wave},
    {u"Musicbox", Face::Playlist, {u"Per Elisa", u"Jingle Bells", u"Cucaracha"}, nullptr},
    {u"Rubrica", Face::List, {u"Anna  3471234", u"Marco 3389876", u"Paolo 3204455"}, nullptr},
    {u"Archivio SMS", Face::List, {u"Ciao! A che ora", u"Domani alle 8", u"Auguri!!"}, nullptr},
    {u"Suonerie", Face::List, {u"Nokia tune", u"Mission", u"Pink Panther"}, nullptr},
    {u"Manuale GSM", Face::List, {u"*#06#  IMEI", u"**21*  Devia", u"#31#  Anonimo"}, nullptr},
    {u"Modelli", Face::List, {u"casa.csv", u"ufficio.csv", u"amici.csv"}, nullptr},
    {u"Convertitore", Face::Convert, {u"RTTTL", u"Nokia 3210", u"Siemens C35"}, nullptr},
    {u"Batteria", Face::Meter, {u"Carica 80%", nullptr, nullptr}, nullptr},
    {u"Infrarossi", Face::Link, {u"Collegato", nullptr, nullptr}, nullptr},
    {u"Modem GSM", Face::Link, {u"9600 bps", nullptr, nullptr}, nullptr},
    {u"Sfondi", Face::PixelArt, {u"Sfondo 1", nullptr, nullptr}, &star},
    {u"Agenda", Face::Calendar, {u"Marzo", nullptr, nullptr}, nullptr},
    {u"Tariffe", Face::Chart, {u"Lire/min", nullptr, nullptr}, nullptr},
    {u"Logo gruppo", Face::PixelArt, {u"Famiglia", nullptr, nullptr}, &smile},
    {u"Messaggi", Face::PixelArt, {u"Ti amo!", nullptr, nullptr}, &heart},
    {u"Siemens", Face::Staff, {u"C2 E2 G2", nullptr, nullptr}, nullptr},
    {u"Ericsson", Face::Staff, {u"c e g +c", nullptr, nullptr}, nullptr},
    {u"Motorola", Face::Staff, {u"C4 E4 G4", nullptr, nullptr}, nullptr},
    {u"Copia SIM", Face::Link, {u"Lettura SIM", nullptr, nullptr}, nullptr},
    {u"Numeri", Face::Numbers, {u"Punti: 120", nullptr, nullptr}, nullptr},
    {u"Segnale", Face::Meter, {u"Cella 2231", nullptr, nullptr}, nullptr},
    {u"SMS multiplo", Face::List, {u"A: Anna", u"A: Marco", u"Ci vediamo!"}, nullptr},
    {u"Gruppi", Face::Staff, {u"Suoneria 2", nullptr, nullptr}, nullptr},
    {u"Screensaver", Face::PixelArt, {u"Attivo", nullptr, nullptr}, &star},
    {u"Dizionario", Face::List, {u"ciao", u"casa", u"cane"}, nullptr},
    {u"Cronometro", Face::Numbers, {u"00:42", nullptr, nullptr}, nullptr},
    {u"Sveglia", Face::Calendar, {u"07:30", nullptr, nullptr}, nullptr},
    {u"Chat SMS", Face::List, {u"> ciao", u"< ehi!", u"> come va?"}, nullptr},
    {u"Carica suonerie", Face::Link, {u"Invio 3 di 5", nullptr, nullptr}, nullptr},
}};

QFont screenFont(int pixelSize, bool bold = false)
{
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QString text(const char16_t *line)
{
    return line ? QString::fromUtf16(line) : QString();
}

// The phone's face around the screen.
void paintBezel(QPainter &painter)
{
    painter.fillRect(QRect(0, 0, screenPictureWidth, screenPictureHeight), navyDeep);
    QLinearGradient body(0, 0, 0, screenPictureHeight);
    body.setColorAt(0, steel);
    body.setColorAt(1, navyDeep.lighter(150));
    painter.setPen(QPen(steelLight, 1));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(2.5, 1.5, 155, 117), 10, 10);
    painter.setPen(QPen(navyDeep, 2));
    painter.setBrush(lcd);
    painter.drawRoundedRect(screenArea, 4, 4);
}

void paintStatusRow(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (int bar = 0; bar < 4; ++bar)
        painter.drawRect(QRect(17 + bar * 4, 18 - bar * 2, 3, 3 + bar * 2));
    painter.drawRect(QRect(126, 12, 14, 8));
    painter.drawRect(QRect(140, 14, 2, 4));
    painter.setBrush(lcd);
    painter.drawRect(QRect(127, 13, 4, 6));
}

void paintTitle(QPainter &painter, const QString &title)
{
    painter.fillRect(QRect(14, 22, 132, 11), ink);
    painter.setFont(screenFont(9, true));
    painter.setPen(lcd);
    painter.drawText(QRect(14, 22, 132, 11), Qt::AlignCenter, title);
}

void paintSoftKeys(QPainter &painter)
{
    painter.setFont(screenFont(8, true));
    painter.setPen(ink);
    painter.drawText(QRect(17, 98, 50, 11), Qt::AlignLeft | Qt::AlignVCenter, u"Menu"_s);
    painter.drawText(QRect(93, 98, 50, 11), Qt::AlignRight | Qt::AlignVCenter, u"Esci"_s);
}

void paintCaption(QPainter &painter, const QString &caption)
{
    painter.setFont(screenFont(9));
    painter.setPen(ink);
    painter.drawText(QRect(contentArea.left(), 85, contentArea.width(), 12), Qt::AlignCenter, caption);
}

void paintStaff(QPainter &painter, const Screen &screen)
{
    painter.setPen(QPen(ink, 1));
    for (int line = 0; line < 5; ++line)
        painter.drawLine(20, 42 + line * 6, 140, 42 + line * 6);
    painter.setBrush(ink);
    const std::array<int, 6> pitches{66, 60, 54, 57, 48, 63};
    for (std::size_t note = 0; note < pitches.size(); ++note) {
        const int x = 34 + static_cast<int>(note) * 17;
        painter.drawEllipse(QRect(x, pitches[note] - 3, 7, 5));
        painter.drawLine(x + 6, pitches[note] - 1, x + 6, pitches[note] - 16);
    }
    paintCaption(painter, text(screen.lines[0]));
}

void paintPixelArt(QPainter &painter, const Screen &screen)
{
    constexpr int cell = 4;
    const int left = 80 - 11 * cell / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(lcdShade);
    painter.drawRect(QRect(left - 3, 38, 11 * cell + 6, 7 * cell + 6));
    painter.setBrush(ink);
    for (int row = 0; row < 7; ++row) {
        const char *pixels = (*screen.art)[static_cast<std::size_t>(row)];
        for (int column = 0; pixels[column] != '\0'; ++column) {
            if (pixels[column] == '#')
                painter.drawRect(QRect(left + column * cell, 41 + row * cell, cell - 1, cell - 1));
        }
    }
    paintCaption(painter, text(screen.lines[0]));
}

void paintLines(QPainter &painter, const Screen &screen, bool playIcons)
{
    painter.setFont(screenFont(9));
    for (int line = 0; line < 3; ++line) {
        const QRect row(contentArea.left(), 37 + line * 16, contentArea.width(), 14);
        const bool chosen = line == 0;
        painter.fillRect(row, chosen ? ink : lcd);
        painter.setPen(chosen ? lcd : ink);
        int textLeft = row.left() + 3;
        if (playIcons) {
            QPainterPath play;
            play.moveTo(row.left() + 3, row.top() + 3);
            play.lineTo(row.left() + 10, row.top() + 7);
            play.lineTo(row.left() + 3, row.top() + 11);
            play.closeSubpath();
            painter.fillPath(play, chosen ? lcd : ink);
            textLeft += 10;
        }
        painter.drawText(QRect(textLeft, row.top(), row.width() - 6, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         text(screen.lines[static_cast<std::size_t>(line)]));
    }
}

void paintMeter(QPainter &painter, const Screen &screen)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (int bar = 0; bar < 8; ++bar) {
        const int height = 6 + bar * 5;
        const QRect rect(30 + bar * 13, 80 - height, 9, height);
        painter.setBrush(bar < 6 ? ink : lcdShade);
        painter.drawRect(rect);
    }
    paintCaption(painter, text(screen.lines[0]));
}

void paintDevice(QPainter &painter, const QRect &box, bool phone)
{
    painter.setPen(QPen(ink, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box, 2, 2);
    if (phone)
        painter.drawLine(box.left() + 3, box.top() + 7, box.right() - 3, box.top() + 7);
    else
        painter.drawLine(box.left() - 3, box.bottom() + 3, box.right() + 3, box.bottom() + 3);
}

void paintLink(QPainter &painter, const Screen &screen)
{
    paintDevice(painter, QRect(24, 44, 26, 30), false);
    paintDevice(painter, QRect(116, 40, 14, 34), true);
    painter.setPen(QPen(ink, 1, Qt::DashLine));
    painter.drawLine(56, 58, 108, 58);
    painter.setBrush(ink);
    QPainterPath arrow;
    arrow.moveTo(110, 58);
    arrow.lineTo(103, 54);
    arrow.lineTo(103, 62);
    arrow.closeSubpath();
    painter.fillPath(arrow, ink);
    paintCaption(painter, text(screen.lines[0]));
}

void paintCalendar(QPainter &painter, const Screen &screen)
{
    painter.setFont(screenFont(7));
    painter.setPen(ink);
    for (int day = 0; day < 28; ++day) {
        const QRect cell(22 + (day % 7) * 17, 36 + (day / 7) * 11, 16, 10);
        if (day == 11) {
            painter.fillRect(cell, ink);
            painter.setPen(lcd);
        }
        painter.drawText(cell, Qt::AlignCenter, QString::number(day + 1));
        painter.setPen(ink);
    }
    paintCaption(painter, text(screen.lines[0]));
}

void paintChart(QPainter &painter, const Screen &screen)
{
    painter.setPen(QPen(ink, 1));
    painter.drawLine(24, 80, 136, 80);
    painter.drawLine(24, 36, 24, 80);
    const std::array<int, 5> heights{30, 22, 38, 14, 26};
    painter.setPen(Qt::NoPen);
    for (std::size_t bar = 0; bar < heights.size(); ++bar) {
        painter.setBrush(bar == 3 ? ink : lcdShade.darker(130));
        painter.drawRect(QRect(32 + static_cast<int>(bar) * 21, 80 - heights[bar], 14, heights[bar]));
    }
    paintCaption(painter, text(screen.lines[0]));
}

void paintNumbers(QPainter &painter, const Screen &screen)
{
    painter.setFont(screenFont(12, true));
    for (int tile = 0; tile < 8; ++tile) {
        const QRect cell(28 + (tile % 4) * 27, 37 + (tile / 4) * 23, 23, 20);
        const bool open = tile == 2 || tile == 5;
        painter.setPen(QPen(ink, 1));
        painter.setBrush(open ? lcd : ink);
        painter.drawRect(cell);
        if (open)
            painter.drawText(cell, Qt::AlignCenter, QString::number(tile + 3));
    }
    paintCaption(painter, text(screen.lines[0]));
}

void paintConvert(QPainter &painter, const Screen &screen)
{
    painter.setFont(screenFont(9, true));
    painter.setPen(ink);
    painter.drawText(QRect(contentArea.left(), 36, contentArea.width(), 14), Qt::AlignCenter,
                     text(screen.lines[0]));
    painter.drawLine(80, 51, 80, 61);
    painter.drawLine(76, 57, 80, 61);
    painter.drawLine(84, 57, 80, 61);
    painter.setFont(screenFont(9));
    painter.drawText(QRect(contentArea.left(), 63, contentArea.width(), 12), Qt::AlignCenter,
                     text(screen.lines[1]));
    painter.drawText(QRect(contentArea.left(), 75, contentArea.width(), 12), Qt::AlignCenter,
                     text(screen.lines[2]));
}

void paintFace(QPainter &painter, const Screen &screen)
{
    switch (screen.face) {
    case Face::Staff:
        return paintStaff(painter, screen);
    case Face::PixelArt:
        return paintPixelArt(painter, screen);
    case Face::Playlist:
        return paintLines(painter, screen, true);
    case Face::List:
        return paintLines(painter, screen, false);
    case Face::Meter:
        return paintMeter(painter, screen);
    case Face::Link:
        return paintLink(painter, screen);
    case Face::Calendar:
        return paintCalendar(painter, screen);
    case Face::Chart:
        return paintChart(painter, screen);
    case Face::Numbers:
        return paintNumbers(painter, screen);
    case Face::Convert:
        return paintConvert(painter, screen);
    }
}

QImage blankScreen()
{
    QImage image(screenPictureWidth, screenPictureHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBezel(painter);
    return image;
}

} // namespace

QImage screenPicture(int number)
{
    QImage image = blankScreen();
    if (number < 1 || number > screenPictureCount)
        return image;
    const Screen &screen = screens[static_cast<std::size_t>(number - 1)];
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintStatusRow(painter);
    paintTitle(painter, QString::fromUtf16(screen.title));
    paintFace(painter, screen);
    paintSoftKeys(painter);
    return image;
}

} // namespace brivello::toolcatalogue
