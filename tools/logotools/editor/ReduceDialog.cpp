#include "tools/logotools/editor/ReduceDialog.h"

#include "tools/logotools/picture/MonoPicture.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::logotools {

namespace {

constexpr int PreviewZoom = 4;

QPixmap enlarged(const QImage &picture, int factor)
{
    return QPixmap::fromImage(
        picture.convertToFormat(QImage::Format_RGB32)
            .scaled(picture.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

} // namespace

ReduceDialog::ReduceDialog(const QImage &source, QSize size, QWidget *parent)
    : QDialog(parent), m_source(source), m_size(size), m_slider(new QSlider(Qt::Horizontal, this)),
      m_spin(new QSpinBox(this)), m_dithering(new QComboBox(this)), m_preview(new QLabel(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(u"Riduci a due colori"_s);
    Reduction defaults;
    m_slider->setRange(0, 255);
    m_spin->setRange(0, 255);
    m_slider->setValue(defaults.threshold);
    m_spin->setValue(defaults.threshold);
    m_slider->setAccessibleName(u"Soglia"_s);
    m_dithering->addItem(u"Nessuna: solo la soglia"_s, int(Dithering::None));
    m_dithering->addItem(u"Diffusione dell'errore (Floyd-Steinberg)"_s, int(Dithering::FloydSteinberg));
    m_dithering->addItem(u"Retino ordinato (Bayer)"_s, int(Dithering::Ordered));
    m_buttons->button(QDialogButtonBox::Ok)->setText(u"Usa"_s);
    m_buttons->button(QDialogButtonBox::Cancel)->setText(u"Annulla"_s);

    auto *original = new QLabel(this);
    const QImage shownSource =
        source.scaled(m_size * PreviewZoom, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    original->setPixmap(QPixmap::fromImage(shownSource));
    original->setAlignment(Qt::AlignCenter);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMinimumSize(m_size * PreviewZoom);

    auto *threshold = new QHBoxLayout;
    threshold->addWidget(m_slider, 1);
    threshold->addWidget(m_spin);
    auto *form = new QFormLayout;
    form->addRow(u"Immagine:"_s, original);
    form->addRow(u"Risultato:"_s, m_preview);
    // A label names its shortcut only for a widget it is the buddy of.
    auto *thresholdLabel = new QLabel(u"&Soglia (più alta, più nero):"_s, this);
    thresholdLabel->setBuddy(m_slider);
    form->addRow(thresholdLabel, threshold);
    form->addRow(u"&Retinatura:"_s, m_dithering);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_buttons);

    connect(m_slider, &QSlider::valueChanged, m_spin, &QSpinBox::setValue);
    connect(m_spin, &QSpinBox::valueChanged, m_slider, &QSlider::setValue);
    connect(m_slider, &QSlider::valueChanged, this, &ReduceDialog::reduce);
    connect(m_dithering, &QComboBox::currentIndexChanged, this, &ReduceDialog::reduce);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    reduce();
}

Reduction ReduceDialog::reduction() const
{
    return {m_slider->value(), Dithering(m_dithering->currentData().toInt())};
}

void ReduceDialog::reduce()
{
    m_result = reduceToOneBit(m_source, m_size, reduction());
    m_preview->setPixmap(enlarged(toPicture(m_result), PreviewZoom));
}

} // namespace brivello::logotools
