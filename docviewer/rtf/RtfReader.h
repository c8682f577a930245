#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextDocument;

namespace brivello::rtf {

struct RtfResult
{
    QString plainText;
    // What the reader met and worked around: broken structure, unknown code
    // pages, output cut short. Empty for a well-formed document.
    QStringList warnings;
};

// Replaces the content of `into` with the rich-text document `rtf`, formatted
// for a read-only text view. Any input is accepted: broken structure is
// repaired as far as possible and reported in `warnings`; the time taken and
// the size of the result grow at most in proportion to the input.
void readRtf(const QByteArray &rtf, QTextDocument *into, QStringList *warnings = nullptr);

// The text of the document as a reader sees it: list items carry their
// bullet or number, table cells are separated by tabs and rows by line ends.
RtfResult readRtfAsPlainText(const QByteArray &rtf);
QString rtfToPlainText(const QByteArray &rtf);
QString plainTextOf(const QTextDocument &document);

// The largest page the program reads; a larger one shows the notice.
inline constexpr qint64 maxPageSize = 4 * 1024 * 1024;

// Loads a page of the disc into `into`. A page that is missing, unreadable
// or not rich text leaves a short notice naming it in the document instead
// ("Pagina non disponibile: pag1-3.dat") and returns false; so does a page
// larger than maxPageSize or anything but a plain file.
bool loadRtfPage(const QString &path, QTextDocument *into);

// Whether `data` starts the way every rich-text document does ("{\rtf").
bool looksLikeRtf(const QByteArray &data);

} // namespace brivello::rtf
