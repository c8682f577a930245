// The SMS tool of the sample disc. It does not talk to a modem: it shows the
// number and the ringtone it was asked to send and keeps every request in an
// outbox file, so users and tests can see exactly what was handed over.
#include "SmsRequest.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString ringtoneText(const smartsms::SmsRequest &request)
{
    if (request.scratchPath.isEmpty())
        return QStringLiteral("Nessuna suoneria indicata.");
    if (!request.scratchFound)
        return QStringLiteral("File della suoneria non trovato: %1").arg(request.scratchPath);
    return request.ringtone;
}

QWidget *buildWindow(const smartsms::SmsRequest &request, const QString &outboxPath)
{
    auto *window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("SmartSMS Limited Edition"));
    auto *layout = new QVBoxLayout(window);
    const QString number = request.number.isEmpty() ? QStringLiteral("(nessun numero)") : request.number;
    auto *numberLabel = new QLabel(QStringLiteral("Numero: %1").arg(number), window);
    numberLabel->setObjectName(QStringLiteral("number"));
    auto *ringtoneLabel = new QLabel(ringtoneText(request), window);
    ringtoneLabel->setObjectName(QStringLiteral("ringtone"));
    ringtoneLabel->setWordWrap(true);
    ringtoneLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *note =
        new QLabel(QStringLiteral("Versione limitata: il messaggio non viene inviato ma registrato in\n%1")
                       .arg(outboxPath),
                   window);
    auto *close = new QPushButton(QStringLiteral("Chiudi"), window);
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
    layout->addWidget(numberLabel);
    layout->addWidget(ringtoneLabel);
    layout->addWidget(note);
    layout->addWidget(close, 0, Qt::AlignRight);
    return window;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("smartsmsle"));

    smartsms::SmsRequest request = smartsms::parseRequest(QCoreApplication::arguments().mid(1));
    smartsms::readScratchFile(request);

    const QString outboxPath = smartsms::defaultOutboxPath();
    QString error;
    const bool recorded = smartsms::appendToOutbox(
        outboxPath, smartsms::outboxEntry(request, QDateTime::currentDateTimeUtc()), &error);

    // Tests only want the outbox entry.
    if (qEnvironmentVariableIntValue("BRIVELLO_SMS_NO_WINDOW") == 1)
        return recorded ? 0 : 1;

    if (!recorded)
        QMessageBox::warning(nullptr, QStringLiteral("SmartSMS"),
                             QStringLiteral("La richiesta non è stata registrata: %1").arg(error));
    buildWindow(request, outboxPath)->show();
    return app.exec();
}
