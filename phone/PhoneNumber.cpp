#include "phone/PhoneNumber.h"

using namespace Qt::StringLiterals;

namespace brivello::phone {

namespace {

constexpr int MinDigits = 7;  // country code and the shortest subscriber numbers
constexpr int MaxDigits = 15; // the longest international number

bool isSeparator(QChar c)
{
    return c.isSpace() || c == u'.' || c == u'-' || c == u'/' || c == u'(' || c == u')';
}

QString firstOffending(const QString &number)
{
    for (const QChar c : number) {
        if (!c.isDigit() && !isSeparator(c) && c != u'+')
            return c;
    }
    return {};
}

} // namespace

QString typedFromHandedOver(const QString &handedOver)
{
    const QString prefix = u"0039"_s;
    const QString trimmed = handedOver.trimmed();
    if (!trimmed.startsWith(prefix))
        return trimmed;
    const QString rest = trimmed.mid(prefix.size()).trimmed();
    // The window took one 0 away: a rest that still starts with 0 or with
    // "+" was typed with its own international prefix.
    if (rest.startsWith(u'+'))
        return rest;
    if (rest.startsWith(u'0'))
        return u'0' + rest;
    return u"+39"_s + rest;
}

NumberCheck checkNumber(const QString &typed)
{
    NumberCheck check;
    const QString number = typed.trimmed();
    if (number.isEmpty()) {
        check.problem = u"Manca il numero del destinatario."_s;
        return check;
    }
    const QString offending = firstOffending(number);
    if (!offending.isEmpty()) {
        check.problem = offending.front().isLetter()
                            ? u"Il numero contiene la lettera «%1»: un numero di telefono ha "
                              "solo cifre."_s.arg(offending)
                            : u"Il numero contiene il segno «%1»: un numero di telefono ha solo "
                              "cifre, con un «+» davanti."_s.arg(offending);
        return check;
    }
    QString compact = number;
    compact.removeIf(isSeparator);
    if (compact.lastIndexOf(u'+') > 0) {
        check.problem = u"Il «+» va soltanto davanti al numero."_s;
        return check;
    }
    QString digits;
    for (const QChar c : number) {
        if (c.isDigit())
            digits.append(QChar(u'0' + c.digitValue()));
    }
    if (compact.startsWith(u'+'))
        ; // already international
    else if (digits.startsWith(u"00"_s))
        digits = digits.mid(2);
    else
        digits.prepend(u"39"_s);
    if (digits.startsWith(u'0')) {
        check.problem = u"Il prefisso internazionale non può cominciare con 0."_s;
        return check;
    }
    if (digits.size() < MinDigits) {
        check.problem = u"Il numero è troppo corto (%1 cifre con il prefisso "
                        "internazionale, ne servono almeno %2)."_s.arg(digits.size())
                            .arg(MinDigits);
        return check;
    }
    if (digits.size() > MaxDigits) {
        check.problem = u"Il numero è troppo lungo (%1 cifre con il prefisso "
                        "internazionale, al massimo %2)."_s.arg(digits.size())
                            .arg(MaxDigits);
        return check;
    }
    check.international = u'+' + digits;
    return check;
}

} // namespace brivello::phone
