#!/usr/bin/env python3
"""Reads the ringtone files the tools write with readers that are not their
writers, and prints what they hold in one plain form, a line per note:

  midi <file>     through mido: "tempo <µs>", then "note <key> <start> <ticks>"
                  and "end <ticks>"; "nomido" and exit 3 when mido is absent
  imelody <file>  a reader of the iMelody 1.2 grammar written from the format's
                  description: "beat <bpm>", then "note <pitch> <octave>
                  <duration> <dotted>" (pitch -1 a pause, octave in RTTTL's
                  numbering: iMelody's default *4, a = 880 Hz, is RTTTL's 5)
"""
import re
import sys


def read_midi(path):
    try:
        import mido
    except ImportError:
        print("nomido")
        return 3
    song = mido.MidiFile(path)
    print("type", song.type, "tracks", len(song.tracks), "division", song.ticks_per_beat)
    now = 0
    sounding = {}
    for message in song.tracks[0]:
        now += message.time
        if message.type == "set_tempo":
            print("tempo", message.tempo)
        elif message.type == "note_on" and message.velocity > 0:
            sounding[message.note] = now
        elif message.type in ("note_off", "note_on"):
            start = sounding.pop(message.note)
            print("note", message.note, start, now - start)
    print("end", now)
    return 0


PITCHES = {"c": 0, "d": 2, "e": 4, "f": 5, "g": 7, "a": 9, "b": 11}
NOTE = re.compile(r"(\*([0-8]))?([#&]?)([a-g]|r)([0-5])([.:;]?)")


def read_imelody(path):
    with open(path, encoding="ascii", newline="") as file:
        text = file.read()
    lines = text.split("\r\n")
    if lines[0] != "BEGIN:IMELODY" or "END:IMELODY" not in lines:
        print("not an iMelody")
        return 2
    fields = dict(line.split(":", 1) for line in lines if ":" in line)
    print("beat", fields.get("BEAT", "120"))
    melody = fields["MELODY"]
    position = 0
    while position < len(melody):
        match = NOTE.match(melody, position)
        if not match:
            print("unreadable at", position, melody[position:position + 10])
            return 2
        position = match.end()
        _, octave, accidental, name, duration, specifier = match.groups()
        dotted = {"": 0, ".": 1, ":": 2, ";": 3}[specifier]
        if name == "r":
            print("note -1 - %d %d" % (1 << int(duration), dotted))
            continue
        pitch = PITCHES[name] + {"": 0, "#": 1, "&": -1}[accidental]
        # The prefix is part of the note in the grammar: it is the note's own.
        print("note %d %d %d %d" % (pitch, int(octave or 4) + 1, 1 << int(duration), dotted))
    return 0


if __name__ == "__main__":
    mode, path = sys.argv[1], sys.argv[2]
    sys.exit(read_midi(path) if mode == "midi" else read_imelody(path))
