#include "ringtones/RingtoneDetails.h"

#include "data/Criteria.h"
#include "data/DataSource.h"
#include "ui/HandlerGuard.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace brivello::ringtones {

namespace {

// The field of Main that holds the code for each phone model, 1 to 5.
QStringView codeField(int phoneType)
{
    static const char16_t *const fields[] = {u"nokia_hand", u"nokia_scherm", u"siemens", u"ericsson",
                                             u"motorola"};
    return fields[phoneType - 1];
}

} // namespace

RingtoneDetails::RingtoneDetails(const Controls &controls, RingtoneState &state, RingtoneRecords &records,
                                 platform::MessageBox &messageBox, QObject *parent)
    : QObject(parent), m_controls(controls), m_state(state), m_records(records), m_messageBox(messageBox)
{
    connectControls();
}

void RingtoneDetails::connectControls()
{
    QTreeView &list = m_controls.list.view;
    connect(&list, &QAbstractItemView::clicked, this, &RingtoneDetails::lstMain_Click);
    list.installEventFilter(this);
    connect(list.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                // Rows a search adds select the first one without telling anybody.
                if (current.isValid() && !m_state.selectingQuietly)
                    lstMain_ItemClick();
            });
    for (int phoneType = 1; phoneType <= 5; ++phoneType)
        connect(m_controls.phoneOptions[static_cast<size_t>(phoneType - 1)], &QAbstractButton::clicked, this,
                [this, phoneType] { choosePhoneModel(phoneType); });
}

// The row a search selects quietly is picked with the space bar, as a click
// on it picks it; the list still selects the row as it does for the key.
bool RingtoneDetails::eventFilter(QObject *watched, QEvent *event)
{
    // The type first: other events reach the filter while the window is destroyed.
    if (event->type() == QEvent::KeyPress && watched == &m_controls.list.view) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier &&
            m_controls.list.view.currentIndex().isValid())
            lstMain_Click();
    }
    return QObject::eventFilter(watched, event);
}

QString RingtoneDetails::rowCriteria(const QString &song, const QString &artist, const QString &file)
{
    return u"song = '"_s + data::quoteLiteral(song) + u"' and artiest = '"_s + data::quoteLiteral(artist) +
           u"' and bestand = '"_s + data::quoteLiteral(file) + u"'"_s;
}

void RingtoneDetails::clear()
{
    m_controls.txtCode.clear();
    m_controls.txtNoten.clear();
    m_controls.txtTempo.clear();
}

void RingtoneDetails::showSelectedRow()
{
    if (ui::runHandler(m_messageBox, [this] { showRecordOfSelectedRow(); }))
        return;
    m_controls.txtCode.clear();
    m_state.blnSongSelected = false;
}

void RingtoneDetails::showRecordOfSelectedRow()
{
    const std::optional<RingtoneRow> selected = m_controls.list.selected();
    if (!selected) {
        m_state.blnSongSelected = false;
        return;
    }
    const data::DataSource *record =
        m_records.findRecord(rowCriteria(selected->song, selected->artist, selected->file));
    if (!record) {
        // The record is gone from the catalogue: show nothing rather than the
        // details of whatever row the source stood on.
        m_controls.txtCode.clear();
        m_state.blnSongSelected = false;
        return;
    }
    m_controls.txtCode.setPlainText(record->field(codeField(m_state.bytPhoneType)));
    m_controls.txtNoten.setText(u"Quantità di note: "_s + record->field(u"aantalnoten"));
    m_controls.txtTempo.setText(u"Velocità: "_s + record->field(u"tempo"));
    m_state.blnSongSelected = true;
}

void RingtoneDetails::choosePhoneModel(int phoneType)
{
    if (m_controls.phoneOptions[static_cast<size_t>(phoneType - 1)]->isChecked()) {
        m_state.bytPhoneType = phoneType;
        if (m_controls.list.model.rowCount() > 0)
            showSelectedRow();
    }
    m_controls.list.view.setFocus();
}

} // namespace brivello::ringtones
