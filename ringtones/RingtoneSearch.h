#pragma once

#include "ringtones/shared/RingtoneQuery.h"

#include <QObject>
#include <QString>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;

namespace brivello::platform {
class MessageBox;
}
namespace brivello::ui {
class ButtonImages;
class PictureBox;
class Window;
class WindowStack;
} // namespace brivello::ui

namespace brivello::ringtones {

class MainTableLoad;

// What a search does to the rest of the ringtone window.
class SearchResults
{
public:
    // False while the ringtone table is still being read in the background.
    virtual bool catalogueReady() const = 0;
    // Tells when that read ends.
    virtual MainTableLoad &catalogueLoad() = 0;
    // Empties the list, the found count and the details, and stops playback.
    virtual void clearResults() = 0;
    // Appends to the list the rows that satisfy `criteria`; returns how
    // many. Throws data::CriteriaError for criteria the catalogue rejects.
    virtual int addMatches(const QString &criteria) = 0;
    // The rows found since the list was last emptied.
    virtual std::int32_t found() const = 0;
    // The row that says a search found nothing.
    virtual void showNoResult() = 0;

protected:
    ~SearchResults() = default;
};

// The search row: the method combo and how each method arranges the boxes,
// the two placeholders and the search; the criteria of each pass and the
// artist name variants are the catalogue search shared with the disc's tools.
class RingtoneSearch : public QObject, private shared::SearchRow
{
    Q_OBJECT
public:
    struct Controls
    {
        QComboBox &dbcSearch;
        QLineEdit &txtSearch;
        QLineEdit &txtSArt;
        QLineEdit &txtSsng;
        QComboBox &dbcGenre;
        ui::PictureBox &pctZoek;
        // Tells, over the list, that a search waits for the catalogue.
        QLabel &lblAttesa;
    };

    // `window` is the ringtone window: leaving it ends a wait.
    RingtoneSearch(const Controls &controls, SearchResults &results, ui::Window &window,
                   ui::WindowStack &stack, const ui::ButtonImages &images, platform::MessageBox &messageBox);

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

    Controls m_controls;
    SearchResults &m_results;
    ui::Window &m_window;
    ui::WindowStack &m_stack;
    const ui::ButtonImages &m_images;
    platform::MessageBox &m_messageBox;
    bool m_waiting = false;
};

} // namespace brivello::ringtones
