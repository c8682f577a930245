// Fuzz target: the criteria reader and the find over a small table, checked
// against a reference written here from the description of the criteria
// language alone. The reference is slow and plain on purpose: a pattern is
// matched by trying every way its characters can take the text.
//
// The first byte chooses how the rest is read:
//  - even: a criteria string made of well-formed conditions with random
//    blanks, letter cases and field spellings; the reader must give back
//    exactly the conditions written;
//  - odd: the rest as raw text; whatever the reader accepts must read the
//    same once written out again.
// In both cases every row of the table must be found exactly when the
// reference says the criteria hold for it.

#include "data/Criteria.h"
#include "data/Table.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

using brivello::data::Criteria;
using brivello::data::CriteriaCondition;
using brivello::data::CriteriaError;
using brivello::data::Table;
using brivello::fuzz::FuzzInput;
using namespace Qt::StringLiterals;

namespace {

// Short texts keep the reference's table of partial answers small.
constexpr unsigned MaxText = 40;
constexpr unsigned MaxRows = 5;
constexpr unsigned MaxConditions = 3;

[[noreturn]] void mismatch(const char *what, const QString &criteria, const QString &detail = {})
{
    std::fprintf(stderr, "criteria mismatch: %s\n  criteria: %s\n  %s\n", what, qPrintable(criteria),
                 qPrintable(detail));
    std::abort();
}

QString fold(const QString &text)
{
    return text.toCaseFolded();
}

// The reference "like": returns nothing for a pattern the language does not
// allow (a bracket list that is empty, unclosed or holds a reversed range),
// which matches no value at all.
class ReferenceLike
{
public:
    static std::optional<bool> matches(const QString &pattern, const QString &text)
    {
        if (!wellFormed(pattern))
            return std::nullopt;
        ReferenceLike like(pattern, text);
        return like.from(0, 0);
    }

private:
    ReferenceLike(const QString &pattern, const QString &text)
        : m_pattern(pattern), m_text(text),
          m_memo(static_cast<size_t>((pattern.size() + 1) * (text.size() + 1)), -1)
    {}

    // One bracket list starting at the "[" at `open`: where its "]" is, whether
    // it is negated, the characters and ranges it holds; nothing if malformed.
    struct List
    {
        qsizetype close = 0;
        bool negated = false;
        std::vector<std::pair<char16_t, char16_t>> items;
    };
    static std::optional<List> listAt(const QString &p, qsizetype open)
    {
        List list;
        qsizetype i = open + 1;
        if (i < p.size() && p[i] == u'!') {
            list.negated = true;
            ++i;
        }
        while (i < p.size() && p[i] != u']') {
            // "x-y" is a range unless the "-" is the list's last character.
            if (i + 2 < p.size() && p[i + 1] == u'-' && p[i + 2] != u']') {
                if (p[i + 2].unicode() < p[i].unicode())
                    return std::nullopt;
                list.items.emplace_back(p[i].unicode(), p[i + 2].unicode());
                i += 3;
            } else {
                list.items.emplace_back(p[i].unicode(), p[i].unicode());
                i += 1;
            }
        }
        if (i >= p.size() || list.items.empty())
            return std::nullopt;
        list.close = i;
        return list;
    }

    static bool wellFormed(const QString &p)
    {
        for (qsizetype i = 0; i < p.size(); ++i) {
            if (p[i] != u'[')
                continue;
            const auto list = listAt(p, i);
            if (!list)
                return false;
            i = list->close;
        }
        return true;
    }

    // Does the pattern from `p` on take exactly the text from `t` on?
    bool from(qsizetype p, qsizetype t)
    {
        signed char &known = m_memo[static_cast<size_t>(p * (m_text.size() + 1) + t)];
        if (known < 0)
            known = decide(p, t) ? 1 : 0;
        return known == 1;
    }

    bool decide(qsizetype p, qsizetype t)
    {
        if (p == m_pattern.size())
            return t == m_text.size();
        const QChar c = m_pattern[p];
        if (c == u'*') {
            for (qsizetype k = t; k <= m_text.size(); ++k) {
                if (from(p + 1, k))
                    return true;
            }
            return false;
        }
        if (t == m_text.size())
            return false;
        const QChar x = m_text[t];
        if (c == u'?')
            return from(p + 1, t + 1);
        if (c == u'#')
            return x >= u'0' && x <= u'9' && from(p + 1, t + 1);
        if (c == u'[') {
            const auto list = listAt(m_pattern, p);
            bool inList = false;
            for (const auto &[low, high] : list->items)
                inList = inList || (x.unicode() >= low && x.unicode() <= high);
            return inList != list->negated && from(list->close + 1, t + 1);
        }
        return x == c && from(p + 1, t + 1);
    }

    const QString &m_pattern;
    const QString &m_text;
    std::vector<signed char> m_memo;
};

bool referenceHolds(const CriteriaCondition &condition, const QString &value)
{
    if (condition.op == CriteriaCondition::Op::Equals)
        return fold(value) == fold(condition.literal);
    return ReferenceLike::matches(fold(condition.literal), fold(value)).value_or(false);
}

// Field names as the table spells them, one with a blank (only reachable in
// brackets) and one that is a keyword of the language.
const QStringList &fieldNames()
{
    static const QStringList names{u"song"_s, u"Genre"_s, u"nome campo"_s, u"and"_s};
    return names;
}

// Texts that exercise the pattern characters, letter cases and accents.
constexpr QStringView Alphabet = u"aAbB09*?#[]!-'ÈèßẞİıΣσς xyz ";

Table tableFrom(FuzzInput &in)
{
    std::vector<QStringList> rows(1 + in.below(MaxRows));
    for (QStringList &row : rows) {
        for (qsizetype c = 0; c < fieldNames().size(); ++c)
            row.append(in.flag() ? in.textFrom(Alphabet, 12) : in.rawText(6));
    }
    return Table(u"Main"_s, fieldNames(), rows);
}

QString spelledKeyword(FuzzInput &in, QString word)
{
    for (QChar &c : word) {
        if (in.flag())
            c = c.toUpper();
    }
    return word;
}

QString blanks(FuzzInput &in, bool atLeastOne)
{
    static constexpr QStringView Blanks = u" \t\n\u00a0";
    QString text = atLeastOne ? u" "_s : QString();
    for (unsigned n = in.below(3); n > 0; --n)
        text.append(Blanks[in.below(static_cast<unsigned>(Blanks.size()))]);
    return text;
}

// Writes conditions as a program would, with the freedoms the reader allows;
// `written` gets what the reader must give back.
QString generatedCriteria(FuzzInput &in, std::vector<CriteriaCondition> &written)
{
    QString text = blanks(in, false);
    const unsigned count = 1 + in.below(MaxConditions);
    for (unsigned i = 0; i < count; ++i) {
        if (i > 0)
            text += blanks(in, true) + spelledKeyword(in, u"and"_s) + blanks(in, true);
        CriteriaCondition condition;
        const QString stored = fieldNames().at(in.below(static_cast<unsigned>(fieldNames().size())));
        condition.field = spelledKeyword(in, stored);
        const bool bracketed = stored.contains(u' ') || in.flag();
        text += bracketed ? u'[' + condition.field + u']' : condition.field;
        condition.op = in.flag() ? CriteriaCondition::Op::Like : CriteriaCondition::Op::Equals;
        if (condition.op == CriteriaCondition::Op::Like)
            text += blanks(in, true) + spelledKeyword(in, u"like"_s) + blanks(in, true);
        else
            text += blanks(in, false) + u'=' + blanks(in, false);
        condition.literal = in.flag() ? in.textFrom(Alphabet, MaxText) : in.rawText(MaxText / 2);
        text += u'\'' + brivello::data::quoteLiteral(condition.literal) + u'\'';
        written.push_back(condition);
    }
    return text + blanks(in, false);
}

QString describe(const std::vector<CriteriaCondition> &conditions)
{
    QString text;
    for (const CriteriaCondition &c : conditions)
        text += u"[%1] %2 «%3»; "_s.arg(c.field, c.op == CriteriaCondition::Op::Like ? u"like"_qs : u"="_qs,
                                        c.literal);
    return text;
}

bool sameConditions(const std::vector<CriteriaCondition> &a, const std::vector<CriteriaCondition> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].field != b[i].field || a[i].op != b[i].op || a[i].literal != b[i].literal)
            return false;
    }
    return true;
}

// The conditions written out again in one plain spelling.
QString rewritten(const std::vector<CriteriaCondition> &conditions)
{
    QStringList parts;
    for (const CriteriaCondition &c : conditions)
        parts.append(u"[%1] %2 '%3'"_s.arg(c.field,
                                           c.op == CriteriaCondition::Op::Like ? u"like"_qs : u"="_qs,
                                           brivello::data::quoteLiteral(c.literal)));
    return parts.join(u" and "_qs);
}

std::optional<std::vector<CriteriaCondition>> parsed(const QString &criteria)
{
    try {
        return brivello::data::parseCriteria(criteria);
    } catch (const CriteriaError &) {
        return std::nullopt;
    }
}

void checkFind(const QString &criteria, const std::vector<CriteriaCondition> &conditions, const Table &table)
{
    bool everyFieldKnown = true;
    for (const CriteriaCondition &c : conditions)
        everyFieldKnown = everyFieldKnown && table.column(c.field) >= 0;
    std::optional<Criteria> compiled;
    try {
        compiled = Criteria::compile(criteria, table);
    } catch (const CriteriaError &) {
    }
    if (compiled.has_value() != everyFieldKnown)
        mismatch("compile accepts a criteria string exactly when every field exists", criteria);
    if (!compiled)
        return;

    std::vector<int> expected;
    for (size_t row = 0; row < table.rowCount(); ++row) {
        bool holds = true;
        for (const CriteriaCondition &c : conditions)
            holds = holds && referenceHolds(c, table.value(row, table.column(c.field)));
        if (holds)
            expected.push_back(static_cast<int>(row));
        if (compiled->matches(table, static_cast<int>(row)) != holds)
            mismatch("row match differs from the reference", criteria,
                     u"row %1: %2"_s.arg(row).arg(table.row(row).join(u" | "_qs)));
    }
    if (compiled->findAll(table, 0) != expected)
        mismatch("findAll differs from the reference", criteria);
    const int first = expected.empty() ? -1 : expected.front();
    if (compiled->findFrom(table, 0) != first)
        mismatch("findFrom differs from the reference", criteria);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const bool raw = in.flag();
    const Table table = tableFrom(in);
    if (!raw) {
        std::vector<CriteriaCondition> written;
        const QString criteria = generatedCriteria(in, written);
        const auto read = parsed(criteria);
        if (!read || !sameConditions(*read, written))
            mismatch("well-formed criteria read differently", criteria, describe(written));
        checkFind(criteria, written, table);
        return 0;
    }
    const QString criteria = QString::fromUtf8(in.rest().left(4 * MaxText));
    const auto read = parsed(criteria);
    if (!read)
        return 0;
    const QString again = rewritten(*read);
    const auto reread = parsed(again);
    if (!reread || !sameConditions(*read, *reread))
        mismatch("accepted criteria read differently once written again", criteria, again);
    checkFind(criteria, *read, table);
    return 0;
}
