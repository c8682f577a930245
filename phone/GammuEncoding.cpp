#include "phone/GammuEncoding.h"

#include <algorithm>
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

GSM_RingNoteDuration gammuDuration(int duration)
{
    switch (duration) {
    case 1:
        return Duration_Full;
    case 2:
        return Duration_1_2;
    case 8:
        return Duration_1_8;
    case 16:
        return Duration_1_16;
    case 32:
        return Duration_1_32;
    default:
        return Duration_1_4;
    }
}

} // namespace

// Plain ASCII: libGammu converts the name with the process's locale.
QString plainName(const QString &name)
{
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    QString plain;
    for (const QChar c : decomposed) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            plain.append(c);
        else if (c.isSpace())
            plain.append(u' ');
    }
    return plain.simplified().left(GSM_MAX_RINGTONE_NAME_LENGTH).trimmed();
}

void fillRingtone(GSM_Ringtone &ringtone, const melody::Melody &tune)
{
    ringtone.Format = RING_NOTETONE;
    const QString name = plainName(tune.name);
    for (qsizetype i = 0; i < name.size(); ++i)
        ringtone.Name[2 * i + 1] = static_cast<unsigned char>(name[i].unicode());
    ringtone.NoteTone.NrCommands = static_cast<int>(tune.notes.size());
    ringtone.NoteTone.AllNotesScale = false;
    const int bpm = std::clamp(tune.bpm, melody::MinBpm, melody::MaxBpm);
    for (std::size_t i = 0; i < tune.notes.size(); ++i) {
        const melody::Note &note = tune.notes[i];
        GSM_RingCommand &command = ringtone.NoteTone.Commands[i];
        command.Type = RING_Note;
        command.Note.Note = note.isPause()
                                ? Note_Pause
                                : static_cast<GSM_RingNoteNote>((std::clamp(note.pitch, 0, 11) + 1) << 4);
        command.Note.Duration = gammuDuration(note.duration);
        command.Note.DurationSpec = note.dotted ? DottedNote : NoSpecialDuration;
        // libGammu's scales are named after the a they hold; RTTTL's octave 4
        // is Scale_440 and the two are numbered alike.
        command.Note.Scale = static_cast<GSM_RingNoteScale>(std::clamp(note.octave, 4, 7));
        command.Note.Style = NaturalStyle;
        command.Note.Tempo = bpm;
    }
}

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
