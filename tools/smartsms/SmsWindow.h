#pragma once

// The SMS tool's one window: the ringtone handed over, the number it goes
// to, what will be sent (the parts as hex, how many SMS, which phones take
// it), the connection to the phone or modem, and Invia / Annulla / Salva….

#include "SmsRequest.h"
#include "phone/PhoneTask.h"
#include "phone/RingtoneMessage.h"
#include "phone/gui/PhoneJobPanel.h"
#include "platform/Dialogs.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace smartsms {

// What the window works with: the tests give it fakes, the program the
// real things.
struct SmsToolSetup
{
    brivello::phone::PhoneTaskFactory tasks;
    brivello::phone::ConnectionChooser::DeviceLister devices;
    std::shared_ptr<brivello::platform::SaveFileDialog> saveDialog;
    QString settingsFile; // where the connection chosen is kept
    QString outboxPath;
    int networkAnswerMs = 60000;
};

class SmsWindow : public QWidget
{
    Q_OBJECT
public:
    SmsWindow(SmsRequest request, SmsToolSetup setup, QWidget *parent = nullptr);
    ~SmsWindow() override;

    const brivello::phone::RingtoneMessage &message() const { return m_message; }
    const OutboxEntry &outboxEntry() const { return m_entry; }
    bool isWorking() const { return m_panel->isWorking(); }

    // The controls, for the tests that drive the window.
    QLabel *ringtoneLabel() const { return m_ringtone; }
    QLabel *receivedLabel() const { return m_received; }
    QLineEdit *numberEdit() const { return m_number; }
    QLabel *numberProblemLabel() const { return m_numberProblem; }
    QLabel *summaryLabel() const { return m_summary; }
    QPlainTextEdit *partsView() const { return m_parts; }
    QLabel *fitLabel() const { return m_fit; }
    brivello::phone::ConnectionChooser *chooser() const { return m_panel->chooser(); }
    QLineEdit *pinEdit() const { return m_panel->pinEdit(); }
    QLabel *statusLabel() const { return m_panel->statusLabel(); }
    QProgressBar *progressBar() const { return m_panel->progressBar(); }
    QPushButton *sendButton() const { return m_send; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *saveButton() const { return m_save; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildRingtoneBox();
    QWidget *buildRecipientBox();
    QWidget *buildPreviewBox();
    void showRingtone();
    void showPreview();
    void checkNumber();

    void send();
    void probe();
    void cancel();
    void save();
    void finished(const brivello::phone::PhoneJobResult &result);
    void setWorking(bool working);
    void showStatus(const QString &text, bool problem, bool done = false);
    void record(const QString &result);

    SmsRequest m_request;
    SmsToolSetup m_setup;
    ScratchRingtone m_scratch;
    brivello::melody::RtttlReading m_reading;
    brivello::phone::RingtoneMessage m_message;
    OutboxEntry m_entry;
    bool m_sending = false;
    QString m_sentTo;

    QLabel *m_ringtone = nullptr;
    QLabel *m_received = nullptr;
    QLineEdit *m_number = nullptr;
    QLabel *m_numberProblem = nullptr;
    QLabel *m_summary = nullptr;
    QPlainTextEdit *m_parts = nullptr;
    QLabel *m_fit = nullptr;
    brivello::phone::PhoneJobPanel *m_panel = nullptr;
    QPushButton *m_send = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace smartsms
