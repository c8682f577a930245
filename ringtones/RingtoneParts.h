#pragma once

#include "ringtones/RingtoneListModel.h"

#include <QString>

#include <cstdint>
#include <optional>

class QTreeView;

namespace brivello::data {
class DataSource;
}

namespace brivello::ringtones {

// What the ringtone window's helpers share. Each helper gets the controls it
// drives and these, never the window itself.

// The window's state that outlives one handler.
struct RingtoneState
{
    // The criteria of the last search pass or record lookup.
    QString strCriteria;
    std::int32_t lngFound = 0;
    // The phone model whose code is shown, 1 to 5.
    int bytPhoneType = 1;
    bool blnSongSelected = false;
    bool blnPlaying = false;
    // True while the window itself moves the selection, which is no
    // selection by the user.
    bool selectingQuietly = false;
};

// The list of ringtones: the view the user picks in and the rows it shows.
struct RingtoneList
{
    QTreeView &view;
    RingtoneListModel &model;

    // The ringtone of the current row; none for an empty list, no current
    // row or the no-result row.
    std::optional<RingtoneRow> selected() const;
};

// Finds the record of a ringtone in the catalogue's ringtone table.
class RingtoneRecords
{
public:
    // The table positioned on the first record that satisfies `criteria`,
    // null when none does. Keeps the criteria as the window's last ones;
    // waits for the table's background read; throws data::CatalogueError
    // when the table cannot be read.
    virtual data::DataSource *findRecord(const QString &criteria) = 0;

protected:
    ~RingtoneRecords() = default;
};

} // namespace brivello::ringtones
