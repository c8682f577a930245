#include "ringtones/RingtoneSearch.h"

#include "data/CatalogueError.h"
#include "data/Criteria.h"
#include "platform/Platform.h"
#include "ringtones/MainTableLoad.h"
#include "ringtones/RingtoneListModel.h"
#include "ringtones/RingtonePlayback.h"
#include "ringtones/frmRing.h"
#include "ui/ButtonImages.h"
#include "ui/HandlerGuard.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"
#include "ui/WindowStack.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

namespace brivello::ringtones {

namespace {

const QString artistPlaceholder = QStringLiteral("Artista");
const QString titlePlaceholder = QStringLiteral("Titolo");

} // namespace

RingtoneSearch::RingtoneSearch(frmRing &window) : QObject(&window), m_window(window)
{
    QComboBox &combo = window.dbcSearch();
    connect(&combo, &QComboBox::activated, this, &RingtoneSearch::dbcSearch_Click);
    connect(&combo, &QComboBox::currentTextChanged, this, &RingtoneSearch::dbcSearch_Click);
    connect(&window.pctZoek(), &ui::PictureBox::clicked, this, &RingtoneSearch::pctZoek_Click);
    window.txtSArt().installEventFilter(this);
    window.txtSsng().installEventFilter(this);
}

shared::SearchMethod RingtoneSearch::method() const
{
    return shared::searchMethod(m_window.dbcSearch().currentText());
}

void RingtoneSearch::setMethod(shared::SearchMethod method)
{
    m_window.dbcSearch().setCurrentText(shared::methodText(method));
    // The combo tells of a changed text only; the same text arranges again.
    dbcSearch_Click();
}

QString RingtoneSearch::genre() const
{
    return m_window.dbcGenre().currentText();
}

void RingtoneSearch::dbcSearch_Click()
{
    using shared::SearchMethod;
    QLineEdit &search = m_window.txtSearch();
    QLineEdit &artist = m_window.txtSArt();
    QLineEdit &title = m_window.txtSsng();
    QComboBox &genres = m_window.dbcGenre();
    switch (method()) {
    case SearchMethod::Artist:
    case SearchMethod::Title:
        search.show();
        artist.hide();
        title.hide();
        genres.hide();
        break;
    case SearchMethod::TitleArtist:
        search.hide();
        artist.setText(artistPlaceholder);
        artist.show();
        title.setText(titlePlaceholder);
        title.move(ui::twips(6480), title.y());
        title.show();
        genres.hide();
        break;
    case SearchMethod::Genre:
        search.hide();
        artist.hide();
        title.hide();
        genres.show();
        break;
    case SearchMethod::ArtistGenre:
        search.hide();
        artist.show();
        title.hide();
        genres.show();
        break;
    case SearchMethod::TitleGenre:
        search.hide();
        artist.hide();
        title.move(ui::twips(4080), title.y());
        title.show();
        genres.show();
        break;
    case SearchMethod::Unknown: // a text of the catalogue's own: the boxes stay as they are
        break;
    }
}

bool RingtoneSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (m_waiting && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == &m_window) {
            leaveWaiting();
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        if (watched == &m_window.txtSArt())
            txtSArt_GotFocus();
        else if (watched == &m_window.txtSsng())
            txtSsng_GotFocus();
    }
    return QObject::eventFilter(watched, event);
}

void RingtoneSearch::txtSArt_GotFocus()
{
    if (m_window.txtSArt().text() == artistPlaceholder)
        m_window.txtSArt().clear();
}

void RingtoneSearch::txtSsng_GotFocus()
{
    if (m_window.txtSsng().text() == titlePlaceholder)
        m_window.txtSsng().clear();
}

void RingtoneSearch::clearPlaceholders()
{
    txtSArt_GotFocus();
    txtSsng_GotFocus();
}

void RingtoneSearch::pctZoek_Click()
{
    if (m_waiting) {
        // A second click leaves the search that waits.
        leaveWaiting();
        return;
    }
    if (!m_window.mainTableReady()) {
        waitForCatalogue();
        return;
    }
    searchNow();
}

// A search clicked while the catalogue is still being read runs when the read
// ends. Meanwhile the window stays usable and says that it waits; Esc, a
// second click on the search button or going to another window leave the
// wait, and the search does not run.
void RingtoneSearch::waitForCatalogue()
{
    m_waiting = true;
    m_window.imgKnoppen().paint(m_window.pctZoek(), ui::ButtonPicture::SearchPressed);
    showBusy(true);
    connect(&m_window.mainTableLoad(), &MainTableLoad::finished, this, &RingtoneSearch::catalogueReady,
            Qt::UniqueConnection);
    connect(&m_window.stack(), &ui::WindowStack::activated, this, &RingtoneSearch::windowActivated,
            Qt::UniqueConnection);
    qApp->installEventFilter(this);
}

void RingtoneSearch::catalogueReady()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    showBusy(false);
    searchNow();
}

void RingtoneSearch::leaveWaiting()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    showBusy(false);
    m_window.imgKnoppen().paint(m_window.pctZoek(), ui::ButtonPicture::Search);
}

void RingtoneSearch::windowActivated(ui::Window *window)
{
    if (window != &m_window)
        leaveWaiting();
}

void RingtoneSearch::showBusy(bool busy)
{
    m_window.lblAttesa().setVisible(busy);
    if (busy) {
        m_window.setCursor(Qt::BusyCursor);
    } else {
        m_window.unsetCursor();
        qApp->removeEventFilter(this);
    }
}

void RingtoneSearch::searchNow()
{
    m_window.imgKnoppen().paint(m_window.pctZoek(), ui::ButtonPicture::SearchPressed);
    // A catalogue whose ringtone table cannot be read (it is read in the
    // background, and a failed read is told by the searches that need it)
    // is told; the window stays as usable as before.
    ui::runHandler(*m_window.platform().messageBox, [this] {
        try {
            runSearch();
        } catch (const data::CriteriaError &) {
            // A criteria string the catalogue rejects (a quote in the typed
            // text) ends the search silently with what it found so far.
        }
    });
    // The button returns to rest so that the window does not look busy.
    m_window.imgKnoppen().paint(m_window.pctZoek(), ui::ButtonPicture::Search);
}

void RingtoneSearch::runSearch()
{
    m_window.clearList();
    m_window.resetFound();
    m_window.txtCode().clear();
    m_window.txtNoten().clear();
    m_window.txtTempo().clear();
    m_window.playback().pctStop_Click();
    m_window.setSongSelected(false);
    shared::runSearchPasses(*this);
    if (m_window.lngFound() == 0) {
        m_window.listModel().appendNoResult();
        m_window.setSongSelected(false);
        m_window.txtNoten().clear();
        m_window.txtTempo().clear();
    }
}

int RingtoneSearch::addMatches(const QString &criteria)
{
    const std::int32_t before = m_window.lngFound();
    m_window.setCriteria(criteria);
    m_window.AddMatches();
    return static_cast<int>(m_window.lngFound() - before);
}

QString RingtoneSearch::text() const
{
    return m_window.txtSearch().text();
}

QString RingtoneSearch::artist() const
{
    return m_window.txtSArt().text();
}

QString RingtoneSearch::title() const
{
    return m_window.txtSsng().text();
}

void RingtoneSearch::setText(const QString &text)
{
    m_window.txtSearch().setText(text);
}

void RingtoneSearch::clearArtist()
{
    m_window.txtSArt().clear();
}

void RingtoneSearch::clearTitle()
{
    m_window.txtSsng().clear();
}

void RingtoneSearch::showOneField(shared::SearchMethod method)
{
    m_window.txtSArt().hide();
    m_window.txtSsng().hide();
    m_window.dbcGenre().hide();
    m_window.txtSearch().show();
    setMethod(method);
}

void RingtoneSearch::showGenre()
{
    m_window.txtSArt().hide();
    m_window.txtSsng().hide();
    m_window.txtSearch().hide();
    m_window.dbcGenre().show();
    setMethod(shared::SearchMethod::Genre);
}

} // namespace brivello::ringtones
