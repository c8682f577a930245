#pragma once

// Phone numbers as people type them ("0039 333 123 4567", "+39 333-1234567")
// and the international form an SMS goes to ("+393331234567").

#include <QString>

namespace brivello::phone {

struct NumberCheck
{
    QString international; // "+" and digits; empty when the number is refused
    QString problem;       // why it is refused, one plain Italian sentence
    bool ok() const { return problem.isEmpty(); }
};

// Blanks, dots, dashes, slashes and brackets between the digits are
// dropped; "00" before the country code becomes "+". A number without
// either is taken as Italian. Refused: letters or other signs, a "+" that
// is not in front, too few or too many digits (an international number has
// at most 15).
NumberCheck checkNumber(const QString &typed);

// The number the ringtone window hands over is "0039" in front of what the
// user typed, less one leading 0. This undoes that: "0039+44…" and
// "0039044…" were typed as international numbers ("+44…", "0044…").
QString typedFromHandedOver(const QString &handedOver);

} // namespace brivello::phone
