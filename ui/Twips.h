#pragma once

#include <QRect>

namespace brivello::ui {

// Positions and sizes of controls are given in twips; the screen has 15 of
// them to a pixel.
constexpr int twipsPerPixel = 15;

constexpr int twips(int value)
{
    return value >= 0 ? (value + twipsPerPixel / 2) / twipsPerPixel
                      : -((-value + twipsPerPixel / 2) / twipsPerPixel);
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

} // namespace brivello::ui
