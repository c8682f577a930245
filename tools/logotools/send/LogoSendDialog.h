#pragma once

// The picture of the editor on its way to a phone by SMS: what goes (the
// kind of picture, the network or the text it carries, every part in hex
// and how many SMS it takes), the number it goes to, the phone or modem it
// leaves from, and Invia / Annulla / Chiudi. The phone work runs as a phone
// job, away from the window; the window tells each step and the outcome.

#include "phone/LogoMessage.h"
#include "phone/PhoneTask.h"
#include "phone/gui/PhoneJobPanel.h"
#include "tools/logotools/picture/LogoDocument.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace brivello::logotools {

// What the dialog works with: the tests give it fakes, the program the real
// things.
struct LogoSendSetup
{
    phone::PhoneTaskFactory tasks;
    phone::ConnectionChooser::DeviceLister devices;
    // Where the connection chosen is kept between runs; none when empty.
    QString settingsFile;
    int networkAnswerMs = 60000;
};

// What the dialog says it sends: "Logo operatore per TIM (222 01)".
QString contentText(const LogoDocument &document);

class LogoSendDialog : public QDialog
{
    Q_OBJECT
public:
    // `message` is what `document` packs into (phone::LogoMessage::ok()).
    LogoSendDialog(const LogoDocument &document, phone::LogoMessage message, LogoSendSetup setup,
                   QWidget *parent = nullptr);
    ~LogoSendDialog() override;

    bool isWorking() const { return m_panel->isWorking(); }

    // The controls, for the tests that drive the dialog.
    QLabel *summaryLabel() const { return m_summary; }
    QPlainTextEdit *partsView() const { return m_parts; }
    QLineEdit *numberEdit() const { return m_number; }
    QLabel *numberProblemLabel() const { return m_numberProblem; }
    phone::ConnectionChooser *chooser() const { return m_panel->chooser(); }
    QLineEdit *pinEdit() const { return m_panel->pinEdit(); }
    QLabel *statusLabel() const { return m_panel->statusLabel(); }
    QProgressBar *progressBar() const { return m_panel->progressBar(); }
    QPushButton *sendButton() const { return m_send; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *closeButton() const { return m_close; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *buildPreviewBox();
    QWidget *buildRecipientBox();
    void checkNumber();
    void send();
    void probe();
    void cancel();
    void finished(const phone::PhoneJobResult &result);
    void setWorking(bool working);
    void showStatus(const QString &text, bool problem, bool done = false);

    QString m_content;
    phone::LogoMessage m_message;
    LogoSendSetup m_setup;
    bool m_sending = false;
    QString m_sentTo;

    QLabel *m_summary = nullptr;
    QPlainTextEdit *m_parts = nullptr;
    QLineEdit *m_number = nullptr;
    QLabel *m_numberProblem = nullptr;
    phone::PhoneJobPanel *m_panel = nullptr;
    QPushButton *m_send = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace brivello::logotools
