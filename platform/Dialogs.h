#pragma once

#include <QString>

namespace brivello::platform {

using namespace Qt::StringLiterals;

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Question, Warning, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest
{
    // A box that names no title of its own carries the program's title.
    QString title = u"Brivello"_s;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

class MessageBox
{
public:
    virtual ~MessageBox() = default;
    // Shows the box and waits for the user's answer.
    virtual MessageAnswer show(const MessageRequest &request) = 0;
};

class InputBox
{
public:
    virtual ~InputBox() = default;
    // The text the user confirmed, or an empty text when the user cancelled.
    virtual QString ask(const QString &title, const QString &prompt, const QString &defaultText) = 0;
};

struct SaveFileRequest
{
    QString title;
    QString startFolder;
    // Qt's filter syntax: "Text (*.txt);;All files (*)".
    QString filter;
    // Appended (without a dot) when the typed name has no extension.
    QString defaultExtension;
    bool promptOverwrite = true;
};

class SaveFileDialog
{
public:
    virtual ~SaveFileDialog() = default;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString ask(const SaveFileRequest &request) = 0;
};

} // namespace brivello::platform
