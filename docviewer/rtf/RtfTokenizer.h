#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace brivello::rtf {

struct Token
{
    enum class Kind { End, GroupOpen, GroupClose, ControlWord, ControlSymbol, HexByte, Text };

    Kind kind = Kind::End;
    // ControlWord: the letters (at most kMaxWordLength of them);
    // ControlSymbol: the one character; Text: the bytes of the run.
    QByteArrayView text;
    bool hasParameter = false;
    // Saturated to the range of a 32-bit int, whatever the digits say.
    int parameter = 0;
    // HexByte: the byte value.
    unsigned char byte = 0;
};

// Splits a rich-text byte stream into tokens. It never reads beyond the data
// and always moves forward, so any input ends in a number of steps bounded by
// its length.
class Tokenizer
{
public:
    static constexpr int kMaxWordLength = 32;

    explicit Tokenizer(QByteArrayView data) : m_data(data) {}

    Token next();
    // Skips the raw bytes of a \binN; returns how many were really there.
    qsizetype skipBinary(qint64 count);
    bool atEnd() const { return m_pos >= m_data.size(); }
    qsizetype position() const { return m_pos; }
    QByteArrayView remaining() const { return m_data.sliced(m_pos); }

private:
    Token readControl();
    Token readControlWord();
    Token readHex();
    Token readText();
    int readParameter(bool *present);

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

} // namespace brivello::rtf
