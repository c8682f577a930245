#pragma once

#include <QImage>

// The image list imgScreens: a picture of a phone's screen for each tool,
// showing the tool at work. Drawn in code like every picture of the program;
// the screens are described in a table in ScreenPictures.cpp, so changing
// a screen means changing a row there.
namespace brivello::toolcatalogue {

constexpr int screenPictureCount = 31;
constexpr int screenPictureWidth = 160;
constexpr int screenPictureHeight = 120;

// Picture `number`, counted from 1. A number outside the list gives an
// empty screen of the same size.
QImage screenPicture(int number);

} // namespace brivello::toolcatalogue
