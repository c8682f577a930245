#pragma once

#include <QString>

namespace brivello::rtf {

// A single-byte code page in which `\'hh` escapes and raw 8-bit bytes of a
// rich-text document are written.
class CodePage
{
public:
    // Windows-1252, what a document that names nothing else uses.
    CodePage();

    // The code page with this number (437, 850, 866, 874, 1250 to 1258, 10000);
    // isKnown() says whether it is one of those.
    static CodePage fromNumber(int number);
    // The code page a font table's \fcharsetN stands for; 0 (ANSI) and 1
    // (default) return `documentPage`.
    static CodePage fromCharset(int charset, const CodePage &documentPage);

    bool isKnown() const { return m_table != nullptr || m_symbol; }
    int number() const { return m_number; }
    QChar decode(unsigned char byte) const;

private:
    int m_number = 1252;
    const char16_t *m_table = nullptr;
    bool m_symbol = false;
};

} // namespace brivello::rtf
