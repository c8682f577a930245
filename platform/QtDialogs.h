#pragma once

#include "platform/Dialogs.h"

#include <QSize>

#include <memory>

class QDialog;
class QFileDialog;
class QInputDialog;
class QMessageBox;
class QWidget;

namespace brivello::platform {

// The window a dialog belongs to: the program's top window (the one the
// window stack holds modal above the others), else the active one. The
// dialog stays above it and is centred over it.
QWidget *dialogOwner();

// The dialogs the Qt services show, made ready but not shown: each belongs to
// `owner`, fits inside its screen and, once shown, is centred over the owner.
std::unique_ptr<QMessageBox> makeMessageBox(const MessageRequest &request, QWidget *owner);
std::unique_ptr<QInputDialog> makeInputBox(const QString &title, const QString &prompt,
                                           const QString &defaultText, QWidget *owner);
std::unique_ptr<QFileDialog> makeSaveFileDialog(const SaveFileRequest &request, QWidget *owner);

// `wanted`, made small enough that the window with the frame the window
// manager adds fits inside the screen `window` is on.
QSize sizeOnScreen(const QWidget &window, QSize wanted);

// A prompt as the input box shows it: every carriage return, alone or before
// a line feed, is a line break.
QString displayedPrompt(const QString &prompt);

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
