#include "ui/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace brivello::ui {

PictureBox::PictureBox(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_canvas = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
    m_canvas.fill(Qt::black);
}

void PictureBox::paintPicture(const QImage &picture)
{
    if (!m_pending.empty()) {
        m_pending.push_back([picture] { return picture; });
        return;
    }
    drawOnCanvas(picture);
    update();
}

void PictureBox::paintWhenShown(std::function<QImage()> draw)
{
    if (window()->isVisible() && m_pending.empty()) {
        drawOnCanvas(draw());
        update();
        return;
    }
    m_pending.push_back(std::move(draw));
}

const QImage &PictureBox::canvas() const
{
    paintPending();
    return m_canvas;
}

void PictureBox::drawOnCanvas(const QImage &picture) const
{
    fitCanvas();
    QPainter painter(&m_canvas);
    painter.drawImage(QPoint(0, 0), picture);
}

void PictureBox::paintPending() const
{
    // Taken out first: a drawing may ask for the canvas itself.
    std::vector<std::function<QImage()>> pending;
    pending.swap(m_pending);
    for (const auto &draw : pending)
        drawOnCanvas(draw());
}

void PictureBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_pending.empty()) {
        paintPending();
        update();
    }
}

void PictureBox::setBorder(bool border)
{
    m_border = border;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    paintPending();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_canvas);
    if (m_border) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::resizeEvent(QResizeEvent *)
{
    fitCanvas();
}

// The canvas follows the size of the box and keeps what was painted on it.
// A box resized while hidden hears of it only when shown, so painting checks
// the size too.
void PictureBox::fitCanvas() const
{
    if (m_canvas.size() == size() || size().isEmpty())
        return;
    QImage grown(size(), QImage::Format_ARGB32_Premultiplied);
    grown.fill(Qt::black);
    QPainter painter(&grown);
    painter.drawImage(QPoint(0, 0), m_canvas);
    painter.end();
    m_canvas = grown;
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved();
    event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    event->accept();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    Q_EMIT doubleClicked();
    event->accept();
}

} // namespace brivello::ui
