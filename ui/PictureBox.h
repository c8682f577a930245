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

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void mouseMoved();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

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
