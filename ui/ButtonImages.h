#pragma once

#include <QImage>

#include <vector>

namespace brivello::ui {

class PictureBox;

// The pictures of the list by what they show; the values are the list's
// numbers. Each navigation button has a picture at rest and a lit one right
// after it.
enum class ButtonPicture : int {
    RingTones = 1,
    RingTonesLit = 2,
    Logo = 3,
    LogoLit = 4,
    Tools = 5,
    ToolsLit = 6,
    Doc = 7,
    DocLit = 8,
    Quit = 9,
    QuitLit = 10,
    Help = 11,
    HelpLit = 12,
    Search = 13,
    SearchPressed = 14,
    Play = 15,
    PlayLit = 16,
    Stop = 17,
    StopIdle = 18,
    Next = 19,
    NextLit = 20,
    Previous = 21,
    PreviousLit = 22,
    Export = 23,
    ExportPressed = 24,
    PreviousGreyed = 27,
    NextGreyed = 28,
};

// The lit picture of a navigation button's picture at rest.
constexpr ButtonPicture lit(ButtonPicture atRest)
{
    return static_cast<ButtonPicture>(static_cast<int>(atRest) + 1);
}

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
    const QImage &picture(ButtonPicture which) const { return picture(static_cast<int>(which)); }
    // Paints the picture on the box by the painting rule; on a box of a
    // hidden window when the window is first shown.
    void paint(PictureBox &box, ButtonPicture which) const;

private:
    mutable std::vector<QImage> m_pictures; // null until drawn
};

} // namespace brivello::ui
