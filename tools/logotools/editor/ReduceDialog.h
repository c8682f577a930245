#pragma once

#include "logos/pictures/PixelBitmap.h"
#include "tools/logotools/picture/OneBitReduction.h"

#include <QDialog>
#include <QImage>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QSlider;
class QSpinBox;

namespace brivello::logotools {

// Turns any picture into the editor's black and white: the picture fitted
// into the drawing's size, a threshold the user moves and a choice of
// dithering, with the result shown as it changes.
class ReduceDialog : public QDialog
{
    Q_OBJECT
public:
    ReduceDialog(const QImage &source, QSize size, QWidget *parent = nullptr);

    logos::PixelBitmap result() const { return m_result; }
    Reduction reduction() const;

    QSlider &thresholdSlider() const { return *m_slider; }
    QSpinBox &thresholdBox() const { return *m_spin; }
    QComboBox &ditheringBox() const { return *m_dithering; }
    QLabel &preview() const { return *m_preview; }
    QDialogButtonBox &buttons() const { return *m_buttons; }

private:
    void reduce();

    QImage m_source;
    QSize m_size;
    logos::PixelBitmap m_result;
    QSlider *m_slider;
    QSpinBox *m_spin;
    QComboBox *m_dithering;
    QLabel *m_preview;
    QDialogButtonBox *m_buttons;
};

} // namespace brivello::logotools
