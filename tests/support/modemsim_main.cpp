// A GSM modem simulated on a pseudo-terminal, for trying the phone tools by
// hand: it prints the device to connect to and answers until it is stopped
// (Ctrl-C or end of input), then lists the PDUs it received.
//
//   brivello-modemsim [--pin 1234] [--refuse 27] [--silent-from 1] [--vanish-after 1]

#include "tests/support/ModemSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

volatile std::sig_atomic_t stopped = 0;

void stop(int)
{
    stopped = 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Modem GSM simulato su uno pseudo-terminale."_s);
    parser.addHelpOption();
    const QCommandLineOption pin(u"pin"_s, u"La SIM chiede questo PIN."_s, u"pin"_s);
    const QCommandLineOption refuse(u"refuse"_s, u"Rifiuta ogni messaggio con questo errore +CMS."_s,
                                    u"codice"_s);
    const QCommandLineOption silentFrom(u"silent-from"_s, u"Tace dal messaggio numero n in poi."_s, u"n"_s);
    const QCommandLineOption vanishAfter(u"vanish-after"_s, u"Sparisce dopo n messaggi."_s, u"n"_s);
    parser.addOptions({pin, refuse, silentFrom, vanishAfter});
    parser.process(app);

    brivello::test::ModemSimulator::Script script;
    script.pin = parser.value(pin);
    script.refuseWith = parser.value(refuse).toInt();
    script.silentFromPdu = parser.value(silentFrom).toInt();
    script.vanishAfterPdus = parser.value(vanishAfter).toInt();
    brivello::test::ModemSimulator modem(script);
    QTextStream out(stdout);
    if (!modem.isOpen()) {
        out << "Impossibile aprire uno pseudo-terminale.\n";
        return 1;
    }
    out << modem.devicePath() << Qt::endl;
    // Without SA_RESTART the read below returns when a signal comes.
    struct sigaction action
    {
    };
    action.sa_handler = stop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    char byte = 0;
    while (!stopped && ::read(STDIN_FILENO, &byte, 1) > 0) {
    }
    for (const QString &pdu : modem.pdus())
        out << "PDU " << pdu << '\n';
    return 0;
}
