#pragma once

#include <QObject>

namespace brivello::ringtones {

class frmRing;

// The lower half of the ringtone window: the phone model options and the
// phone code, notes count and tempo of the selected ringtone.
class RingtoneDetails : public QObject
{
    Q_OBJECT
public:
    explicit RingtoneDetails(frmRing &window);

    // The row-selection step: finds the record of the selected row and shows
    // its details; a missing or no-result row clears blnSongSelected, and so
    // does a catalogue that fails, after the user has been told why.
    void showSelectedRow();
    void lstMain_ItemClick() { showSelectedRow(); }
    void lstMain_Click() { showSelectedRow(); }

    void optNokHand_Click() { choosePhoneModel(1); }
    void optNokScherm_Click() { choosePhoneModel(2); }
    void optSim_Click() { choosePhoneModel(3); }
    void optEric_Click() { choosePhoneModel(4); }
    void optMot_Click() { choosePhoneModel(5); }

    // The criteria that find the record of one row. Quotes in the stored
    // values are doubled, so a title such as L'Estate finds its own record.
    static QString rowCriteria(const QString &song, const QString &artist, const QString &file);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRecordOfSelectedRow();
    void choosePhoneModel(int phoneType);
    void connectControls();

    frmRing &m_window;
};

} // namespace brivello::ringtones
