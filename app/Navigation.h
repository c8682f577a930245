#pragma once

namespace brivello::app {

struct Context;
class MainWindow;

// Makes the navigation bar of `window` work: the rollover painting of its
// window's table on every mouse move over the margin, the page and the bar,
// and the clicks that switch windows, open the help and end the program.
// On the ringtone window the publisher's logo opens the about panel.
void connectNavigation(MainWindow &window, const Context &context);

} // namespace brivello::app
