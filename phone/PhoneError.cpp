#include "phone/PhoneLink.h"

#include <map>

using namespace Qt::StringLiterals;

namespace brivello::phone {

namespace {

QString deviceName(const PhoneError &error)
{
    return error.device.isEmpty() ? u"il dispositivo"_s : u"«%1»"_s.arg(error.device);
}

QString cancelledMessage(const PhoneError &error)
{
    if (error.partsSent <= 0)
        return u"Invio annullato: non è partito nulla."_s;
    return u"Invio annullato. Le parti già consegnate al telefono (%1) possono arrivare "
           "comunque, ma senza le altre il telefono del destinatario non compone la suoneria."_s.arg(
               error.partsSent);
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
        {1, u"numero inesistente"_s},
        {8, u"servizio bloccato dall'operatore"_s},
        {10, u"chiamate bloccate"_s},
        {21, u"messaggio rifiutato"_s},
        {27, u"destinatario non raggiungibile"_s},
        {28, u"destinatario sconosciuto"_s},
        {29, u"servizio rifiutato"_s},
        {30, u"abbonato sconosciuto"_s},
        {38, u"rete fuori servizio"_s},
        {41, u"guasto temporaneo della rete"_s},
        {42, u"rete congestionata"_s},
        {47, u"risorse della rete non disponibili"_s},
        {50, u"servizio SMS non compreso nell'abbonamento"_s},
        {69, u"servizio non disponibile sulla rete"_s},
        {96, u"messaggio incompleto"_s},
        {111, u"errore di protocollo"_s},
        {128, u"il centro servizi non accetta questo tipo di messaggio"_s},
        {144, u"codifica dei dati non accettata"_s},
        {145, u"classe del messaggio non accettata"_s},
        {176, u"messaggio non accettato dal centro servizi"_s},
        {192, u"centro servizi occupato"_s},
        {193, u"nessun abbonamento al centro servizi"_s},
        {194, u"guasto del centro servizi"_s},
        {195, u"numero del destinatario non valido"_s},
        {196, u"destinatario bloccato"_s},
        {197, u"messaggio doppio rifiutato"_s},
        {300, u"guasto del telefono"_s},
        {302, u"operazione non permessa"_s},
        {303, u"operazione non supportata"_s},
        {304, u"messaggio non valido per il telefono"_s},
        {310, u"SIM non inserita"_s},
        {311, u"serve il PIN della SIM"_s},
        {313, u"guasto della SIM"_s},
        {314, u"SIM occupata"_s},
        {316, u"serve il PUK della SIM"_s},
        {322, u"memoria piena"_s},
        {330, u"numero del centro servizi sconosciuto"_s},
        {331, u"nessuna rete"_s},
        {332, u"la rete non ha risposto in tempo"_s},
        {500, u"errore sconosciuto"_s},
    };
    const auto found = texts.find(code);
    if (found != texts.end())
        return found->second;
    if (code >= 128 && code <= 255)
        return u"il centro servizi non accetta il messaggio"_s;
    if (code >= 512)
        return u"errore proprio del fabbricante del telefono"_s;
    return u"motivo non specificato"_s;
}

QString PhoneError::message() const
{
    switch (kind) {
    case PhoneErrorKind::None:
        return u"Fatto."_s;
    case PhoneErrorKind::NoDevice:
        return u"Il dispositivo %1 non esiste: il cavo o il modem non è collegato, oppure il "
               "nome è sbagliato."_s.arg(deviceName(*this));
    case PhoneErrorKind::DeviceBusy:
        return u"Il dispositivo %1 è occupato da un altro programma: chiuderlo e riprovare."_s.arg(
            deviceName(*this));
    case PhoneErrorKind::NoPermission:
        if (group.isEmpty())
            return u"Non è permesso aprire %1: chiedere all'amministratore del computer "
                   "l'accesso al dispositivo."_s.arg(deviceName(*this));
        return u"Non è permesso aprire %1: il dispositivo è del gruppo «%2». Aggiungere "
               "l'utente al gruppo (sudo adduser $USER %2), poi uscire e rientrare nella "
               "sessione."_s.arg(deviceName(*this), group);
    case PhoneErrorKind::PinNeeded:
        return u"La SIM chiede il PIN: scriverlo nel campo «PIN» e riprovare."_s;
    case PhoneErrorKind::PinWrong:
        return u"Il PIN non è giusto. Attenzione: dopo tre PIN sbagliati la SIM si blocca e "
               "serve il PUK."_s;
    case PhoneErrorKind::PukNeeded:
        return u"La SIM è bloccata e chiede il PUK: sbloccarla dal telefono."_s;
    case PhoneErrorKind::SimNotReady:
        return u"La SIM non è pronta: controllare che sia inserita e riprovare tra qualche "
               "secondo."_s;
    case PhoneErrorKind::NoNetwork:
        return u"Il telefono non è collegato a nessuna rete: controllare la copertura e "
               "riprovare."_s;
    case PhoneErrorKind::NoServiceCentre:
        return u"Sulla SIM manca il numero del centro servizi SMS: impostarlo dal telefono."_s;
    case PhoneErrorKind::CentreRefused:
        return u"Il centro servizi ha rifiutato il messaggio (errore +CMS %1: %2)."_s.arg(code).arg(
            cmsErrorText(code));
    case PhoneErrorKind::Timeout:
        return u"Il telefono non risponde (tempo scaduto): controllare che sia acceso, "
               "collegato e che il tipo di collegamento sia giusto."_s;
    case PhoneErrorKind::DeviceLost:
        return u"Il collegamento con il telefono si è interrotto: il cavo è stato staccato o "
               "il telefono si è spento."_s;
    case PhoneErrorKind::WrongConnection:
        return u"Il dispositivo %1 risponde, ma non con il tipo di collegamento scelto: "
               "provarne un altro."_s.arg(deviceName(*this));
    case PhoneErrorKind::NotSupported:
        return u"Il telefono non sa fare questa operazione."_s;
    case PhoneErrorKind::Cancelled:
        return cancelledMessage(*this);
    case PhoneErrorKind::Other:
        break;
    }
    return detail.isEmpty() ? u"Errore del telefono."_s : u"Errore del telefono: %1"_s.arg(detail);
}

} // namespace brivello::phone
