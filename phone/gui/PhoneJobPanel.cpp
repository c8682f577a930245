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

using namespace Qt::StringLiterals;

namespace brivello::phone {

namespace {

const QString ProblemStyle = u"color: #a00000; font-weight: bold;"_s;
const QString DoneStyle = u"color: #006000; font-weight: bold;"_s;

} // namespace

PhoneJobPanel::PhoneJobPanel(PhoneTaskFactory tasks, ConnectionChooser::DeviceLister devices,
                             QString settingsFile, QWidget *parent)
    : QObject(parent), m_tasks(std::move(tasks)), m_settingsFile(std::move(settingsFile))
{
    m_box = new QGroupBox(u"Telefono o modem"_s, parent);
    auto *layout = new QVBoxLayout(m_box);
    m_chooser = new ConnectionChooser(std::move(devices), m_box);
    layout->addWidget(m_chooser);
    m_pinRow = new QWidget(m_box);
    auto *pinLayout = new QHBoxLayout(m_pinRow);
    pinLayout->setContentsMargins(0, 0, 0, 0);
    m_pin = new QLineEdit(m_pinRow);
    m_pin->setEchoMode(QLineEdit::Password);
    m_pin->setMaxLength(8);
    m_pin->setPlaceholderText(u"PIN della SIM"_s);
    auto *pinLabel = new QLabel(u"&PIN:"_s, m_pinRow);
    pinLabel->setBuddy(m_pin);
    pinLayout->addWidget(pinLabel);
    pinLayout->addWidget(m_pin, 1);
    m_pinRow->hide();
    layout->addWidget(m_pinRow);

    m_status = new QLabel(parent);
    m_status->setObjectName(u"status"_s);
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
        showStatus(u"Scegliere il dispositivo del telefono o del modem."_s, true);
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
    static const QRegularExpression digits(u"^[0-9]{4,8}$"_s);
    if (digits.match(m_pin->text()).hasMatch())
        return true;
    showStatus(u"Il PIN è fatto di 4-8 cifre."_s, true);
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
    showStatus(u"Annullamento…"_s, false);
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
