#include "ui/ButtonImages.h"

#include "resources/Artwork.h"
#include "ui/PictureBox.h"

namespace brivello::ui {

ButtonImages::ButtonImages()
{
    m_pictures.reserve(resources::buttonPictureCount);
    for (int number = 1; number <= resources::buttonPictureCount; ++number)
        m_pictures.push_back(resources::buttonPicture(number));
}

const QImage &ButtonImages::picture(int number) const
{
    return m_pictures.at(static_cast<std::size_t>(number - 1));
}

void ButtonImages::paint(PictureBox &box, int number) const
{
    box.paintPicture(picture(number));
}

} // namespace brivello::ui
