#include "tools/logotools/send/LogoSendDialog.h"

#include "phone/PhoneNumber.h"
#include "phone/gui/PhoneJobPanel.h"
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
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace brivello::logotools {

namespace {

const QString ProblemStyle = u"color: #a00000; font-weight: bold;"_s;

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
        return u"%1, porta di destinazione %2: 1 SMS."_s.arg(content, port);
    return u"%1, porta di destinazione %2: %3 SMS concatenati (riferimento 0x%4)."_s.arg(content, port)
        .arg(message.partCount())
        .arg(u"%1"_s.arg(message.reference, 2, 16, QLatin1Char('0')).toUpper());
}

QString sentText(const QString &content, const QString &number, const std::vector<int> &references)
{
    QStringList numbers;
    for (const int reference : references)
        numbers << QString::number(reference);
    if (references.size() == 1)
        return u"%1: inviato a %2, 1 SMS accettato dalla rete (riferimento %3)."_s.arg(content, number,
                                                                                       numbers.constFirst());
    return u"%1: inviato a %2, %3 SMS accettati dalla rete (riferimenti %4)."_s.arg(content, number)
        .arg(references.size())
        .arg(numbers.join(u", "_s));
}

} // namespace

QString contentText(const LogoDocument &document)
{
    switch (document.kind) {
    case LogoKind::OperatorLogo:
        if (document.network.name.isEmpty())
            return u"Logo operatore per la rete %1"_s.arg(document.network.code());
        return u"Logo operatore per %1 (%2)"_s.arg(document.network.name, document.network.code());
    case LogoKind::GroupGraphic:
        return u"Logo per un gruppo di chiamanti"_s;
    case LogoKind::PictureMessage:
        if (document.text.isEmpty())
            return u"Messaggio illustrato senza testo"_s;
        return u"Messaggio illustrato con il testo «%1»"_s.arg(document.text);
    }
    return {};
}

LogoSendDialog::LogoSendDialog(const LogoDocument &document, phone::LogoMessage message, LogoSendSetup setup,
                               QWidget *parent)
    : QDialog(parent), m_content(contentText(document)), m_message(std::move(message)),
      m_setup(std::move(setup))
{
    setWindowTitle(u"Invia come SMS"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildPreviewBox(), 1);
    layout->addWidget(buildRecipientBox());
    m_panel = new phone::PhoneJobPanel(m_setup.tasks, m_setup.devices, m_setup.settingsFile, this);
    layout->addWidget(m_panel->connectionBox());
    layout->addWidget(m_panel->statusLabel());
    layout->addWidget(m_panel->progressBar());

    auto *buttons = new QHBoxLayout;
    m_send = new QPushButton(u"&Invia"_s, this);
    m_send->setDefault(true);
    m_cancel = new QPushButton(u"&Annulla"_s, this);
    m_close = new QPushButton(u"&Chiudi"_s, this);
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
    connect(m_panel, &phone::PhoneJobPanel::probeRequested, this, &LogoSendDialog::probe);
    connect(m_panel, &phone::PhoneJobPanel::workingChanged, this, &LogoSendDialog::setWorking);
    connect(m_panel, &phone::PhoneJobPanel::finished, this, &LogoSendDialog::finished);
    connect(m_number, &QLineEdit::textChanged, this, &LogoSendDialog::checkNumber);
    setWorking(false);
    m_number->setFocus();
    resize(platform::sizeOnScreen(*this, QSize(640, 600)));
}

LogoSendDialog::~LogoSendDialog() = default;

QWidget *LogoSendDialog::buildPreviewBox()
{
    auto *box = new QGroupBox(u"Che cosa viene inviato"_s, this);
    auto *layout = new QVBoxLayout(box);
    m_summary = wrappingLabel(box);
    m_summary->setText(summaryText(m_content, m_message.message));
    m_parts = new QPlainTextEdit(box);
    m_parts->setReadOnly(true);
    m_parts->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_parts->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_parts->setPlainText(phone::partsPreview(m_message.message));
    m_parts->setAccessibleName(u"SMS in esadecimale"_s);
    layout->addWidget(m_summary);
    layout->addWidget(m_parts, 1);
    return box;
}

QWidget *LogoSendDialog::buildRecipientBox()
{
    auto *box = new QGroupBox(u"Destinatario"_s, this);
    auto *layout = new QGridLayout(box);
    m_number = new QLineEdit(box);
    m_number->setPlaceholderText(u"+39 333 1234567"_s);
    m_number->setToolTip(u"Il numero del telefono che riceve il logo."_s);
    m_numberProblem = wrappingLabel(box);
    m_numberProblem->setStyleSheet(ProblemStyle);
    m_numberProblem->hide();
    auto *label = new QLabel(u"&Numero:"_s, box);
    label->setBuddy(m_number);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_number, 0, 1);
    layout->addWidget(m_numberProblem, 1, 1);
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

void LogoSendDialog::send()
{
    if (m_panel->isWorking())
        return;
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
    m_panel->start(job);
}

void LogoSendDialog::probe()
{
    if (m_panel->isWorking())
        return;
    phone::PhoneJob job;
    if (!m_panel->prepare(job))
        return;
    m_sending = false;
    m_panel->start(job);
}

void LogoSendDialog::finished(const phone::PhoneJobResult &result)
{
    if (!result.ok()) {
        showStatus(result.error.message(), true);
        return;
    }
    if (!m_sending) {
        showStatus(phone::connectedText(result.identity), false, true);
        return;
    }
    showStatus(sentText(m_content, m_sentTo, result.references), false, true);
}

void LogoSendDialog::cancel()
{
    if (!m_panel->isWorking())
        return;
    m_cancel->setEnabled(false);
    m_panel->cancel();
}

void LogoSendDialog::setWorking(bool working)
{
    m_send->setEnabled(!working);
    m_number->setEnabled(!working);
    m_cancel->setEnabled(working);
}

void LogoSendDialog::showStatus(const QString &text, bool problem, bool done)
{
    m_panel->showStatus(text, problem, done);
}

void LogoSendDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc stops a send under way before it closes anything.
    if (event->key() == Qt::Key_Escape && m_panel->isWorking()) {
        cancel();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void LogoSendDialog::closeEvent(QCloseEvent *event)
{
    // A job still under way is stopped; the line is closed with it.
    m_panel->abandon();
    QDialog::closeEvent(event);
}

} // namespace brivello::logotools
