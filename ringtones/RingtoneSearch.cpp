#include "ringtones/RingtoneSearch.h"

#include "data/CatalogueError.h"
#include "data/Criteria.h"
#include "platform/Platform.h"
#include "ringtones/MainTableLoad.h"
#include "ui/ButtonImages.h"
#include "ui/HandlerGuard.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"
#include "ui/Window.h"
#include "ui/WindowStack.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace brivello::ringtones {

namespace {

const QString artistPlaceholder = u"Artista"_s;
const QString titlePlaceholder = u"Titolo"_s;

} // namespace

RingtoneSearch::RingtoneSearch(const Controls &controls, SearchResults &results, ui::Window &window,
                               ui::WindowStack &stack, const ui::ButtonImages &images,
                               platform::MessageBox &messageBox)
    : QObject(&window), m_controls(controls), m_results(results), m_window(window), m_stack(stack),
      m_images(images), m_messageBox(messageBox)
{
    QComboBox &combo = controls.dbcSearch;
    connect(&combo, &QComboBox::activated, this, &RingtoneSearch::dbcSearch_Click);
    connect(&combo, &QComboBox::currentTextChanged, this, &RingtoneSearch::dbcSearch_Click);
    connect(&controls.pctZoek, &ui::PictureBox::clicked, this, &RingtoneSearch::pctZoek_Click);
    controls.txtSArt.installEventFilter(this);
    controls.txtSsng.installEventFilter(this);
}

shared::SearchMethod RingtoneSearch::method() const
{
    return shared::searchMethod(m_controls.dbcSearch.currentText());
}

void RingtoneSearch::setMethod(shared::SearchMethod method)
{
    m_controls.dbcSearch.setCurrentText(shared::methodText(method));
    // The combo tells of a changed text only; the same text arranges again.
    dbcSearch_Click();
}

QString RingtoneSearch::genre() const
{
    return m_controls.dbcGenre.currentText();
}

void RingtoneSearch::dbcSearch_Click()
{
    using shared::SearchMethod;
    QLineEdit &search = m_controls.txtSearch;
    QLineEdit &artist = m_controls.txtSArt;
    QLineEdit &title = m_controls.txtSsng;
    QComboBox &genres = m_controls.dbcGenre;
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
        if (watched == &m_controls.txtSArt)
            txtSArt_GotFocus();
        else if (watched == &m_controls.txtSsng)
            txtSsng_GotFocus();
    }
    return QObject::eventFilter(watched, event);
}

void RingtoneSearch::txtSArt_GotFocus()
{
    if (m_controls.txtSArt.text() == artistPlaceholder)
        m_controls.txtSArt.clear();
}

void RingtoneSearch::txtSsng_GotFocus()
{
    if (m_controls.txtSsng.text() == titlePlaceholder)
        m_controls.txtSsng.clear();
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
    if (!m_results.catalogueReady()) {
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
    m_images.paint(m_controls.pctZoek, ui::ButtonPicture::SearchPressed);
    showBusy(true);
    connect(&m_results.catalogueLoad(), &MainTableLoad::finished, this, &RingtoneSearch::catalogueReady,
            Qt::UniqueConnection);
    connect(&m_stack, &ui::WindowStack::activated, this, &RingtoneSearch::windowActivated,
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
    m_images.paint(m_controls.pctZoek, ui::ButtonPicture::Search);
}

void RingtoneSearch::windowActivated(ui::Window *window)
{
    if (window != &m_window)
        leaveWaiting();
}

void RingtoneSearch::showBusy(bool busy)
{
    m_controls.lblAttesa.setVisible(busy);
    if (busy) {
        m_window.setCursor(Qt::BusyCursor);
    } else {
        m_window.unsetCursor();
        qApp->removeEventFilter(this);
    }
}

void RingtoneSearch::searchNow()
{
    m_images.paint(m_controls.pctZoek, ui::ButtonPicture::SearchPressed);
    // A catalogue whose ringtone table cannot be read (it is read in the
    // background, and a failed read is told by the searches that need it)
    // is told; the window stays as usable as before.
    ui::runHandler(m_messageBox, [this] {
        try {
            runSearch();
        } catch (const data::CriteriaError &) {
            // A criteria string the catalogue rejects (a quote in the typed
            // text) ends the search silently with what it found so far.
        }
    });
    // The button returns to rest so that the window does not look busy.
    m_images.paint(m_controls.pctZoek, ui::ButtonPicture::Search);
}

void RingtoneSearch::runSearch()
{
    m_results.clearResults();
    shared::runSearchPasses(*this);
    if (m_results.found() == 0)
        m_results.showNoResult();
}

int RingtoneSearch::addMatches(const QString &criteria)
{
    return m_results.addMatches(criteria);
}

QString RingtoneSearch::text() const
{
    return m_controls.txtSearch.text();
}

QString RingtoneSearch::artist() const
{
    return m_controls.txtSArt.text();
}

QString RingtoneSearch::title() const
{
    return m_controls.txtSsng.text();
}

void RingtoneSearch::setText(const QString &text)
{
    m_controls.txtSearch.setText(text);
}

void RingtoneSearch::clearArtist()
{
    m_controls.txtSArt.clear();
}

void RingtoneSearch::clearTitle()
{
    m_controls.txtSsng.clear();
}

void RingtoneSearch::showOneField(shared::SearchMethod method)
{
    m_controls.txtSArt.hide();
    m_controls.txtSsng.hide();
    m_controls.dbcGenre.hide();
    m_controls.txtSearch.show();
    setMethod(method);
}

void RingtoneSearch::showGenre()
{
    m_controls.txtSArt.hide();
    m_controls.txtSsng.hide();
    m_controls.txtSearch.hide();
    m_controls.dbcGenre.show();
    setMethod(shared::SearchMethod::Genre);
}

} // namespace brivello::ringtones
