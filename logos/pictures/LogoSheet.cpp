// Draws contact sheets of the logos for a designer to look at: one PNG per
// category, every logo enlarged three times with its number, in the folder
// given as the only argument.

#include "logos/pictures/LogoCatalogue.h"
#include "logos/pictures/LogoRenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

using namespace brivello::logos;

constexpr int Scale = 3;
constexpr int Columns = 5;
constexpr int CellWidth = LogoWidth * Scale + 40;
constexpr int CellHeight = LogoHeight * Scale + 12;

QImage numberLabel(int number)
{
    PixelBitmap text;
    QString error;
    renderText(QString::number(number), FontFace::Small, 0, &text, &error);
    QImage image(text.width(), text.height(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < text.height(); ++y) {
        for (int x = 0; x < text.width(); ++x) {
            if (text.isInk(x, y))
                image.setPixel(x, y, qRgb(40, 40, 160));
        }
    }
    return image.scaled(image.size() * 2);
}

QImage contactSheet(const QList<QImage> &logos)
{
    const int rows = int((logos.size() + Columns - 1) / Columns);
    QImage sheet(Columns * CellWidth + 8, rows * CellHeight + 8, QImage::Format_RGB32);
    sheet.fill(qRgb(190, 190, 190));
    QPainter painter(&sheet);
    for (int i = 0; i < logos.size(); ++i) {
        const int left = 8 + (i % Columns) * CellWidth;
        const int top = 8 + (i / Columns) * CellHeight;
        painter.drawImage(left, top + 4, numberLabel(i + 1));
        painter.drawImage(QRect(left + 34, top, LogoWidth * Scale, LogoHeight * Scale), logos.at(i));
    }
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QElapsedTimer timer;
    timer.start();
    int total = 0;
    for (Category category : AllCategories)
        total += logoCount(category);
    out << "Drew " << total << " logos in " << timer.nsecsElapsed() / 1000 << " microseconds\n";
    for (Category category : AllCategories) {
        const QString path = QDir(folder).filePath(u"logos-%1.png"_s.arg(imageListName(category)));
        contactSheet(logoList(category)).save(path);
        out << path << '\n';
    }
    return 0;
}
