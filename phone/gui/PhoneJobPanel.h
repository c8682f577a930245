#pragma once

// What every tool that sends through a phone shows of it: the box "Telefono
// o modem" (the connection chooser and, once the SIM asks for it, its PIN),
// the status line and the progress bar of the job under way. The panel runs
// the jobs its owner gives it, away from the window, tells each step, keeps
// the connection chosen for the next start and asks for the PIN when the SIM
// wants one; the owner says what a job is for and what its outcome means.

#include "phone/PhoneTask.h"
#include "phone/gui/ConnectionChooser.h"

#include <QObject>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QWidget;

namespace brivello::phone {

class PhoneJobPanel : public QObject
{
    Q_OBJECT
public:
    // `settingsFile` keeps the connection chosen; none when empty. The
    // widgets are made as children of `parent`, for the owner to lay out.
    PhoneJobPanel(PhoneTaskFactory tasks, ConnectionChooser::DeviceLister devices, QString settingsFile,
                  QWidget *parent);
    ~PhoneJobPanel() override;

    QGroupBox *connectionBox() const { return m_box; }
    ConnectionChooser *chooser() const { return m_chooser; }
    QLineEdit *pinEdit() const { return m_pin; }
    QLabel *statusLabel() const { return m_status; }
    QProgressBar *progressBar() const { return m_progress; }

    // Puts the connection and the PIN into `job`; false, with the reason on
    // the status line, when no device is chosen or the PIN is no PIN.
    bool prepare(PhoneJob &job);
    // Runs the job; finished() follows once.
    void start(const PhoneJob &job);
    // Stops the job under way; finished() follows with the outcome.
    void cancel();
    // Stops the job under way at once, telling nobody: its window closes.
    void abandon();
    bool isWorking() const { return m_task != nullptr; }
    bool isCancelling() const { return m_cancelling; }

    void showStatus(const QString &text, bool problem, bool done = false);

Q_SIGNALS:
    void probeRequested();
    void workingChanged(bool working);
    void finished(const brivello::phone::PhoneJobResult &result);

private:
    bool pinIsUsable();
    void progressed(const JobProgress &progress);
    void ended(const PhoneJobResult &result);
    void setWorking(bool working);

    PhoneTaskFactory m_tasks;
    QString m_settingsFile;
    std::unique_ptr<PhoneTask> m_task;
    bool m_cancelling = false;
    QGroupBox *m_box = nullptr;
    ConnectionChooser *m_chooser = nullptr;
    QWidget *m_pinRow = nullptr;
    QLineEdit *m_pin = nullptr;
    QLabel *m_status = nullptr;
    QProgressBar *m_progress = nullptr;
};

} // namespace brivello::phone
