#pragma once

#include "ringtones/shared/RingtoneQuery.h"

#include <QObject>
#include <QString>

class QLineEdit;

namespace brivello::ui {
class Window;
}

namespace brivello::ringtones {

class frmRing;

// The search row: the method combo and how each method arranges the boxes,
// the two placeholders and the search; the criteria of each pass and the
// artist name variants are the catalogue search shared with the disc's tools.
class RingtoneSearch : public QObject, private shared::SearchRow
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
    void setMethod(shared::SearchMethod method);

    // The search row as the shared search passes see it.
    shared::SearchMethod method() const override;
    QString text() const override;
    QString artist() const override;
    QString title() const override;
    QString genre() const override;
    void setText(const QString &text) override;
    void clearArtist() override;
    void clearTitle() override;
    void showOneField(shared::SearchMethod method) override;
    void showGenre() override;
    int addMatches(const QString &criteria) override;

    frmRing &m_window;
    bool m_waiting = false;
};

} // namespace brivello::ringtones
