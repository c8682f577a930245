#pragma once

// The bridge between our messages and libGammu's multipart encoder, shared by
// every Smart Messaging encoder of this library (ringtones now; operator
// logos, group graphics and picture messages fill their own entry the same
// way). Internal to the phone library: it names libGammu's types.

#include "phone/SmartMessage.h"
#include "ringtones/melody/Melody.h"

#include <gammu.h>

#include <memory>

namespace brivello::phone::gammu {

// libGammu's message structures are large (tens of kilobytes); they live on
// the heap, zeroed as libGammu expects.
struct MultiPartInfo
{
    GSM_MultiPartSMSInfo info;
};
std::unique_ptr<MultiPartInfo> newMultiPartInfo();

struct RingtoneBox
{
    GSM_Ringtone ringtone;
};
std::unique_ptr<RingtoneBox> newRingtone();

// The name in plain ASCII, at most as long as a GSM_Ringtone's name: libGammu
// converts names with the process's locale.
QString plainName(const QString &name);
// A GSM_Ringtone of notes (RING_NOTETONE) filled from the melody, note for
// note, as libGammu's ringtone writers and phone drivers take it.
void fillRingtone(GSM_Ringtone &ringtone, const melody::Melody &tune);

// Runs GSM_EncodeMultiPartSMS on `info` and returns its parts as bytes, all
// addressed to `port`. libGammu numbers concatenated parts with a reference
// taken from the clock; it is replaced by referenceFor(payload) so the same
// content always gives the same bytes. An empty result means libGammu refused.
SmartMessage encodeMultiPart(GSM_MultiPartSMSInfo &info, SmartPort port);

} // namespace brivello::phone::gammu
