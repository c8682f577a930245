#pragma once

#include "logos/pictures/PixelBitmap.h"

#include <QWidget>

namespace brivello::logotools {

// A phone's green display: each dot of the screen a square of `dotSize`
// pixels, dark on the lit background, with the faint gaps between dots an
// LCD shows.
class PhoneScreenView : public QWidget
{
    Q_OBJECT
public:
    explicit PhoneScreenView(int dotSize, QWidget *parent = nullptr);

    void setScreen(const logos::PixelBitmap &screen);
    const logos::PixelBitmap &screen() const { return m_screen; }
    int dotSize() const { return m_dotSize; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static const QColor Backlight;
    static const QColor Dot;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_dotSize;
    logos::PixelBitmap m_screen;
};

} // namespace brivello::logotools
