#include "logos/pictures/LogoRenderer.h"

#include <QRect>

using namespace Qt::StringLiterals;

namespace brivello::logos {

namespace {

// Big letters are the normal capitals doubled; their tails would need rows
// the logo does not have.
constexpr int CapitalRows = 7;

bool glyphFor(QChar c, FontFace face, PixelBitmap *glyph, QString *error)
{
    const PixelBitmap *drawn = drawnFont(face).glyph(c);
    if (!drawn) {
        *error = u"the font has no glyph '%1'"_s.arg(c);
        return false;
    }
    switch (face) {
    case FontFace::Bold:
        *glyph = drawn->emboldened();
        break;
    case FontFace::Big:
        if (drawn->hasInkBelow(CapitalRows)) {
            *error = u"'%1' has a tail, which big letters cannot draw"_s.arg(c);
            return false;
        }
        *glyph = drawn->topRows(CapitalRows).scaled(2);
        break;
    default:
        *glyph = *drawn;
    }
    return true;
}

void blit(const PixelBitmap &source, int left, int top, PixelBitmap *target)
{
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (source.isInk(x, y))
                target->setInk(left + x, top + y, true);
        }
    }
}

PixelBitmap stackLines(const PixelBitmap &upper, const PixelBitmap &lower)
{
    constexpr int lineGap = 1;
    PixelBitmap result(qMax(upper.width(), lower.width()), upper.height() + lineGap + lower.height());
    blit(upper, (result.width() - upper.width()) / 2, 0, &result);
    blit(lower, (result.width() - lower.width()) / 2, upper.height() + lineGap, &result);
    return result;
}

PixelBitmap repeated(const PixelBitmap &icon, int times)
{
    constexpr int iconGap = 1;
    PixelBitmap result(times * icon.width() + (times - 1) * iconGap, icon.height());
    for (int i = 0; i < times; ++i)
        blit(icon, i * (icon.width() + iconGap), 0, &result);
    return result;
}

bool renderItem(const LogoItem &item, PixelBitmap *bitmap, QString *error)
{
    if (item.kind == LogoItem::Kind::Icon) {
        const auto &icons = builtInIcons();
        const auto it = icons.constFind(item.icon);
        if (it == icons.cend()) {
            *error = u"there is no icon '%1'"_s.arg(item.icon);
            return false;
        }
        *bitmap = repeated(item.mirrored ? it->mirrored() : *it, item.repeat);
        return true;
    }
    QList<PixelBitmap> lines;
    for (const QString &line : item.lines) {
        PixelBitmap text;
        if (!renderText(line, item.face, item.tracking, &text, error))
            return false;
        lines.append(text);
    }
    *bitmap = lines.size() == 2 ? stackLines(lines.at(0), lines.at(1)) : lines.first();
    return true;
}

// The part of the logo the items may use: inside a box or between the rules
// one pixel of paper is kept free all round.
QRect itemArea(LogoFrame frame)
{
    switch (frame) {
    case LogoFrame::Box:
    case LogoFrame::RoundBox:
        return QRect(2, 2, LogoWidth - 4, LogoHeight - 4);
    case LogoFrame::Rules:
    case LogoFrame::DottedRules:
        return QRect(1, 2, LogoWidth - 2, LogoHeight - 4);
    case LogoFrame::None:
        break;
    }
    return QRect(1, 0, LogoWidth - 2, LogoHeight);
}

void drawFrame(LogoFrame frame, PixelBitmap *canvas)
{
    const int right = LogoWidth - 1;
    const int bottom = LogoHeight - 1;
    for (int x = 0; x < LogoWidth; ++x) {
        const bool ink = frame != LogoFrame::DottedRules || x % 2 == 0;
        canvas->setInk(x, 0, ink);
        canvas->setInk(x, bottom, ink);
    }
    if (frame == LogoFrame::Box || frame == LogoFrame::RoundBox) {
        for (int y = 0; y < LogoHeight; ++y) {
            canvas->setInk(0, y, true);
            canvas->setInk(right, y, true);
        }
    }
    if (frame == LogoFrame::RoundBox) {
        for (const auto &[x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}})
            canvas->setInk(x, y, false);
    }
}

// Left edges of the items: centred as one row `gap` pixels apart, or, when
// spread, the first at the left of the area, the last at its right and the
// rest evenly between.
bool placeItems(const QList<PixelBitmap> &items, const LogoDefinition &definition, const QRect &area,
                QList<int> *lefts, QString *error)
{
    int inkWidth = 0;
    for (const PixelBitmap &item : items)
        inkWidth += item.width();
    const int gaps = int(items.size()) - 1;
    const bool spread = definition.spread && gaps > 0;
    const int needed = inkWidth + gaps * (spread ? 1 : definition.gap);
    if (needed > area.width()) {
        *error = u"the items are %1 pixels wide, the logo has room for %2"_s.arg(needed).arg(area.width());
        return false;
    }
    const int free = area.width() - inkWidth;
    int x = spread ? area.left() : area.left() + (area.width() - needed) / 2;
    for (int i = 0; i < items.size(); ++i) {
        lefts->append(x);
        // Spread gaps share the free pixels; the odd ones go to the middle.
        const int gap = spread ? free * (i + 1) / gaps - free * i / gaps : definition.gap;
        x += items.at(i).width() + gap;
    }
    return true;
}

QImage toImage(const PixelBitmap &canvas, bool inverted)
{
    QImage image(LogoWidth, LogoHeight, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int y = 0; y < LogoHeight; ++y) {
        for (int x = 0; x < LogoWidth; ++x)
            image.setPixel(x, y, canvas.isInk(x, y) != inverted ? 1 : 0);
    }
    return image;
}

} // namespace

bool renderText(const QString &text, FontFace face, int tracking, PixelBitmap *bitmap, QString *error)
{
    QList<PixelBitmap> glyphs;
    int width = 0;
    const int spacing = (face == FontFace::Big ? 2 : 1) + tracking;
    for (QChar c : text) {
        PixelBitmap glyph;
        if (!glyphFor(c, face, &glyph, error))
            return false;
        width += glyph.width() + (glyphs.isEmpty() ? 0 : spacing);
        glyphs.append(glyph);
    }
    if (glyphs.isEmpty()) {
        *error = u"an empty text"_s;
        return false;
    }
    PixelBitmap result(width, glyphs.first().height());
    int x = 0;
    for (const PixelBitmap &glyph : std::as_const(glyphs)) {
        blit(glyph, x, 0, &result);
        x += glyph.width() + spacing;
    }
    *bitmap = result;
    return true;
}

bool renderLogo(const LogoDefinition &definition, QImage *image, QString *error)
{
    QList<PixelBitmap> items;
    for (const LogoItem &item : definition.items) {
        PixelBitmap bitmap;
        if (!renderItem(item, &bitmap, error))
            return false;
        items.append(bitmap);
    }
    const QRect area = itemArea(definition.frame);
    QList<int> lefts;
    if (!placeItems(items, definition, area, &lefts, error))
        return false;
    PixelBitmap canvas(LogoWidth, LogoHeight);
    for (int i = 0; i < items.size(); ++i) {
        const PixelBitmap &item = items.at(i);
        if (item.height() > area.height()) {
            *error = u"item %1 is %2 rows high, the logo has room for %3"_s.arg(i + 1)
                         .arg(item.height())
                         .arg(area.height());
            return false;
        }
        blit(item, lefts.at(i), area.top() + (area.height() - item.height()) / 2, &canvas);
    }
    if (definition.frame != LogoFrame::None)
        drawFrame(definition.frame, &canvas);
    *image = toImage(canvas, definition.inverted);
    return true;
}

} // namespace brivello::logos
