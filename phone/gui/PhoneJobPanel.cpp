#include "phone/gui/PhoneJobPanel.h"

#include "phone/Connections.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSettings>
#include <QVBoxLayout>

namespace brivello::phone {

namespace {

const QString ProblemStyle = QStringLiteral("color: #a00000; font-weight: bold;");
const QString DoneStyle = QStringLiteral("color: #006000; font-weight: bold;");

} // namespace

PhoneJobPanel::PhoneJobPanel(PhoneTaskFactory tasks, ConnectionChooser::DeviceLister devices,
                             QString settingsFile, QWidget *parent)
    : QObject(parent), m_tasks(std::move(tasks)), m_settingsFile(std::move(settingsFile))
{
    m_box = new QGroupBox(QStringLiteral("Telefono o modem"), parent);
    auto *layout = new QVBoxLayout(m_box);
    m_chooser = new ConnectionChooser(std::move(devices), m_box);
    layout->addWidget(m_chooser);
    m_pinRow = new QWidget(m_box);
    auto *pinLayout = new QHBoxLayout(m_pinRow);
    pinLayout->setContentsMargins(0, 0, 0, 0);
    m_pin = new QLineEdit(m_pinRow);
    m_pin->setEchoMode(QLineEdit::Password);
    m_pin->setMaxLength(8);
    m_pin->setPlaceholderText(QStringLiteral("PIN della SIM"));
    auto *pinLabel = new QLabel(QStringLiteral("&PIN:"), m_pinRow);
    pinLabel->setBuddy(m_pin);
    pinLayout->addWidget(pinLabel);
    pinLayout->addWidget(m_pin, 1);
    m_pinRow->hide();
    layout->addWidget(m_pinRow);

    m_status = new QLabel(parent);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_progress = new QProgressBar(parent);
    m_progress->setTextVisible(false);
    m_progress->hide();

    if (!m_settingsFile.isEmpty()) {
        const QSettings settings(m_settingsFile, QSettings::IniFormat);
        const ConnectionSettings kept = loadConnection(settings);
        if (!kept.device.isEmpty())
            m_chooser->setConnection(kept);
        else
            m_chooser->setConnection({m_chooser->connection().device, kept.connection});
    }
    connect(m_chooser, &ConnectionChooser::probeRequested, this, &PhoneJobPanel::probeRequested);
}

PhoneJobPanel::~PhoneJobPanel() = default;

bool PhoneJobPanel::prepare(PhoneJob &job)
{
    job.connection = m_chooser->connection();
    if (job.connection.device.isEmpty()) {
        showStatus(QStringLiteral("Scegliere il dispositivo del telefono o del modem."), true);
        return false;
    }
    if (!pinIsUsable())
        return false;
    job.pin = m_pinRow->isHidden() ? QString() : m_pin->text();
    return true;
}

bool PhoneJobPanel::pinIsUsable()
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

void PhoneJobPanel::start(const PhoneJob &job)
{
    if (m_task)
        return;
    if (!m_settingsFile.isEmpty()) {
        QSettings settings(m_settingsFile, QSettings::IniFormat);
        saveConnection(settings, job.connection);
    }
    m_task = m_tasks();
    connect(m_task.get(), &PhoneTask::progressed, this, &PhoneJobPanel::progressed);
    connect(m_task.get(), &PhoneTask::finished, this, &PhoneJobPanel::ended);
    m_progress->setRange(0, progressSteps(job));
    m_progress->setValue(0);
    m_cancelling = false;
    setWorking(true);
    showStatus(stepText({JobStep::Connecting}), false);
    m_task->start(job);
}

void PhoneJobPanel::progressed(const JobProgress &progress)
{
    if (const int position = progressPosition(progress, m_progress->maximum()); position >= 0)
        m_progress->setValue(position);
    if (!m_cancelling)
        showStatus(stepText(progress), false);
}

void PhoneJobPanel::ended(const PhoneJobResult &result)
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
    Q_EMIT finished(result);
}

void PhoneJobPanel::cancel()
{
    if (!m_task || m_cancelling)
        return;
    m_cancelling = true;
    showStatus(QStringLiteral("Annullamento…"), false);
    m_task->cancel();
}

void PhoneJobPanel::abandon()
{
    if (!m_task)
        return;
    m_task->disconnect(this);
    m_task->cancel();
    m_task.reset();
}

void PhoneJobPanel::setWorking(bool working)
{
    m_chooser->setEnabled(!working);
    m_pin->setEnabled(!working);
    m_progress->setVisible(working);
    Q_EMIT workingChanged(working);
}

void PhoneJobPanel::showStatus(const QString &text, bool problem, bool done)
{
    m_status->setText(text);
    m_status->setStyleSheet(problem ? ProblemStyle : done ? DoneStyle : QString());
}

} // namespace brivello::phone
