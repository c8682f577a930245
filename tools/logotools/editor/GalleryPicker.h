#pragma once

#include <QDialog>
#include <QImage>

class QComboBox;
class QDialogButtonBox;
class QListWidget;

namespace brivello::logotools {

// Picks a logo of the gallery: its five categories, each logo shown twice
// its size. A double click or Enter on a logo takes it.
class GalleryPicker : public QDialog
{
    Q_OBJECT
public:
    explicit GalleryPicker(QWidget *parent = nullptr);

    // The logo picked (72 x 14, one bit); a null image while none is.
    QImage chosenLogo() const;
    // "Amore, logo 3", for messages.
    QString chosenName() const;

    QComboBox &categoryBox() const { return *m_categories; }
    QListWidget &logoList() const { return *m_logos; }
    QDialogButtonBox &buttons() const { return *m_buttons; }

private:
    void showCategory(int index);

    QComboBox *m_categories;
    QListWidget *m_logos;
    QDialogButtonBox *m_buttons;
};

} // namespace brivello::logotools
