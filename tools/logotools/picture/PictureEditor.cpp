#include "tools/logotools/picture/PictureEditor.h"

#include "logos/pictures/LogoRenderer.h"
#include "tools/logotools/picture/PixelEdits.h"

using namespace Qt::StringLiterals;

namespace brivello::logotools {

namespace {

// Big letters are the normal capitals doubled; a letter with a tail below
// the seventh row has no big form.
constexpr int CapitalRows = 7;

QString textProblem(const TextSettings &text)
{
    const logos::PixelFont &font = logos::drawnFont(text.face);
    const QChar missing = font.firstMissing(text.text);
    if (!missing.isNull())
        return u"Il carattere «%1» non c'è in queste lettere."_s.arg(missing);
    if (text.face == logos::FontFace::Big) {
        for (QChar c : text.text) {
            const PixelBitmap *glyph = font.glyph(c);
            if (glyph && glyph->hasInkBelow(CapitalRows))
                return u"Le lettere grandi non hanno «%1»: usare le maiuscole."_s.arg(c);
        }
    }
    return u"Il testo non si può scrivere con queste lettere."_s;
}

QPoint clamped(QPoint at, QSize size)
{
    return {qBound(0, at.x(), size.width() - 1), qBound(0, at.y(), size.height() - 1)};
}

} // namespace

PictureEditor::PictureEditor(QSize size, QObject *parent)
    : QObject(parent), m_picture(size.width(), size.height()), m_saved(m_picture)
{}

PixelBitmap PictureEditor::shown() const
{
    if (m_stroke)
        return *m_stroke;
    if (m_anchor)
        return withShape(*m_anchor, m_shapeEnd, m_shapeInk);
    if (isStamp() && m_preview) {
        PixelBitmap result = m_picture;
        stamp(&result, stampBitmap(), *m_preview);
        return result;
    }
    return m_picture;
}

void PictureEditor::replace(const PixelBitmap &picture)
{
    m_stroke.reset();
    m_anchor.reset();
    commit(picture);
    setCursor(m_cursor);
}

void PictureEditor::reset(const PixelBitmap &picture)
{
    m_picture = picture;
    m_saved = picture;
    m_undo.clear();
    m_redo.clear();
    m_stroke.reset();
    m_anchor.reset();
    setCursor(m_cursor);
    Q_EMIT changed();
}

void PictureEditor::setTool(Tool tool)
{
    m_tool = tool;
    m_stroke.reset();
    m_anchor.reset();
    // A text or stamp shows where the keyboard would print it until the
    // pointer says otherwise.
    m_preview = m_cursor;
    Q_EMIT changed();
}

void PictureEditor::setTextSettings(const TextSettings &settings)
{
    m_text = settings;
    Q_EMIT changed();
}

void PictureEditor::setStampSettings(const StampSettings &settings)
{
    m_stamp = settings;
    Q_EMIT changed();
}

bool PictureEditor::isShape() const
{
    return m_tool == Tool::Line || m_tool == Tool::Rectangle || m_tool == Tool::FilledRectangle;
}

PixelBitmap PictureEditor::withShape(QPoint from, QPoint to, bool ink) const
{
    PixelBitmap result = m_picture;
    if (m_tool == Tool::Line)
        drawLine(&result, from, to, ink);
    else
        drawRectangle(&result, from, to, ink, m_tool == Tool::FilledRectangle);
    return result;
}

PixelBitmap PictureEditor::stampBitmap(QString *problem) const
{
    const auto fail = [problem](const QString &reason) {
        if (problem)
            *problem = reason;
        return PixelBitmap();
    };
    if (m_tool == Tool::Text) {
        if (m_text.text.isEmpty())
            return fail(u"Scrivere prima il testo da mettere nel disegno."_s);
        PixelBitmap bitmap;
        QString error;
        if (!logos::renderText(m_text.text, m_text.face, m_text.tracking, &bitmap, &error))
            return fail(textProblem(m_text));
        return bitmap;
    }
    const auto &icons = logos::builtInIcons();
    const auto icon = icons.constFind(m_stamp.icon);
    if (icon == icons.cend())
        return fail(u"Scegliere prima una figura da stampare."_s);
    return m_stamp.mirrored ? icon->mirrored() : *icon;
}

void PictureEditor::stampAt(QPoint at)
{
    QString reason;
    const PixelBitmap source = stampBitmap(&reason);
    if (source.width() == 0) {
        Q_EMIT problem(reason);
        return;
    }
    PixelBitmap result = m_picture;
    stamp(&result, source, at);
    commit(result);
}

void PictureEditor::commit(const PixelBitmap &picture)
{
    if (picture != m_picture) {
        m_undo.append(m_picture);
        if (m_undo.size() > HistoryLimit)
            m_undo.removeFirst();
        m_redo.clear();
        m_picture = picture;
    }
    Q_EMIT changed();
}

void PictureEditor::setCursor(QPoint at)
{
    const QPoint inside = clamped(at, size());
    if (inside == m_cursor)
        return;
    m_cursor = inside;
    Q_EMIT cursorMoved(m_cursor);
}

void PictureEditor::press(QPoint at, bool ink)
{
    setCursor(at);
    if (isStroke()) {
        m_stroke = m_picture;
        m_strokeInk = strokeInk(ink);
        drawLine(&*m_stroke, at, at, m_strokeInk);
        m_last = at;
        Q_EMIT changed();
    } else if (isShape()) {
        m_anchor = at;
        m_shapeEnd = at;
        m_shapeInk = ink;
        Q_EMIT changed();
    } else if (m_tool == Tool::Fill) {
        PixelBitmap result = m_picture;
        floodFill(&result, at, ink);
        commit(result);
    } else if (ink) {
        stampAt(at);
    }
}

void PictureEditor::drag(QPoint at)
{
    setCursor(at);
    if (m_stroke) {
        drawLine(&*m_stroke, m_last, at, m_strokeInk);
        m_last = at;
        Q_EMIT changed();
    } else if (m_anchor) {
        m_shapeEnd = at;
        Q_EMIT changed();
    } else {
        hover(at);
    }
}

void PictureEditor::release(QPoint at)
{
    if (m_stroke) {
        drag(at);
        const PixelBitmap result = *m_stroke;
        m_stroke.reset();
        commit(result);
    } else if (m_anchor) {
        const PixelBitmap result = withShape(*m_anchor, at, m_shapeInk);
        m_anchor.reset();
        commit(result);
    }
}

void PictureEditor::hover(QPoint at)
{
    if (!isStamp() || m_preview == at)
        return;
    m_preview = at;
    Q_EMIT changed();
}

void PictureEditor::leave()
{
    if (!m_preview)
        return;
    m_preview.reset();
    Q_EMIT changed();
}

void PictureEditor::moveCursor(int dx, int dy, bool drawing)
{
    const QPoint from = m_cursor;
    setCursor(m_cursor + QPoint(dx, dy));
    if (m_anchor)
        m_shapeEnd = m_cursor;
    if (isStamp())
        m_preview = m_cursor;
    if (drawing && isStroke()) {
        PixelBitmap result = m_picture;
        drawLine(&result, from, m_cursor, m_tool == Tool::Pencil);
        commit(result);
        return;
    }
    Q_EMIT changed();
}

void PictureEditor::act()
{
    if (isStroke()) {
        PixelBitmap result = m_picture;
        result.setInk(m_cursor.x(), m_cursor.y(), m_tool == Tool::Pencil);
        commit(result);
    } else if (isShape()) {
        if (!m_anchor) {
            m_anchor = m_cursor;
            m_shapeEnd = m_cursor;
            m_shapeInk = true;
            Q_EMIT changed();
            return;
        }
        const PixelBitmap result = withShape(*m_anchor, m_cursor, true);
        m_anchor.reset();
        commit(result);
    } else if (m_tool == Tool::Fill) {
        PixelBitmap result = m_picture;
        floodFill(&result, m_cursor, true);
        commit(result);
    } else {
        stampAt(m_cursor);
    }
}

void PictureEditor::cancel()
{
    if (!m_anchor && !m_stroke)
        return;
    m_anchor.reset();
    m_stroke.reset();
    Q_EMIT changed();
}

void PictureEditor::invert()
{
    PixelBitmap result = m_picture;
    logotools::invert(&result);
    replace(result);
}

void PictureEditor::shift(int dx, int dy)
{
    replace(shifted(m_picture, dx, dy));
}

void PictureEditor::clear()
{
    replace(PixelBitmap(m_picture.width(), m_picture.height()));
}

void PictureEditor::undo()
{
    if (m_undo.isEmpty())
        return;
    m_stroke.reset();
    m_anchor.reset();
    m_redo.append(m_picture);
    m_picture = m_undo.takeLast();
    setCursor(m_cursor);
    Q_EMIT changed();
}

void PictureEditor::redo()
{
    if (m_redo.isEmpty())
        return;
    m_stroke.reset();
    m_anchor.reset();
    m_undo.append(m_picture);
    m_picture = m_redo.takeLast();
    setCursor(m_cursor);
    Q_EMIT changed();
}

void PictureEditor::setSaved()
{
    m_saved = m_picture;
    Q_EMIT changed();
}

} // namespace brivello::logotools
