#include "ui/WindowStack.h"

#include "ui/Window.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include <algorithm>

namespace brivello::ui {

namespace {

bool isInputEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::HoverLeave:
    case QEvent::Enter:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

WindowStack::WindowStack()
{
    qApp->installEventFilter(this);
}

WindowStack::~WindowStack()
{
    qApp->removeEventFilter(this);
}

void WindowStack::load(Window &window)
{
    if (isLoaded(window))
        return;
    // Marked first: a load step that refers back to its own window must not
    // run the step again.
    m_loaded.emplace_back(&window);
    Q_EMIT loadStarted(&window);
    window.formLoad();
    Q_EMIT loadFinished(&window);
}

bool WindowStack::isLoaded(const Window &window) const
{
    return std::any_of(m_loaded.begin(), m_loaded.end(),
                       [&window](const QPointer<Window> &loaded) { return loaded == &window; });
}

void WindowStack::show(Window &window)
{
    load(window);
    window.show();
}

void WindowStack::showModal(Window &window, Continuation then)
{
    load(window);
    holdAbove(window, windowOnScreenBelow(window));
    m_showings.push_back({&window, std::move(then), false});
    window.show();
    activate(window);
}

Window *WindowStack::windowOnScreenBelow(const Window &window) const
{
    for (auto showing = m_showings.rbegin(); showing != m_showings.rend(); ++showing) {
        Window *candidate = showing->window;
        if (candidate && candidate != &window && !showing->ended && candidate->isVisible())
            return candidate;
    }
    return nullptr;
}

// A window manager keeps a window above another only when it is told so: a
// dialog transient for the window below, and modal. Otherwise a click on the
// window below raises it over the top window, which alone takes input, and
// the program looks frozen. The home window, at the bottom, stays an
// ordinary window.
void WindowStack::holdAbove(Window &window, Window *below)
{
    if (!below)
        return;
    if (window.windowType() != Qt::Dialog)
        window.setWindowFlags((window.windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    window.setWindowModality(Qt::ApplicationModal);
    // Both need a native window to carry the relation.
    window.winId();
    below->winId();
    window.windowHandle()->setTransientParent(below->windowHandle());
}

void WindowStack::hide(Window &window)
{
    window.hide();
    endShowingsOf(window);
}

void WindowStack::close(Window &window)
{
    window.hide();
    endShowingsOf(window);
    if (!isLoaded(window))
        return;
    std::erase_if(m_loaded, [&window](const QPointer<Window> &loaded) { return loaded == &window; });
    window.formUnload();
}

void WindowStack::endShowingsOf(const Window &window)
{
    bool endedAny = false;
    for (Showing &showing : m_showings) {
        if (showing.window == &window && !showing.ended) {
            showing.ended = true;
            endedAny = true;
        }
    }
    if (endedAny)
        scheduleSettle();
}

void WindowStack::scheduleSettle()
{
    if (m_settleScheduled)
        return;
    m_settleScheduled = true;
    QMetaObject::invokeMethod(this, &WindowStack::settle, Qt::QueuedConnection);
}

void WindowStack::settle()
{
    m_settleScheduled = false;
    // A continuation may hide or show windows itself; the loop below then
    // picks up what it changed, so nothing here recurses.
    if (m_settling)
        return;
    m_settling = true;
    while (!m_showings.empty() && m_showings.back().ended) {
        Continuation then = std::move(m_showings.back().then);
        m_showings.pop_back();
        if (then)
            then();
    }
    m_settling = false;
    if (m_showings.empty()) {
        m_active = nullptr;
        return;
    }
    Window *top = m_showings.back().window;
    if (top && top != m_active)
        activate(*top);
}

void WindowStack::activate(Window &window)
{
    m_active = &window;
    window.activateWindow();
    Q_EMIT activated(&window);
    window.formActivate();
}

bool WindowStack::blocksInputTo(QObject *receiver) const
{
    if (!receiver->isWidgetType())
        return false;
    auto *window = qobject_cast<Window *>(static_cast<QWidget *>(receiver)->window());
    return window && window != m_active;
}

bool WindowStack::eventFilter(QObject *watched, QEvent *event)
{
    if (isInputEvent(event->type()) && blocksInputTo(watched))
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace brivello::ui
