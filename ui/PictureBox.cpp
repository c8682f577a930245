#include "ui/PictureBox.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace brivello::ui {

namespace {

// What assistive technology sees of a picture box: a button, named by its
// tooltip or, without one, by its accessible name, that can be pressed; a
// mere picture when nothing answers its click.
class PictureBoxAccessible : public QAccessibleWidget
{
public:
    explicit PictureBoxAccessible(PictureBox *box) : QAccessibleWidget(box, QAccessible::Button) {}

    PictureBox *box() const { return static_cast<PictureBox *>(widget()); }

    QAccessible::Role role() const override
    {
        return box()->isButton() ? QAccessible::Button : QAccessible::Graphic;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name) {
            const QString tip = box()->toolTip().trimmed();
            return tip.isEmpty() ? box()->accessibleName() : tip;
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = box()->isButton();
        // A box with a border is the selected one (the logo gallery's).
        state.checkable = box()->isButton() && box()->hasBorder();
        state.checked = box()->hasBorder();
        return state;
    }

    QStringList actionNames() const override
    {
        return box()->isButton() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction() && box()->isButton())
            box()->press();
    }
};

QAccessibleInterface *pictureBoxAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(PictureBox::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new PictureBoxAccessible(static_cast<PictureBox *>(object));
    return nullptr;
}

bool isOpaque(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return true;
    if (picture.format() != QImage::Format_ARGB32_Premultiplied && picture.format() != QImage::Format_ARGB32)
        return false;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        if (std::any_of(line, line + picture.width(), [](QRgb pixel) { return qAlpha(pixel) != 255; }))
            return false;
    }
    return true;
}

void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(pictureBoxAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

PictureBox::PictureBox(const QString &name, QWidget *parent) : QWidget(parent)
{
    installAccessibleFactory();
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
    fitCanvas();
    return m_canvas;
}

void PictureBox::drawOnCanvas(const QImage &picture) const
{
    // A picture that fills the box and has nothing see-through hides all that
    // was painted before: it becomes the canvas, with no copy and no blending.
    if (!size().isEmpty() && picture.size() == size() && isOpaque(picture)) {
        m_canvas = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        return;
    }
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
    fitCanvas();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_canvas);
    if (m_border) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    // Where the keyboard is: a dotted frame, light on dark and dark on light.
    if (hasFocus()) {
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

bool PictureBox::isButton() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&PictureBox::clicked));
}

void PictureBox::press()
{
    Q_EMIT clicked();
}

// The Tab key reaches a button once something answers its click; a mouse
// click does not move the focus, so nothing changes for the mouse.
void PictureBox::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&PictureBox::clicked))
        setFocusPolicy(Qt::TabFocus);
    QWidget::connectNotify(signal);
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (isButton() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        // A key held down presses once, as a button held down clicks once.
        event->accept();
        if (!event->isAutoRepeat())
            press();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureBox::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void PictureBox::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

// The canvas follows the size of the box and keeps what was painted on it. It
// is fitted when next painted on or shown, not on every resize: a box about to
// be covered by a picture of its size need not copy its old canvas first.
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
