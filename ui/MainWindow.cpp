#include "ui/MainWindow.h"

#include "ui/PictureBox.h"

#include <QApplication>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace brivello::ui {

MainWindow::MainWindow(const QString &name, const Context &context, resources::Page page,
                       NavigationOwner owner)
    : Window(name), m_context(context), m_page(new PictureBox(u"pctBG"_s, this)), m_owner(owner)
{
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle(u"Brivello"_s);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setMouseTracking(true);
    // The controls on the page keep the usual colours; only the margin is black.
    QPalette usual = m_page->palette();
    usual.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    m_page->setPalette(usual);
    m_page->resize(640, 480);
    m_page->paintWhenShown([page] { return resources::pageBackground(page); });
    m_bar = createNavigationBar(*m_page, owner, context.images);
}

void MainWindow::formLoad()
{
    const QRect screen = QApplication::primaryScreen()->geometry();
    setGeometry(screen);
    setWindowState(windowState() | Qt::WindowMaximized);
    centrePage();
}

void MainWindow::centrePage()
{
    const QSize screen = QApplication::primaryScreen()->geometry().size();
    m_page->move((screen.width() - m_page->width()) / 2, (screen.height() - m_page->height()) / 2);
}

} // namespace brivello::ui
