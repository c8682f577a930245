#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

namespace brivello::ui {

class Window;

// The windows shown modally, one above the other, with the home window at the
// bottom. A modal showing does not run an event loop of its own: the code that
// a handler runs after the showing is handed over as a continuation, which
// runs when the showing has ended. So the stack has no depth limit and a test
// can drive a whole sequence of clicks in straight-line code.
//
// A showing ends when its window is hidden or closed, but only after every
// showing above it has ended, just as a handler waiting in a nested showing
// goes on only when the showings it started are over. The endings are worked
// off after the running handler returns (or when settle() is called).
class WindowStack : public QObject
{
    Q_OBJECT
public:
    using Continuation = std::function<void()>;

    WindowStack();
    ~WindowStack() override;

    // Runs the window's load step unless it has run already.
    void load(Window &window);
    bool isLoaded(const Window &window) const;

    // Shows the window without making it part of the stack (the splash).
    void show(Window &window);
    // Loads the window if needed, shows it above the others, makes it the
    // only window that takes input and runs its activation step. `then` runs
    // when this showing has ended. A window shown above another is a modal
    // dialog transient for it, so that the window manager keeps it on top.
    void showModal(Window &window, Continuation then = {});
    // Hides the window; its showing ends.
    void hide(Window &window);
    // Closes the window: hidden, unloaded, its showing ends.
    void close(Window &window);

    // Ends the showings that are due and activates the window that is on top
    // afterwards. Runs by itself once control is back in the event loop.
    void settle();

    // The top window of the stack: the one that takes input.
    Window *activeWindow() const { return m_active; }
    // The showings still pending, ended ones not yet worked off included.
    int depth() const { return static_cast<int>(m_showings.size()); }

Q_SIGNALS:
    void loadStarted(brivello::ui::Window *window);
    void loadFinished(brivello::ui::Window *window);
    void activated(brivello::ui::Window *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Showing
    {
        QPointer<Window> window;
        Continuation then;
        bool ended = false;
    };

    Window *windowOnScreenBelow(const Window &window) const;
    void holdAbove(Window &window, Window *below);
    void endShowingsOf(const Window &window);
    void scheduleSettle();
    void activate(Window &window);
    bool blocksInputTo(QObject *receiver) const;

    std::vector<Showing> m_showings;
    std::vector<QPointer<Window>> m_loaded;
    QPointer<Window> m_active;
    bool m_settleScheduled = false;
    bool m_settling = false;
};

} // namespace brivello::ui
