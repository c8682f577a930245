#pragma once

#include "platform/Dialogs.h"

#include <QString>

#include <exception>
#include <functional>

namespace brivello::ui {

// No exception may leave an event handler: Qt cannot carry one through its
// event loop, and the program would end without a word. The handlers that
// read the catalogue run their work through runHandler(): a failure that
// escapes the work (a damaged catalogue, a missing field, memory exhausted)
// is shown to the user in a message box, and the window stays usable.
// Returns false when a failure was shown.
bool runHandler(platform::MessageBox &messageBox, const std::function<void()> &work);

// What the user reads about a failure: a catalogue error's own sentence,
// which names the file and what is wrong with it; for anything else a
// sentence around the error's text.
QString failureText(const std::exception &error);

} // namespace brivello::ui
