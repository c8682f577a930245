#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace brivello::ui {
class Window;
}

namespace brivello::ringtones {

class frmRing;

// The search row: the method combo and how each method arranges the boxes,
// the two placeholders, the search itself and the artist name variants.
class RingtoneSearch : public QObject
{
    Q_OBJECT
public:
    explicit RingtoneSearch(frmRing &window);

    // Arranges the boxes for the method the combo shows; a text that names
    // no method leaves them as they are.
    void dbcSearch_Click();
    void txtSArt_GotFocus();
    void txtSsng_GotFocus();
    // Empties a box that still shows its placeholder; the timer calls it.
    void clearPlaceholders();
    void pctZoek_Click();
    // True while a search waits for the catalogue to be read.
    bool isWaiting() const { return m_waiting; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void searchNow();
    void waitForCatalogue();
    void catalogueReady();
    void leaveWaiting();
    void windowActivated(ui::Window *window);
    void showBusy(bool busy);
    void runSearch();
    void searchGenre();
    void searchSoldara();
    void searchTitleAndArtist();
    void searchOneField();
    void searchArtist(const QString &text);
    void searchTitleAndGenre();
    void searchArtistAndGenre();
    void SearchNameVariants();
    void moveToOneField(const QString &method, QLineEdit &from);
    void showOneFieldArrangement(const QString &method);
    void showGenreArrangement();
    void addMatches(const QString &criteria);
    QString method() const;
    void setMethod(const QString &method);
    QString genre() const;

    frmRing &m_window;
    bool m_waiting = false;
};

} // namespace brivello::ringtones
