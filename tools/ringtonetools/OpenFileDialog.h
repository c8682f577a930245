#pragma once

#include <QString>

#include <memory>

namespace brivello::ringtonetools {

struct OpenFileRequest
{
    QString title;
    QString startFolder;
    // Qt's filter syntax: "Suonerie (*.txt);;Tutti i file (*)".
    QString filter;
};

// Asks the user for a file to open.
class OpenFileDialog
{
public:
    virtual ~OpenFileDialog() = default;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString ask(const OpenFileRequest &request) = 0;
};

std::shared_ptr<OpenFileDialog> makeQtOpenFileDialog();

} // namespace brivello::ringtonetools
