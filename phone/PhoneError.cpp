#include "phone/PhoneLink.h"

#include <map>

namespace brivello::phone {

namespace {

QString deviceName(const PhoneError &error)
{
    return error.device.isEmpty() ? QStringLiteral("il dispositivo")
                                  : QStringLiteral("«%1»").arg(error.device);
}

QString cancelledMessage(const PhoneError &error)
{
    if (error.partsSent <= 0)
        return QStringLiteral("Invio annullato: non è partito nulla.");
    return QStringLiteral("Invio annullato. Le parti già consegnate al telefono (%1) possono arrivare "
                          "comunque, ma senza le altre il telefono del destinatario non compone la suoneria.")
        .arg(error.partsSent);
}

} // namespace

PhoneError phoneError(PhoneErrorKind kind, const QString &device)
{
    PhoneError error;
    error.kind = kind;
    error.device = device;
    return error;
}

QString cmsErrorText(int code)
{
    static const std::map<int, QString> texts{
        {1, QStringLiteral("numero inesistente")},
        {8, QStringLiteral("servizio bloccato dall'operatore")},
        {10, QStringLiteral("chiamate bloccate")},
        {21, QStringLiteral("messaggio rifiutato")},
        {27, QStringLiteral("destinatario non raggiungibile")},
        {28, QStringLiteral("destinatario sconosciuto")},
        {29, QStringLiteral("servizio rifiutato")},
        {30, QStringLiteral("abbonato sconosciuto")},
        {38, QStringLiteral("rete fuori servizio")},
        {41, QStringLiteral("guasto temporaneo della rete")},
        {42, QStringLiteral("rete congestionata")},
        {47, QStringLiteral("risorse della rete non disponibili")},
        {50, QStringLiteral("servizio SMS non compreso nell'abbonamento")},
        {69, QStringLiteral("servizio non disponibile sulla rete")},
        {96, QStringLiteral("messaggio incompleto")},
        {111, QStringLiteral("errore di protocollo")},
        {128, QStringLiteral("il centro servizi non accetta questo tipo di messaggio")},
        {144, QStringLiteral("codifica dei dati non accettata")},
        {145, QStringLiteral("classe del messaggio non accettata")},
        {176, QStringLiteral("messaggio non accettato dal centro servizi")},
        {192, QStringLiteral("centro servizi occupato")},
        {193, QStringLiteral("nessun abbonamento al centro servizi")},
        {194, QStringLiteral("guasto del centro servizi")},
        {195, QStringLiteral("numero del destinatario non valido")},
        {196, QStringLiteral("destinatario bloccato")},
        {197, QStringLiteral("messaggio doppio rifiutato")},
        {300, QStringLiteral("guasto del telefono")},
        {302, QStringLiteral("operazione non permessa")},
        {303, QStringLiteral("operazione non supportata")},
        {304, QStringLiteral("messaggio non valido per il telefono")},
        {310, QStringLiteral("SIM non inserita")},
        {311, QStringLiteral("serve il PIN della SIM")},
        {313, QStringLiteral("guasto della SIM")},
        {314, QStringLiteral("SIM occupata")},
        {316, QStringLiteral("serve il PUK della SIM")},
        {322, QStringLiteral("memoria piena")},
        {330, QStringLiteral("numero del centro servizi sconosciuto")},
        {331, QStringLiteral("nessuna rete")},
        {332, QStringLiteral("la rete non ha risposto in tempo")},
        {500, QStringLiteral("errore sconosciuto")},
    };
    const auto found = texts.find(code);
    if (found != texts.end())
        return found->second;
    if (code >= 128 && code <= 255)
        return QStringLiteral("il centro servizi non accetta il messaggio");
    if (code >= 512)
        return QStringLiteral("errore proprio del fabbricante del telefono");
    return QStringLiteral("motivo non specificato");
}

QString PhoneError::message() const
{
    switch (kind) {
    case PhoneErrorKind::None:
        return QStringLiteral("Fatto.");
    case PhoneErrorKind::NoDevice:
        return QStringLiteral("Il dispositivo %1 non esiste: il cavo o il modem non è collegato, oppure il "
                              "nome è sbagliato.")
            .arg(deviceName(*this));
    case PhoneErrorKind::DeviceBusy:
        return QStringLiteral("Il dispositivo %1 è occupato da un altro programma: chiuderlo e riprovare.")
            .arg(deviceName(*this));
    case PhoneErrorKind::NoPermission:
        if (group.isEmpty())
            return QStringLiteral("Non è permesso aprire %1: chiedere all'amministratore del computer "
                                  "l'accesso al dispositivo.")
                .arg(deviceName(*this));
        return QStringLiteral("Non è permesso aprire %1: il dispositivo è del gruppo «%2». Aggiungere "
                              "l'utente al gruppo (sudo adduser $USER %2), poi uscire e rientrare nella "
                              "sessione.")
            .arg(deviceName(*this), group);
    case PhoneErrorKind::PinNeeded:
        return QStringLiteral("La SIM chiede il PIN: scriverlo nel campo «PIN» e riprovare.");
    case PhoneErrorKind::PinWrong:
        return QStringLiteral("Il PIN non è giusto. Attenzione: dopo tre PIN sbagliati la SIM si blocca e "
                              "serve il PUK.");
    case PhoneErrorKind::PukNeeded:
        return QStringLiteral("La SIM è bloccata e chiede il PUK: sbloccarla dal telefono.");
    case PhoneErrorKind::SimNotReady:
        return QStringLiteral("La SIM non è pronta: controllare che sia inserita e riprovare tra qualche "
                              "secondo.");
    case PhoneErrorKind::NoNetwork:
        return QStringLiteral("Il telefono non è collegato a nessuna rete: controllare la copertura e "
                              "riprovare.");
    case PhoneErrorKind::NoServiceCentre:
        return QStringLiteral("Sulla SIM manca il numero del centro servizi SMS: impostarlo dal telefono.");
    case PhoneErrorKind::CentreRefused:
        return QStringLiteral("Il centro servizi ha rifiutato il messaggio (errore +CMS %1: %2).")
            .arg(code)
            .arg(cmsErrorText(code));
    case PhoneErrorKind::Timeout:
        return QStringLiteral("Il telefono non risponde (tempo scaduto): controllare che sia acceso, "
                              "collegato e che il tipo di collegamento sia giusto.");
    case PhoneErrorKind::DeviceLost:
        return QStringLiteral("Il collegamento con il telefono si è interrotto: il cavo è stato staccato o "
                              "il telefono si è spento.");
    case PhoneErrorKind::WrongConnection:
        return QStringLiteral("Il dispositivo %1 risponde, ma non con il tipo di collegamento scelto: "
                              "provarne un altro.")
            .arg(deviceName(*this));
    case PhoneErrorKind::NotSupported:
        return QStringLiteral("Il telefono non sa fare questa operazione.");
    case PhoneErrorKind::Cancelled:
        return cancelledMessage(*this);
    case PhoneErrorKind::Other:
        break;
    }
    return detail.isEmpty() ? QStringLiteral("Errore del telefono.")
                            : QStringLiteral("Errore del telefono: %1").arg(detail);
}

} // namespace brivello::phone
