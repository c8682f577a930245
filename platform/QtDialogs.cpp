#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brivello::platform {

namespace {

QMessageBox::StandardButtons standardButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Cancel;
    }
}

// What a window manager adds around a dialog: a title bar and borders.
constexpr int frameAllowance = 48;
// The widest a prompt runs before its lines wrap.
constexpr int promptWidth = 480;

QRect screenArea(const QWidget *owner)
{
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

// Keeps the dialog, with the frame the window manager adds, inside the
// screen, in the middle of its owner (whose page is centred on the screen).
// Qt's own placement leaves room for a frame above the middle, which puts
// the dialog well above the page's centre.
void fitOnScreen(QDialog &dialog, QWidget *owner)
{
    const QRect area = screenArea(owner);
    const QSize room(area.width() - frameAllowance, area.height() - frameAllowance);
    dialog.setMaximumSize(room);
    dialog.adjustSize();
    dialog.resize(dialog.size().boundedTo(room));
    QRect placed(QPoint(), dialog.size());
    placed.moveCenter(owner ? owner->window()->geometry().center() : area.center());
    const QPoint lastTopLeft(area.right() + 1 - frameAllowance / 4 - placed.width(),
                             area.bottom() + 1 - frameAllowance / 2 - placed.height());
    dialog.move(std::clamp(placed.left(), area.left(), lastTopLeft.x()),
                std::clamp(placed.top(), area.top(), lastTopLeft.y()));
}

} // namespace

QSize sizeOnScreen(const QWidget &window, QSize wanted)
{
    const QRect area = screenArea(&window);
    return wanted.boundedTo(QSize(area.width() - frameAllowance, area.height() - frameAllowance));
}

QWidget *dialogOwner()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    // Before the window manager has activated a window: the visible one.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && (window->windowType() == Qt::Window || window->windowType() == Qt::Dialog))
            return window;
    }
    return nullptr;
}

QString displayedPrompt(const QString &prompt)
{
    QString shown = prompt;
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    return shown;
}

std::unique_ptr<QMessageBox> makeMessageBox(const MessageRequest &request, QWidget *owner)
{
    auto box = std::make_unique<QMessageBox>(standardIcon(request.icon), request.title, request.text,
                                             standardButtons(request.buttons), owner);
    // A message box sizes itself to its screen when shown.
    return box;
}

std::unique_ptr<QInputDialog> makeInputBox(const QString &title, const QString &prompt,
                                           const QString &defaultText, QWidget *owner)
{
    auto dialog = std::make_unique<QInputDialog>(owner);
    dialog->setWindowTitle(title);
    dialog->setLabelText(displayedPrompt(prompt));
    dialog->setTextValue(defaultText);
    // Long lines wrap instead of widening the dialog off the screen.
    if (auto *label = dialog->findChild<QLabel *>()) {
        label->setWordWrap(true);
        label->setMinimumWidth(std::min(promptWidth, screenArea(owner).width() - 2 * frameAllowance));
    }
    fitOnScreen(*dialog, owner);
    return dialog;
}

std::unique_ptr<QFileDialog> makeSaveFileDialog(const SaveFileRequest &request, QWidget *owner)
{
    auto dialog = std::make_unique<QFileDialog>(owner, request.title, request.startFolder, request.filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(request.defaultExtension);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
    fitOnScreen(*dialog, owner);
    return dialog;
}

MessageAnswer QtMessageBox::show(const MessageRequest &request)
{
    return answerOf(makeMessageBox(request, dialogOwner())->exec());
}

QString QtInputBox::ask(const QString &title, const QString &prompt, const QString &defaultText)
{
    const std::unique_ptr<QInputDialog> dialog = makeInputBox(title, prompt, defaultText, dialogOwner());
    return dialog->exec() == QDialog::Accepted ? dialog->textValue() : QString();
}

QString QtSaveFileDialog::ask(const SaveFileRequest &request)
{
    const std::unique_ptr<QFileDialog> dialog = makeSaveFileDialog(request, dialogOwner());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

} // namespace brivello::platform
