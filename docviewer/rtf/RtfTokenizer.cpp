#include "docviewer/rtf/RtfTokenizer.h"

#include <limits>

namespace brivello::rtf {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool endsText(char c)
{
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
}

} // namespace

Token Tokenizer::next()
{
    while (m_pos < m_data.size()) {
        const char c = m_data[m_pos];
        if (c == '\r' || c == '\n') {
            ++m_pos;
            continue;
        }
        if (c == '{') {
            ++m_pos;
            return Token{Token::Kind::GroupOpen, {}, false, 0, 0};
        }
        if (c == '}') {
            ++m_pos;
            return Token{Token::Kind::GroupClose, {}, false, 0, 0};
        }
        if (c == '\\')
            return readControl();
        return readText();
    }
    return Token{};
}

qsizetype Tokenizer::skipBinary(qint64 count)
{
    if (count <= 0)
        return 0;
    const qsizetype available = m_data.size() - m_pos;
    const qsizetype skipped = count < available ? qsizetype(count) : available;
    m_pos += skipped;
    return skipped;
}

Token Tokenizer::readControl()
{
    ++m_pos; // the backslash
    if (m_pos >= m_data.size())
        return Token{};
    const char c = m_data[m_pos];
    if (isLetter(c))
        return readControlWord();
    if (c == '\'')
        return readHex();
    ++m_pos;
    // A backslash before a line end is an old way of writing \par.
    if (c == '\r' || c == '\n')
        return Token{Token::Kind::ControlWord, QByteArrayView("par"), false, 0, 0};
    return Token{Token::Kind::ControlSymbol, m_data.sliced(m_pos - 1, 1), false, 0, 0};
}

Token Tokenizer::readControlWord()
{
    const qsizetype start = m_pos;
    while (m_pos < m_data.size() && isLetter(m_data[m_pos]))
        ++m_pos;
    const qsizetype length = std::min<qsizetype>(m_pos - start, kMaxWordLength);
    Token token{Token::Kind::ControlWord, m_data.sliced(start, length), false, 0, 0};
    token.parameter = readParameter(&token.hasParameter);
    if (m_pos < m_data.size() && m_data[m_pos] == ' ')
        ++m_pos;
    return token;
}

int Tokenizer::readParameter(bool *present)
{
    *present = false;
    bool negative = false;
    qsizetype pos = m_pos;
    if (pos < m_data.size() && m_data[pos] == '-') {
        negative = true;
        ++pos;
    }
    if (pos >= m_data.size() || !isDigit(m_data[pos]))
        return 0;
    *present = true;
    // Digits go on being read past the largest int so that they do not turn
    // into text, but the value stops growing there.
    constexpr qint64 kLimit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 value = 0;
    while (pos < m_data.size() && isDigit(m_data[pos])) {
        if (value < kLimit)
            value = value * 10 + (m_data[pos] - '0');
        ++pos;
    }
    m_pos = pos;
    if (negative)
        return value >= kLimit ? std::numeric_limits<int>::min() : int(-value);
    return value > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : int(value);
}

Token Tokenizer::readHex()
{
    ++m_pos; // the quote
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        const int digit = m_pos < m_data.size() ? hexValue(m_data[m_pos]) : -1;
        if (digit < 0)
            break;
        value = value * 16 + digit;
        ++m_pos;
    }
    Token token{Token::Kind::HexByte, {}, false, 0, 0};
    token.byte = static_cast<unsigned char>(value);
    return token;
}

Token Tokenizer::readText()
{
    const qsizetype start = m_pos;
    while (m_pos < m_data.size() && !endsText(m_data[m_pos]))
        ++m_pos;
    return Token{Token::Kind::Text, m_data.sliced(start, m_pos - start), false, 0, 0};
}

} // namespace brivello::rtf
