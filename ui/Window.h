#pragma once

#include <QWidget>

namespace brivello::ui {

// One window of the program. The window stack loads it once (formLoad), shows
// and hides it, and calls formActivate each time it becomes the active window.
class Window : public QWidget
{
    Q_OBJECT
public:
    explicit Window(const QString &name);

    // The load step, run once, on the first reference to the window.
    virtual void formLoad() {}
    // The activation step.
    virtual void formActivate() {}
    // Runs when the window is closed at the end of the run.
    virtual void formUnload() {}
};

// A window centred on the screen; a negative position on a small screen is
// kept, so the window then lies partly off screen.
void centreOnScreen(QWidget &window);

} // namespace brivello::ui
