#pragma once

#include <QImage>

#include <vector>

namespace brivello::ui {

class PictureBox;

// The button image list imgKnoppen: 28 pictures, numbered from 1. Every
// picture button of every window changes its look only by painting one.
// Each picture is drawn the first time it is asked for, so the start-up draws
// only those the home window shows.
class ButtonImages
{
public:
    ButtonImages();

    int count() const { return static_cast<int>(m_pictures.size()); }
    const QImage &picture(int number) const;
    // Paints picture `number` on the box by the painting rule; on a box of a
    // hidden window when the window is first shown.
    void paint(PictureBox &box, int number) const;

private:
    mutable std::vector<QImage> m_pictures; // null until drawn
};

} // namespace brivello::ui
