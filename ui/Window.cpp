#include "ui/Window.h"

#include <QGuiApplication>
#include <QScreen>

namespace brivello::ui {

Window::Window(const QString &name) : QWidget(nullptr)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void centreOnScreen(QWidget &window)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.move(screen.left() + (screen.width() - window.width()) / 2,
                screen.top() + (screen.height() - window.height()) / 2);
}

} // namespace brivello::ui
