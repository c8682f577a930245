#pragma once

namespace brivello::app {

class WindowSet;

// Ends the program: shows the exit splash window and, once it has been
// closed, closes every window of the program, so that every pending showing
// ends and the home window's showing ends the run.
void ExitProgram(WindowSet &windows);

} // namespace brivello::app
