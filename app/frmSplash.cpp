#include "app/frmSplash.h"

#include "resources/Artwork.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

namespace brivello::app {

frmSplash::frmSplash(const ui::Context &)
    : ui::Window(u"frmSplash"_s), m_picture(new ui::PictureBox(u"pctSplash"_s, this))
{
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(u"Brivello"_s);
    setFixedSize(ui::twips(9600), ui::twips(7200));
    m_picture->setGeometry(rect());
    m_picture->paintPicture(resources::splashPicture());
}

void frmSplash::formLoad()
{
    ui::centreOnScreen(*this);
}

} // namespace brivello::app
