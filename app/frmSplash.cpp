#include "app/frmSplash.h"

#include "resources/Artwork.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"

namespace brivello::app {

frmSplash::frmSplash(const ui::Context &)
    : ui::Window(QStringLiteral("frmSplash")),
      m_picture(new ui::PictureBox(QStringLiteral("pctSplash"), this))
{
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Brivello"));
    setFixedSize(ui::twips(9600), ui::twips(7200));
    m_picture->setGeometry(rect());
    m_picture->paintPicture(resources::splashPicture());
}

void frmSplash::formLoad()
{
    ui::centreOnScreen(*this);
}

} // namespace brivello::app
