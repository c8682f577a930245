#include "logos/frmLogo.h"

#include "data/Catalogue.h"
#include "data/CatalogueError.h"
#include "data/DataSource.h"
#include "data/DiscPaths.h"
#include "logos/pictures/LogoCatalogue.h"
#include "logos/pictures/MonochromeBmp.h"
#include "ui/ButtonImages.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>

#include <exception>

using namespace Qt::StringLiterals;

namespace brivello::logos {

using ui::PictureBox;
using ui::twipsRect;

namespace {

using ui::ButtonPicture;

template <typename W> W *placed(W *widget, const QString &name, const QRect &geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

PictureBox *pictureButton(QWidget *page, const QString &name, const QRect &geometry)
{
    auto *button = placed(new PictureBox(name, page), name, geometry);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

// The dialog opens on drive C where there is one, else in the user's home.
QString exportStartFolder()
{
#ifdef Q_OS_WIN
    if (QDir(u"c:/"_s).exists())
        return u"c:\\"_s;
#endif
    return QDir::homePath();
}

QString cataloguePath()
{
    return data::discPath(u".\\Datafiles\\ringtones.dat"_s);
}

platform::SaveFileRequest exportRequest()
{
    platform::SaveFileRequest request;
    request.title = u"Indicare il nome del documento:"_s;
    request.startFolder = exportStartFolder();
    request.filter = u"Bitmap Picture (*.bmp)"_s;
    return request;
}

} // namespace

frmLogo::frmLogo(const ui::Context &context)
    : MainWindow(u"frmLogo"_s, context, resources::Page::Logos, ui::NavigationOwner::Logos),
      m_writeBitmap(&writeMonochromeBmp)
{
    QFont small = pctBG().font();
    small.setPixelSize(11);
    pctBG().setFont(small);
    buildCategoryRow();
    buildLogoGrid();
    buildButtons();
}

frmLogo::~frmLogo() = default;

void frmLogo::buildCategoryRow()
{
    m_lblRubriek = placed(new QLabel(u"Genere:"_s, &pctBG()), u"lblRubriek"_s, twipsRect(240, 660, 735, 255));
    m_lblRubriek->setStyleSheet(u"color: #eaf1fa;"_s);
    m_dbcRubriek = placed(new QComboBox(&pctBG()), u"dbcRubriek"_s, twipsRect(1080, 600, 3135, 315));
    m_dbcRubriek->setEditable(true);
    m_dbcRubriek->setAccessibleName(u"Genere"_s);
    m_dbcRubriek->setInsertPolicy(QComboBox::NoInsert);
    // A pick from the list and every change of the text both load the
    // category; loading the one already shown does nothing.
    connect(m_dbcRubriek, &QComboBox::activated, this, [this] { LaadRubriek(); });
    connect(m_dbcRubriek, &QComboBox::editTextChanged, this, [this] { LaadRubriek(); });
}

void frmLogo::buildLogoGrid()
{
    m_frame1 = placed(new QGroupBox(&pctBG()), u"Frame1"_s, twipsRect(1680, 1320, 7695, 5295));
    m_selectionMark = new QFrame(m_frame1);
    m_selectionMark->setObjectName(u"selectionMark"_s);
    m_selectionMark->setStyleSheet(u"#selectionMark { border: 2px solid #f2c14e; }"_s);
    m_selectionMark->hide();
    for (int index = 0; index < logoBoxCount; ++index) {
        auto *box = placed(new PictureBox(u"pctLogo1"_s, m_frame1), u"pctLogo1"_s, logoBoxRect(index));
        box->setProperty("index", index);
        box->setAccessibleName(u"Logo %1"_s.arg(index + 1));
        box->installEventFilter(this);
        connect(box, &PictureBox::clicked, this, [this, index] { pctLogo1_Click(index); });
        m_pctLogo1.at(static_cast<std::size_t>(index)) = box;
    }
    makeGridTabStop(0);
    m_pagina = placed(new QLabel(m_frame1), u"Pagina"_s, twipsRect(4560, 5040, 2895, 255));
    m_pagina->setStyleSheet(u"color: #eaf1fa;"_s);
}

void frmLogo::buildButtons()
{
    m_pctExporteren = pictureButton(&pctBG(), u"pctExporteren"_s, twipsRect(3880, 6830, 1080, 255));
    m_pctExporteren->setToolTip(u"Esportare il logo selezionato nei data della cartella bit "_s);
    m_context.images.paint(*m_pctExporteren, ButtonPicture::Export);
    m_pctVorige = pictureButton(&pctBG(), u"pctVorige"_s, twipsRect(5040, 6820, 1095, 270));
    m_pctVolgende = pictureButton(&pctBG(), u"pctVolgende"_s, twipsRect(6135, 6820, 1050, 255));
    m_pctVorige->setAccessibleName(u"Pagina precedente"_s);
    m_pctVolgende->setAccessibleName(u"Pagina successiva"_s);
    connect(m_pctExporteren, &PictureBox::clicked, this, &frmLogo::pctExporteren_Click);
    connect(m_pctVorige, &PictureBox::clicked, this, &frmLogo::pctVorige_Click);
    connect(m_pctVolgende, &PictureBox::clicked, this, &frmLogo::pctVolgende_Click);
}

void frmLogo::formLoad()
{
    openRubrieken();
    m_pagina->setText(u"1 di 1"_s);
    MainWindow::formLoad();
    hideBoxes();
}

void frmLogo::checkCatalogue()
{
    data::Catalogue::open(cataloguePath())->requireFields(u"Rubrieken"_s, {u"Groep"_s});
}

// The logos travel inside the program, so a catalogue whose category table
// cannot be read still leaves a gallery: the user is told, and activation
// shows "Persone" all the same.
void frmLogo::openRubrieken()
{
    try {
        m_catalogue = data::Catalogue::open(cataloguePath());
        m_datRubriek = std::make_unique<data::DataSource>(m_catalogue, u"Rubrieken"_s);
        const QSignalBlocker quiet(m_dbcRubriek);
        m_dbcRubriek->addItems(m_datRubriek->values(u"Groep"));
        m_dbcRubriek->setCurrentIndex(-1);
        m_dbcRubriek->clearEditText();
    } catch (const data::CatalogueError &error) {
        m_datRubriek.reset();
        platform::MessageRequest message;
        message.text = error.message();
        message.icon = platform::MessageIcon::Warning;
        m_context.platform.messageBox->show(message);
    }
}

void frmLogo::formActivate()
{
    showCategory(u"Persone"_s);
    LaadRubriek();
    // Also when "Persone" was loaded already and a later page is shown: the
    // page stays, but the buttons start over as on a first page.
    showPageButtons(ButtonPicture::Next, ButtonPicture::PreviousGreyed);
    m_state.blnVolgende = true;
    m_state.blnVorige = false;
}

void frmLogo::showCategory(const QString &name)
{
    const int row = m_dbcRubriek->findText(name);
    if (row >= 0)
        m_dbcRubriek->setCurrentIndex(row);
    // A text typed over the picked row leaves the row current.
    if (m_dbcRubriek->currentText() != name)
        m_dbcRubriek->setEditText(name);
}

std::optional<Category> frmLogo::categoryOfCombo() const
{
    return categoryFromName(m_dbcRubriek->currentText());
}

void frmLogo::LaadRubriek()
{
    const QString text = m_dbcRubriek->currentText();
    if (text == m_state.strRubriek)
        return;
    hideBoxes();
    m_state.blnVolgende = false;
    m_state.blnVorige = false;
    m_state.strRubriek = text;
    const std::optional<Category> category = categoryFromName(text);
    if (!category)
        return;
    m_pagina->setText(u"1 di "_s + QString::number(pageCount(logoCount(*category))));
    ToonPagina(logoList(*category), 0, logoBoxCount - 1);
    m_state.blnVolgende = true;
    m_state.bytVolgende = logoBoxCount;
    m_state.bytStart = 0;
    m_state.strLijst = imageListName(*category);
    showPageButtons(ButtonPicture::Next, ButtonPicture::PreviousGreyed);
}

void frmLogo::pctVolgende_Click()
{
    if (!m_state.blnVolgende)
        return;
    hideBoxes();
    const std::optional<Category> category = categoryOfCombo();
    if (!category)
        return;
    const QList<QImage> &list = logoList(*category);
    if (m_state.bytVolgende >= firstLogoOfLastPage(static_cast<int>(list.size()))) {
        ToonPagina(list, m_state.bytVolgende, static_cast<int>(list.size()) - 1);
        showPageButtons(ButtonPicture::NextGreyed, ButtonPicture::Previous);
        m_state.blnVolgende = false;
        m_state.blnVorige = true;
        m_state.bytStart = m_state.bytVolgende;
    } else {
        ToonPagina(list, m_state.bytVolgende, m_state.bytVolgende + logoBoxCount - 1);
        showPageButtons(ButtonPicture::Next, ButtonPicture::Previous);
        m_state.blnVolgende = true;
        m_state.blnVorige = true;
        m_state.bytStart = m_state.bytVolgende;
        m_state.bytVolgende = static_cast<std::uint8_t>(m_state.bytVolgende + logoBoxCount);
    }
    SchrijfPagina();
}

void frmLogo::pctVorige_Click()
{
    // A first page has no page before it, whatever the flag says.
    if (!m_state.blnVorige || m_state.bytStart < logoBoxCount)
        return;
    hideBoxes();
    const std::optional<Category> category = categoryOfCombo();
    if (!category)
        return;
    const QList<QImage> &list = logoList(*category);
    ToonPagina(list, m_state.bytStart - logoBoxCount, m_state.bytStart - 1);
    showPageButtons(ButtonPicture::Next, ButtonPicture::Previous);
    m_state.blnVolgende = true;
    m_state.blnVorige = true;
    // On the last page the next-page index was never advanced.
    if (m_state.bytStart != firstLogoOfLastPage(static_cast<int>(list.size())))
        m_state.bytVolgende = static_cast<std::uint8_t>(m_state.bytVolgende - logoBoxCount);
    m_state.bytStart = static_cast<std::uint8_t>(m_state.bytStart - logoBoxCount);
    if (m_state.bytStart == 0) {
        m_context.images.paint(*m_pctVorige, ButtonPicture::PreviousGreyed);
        m_state.blnVorige = false;
    }
    SchrijfPagina();
}

void frmLogo::ToonPagina(const QList<QImage> &list, int first, int last)
{
    for (int number = first; number <= last && number < list.size(); ++number) {
        PictureBox &box = pctLogo1(number - first);
        box.paintPicture(list.at(number));
        box.show();
    }
}

void frmLogo::SchrijfPagina()
{
    const std::optional<Category> category = categoryOfCombo();
    if (!category)
        return;
    const int page = m_state.bytStart / logoBoxCount + 1;
    m_pagina->setText(u" %1 di %2"_s.arg(page).arg(pageCount(logoCount(*category))));
}

void frmLogo::showPageButtons(ButtonPicture volgendePicture, ButtonPicture vorigePicture)
{
    m_context.images.paint(*m_pctVolgende, volgendePicture);
    m_context.images.paint(*m_pctVorige, vorigePicture);
}

bool frmLogo::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QVariant index = watched->property("index");
        if (index.isValid() && key->modifiers() == Qt::NoModifier &&
            moveFocusInGrid(index.toInt(), key->key()))
            return true;
    }
    return MainWindow::eventFilter(watched, event);
}

// Empty boxes are hidden and take no focus: the focus stays where it is.
bool frmLogo::moveFocusInGrid(int from, int arrowKey)
{
    switch (arrowKey) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        break;
    default:
        return false;
    }
    const int to = logoBoxBeside(from, arrowKey);
    if (pctLogo1(to).isVisible()) {
        makeGridTabStop(to);
        pctLogo1(to).setFocus(Qt::OtherFocusReason);
    }
    return true;
}

// The grid is one stop of the Tab key, the box last moved to (the first on a
// fresh page), so that Tab goes past the 24 boxes in one step.
void frmLogo::makeGridTabStop(int index)
{
    for (int each = 0; each < logoBoxCount; ++each)
        pctLogo1(each).setFocusPolicy(each == index ? Qt::TabFocus : Qt::NoFocus);
}

// Whenever the boxes are emptied the selection goes with them, so that an
// export never writes a logo other than the one the user sees selected.
void frmLogo::hideBoxes()
{
    for (PictureBox *box : m_pctLogo1)
        box->hide();
    makeGridTabStop(0);
    clearSelection();
}

void frmLogo::clearSelection()
{
    pctLogo1(m_state.bytVak).setBorder(false);
    m_selectionMark->hide();
    m_state.bytVak = 0;
    m_state.bytLogo = 0;
}

void frmLogo::pctLogo1_Click(int index)
{
    pctLogo1(m_state.bytVak).setBorder(false);
    pctLogo1(index).setBorder(true);
    markSelection(index);
    m_state.bytVak = static_cast<std::uint8_t>(index);
    m_state.bytLogo = static_cast<std::uint8_t>(m_state.bytStart + index + 1);
}

// A dark line alone is lost on the logos that carry a frame of their own, so
// a light ring outside the box shows the selection as well.
void frmLogo::markSelection(int index)
{
    m_selectionMark->setGeometry(pctLogo1(index).geometry().adjusted(-3, -3, 3, 3));
    m_selectionMark->show();
}

void frmLogo::pctExporteren_Click()
{
    const platform::SaveFileRequest request = exportRequest();
    QString path;
    if (m_state.bytLogo != 0) {
        m_context.images.paint(*m_pctExporteren, ButtonPicture::ExportPressed);
        path = m_context.platform.saveFileDialog->ask(request);
        if (path.isEmpty()) {
            m_context.images.paint(*m_pctExporteren, ButtonPicture::Export);
            return;
        }
    }
    m_context.images.paint(*m_pctExporteren, ButtonPicture::Export);
    if (m_state.bytLogo == 0)
        return;
    const std::optional<Category> category = categoryFromImageListName(m_state.strLijst);
    if (!category)
        return;
    const QImage logo = logoImage(*category, m_state.bytLogo);
    if (logo.isNull())
        return;
    writeLogo(path, logo);
}

void frmLogo::writeLogo(const QString &path, const QImage &logo)
{
    QString error;
    bool written = false;
    try {
        written = m_writeBitmap(path, logo, &error);
    } catch (const std::exception &) {
        // The one message this window has always shown for a failed export.
        platform::MessageRequest message;
        message.text = u"Datei nicht gefunden"_s;
        m_context.platform.messageBox->show(message);
        return;
    }
    if (written)
        return;
    platform::MessageRequest message;
    message.text = u"Il logo non è stato esportato: impossibile scrivere il file\n%1\n\n%2"_s.arg(
        QDir::toNativeSeparators(path), error);
    message.icon = platform::MessageIcon::Warning;
    m_context.platform.messageBox->show(message);
}

} // namespace brivello::logos
