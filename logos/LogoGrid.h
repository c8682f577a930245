#pragma once

#include <QRect>

#include <cstdint>

namespace brivello::logos {

// The gallery shows 24 logos to a page.
inline constexpr int logoBoxCount = 24;

// Where box `index` stands inside the frame, in pixels. Boxes 0 to 15 fill
// the first four rows column by column; boxes 16 to 23 fill rows five and six
// from left to right.
QRect logoBoxRect(int index);

// The box an arrow key moves to from box `index`: the neighbour on screen in
// that direction (Qt::Key_Left, Key_Right, Key_Up, Key_Down), or `index`
// itself at the edge of the grid or for another key.
int logoBoxBeside(int index, int arrowKey);

// The pages of a list of `logoCount` logos and the first logo (from 0) of its
// last page. A list whose length is a multiple of 24 ends on a full page.
int pageCount(int logoCount);
std::uint8_t firstLogoOfLastPage(int logoCount);

} // namespace brivello::logos
