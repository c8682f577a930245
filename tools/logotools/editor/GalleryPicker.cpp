#include "tools/logotools/editor/GalleryPicker.h"

#include "logos/pictures/LogoCatalogue.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::logotools {

namespace {

constexpr int Enlargement = 2;
constexpr int LogoNumberRole = Qt::UserRole;

QIcon logoIcon(const QImage &logo)
{
    const QImage large =
        logo.convertToFormat(QImage::Format_RGB32)
            .scaled(logo.size() * Enlargement, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return QIcon(QPixmap::fromImage(large));
}

} // namespace

GalleryPicker::GalleryPicker(QWidget *parent)
    : QDialog(parent), m_categories(new QComboBox(this)), m_logos(new QListWidget(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(u"Loghi della galleria"_s);
    for (logos::Category category : logos::AllCategories)
        m_categories->addItem(logos::categoryName(category), int(category));

    m_logos->setViewMode(QListView::IconMode);
    m_logos->setIconSize(QSize(72, 14) * Enlargement);
    m_logos->setGridSize(QSize(72 * Enlargement + 12, 14 * Enlargement + 12));
    m_logos->setResizeMode(QListView::Adjust);
    m_logos->setMovement(QListView::Static);
    m_logos->setUniformItemSizes(true);
    m_logos->setMinimumSize(5 * (72 * Enlargement + 12) + 24, 8 * (14 * Enlargement + 12));
    m_logos->setAccessibleName(u"Loghi"_s);

    m_buttons->button(QDialogButtonBox::Ok)->setText(u"Usa questo logo"_s);
    m_buttons->button(QDialogButtonBox::Cancel)->setText(u"Annulla"_s);

    auto *form = new QFormLayout;
    form->addRow(u"&Genere:"_s, m_categories);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_logos);
    layout->addWidget(new QLabel(u"Doppio clic o Invio per usare il logo scelto."_s, this));
    layout->addWidget(m_buttons);

    connect(m_categories, &QComboBox::currentIndexChanged, this, &GalleryPicker::showCategory);
    connect(m_logos, &QListWidget::currentItemChanged, this, [this] {
        m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_logos->currentItem() != nullptr);
    });
    connect(m_logos, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showCategory(0);
    m_logos->setFocus();
}

void GalleryPicker::showCategory(int index)
{
    m_logos->clear();
    const auto category = logos::Category(m_categories->itemData(index).toInt());
    const QList<QImage> &logoImages = logos::logoList(category);
    for (int i = 0; i < logoImages.size(); ++i) {
        auto *item = new QListWidgetItem(logoIcon(logoImages.at(i)), QString(), m_logos);
        item->setData(LogoNumberRole, i + 1);
        item->setToolTip(u"%1, logo %2"_s.arg(logos::categoryName(category)).arg(i + 1));
    }
    m_logos->setCurrentRow(0);
}

QImage GalleryPicker::chosenLogo() const
{
    const QListWidgetItem *item = m_logos->currentItem();
    if (!item)
        return {};
    const auto category = logos::Category(m_categories->currentData().toInt());
    return logos::logoImage(category, item->data(LogoNumberRole).toInt());
}

QString GalleryPicker::chosenName() const
{
    const QListWidgetItem *item = m_logos->currentItem();
    return item ? item->toolTip() : QString();
}

} // namespace brivello::logotools
