#include "tools/logotools/send/SmsSendStep.h"

#include "tools/logotools/picture/LogoSms.h"

using namespace Qt::StringLiterals;

namespace brivello::logotools {

SmsSendStep::SmsSendStep(LogoSendSetup setup, std::shared_ptr<platform::MessageBox> messageBox)
    : m_setup(std::move(setup)), m_messageBox(std::move(messageBox))
{}

void SmsSendStep::start(const LogoDocument &document, QWidget *window)
{
    phone::LogoMessage message = smsFor(document);
    if (!message.ok()) {
        platform::MessageRequest request;
        request.title = u"Invia come SMS"_s;
        request.text = message.error;
        request.icon = platform::MessageIcon::Warning;
        m_messageBox->show(request);
        return;
    }
    m_dialog = new LogoSendDialog(document, std::move(message), m_setup, window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The editor waits while its picture is on its way, so that what the
    // dialog shows stays what is sent.
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->show();
}

} // namespace brivello::logotools
