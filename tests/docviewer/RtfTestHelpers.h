#pragma once

#include <QByteArray>
#include <QString>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace brivello::test {

// The block holding `text`; an invalid block when there is none.
inline QTextBlock blockWith(const QTextDocument &document, const QString &text)
{
    const QTextCursor found = document.find(text);
    return found.isNull() ? QTextBlock() : found.block();
}

// The character format of `text`, provided every character of it has the
// same format; an empty format (and a failed check by the caller) otherwise.
inline QTextCharFormat formatOf(const QTextDocument &document, const QString &text)
{
    const QTextCursor found = document.find(text, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return {};
    QTextCursor probe(found);
    probe.setPosition(found.selectionStart() + 1);
    const QTextCharFormat first = probe.charFormat();
    for (int pos = found.selectionStart() + 2; pos <= found.selectionEnd(); ++pos) {
        probe.setPosition(pos);
        if (probe.charFormat() != first)
            return {};
    }
    return first;
}

inline QString rtfDataDir()
{
    return qEnvironmentVariable("BRIVELLO_SOURCE_DIR") + u"/tests/docviewer/rtfdata"_s;
}

} // namespace brivello::test
