#include "tools/ringtonetools/CataloguePicker.h"

#include "data/Catalogue.h"
#include "data/CatalogueError.h"
#include "data/Criteria.h"
#include "data/DataSource.h"
#include "data/DiscPaths.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

namespace {

// The row keeps the ringtone's place in the table, so a title or artist
// holding a quote is found all the same.
constexpr int RowRole = Qt::UserRole + 1;

template <typename W> W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

CataloguePicker::CataloguePicker(const QString &discFolder, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(u"Ricerca:"_s, this));
    m_method = named(new QComboBox(this), u"metodo"_s);
    m_text = named(new QLineEdit(this), u"testo"_s);
    m_artist = named(new QLineEdit(this), u"artista"_s);
    m_artist->setPlaceholderText(u"Artista"_s);
    m_title = named(new QLineEdit(this), u"titolo"_s);
    m_title->setPlaceholderText(u"Titolo"_s);
    m_genre = named(new QComboBox(this), u"genere"_s);
    m_search = named(new QPushButton(u"Cerca"_s, this), u"cerca"_s);
    row->addWidget(m_method);
    row->addWidget(m_text, 1);
    row->addWidget(m_artist, 1);
    row->addWidget(m_title, 1);
    row->addWidget(m_genre, 1);
    row->addWidget(m_search);
    layout->addLayout(row);

    m_results = named(new QTreeWidget(this), u"risultati"_s);
    m_results->setHeaderLabels({u"Titolo"_s, u"Artista"_s, u"Genere"_s});
    m_results->setRootIsDecorated(false);
    m_results->setUniformRowHeights(true);
    m_results->header()->setStretchLastSection(true);
    m_results->header()->resizeSection(0, 220);
    m_results->header()->resizeSection(1, 160);
    layout->addWidget(m_results, 1);

    auto *bottom = new QHBoxLayout;
    m_status = named(new QLabel(this), u"stato"_s);
    m_status->setWordWrap(true);
    m_pick = named(new QPushButton(u"Scegli"_s, this), u"scegli"_s);
    m_pick->setEnabled(false);
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_pick);
    layout->addLayout(bottom);

    connect(m_method, &QComboBox::currentTextChanged, this, &CataloguePicker::arrange);
    connect(m_search, &QPushButton::clicked, this, &CataloguePicker::search);
    for (QLineEdit *box : {m_text, m_artist, m_title})
        connect(box, &QLineEdit::returnPressed, this, &CataloguePicker::search);
    connect(m_results, &QTreeWidget::itemActivated, this, &CataloguePicker::pickSelected);
    connect(m_pick, &QPushButton::clicked, this, &CataloguePicker::pickSelected);
    connect(m_results, &QTreeWidget::currentItemChanged, this, [this] {
        m_pick->setEnabled(selected().has_value());
        Q_EMIT selectionChanged();
    });

    openCatalogue(discFolder);
    arrange();
}

CataloguePicker::~CataloguePicker() = default;

void CataloguePicker::openCatalogue(const QString &discFolder)
{
    const QString path = data::discPath(discFolder, u".\\datafiles\\ringtones.dat"_s);
    try {
        m_catalogue = data::Catalogue::open(path);
        auto main = std::make_unique<data::DataSource>(m_catalogue, u"Main"_s);
        // Every field the picker reads is looked for now, not at the first pick.
        for (const char16_t *field : {u"song", u"artiest", u"Genre", u"bieps"}) {
            if (main->table().column(QStringView(field)) < 0)
                throw data::CatalogueError::missingField(path, u"Main"_s, QString::fromUtf16(field));
        }
        m_method->addItems(data::DataSource(m_catalogue, u"Zoekmethodes"_s).values(u"Zoekmethode"));
        m_method->setCurrentIndex(std::max(0, m_method->findText(u"Artista"_s)));
        m_genre->addItems(data::DataSource(m_catalogue, u"Genres"_s).values(u"Genre"));
        m_genre->setCurrentIndex(-1);
        m_main = std::move(main);
    } catch (const data::CatalogueError &error) {
        m_status->setText(u"Il catalogo del disco non si può leggere: %1"_s.arg(error.message()));
        for (QWidget *control :
             std::initializer_list<QWidget *>{m_method, m_text, m_artist, m_title, m_genre, m_search})
            control->setEnabled(false);
    }
}

// The boxes each method asks for; a method the picker does not know leaves
// them as they are.
void CataloguePicker::arrange()
{
    const ringtones::shared::SearchMethod current = method();
    // A text of the catalogue's own leaves the boxes as they are.
    if (current == ringtones::shared::SearchMethod::Unknown)
        return;
    const ringtones::shared::SearchBoxes boxes = ringtones::shared::boxesFor(current);
    m_text->setVisible(boxes.text);
    m_artist->setVisible(boxes.artist);
    m_title->setVisible(boxes.title);
    m_genre->setVisible(boxes.genre);
}

void CataloguePicker::search()
{
    if (!m_main)
        return;
    m_results->clear();
    m_pick->setEnabled(false);
    int found = 0;
    try {
        found = ringtones::shared::runSearchPasses(*this);
    } catch (const data::CriteriaError &) {
        // A text the catalogue cannot use as a pattern ends the search like
        // one that found nothing; what was found before stays.
        found = m_results->topLevelItemCount();
    } catch (const data::CatalogueError &error) {
        m_status->setText(u"Il catalogo del disco non si può leggere: %1"_s.arg(error.message()));
        return;
    }
    if (found == 0)
        m_status->setText(u"Nessuna suoneria trovata."_s);
    else
        m_status->setText(found == 1 ? u"1 suoneria trovata."_s : u"%1 suonerie trovate."_s.arg(found));
    if (m_results->topLevelItemCount() > 0)
        m_results->setCurrentItem(m_results->topLevelItem(0));
}

int CataloguePicker::addMatches(const QString &criteria)
{
    data::DataSource &source = *m_main;
    QList<QTreeWidgetItem *> items;
    source.moveFirst();
    source.findFirst(criteria);
    while (!source.eof() && !source.noMatch()) {
        auto *item = new QTreeWidgetItem(
            QStringList{source.field(u"song"), source.field(u"artiest"), source.field(u"Genre")});
        item->setData(0, RowRole, source.position());
        items.append(item);
        source.findNext(criteria);
    }
    m_results->addTopLevelItems(items);
    return static_cast<int>(items.size());
}

std::optional<CatalogueTune> CataloguePicker::selected() const
{
    const QTreeWidgetItem *item = m_results->currentItem();
    if (!item || !m_main)
        return std::nullopt;
    const data::Table &table = m_main->table();
    const int row = item->data(0, RowRole).toInt();
    if (row < 0 || static_cast<std::size_t>(row) >= table.rowCount())
        return std::nullopt;
    // The ringtone text may still lie in the file: a damaged page shows up here.
    try {
        const auto field = [&](QStringView name) {
            const int column = table.column(name);
            return column < 0 ? QString() : table.value(static_cast<std::size_t>(row), column);
        };
        return CatalogueTune{field(u"song"), field(u"artiest"), field(u"Genre"), field(u"bieps")};
    } catch (const data::CatalogueError &error) {
        m_status->setText(u"Il catalogo del disco non si può leggere: %1"_s.arg(error.message()));
        return std::nullopt;
    }
}

void CataloguePicker::pickSelected()
{
    if (const auto tune = selected())
        Q_EMIT picked(*tune);
}

ringtones::shared::SearchMethod CataloguePicker::method() const
{
    return ringtones::shared::searchMethod(m_method->currentText());
}

QString CataloguePicker::text() const
{
    return m_text->text();
}

QString CataloguePicker::artist() const
{
    return m_artist->text();
}

QString CataloguePicker::title() const
{
    return m_title->text();
}

QString CataloguePicker::genre() const
{
    return m_genre->currentText();
}

void CataloguePicker::setText(const QString &text)
{
    m_text->setText(text);
}

void CataloguePicker::clearArtist()
{
    m_artist->clear();
}

void CataloguePicker::clearTitle()
{
    m_title->clear();
}

void CataloguePicker::setMethod(ringtones::shared::SearchMethod method)
{
    const int index = m_method->findText(ringtones::shared::methodText(method));
    if (index >= 0)
        m_method->setCurrentIndex(index);
    arrange();
}

void CataloguePicker::showOneField(ringtones::shared::SearchMethod method)
{
    setMethod(method);
    m_text->show();
    m_artist->hide();
    m_title->hide();
    m_genre->hide();
}

void CataloguePicker::showGenre()
{
    setMethod(ringtones::shared::SearchMethod::Genre);
    m_text->hide();
    m_artist->hide();
    m_title->hide();
    m_genre->show();
}

} // namespace brivello::ringtonetools
