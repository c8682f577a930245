#pragma once

// What each phone model can hold of a melody, as the limits table compiled
// into the tools (data/limiti-telefoni.tsv) gives it: every figure with the
// source it comes from, and a figure no source gives stays unknown.

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace brivello::ringtonetools {

// One figure of the table: a value, or none when it does not apply to the
// phone ("-") or is not known ("?").
template <typename T> struct Figure
{
    enum class State { Known, Unknown, NotApplicable };
    State state = State::Unknown;
    T value{};
    QString source;

    bool known() const { return state == State::Known; }
    bool unknown() const { return state == State::Unknown; }
};

struct OctaveRange
{
    int lowest = 0;
    int highest = 0;
};

struct PhoneModel
{
    QString name;
    // Which of the catalogue's codes the phone is entered with: nokia_scherm,
    // siemens, ericsson or motorola.
    QString code;
    Figure<int> maxNotes;
    Figure<int> maxCharacters;
    Figure<QList<int>> durations; // RTTTL dividers
    Figure<QList<int>> lengthsMs; // fixed lengths, for phones without a tempo
    Figure<OctaveRange> octaves;  // RTTTL numbering
    Figure<bool> dottedNotes;
    Figure<bool> dottedPauses;
};

struct PhoneLimitsTable
{
    std::vector<PhoneModel> models;
    // Lines the reader could not take, each with its number; empty for a
    // sound table.
    QStringList problems;
};

// Reads a table in the format of data/limiti-telefoni.tsv.
PhoneLimitsTable parsePhoneLimits(const QString &text);

// The table compiled into the tools.
const PhoneLimitsTable &phoneLimits();

} // namespace brivello::ringtonetools
