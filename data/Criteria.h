#pragma once

#include "data/LikePattern.h"
#include "data/Table.h"

#include <QString>

#include <stdexcept>
#include <vector>

namespace brivello::data {

// Thrown for a criteria string that cannot be read: a lone quote, a missing
// operator, an unknown field. Such a string never matches everything by
// accident. A "like" pattern that cannot be used is no error: it matches
// nothing.
class CriteriaError : public std::runtime_error
{
public:
    CriteriaError(const QString &criteria, const QString &reason);

    QString criteria() const { return m_criteria; }
    QString reason() const { return m_reason; }

private:
    QString m_criteria;
    QString m_reason;
};

// Doubles every single quote, so that a typed text or a stored value can be
// put between quotes in a criteria string: D'Alessio becomes D''Alessio.
QString quoteLiteral(const QString &text);

// One condition as written: field, operator and the literal with its doubled
// quotes already undone.
struct CriteriaCondition
{
    enum class Op { Equals, Like };
    QString field;
    Op op = Op::Equals;
    QString literal;
};

// Reads "field = 'text'" and "field like 'pattern'" conditions joined by
// "and" (keywords in any letter case, blanks where one likes). Throws
// CriteriaError when the string cannot be read.
std::vector<CriteriaCondition> parseCriteria(const QString &criteria);

// A criteria string compiled against the columns of one table, ready to test
// its rows. Comparisons ignore letter case, accented letters included.
class Criteria
{
public:
    // Throws CriteriaError, also for a field the table does not have.
    static Criteria compile(const QString &criteria, const Table &table);

    const QString &text() const { return m_text; }

    bool matches(const Table &table, int row) const;
    // The first row from `startRow` on that satisfies the criteria, or -1.
    int findFrom(const Table &table, int startRow) const;
    // Every row from `startRow` on that satisfies the criteria, in stored
    // order: what findFrom gives one after another. A long table is scanned
    // in parts side by side.
    std::vector<int> findAll(const Table &table, int startRow) const;

private:
    struct Condition
    {
        int column = -1;
        bool isLike = false;
        QString folded;                     // the literal of "="
        std::optional<LikePattern> pattern; // the pattern of "like"; none when unusable
    };

    static bool conditionHolds(const Condition &condition, QStringView foldedValue);
    std::vector<const TextColumn *> foldedColumns(const Table &table) const;
    bool holdsAt(const std::vector<const TextColumn *> &columns, size_t row) const;

    QString m_text;
    std::vector<Condition> m_conditions;
};

} // namespace brivello::data
