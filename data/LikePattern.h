#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <utility>
#include <vector>

namespace brivello::data {

// A "like" pattern: "*" any run of characters (none included), "?" any one
// character, "#" any one digit, "[list]" / "[a-z]" one character of the list,
// "[!list]" one character not in it; every other character stands for itself.
// Patterns are compiled from case-folded text and matched against case-folded
// values, so the comparison ignores letter case.
class LikePattern
{
public:
    // Compiles `foldedPattern`; on a malformed pattern (an unclosed or empty
    // bracket list, a reversed range) returns nothing and says why in `error`.
    static std::optional<LikePattern> compile(const QString &foldedPattern, QString *error = nullptr);

    bool matches(QStringView foldedText) const;

private:
    struct Token
    {
        enum class Kind { Literal, AnyOne, Digit, Set, Star };
        Kind kind = Kind::Literal;
        QString literal;
        std::vector<std::pair<char16_t, char16_t>> ranges;
        bool negated = false;
    };
    // The shapes searches use most are matched without walking tokens.
    enum class Shape { Exact, Prefix, Suffix, Contains, Anything, General };

    static bool matchesToken(const Token &token, QStringView text, qsizetype pos, qsizetype *advance);
    bool matchesGeneral(QStringView text) const;
    void classify();

    std::vector<Token> m_tokens;
    Shape m_shape = Shape::General;
    QString m_fixed; // the literal of the Exact/Prefix/Suffix/Contains shapes
};

} // namespace brivello::data
