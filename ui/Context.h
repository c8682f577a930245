#pragma once

#include "platform/Platform.h"

namespace brivello::ui {

class ButtonImages;
class WindowStack;

// What every window is handed when it is made: the platform services, the
// window stack and the button image list. A window that needs another window
// is handed it by the composition root, never a handle on every window.
struct Context
{
    platform::Platform platform;
    WindowStack &stack;
    const ButtonImages &images;
};

} // namespace brivello::ui
