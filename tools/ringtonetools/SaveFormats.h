#pragma once

// The files a melody can be saved as. Each format is a row of the table: a
// name for the user, the file type of the save dialog, and the bytes of the
// file, so a new format is one more row and every window that saves offers it.

#include "ringtones/melody/Melody.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace brivello::ringtonetools {

struct ToolServices;

struct SaveFormat
{
    QString id;        // "rtttl", "wav"
    QString label;     // the button and the dialog's title: "RTTTL (.txt)"
    QString filter;    // the save dialog's file type: "Suoneria RTTTL (*.txt)"
    QString extension; // without the dot
    // The file's bytes, or none with the reason in *error.
    std::function<std::optional<QByteArray>(const melody::Melody &, QString *error)> bytes;
};

std::vector<SaveFormat> saveFormats();

// Writes `bytes` to `path` so that the old file stays whole until the new
// one is complete. On failure returns false with the reason in Italian in
// *error, naming the file.
bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error);

// Saves `tune` in `format` to a file the user names in the save dialog, and
// tells the user when it could not. Returns the file written, empty when
// nothing was. Every window that saves uses it.
QString saveAs(const ToolServices &services, const SaveFormat &format, const melody::Melody &tune);

// "Suoneria salvata in «...»."
QString savedMessage(const QString &path);

} // namespace brivello::ringtonetools
