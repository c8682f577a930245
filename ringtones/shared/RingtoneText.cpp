#include "ringtones/shared/RingtoneText.h"

#include <QDir>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace brivello::ringtones::shared {

namespace {

// The characters Windows-1252 puts at 0x80 to 0x9F; 0 marks a byte it leaves
// unassigned.
constexpr char16_t highBlock[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char windows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int index = 0; index < 32; ++index) {
        if (highBlock[index] != 0 && highBlock[index] == c)
            return static_cast<char>(0x80 + index);
    }
    return '?';
}

QString fromWindows1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x80 && value < 0xA0 && highBlock[value - 0x80] != 0)
            text += QChar(highBlock[value - 0x80]);
        else
            text += QChar(char16_t(value));
    }
    return text;
}

} // namespace

QByteArray windows1252Line(const QString &text)
{
    QByteArray line;
    line.reserve(text.size() + 2);
    for (const QChar c : text)
        line.append(windows1252(c.unicode()));
    line.append("\r\n");
    return line;
}

QString decodeTextFile(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return fromWindows1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QString internationalNumber(const QString &typed)
{
    const QString national = typed.startsWith(u'0') ? typed.mid(1) : typed;
    return u"0039"_s + national;
}

QString scratchLine(const QString &artist, const QString &rtttl)
{
    return artist.trimmed().left(9) + u":"_s + rtttl;
}

QString smsArgument(const QString &typedNumber, const QString &scratchPath)
{
    return internationalNumber(typedNumber) + u"##"_s + QDir::toNativeSeparators(scratchPath);
}

} // namespace brivello::ringtones::shared
