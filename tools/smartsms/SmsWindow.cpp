#include "SmsWindow.h"

#include "data/SafeWrite.h"
#include "phone/Connections.h"
#include "phone/PhoneNumber.h"
#include "phone/gui/PhoneJobPanel.h"
#include "platform/QtDialogs.h"

#include <QCloseEvent>
#include <QDir>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace smartsms {

using namespace brivello;
using phone::JobStep;

namespace {

const QString ProblemStyle = u"color: #a00000;"_s;

QString lengthText(std::chrono::milliseconds length)
{
    const auto seconds = (length.count() + 500) / 1000;
    return u"%1:%2"_s.arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString references(const std::vector<int> &list)
{
    QStringList numbers;
    for (const int reference : list)
        numbers << QString::number(reference);
    return numbers.join(u", "_s);
}

QString sentText(const QString &number, const std::vector<int> &refs)
{
    if (refs.size() == 1)
        return u"Suoneria inviata a %1: 1 SMS accettato dalla rete (riferimento %2)."_s.arg(number,
                                                                                            references(refs));
    return u"Suoneria inviata a %1: %2 SMS accettati dalla rete (riferimenti %3)."_s.arg(number)
        .arg(refs.size())
        .arg(references(refs));
}

QLabel *wrappingLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

SmsWindow::SmsWindow(SmsRequest request, SmsToolSetup setup, QWidget *parent)
    : QWidget(parent), m_request(std::move(request)), m_setup(std::move(setup))
{
    setWindowTitle(u"SmartSMS Limited Edition"_s);
    if (m_request.scratchFound) {
        m_scratch = splitScratchLine(m_request.ringtone);
        m_reading = melody::readRtttl(m_scratch.rtttl);
        m_message = phone::encodeRingtoneText(m_scratch.rtttl);
    } else {
        m_message.error = u"Nessuna suoneria da inviare."_s;
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildRingtoneBox());
    layout->addWidget(buildRecipientBox());
    layout->addWidget(buildPreviewBox(), 1);
    m_panel = new phone::PhoneJobPanel(m_setup.tasks, m_setup.devices, m_setup.settingsFile, this);
    layout->addWidget(m_panel->connectionBox());
    layout->addWidget(m_panel->statusLabel());
    layout->addWidget(m_panel->progressBar());

    auto *buttons = new QHBoxLayout;
    m_send = new QPushButton(u"Invia"_s, this);
    m_send->setDefault(true);
    m_cancel = new QPushButton(u"Annulla"_s, this);
    m_save = new QPushButton(u"Salva…"_s, this);
    m_save->setToolTip(u"Salva la suoneria come file .ott, per i telefoni che si caricano in altro "
                       "modo."_s);
    m_close = new QPushButton(u"Chiudi"_s, this);
    buttons->addWidget(m_send);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_save);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_send, &QPushButton::clicked, this, &SmsWindow::send);
    connect(m_cancel, &QPushButton::clicked, this, &SmsWindow::cancel);
    connect(m_save, &QPushButton::clicked, this, &SmsWindow::save);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_panel, &phone::PhoneJobPanel::probeRequested, this, &SmsWindow::probe);
    connect(m_panel, &phone::PhoneJobPanel::workingChanged, this, &SmsWindow::setWorking);
    connect(m_panel, &phone::PhoneJobPanel::finished, this, &SmsWindow::finished);
    connect(m_number, &QLineEdit::textChanged, this, &SmsWindow::checkNumber);

    showRingtone();
    showPreview();
    checkNumber();
    setWorking(false);

    m_entry = newOutboxEntry(m_request, QDateTime::currentDateTimeUtc());
    record(m_entry.result);
    resize(platform::sizeOnScreen(*this, QSize(720, 760)));
}

SmsWindow::~SmsWindow() = default;

QWidget *SmsWindow::buildRingtoneBox()
{
    auto *box = new QGroupBox(u"Suoneria"_s, this);
    auto *layout = new QVBoxLayout(box);
    m_ringtone = wrappingLabel(box);
    layout->addWidget(m_ringtone);
    return box;
}

QWidget *SmsWindow::buildRecipientBox()
{
    auto *box = new QGroupBox(u"Destinatario"_s, this);
    auto *layout = new QGridLayout(box);
    m_received = wrappingLabel(box);
    m_number = new QLineEdit(box);
    m_number->setPlaceholderText(u"+39 333 1234567"_s);
    m_number->setToolTip(u"Il numero in forma internazionale: + e prefisso del paese."_s);
    m_numberProblem = wrappingLabel(box);
    m_numberProblem->setStyleSheet(ProblemStyle);
    layout->addWidget(m_received, 0, 0, 1, 2);
    layout->addWidget(new QLabel(u"Numero:"_s, box), 1, 0);
    layout->addWidget(m_number, 1, 1);
    layout->addWidget(m_numberProblem, 2, 1);

    const QString typed = phone::typedFromHandedOver(m_request.number);
    const phone::NumberCheck check = phone::checkNumber(typed);
    m_number->setText(check.ok() ? check.international : typed);
    m_received->setText(m_request.number.isEmpty() ? u"Nessun numero ricevuto."_s
                                                   : u"Numero ricevuto: «%1»"_s.arg(m_request.number));
    return box;
}

QWidget *SmsWindow::buildPreviewBox()
{
    auto *box = new QGroupBox(u"Che cosa viene inviato"_s, this);
    auto *layout = new QVBoxLayout(box);
    m_summary = wrappingLabel(box);
    m_parts = new QPlainTextEdit(box);
    m_parts->setReadOnly(true);
    m_parts->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_parts->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_fit = wrappingLabel(box);
    layout->addWidget(m_summary);
    layout->addWidget(m_parts, 1);
    layout->addWidget(m_fit);
    return box;
}

void SmsWindow::showRingtone()
{
    if (m_request.scratchPath.isEmpty()) {
        m_ringtone->setText(u"Nessuna suoneria: il programma è stato avviato da solo. Dalla finestra "
                            "delle suonerie si avvia con la suoneria scelta; qui si può provare il "
                            "collegamento con il telefono."_s);
        return;
    }
    if (!m_request.scratchFound) {
        m_ringtone->setText(u"File della suoneria non trovato: %1"_s.arg(m_request.scratchPath));
        return;
    }
    if (!m_reading.ok()) {
        m_ringtone->setText(
            u"«%1»\nLa suoneria non si può leggere: %2"_s.arg(m_request.ringtone, m_reading.error));
        return;
    }
    const melody::Melody &tune = m_reading.melody;
    QStringList lines;
    if (!m_scratch.artist.isEmpty())
        lines << u"Artista: %1"_s.arg(m_scratch.artist);
    lines << u"Titolo: %1"_s.arg(tune.name.isEmpty() ? u"(senza titolo)"_s : tune.name);
    lines << u"Note: %1 · Tempo: %2 battiti al minuto · Durata: %3"_s.arg(melody::noteCount(tune))
                 .arg(tune.bpm)
                 .arg(lengthText(melody::duration(tune)));
    m_ringtone->setText(lines.join(u'\n'));
}

void SmsWindow::showPreview()
{
    if (!m_message.ok()) {
        m_summary->setText(m_request.scratchFound ? m_message.error : u"Niente da inviare."_s);
        m_parts->clear();
        m_fit->clear();
        return;
    }
    const phone::SmartMessage &message = m_message.message;
    const QString port = phone::portText(message.port);
    m_summary->setText(message.isSinglePart()
                           ? u"Suoneria Nokia Smart Messaging, porta di destinazione %1: 1 SMS."_s.arg(port)
                           : u"Suoneria Nokia Smart Messaging, porta di destinazione %1: %2 SMS concatenati "
                             "(riferimento 0x%3)."_s.arg(port)
                                 .arg(message.partCount())
                                 .arg(u"%1"_s.arg(message.reference, 2, 16, QLatin1Char('0')).toUpper()));
    m_parts->setPlainText(phone::partsPreview(message));
    m_fit->setText(m_message.fit.statement());
}

void SmsWindow::checkNumber()
{
    const phone::NumberCheck check = phone::checkNumber(m_number->text());
    m_numberProblem->setText(check.problem);
    m_numberProblem->setVisible(!check.ok());
}

void SmsWindow::send()
{
    if (m_panel->isWorking())
        return;
    if (!m_message.ok()) {
        showStatus(u"Non c'è nessuna suoneria da inviare."_s, true);
        return;
    }
    const phone::NumberCheck check = phone::checkNumber(m_number->text());
    if (!check.ok()) {
        showStatus(u"Non inviato: %1"_s.arg(check.problem), true);
        m_number->setFocus();
        return;
    }
    phone::PhoneJob job;
    job.action = phone::PhoneJob::Action::Send;
    if (!m_panel->prepare(job))
        return;
    job.number = check.international;
    job.parts = m_message.message.parts;
    job.networkAnswerMs = m_setup.networkAnswerMs;
    m_sending = true;
    m_sentTo = check.international;
    m_entry.international = check.international;
    m_panel->start(job);
}

void SmsWindow::probe()
{
    if (m_panel->isWorking())
        return;
    phone::PhoneJob job;
    if (!m_panel->prepare(job))
        return;
    m_sending = false;
    m_panel->start(job);
}

void SmsWindow::finished(const phone::PhoneJobResult &result)
{
    if (!m_sending) {
        showStatus(result.ok() ? phone::connectedText(result.identity) : result.error.message(), !result.ok(),
                   result.ok());
        return;
    }
    const QString text = result.ok() ? sentText(m_sentTo, result.references) : result.error.message();
    showStatus(text, !result.ok(), result.ok());
    record(result.ok() ? text : u"Non inviato a %1: %2"_s.arg(m_sentTo, text));
}

void SmsWindow::cancel()
{
    if (!m_panel->isWorking())
        return;
    m_cancel->setEnabled(false);
    m_panel->cancel();
}

void SmsWindow::save()
{
    if (!m_message.ok())
        return;
    platform::SaveFileRequest request;
    request.title = u"Salva la suoneria"_s;
    request.startFolder = QDir::homePath();
    request.filter = u"Suonerie Nokia (*.ott)"_s;
    request.defaultExtension = u"ott"_s;
    request.promptOverwrite = true;
    const QString path = m_setup.saveDialog->ask(request);
    if (path.isEmpty())
        return;
    const QByteArray bytes = m_message.message.payload();
    QString reason;
    if (!brivello::data::writeFileSafely(path, bytes, &reason)) {
        showStatus(u"Impossibile salvare «%1»: %2. Un file già esistente non è stato modificato."_s.arg(
                       QDir::toNativeSeparators(path), reason),
                   true);
        return;
    }
    showStatus(u"Suoneria salvata in «%1» (%2 byte)."_s.arg(QDir::toNativeSeparators(path)).arg(bytes.size()),
               false);
}

void SmsWindow::setWorking(bool working)
{
    const bool canSend = !working && m_message.ok();
    m_send->setEnabled(canSend);
    m_save->setEnabled(canSend);
    m_number->setEnabled(!working);
    m_cancel->setEnabled(working);
}

void SmsWindow::showStatus(const QString &text, bool problem, bool done)
{
    m_panel->showStatus(text, problem, done);
}

void SmsWindow::record(const QString &result)
{
    m_entry.result = result;
    m_entry.parts = m_message.message.parts;
    if (m_setup.outboxPath.isEmpty())
        return;
    QString error;
    if (!writeOutboxEntry(m_setup.outboxPath, m_entry, &error))
        showStatus(m_panel->statusLabel()->text() +
                       u"\nIl registro delle richieste non è stato aggiornato: %1"_s.arg(error),
                   true);
}

void SmsWindow::closeEvent(QCloseEvent *event)
{
    // A job still under way is stopped; the line is closed with it.
    m_panel->abandon();
    event->accept();
}

} // namespace smartsms
