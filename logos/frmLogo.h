#pragma once

#include "logos/LogoGrid.h"
#include "ui/ButtonImages.h"
#include "ui/MainWindow.h"

#include <QList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QImage;
class QLabel;

namespace brivello::data {
class Catalogue;
class DataSource;
} // namespace brivello::data

namespace brivello::logos {

enum class Category;

// What the gallery remembers between clicks. The indices count logos from 0;
// bytLogo counts them from 1, 0 meaning no logo is selected.
struct GalleryState
{
    QString strRubriek; // the category last loaded (the combo's text then)
    QString strLijst;   // the image list of the loaded category
    bool blnVolgende = false;
    bool blnVorige = false;
    std::uint8_t bytVolgende = 0; // first logo of the next page; on the last page, of that page
    std::uint8_t bytStart = 0;    // first logo of the page shown
    std::uint8_t bytVak = 0;      // the box with the selection border
    std::uint8_t bytLogo = 0;     // the selected logo of the loaded category's list
};

// The logo gallery: the operator logos of a category, 24 to a page, one of
// which the user selects and exports as a two-colour bitmap.
class frmLogo : public ui::MainWindow
{
    Q_OBJECT
public:
    // Writes a logo as a bitmap file; false with the reason on failure.
    using BitmapWriter = std::function<bool(const QString &path, const QImage &logo, QString *error)>;

    explicit frmLogo(const ui::Context &context);
    ~frmLogo() override;

    // Form_Load: fills the category combo from the catalogue's Rubrieken.
    void formLoad() override;
    // The gallery is loaded when it is first shown, but the start-up checks
    // its field with those of the other windows: throws data::CatalogueError
    // when the catalogue has no Rubrieken with a Groep field.
    static void checkCatalogue();
    // Form_Activate: shows "Persone", keeping its page if it is loaded.
    void formActivate() override;

    // Loads page 1 of the category the combo names, unless it is loaded.
    void LaadRubriek();
    void pctVolgende_Click();
    void pctVorige_Click();
    void pctLogo1_Click(int index);
    void pctExporteren_Click();

    const GalleryState &state() const { return m_state; }
    // The writer the export uses; the bitmap file writer unless replaced.
    void setBitmapWriter(BitmapWriter writer) { m_writeBitmap = std::move(writer); }

    // Controls.
    QLabel &lblRubriek() const { return *m_lblRubriek; }
    QComboBox &dbcRubriek() const { return *m_dbcRubriek; }
    QGroupBox &Frame1() const { return *m_frame1; }
    ui::PictureBox &pctLogo1(int index) const { return *m_pctLogo1.at(static_cast<std::size_t>(index)); }
    QLabel &Pagina() const { return *m_pagina; }
    // The light ring around the selected box, hidden while nothing is selected.
    QWidget &selectionMark() const { return *m_selectionMark; }
    ui::PictureBox &pctExporteren() const { return *m_pctExporteren; }
    ui::PictureBox &pctVorige() const { return *m_pctVorige; }
    ui::PictureBox &pctVolgende() const { return *m_pctVolgende; }

protected:
    // The arrow keys move the focus through the grid of logo boxes.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildCategoryRow();
    bool moveFocusInGrid(int from, int arrowKey);
    void makeGridTabStop(int index);
    void buildLogoGrid();
    void buildButtons();
    void openRubrieken();

    std::optional<Category> categoryOfCombo() const;
    void hideBoxes();
    void clearSelection();
    void markSelection(int index);
    void ToonPagina(const QList<QImage> &list, int first, int last);
    void SchrijfPagina();
    void showPageButtons(ui::ButtonPicture volgendePicture, ui::ButtonPicture vorigePicture);
    void showCategory(const QString &name);
    void writeLogo(const QString &path, const QImage &logo);

    QLabel *m_lblRubriek = nullptr;
    QComboBox *m_dbcRubriek = nullptr;
    QGroupBox *m_frame1 = nullptr;
    std::array<ui::PictureBox *, logoBoxCount> m_pctLogo1{};
    QLabel *m_pagina = nullptr;
    QWidget *m_selectionMark = nullptr;
    ui::PictureBox *m_pctExporteren = nullptr;
    ui::PictureBox *m_pctVorige = nullptr;
    ui::PictureBox *m_pctVolgende = nullptr;

    std::shared_ptr<data::Catalogue> m_catalogue;
    std::unique_ptr<data::DataSource> m_datRubriek;

    GalleryState m_state;
    BitmapWriter m_writeBitmap;
};

} // namespace brivello::logos
