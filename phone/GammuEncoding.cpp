#include "phone/GammuEncoding.h"

#include <cstring>

namespace brivello::phone::gammu {

namespace {

// The reference byte's place in a concatenation header: libGammu keeps it in
// the header's fields and writes the bytes again from them.
void setReference(GSM_UDHHeader &udh, std::uint8_t reference)
{
    udh.ID8bit = reference;
    udh.ID16bit = reference;
    GSM_EncodeUDHHeader(nullptr, &udh);
}

} // namespace

std::unique_ptr<MultiPartInfo> newMultiPartInfo()
{
    auto box = std::make_unique<MultiPartInfo>();
    std::memset(&box->info, 0, sizeof box->info);
    GSM_ClearMultiPartSMSInfo(&box->info);
    return box;
}

std::unique_ptr<RingtoneBox> newRingtone()
{
    auto box = std::make_unique<RingtoneBox>();
    std::memset(&box->ringtone, 0, sizeof box->ringtone);
    box->ringtone.Format = RING_NOTETONE;
    return box;
}

SmartMessage encodeMultiPart(GSM_MultiPartSMSInfo &info, SmartPort port)
{
    auto sms = std::make_unique<GSM_MultiSMSMessage>();
    std::memset(sms.get(), 0, sizeof *sms);
    SmartMessage message;
    message.port = port;
    if (GSM_EncodeMultiPartSMS(nullptr, &info, sms.get()) != ERR_NONE || sms->Number <= 0)
        return message;

    QByteArray payload;
    for (int i = 0; i < sms->Number; ++i)
        payload.append(reinterpret_cast<const char *>(sms->SMS[i].Text), sms->SMS[i].Length);
    message.reference = referenceFor(payload);
    for (int i = 0; i < sms->Number; ++i) {
        GSM_SMSMessage &one = sms->SMS[i];
        if (sms->Number > 1)
            setReference(one.UDH, message.reference);
        SmsPart part;
        part.udh = QByteArray(reinterpret_cast<const char *>(one.UDH.Text), one.UDH.Length);
        part.data = QByteArray(reinterpret_cast<const char *>(one.Text), one.Length);
        part.messageClass = one.Class;
        message.parts.push_back(part);
    }
    return message;
}

} // namespace brivello::phone::gammu
