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

// A typed text between quotes: its quotes doubled, its pattern characters
// left to act as patterns.
QString quoted(const QString &text)
{
    return data::quoteLiteral(text);
}

// U with the first occurrence of `word` replaced, or an empty text when U
// does not hold the word.
QString withFirstReplaced(const QString &upper, const QString &word, const QString &replacement)
{
    const qsizetype position = upper.indexOf(word);
    if (position < 0)
        return {};
    return upper.left(position) + replacement + upper.mid(position + word.size());
}

QString artistPrefix(const QString &pattern)
{
    return QStringLiteral("artiest like '") + quoted(pattern) + QStringLiteral("*'");
}

QString titlePrefix(const QString &pattern)
{
    return QStringLiteral("song like '") + quoted(pattern) + QStringLiteral("*'");
}

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

QString RingtoneSearch::method() const
{
    return m_window.dbcSearch().currentText();
}

void RingtoneSearch::setMethod(const QString &method)
{
    m_window.dbcSearch().setCurrentText(method);
    // The combo tells of a changed text only; the same text arranges again.
    dbcSearch_Click();
}

QString RingtoneSearch::genre() const
{
    return m_window.dbcGenre().currentText();
}

void RingtoneSearch::dbcSearch_Click()
{
    const QString current = method();
    QLineEdit &search = m_window.txtSearch();
    QLineEdit &artist = m_window.txtSArt();
    QLineEdit &title = m_window.txtSsng();
    QComboBox &genres = m_window.dbcGenre();
    if (current == u"Artista" || current == u"Titolo") {
        search.show();
        artist.hide();
        title.hide();
        genres.hide();
    } else if (current == u"Titolo + Artista") {
        search.hide();
        artist.setText(artistPlaceholder);
        artist.show();
        title.setText(titlePlaceholder);
        title.move(ui::twips(6480), title.y());
        title.show();
        genres.hide();
    } else if (current == u"Genere") {
        search.hide();
        artist.hide();
        title.hide();
        genres.show();
    } else if (current == u"Artista + Genere") {
        search.hide();
        artist.show();
        title.hide();
        genres.show();
    } else if (current == u"Titolo + Genere") {
        search.hide();
        artist.hide();
        title.move(ui::twips(4080), title.y());
        title.show();
        genres.show();
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
    m_window.imgKnoppen().paint(m_window.pctZoek(), 14);
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
    m_window.imgKnoppen().paint(m_window.pctZoek(), 13);
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
    m_window.imgKnoppen().paint(m_window.pctZoek(), 14);
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
    m_window.imgKnoppen().paint(m_window.pctZoek(), 13);
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
    searchGenre();
    searchSoldara();
    searchTitleAndArtist();
    searchOneField();
    searchTitleAndGenre();
    searchArtistAndGenre();
    if (m_window.lngFound() == 0) {
        m_window.listModel().appendNoResult();
        m_window.setSongSelected(false);
        m_window.txtNoten().clear();
        m_window.txtTempo().clear();
    }
}

void RingtoneSearch::addMatches(const QString &criteria)
{
    m_window.setCriteria(criteria);
    m_window.AddMatches();
}

// The Genre field can hold several genres separated by "/": the three passes
// find the genre as the last, the first or the only one.
void RingtoneSearch::searchGenre()
{
    const QString chosen = genre();
    if (method() != u"Genere" || chosen.isEmpty())
        return;
    const QString g = quoted(chosen);
    addMatches(QStringLiteral("Genre like '*/") + g + QStringLiteral("'"));
    addMatches(QStringLiteral("Genre like '") + g + QStringLiteral("/*'"));
    addMatches(QStringLiteral("Genre = '") + g + QStringLiteral("'"));
}

// The catalogue spells one artist's name in two ways; whoever types one
// finds the other too, whatever the method.
void RingtoneSearch::searchSoldara()
{
    const QString pattern = withFirstReplaced(m_window.txtSearch().text().toUpper(),
                                              QStringLiteral("SOLDARA"), QStringLiteral("SOLDRA"));
    if (!pattern.isEmpty())
        addMatches(artistPrefix(pattern));
}

void RingtoneSearch::searchTitleAndArtist()
{
    if (method() != u"Titolo + Artista")
        return;
    const QString artist = m_window.txtSArt().text();
    const QString title = m_window.txtSsng().text();
    if (!artist.isEmpty() && !title.isEmpty())
        addMatches(titlePrefix(title.toUpper()) + QStringLiteral(" and ") + artistPrefix(artist.toUpper()));
    else if (!artist.isEmpty())
        moveToOneField(QStringLiteral("Artista"), m_window.txtSArt());
    else if (!title.isEmpty())
        moveToOneField(QStringLiteral("Titolo"), m_window.txtSsng());
}

// A two-field method with one field filled goes on as the one-field search
// of that field, with the text moved into the single box.
void RingtoneSearch::moveToOneField(const QString &method, QLineEdit &from)
{
    setMethod(method);
    m_window.txtSearch().setText(from.text());
    from.clear();
    showOneFieldArrangement(method);
}

void RingtoneSearch::showOneFieldArrangement(const QString &method)
{
    m_window.txtSArt().hide();
    m_window.txtSsng().hide();
    m_window.dbcGenre().hide();
    m_window.txtSearch().show();
    setMethod(method);
}

void RingtoneSearch::showGenreArrangement()
{
    m_window.txtSArt().hide();
    m_window.txtSsng().hide();
    m_window.txtSearch().hide();
    m_window.dbcGenre().show();
    setMethod(QStringLiteral("Genere"));
}

void RingtoneSearch::searchOneField()
{
    const QString text = m_window.txtSearch().text();
    if (text.isEmpty())
        return;
    if (method() == u"Titolo") {
        addMatches(titlePrefix(text.toUpper()));
        SearchNameVariants();
    } else if (method() == u"Artista") {
        searchArtist(text);
    }
}

void RingtoneSearch::searchArtist(const QString &text)
{
    addMatches(artistPrefix(text.toUpper()));
    // A short text would be found inside too many names.
    if (text.size() > 3 && m_window.lngFound() == 0)
        addMatches(QStringLiteral("artiest like '*") + quoted(text.toUpper()) + QStringLiteral("*'"));
    SearchNameVariants();
}

void RingtoneSearch::searchTitleAndGenre()
{
    if (method() != u"Titolo + Genere")
        return;
    const QString title = m_window.txtSsng().text();
    const QString chosen = genre();
    if (!title.isEmpty() && !chosen.isEmpty()) {
        addMatches(titlePrefix(title.toUpper()) + QStringLiteral(" and Genre like '") +
                   quoted(chosen.toUpper()) + QStringLiteral("*'"));
    } else if (!chosen.isEmpty()) {
        addMatches(QStringLiteral("Genre like '*") + quoted(chosen) + QStringLiteral("*'"));
        showGenreArrangement();
    } else {
        if (!title.isEmpty()) {
            addMatches(titlePrefix(title.toUpper()));
            SearchNameVariants();
        }
        showOneFieldArrangement(QStringLiteral("Titolo"));
    }
}

// Built like "Titolo + Genere": artist prefix and genre prefix together; a
// genre alone searches the genre, an artist alone searches as "Artista".
void RingtoneSearch::searchArtistAndGenre()
{
    if (method() != u"Artista + Genere")
        return;
    const QString artist = m_window.txtSArt().text();
    const QString chosen = genre();
    if (!artist.isEmpty() && !chosen.isEmpty()) {
        addMatches(artistPrefix(artist.toUpper()) + QStringLiteral(" and Genre like '") +
                   quoted(chosen.toUpper()) + QStringLiteral("*'"));
    } else if (!chosen.isEmpty()) {
        addMatches(QStringLiteral("Genre like '*") + quoted(chosen) + QStringLiteral("*'"));
        showGenreArrangement();
    } else if (!artist.isEmpty()) {
        moveToOneField(QStringLiteral("Artista"), m_window.txtSArt());
        searchArtist(m_window.txtSearch().text());
    } else {
        showOneFieldArrangement(QStringLiteral("Artista"));
    }
}

void RingtoneSearch::SearchNameVariants()
{
    static const struct
    {
        const char16_t *word;
        const char16_t *replacement;
    } variants[] = {{u"I", u"Y"}, {u"Y", u"I"}, {u"SOLDARA", u"SOLDRA"}, {u"SOLDRA", u"SOLDARA"}};
    const QString upper = m_window.txtSearch().text().toUpper();
    for (const auto &variant : variants) {
        const QString pattern = withFirstReplaced(upper, QString::fromUtf16(variant.word),
                                                  QString::fromUtf16(variant.replacement));
        if (!pattern.isEmpty())
            addMatches(artistPrefix(pattern));
    }
}

} // namespace brivello::ringtones
