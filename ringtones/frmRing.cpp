#include "ringtones/frmRing.h"

#include "data/Catalogue.h"
#include "data/DataSource.h"
#include "data/DiscPaths.h"
#include "platform/Platform.h"
#include "ringtones/MainTableLoad.h"
#include "ringtones/RingtoneDetails.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/RingtonePlayback.h"
#include "ringtones/RingtoneSearch.h"
#include "ringtones/RingtoneTransfer.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace brivello::ringtones {

using ui::PictureBox;
using ui::twips;
using ui::twipsRect;

namespace {

template <typename W> W *placed(W *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLineEdit *borderlessBox(QWidget *page, const QString &name, const QRect &geometry, const QString &text)
{
    auto *box = placed(new QLineEdit(text, page), name, geometry);
    box->setFrame(false);
    box->setReadOnly(true);
    box->setAccessibleName(text);
    return box;
}

// The empty white panels that back the option buttons and the code box.
QFrame *backingPanel(QWidget *page, const QString &name, const QRect &geometry)
{
    auto *panel = placed(new QFrame(page), name, geometry);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    return panel;
}

// A phone-model option: its whole width, not only its caption, takes a click.
class PhoneOption : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

} // namespace

frmRing::frmRing(const ui::Context &context)
    : MainWindow(u"frmRing"_s, context, resources::Page::Ringtones, ui::NavigationOwner::Ringtones),
      m_timKlok(context.platform.clock->createTimer())
{
    QFont small = pctBG().font();
    small.setPixelSize(11);
    pctBG().setFont(small);
    buildSearchRow();
    buildList();
    buildPlayerRow();
    buildPhoneModels();
    buildDetails();
    m_timKlok->setInterval(2000);
    buildHelpers();
    connect(m_timKlok.get(), &platform::Timer::timeout, this, &frmRing::timKlok_Timer);
}

frmRing::~frmRing() = default;

void frmRing::buildHelpers()
{
    const platform::Platform &services = m_context.platform;
    m_details = new RingtoneDetails({list(), m_phoneOptions, *m_txtCode, *m_txtNoten, *m_txtTempo}, m_state,
                                    *this, *services.messageBox, this);
    m_playback =
        new RingtonePlayback({list(), *m_pctPlay, *m_pctStop}, m_state, imgKnoppen(), services, this);
    m_search = new RingtoneSearch(
        {*m_dbcSearch, *m_txtSearch, *m_txtSArt, *m_txtSsng, *m_dbcGenre, *m_pctZoek, *m_lblAttesa}, *this,
        *this, m_context.stack, imgKnoppen(), *services.messageBox);
    m_transfer = new RingtoneTransfer({list(), *m_pctSend, *m_pctSMS}, *this, services, this);
}

void frmRing::buildSearchRow()
{
    QWidget *page = &pctBG();
    m_label1 = placed(new QLabel(u"Ricerca:"_s, page), u"Label1"_s, twipsRect(600, 660, 735, 255));
    m_label1->setStyleSheet(u"color: #eaf1fa;"_s);
    m_dbcSearch = placed(new QComboBox(page), u"dbcSearch"_s, twipsRect(1320, 600, 2775, 315));
    m_dbcSearch->setEditable(true);
    m_dbcSearch->setAccessibleName(u"Metodo di ricerca"_s);
    m_txtSearch = placed(new QLineEdit(page), u"txtSearch"_s, twipsRect(4200, 600, 4125, 300));
    m_txtSArt = placed(new QLineEdit(page), u"txtSArt"_s, twipsRect(4080, 600, 2055, 285));
    m_txtSearch->setAccessibleName(u"Ricerca"_s);
    m_txtSArt->setAccessibleName(u"Artista"_s);
    m_txtSArt->hide();
    m_txtSsng = placed(new QLineEdit(page), u"txtSsng"_s, twipsRect(6480, 600, 1815, 285));
    m_txtSsng->setAccessibleName(u"Titolo"_s);
    m_txtSsng->hide();
    m_dbcGenre = placed(new QComboBox(page), u"dbcGenre"_s, twipsRect(6120, 600, 2295, 315));
    m_dbcGenre->setEditable(true);
    m_dbcGenre->setAccessibleName(u"Genere"_s);
    m_dbcGenre->hide();
    m_pctZoek = placed(new PictureBox(u"pctZoek"_s, page), u"pctZoek"_s, twipsRect(8560, 600, 1050, 330));
    m_pctZoek->setToolTip(u"Ricerca nel database"_s);
    imgKnoppen().paint(*m_pctZoek, ui::ButtonPicture::Search);
}

void frmRing::buildList()
{
    m_listModel = new RingtoneListModel(this);
    m_lstMain = placed(new QTreeView(&pctBG()), u"lstMain"_s, twipsRect(1710, 1220, 7905, 4060));
    m_lstMain->setModel(m_listModel);
    m_lstMain->setAccessibleName(u"Suonerie"_s);
    m_lstMain->setRootIsDecorated(false);
    m_lstMain->setItemsExpandable(false);
    m_lstMain->setUniformRowHeights(true);
    m_lstMain->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstMain->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView *header = m_lstMain->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(0);
    header->resizeSection(RingtoneListModel::Song, twips(3151));
    header->resizeSection(RingtoneListModel::Artist, twips(2849));
    header->resizeSection(RingtoneListModel::Genre, twips(1600));
    hideFileColumn();
    m_lblAttesa = placed(new QLabel(u"Lettura del catalogo in corso… (Esc per annullare)"_s, &pctBG()),
                         u"lblAttesa"_s, twipsRect(1710, 1220 + 4060 / 2 - 200, 7905, 400));
    m_lblAttesa->setAlignment(Qt::AlignCenter);
    m_lblAttesa->setAutoFillBackground(true);
    m_lblAttesa->hide();
    // A reset of the model gives the header fresh sections.
    connect(m_listModel, &QAbstractItemModel::modelReset, this, &frmRing::hideFileColumn);
}

void frmRing::hideFileColumn()
{
    // The file name ties a row to its recording; the user never sees it, and
    // a hidden section cannot be dragged open.
    m_lstMain->header()->resizeSection(RingtoneListModel::File, 0);
    m_lstMain->header()->setSectionHidden(RingtoneListModel::File, true);
}

void frmRing::buildPlayerRow()
{
    QWidget *page = &pctBG();
    m_pctSend = placed(new PictureBox(u"pctSend"_s, page), u"pctSend"_s, twipsRect(120, 5600, 1185, 240));
    m_pctSend->setAccessibleName(u"Invia"_s);
    m_pctSend->paintPicture(resources::actionButton(twips(1185), twips(240), u"Invia"_s));
    m_pctSMS = placed(new PictureBox(u"pctSMS"_s, page), u"pctSMS"_s, twipsRect(130, 5860, 1200, 225));
    m_pctSMS->setAccessibleName(u"Tool SMS"_s);
    m_pctSMS->paintPicture(resources::actionButton(twips(1200), twips(225), u"Tool SMS"_s));
    m_pctPlay = placed(new PictureBox(u"pctPlay"_s, page), u"pctPlay"_s, twipsRect(1700, 5600, 1050, 240));
    m_pctPlay->setToolTip(u"Ascoltare il brano "_s);
    imgKnoppen().paint(*m_pctPlay, ui::ButtonPicture::Play);
    m_pctStop = placed(new PictureBox(u"pctStop"_s, page), u"pctStop"_s, twipsRect(2740, 5600, 1050, 240));
    m_pctStop->setToolTip(u"Fermare l'ascolto "_s);
    imgKnoppen().paint(*m_pctStop, ui::ButtonPicture::StopIdle);
}

void frmRing::buildPhoneModels()
{
    m_txtBG = backingPanel(&pctBG(), u"txtBG"_s, twipsRect(1620, 5880, 2865, 1085));
    static const struct
    {
        const char16_t *name;
        const char16_t *caption;
        int top;
    } options[] = {
        {u"optNokHand", u"Nokia3210 tastiera", 5960}, {u"optNokScherm", u"Nokia 3210 Schermo", 6150},
        {u"optSim", u"Siemens Schermo", 6340},        {u"optEric", u"Ericsson Schermo", 6540},
        {u"optMot", u"Motorola Schermo", 6730},
    };
    size_t index = 0;
    for (const auto &option : options) {
        auto *button = placed(new PhoneOption(QString::fromUtf16(option.caption), &pctBG()),
                              QString::fromUtf16(option.name), twipsRect(1680, option.top, 2775, 195));
        button->setStyleSheet(u"background-color: white; color: black;"_s);
        m_phoneOptions[index++] = button;
    }
}

void frmRing::buildDetails()
{
    QWidget *page = &pctBG();
    m_text1 = backingPanel(page, u"Text1"_s, twipsRect(4545, 5520, 4785, 1440));
    m_txtCode = placed(new QTextEdit(page), u"txtCode"_s, twipsRect(4680, 5595, 4575, 1095));
    m_txtCode->setReadOnly(true);
    m_txtCode->setAccessibleName(u"Codice"_s);
    m_txtNoten = borderlessBox(page, u"txtNoten"_s, twipsRect(4680, 6650, 1815, 285), u"Quantità di note"_s);
    m_txtTempo = borderlessBox(page, u"txtTempo"_s, twipsRect(6840, 6650, 1815, 285), u"Velocità"_s);
    m_pctParvel = placed(new PictureBox(u"pctParvel"_s, page), u"pctParvel"_s, twipsRect(0, 6640, 540, 540));
    m_pctParvel->setAccessibleName(u"Informazioni su Brivello"_s);
    m_pctParvel->paintPicture(resources::publisherBadge());
}

QRadioButton &frmRing::phoneOption(int phoneType) const
{
    return *m_phoneOptions.at(static_cast<size_t>(phoneType - 1));
}

void frmRing::formLoad()
{
    MainWindow::formLoad();
    openDataSources();
    fillCombos();
    // The media player is the platform's and needs no preparing before the
    // first open.
    m_lstMain->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lstMain->setAllColumnsShowFocus(true);
    m_state.bytPhoneType = 1;
    phoneOption(1).setChecked(true);
    // The timer runs until the program ends, also behind other windows.
    m_timKlok->start();
}

void frmRing::timKlok_Timer()
{
    m_timKlok->stop();
    m_playback->checkEndOfPlayback();
    m_search->clearPlaceholders();
    m_timKlok->start();
}

// Emptying the list does not count as a selection.
void frmRing::clearResults()
{
    m_state.selectingQuietly = true;
    m_listModel->clear();
    m_state.selectingQuietly = false;
    m_state.lngFound = 0;
    m_details->clear();
    m_playback->pctStop_Click();
    m_state.blnSongSelected = false;
}

void frmRing::showNoResult()
{
    m_listModel->appendNoResult();
    m_state.blnSongSelected = false;
    m_details->clear();
}

int frmRing::addMatches(const QString &criteria)
{
    const std::int32_t before = m_state.lngFound;
    setCriteria(criteria);
    AddMatches();
    return static_cast<int>(m_state.lngFound - before);
}

data::DataSource *frmRing::findRecord(const QString &criteria)
{
    setCriteria(criteria);
    data::DataSource &source = datMain();
    return source.findFirst(m_state.strCriteria) ? &source : nullptr;
}

// A catalogue that lacks a field the window reads is refused at start-up,
// although the rows of Main are read only when the first search needs them:
// the user learns it at once, not at the first click that needs the field.
void frmRing::openDataSources()
{
    const QString path = data::discPath(u".\\datafiles\\ringtones.dat"_s);
    m_catalogue = data::Catalogue::open(path);
    m_catalogue->requireFields(u"Main"_s, {u"song"_s, u"artiest"_s, u"Genre"_s, u"bestand"_s, u"nokia_hand"_s,
                                           u"nokia_scherm"_s, u"siemens"_s, u"ericsson"_s, u"motorola"_s,
                                           u"aantalnoten"_s, u"tempo"_s, u"bieps"_s});
    m_catalogue->requireFields(u"Zoekmethodes"_s, {u"Zoekmethode"_s});
    m_catalogue->requireFields(u"Genres"_s, {u"Genre"_s});
    m_datZoekmet = std::make_unique<data::DataSource>(m_catalogue, u"Zoekmethodes"_s);
    m_mainLoad = new MainTableLoad(m_catalogue, listedFields(), this);
    m_datGenre = std::make_unique<data::DataSource>(m_catalogue, u"Genres"_s);
}

// The list shows these columns; the others of a ringtone are read from the
// file when its row is selected, saved or sent.
const QStringList &frmRing::listedFields()
{
    static const QStringList fields{u"song"_s, u"artiest"_s, u"Genre"_s, u"bestand"_s};
    return fields;
}

data::DataSource &frmRing::datMain()
{
    if (!m_datMain)
        useMainTable(m_mainLoad->take());
    return *m_datMain;
}

bool frmRing::mainTableReady() const
{
    // Without a loader the load step failed, and there is nothing to wait for.
    return m_datMain || !m_mainLoad || m_mainLoad->isReady();
}

void frmRing::showEvent(QShowEvent *event)
{
    MainWindow::showEvent(event);
    if (m_mainLoad)
        m_mainLoad->start();
}

void frmRing::useMainTable(std::shared_ptr<const data::Table> table)
{
    m_datMain = std::make_unique<data::DataSource>(m_catalogue, std::move(table));
    for (int i = 0; i < RingtoneListModel::ColumnCount; ++i)
        m_listColumns[static_cast<size_t>(i)] = m_datMain->columnOf(listedFields().at(i));
}

void frmRing::fillCombos()
{
    m_dbcSearch->addItems(m_datZoekmet->values(u"Zoekmethode"));
    m_dbcSearch->setCurrentIndex(-1);
    m_dbcGenre->addItems(m_datGenre->values(u"Genre"));
    m_dbcGenre->setCurrentIndex(-1);
}

void frmRing::AddMatches()
{
    const int rowsBefore = m_listModel->rowCount();
    data::DataSource &source = datMain();
    source.moveFirst();
    // A rejected criteria string throws before any row is found.
    const std::vector<int> rows = source.findAll(m_state.strCriteria);
    m_listModel->appendTableRows(source.sharedTable(), m_listColumns, rows);
    m_state.lngFound += static_cast<std::int32_t>(rows.size());
    selectFirstRowOfEmptyList(rowsBefore);
}

void frmRing::selectFirstRowOfEmptyList(int rowsBefore)
{
    if (rowsBefore != 0 || m_listModel->rowCount() == 0)
        return;
    m_state.selectingQuietly = true;
    m_lstMain->setCurrentIndex(m_listModel->index(0, 0));
    m_state.selectingQuietly = false;
}

} // namespace brivello::ringtones
