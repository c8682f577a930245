#include "tools/ringtonetools/MusicboxWindow.h"

#include "platform/QtDialogs.h"
#include "tools/ringtonetools/CataloguePicker.h"
#include "tools/ringtonetools/MelodyPlayer.h"
#include "tools/ringtonetools/PlayerBar.h"
#include "tools/ringtonetools/ToolServices.h"
#include "tools/ringtonetools/TuneInput.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

MusicboxWindow::MusicboxWindow(const ToolServices &services, QWidget *parent)
    : QWidget(parent), m_services(services)
{
    setWindowTitle(u"Musicbox"_s);
    setObjectName(u"Musicbox"_s);
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    auto *textPage = new QWidget(m_tabs);
    auto *textLayout = new QVBoxLayout(textPage);
    m_input = new TuneInput(services, textPage);
    textLayout->addWidget(m_input);
    textLayout->addStretch(1);
    m_tabs->addTab(textPage, u"Suoneria RTTTL"_s);
    m_catalogue = new CataloguePicker(services.discFolder, m_tabs);
    m_tabs->addTab(m_catalogue, u"Catalogo del disco"_s);
    layout->addWidget(m_tabs, 1);

    m_player = new PlayerBar(services.sound, *services.platform.clock, PlayerBar::Controls::Full, this);
    layout->addWidget(m_player);
    m_status = new QLabel(this);
    m_status->setObjectName(u"stato"_s);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    connect(m_input, &TuneInput::readingChanged, this, &MusicboxWindow::takeReading);
    connect(m_catalogue, &CataloguePicker::picked, this, &MusicboxWindow::takeFromCatalogue);
    connect(m_player, &PlayerBar::failed, m_status, &QLabel::setText);
    connect(&m_player->player(), &MelodyPlayer::playingChanged, this, [this](bool playing) {
        if (playing)
            m_status->clear();
    });
    takeReading();
    resize(platform::sizeOnScreen(*this, QSize(760, 460)));
    // The user comes to type or paste a ringtone: once the tabs are built,
    // which hand the focus around as pages are added.
    m_input->textBox().setFocus();
}

void MusicboxWindow::takeReading()
{
    const TuneReading &reading = m_input->reading();
    m_player->setMelody(reading.reading.ok() ? reading.reading.melody : melody::Melody{});
}

// Picking a ringtone in the catalogue is asking to hear it.
void MusicboxWindow::takeFromCatalogue(const CatalogueTune &tune)
{
    m_input->setTune(tune.rtttl, u"Dal catalogo: %1 – %2"_s.arg(tune.song, tune.artist));
    m_tabs->setCurrentIndex(0);
    if (m_input->hasMelody())
        m_player->player().play();
}

} // namespace brivello::ringtonetools
