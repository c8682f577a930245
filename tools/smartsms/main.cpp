// The SMS tool of the sample disc: it sends the ringtone the ringtone window
// hands over to a phone by SMS, through a GSM modem or a phone on a data
// cable, and keeps every request in an outbox file. Its phone work runs in
// a second copy of this program (see phone/PhoneTask.h).
#include "SmsRequest.h"
#include "SmsWindow.h"
#include "phone/Devices.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = brivello::phone::runPhoneWorkerIfAsked(argc, argv))
        return *status;

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"smartsmsle"_s);

    smartsms::SmsRequest request = smartsms::parseRequest(QCoreApplication::arguments().mid(1));
    smartsms::readScratchFile(request);

    // Tests of the command line only want the outbox entry.
    if (qEnvironmentVariableIntValue("BRIVELLO_SMS_NO_WINDOW") == 1) {
        smartsms::OutboxEntry entry = smartsms::newOutboxEntry(request, QDateTime::currentDateTimeUtc());
        QString error;
        return smartsms::writeOutboxEntry(smartsms::defaultOutboxPath(), entry, &error) ? 0 : 1;
    }

    smartsms::SmsToolSetup setup;
    setup.tasks = brivello::phone::workerProcessTasks();
    setup.devices = [] { return brivello::phone::listDevices(); };
    setup.saveDialog = std::make_shared<brivello::platform::QtSaveFileDialog>();
    // ~/.config/smartsmsle/collegamento.ini: the connection chosen last.
    setup.settingsFile =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u"/collegamento.ini"_s;
    setup.outboxPath = smartsms::defaultOutboxPath();
    smartsms::SmsWindow window(request, setup);
    window.show();
    return app.exec();
}
