#pragma once

// Reads the bytes a fuzzer hands over as small numbers and texts, front to
// back; once the bytes run out every read gives zero or empty text, so a
// target needs no length checks of its own.

#include <QString>

#include <cstddef>
#include <cstdint>

namespace brivello::fuzz {

class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    std::size_t remaining() const { return m_size - m_pos; }

    std::uint8_t byte() { return empty() ? 0 : m_data[m_pos++]; }
    // A number from 0 to `limit` - 1 (limit > 0).
    unsigned below(unsigned limit) { return byte() % limit; }
    bool flag() { return (byte() & 1) != 0; }
    std::int32_t int32()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | byte();
        return static_cast<std::int32_t>(value);
    }

    // A text of at most `maxLength` characters, each picked from `alphabet`.
    QString textFrom(QStringView alphabet, unsigned maxLength)
    {
        QString text;
        const unsigned length = below(maxLength + 1);
        for (unsigned i = 0; i < length && !empty(); ++i)
            text.append(alphabet[below(static_cast<unsigned>(alphabet.size()))]);
        return text;
    }
    // A text of at most `maxLength` UTF-16 code units taken as they come,
    // two bytes each, unpaired surrogates included.
    QString rawText(unsigned maxLength)
    {
        QString text;
        const unsigned length = below(maxLength + 1);
        for (unsigned i = 0; i < length && remaining() >= 2; ++i) {
            const auto high = byte();
            text.append(QChar(static_cast<char16_t>((high << 8) | byte())));
        }
        return text;
    }
    // The bytes not read yet.
    QByteArray rest()
    {
        const QByteArray bytes(reinterpret_cast<const char *>(m_data + m_pos),
                               static_cast<qsizetype>(remaining()));
        m_pos = m_size;
        return bytes;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace brivello::fuzz
