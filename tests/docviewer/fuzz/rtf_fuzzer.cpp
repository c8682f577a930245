// libFuzzer entry point for the rich-text reader. Built by run-fuzzer.sh.
#include "docviewer/rtf/RtfReader.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray rtf(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument document;
    QStringList warnings;
    brivello::rtf::readRtf(rtf, &document, &warnings);
    const QString text = brivello::rtf::plainTextOf(document);
    // The document may not outgrow its input by more than the reader's budget
    // allows; a breach is a fault as real as a crash.
    const qint64 limit = 8192 + 4 * qint64(size);
    if (document.characterCount() > limit || text.size() > limit)
        std::abort();
    // Lay the document out now and then, as the text view would.
    if (size < 2048 && !text.isEmpty() && (size % 8) == 0) {
        document.setTextWidth(500);
        (void)document.size();
    }
    return 0;
}
