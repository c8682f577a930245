#include "tools/logotools/send/LogoSendDialog.h"

#include "phone/Connections.h"
#include "phone/PhoneNumber.h"
#include "platform/QtDialogs.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QVBoxLayout>

namespace brivello::logotools {

using phone::PhoneErrorKind;

namespace {

const QString ProblemStyle = QStringLiteral("color: #a00000; font-weight: bold;");
const QString DoneStyle = QStringLiteral("color: #006000; font-weight: bold;");

QLabel *wrappingLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString summaryText(const QString &content, const phone::SmartMessage &message)
{
    const QString port = phone::portText(message.port);
    if (message.isSinglePart())
        return QStringLiteral("%1, porta di destinazione %2: 1 SMS.").arg(content, port);
    return QStringLiteral("%1, porta di destinazione %2: %3 SMS concatenati (riferimento 0x%4).")
        .arg(content, port)
        .arg(message.partCount())
        .arg(QStringLiteral("%1").arg(message.reference, 2, 16, QLatin1Char('0')).toUpper());
}

QString sentText(const QString &content, const QString &number, const std::vector<int> &references)
{
    QStringList numbers;
    for (const int reference : references)
        numbers << QString::number(reference);
    if (references.size() == 1)
        return QStringLiteral("%1: inviato a %2, 1 SMS accettato dalla rete (riferimento %3).")
            .arg(content, number, numbers.constFirst());
    return QStringLiteral("%1: inviato a %2, %3 SMS accettati dalla rete (riferimenti %4).")
        .arg(content, number)
        .arg(references.size())
        .arg(numbers.join(QStringLiteral(", ")));
}

} // namespace

QString contentText(const LogoDocument &document)
{
    switch (document.kind) {
    case LogoKind::OperatorLogo:
        if (document.network.name.isEmpty())
            return QStringLiteral("Logo operatore per la rete %1").arg(document.network.code());
        return QStringLiteral("Logo operatore per %1 (%2)")
            .arg(document.network.name, document.network.code());
    case LogoKind::GroupGraphic:
        return QStringLiteral("Logo per un gruppo di chiamanti");
    case LogoKind::PictureMessage:
        if (document.text.isEmpty())
            return QStringLiteral("Messaggio illustrato senza testo");
        return QStringLiteral("Messaggio illustrato con il testo «%1»").arg(document.text);
    }
    return {};
}

LogoSendDialog::LogoSendDialog(const LogoDocument &document, phone::LogoMessage message, LogoSendSetup setup,
                               QWidget *parent)
    : QDialog(parent), m_content(contentText(document)), m_message(std::move(message)),
      m_setup(std::move(setup))
{
    setWindowTitle(QStringLiteral("Invia come SMS"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildPreviewBox(), 1);
    layout->addWidget(buildRecipientBox());
    layout->addWidget(buildConnectionBox());

    m_status = wrappingLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    layout->addWidget(m_status);
    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    layout->addWidget(m_progress);

    auto *buttons = new QHBoxLayout;
    m_send = new QPushButton(QStringLiteral("&Invia"), this);
    m_send->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Annulla"), this);
    m_close = new QPushButton(QStringLiteral("&Chiudi"), this);
    m_close->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    buttons->addWidget(m_send);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_send, &QPushButton::clicked, this, &LogoSendDialog::send);
    connect(m_cancel, &QPushButton::clicked, this, &LogoSendDialog::cancel);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_chooser, &phone::ConnectionChooser::probeRequested, this, &LogoSendDialog::probe);
    connect(m_number, &QLineEdit::textChanged, this, &LogoSendDialog::checkNumber);
    setWorking(false);
    m_number->setFocus();
    resize(platform::sizeOnScreen(*this, QSize(640, 600)));
}

LogoSendDialog::~LogoSendDialog() = default;

QWidget *LogoSendDialog::buildPreviewBox()
{
    auto *box = new QGroupBox(QStringLiteral("Che cosa viene inviato"), this);
    auto *layout = new QVBoxLayout(box);
    m_summary = wrappingLabel(box);
    m_summary->setText(summaryText(m_content, m_message.message));
    m_parts = new QPlainTextEdit(box);
    m_parts->setReadOnly(true);
    m_parts->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_parts->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_parts->setPlainText(phone::partsPreview(m_message.message));
    m_parts->setAccessibleName(QStringLiteral("SMS in esadecimale"));
    layout->addWidget(m_summary);
    layout->addWidget(m_parts, 1);
    return box;
}

QWidget *LogoSendDialog::buildRecipientBox()
{
    auto *box = new QGroupBox(QStringLiteral("Destinatario"), this);
    auto *layout = new QGridLayout(box);
    m_number = new QLineEdit(box);
    m_number->setPlaceholderText(QStringLiteral("+39 333 1234567"));
    m_number->setToolTip(QStringLiteral("Il numero del telefono che riceve il logo."));
    m_numberProblem = wrappingLabel(box);
    m_numberProblem->setStyleSheet(ProblemStyle);
    m_numberProblem->hide();
    auto *label = new QLabel(QStringLiteral("&Numero:"), box);
    label->setBuddy(m_number);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_number, 0, 1);
    layout->addWidget(m_numberProblem, 1, 1);
    return box;
}

QWidget *LogoSendDialog::buildConnectionBox()
{
    auto *box = new QGroupBox(QStringLiteral("Telefono o modem"), this);
    auto *layout = new QVBoxLayout(box);
    m_chooser = new phone::ConnectionChooser(m_setup.devices, box);
    layout->addWidget(m_chooser);
    m_pinRow = new QWidget(box);
    auto *pinLayout = new QHBoxLayout(m_pinRow);
    pinLayout->setContentsMargins(0, 0, 0, 0);
    m_pin = new QLineEdit(m_pinRow);
    m_pin->setEchoMode(QLineEdit::Password);
    m_pin->setMaxLength(8);
    m_pin->setPlaceholderText(QStringLiteral("PIN della SIM"));
    auto *label = new QLabel(QStringLiteral("&PIN:"), m_pinRow);
    label->setBuddy(m_pin);
    pinLayout->addWidget(label);
    pinLayout->addWidget(m_pin, 1);
    m_pinRow->hide();
    layout->addWidget(m_pinRow);
    if (!m_setup.settingsFile.isEmpty()) {
        const QSettings settings(m_setup.settingsFile, QSettings::IniFormat);
        const phone::ConnectionSettings kept = phone::loadConnection(settings);
        if (!kept.device.isEmpty())
            m_chooser->setConnection(kept);
        else
            m_chooser->setConnection({m_chooser->connection().device, kept.connection});
    }
    return box;
}

void LogoSendDialog::checkNumber()
{
    const QString typed = m_number->text().trimmed();
    const phone::NumberCheck check = phone::checkNumber(typed);
    // An empty field is not yet a mistake.
    const bool show = !typed.isEmpty() && !check.ok();
    m_numberProblem->setText(show ? check.problem : QString());
    m_numberProblem->setVisible(show);
}

bool LogoSendDialog::pinIsUsable()
{
    if (m_pinRow->isHidden() || m_pin->text().isEmpty())
        return true;
    static const QRegularExpression digits(QStringLiteral("^[0-9]{4,8}$"));
    if (digits.match(m_pin->text()).hasMatch())
        return true;
    showStatus(QStringLiteral("Il PIN è fatto di 4-8 cifre."), true);
    m_pin->setFocus();
    return false;
}

void LogoSendDialog::send()
{
    if (m_task)
        return;
    const phone::NumberCheck check = phone::checkNumber(m_number->text());
    if (!check.ok()) {
        showStatus(QStringLiteral("Non inviato: %1").arg(check.problem), true);
        m_number->setFocus();
        return;
    }
    phone::PhoneJob job;
    job.action = phone::PhoneJob::Action::Send;
    job.connection = m_chooser->connection();
    if (job.connection.device.isEmpty()) {
        showStatus(QStringLiteral("Scegliere il dispositivo del telefono o del modem."), true);
        return;
    }
    if (!pinIsUsable())
        return;
    job.pin = m_pinRow->isHidden() ? QString() : m_pin->text();
    job.number = check.international;
    job.parts = m_message.message.parts;
    job.networkAnswerMs = m_setup.networkAnswerMs;
    m_sending = true;
    m_sentTo = check.international;
    start(job);
}

void LogoSendDialog::probe()
{
    if (m_task)
        return;
    phone::PhoneJob job;
    job.connection = m_chooser->connection();
    if (job.connection.device.isEmpty()) {
        showStatus(QStringLiteral("Scegliere il dispositivo del telefono o del modem."), true);
        return;
    }
    if (!pinIsUsable())
        return;
    job.pin = m_pinRow->isHidden() ? QString() : m_pin->text();
    m_sending = false;
    start(job);
}

void LogoSendDialog::start(const phone::PhoneJob &job)
{
    if (!m_setup.settingsFile.isEmpty()) {
        QSettings settings(m_setup.settingsFile, QSettings::IniFormat);
        phone::saveConnection(settings, job.connection);
    }
    m_task = m_setup.tasks();
    connect(m_task.get(), &phone::PhoneTask::progressed, this, &LogoSendDialog::progressed);
    connect(m_task.get(), &phone::PhoneTask::finished, this, &LogoSendDialog::finished);
    m_progress->setRange(0, phone::progressSteps(job));
    m_progress->setValue(0);
    setWorking(true);
    showStatus(phone::stepText({phone::JobStep::Connecting}), false);
    m_task->start(job);
}

void LogoSendDialog::progressed(const phone::JobProgress &progress)
{
    if (const int position = phone::progressPosition(progress, m_progress->maximum()); position >= 0)
        m_progress->setValue(position);
    if (m_cancel->isEnabled())
        showStatus(phone::stepText(progress), false);
}

void LogoSendDialog::finished(const phone::PhoneJobResult &result)
{
    // The task is still inside its signal; it goes once it has returned.
    m_task.release()->deleteLater();
    setWorking(false);
    const PhoneErrorKind kind = result.error.kind;
    if (kind == PhoneErrorKind::PinNeeded || kind == PhoneErrorKind::PinWrong) {
        m_pinRow->show();
        if (kind == PhoneErrorKind::PinWrong)
            m_pin->clear();
        m_pin->setFocus();
    }
    if (!result.ok()) {
        showStatus(result.error.message(), true);
        return;
    }
    if (!m_sending) {
        showStatus(phone::connectedText(result.identity), false, true);
        return;
    }
    m_progress->setValue(m_progress->maximum());
    showStatus(sentText(m_content, m_sentTo, result.references), false, true);
}

void LogoSendDialog::cancel()
{
    if (!m_task)
        return;
    m_cancel->setEnabled(false);
    showStatus(QStringLiteral("Annullamento…"), false);
    m_task->cancel();
}

void LogoSendDialog::setWorking(bool working)
{
    m_send->setEnabled(!working);
    m_number->setEnabled(!working);
    m_chooser->setEnabled(!working);
    m_pin->setEnabled(!working);
    m_cancel->setEnabled(working);
    m_progress->setVisible(working || m_progress->value() > 0);
}

void LogoSendDialog::showStatus(const QString &text, bool problem, bool done)
{
    m_status->setText(text);
    m_status->setStyleSheet(problem ? ProblemStyle : done ? DoneStyle : QString());
}

void LogoSendDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc stops a send under way before it closes anything.
    if (event->key() == Qt::Key_Escape && m_task) {
        cancel();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void LogoSendDialog::closeEvent(QCloseEvent *event)
{
    // A job still under way is stopped; the line is closed with it.
    if (m_task) {
        m_task->cancel();
        m_task.reset();
    }
    QDialog::closeEvent(event);
}

} // namespace brivello::logotools
