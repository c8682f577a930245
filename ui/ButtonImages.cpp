#include "ui/ButtonImages.h"

#include "resources/Artwork.h"
#include "ui/PictureBox.h"

namespace brivello::ui {

ButtonImages::ButtonImages() : m_pictures(resources::buttonPictureCount) {}

const QImage &ButtonImages::picture(int number) const
{
    QImage &slot = m_pictures.at(static_cast<std::size_t>(number - 1));
    if (slot.isNull())
        slot = resources::buttonPicture(number);
    return slot;
}

void ButtonImages::paint(PictureBox &box, ButtonPicture which) const
{
    box.paintWhenShown([this, which] { return picture(which); });
}

} // namespace brivello::ui
