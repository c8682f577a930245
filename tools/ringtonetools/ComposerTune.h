#pragma once

// The melody composer of the Nokia phones, key for key: 1 to 7 enter c to b
// after the current entry, 0 a pause, both a quarter long; 8 halves and 9
// doubles the current entry; # makes the current note sharp (or plain
// again; e and b have no sharp); holding a note key dots the note; * steps
// the octave 1 -> 2 -> 3 -> 1, of the current note and of every note entered
// after it; C deletes the current entry. Composer octaves 1 to 3 are RTTTL
// octaves 5 to 7, as in the catalogue's codes. Every change can be undone.

#include "ringtones/melody/Melody.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace brivello::ringtonetools {

class ComposerTune
{
public:
    static constexpr int LowestOctave = 5; // RTTTL octave of composer octave 1
    static constexpr int HighestOctave = 7;

    // Each returns false, changing nothing, when the key does nothing there
    // (8 on a thirty-second, # on e, a dot on a pause, ...).
    bool pressNote(int key); // 1..7
    bool pressPause();       // 0
    bool shorter();          // 8
    bool longer();           // 9
    bool cycleOctave();      // *
    bool toggleSharp();      // #
    bool toggleDot();        // a note key held
    bool deleteCurrent();    // C
    bool moveLeft();
    bool moveRight();
    bool undo();
    bool canUndo() const { return !m_history.empty(); }

    // The melody the composer holds, with its name and tempo; RTTTL's
    // defaults d=4, o=6.
    melody::Melody melody() const;
    void setName(const QString &name) { m_name = name; }
    QString name() const { return m_name; }
    void setTempo(int bpm);
    int tempo() const { return m_bpm; }

    // Replaces the tune with `tune` as the composer can hold it: octaves
    // moved into its three, dotted pauses split in two. Returns what had to
    // change, one Italian sentence each. Can be undone.
    QStringList load(const melody::Melody &tune);

    // The entries as the phone's screen shows them ("8.#a3", "4-").
    QStringList screen() const;
    static QString screenEntry(const melody::Note &note);
    // The entry the next key acts on; -1 before the first.
    int current() const { return m_current; }
    bool currentIsNote() const;
    int octave() const { return m_octave; }
    int size() const { return static_cast<int>(m_notes.size()); }

private:
    struct State
    {
        std::vector<melody::Note> notes;
        int current = -1;
        int octave = 1;
    };
    void remember();
    melody::Note *currentNote();
    bool insert(const melody::Note &note);

    std::vector<melody::Note> m_notes;
    int m_current = -1;
    int m_octave = 1;
    QString m_name;
    int m_bpm = 100;
    std::vector<State> m_history;
};

} // namespace brivello::ringtonetools
