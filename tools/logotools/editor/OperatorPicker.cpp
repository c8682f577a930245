#include "tools/logotools/editor/OperatorPicker.h"

#include "tools/logotools/picture/OperatorList.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::logotools {

namespace {

constexpr int IndexRole = Qt::UserRole;

} // namespace

OperatorPicker::OperatorPicker(const OperatorList &operators, QWidget *parent)
    : QDialog(parent), m_operators(operators), m_search(new QLineEdit(this)), m_list(new QTreeWidget(this)),
      m_count(new QLabel(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(u"Scegli la rete"_s);
    m_search->setPlaceholderText(u"Paese, nome o codice della rete"_s);
    m_search->setClearButtonEnabled(true);
    m_search->setAccessibleName(u"Cerca"_s);
    m_list->setHeaderLabels({u"Paese"_s, u"Rete"_s, u"MCC"_s, u"MNC"_s});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_list->setMinimumSize(520, 360);
    m_buttons->button(QDialogButtonBox::Ok)->setText(u"Scegli"_s);
    m_buttons->button(QDialogButtonBox::Cancel)->setText(u"Annulla"_s);

    auto *searchLabel = new QLabel(u"&Cerca:"_s, this);
    searchLabel->setBuddy(m_search);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(searchLabel);
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_count);
    layout->addWidget(m_buttons);

    connect(m_search, &QLineEdit::textChanged, this, &OperatorPicker::showMatches);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] {
        m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_list->currentItem() != nullptr);
    });
    connect(m_list, &QTreeWidget::itemActivated, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Down from the search box goes to the list, as in a search field.
    m_search->installEventFilter(this);
    showMatches();
    m_search->setFocus();
}

void OperatorPicker::showMatches()
{
    m_shown = m_operators.search(m_search->text());
    m_list->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(m_shown.size());
    for (int i = 0; i < m_shown.size(); ++i) {
        const Network &network = m_shown.at(i);
        auto *item = new QTreeWidgetItem({network.country, network.name, network.mcc, network.mnc});
        item->setData(0, IndexRole, i);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    m_list->resizeColumnToContents(0);
    if (!items.isEmpty())
        m_list->setCurrentItem(items.first());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!items.isEmpty());
    m_count->setText(m_shown.isEmpty() ? u"Nessuna rete trovata."_s
                                       : u"Reti trovate: %1"_s.arg(m_shown.size()));
}

std::optional<Network> OperatorPicker::chosenNetwork() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    if (!item)
        return std::nullopt;
    const int index = item->data(0, IndexRole).toInt();
    if (index < 0 || index >= m_shown.size())
        return std::nullopt;
    return m_shown.at(index);
}

void OperatorPicker::selectNetwork(const Network &network)
{
    for (int i = 0; i < m_shown.size(); ++i) {
        if (m_shown.at(i).code() == network.code() && m_shown.at(i).name == network.name) {
            m_list->setCurrentItem(m_list->topLevelItem(i));
            m_list->scrollToItem(m_list->topLevelItem(i));
            return;
        }
    }
}

bool OperatorPicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Down || key->key() == Qt::Key_PageDown) {
            m_list->setFocus();
            return false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace brivello::logotools
