#include "data/LikePattern.h"

#include <cstring>
#include <string_view>

using namespace Qt::StringLiterals;

namespace brivello::data {

namespace {

// Reads the list of a bracket expression starting after "[" at `pos`; leaves
// `pos` after the closing "]". A "-" first or last in the list stands for itself.
bool readSet(const QString &pattern, qsizetype &pos, std::vector<std::pair<char16_t, char16_t>> &ranges,
             bool &negated, QString *error)
{
    negated = false;
    if (pos < pattern.size() && pattern.at(pos) == u'!') {
        negated = true;
        ++pos;
    }
    const qsizetype listStart = pos;
    while (pos < pattern.size() && pattern.at(pos) != u']') {
        const char16_t first = pattern.at(pos).unicode();
        const bool isRange =
            pos + 2 < pattern.size() && pattern.at(pos + 1) == u'-' && pattern.at(pos + 2) != u']';
        if (isRange) {
            const char16_t last = pattern.at(pos + 2).unicode();
            if (last < first) {
                if (error)
                    *error = u"intervallo rovesciato nella lista tra parentesi quadre"_s;
                return false;
            }
            ranges.emplace_back(first, last);
            pos += 3;
        } else {
            ranges.emplace_back(first, first);
            ++pos;
        }
    }
    if (pos >= pattern.size()) {
        if (error)
            *error = u"parentesi quadra non chiusa"_s;
        return false;
    }
    if (pos == listStart) {
        if (error)
            *error = u"lista tra parentesi quadre vuota"_s;
        return false;
    }
    ++pos; // the "]"
    return true;
}

} // namespace

std::optional<LikePattern> LikePattern::compile(const QString &foldedPattern, QString *error)
{
    LikePattern result;
    auto &tokens = result.m_tokens;
    qsizetype pos = 0;
    while (pos < foldedPattern.size()) {
        const QChar c = foldedPattern.at(pos);
        Token token;
        if (c == u'*') {
            ++pos;
            if (!tokens.empty() && tokens.back().kind == Token::Kind::Star)
                continue;
            token.kind = Token::Kind::Star;
        } else if (c == u'?') {
            ++pos;
            token.kind = Token::Kind::AnyOne;
        } else if (c == u'#') {
            ++pos;
            token.kind = Token::Kind::Digit;
        } else if (c == u'[') {
            ++pos;
            token.kind = Token::Kind::Set;
            if (!readSet(foldedPattern, pos, token.ranges, token.negated, error))
                return std::nullopt;
        } else {
            ++pos;
            if (!tokens.empty() && tokens.back().kind == Token::Kind::Literal) {
                tokens.back().literal.append(c);
                continue;
            }
            token.kind = Token::Kind::Literal;
            token.literal = QString(c);
        }
        tokens.push_back(std::move(token));
    }
    result.classify();
    return result;
}

void LikePattern::classify()
{
    using K = Token::Kind;
    const auto kinds = [this](std::initializer_list<K> wanted) {
        if (m_tokens.size() != wanted.size())
            return false;
        size_t i = 0;
        for (K kind : wanted) {
            if (m_tokens[i++].kind != kind)
                return false;
        }
        return true;
    };
    m_shape = Shape::General;
    if (m_tokens.empty()) {
        m_shape = Shape::Exact;
    } else if (kinds({K::Literal})) {
        m_shape = Shape::Exact;
        m_fixed = m_tokens[0].literal;
    } else if (kinds({K::Star})) {
        m_shape = Shape::Anything;
    } else if (kinds({K::Literal, K::Star})) {
        m_shape = Shape::Prefix;
        m_fixed = m_tokens[0].literal;
    } else if (kinds({K::Star, K::Literal})) {
        m_shape = Shape::Suffix;
        m_fixed = m_tokens[1].literal;
    } else if (kinds({K::Star, K::Literal, K::Star})) {
        m_shape = Shape::Contains;
        m_fixed = m_tokens[1].literal;
    }
}

namespace {

// Plain code-unit comparisons: the values are folded already, so no case
// handling is needed, and memcmp beats the general string comparison.
bool sameUnits(const QChar *a, const QChar *b, qsizetype count)
{
    return std::memcmp(a, b, static_cast<size_t>(count) * sizeof(QChar)) == 0;
}

std::u16string_view units(QStringView text)
{
    return {text.utf16(), static_cast<size_t>(text.size())};
}

} // namespace

bool LikePattern::matches(QStringView text) const
{
    const qsizetype size = m_fixed.size();
    switch (m_shape) {
    case Shape::Exact:
        return text.size() == size && sameUnits(text.data(), m_fixed.data(), size);
    case Shape::Prefix:
        return text.size() >= size && sameUnits(text.data(), m_fixed.data(), size);
    case Shape::Suffix:
        return text.size() >= size && sameUnits(text.data() + text.size() - size, m_fixed.data(), size);
    case Shape::Contains:
        return units(text).find(units(m_fixed)) != std::u16string_view::npos;
    case Shape::Anything:
        return true;
    case Shape::General:
        break;
    }
    return matchesGeneral(text);
}

bool LikePattern::matchesToken(const Token &token, QStringView text, qsizetype pos, qsizetype *advance)
{
    *advance = 1;
    switch (token.kind) {
    case Token::Kind::Literal:
        *advance = token.literal.size();
        return text.mid(pos).startsWith(token.literal);
    case Token::Kind::AnyOne:
        return pos < text.size();
    case Token::Kind::Digit:
        return pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9';
    case Token::Kind::Set: {
        if (pos >= text.size())
            return false;
        const char16_t c = text[pos].unicode();
        bool inList = false;
        for (const auto &[first, last] : token.ranges) {
            if (c >= first && c <= last) {
                inList = true;
                break;
            }
        }
        return inList != token.negated;
    }
    case Token::Kind::Star:
        break;
    }
    return false;
}

// Walks the tokens; on a mismatch it lets the last "*" swallow one more
// character and tries again, which needs no recursion.
bool LikePattern::matchesGeneral(QStringView text) const
{
    const size_t count = m_tokens.size();
    size_t t = 0;
    qsizetype pos = 0;
    size_t starToken = count; // none yet
    qsizetype starPos = 0;
    while (pos < text.size() || t < count) {
        if (t < count) {
            const Token &token = m_tokens[t];
            if (token.kind == Token::Kind::Star) {
                starToken = t++;
                starPos = pos;
                continue;
            }
            qsizetype advance = 0;
            if (matchesToken(token, text, pos, &advance)) {
                pos += advance;
                ++t;
                continue;
            }
        }
        if (starToken < count && starPos < text.size()) {
            pos = ++starPos;
            t = starToken + 1;
            continue;
        }
        return false;
    }
    return true;
}

} // namespace brivello::data
