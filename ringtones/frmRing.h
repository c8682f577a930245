#pragma once

#include "ringtones/RingtoneParts.h"
#include "ringtones/RingtoneSearch.h"
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
class RingtonePlayback;
class RingtoneTransfer;

// The home window: the search row, the list of ringtones, the phone codes of
// the selected one, playback and transfer. The search, the details, the
// playback and the transfer each live in a helper class of their own that
// gets the controls it drives and the part of the window it works with (the
// shared state, the record lookup, what a search does to the list); the
// window itself keeps the controls, the data sources and the list fill.
class frmRing : public ui::MainWindow, private RingtoneRecords, private SearchResults
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
    void setCriteria(const QString &criteria) { m_state.strCriteria = criteria; }
    const QString &criteria() const { return m_state.strCriteria; }
    std::int32_t lngFound() const { return m_state.lngFound; }
    void resetFound() { m_state.lngFound = 0; }
    int bytPhoneType() const { return m_state.bytPhoneType; }
    bool blnSongSelected() const { return m_state.blnSongSelected; }
    bool blnPlaying() const { return m_state.blnPlaying; }

    // Each tick: the end-of-playback check, then the placeholders go.
    void timKlok_Timer();

    RingtoneSearch &search() const { return *m_search; }

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
    QRadioButton &phoneOption(int phoneType) const;
    QTextEdit &txtCode() const { return *m_txtCode; }
    QLineEdit &txtNoten() const { return *m_txtNoten; }
    QLineEdit &txtTempo() const { return *m_txtTempo; }
    // Tells, over the list, that a search waits for the catalogue.
    QLabel &lblAttesa() const { return *m_lblAttesa; }

    // The ringtone table is read in the background from the window's first
    // showing, not at start-up: with a large catalogue reading it takes far
    // longer than showing the window. datMain() waits for that read.
    data::DataSource &datMain();
    bool mainTableReady() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildSearchRow();
    void buildList();
    void buildPlayerRow();
    void buildPhoneModels();
    void buildDetails();
    void buildHelpers();
    // The button image list every window paints its picture buttons from.
    const ui::ButtonImages &imgKnoppen() const { return m_context.images; }
    RingtoneList list() const { return {*m_lstMain, *m_listModel}; }
    void openDataSources();
    void fillCombos();
    void hideFileColumn();
    void selectFirstRowOfEmptyList(int rowsBefore);
    static const QStringList &listedFields();
    void useMainTable(std::shared_ptr<const data::Table> table);

    // RingtoneRecords
    data::DataSource *findRecord(const QString &criteria) override;
    // SearchResults
    bool catalogueReady() const override { return mainTableReady(); }
    MainTableLoad &catalogueLoad() override { return *m_mainLoad; }
    void clearResults() override;
    int addMatches(const QString &criteria) override;
    std::int32_t found() const override { return m_state.lngFound; }
    void showNoResult() override;

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
    std::array<QRadioButton *, 5> m_phoneOptions{};
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

    RingtoneState m_state;

    RingtoneDetails *m_details = nullptr;
    RingtonePlayback *m_playback = nullptr;
    RingtoneSearch *m_search = nullptr;
    RingtoneTransfer *m_transfer = nullptr;
};

} // namespace brivello::ringtones
