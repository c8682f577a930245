#include "phone/GammuLink.h"

#include "phone/Devices.h"
#include "phone/GammuEncoding.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <gammu.h>

#include <cstring>

using namespace Qt::StringLiterals;

namespace brivello::phone {

namespace {

// libGammu's strings are UCS-2, big-endian, ended by a zero character.
void toGammuText(unsigned char *target, std::size_t capacity, const QString &text)
{
    std::memset(target, 0, capacity);
    const qsizetype fit = std::min<qsizetype>(text.size(), static_cast<qsizetype>(capacity / 2) - 1);
    for (qsizetype i = 0; i < fit; ++i) {
        target[2 * i] = static_cast<unsigned char>(text[i].unicode() >> 8);
        target[2 * i + 1] = static_cast<unsigned char>(text[i].unicode() & 0xFF);
    }
}

QString fromGammuText(const unsigned char *text, std::size_t capacity)
{
    QString result;
    for (std::size_t i = 0; i + 1 < capacity && (text[i] != 0 || text[i + 1] != 0); i += 2)
        result.append(QChar(char16_t((text[i] << 8) | text[i + 1])));
    return result;
}

char *copyOf(const QString &text)
{
    return strdup(QFile::encodeName(text).constData());
}

void sendStatusCallback(GSM_StateMachine *, int status, int reference, void *link)
{
    static_cast<GammuLink *>(link)->networkAnswered(status, reference);
}

void configure(GSM_StateMachine *state, const ConnectionSettings &settings, const GammuLimits &limits)
{
    GSM_Config *config = GSM_GetConfig(state, 0);
    config->Device = copyOf(settings.device);
    config->Connection = copyOf(settings.connection);
    config->Model[0] = 0;
    // The device is locked with flock() by libGammu itself; lock files in
    // /var/lock would outlive a worker that is stopped.
    config->LockDevice = false;
    config->SyncTime = false;
    config->StartInfo = false;
    config->UseGlobalDebugFile = false;
    if (limits.logFile.isEmpty()) {
        config->DebugLevel[0] = 0;
        config->DebugFile = nullptr;
    } else {
        std::strcpy(config->DebugLevel, "textalldate");
        config->DebugFile = copyOf(limits.logFile);
    }
    GSM_SetConfigNum(state, 1);
}

} // namespace

GammuLink::GammuLink(GammuLimits limits) : m_limits(std::move(limits)) {}

GammuLink::~GammuLink()
{
    disconnect();
}

void GammuLink::networkAnswered(int status, int reference)
{
    m_answered = true;
    m_answerStatus = status;
    m_answerReference = reference;
}

PhoneError GammuLink::fromGammu(int code) const
{
    const auto error = static_cast<GSM_Error>(code);
    switch (error) {
    case ERR_NONE:
        return {};
    case ERR_DEVICENOTEXIST:
        return phoneError(PhoneErrorKind::NoDevice, m_settings.device);
    case ERR_DEVICENOPERMISSION: {
        const PhoneError probed = probeDevice(m_settings.device);
        return probed.kind == PhoneErrorKind::NoPermission
                   ? probed
                   : phoneError(PhoneErrorKind::NoPermission, m_settings.device);
    }
    case ERR_DEVICEOPENERROR:
    case ERR_DEVICELOCKED:
    case ERR_DEVICEBUSY:
        return phoneError(PhoneErrorKind::DeviceBusy, m_settings.device);
    case ERR_TIMEOUT:
        return phoneError(deviceStillThere() ? PhoneErrorKind::Timeout : PhoneErrorKind::DeviceLost,
                          m_settings.device);
    case ERR_DEVICEREADERROR:
    case ERR_DEVICEWRITEERROR:
    case ERR_DEVICECHANGESPEEDERROR:
    case ERR_DEVICEDTRRTSERROR:
    case ERR_DEVICEPARITYERROR:
    case ERR_NOTCONNECTED:
        return phoneError(PhoneErrorKind::DeviceLost, m_settings.device);
    case ERR_NOSIM:
        return phoneError(PhoneErrorKind::SimNotReady, m_settings.device);
    case ERR_NETWORK_ERROR:
        return phoneError(PhoneErrorKind::NoNetwork, m_settings.device);
    case ERR_EMPTYSMSC:
        return phoneError(PhoneErrorKind::NoServiceCentre, m_settings.device);
    case ERR_ABORTED:
    case ERR_CANCELED:
        return phoneError(PhoneErrorKind::Cancelled, m_settings.device);
    case ERR_NOTSUPPORTED:
    case ERR_NOTIMPLEMENTED:
        return phoneError(PhoneErrorKind::NotSupported, m_settings.device);
    case ERR_UNKNOWNRESPONSE:
    case ERR_UNKNOWNFRAME:
    case ERR_FRAMENOTREQUESTED:
    case ERR_UNKNOWNMODELSTRING:
        return phoneError(PhoneErrorKind::WrongConnection, m_settings.device);
    default:
        break;
    }
    PhoneError other = phoneError(PhoneErrorKind::Other, m_settings.device);
    other.detail = QString::fromUtf8(GSM_ErrorString(error));
    return other;
}

bool GammuLink::deviceStillThere() const
{
    return !m_settings.device.startsWith(u'/') || QFileInfo::exists(m_settings.device);
}

PhoneError GammuLink::connect(const ConnectionSettings &settings, const QString &pin)
{
    disconnect();
    m_settings = settings;
    m_aborted = false;
    m_serviceCentre.clear();
    m_networkChecked = false;
    if (settings.device.trimmed().isEmpty())
        return phoneError(PhoneErrorKind::NoDevice, settings.device);
    // The dummy phone's device is a folder, no line to open.
    if (settings.connection != u"none") {
        if (const PhoneError probed = probeDevice(settings.device); !probed.ok())
            return probed;
    }
    {
        std::lock_guard lock(m_stateMutex);
        m_state = GSM_AllocStateMachine();
        if (m_state == nullptr)
            return phoneError(PhoneErrorKind::Other, settings.device);
        configure(m_state, settings, m_limits);
    }
    if (m_aborted)
        return phoneError(PhoneErrorKind::Cancelled, settings.device);
    GSM_Error error = GSM_InitConnection(m_state, m_limits.attempts);
    if (error != ERR_NONE)
        return fromGammu(error);
    GSM_SetSendSMSStatusCallback(m_state, sendStatusCallback, this);
    return unlockSim(pin);
}

PhoneError GammuLink::unlockSim(const QString &pin)
{
    GSM_SecurityCodeType status = SEC_None;
    GSM_Error error = GSM_GetSecurityStatus(m_state, &status);
    if (error == ERR_NOTSUPPORTED || error == ERR_NOTIMPLEMENTED)
        return {}; // phones without a SIM lock say nothing of it
    if (error == ERR_SECURITYERROR)
        return phoneError(PhoneErrorKind::PinNeeded, m_settings.device);
    if (error != ERR_NONE)
        return fromGammu(error);
    switch (status) {
    case SEC_None:
        return {};
    case SEC_Pin:
        break;
    case SEC_Puk:
        return phoneError(PhoneErrorKind::PukNeeded, m_settings.device);
    default: {
        PhoneError other = phoneError(PhoneErrorKind::Other, m_settings.device);
        other.detail = u"il telefono chiede un codice di sicurezza diverso dal PIN"_s;
        return other;
    }
    }
    if (pin.isEmpty())
        return phoneError(PhoneErrorKind::PinNeeded, m_settings.device);
    GSM_SecurityCode code{};
    code.Type = SEC_Pin;
    const QByteArray digits = pin.toLatin1().left(GSM_SECURITY_CODE_LEN);
    std::memcpy(code.Code, digits.constData(), static_cast<std::size_t>(digits.size()));
    error = GSM_EnterSecurityCode(m_state, &code);
    if (error == ERR_SECURITYERROR)
        return phoneError(PhoneErrorKind::PinWrong, m_settings.device);
    return fromGammu(error);
}

PhoneError GammuLink::identify(PhoneIdentity *identity)
{
    if (m_state == nullptr)
        return phoneError(PhoneErrorKind::DeviceLost, m_settings.device);
    char text[GSM_MAX_INFO_LENGTH + 1] = {};
    GSM_Error error = GSM_GetManufacturer(m_state, text);
    if (error != ERR_NONE)
        return fromGammu(error);
    identity->manufacturer = QString::fromLatin1(text).trimmed();
    std::memset(text, 0, sizeof text);
    error = GSM_GetModel(m_state, text);
    if (error != ERR_NONE)
        return fromGammu(error);
    identity->model = QString::fromLatin1(text).trimmed();
    std::memset(text, 0, sizeof text);
    error = GSM_GetIMEI(m_state, text);
    if (error == ERR_NONE)
        identity->imei = QString::fromLatin1(text).trimmed();
    else if (error != ERR_NOTSUPPORTED && error != ERR_NOTIMPLEMENTED)
        return fromGammu(error);
    GSM_SignalQuality signal{};
    error = GSM_GetSignalQuality(m_state, &signal);
    if (error == ERR_NONE) {
        identity->signalPercent = signal.SignalPercent;
        identity->signalDbm = signal.SignalStrength;
    } else if (error != ERR_NOTSUPPORTED && error != ERR_NOTIMPLEMENTED) {
        return fromGammu(error);
    }
    GSM_NetworkInfo network{};
    if (GSM_GetNetworkInfo(m_state, &network) == ERR_NONE) {
        identity->network = fromGammuText(network.NetworkName, sizeof network.NetworkName).trimmed();
        if (identity->network.isEmpty())
            identity->network = QString::fromLatin1(network.NetworkCode).trimmed();
    }
    return {};
}

PhoneError GammuLink::loadServiceCentre()
{
    if (!m_serviceCentre.isEmpty())
        return {};
    GSM_SMSC centre{};
    centre.Location = 1;
    const GSM_Error error = GSM_GetSMSC(m_state, &centre);
    if (error == ERR_EMPTY || (error == ERR_NONE && centre.Number[0] == 0 && centre.Number[1] == 0))
        return phoneError(PhoneErrorKind::NoServiceCentre, m_settings.device);
    if (error == ERR_SECURITYERROR)
        return phoneError(PhoneErrorKind::PinNeeded, m_settings.device);
    if (error != ERR_NONE)
        return fromGammu(error);
    m_serviceCentre = QByteArray(reinterpret_cast<const char *>(centre.Number), sizeof centre.Number);
    return {};
}

// A phone that is not registered takes the message and then fails it; asking
// first gives the user the reason at once.
PhoneError GammuLink::checkNetwork()
{
    if (m_networkChecked)
        return {};
    GSM_NetworkInfo network{};
    const GSM_Error error = GSM_GetNetworkInfo(m_state, &network);
    if (error != ERR_NONE) {
        // libGammu gives up on modems that know no GPRS (they answer ERROR
        // to AT+CGREG or AT+CGATT?); their network is learnt from their
        // answer to the message instead. Only a line that stopped answering
        // ends the send here.
        const PhoneError failed = fromGammu(error);
        const bool lineFailed = failed.kind == PhoneErrorKind::Timeout ||
                                failed.kind == PhoneErrorKind::DeviceLost ||
                                failed.kind == PhoneErrorKind::Cancelled;
        m_networkChecked = !lineFailed;
        return lineFailed ? failed : PhoneError{};
    }
    switch (network.State) {
    case GSM_NoNetwork:
    case GSM_RequestingNetwork:
    case GSM_RegistrationDenied:
        return phoneError(PhoneErrorKind::NoNetwork, m_settings.device);
    default:
        m_networkChecked = true;
        return {};
    }
}

PhoneError GammuLink::refusal(int code) const
{
    switch (code) {
    case 310:
    case 313:
    case 314:
    case 315:
        return phoneError(PhoneErrorKind::SimNotReady, m_settings.device);
    case 311:
        return phoneError(PhoneErrorKind::PinNeeded, m_settings.device);
    case 316:
        return phoneError(PhoneErrorKind::PukNeeded, m_settings.device);
    case 330:
        return phoneError(PhoneErrorKind::NoServiceCentre, m_settings.device);
    case 331:
        return phoneError(PhoneErrorKind::NoNetwork, m_settings.device);
    default: {
        PhoneError error = phoneError(PhoneErrorKind::CentreRefused, m_settings.device);
        error.code = code;
        return error;
    }
    }
}

PhoneError GammuLink::sendPart(const QString &number, const SmsPart &part, int *reference)
{
    if (m_state == nullptr)
        return phoneError(PhoneErrorKind::DeviceLost, m_settings.device);
    if (PhoneError error = loadServiceCentre(); !error.ok())
        return error;
    if (PhoneError error = checkNetwork(); !error.ok())
        return error;

    auto sms = std::make_unique<GSM_SMSMessage>();
    GSM_SetDefaultSMSData(sms.get());
    sms->PDU = SMS_Submit;
    toGammuText(sms->Number, sizeof sms->Number, number);
    std::memcpy(
        sms->SMSC.Number, m_serviceCentre.constData(),
        std::min<std::size_t>(sizeof sms->SMSC.Number, static_cast<std::size_t>(m_serviceCentre.size())));
    sms->Coding = SMS_Coding_8bit;
    sms->Class = part.messageClass;
    sms->UDH.Type = part.udh.isEmpty() ? UDH_NoUDH : UDH_UserUDH;
    sms->UDH.Length = static_cast<int>(std::min<qsizetype>(part.udh.size(), GSM_MAX_UDH_LENGTH));
    std::memcpy(sms->UDH.Text, part.udh.constData(), static_cast<std::size_t>(sms->UDH.Length));
    const auto length = std::min<qsizetype>(part.data.size(), GSM_MAX_8BIT_SMS_LENGTH);
    std::memcpy(sms->Text, part.data.constData(), static_cast<std::size_t>(length));
    sms->Length = static_cast<int>(length);

    m_answered = false;
    m_answerStatus = 0;
    m_answerReference = -1;
    const GSM_Error error = GSM_SendSMS(m_state, sms.get());
    if (m_answered && m_answerStatus > 0)
        return refusal(m_answerStatus);
    if (error != ERR_NONE)
        return fromGammu(error);
    return awaitNetworkAnswer(reference);
}

PhoneError GammuLink::awaitNetworkAnswer(int *reference)
{
    QElapsedTimer waited;
    waited.start();
    while (!m_answered) {
        if (m_aborted)
            return phoneError(PhoneErrorKind::Cancelled, m_settings.device);
        if (!deviceStillThere())
            return phoneError(PhoneErrorKind::DeviceLost, m_settings.device);
        if (waited.elapsed() >= m_limits.networkAnswer.count())
            return phoneError(PhoneErrorKind::Timeout, m_settings.device);
        GSM_ReadDevice(m_state, true);
    }
    if (m_answerStatus > 0)
        return refusal(m_answerStatus);
    if (m_answerStatus < 0) {
        PhoneError other = phoneError(PhoneErrorKind::Other, m_settings.device);
        other.detail = u"il telefono ha risposto ERROR al messaggio"_s;
        return other;
    }
    if (reference != nullptr)
        *reference = m_answerReference;
    return {};
}

PhoneError GammuLink::writeRingtone(const melody::Melody &tune)
{
    if (m_state == nullptr)
        return phoneError(PhoneErrorKind::DeviceLost, m_settings.device);
    if (tune.notes.empty() || tune.notes.size() > static_cast<std::size_t>(GSM_MAX_RINGTONE_NOTES)) {
        PhoneError tooLong = phoneError(PhoneErrorKind::Other, m_settings.device);
        tooLong.detail = u"la suoneria ha %1 note, il telefono ne accetta da 1 a %2"_s.arg(tune.notes.size())
                             .arg(GSM_MAX_RINGTONE_NOTES);
        return tooLong;
    }
    auto ringtone = gammu::newRingtone();
    gammu::fillRingtone(ringtone->ringtone, tune);
    // The first place of the phone's own ringtones; libGammu's place 0 would
    // only have the phone play it and ask whether to keep it.
    ringtone->ringtone.Location = 1;
    int maxLength = 0;
    const GSM_Error error = GSM_SetRingtone(m_state, &ringtone->ringtone, &maxLength);
    return error == ERR_NONE ? PhoneError{} : fromGammu(error);
}

void GammuLink::disconnect()
{
    std::lock_guard lock(m_stateMutex);
    if (m_state == nullptr)
        return;
    if (GSM_IsConnected(m_state))
        GSM_TerminateConnection(m_state);
    GSM_FreeStateMachine(m_state);
    m_state = nullptr;
}

void GammuLink::abort()
{
    m_aborted = true;
    std::lock_guard lock(m_stateMutex);
    if (m_state != nullptr)
        GSM_AbortOperation(m_state);
}

} // namespace brivello::phone
