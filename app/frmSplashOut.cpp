#include "app/frmSplashOut.h"

#include "app/Twips.h"

namespace brivello::app {

frmSplashOut::frmSplashOut(const Context &context)
    : Window(QStringLiteral("frmSplashOut")), m_context(context)
{
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Brivello"));
    setFixedSize(twips(10635), twips(8370));
    // The system's window-text colour, black in the usual colour scheme.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::WindowText));
    setPalette(colours);
    setAutoFillBackground(true);
}

void frmSplashOut::formLoad()
{
    centreOnScreen(*this);
}

} // namespace brivello::app
