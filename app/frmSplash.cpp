#include "app/frmSplash.h"

#include "app/PictureBox.h"
#include "app/Twips.h"
#include "resources/Artwork.h"

namespace brivello::app {

frmSplash::frmSplash(const Context &)
    : Window(QStringLiteral("frmSplash")), m_picture(new PictureBox(QStringLiteral("pctSplash"), this))
{
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Brivello"));
    setFixedSize(twips(9600), twips(7200));
    m_picture->setGeometry(rect());
    m_picture->paintPicture(resources::splashPicture());
}

void frmSplash::formLoad()
{
    centreOnScreen(*this);
}

} // namespace brivello::app
