#pragma once

#include "platform/Dialogs.h"

namespace brivello::platform {

class QtMessageBox final : public MessageBox
{
public:
    MessageAnswer show(const MessageRequest &request) override;
};

class QtInputBox final : public InputBox
{
public:
    QString ask(const QString &title, const QString &prompt, const QString &defaultText) override;
};

class QtSaveFileDialog final : public SaveFileDialog
{
public:
    QString ask(const SaveFileRequest &request) override;
};

} // namespace brivello::platform
