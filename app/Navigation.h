#pragma once

namespace brivello::ui {
class MainWindow;
} // namespace brivello::ui

namespace brivello::app {

class WindowSet;

// Makes the navigation bar of `window` work: the rollover painting of its
// window's table on every mouse move over the margin, the page and the bar,
// and the clicks that switch windows, open the help and end the program.
// On the ringtone window the publisher's logo opens the about panel.
void connectNavigation(ui::MainWindow &window, WindowSet &windows);

} // namespace brivello::app
