#include "app/frmSplashOut.h"

#include "platform/Clock.h"
#include "platform/System.h"
#include "resources/Artwork.h"
#include "ui/PictureBox.h"
#include "ui/Twips.h"
#include "ui/WindowStack.h"

using namespace Qt::StringLiterals;

namespace brivello::app {

namespace {

constexpr int tickMilliseconds = 100;
// The banner turns to the first frame at this count and to the second at
// twice it, where the count starts over.
constexpr quint8 firstFrameCount = 25;
constexpr quint8 secondFrameCount = 50;

} // namespace

frmSplashOut::frmSplashOut(const ui::Context &context)
    : ui::Window(u"frmSplashOut"_s), m_context(context),
      m_pctBanner(new ui::PictureBox(u"pctBanner"_s, this)),
      m_pctBG(new ui::PictureBox(u"pctBG"_s, this)), m_imgAnimation{resources::bannerFrame(1),
                                                                    resources::bannerFrame(2)},
      m_timer1(context.platform.clock->createTimer())
{
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(u"Brivello"_s);
    setFixedSize(ui::twips(10635), ui::twips(8370));
    // The system's window-text colour, black in the usual colour scheme.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::WindowText));
    setPalette(colours);
    setAutoFillBackground(true);

    m_pctBanner->setGeometry(ui::twipsRect(1920, 0, 7020, 900));
    m_pctBanner->paintPicture(m_imgAnimation[0]);
    m_pctBG->setGeometry(ui::twipsRect(600, 120, 9600, 7200));
    m_pctBG->paintWhenShown([] { return resources::advertisement(); });
    // The banner lies above the top edge of the advertising picture.
    m_pctBanner->raise();

    m_timer1->setInterval(tickMilliseconds);
    connect(m_timer1.get(), &platform::Timer::timeout, this, &frmSplashOut::Timer1_Timer);
    m_pctBanner->setAccessibleName(u"Sito web"_s);
    m_pctBG->setAccessibleName(u"Chiudere"_s);
    connect(m_pctBanner, &ui::PictureBox::clicked, this, &frmSplashOut::pctBanner_Click);
    connect(m_pctBG, &ui::PictureBox::clicked, this, &frmSplashOut::pctBG_Click);
}

frmSplashOut::~frmSplashOut() = default;

QUrl frmSplashOut::distributorAddress()
{
    return QUrl(u"https://www.brivello.example/"_s);
}

const QImage &frmSplashOut::animationFrame(int number) const
{
    return m_imgAnimation.at(static_cast<std::size_t>(number - 1));
}

void frmSplashOut::formLoad()
{
    ui::centreOnScreen(*this);
    m_timer1->stop();
}

void frmSplashOut::formActivate()
{
    m_timer1->start();
}

void frmSplashOut::formUnload()
{
    m_timer1->stop();
}

void frmSplashOut::Timer1_Timer()
{
    // Stopped while the tick runs, so the next interval counts from its end.
    m_timer1->stop();
    if (m_bytTeller == firstFrameCount) {
        m_pctBanner->paintPicture(m_imgAnimation[0]);
    } else if (m_bytTeller == secondFrameCount) {
        m_pctBanner->paintPicture(m_imgAnimation[1]);
        m_bytTeller = 0;
    }
    ++m_bytTeller;
    m_timer1->start();
}

void frmSplashOut::pctBanner_Click()
{
    m_timer1->stop();
    // What the browser makes of the address is its own affair.
    m_context.platform.urlOpener->open(distributorAddress());
}

void frmSplashOut::pctBG_Click()
{
    m_timer1->stop();
    m_context.stack.close(*this);
}

} // namespace brivello::app
