#pragma once

#include "ui/MainWindow.h"

#include <array>
#include <cstdint>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTextEdit;
class QTreeView;

namespace brivello::data {
class Catalogue;
class DataSource;
class Table;
} // namespace brivello::data
namespace brivello::platform {
struct Platform;
class Timer;
} // namespace brivello::platform

namespace brivello::ringtones {

class MainTableLoad;
class RingtoneDetails;
class RingtoneListModel;
class RingtonePlayback;
class RingtoneSearch;
class RingtoneTransfer;

// The home window: the search row, the list of ringtones, the phone codes of
// the selected one, playback and transfer. The search, the details, the
// playback and the transfer each live in a helper class of their own that
// this window owns and wires to its controls; the window itself keeps the
// controls, the data sources and the list fill.
class frmRing : public ui::MainWindow
{
    Q_OBJECT
public:
    explicit frmRing(const ui::Context &context);
    ~frmRing() override;

    // The load step: centres the page, opens the three data sources on the
    // catalogue, fills the two combos and sets the phone model. Throws
    // data::CatalogueError when the catalogue cannot be read.
    void formLoad() override;

    // Appends to lstMain every row of Main that satisfies the criteria, in
    // the table's order, and counts them in lngFound. Never clears the list.
    // A criteria string the catalogue rejects throws data::CriteriaError;
    // the rows appended before stay in the list.
    void AddMatches();
    void setCriteria(const QString &criteria) { m_strCriteria = criteria; }
    const QString &criteria() const { return m_strCriteria; }
    std::int32_t lngFound() const { return m_lngFound; }
    void resetFound() { m_lngFound = 0; }
    int bytPhoneType() const { return m_bytPhoneType; }
    void setPhoneType(int phoneType) { m_bytPhoneType = phoneType; }
    bool blnSongSelected() const { return m_blnSongSelected; }
    void setSongSelected(bool selected) { m_blnSongSelected = selected; }
    bool blnPlaying() const { return m_blnPlaying; }
    void setPlaying(bool playing) { m_blnPlaying = playing; }
    // Empties the list without the emptying counting as a selection.
    void clearList();
    // True while the window itself moves the selection, which is no
    // selection by the user.
    bool selectingQuietly() const { return m_selectingQuietly; }

    // Each tick: the end-of-playback check, then the placeholders go.
    void timKlok_Timer();

    RingtoneDetails &details() const { return *m_details; }
    RingtonePlayback &playback() const { return *m_playback; }
    RingtoneSearch &search() const { return *m_search; }
    const platform::Platform &platform() const { return m_context.platform; }
    ui::WindowStack &stack() const { return m_context.stack; }

    // The button image list every window paints its picture buttons from.
    const ui::ButtonImages &imgKnoppen() const { return m_context.images; }

    // Controls.
    QLabel &Label1() const { return *m_label1; }
    QComboBox &dbcSearch() const { return *m_dbcSearch; }
    QComboBox &dbcGenre() const { return *m_dbcGenre; }
    QLineEdit &txtSearch() const { return *m_txtSearch; }
    QLineEdit &txtSArt() const { return *m_txtSArt; }
    QLineEdit &txtSsng() const { return *m_txtSsng; }
    ui::PictureBox &pctZoek() const { return *m_pctZoek; }
    QTreeView &lstMain() const { return *m_lstMain; }
    RingtoneListModel &listModel() const { return *m_listModel; }
    ui::PictureBox &pctSend() const { return *m_pctSend; }
    ui::PictureBox &pctSMS() const { return *m_pctSMS; }
    ui::PictureBox &pctPlay() const { return *m_pctPlay; }
    ui::PictureBox &pctStop() const { return *m_pctStop; }
    ui::PictureBox &pctParvel() const { return *m_pctParvel; }
    QRadioButton &phoneOption(int phoneType) const;
    QTextEdit &txtCode() const { return *m_txtCode; }
    QLineEdit &txtNoten() const { return *m_txtNoten; }
    QLineEdit &txtTempo() const { return *m_txtTempo; }
    platform::Timer &timKlok() const { return *m_timKlok; }

    // The ringtone table is read in the background from the window's first
    // showing, not at start-up: with a large catalogue reading it takes far
    // longer than showing the window. datMain() waits for that read.
    data::DataSource &datMain();
    bool mainTableReady() const;
    MainTableLoad &mainTableLoad() const { return *m_mainLoad; }
    // Tells, over the list, that a search waits for the catalogue.
    QLabel &lblAttesa() const { return *m_lblAttesa; }
    data::DataSource &datGenre() const { return *m_datGenre; }
    data::DataSource &datZoekmet() const { return *m_datZoekmet; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildSearchRow();
    void buildList();
    void buildPlayerRow();
    void buildPhoneModels();
    void buildDetails();
    void openDataSources();
    void fillCombos();
    void hideFileColumn();
    void selectFirstRowOfEmptyList(int rowsBefore);
    static const QStringList &listedFields();
    void useMainTable(std::shared_ptr<const data::Table> table);

    QLabel *m_label1 = nullptr;
    QComboBox *m_dbcSearch = nullptr;
    QLineEdit *m_txtSearch = nullptr;
    QLineEdit *m_txtSArt = nullptr;
    QLineEdit *m_txtSsng = nullptr;
    QComboBox *m_dbcGenre = nullptr;
    ui::PictureBox *m_pctZoek = nullptr;
    QTreeView *m_lstMain = nullptr;
    QLabel *m_lblAttesa = nullptr;
    RingtoneListModel *m_listModel = nullptr;
    ui::PictureBox *m_pctSend = nullptr;
    ui::PictureBox *m_pctSMS = nullptr;
    ui::PictureBox *m_pctPlay = nullptr;
    ui::PictureBox *m_pctStop = nullptr;
    QFrame *m_txtBG = nullptr;
    QRadioButton *m_phoneOptions[5] = {};
    QFrame *m_text1 = nullptr;
    QTextEdit *m_txtCode = nullptr;
    QLineEdit *m_txtNoten = nullptr;
    QLineEdit *m_txtTempo = nullptr;
    ui::PictureBox *m_pctParvel = nullptr;
    std::unique_ptr<platform::Timer> m_timKlok;

    std::shared_ptr<data::Catalogue> m_catalogue;
    MainTableLoad *m_mainLoad = nullptr;
    std::unique_ptr<data::DataSource> m_datMain;
    std::array<int, 4> m_listColumns{};
    std::unique_ptr<data::DataSource> m_datGenre;
    std::unique_ptr<data::DataSource> m_datZoekmet;

    QString m_strCriteria;
    std::int32_t m_lngFound = 0;
    int m_bytPhoneType = 1;
    bool m_blnSongSelected = false;
    bool m_blnPlaying = false;
    bool m_selectingQuietly = false;

    RingtoneDetails *m_details = nullptr;
    RingtonePlayback *m_playback = nullptr;
    RingtoneSearch *m_search = nullptr;
    RingtoneTransfer *m_transfer = nullptr;
};

} // namespace brivello::ringtones
