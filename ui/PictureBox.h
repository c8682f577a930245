#pragma once

#include <QImage>
#include <QWidget>

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
    // What the box shows now.
    const QImage &canvas() const { return m_canvas; }

    // A single-line border around the box.
    void setBorder(bool border);

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void fitCanvas();

    QImage m_canvas;
    bool m_border = false;
};

} // namespace brivello::ui
