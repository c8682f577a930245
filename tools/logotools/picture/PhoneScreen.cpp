#include "tools/logotools/picture/PhoneScreen.h"

#include "logos/pictures/LogoFonts.h"
#include "logos/pictures/LogoRenderer.h"
#include "tools/logotools/picture/PixelEdits.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace brivello::logotools {

namespace {

constexpr int PictureLeft = (PhoneScreenSize.width() - 72) / 2;
constexpr int LineHeight = 9; // eight rows of letters and one between lines
constexpr int KeyRow = PhoneScreenSize.height() - 8;

PixelBitmap fromRows(const QStringList &rows)
{
    PixelBitmap bitmap(int(rows.first().size()), int(rows.size()));
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows.at(y).size(); ++x)
            bitmap.setInk(x, y, rows.at(y).at(x) == QLatin1Char('#'));
    }
    return bitmap;
}

const PixelBitmap &antenna()
{
    static const PixelBitmap icon =
        fromRows({u"#.#.#"_s, u".###."_s, u"..#.."_s, u"..#.."_s, u"..#.."_s, u"..#.."_s, u"..#.."_s});
    return icon;
}

const PixelBitmap &battery()
{
    static const PixelBitmap icon =
        fromRows({u".###."_s, u"#####"_s, u"#...#"_s, u"#####"_s, u"#...#"_s, u"#####"_s, u"#####"_s});
    return icon;
}

// Four bars below an icon, the widest on top, against the left or the right
// edge of the screen.
void drawBars(PixelBitmap *screen, bool rightEdge)
{
    for (int bar = 0; bar < 4; ++bar) {
        const int width = 4 - bar;
        const int top = 9 + bar * 3;
        const int left = rightEdge ? PhoneScreenSize.width() - width : 0;
        drawRectangle(screen, {left, top}, {left + width - 1, top + 1}, true, true);
    }
}

// A line in the phone's normal letters; letters it lacks become '?'.
PixelBitmap phoneText(const QString &text)
{
    const logos::PixelFont &font = logos::drawnFont(logos::FontFace::Normal);
    QString drawable;
    for (QChar c : text)
        drawable.append(font.glyph(c) ? c : QLatin1Char('?'));
    PixelBitmap line;
    QString error;
    if (drawable.isEmpty() || !logos::renderText(drawable, logos::FontFace::Normal, 0, &line, &error))
        return {};
    return line;
}

void drawCentred(PixelBitmap *screen, const PixelBitmap &item, int top)
{
    stamp(screen, item, {(PhoneScreenSize.width() - item.width()) / 2, top});
}

void drawPicture(PixelBitmap *screen, const PixelBitmap &picture, int top)
{
    stamp(screen, picture, {PictureLeft + (72 - picture.width()) / 2, top});
}

// The words of `text` on lines as wide as the screen; a word wider than the
// screen is cut.
QStringList wrapped(const QString &text)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (line.isEmpty() || phoneText(longer).width() <= PhoneScreenSize.width()) {
            line = longer;
            continue;
        }
        lines.append(line);
        line = word;
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

} // namespace

PixelBitmap phoneScreen(LogoKind kind, const PixelBitmap &picture, const QString &text)
{
    PixelBitmap screen(PhoneScreenSize.width(), PhoneScreenSize.height());
    switch (kind) {
    case LogoKind::OperatorLogo:
        stamp(&screen, antenna(), {0, 0});
        drawBars(&screen, false);
        stamp(&screen, battery(), {PhoneScreenSize.width() - battery().width(), 0});
        drawBars(&screen, true);
        drawPicture(&screen, picture, 10);
        drawCentred(&screen, phoneText(u"Menu"_s), KeyRow);
        break;
    case LogoKind::GroupGraphic:
        drawPicture(&screen, picture, 0);
        drawCentred(&screen, phoneText(u"Mario Rossi"_s), 17);
        drawCentred(&screen, phoneText(u"chiama"_s), 17 + LineHeight);
        drawCentred(&screen, phoneText(u"Rispondi"_s), KeyRow);
        break;
    case LogoKind::PictureMessage: {
        drawPicture(&screen, picture, 0);
        const QStringList lines = wrapped(text);
        for (int i = 0; i < qMin(2, int(lines.size())); ++i)
            stamp(&screen, phoneText(lines.at(i)), {0, picture.height() + 2 + i * LineHeight});
        break;
    }
    }
    return screen;
}

} // namespace brivello::logotools
