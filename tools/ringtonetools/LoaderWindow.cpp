#include "tools/ringtonetools/LoaderWindow.h"

#include "phone/Connections.h"
#include "phone/gui/ConnectionChooser.h"
#include "platform/QtDialogs.h"
#include "tools/ringtonetools/PhoneLink.h"
#include "tools/ringtonetools/PlayerBar.h"
#include "tools/ringtonetools/SmsHandoff.h"
#include "tools/ringtonetools/ToolServices.h"
#include "tools/ringtonetools/TuneReading.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

LoaderWindow::LoaderWindow(const ToolServices &services, QWidget *parent)
    : QWidget(parent), m_services(services)
{
    setWindowTitle(u"Carica Suonerie"_s);
    setObjectName(u"CaricaSuonerie"_s);
    auto *layout = new QVBoxLayout(this);
    m_catalogue = new CataloguePicker(services.discFolder, this);
    layout->addWidget(m_catalogue, 1);

    auto *choice = new QGroupBox(u"Suoneria scelta"_s, this);
    auto *choiceLayout = new QVBoxLayout(choice);
    m_chosen = new QLabel(u"Nessuna: sceglierne una dal catalogo (doppio clic o «Scegli»)."_s, choice);
    m_chosen->setObjectName(u"scelta"_s);
    m_chosen->setWordWrap(true);
    choiceLayout->addWidget(m_chosen);
    auto *choiceRow = new QHBoxLayout;
    m_player =
        new PlayerBar(services.sound, *services.platform.clock, PlayerBar::Controls::PlayStopOnly, choice);
    choiceRow->addWidget(m_player, 1);
    m_sms = new QPushButton(u"Invia via SMS…"_s, choice);
    m_sms->setObjectName(u"sms"_s);
    m_sms->setEnabled(false);
    choiceRow->addWidget(m_sms);
    choiceLayout->addLayout(choiceRow);
    layout->addWidget(choice);

    m_phone = new QGroupBox(u"Telefono collegato via cavo"_s, this);
    m_phoneStatus = new QLabel(m_phone);
    m_phoneStatus->setObjectName(u"statoTelefono"_s);
    m_phoneStatus->setWordWrap(true);
    buildPhoneControls();
    layout->addWidget(m_phone);

    connect(m_catalogue, &CataloguePicker::picked, this, &LoaderWindow::choose);
    connect(m_player, &PlayerBar::failed, this,
            [this](const QString &message) { m_chosen->setText(m_chosen->text() + u'\n' + message); });
    connect(m_sms, &QPushButton::clicked, this, [this] {
        if (m_tune && m_melody && sendBySms(m_services, m_tune->artist, *m_melody))
            m_chosen->setText(m_chosen->text() + u"\nPassata al programma SMS."_s);
    });
    resize(platform::sizeOnScreen(*this, QSize(820, 620)));
    // The user comes to find a ringtone.
    m_catalogue->searchBox().setFocus();
}

void LoaderWindow::buildPhoneControls()
{
    auto *layout = new QVBoxLayout(m_phone);
    PhoneLink *link = m_services.phoneLink.get();
    if (!link) {
        m_phoneStatus->setText(u"La scrittura della suoneria sul telefono via cavo non è disponibile: la "
                               "suoneria scelta si può inviare al telefono con «Invia via SMS…»."_s);
        layout->addWidget(m_phoneStatus);
        return;
    }
    m_chooser = new phone::ConnectionChooser(m_services.devices, m_phone);
    // The connection tried last; a first start shows the first device found.
    phone::ConnectionSettings kept = phone::loadConnection(QSettings());
    if (kept.device.isEmpty())
        kept.device = m_chooser->connection().device;
    m_chooser->setConnection(kept);
    m_identify = m_chooser->probeButton();
    m_identify->setObjectName(u"identifica"_s);
    m_identify->setToolTip(u"Collega il telefono e ne legge marca, modello e IMEI, senza "
                           "scrivere nulla."_s);
    m_write = new QPushButton(u"Scrivi sul telefono"_s, m_phone);
    m_write->setObjectName(u"scrivi"_s);
    m_cancel = new QPushButton(u"Annulla"_s, m_phone);
    m_cancel->setObjectName(u"annulla"_s);
    m_progress = new QProgressBar(m_phone);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    auto *row = new QHBoxLayout;
    row->addWidget(m_progress, 1);
    row->addWidget(m_write);
    row->addWidget(m_cancel);
    layout->addWidget(m_chooser);
    layout->addLayout(row);
    layout->addWidget(m_phoneStatus);

    connect(m_chooser, &phone::ConnectionChooser::probeRequested, this, &LoaderWindow::identify);
    connect(m_write, &QPushButton::clicked, this, &LoaderWindow::write);
    connect(m_cancel, &QPushButton::clicked, this, &LoaderWindow::cancel);
    // Another connection may be another phone: it must say who it is again.
    connect(m_chooser->deviceBox(), &QComboBox::currentTextChanged, this, &LoaderWindow::connectionChanged);
    connect(m_chooser->kindBox(), &QComboBox::currentIndexChanged, this, &LoaderWindow::connectionChanged);
    connect(link, &PhoneLink::identified, this, &LoaderWindow::identified);
    connect(link, &PhoneLink::written, this, &LoaderWindow::written);
    connect(link, &PhoneLink::progress, m_progress, &QProgressBar::setValue);
    connect(link, &PhoneLink::cancellable, m_cancel, &QPushButton::setEnabled);
    m_phoneStatus->setText(u"Collegare il telefono, scegliere il dispositivo e premere «Prova»: "
                           "la suoneria si scrive dopo che il telefono ha detto chi è."_s);
    showBusy(false);
}

void LoaderWindow::connectionChanged()
{
    if (m_busy)
        return;
    m_identified = false;
    showBusy(false);
}

void LoaderWindow::choose(const CatalogueTune &tune)
{
    const TuneReading reading = readTune(tune.rtttl);
    m_tune = tune;
    if (!reading.reading.ok()) {
        m_melody.reset();
        m_chosen->setText(u"«%1» di %2: la suoneria non si può leggere. %3"_s.arg(tune.song, tune.artist,
                                                                                  reading.explanation));
        m_player->setMelody({});
        m_sms->setEnabled(false);
        showBusy(m_busy);
        return;
    }
    m_melody = reading.reading.melody;
    const double seconds = static_cast<double>(melody::duration(*m_melody).count()) / 1000.0;
    m_chosen->setText(
        u"«%1» di %2 (%3): %4 note, tempo %5 bpm, dura %6 secondi."_s.arg(tune.song, tune.artist, tune.genre)
            .arg(melody::noteCount(*m_melody))
            .arg(m_melody->bpm)
            .arg(QLocale(QLocale::Italian).toString(seconds, 'f', 1)));
    m_player->setMelody(*m_melody);
    m_sms->setEnabled(true);
    showBusy(m_busy);
}

void LoaderWindow::showBusy(bool busy)
{
    m_busy = busy;
    if (!m_identify)
        return;
    const bool hasConnection = !m_chooser->connection().device.isEmpty();
    m_chooser->setEnabled(!busy);
    m_identify->setEnabled(!busy && hasConnection);
    m_write->setEnabled(!busy && hasConnection && m_identified && m_melody.has_value());
    m_cancel->setEnabled(busy);
}

void LoaderWindow::identify()
{
    const phone::ConnectionSettings connection = m_chooser->connection();
    if (connection.device.isEmpty())
        return;
    m_identified = false;
    QSettings settings;
    phone::saveConnection(settings, connection);
    m_progress->setValue(0);
    m_phoneStatus->setText(u"Ricerca del telefono su %1…"_s.arg(connection.device));
    showBusy(true);
    m_services.phoneLink->identify(connection);
}

void LoaderWindow::identified(bool ok, const QString &message)
{
    m_identified = ok;
    m_phoneStatus->setText(message);
    showBusy(false);
}

void LoaderWindow::write()
{
    if (!m_melody || !m_identified)
        return;
    m_progress->setValue(0);
    m_phoneStatus->setText(u"Scrittura di «%1» sul telefono…"_s.arg(m_tune->song));
    showBusy(true);
    m_services.phoneLink->writeRingtone(m_chooser->connection(), *m_melody);
}

void LoaderWindow::written(bool, const QString &message)
{
    m_phoneStatus->setText(message);
    showBusy(false);
}

void LoaderWindow::cancel()
{
    if (m_busy)
        m_services.phoneLink->cancel();
}

} // namespace brivello::ringtonetools
