#include "ringtones/RingtoneDetails.h"

#include "data/Criteria.h"
#include "data/DataSource.h"
#include "platform/Platform.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/frmRing.h"
#include "ui/HandlerGuard.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeView>

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

RingtoneDetails::RingtoneDetails(frmRing &window) : QObject(&window), m_window(window)
{
    connectControls();
}

void RingtoneDetails::connectControls()
{
    QTreeView &list = m_window.lstMain();
    connect(&list, &QAbstractItemView::clicked, this, &RingtoneDetails::lstMain_Click);
    list.installEventFilter(this);
    connect(list.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                // Rows a search adds select the first one without telling anybody.
                if (current.isValid() && !m_window.selectingQuietly())
                    lstMain_ItemClick();
            });
    for (int phoneType = 1; phoneType <= 5; ++phoneType)
        connect(&m_window.phoneOption(phoneType), &QAbstractButton::clicked, this,
                [this, phoneType] { choosePhoneModel(phoneType); });
}

// The row a search selects quietly is picked with the space bar, as a click
// on it picks it; the list still selects the row as it does for the key.
bool RingtoneDetails::eventFilter(QObject *watched, QEvent *event)
{
    // The type first: other events reach the filter while the window is destroyed.
    if (event->type() == QEvent::KeyPress && watched == &m_window.lstMain()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier &&
            m_window.lstMain().currentIndex().isValid())
            lstMain_Click();
    }
    return QObject::eventFilter(watched, event);
}

QString RingtoneDetails::rowCriteria(const QString &song, const QString &artist, const QString &file)
{
    return QStringLiteral("song = '") + data::quoteLiteral(song) + QStringLiteral("' and artiest = '") +
           data::quoteLiteral(artist) + QStringLiteral("' and bestand = '") + data::quoteLiteral(file) +
           QStringLiteral("'");
}

void RingtoneDetails::showSelectedRow()
{
    if (ui::runHandler(*m_window.platform().messageBox, [this] { showRecordOfSelectedRow(); }))
        return;
    m_window.txtCode().clear();
    m_window.setSongSelected(false);
}

void RingtoneDetails::showRecordOfSelectedRow()
{
    const RingtoneListModel &model = m_window.listModel();
    const int row = m_window.lstMain().currentIndex().row();
    if (model.rowCount() == 0 || row < 0 || model.isNoResult(row)) {
        m_window.setSongSelected(false);
        return;
    }
    const RingtoneRow selected = model.row(row);
    m_window.setCriteria(rowCriteria(selected.song, selected.artist, selected.file));
    data::DataSource &source = m_window.datMain();
    if (!source.findFirst(m_window.criteria())) {
        // The record is gone from the catalogue: show nothing rather than the
        // details of whatever row the source stood on.
        m_window.txtCode().clear();
        m_window.setSongSelected(false);
        return;
    }
    m_window.txtCode().setPlainText(source.field(codeField(m_window.bytPhoneType())));
    m_window.txtNoten().setText(QStringLiteral("Quantità di note: ") + source.field(u"aantalnoten"));
    m_window.txtTempo().setText(QStringLiteral("Velocità: ") + source.field(u"tempo"));
    m_window.setSongSelected(true);
}

void RingtoneDetails::choosePhoneModel(int phoneType)
{
    if (m_window.phoneOption(phoneType).isChecked()) {
        m_window.setPhoneType(phoneType);
        if (m_window.listModel().rowCount() > 0)
            showSelectedRow();
    }
    m_window.lstMain().setFocus();
}

} // namespace brivello::ringtones
