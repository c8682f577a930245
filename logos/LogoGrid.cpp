#include "logos/LogoGrid.h"

#include "ui/Twips.h"

#include <array>

namespace brivello::logos {

namespace {

constexpr std::array<int, 4> columnLefts{240, 2160, 4200, 6240};
constexpr std::array<int, 6> rowTops{120, 960, 1800, 2640, 3480, 4320};
constexpr int boxWidth = 1080;
constexpr int boxHeight = 210;
constexpr int boxesFilledByColumn = 16;
constexpr int rowsFilledByColumn = 4;

} // namespace

QRect logoBoxRect(int index)
{
    int column = 0;
    int row = 0;
    if (index < boxesFilledByColumn) {
        column = index / rowsFilledByColumn;
        row = index % rowsFilledByColumn;
    } else {
        column = (index - boxesFilledByColumn) % static_cast<int>(columnLefts.size());
        row = rowsFilledByColumn + (index - boxesFilledByColumn) / static_cast<int>(columnLefts.size());
    }
    // Box 17 has always stood one pixel above the other boxes of its row.
    const int top = index == 17 ? 3465 : rowTops.at(static_cast<std::size_t>(row));
    return ui::twipsRect(columnLefts.at(static_cast<std::size_t>(column)), top, boxWidth, boxHeight);
}

int pageCount(int logoCount)
{
    return logoCount <= 0 ? 1 : (logoCount + logoBoxCount - 1) / logoBoxCount;
}

std::uint8_t firstLogoOfLastPage(int logoCount)
{
    return static_cast<std::uint8_t>((pageCount(logoCount) - 1) * logoBoxCount);
}

} // namespace brivello::logos
