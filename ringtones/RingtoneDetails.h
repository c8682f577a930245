#pragma once

#include "ringtones/RingtoneParts.h"

#include <QObject>

#include <array>

class QLineEdit;
class QRadioButton;
class QTextEdit;

namespace brivello::platform {
class MessageBox;
}

namespace brivello::ringtones {

// The lower half of the ringtone window: the phone model options and the
// phone code, notes count and tempo of the selected ringtone.
class RingtoneDetails : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        RingtoneList list;
        // The options of phone models 1 to 5.
        std::array<QRadioButton *, 5> phoneOptions;
        QTextEdit &txtCode;
        QLineEdit &txtNoten;
        QLineEdit &txtTempo;
    };

    RingtoneDetails(const Controls &controls, RingtoneState &state, RingtoneRecords &records,
                    platform::MessageBox &messageBox, QObject *parent);

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

    // Empties the code, notes count and tempo.
    void clear();

    // The criteria that find the record of one row. Quotes in the stored
    // values are doubled, so a title such as L'Estate finds its own record.
    static QString rowCriteria(const QString &song, const QString &artist, const QString &file);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRecordOfSelectedRow();
    void choosePhoneModel(int phoneType);
    void connectControls();

    Controls m_controls;
    RingtoneState &m_state;
    RingtoneRecords &m_records;
    platform::MessageBox &m_messageBox;
};

} // namespace brivello::ringtones
