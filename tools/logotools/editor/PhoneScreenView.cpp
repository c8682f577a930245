#include "tools/logotools/editor/PhoneScreenView.h"

#include "tools/logotools/picture/PhoneScreen.h"

#include <QPainter>

namespace brivello::logotools {

const QColor PhoneScreenView::Backlight(148, 178, 96);
const QColor PhoneScreenView::Dot(30, 42, 24);

namespace {

// A margin of lit glass around the dots.
constexpr int Margin = 4;
const QColor Gap(139, 168, 90);

} // namespace

PhoneScreenView::PhoneScreenView(int dotSize, QWidget *parent)
    : QWidget(parent), m_dotSize(dotSize), m_screen(PhoneScreenSize.width(), PhoneScreenSize.height())
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(sizeHint());
}

void PhoneScreenView::setScreen(const logos::PixelBitmap &screen)
{
    m_screen = screen;
    update();
}

QSize PhoneScreenView::sizeHint() const
{
    const int margin = m_dotSize > 1 ? Margin : 1;
    return PhoneScreenSize * m_dotSize + QSize(2 * margin, 2 * margin);
}

void PhoneScreenView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Backlight);
    const int margin = m_dotSize > 1 ? Margin : 1;
    // At three pixels or more a dot leaves a one-pixel gap, as on the glass.
    const int inset = m_dotSize >= 3 ? 1 : 0;
    for (int y = 0; y < m_screen.height(); ++y) {
        for (int x = 0; x < m_screen.width(); ++x) {
            const QRect dot(margin + x * m_dotSize, margin + y * m_dotSize, m_dotSize - inset,
                            m_dotSize - inset);
            painter.fillRect(dot, m_screen.isInk(x, y) ? Dot : (inset ? Gap.lighter(104) : Backlight));
        }
    }
}

} // namespace brivello::logotools
