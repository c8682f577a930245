#pragma once

#include <QWidget>

namespace brivello::logotools {

class PictureEditor;

// The picture enlarged, one square per pixel, on which the user draws with
// the pointer or the keyboard: the arrow keys move the cursor (with Shift the
// pencil and the eraser draw along), the space bar or Enter uses the tool at
// the cursor, Escape drops a line or rectangle under way.
class PixelCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit PixelCanvas(PictureEditor &editor, QWidget *parent = nullptr);

    static constexpr int MinimumZoom = 2;
    static constexpr int MaximumZoom = 24;
    int zoom() const { return m_zoom; }
    void setZoom(int zoom);

    // The picture pixel under a point of the widget (outside the picture
    // when the point is), and the square a pixel takes.
    QPoint pixelAt(QPoint position) const;
    QRect pixelRect(QPoint pixel) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void zoomChanged(int zoom);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void followPicture();

    PictureEditor &m_editor;
    int m_zoom = 10;
    bool m_pressed = false;
    Qt::MouseButton m_button = Qt::NoButton;
};

} // namespace brivello::logotools
