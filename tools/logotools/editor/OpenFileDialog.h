#pragma once

#include <QString>

namespace brivello::logotools {

struct OpenFileRequest
{
    QString title;
    QString startFolder;
    // Qt's filter syntax: "Immagini (*.bmp *.png);;Tutti i file (*)".
    QString filter;
};

// Asks for a file to open. The tool gets the Qt dialog; tests get a fake.
class OpenFileDialog
{
public:
    virtual ~OpenFileDialog() = default;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString ask(const OpenFileRequest &request) = 0;
};

class QtOpenFileDialog final : public OpenFileDialog
{
public:
    QString ask(const OpenFileRequest &request) override;
};

} // namespace brivello::logotools
