#pragma once

namespace brivello::app {

// The entry of the program: shows the splash window, loads the windows that
// must be ready, then shows the ringtone window until the program ends.
// Returns the process exit status.
int StartProgram();

} // namespace brivello::app
