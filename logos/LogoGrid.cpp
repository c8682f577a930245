#include "logos/LogoGrid.h"

#include "ui/Twips.h"

#include <Qt>

#include <algorithm>
#include <array>

namespace brivello::logos {

namespace {

constexpr std::array<int, 4> columnLefts{240, 2160, 4200, 6240};
constexpr std::array<int, 6> rowTops{120, 960, 1800, 2640, 3480, 4320};
constexpr int boxWidth = 1080;
constexpr int boxHeight = 210;
constexpr int boxesFilledByColumn = 16;
constexpr int rowsFilledByColumn = 4;

constexpr int columnCount = static_cast<int>(columnLefts.size());
constexpr int rowCount = static_cast<int>(rowTops.size());

struct Cell
{
    int row;
    int column;
};

Cell cellOf(int index)
{
    if (index < boxesFilledByColumn)
        return {index % rowsFilledByColumn, index / rowsFilledByColumn};
    return {rowsFilledByColumn + (index - boxesFilledByColumn) / columnCount,
            (index - boxesFilledByColumn) % columnCount};
}

int indexOf(Cell cell)
{
    if (cell.row < rowsFilledByColumn)
        return cell.column * rowsFilledByColumn + cell.row;
    return boxesFilledByColumn + (cell.row - rowsFilledByColumn) * columnCount + cell.column;
}

} // namespace

int logoBoxBeside(int index, int arrowKey)
{
    Cell cell = cellOf(index);
    switch (arrowKey) {
    case Qt::Key_Left:
        cell.column = std::max(cell.column - 1, 0);
        break;
    case Qt::Key_Right:
        cell.column = std::min(cell.column + 1, columnCount - 1);
        break;
    case Qt::Key_Up:
        cell.row = std::max(cell.row - 1, 0);
        break;
    case Qt::Key_Down:
        cell.row = std::min(cell.row + 1, rowCount - 1);
        break;
    default:
        break;
    }
    return indexOf(cell);
}

QRect logoBoxRect(int index)
{
    const auto [row, column] = cellOf(index);
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
