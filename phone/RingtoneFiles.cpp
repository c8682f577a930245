#include "phone/RingtoneFiles.h"

#include "phone/GammuEncoding.h"
#include "phone/RingtoneMessage.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace Qt::StringLiterals;

namespace brivello::phone {

namespace {

using melody::Melody;
using melody::Note;

// What a libGammu writer puts in a FILE, caught in memory.
template <typename Writer> QByteArray captured(Writer write)
{
    char *buffer = nullptr;
    std::size_t size = 0;
    FILE *stream = open_memstream(&buffer, &size);
    if (stream == nullptr)
        return {};
    const bool ok = write(stream) == ERR_NONE;
    std::fclose(stream);
    QByteArray bytes = ok ? QByteArray(buffer, static_cast<qsizetype>(size)) : QByteArray();
    std::free(buffer);
    return bytes;
}

void appendBigEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

void appendVariableLength(QByteArray &out, quint32 value)
{
    QByteArray reversed;
    reversed.append(static_cast<char>(value & 0x7F));
    while ((value >>= 7) != 0)
        reversed.append(static_cast<char>((value & 0x7F) | 0x80));
    std::reverse(reversed.begin(), reversed.end());
    out.append(reversed);
}

int noteTicks(const Note &note)
{
    const int plain = 4 * MidiTicksPerQuarter / std::max(note.duration, 1);
    return note.dotted ? plain * 3 / 2 : plain;
}

QByteArray midiTrack(const Melody &tune)
{
    QByteArray track;
    const QByteArray name = gammu::plainName(tune.name).toLatin1();
    if (!name.isEmpty()) {
        appendVariableLength(track, 0);
        track.append("\xFF\x03", 2);
        appendVariableLength(track, static_cast<quint32>(name.size()));
        track.append(name);
    }
    const int bpm = std::clamp(tune.bpm, melody::MinBpm, melody::MaxBpm);
    appendVariableLength(track, 0);
    track.append("\xFF\x51\x03", 3);
    appendBigEndian(track, static_cast<quint32>(60'000'000 / bpm), 3);
    constexpr char Velocity = 100;
    quint32 rest = 0;
    for (const Note &note : tune.notes) {
        const int ticks = noteTicks(note);
        if (note.isPause()) {
            rest += static_cast<quint32>(ticks);
            continue;
        }
        const char key = static_cast<char>(std::clamp(midiNote(note), 0, 127));
        appendVariableLength(track, rest);
        track.append('\x90').append(key).append(Velocity);
        appendVariableLength(track, static_cast<quint32>(ticks));
        track.append('\x80').append(key).append('\0');
        rest = 0;
    }
    // A closing pause still counts: the track ends when it does.
    appendVariableLength(track, rest);
    track.append("\xFF\x2F\x00", 3);
    return track;
}

} // namespace

int midiNote(const Note &note)
{
    return 12 * (note.octave + 1) + note.pitch;
}

RingtoneFile smartMessagingFile(const Melody &tune)
{
    const RingtoneMessage message = encodeRingtone(tune);
    if (!message.ok())
        return {{}, message.error};
    return {message.message.payload(), {}};
}

RingtoneFile iMelodyFile(const Melody &tune)
{
    if (tune.notes.empty())
        return {{}, u"La melodia non ha note."_s};
    if (tune.notes.size() > static_cast<std::size_t>(MaxIMelodyNotes))
        return {{},
                u"La melodia ha %1 note: un file iMelody ne porta al massimo %2."_s.arg(tune.notes.size())
                    .arg(MaxIMelodyNotes)};
    auto ringtone = gammu::newRingtone();
    gammu::fillRingtone(ringtone->ringtone, tune);
    QByteArray bytes =
        captured([&](FILE *file) { return GSM_SaveRingtoneIMelody(file, &ringtone->ringtone); });
    if (bytes.isEmpty())
        return {{}, u"libGammu non ha potuto scrivere la melodia come iMelody."_s};
    return {bytes, {}};
}

RingtoneFile midiFile(const Melody &tune)
{
    if (tune.notes.empty())
        return {{}, u"La melodia non ha note."_s};
    const QByteArray track = midiTrack(tune);
    QByteArray file("MThd", 4);
    appendBigEndian(file, 6, 4);
    appendBigEndian(file, 0, 2); // type 0: one track
    appendBigEndian(file, 1, 2);
    appendBigEndian(file, MidiTicksPerQuarter, 2);
    file.append("MTrk", 4);
    appendBigEndian(file, static_cast<quint32>(track.size()), 4);
    file.append(track);
    return {file, {}};
}

} // namespace brivello::phone
