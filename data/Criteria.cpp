#include "data/Criteria.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <functional>
#include <thread>

using namespace Qt::StringLiterals;

namespace brivello::data {

CriteriaError::CriteriaError(const QString &criteria, const QString &reason)
    : std::runtime_error(u"Criterio non valido (%1): %2"_s.arg(reason, criteria).toStdString()),
      m_criteria(criteria), m_reason(reason)
{}

QString quoteLiteral(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return quoted;
}

namespace {

// A hand-written scanner: the grammar is three tokens deep and the messages
// say exactly where a string went wrong.
class CriteriaParser
{
public:
    explicit CriteriaParser(const QString &text) : m_text(text) {}

    std::vector<CriteriaCondition> parse()
    {
        std::vector<CriteriaCondition> conditions;
        skipBlanks();
        if (atEnd())
            fail(u"criterio vuoto"_s);
        for (;;) {
            conditions.push_back(condition());
            skipBlanks();
            if (atEnd())
                return conditions;
            if (!keyword(u"and"))
                fail(u"atteso «and» alla posizione %1"_s.arg(m_pos + 1));
            skipBlanks();
        }
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text.at(m_pos); }
    static bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

    [[noreturn]] void fail(const QString &reason) const { throw CriteriaError(m_text, reason); }

    void skipBlanks()
    {
        while (!atEnd() && peek().isSpace())
            ++m_pos;
    }

    // A keyword in any letter case that is not the start of a longer name.
    bool keyword(QStringView word)
    {
        if (!QStringView(m_text).mid(m_pos).startsWith(word, Qt::CaseInsensitive))
            return false;
        const qsizetype end = m_pos + word.size();
        if (end < m_text.size() && isNameChar(m_text.at(end)))
            return false;
        m_pos = end;
        return true;
    }

    CriteriaCondition condition()
    {
        CriteriaCondition result;
        result.field = fieldName();
        skipBlanks();
        if (peek() == u'=') {
            ++m_pos;
            result.op = CriteriaCondition::Op::Equals;
        } else if (keyword(u"like")) {
            result.op = CriteriaCondition::Op::Like;
        } else {
            fail(u"manca l'operatore dopo il campo «%1»"_s.arg(result.field));
        }
        skipBlanks();
        result.literal = literal();
        return result;
    }

    // A bare name, or a name in square brackets that may hold blanks.
    QString fieldName()
    {
        if (peek() == u'[') {
            const qsizetype close = m_text.indexOf(u']', m_pos + 1);
            if (close < 0 || close == m_pos + 1)
                fail(u"nome di campo tra parentesi quadre non valido"_s);
            const QString name = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            return name;
        }
        const qsizetype start = m_pos;
        while (!atEnd() && isNameChar(peek()))
            ++m_pos;
        if (m_pos == start)
            fail(u"manca il nome del campo alla posizione %1"_s.arg(start + 1));
        return m_text.mid(start, m_pos - start);
    }

    // A text between single quotes, where two quotes stand for one.
    QString literal()
    {
        if (peek() != u'\'')
            fail(u"manca il testo tra apici alla posizione %1"_s.arg(m_pos + 1));
        ++m_pos;
        QString value;
        for (;;) {
            const qsizetype quote = m_text.indexOf(u'\'', m_pos);
            if (quote < 0)
                fail(u"apice non chiuso"_s);
            value += QStringView(m_text).mid(m_pos, quote - m_pos);
            m_pos = quote + 1;
            if (peek() != u'\'')
                return value;
            value += u'\'';
            ++m_pos;
        }
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

} // namespace

std::vector<CriteriaCondition> parseCriteria(const QString &criteria)
{
    return CriteriaParser(criteria).parse();
}

Criteria Criteria::compile(const QString &criteria, const Table &table)
{
    Criteria result;
    result.m_text = criteria;
    for (const CriteriaCondition &written : parseCriteria(criteria)) {
        Condition condition;
        condition.column = table.column(written.field);
        if (condition.column < 0)
            throw CriteriaError(criteria,
                                u"la tabella «%1» non ha il campo «%2»"_s.arg(table.name, written.field));
        condition.isLike = written.op == CriteriaCondition::Op::Like;
        if (condition.isLike) {
            // A pattern that cannot be used (an unclosed or empty list, a
            // reversed range) stays empty and matches no value: a search
            // typed with one ends as a search that found nothing.
            condition.pattern = LikePattern::compile(foldCase(written.literal));
        } else {
            condition.folded = foldCase(written.literal);
        }
        result.m_conditions.push_back(std::move(condition));
    }
    return result;
}

bool Criteria::conditionHolds(const Condition &condition, QStringView foldedValue)
{
    if (condition.isLike)
        return condition.pattern && condition.pattern->matches(foldedValue);
    // Both sides are folded already: equal code units mean equal texts.
    const qsizetype size = condition.folded.size();
    return foldedValue.size() == size &&
           std::memcmp(foldedValue.data(), condition.folded.constData(), size * sizeof(QChar)) == 0;
}

bool Criteria::matches(const Table &table, int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= table.rowCount())
        return false;
    for (const Condition &condition : m_conditions) {
        if (!conditionHolds(condition, table.foldedColumn(condition.column).at(static_cast<size_t>(row))))
            return false;
    }
    return true;
}

bool Criteria::holdsAt(const std::vector<const TextColumn *> &columns, size_t row) const
{
    for (size_t i = 0; i < m_conditions.size(); ++i) {
        if (!conditionHolds(m_conditions[i], columns[i]->at(row)))
            return false;
    }
    return true;
}

std::vector<const TextColumn *> Criteria::foldedColumns(const Table &table) const
{
    // Fetched once, so the scan itself takes no lock.
    std::vector<const TextColumn *> columns;
    for (const Condition &condition : m_conditions)
        columns.push_back(&table.foldedColumn(condition.column));
    return columns;
}

int Criteria::findFrom(const Table &table, int startRow) const
{
    const std::vector<const TextColumn *> columns = foldedColumns(table);
    const auto rowCount = table.rowCount();
    for (auto row = static_cast<size_t>(std::max(startRow, 0)); row < rowCount; ++row) {
        if (holdsAt(columns, row))
            return static_cast<int>(row);
    }
    return -1;
}

namespace {

// Below this many rows a second thread costs more than it saves.
constexpr size_t RowsWorthSharing = 100000;

} // namespace

std::vector<int> Criteria::findAll(const Table &table, int startRow) const
{
    const std::vector<const TextColumn *> columns = foldedColumns(table);
    const size_t first = static_cast<size_t>(std::max(startRow, 0));
    const size_t end = table.rowCount();
    auto scan = [&](size_t from, size_t to, std::vector<int> &found) {
        for (size_t row = from; row < to; ++row) {
            if (holdsAt(columns, row))
                found.push_back(static_cast<int>(row));
        }
    };
    const size_t rows = end > first ? end - first : 0;
    const size_t parts =
        rows < RowsWorthSharing ? 1 : std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 8);
    std::vector<std::vector<int>> found(parts);
    if (parts == 1) {
        scan(first, end, found[0]);
        return std::move(found[0]);
    }
    // Each part scans its own stretch of rows; the stretches are joined in
    // order, so the rows come out as a scan from the first would give them.
    std::vector<std::thread> helpers;
    const size_t share = (rows + parts - 1) / parts;
    for (size_t part = 1; part < parts; ++part) {
        const size_t from = first + part * share;
        helpers.emplace_back(scan, std::min(from, end), std::min(from + share, end), std::ref(found[part]));
    }
    scan(first, std::min(first + share, end), found[0]);
    for (std::thread &helper : helpers)
        helper.join();
    std::vector<int> all = std::move(found[0]);
    for (size_t part = 1; part < parts; ++part)
        all.insert(all.end(), found[part].begin(), found[part].end());
    return all;
}

} // namespace brivello::data
