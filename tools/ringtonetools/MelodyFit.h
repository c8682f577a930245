#pragma once

// How a melody fits each phone model of the limits table: how many entries it
// takes there, whether it must change to be entered and how, and which of the
// phone's limits nobody knows. The converter shows one row per model and one
// column per FitColumn, so a new check is one more column.

#include "ringtones/melody/Melody.h"
#include "tools/ringtonetools/PhoneLimits.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace brivello::ringtonetools {

struct PhoneFit
{
    enum class Verdict { Fits, FitsWithChanges, TooLong, Unknown };

    int entries = 0;    // notes and pauses the melody takes on the phone
    int characters = 0; // characters of its code, blanks left out
    Verdict verdict = Verdict::Unknown;
    QStringList changes; // what has to change, one sentence each
    QStringList unknown; // the limits nobody knows, by name
};

// The phone's code of the melody, one of the five the catalogue shows.
QString phoneCode(const melody::Melody &tune, const QString &code);

PhoneFit fitOnPhone(const melody::Melody &tune, const PhoneModel &model);

QString verdictText(PhoneFit::Verdict verdict);

// How many Smart Messaging SMS the melody takes ("1 SMS", "3 SMS
// concatenati"), and how many of its notes they carry when not all.
QString smsCell(const melody::Melody &tune);

// One column of the fit table: its heading and the text of its cell for one
// model, with the figure sources or anything else worth a tooltip.
struct FitColumn
{
    QString heading;
    std::function<QString(const melody::Melody &, const PhoneModel &)> cell;
    std::function<QString(const melody::Melody &, const PhoneModel &)> tooltip;
};

// The columns the converter shows today.
std::vector<FitColumn> fitColumns();

} // namespace brivello::ringtonetools
