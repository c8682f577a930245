#pragma once

#include <QImage>

#include <vector>

namespace brivello::ui {

class PictureBox;

// The button image list imgKnoppen: 28 pictures, numbered from 1. Every
// picture button of every window changes its look only by painting one.
class ButtonImages
{
public:
    ButtonImages();

    int count() const { return static_cast<int>(m_pictures.size()); }
    const QImage &picture(int number) const;
    // Paints picture `number` on the box by the painting rule.
    void paint(PictureBox &box, int number) const;

private:
    std::vector<QImage> m_pictures;
};

} // namespace brivello::ui
