#include "app/frmHelp.h"

#include "app/PictureBox.h"
#include "app/Twips.h"
#include "resources/Artwork.h"

namespace brivello::app {

frmHelp::frmHelp(const Context &context)
    : Window(QStringLiteral("frmHelp")), m_context(context),
      m_page(new PictureBox(QStringLiteral("pctBG"), this))
{
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Brivello"));
    setFixedSize(twips(9615), twips(4725));
    m_page->setGeometry(rect());
    m_page->paintPicture(resources::helpBackground());
}

void frmHelp::formLoad()
{
    // Centred once; later showings keep the place.
    centreOnScreen(*this);
}

} // namespace brivello::app
