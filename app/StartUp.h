#pragma once

#include "platform/Platform.h"

#include <memory>

namespace brivello::ui {
class ButtonImages;
class WindowStack;
} // namespace brivello::ui

namespace brivello::app {

class WindowSet;

// The module StartUp: brings the windows up in their order and runs the
// program until the home window's showing ends.
class StartUp
{
public:
    explicit StartUp(platform::Platform platform);
    ~StartUp();
    StartUp(const StartUp &) = delete;
    StartUp &operator=(const StartUp &) = delete;

    // The entry of the program: start(), then the event loop until the home
    // window is hidden or closed. Returns the process exit status.
    int StartProgram();

    // The start-up steps up to the modal showing of the home window, without
    // waiting in it. Returns 0, or the non-zero status the program ends with
    // when a window could not be loaded (the user has been told why).
    int start();

    // Ends the run as soon as the home window is on the screen.
    void quitWhenHomeShown() { m_quitWhenHomeShown = true; }
    // The home window's showing has ended.
    bool finished() const { return m_finished; }

    ui::WindowStack &stack() const { return *m_stack; }
    WindowSet &windows() const { return *m_windows; }
    const ui::ButtonImages &images() const { return *m_images; }

private:
    void loadWindows();
    int reportFailure(const QString &text);
    void homeShowingEnded();
    void quitOnceHomeIsOnScreen();

    platform::Platform m_platform;
    std::unique_ptr<ui::WindowStack> m_stack;
    std::unique_ptr<ui::ButtonImages> m_images;
    std::unique_ptr<WindowSet> m_windows;
    bool m_running = false;
    bool m_finished = false;
    bool m_quitWhenHomeShown = false;
};

} // namespace brivello::app
