#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

namespace brivello::ui {

// A picture box: shows what has been painted on it and reports clicks and
// mouse moves. What is painted stays until a later painting covers it, also
// when the window is hidden and shown again.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(const QString &name, QWidget *parent = nullptr);

    // Draws `picture` at the top-left corner at its own size, over what the
    // box showed before.
    void paintPicture(const QImage &picture);
    // The same with a picture that `draw` makes. While the box's window is
    // hidden the drawing waits for its showing (or for canvas()), so that
    // windows loaded hidden at start-up draw nothing before they are needed.
    // Paintings keep their order.
    void paintWhenShown(std::function<QImage()> draw);
    // What the box shows now.
    const QImage &canvas() const;

    // A single-line border around the box.
    void setBorder(bool border);
    bool hasBorder() const { return m_border; }

    // A box something answers the click of is a picture button: the Tab key
    // reaches it, Enter or the space bar press it, a dotted frame shows the
    // focus, and assistive technology sees a button named by its tooltip or,
    // without one, by its accessible name (the role it plays).
    bool isButton() const;
    // Presses the button, as a click does.
    void press();

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void mouseMoved();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void connectNotify(const QMetaMethod &signal) override;

private:
    void fitCanvas() const;
    void drawOnCanvas(const QImage &picture) const;
    void paintPending() const;

    // The canvas is drawn on when it is first looked at, hence mutable.
    mutable QImage m_canvas;
    mutable std::vector<std::function<QImage()>> m_pending;
    bool m_border = false;
};

} // namespace brivello::ui
