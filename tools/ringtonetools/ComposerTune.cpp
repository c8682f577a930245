#include "tools/ringtonetools/ComposerTune.h"

#include "ringtones/melody/MelodyInternal.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brivello::ringtonetools {

namespace {

constexpr int PauseOctave = 6; // what the RTTTL reader gives a pause under o=6
constexpr std::size_t HistoryDepth = 500;

} // namespace

void ComposerTune::remember()
{
    m_history.push_back({m_notes, m_current, m_octave});
    if (m_history.size() > HistoryDepth)
        m_history.erase(m_history.begin());
}

bool ComposerTune::undo()
{
    if (m_history.empty())
        return false;
    State &last = m_history.back();
    m_notes = std::move(last.notes);
    m_current = last.current;
    m_octave = last.octave;
    m_history.pop_back();
    return true;
}

melody::Note *ComposerTune::currentNote()
{
    if (m_current < 0 || m_current >= size())
        return nullptr;
    return &m_notes[static_cast<std::size_t>(m_current)];
}

bool ComposerTune::currentIsNote() const
{
    return m_current >= 0 && m_current < size() && !m_notes[static_cast<std::size_t>(m_current)].isPause();
}

bool ComposerTune::insert(const melody::Note &note)
{
    if (size() >= melody::MaxNotes)
        return false;
    remember();
    m_notes.insert(m_notes.begin() + (m_current + 1), note);
    ++m_current;
    return true;
}

bool ComposerTune::pressNote(int key)
{
    static constexpr int pitches[] = {0, 2, 4, 5, 7, 9, 11}; // c d e f g a b
    if (key < 1 || key > 7)
        return false;
    melody::Note note;
    note.duration = 4;
    note.pitch = pitches[key - 1];
    note.octave = LowestOctave + m_octave - 1;
    return insert(note);
}

bool ComposerTune::pressPause()
{
    melody::Note pause;
    pause.duration = 4;
    pause.pitch = -1;
    pause.octave = PauseOctave;
    return insert(pause);
}

bool ComposerTune::shorter()
{
    const melody::Note *note = currentNote();
    if (!note || note->duration >= 32)
        return false;
    remember();
    currentNote()->duration *= 2;
    return true;
}

bool ComposerTune::longer()
{
    const melody::Note *note = currentNote();
    if (!note || note->duration <= 1)
        return false;
    remember();
    currentNote()->duration /= 2;
    return true;
}

bool ComposerTune::cycleOctave()
{
    remember();
    m_octave = m_octave % 3 + 1;
    melody::Note *note = currentNote();
    if (note && !note->isPause())
        note->octave = LowestOctave + m_octave - 1;
    return true;
}

bool ComposerTune::toggleSharp()
{
    const melody::Note *note = currentNote();
    if (!note || note->isPause())
        return false;
    const int pitch = note->pitch;
    if (melody::detail::isSharp(pitch)) {
        remember();
        currentNote()->pitch = pitch - 1;
        return true;
    }
    // e and b have no sharp on the composer.
    if (pitch == 4 || pitch == 11)
        return false;
    remember();
    currentNote()->pitch = pitch + 1;
    return true;
}

bool ComposerTune::toggleDot()
{
    const melody::Note *note = currentNote();
    if (!note || note->isPause())
        return false;
    remember();
    currentNote()->dotted = !note->dotted;
    return true;
}

bool ComposerTune::deleteCurrent()
{
    if (!currentNote())
        return false;
    remember();
    m_notes.erase(m_notes.begin() + m_current);
    --m_current;
    return true;
}

bool ComposerTune::moveLeft()
{
    if (m_current < 0)
        return false;
    --m_current;
    return true;
}

bool ComposerTune::moveRight()
{
    if (m_current + 1 >= size())
        return false;
    ++m_current;
    return true;
}

void ComposerTune::setTempo(int bpm)
{
    m_bpm = std::clamp(bpm, melody::MinBpm, melody::MaxBpm);
}

melody::Melody ComposerTune::melody() const
{
    melody::Melody tune;
    tune.name = m_name;
    tune.defaultDuration = 4;
    tune.defaultOctave = 6;
    tune.bpm = m_bpm;
    tune.notes = m_notes;
    return tune;
}

QStringList ComposerTune::load(const melody::Melody &tune)
{
    QStringList changes;
    const std::vector<int> octaves = melody::detail::fittedOctaves(tune, LowestOctave, HighestOctave);
    std::vector<melody::Note> notes;
    int moved = 0;
    int split = 0;
    for (std::size_t i = 0; i < tune.notes.size() && notes.size() < std::size_t(melody::MaxNotes); ++i) {
        melody::Note note = melody::detail::sanitized(tune.notes[i]);
        if (note.isPause()) {
            note.octave = PauseOctave;
            // The composer dots only notes: a dotted pause is the pause and
            // one of half its length, as the catalogue's code writes it.
            if (note.dotted && note.duration < 32) {
                note.dotted = false;
                notes.push_back(note);
                note.duration *= 2;
                ++split;
            } else {
                note.dotted = false;
            }
            notes.push_back(note);
            continue;
        }
        if (octaves[i] != note.octave)
            ++moved;
        note.octave = octaves[i];
        notes.push_back(note);
    }
    if (moved > 0)
        changes.append(u"%1 di ottava: il compositore ha solo tre ottave."_s.arg(
            moved == 1 ? u"1 nota spostata"_s : u"%1 note spostate"_s.arg(moved)));
    if (split > 0)
        changes.append(u"%1: il compositore non ha pause puntate."_s.arg(
            split == 1 ? u"1 pausa puntata divisa in due"_s
                       : u"%1 pause puntate divise in due"_s.arg(split)));
    remember();
    m_notes = std::move(notes);
    m_current = size() - 1;
    const melody::Note *last = currentNote();
    m_octave = last && !last->isPause() ? last->octave - LowestOctave + 1 : 1;
    m_name = tune.name;
    setTempo(tune.bpm);
    return changes;
}

QString ComposerTune::screenEntry(const melody::Note &raw)
{
    const melody::Note note = melody::detail::sanitized(raw);
    QString entry = QString::number(note.duration);
    if (note.isPause())
        return entry + u'-';
    if (note.dotted)
        entry += u'.';
    if (melody::detail::isSharp(note.pitch))
        entry += u'#';
    entry += melody::detail::pitchLetter(note.pitch);
    entry += QString::number(std::clamp(note.octave, LowestOctave, HighestOctave) - LowestOctave + 1);
    return entry;
}

QStringList ComposerTune::screen() const
{
    QStringList entries;
    for (const melody::Note &note : m_notes)
        entries.append(screenEntry(note));
    return entries;
}

} // namespace brivello::ringtonetools
