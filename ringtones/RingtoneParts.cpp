#include "ringtones/RingtoneParts.h"

#include <QTreeView>

namespace brivello::ringtones {

std::optional<RingtoneRow> RingtoneList::selected() const
{
    const int row = view.currentIndex().row();
    if (model.rowCount() == 0 || row < 0 || row >= model.rowCount() || model.isNoResult(row))
        return std::nullopt;
    return model.row(row);
}

} // namespace brivello::ringtones
