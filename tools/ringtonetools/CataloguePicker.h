#pragma once

// The disc's ringtone catalogue in a tool: the search row of the ringtone
// window (its methods, its criteria, its name variants), the ringtones found,
// and the one the user picks. The catalogue is read from the disc the tool
// runs from; a disc without one leaves the picker telling so.

#include "ringtones/shared/RingtoneQuery.h"

#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace brivello::data {
class Catalogue;
class DataSource;
} // namespace brivello::data

namespace brivello::ringtonetools {

struct CatalogueTune
{
    QString song;
    QString artist;
    QString genre;
    QString rtttl;
};

class CataloguePicker : public QWidget, private ringtones::shared::SearchRow
{
    Q_OBJECT
public:
    explicit CataloguePicker(const QString &discFolder, QWidget *parent = nullptr);
    ~CataloguePicker() override;

    bool hasCatalogue() const { return m_main != nullptr; }
    // The ringtone of the selected row, when one is selected.
    std::optional<CatalogueTune> selected() const;

    QComboBox &methods() const { return *m_method; }
    QLineEdit &searchBox() const { return *m_text; }
    QLineEdit &artistBox() const { return *m_artist; }
    QLineEdit &titleBox() const { return *m_title; }
    QComboBox &genres() const { return *m_genre; }
    QPushButton &searchButton() const { return *m_search; }
    QPushButton &pickButton() const { return *m_pick; }
    QTreeWidget &results() const { return *m_results; }
    QLabel &status() const { return *m_status; }

    void search();

Q_SIGNALS:
    // The user chose a ringtone (double click, Enter or the pick button).
    void picked(const brivello::ringtonetools::CatalogueTune &tune);
    void selectionChanged();

private:
    void openCatalogue(const QString &discFolder);
    void arrange();
    void pickSelected();
    void setMethod(ringtones::shared::SearchMethod method);

    ringtones::shared::SearchMethod method() const override;
    QString text() const override;
    QString artist() const override;
    QString title() const override;
    QString genre() const override;
    void setText(const QString &text) override;
    void clearArtist() override;
    void clearTitle() override;
    void showOneField(ringtones::shared::SearchMethod method) override;
    void showGenre() override;
    int addMatches(const QString &criteria) override;

    QComboBox *m_method = nullptr;
    QLineEdit *m_text = nullptr;
    QLineEdit *m_artist = nullptr;
    QLineEdit *m_title = nullptr;
    QComboBox *m_genre = nullptr;
    QPushButton *m_search = nullptr;
    QPushButton *m_pick = nullptr;
    QTreeWidget *m_results = nullptr;
    QLabel *m_status = nullptr;
    std::shared_ptr<data::Catalogue> m_catalogue;
    std::unique_ptr<data::DataSource> m_main;
};

} // namespace brivello::ringtonetools
