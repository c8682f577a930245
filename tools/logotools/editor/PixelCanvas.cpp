#include "tools/logotools/editor/PixelCanvas.h"

#include "tools/logotools/picture/PictureEditor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace brivello::logotools {

namespace {

// A grid between the squares only once they are large enough to need it.
constexpr int GridFromZoom = 6;
const QColor Paper(Qt::white);
const QColor Ink(Qt::black);
const QColor Grid(210, 210, 210);
const QColor Cursor(0, 120, 215);
const QColor PendingInk(60, 90, 170);
const QColor PendingPaper(240, 190, 190);

} // namespace

PixelCanvas::PixelCanvas(PictureEditor &editor, QWidget *parent) : QWidget(parent), m_editor(editor)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(u"Disegno ingrandito"_s);
    connect(&m_editor, &PictureEditor::changed, this, &PixelCanvas::followPicture);
    connect(&m_editor, &PictureEditor::cursorMoved, this, qOverload<>(&QWidget::update));
    followPicture();
}

void PixelCanvas::setZoom(int zoom)
{
    zoom = qBound(MinimumZoom, zoom, MaximumZoom);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    followPicture();
    Q_EMIT zoomChanged(m_zoom);
}

void PixelCanvas::followPicture()
{
    const QSize wanted = sizeHint();
    if (size() != wanted) {
        setFixedSize(wanted);
        updateGeometry();
    }
    update();
}

QSize PixelCanvas::sizeHint() const
{
    return m_editor.size() * m_zoom + QSize(1, 1);
}

QPoint PixelCanvas::pixelAt(QPoint position) const
{
    // Division that rounds down, so that points left of or above the picture
    // fall outside it.
    const auto cell = [this](int coordinate) {
        return coordinate >= 0 ? coordinate / m_zoom : -((-coordinate + m_zoom - 1) / m_zoom);
    };
    return {cell(position.x()), cell(position.y())};
}

QRect PixelCanvas::pixelRect(QPoint pixel) const
{
    return QRect(pixel * m_zoom, QSize(m_zoom, m_zoom));
}

void PixelCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Paper);
    // What a step under way would change shows in its own colours until it
    // is done: a stamp under the pointer is not yet in the drawing.
    const PixelBitmap shown = m_editor.shown();
    const PixelBitmap &picture = m_editor.picture();
    const bool sameSize = picture.width() == shown.width() && picture.height() == shown.height();
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const bool ink = shown.isInk(x, y);
            if (sameSize && ink != picture.isInk(x, y))
                painter.fillRect(pixelRect({x, y}), ink ? PendingInk : PendingPaper);
            else if (ink)
                painter.fillRect(pixelRect({x, y}), Ink);
        }
    }
    if (m_zoom >= GridFromZoom) {
        painter.setPen(Grid);
        for (int x = 0; x <= shown.width(); ++x)
            painter.drawLine(x * m_zoom, 0, x * m_zoom, shown.height() * m_zoom);
        for (int y = 0; y <= shown.height(); ++y)
            painter.drawLine(0, y * m_zoom, shown.width() * m_zoom, y * m_zoom);
    }
    if (hasFocus()) {
        QPen pen(Cursor);
        pen.setWidth(2);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(pixelRect(m_editor.cursor()).adjusted(1, 1, -1, -1));
    }
}

void PixelCanvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    setFocus(Qt::MouseFocusReason);
    m_pressed = true;
    m_button = event->button();
    m_editor.press(pixelAt(event->position().toPoint()), m_button == Qt::LeftButton);
}

void PixelCanvas::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pixel = pixelAt(event->position().toPoint());
    if (m_pressed)
        m_editor.drag(pixel);
    else
        m_editor.hover(pixel);
}

void PixelCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressed || event->button() != m_button)
        return;
    m_pressed = false;
    m_editor.release(pixelAt(event->position().toPoint()));
}

void PixelCanvas::leaveEvent(QEvent *)
{
    if (!m_pressed)
        m_editor.leave();
}

void PixelCanvas::keyPressEvent(QKeyEvent *event)
{
    const bool drawing = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        m_editor.moveCursor(-1, 0, drawing);
        return;
    case Qt::Key_Right:
        m_editor.moveCursor(1, 0, drawing);
        return;
    case Qt::Key_Up:
        m_editor.moveCursor(0, -1, drawing);
        return;
    case Qt::Key_Down:
        m_editor.moveCursor(0, 1, drawing);
        return;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_editor.act();
        return;
    case Qt::Key_Escape:
        if (m_editor.hasPendingShape()) {
            m_editor.cancel();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void PixelCanvas::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void PixelCanvas::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace brivello::logotools
