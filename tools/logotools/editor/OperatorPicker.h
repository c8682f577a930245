#pragma once

#include "tools/logotools/picture/LogoDocument.h"

#include <QDialog>

#include <optional>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

namespace brivello::logotools {

class OperatorList;

// Picks a mobile network: a list of every network with its country, name,
// MCC and MNC, the Italian ones first, narrowed as the user types into the
// search box (country, name or code). A double click or Enter takes one.
class OperatorPicker : public QDialog
{
    Q_OBJECT
public:
    explicit OperatorPicker(const OperatorList &operators, QWidget *parent = nullptr);

    std::optional<Network> chosenNetwork() const;
    // Puts the cursor on this network when the list shows it.
    void selectNetwork(const Network &network);

    QLineEdit &searchBox() const { return *m_search; }
    QTreeWidget &networkList() const { return *m_list; }
    QLabel &countLabel() const { return *m_count; }
    QDialogButtonBox &buttons() const { return *m_buttons; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMatches();

    const OperatorList &m_operators;
    QList<Network> m_shown;
    QLineEdit *m_search;
    QTreeWidget *m_list;
    QLabel *m_count;
    QDialogButtonBox *m_buttons;
};

} // namespace brivello::logotools
