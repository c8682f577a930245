#pragma once

// "Invia come SMS...": the editor's picture packed as a Smart Messaging SMS
// and sent from the send dialog. A picture that makes no SMS (an operator
// logo with no network picked) is told in a message box instead.

#include "platform/Dialogs.h"
#include "tools/logotools/editor/SendStep.h"
#include "tools/logotools/send/LogoSendDialog.h"

#include <QPointer>

#include <memory>

namespace brivello::logotools {

using namespace Qt::StringLiterals;

class SmsSendStep final : public SendStep
{
public:
    SmsSendStep(LogoSendSetup setup, std::shared_ptr<platform::MessageBox> messageBox);

    QString buttonText() const override { return u"Invia come &SMS..."_s; }
    bool takes(LogoKind) const override { return true; }
    void start(const LogoDocument &document, QWidget *window) override;

    // The send dialog open now, if any.
    LogoSendDialog *dialog() const { return m_dialog; }

private:
    LogoSendSetup m_setup;
    std::shared_ptr<platform::MessageBox> m_messageBox;
    QPointer<LogoSendDialog> m_dialog;
};

} // namespace brivello::logotools
